#pragma once

#include "resultados/ArmazemResultados.h"

#include <QString>

#include <functional>

class Digita;
class GravadorResultados;
class QObject;
class QSqlDatabase;
class QSqlQuery;

// The results store over Qt SQL: SQLite (QSQLITE) on a file, or PostgreSQL (QPSQL) on a server.
// One object owns one named connection, made on the thread that calls Abrir and used only there.
class ArmazemSql : public ArmazemResultados {
public:
    explicit ArmazemSql(ConfigBanco config);
    ~ArmazemSql() override;
    ArmazemSql(const ArmazemSql &) = delete;
    ArmazemSql &operator=(const ArmazemSql &) = delete;

    static FabricaArmazem Fabrica(const ConfigBanco &config);
    // The program's writer: the database of the settings in Datilux.arq, the spool of this
    // computer in the data folder; it starts by writing what that spool holds. Null with the
    // message when the settings cannot be read.
    static GravadorResultados *NovoGravador(Digita &d, QObject *pai, QString &erro);

    bool Abrir(QString &erro) override;
    bool Gravar(const ResultadoSessao &r, QString &erro) override;
    bool NovaMatricula(int codigo, const QString &nome, const QDateTime &desde, QString &erro) override;
    bool Resumo(QList<ResumoAluno> &resumo, QString &erro) override;
    bool SessoesDoAluno(int codigo, QList<ResultadoSessao> &sessoes, QString &erro) override;
    bool ErrosDoAluno(int codigo, QMap<QChar, int> &erros, QString &erro) override;
    bool ApagarAluno(int codigo, const QString &nome, QString &erro) override;

    // Rebuilds the per-registration totals (resumo_aluno) from the sessions, after sessions were
    // loaded or changed by other means than this program.
    bool RefazerResumo(QString &erro);

    // The schema version the database holds (0: none yet); for tests and diagnostics.
    bool VersaoEsquema(int &versao, QString &erro);

private:
    bool Postgres() const { return config_.tipo == ConfigBanco::Tipo::PostgreSQL; }
    QSqlDatabase Banco() const;
    bool Executar(QSqlQuery &q, QString &erro);
    bool Executar(const QString &sql, QString &erro);
    // Runs `executar` again while SQLite reports the database busy, up to the timeout.
    bool Repetir(const std::function<bool()> &executar, QSqlQuery &q, QString &erro);
    // A write transaction that other copies queue behind: SQLite takes the file's write lock at
    // once, PostgreSQL a lock on `chave` (a student code, or the schema).
    bool Iniciar(qint64 chave, QString &erro);
    bool Terminar(bool ok, QString &erro);
    bool Migrar(int de, QString &erro);
    // Adds a stored session to its registration's totals (table resumo_aluno).
    bool Somar(qint64 matricula, const ResultadoSessao &r, QString &erro);
    bool MatriculaAtual(int codigo, qint64 &matricula, QString &nome, QString &erro);
    QString Erro(const QString &oque, const QString &detalhe) const;

    ConfigBanco config_;
    QString conexao_;
};
