#include "common/PastaDados.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace PastaDados {

QString Escolher(const QStringList &argumentos, const QString &variavelAmbiente, const QString &padraoDaInstalacao,
                 const QString &pastaPrograma)
{
    static const QString opcao = QStringLiteral("--dados");
    QString pasta;
    // The last one given wins, as with most programs' options.
    for (qsizetype i = 1; i < argumentos.size(); ++i) {
        if (argumentos[i] == opcao && i + 1 < argumentos.size())
            pasta = argumentos[++i];
        else if (argumentos[i].startsWith(opcao + u'='))
            pasta = argumentos[i].mid(opcao.size() + 1);
    }
    for (const QString &outra : {variavelAmbiente, padraoDaInstalacao, pastaPrograma}) {
        if (pasta.isEmpty())
            pasta = outra;
    }
    return QDir::cleanPath(QDir::current().absoluteFilePath(pasta));
}

QString Problema(const QString &pasta)
{
    const QString nome = QDir::toNativeSeparators(pasta);
    const QFileInfo info(pasta);
    if (!info.exists())
        return QStringLiteral("A pasta de dados %1 não existe.").arg(nome);
    if (!info.isDir())
        return QStringLiteral("A pasta de dados %1 não é uma pasta.").arg(nome);
    // The kernel answers for the effective account, with its groups, ACLs and read-only mounts.
    if (faccessat(AT_FDCWD, QFile::encodeName(pasta).constData(), W_OK | X_OK, AT_EACCESS) != 0) {
        const int codigo = errno;
        const QString motivo = codigo == EROFS    ? QStringLiteral("sistema de arquivos somente para leitura")
                               : codigo == EACCES ? QStringLiteral("permissão negada")
                                                  : QString::fromLocal8Bit(std::strerror(codigo));
        return QStringLiteral("Não é possível gravar na pasta de dados %1: %2.\n"
                              "Peça ao administrador do computador acesso a essa pasta (no laboratório, "
                              "que inclua a sua conta no grupo datilux).")
            .arg(nome, motivo);
    }
    return {};
}

} // namespace PastaDados
