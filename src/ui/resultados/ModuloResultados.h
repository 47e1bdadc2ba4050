#pragma once

#include "resultados/ArmazemResultados.h"

#include <QString>

#include <memory>

// The program's way to the results store, which lives in the module datilux-resultados (Qt SQL):
// the module is loaded by the first store made, on whatever thread makes it, and stays loaded. When
// it cannot be loaded, the store made instead fails every call with kIndisponivel, so the writer
// keeps the results in its spool and the windows say why, as for a database that does not answer.
class ModuloResultados {
public:
    static inline const QString kIndisponivel =
        QStringLiteral("O módulo de resultados não está disponível nesta instalação.");

    // The module's file; empty: Plataforma::ModuloResultados(). Tests point it at the build's module.
    static inline QString caminhoModulo;

    // A store over `config`, for the calling thread. Never null.
    static std::unique_ptr<ArmazemResultados> Criar(const ConfigBanco &config);
    // Stores over `config` for another thread: call it on the window's thread (it takes the module's
    // file as it is now); the stores it makes load the module where they are made.
    static FabricaArmazem Fabrica(const ConfigBanco &config);
};
