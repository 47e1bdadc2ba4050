#pragma once

#include "common/ResultadoSessao.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class Digita;

// Where the results are kept and how to reach the database, as the administrator set it in
// Datilux.arq. Older copies of the program ignore these keys, so the settings file stays theirs too.
struct ConfigBanco {
    static inline const QString kChaveTipo = QStringLiteral("BancoTipo");
    static inline const QString kChaveServidor = QStringLiteral("BancoServidor");
    static inline const QString kChavePorta = QStringLiteral("BancoPorta");
    static inline const QString kChaveNome = QStringLiteral("BancoNome");
    static inline const QString kChaveUsuario = QStringLiteral("BancoUsuario");
    static inline const QString kChaveSenha = QStringLiteral("BancoSenha");
    static inline const QString kTipoSqlite = QStringLiteral("sqlite");
    static inline const QString kTipoPostgresql = QStringLiteral("postgresql");
    static constexpr int kPortaPadrao = 5432;

    enum class Tipo { SQLite, PostgreSQL };
    Tipo tipo = Tipo::SQLite;
    // SQLite: the database file (Resultados.db in the data folder).
    QString arquivo;
    // PostgreSQL.
    QString servidor;
    int porta = kPortaPadrao;
    QString nome;
    QString usuario;
    QString senha;
    // How long a connection, or a lock held by another copy of the program, may keep a write
    // waiting before it counts as failed. The write runs off the window's thread, but a result
    // waiting behind it waits as long.
    int segundosLimite = 5;

    // The settings of the data folder's Datilux.arq; absent keys keep the defaults (SQLite beside
    // the data files). False with the message when the settings file cannot be read.
    static bool Ler(Digita &d, ConfigBanco &config, QString &erro);
    // Writes every key; false with the message when the file could not be written.
    bool Gravar(Digita &d, QString &erro) const;
};

// One line of the per-student summary: the current registration of a code and its sessions.
struct ResumoAluno {
    qint64 matricula = 0;
    int codigo = 0;
    QString nome;
    int sessoes = 0;
    qint64 segundos = 0;
    std::optional<double> ultimaPpm; // of the most recent session
    std::optional<double> melhorPpm;
    std::optional<double> precisaoMedia; // mean of the sessions' accuracies
    QDateTime ultimoFim; // when the most recent session ended
    std::optional<double> precisaoRecente; // mean accuracy of the 10 most recent sessions
    int aprovados = 0; // class 6 sessions passed
    int reprovados = 0; // and failed
};

// The results store: every finished session of a student, one row each, kept in a database whose
// schema is a documented contract (tables aluno, sessao, erro_tecla, versao_esquema). One object
// owns one connection and is used from one thread only.
class ArmazemResultados {
public:
    static inline const QString kNomeArquivo = QStringLiteral("Resultados.db");
    // The schema this program writes. Version 1 kept no per-key errors and no computer name.
    static constexpr int kVersaoEsquema = 3;

    virtual ~ArmazemResultados() = default;

    // Connects, creates the schema in an empty database and migrates an older one. A database of
    // a newer program is refused and left untouched. False with a Portuguese message.
    virtual bool Abrir(QString &erro) = 0;
    // Stores one result and its per-key errors in one transaction. A result whose chave is already
    // stored is left as it is, and counts as written.
    virtual bool Gravar(const ResultadoSessao &r, QString &erro) = 0;
    // A new registration for a code ("Incluir" over a code freed by "Excluir"): its earlier history
    // stays in the database but no longer counts as the code's.
    virtual bool NovaMatricula(int codigo, const QString &nome, const QDateTime &desde, QString &erro) = 0;
    // The summary of every current registration that has at least one session, by code.
    virtual bool Resumo(QList<ResumoAluno> &resumo, QString &erro) = 0;
    // The sessions of the current registration of a code, oldest first (without per-key errors).
    virtual bool SessoesDoAluno(int codigo, QList<ResultadoSessao> &sessoes, QString &erro) = 0;
    // The per-key errors of all those sessions, summed: how often another key came where each
    // character was expected.
    virtual bool ErrosDoAluno(int codigo, QMap<QChar, int> &erros, QString &erro) = 0;
    // Erases every session of the code's current registration, and the registration itself, when it
    // is `nome`'s (the register of students deleted that student and the teacher asked for it).
    virtual bool ApagarAluno(int codigo, const QString &nome, QString &erro) = 0;
};

// Builds a store for the thread that calls it.
using FabricaArmazem = std::function<std::unique_ptr<ArmazemResultados>()>;

// The store's module (datilux-resultados), loaded the first time a store is made: Qt SQL is not in
// the program's memory before.
namespace ModuloArmazem {

// A new store over `config`, owned by the caller and used on the thread that calls Abrir. Never null.
using CriarFn = ArmazemResultados *(*)(const ConfigBanco &config);

inline constexpr char kCriar[] = "DatiluxArmazemCriar";

} // namespace ModuloArmazem
