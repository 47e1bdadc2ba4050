#pragma once

#include "common/ResultadoSessao.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>
#include <optional>

// The spool of one computer: results that could not reach the database, kept in the data folder
// until they can. One file per host name, so that copies of the program on other computers sharing
// the folder never touch it. One JSON object per line, each line made durable (fsync) before the
// result counts as kept; a line cut short by a crash is skipped when reading, and the next result
// starts on a line of its own. Copies on one computer take turns through a lock file.
class FilaResultados {
public:
    explicit FilaResultados(QString caminho);

    // "Resultados-<host>.fila", the host name reduced to letters, digits, '.', '-' and '_'.
    static QString NomeArquivo(const QString &computador);

    const QString &Caminho() const { return caminho_; }

    bool Acrescentar(const ResultadoSessao &r, QString &erro);
    // The kept results in order; lines that are not a result are skipped.
    bool Ler(QList<ResultadoSessao> &resultados, QString &erro) const;
    bool Vazia() const;

    // Hands the kept results, in order, to `gravar` until it fails; those written leave the file.
    // `gravados` counts them. False when a write failed (its message in `erro`) or the file could
    // not be read or rewritten.
    using Gravar = std::function<bool(const ResultadoSessao &, QString &)>;
    bool Descarregar(const Gravar &gravar, int &gravados, QString &erro);

    static QByteArray ParaJson(const ResultadoSessao &r);
    static std::optional<ResultadoSessao> DeJson(const QByteArray &linha);

private:
    QString caminho_;
};
