#include "common/TravaArquivo.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QThread>

TravaArquivo::TravaArquivo(const QString &caminhoArquivo)
    : trava_(CaminhoTrava(caminhoArquivo))
{
    trava_.setStaleLockTime(kVelhaMs);
}

QString TravaArquivo::CaminhoTrava(const QString &caminhoArquivo)
{
    return caminhoArquivo + QStringLiteral(".lock");
}

bool TravaArquivo::Travar(QString &motivo)
{
    // Short, uneven pauses between tries: QLockFile's own wait doubles its pause up to seconds, so a
    // copy busy writing one record after another would find the lock taken at each of the few tries.
    const QDeadlineTimer prazo(esperaMs);
    while (!trava_.tryLock(0)) {
        if (trava_.error() != QLockFile::LockFailedError || prazo.hasExpired())
            return Recusar(motivo);
        QThread::msleep(5 + QRandomGenerator::global()->bounded(20));
    }
    return true;
}

bool TravaArquivo::Recusar(QString &motivo)
{
    const QString nome = QFileInfo(trava_.fileName()).fileName();
    switch (trava_.error()) {
    case QLockFile::LockFailedError: {
        qint64 pid = 0;
        QString computador, programa;
        const QString quem = trava_.getLockInfo(&pid, &computador, &programa) && !computador.isEmpty()
                                 ? QStringLiteral(" (no computador %1)").arg(computador)
                                 : QString();
        motivo =
            QStringLiteral("o arquivo está sendo gravado por outra cópia do programa%1. "
                           "Tente de novo em alguns segundos; se a mensagem persistir por mais de cinco minutos, "
                           "apague o arquivo %2")
                .arg(quem, nome);
        break;
    }
    case QLockFile::PermissionError:
        motivo = QStringLiteral("sem permissão para criar o arquivo de trava %1 na pasta").arg(nome);
        break;
    default:
        // Creating it worked, writing its few bytes did not: a full disk, as a rule.
        motivo = QStringLiteral("não foi possível criar o arquivo de trava %1 (disco cheio?)").arg(nome);
        break;
    }
    return false;
}
