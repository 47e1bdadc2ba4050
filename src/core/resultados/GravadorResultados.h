#pragma once

#include "common/ResultadoSessao.h"
#include "resultados/ArmazemResultados.h"

#include <QObject>
#include <QThread>

class TrabalhadorResultados;

// Writes finished sessions to the results store on a thread of its own, so that a slow or absent
// database never delays a finish or freezes the window. A result that cannot be written is kept in
// the computer's spool (see FilaResultados); the first failure of a run is reported once through
// Falha, later ones stay quiet while the database is away. Whatever waits in the spool is written,
// in order, at the next successful connection: when the next result comes, or at Descarregar.
//
// The results are written in the order they arrive. Destroying the object waits for the results
// already handed over (each bounded by the connection timeout), so none is lost at exit.
class GravadorResultados : public QObject {
    Q_OBJECT

public:
    // `fabrica` builds the store on the writer's thread; `caminhoFila` is the spool file.
    GravadorResultados(FabricaArmazem fabrica, QString caminhoFila, QObject *pai = nullptr);
    ~GravadorResultados() override;

    // The message of the first failure of a run; `guardado`: the result is safe in the spool.
    static QString MensagemFalha(const QString &erro, bool guardado);

public slots:
    // A finished session. A missing chave or computador is filled in here (a key unique across
    // computers, this computer's host name).
    void Gravar(ResultadoSessao resultado);
    // Writes what waits in the spool, if the database can be reached (at start-up).
    void Descarregar();
    // "Incluir" over a code that "Excluir" freed: the code's next results start a new history.
    // Not spooled: should the database be away, a new pupil with another name still starts a
    // history of their own at their first result.
    void NovaMatricula(int codigo, const QString &nome);

signals:
    // The result is in the database.
    void Gravado(const QString &chave);
    // The result is in the spool, waiting for the database.
    void Guardado(const QString &chave);
    // Results of the spool were written (how many).
    void FilaGravada(int quantos);
    // The first failure of this run, as a message for the user.
    void Falha(const QString &mensagem);

private:
    QThread thread_;
    TrabalhadorResultados *trabalhador_;
};
