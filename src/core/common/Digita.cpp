#include "common/Digita.h"

#include <QDir>

Digita::Digita(QString pastaDados)
    : pasta_(std::move(pastaDados))
{}

QString Digita::Caminho(const QString &nomeArquivo) const
{
    return QDir(pasta_).filePath(nomeArquivo);
}
