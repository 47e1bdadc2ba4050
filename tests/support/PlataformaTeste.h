#pragma once

#include "common/Plataforma.h"

#include <QList>
#include <QUrl>

// The desktop services as a test sets them: CAPS LOCK as the test says, sounds and opened addresses
// counted instead of played and opened.
class PlataformaTeste : public Plataforma {
public:
    PlataformaTeste()
        : Plataforma(QString())
    {}

    bool CapsLockAtivo() override { return caps; }
    void TocarAviso() override { ++sons; }
    void AbrirEndereco(const QUrl &endereco) override { enderecos.append(endereco); }

    bool caps = false;
    int sons = 0;
    QList<QUrl> enderecos;
};
