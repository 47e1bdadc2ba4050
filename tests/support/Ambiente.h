#pragma once

#include "RelogioManual.h"
#include "common/Digita.h"

#include <QFile>
#include <QTemporaryDir>

// A data folder of its own and the shared state over it, with a manual clock.
struct Ambiente {
    QTemporaryDir dir;
    RelogioManual relogio;
    Digita digita{dir.path()};

    Ambiente() { digita.DefinirRelogio(&relogio); }

    QString Caminho(const QString &nome) const { return digita.Caminho(nome); }

    QByteArray Ler(const QString &nome) const
    {
        QFile f(Caminho(nome));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    bool Gravar(const QString &nome, const QByteArray &bytes) const
    {
        QFile f(Caminho(nome));
        return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
    }

    bool Existe(const QString &nome) const { return QFile::exists(Caminho(nome)); }
};
