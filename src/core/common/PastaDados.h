#pragma once

#include <QString>
#include <QStringList>

// The folder of the data files. By default the program's own folder (a build tree, a copy on a USB
// stick); a lab installation keeps the data apart from the program, which its users cannot write.
namespace PastaDados {

// The data folder of a run: `--dados DIR` (or `--dados=DIR`) among the arguments, else the
// environment's DATILUX_DADOS, else the installation's default (the Debian package's is
// /var/lib/datilux), else the program's own folder. A relative path is taken from the current folder.
QString Escolher(const QStringList &argumentos, const QString &variavelAmbiente, const QString &padraoDaInstalacao,
                 const QString &pastaPrograma);

// Empty when `pasta` is a folder the program can write its data files in; otherwise the message
// that names it and says why not.
QString Problema(const QString &pasta);

} // namespace PastaDados
