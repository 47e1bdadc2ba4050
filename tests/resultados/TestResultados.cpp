#include "access/ArquivoDatilux.h"
#include "common/Mensagem.h"
#include "controls/FlatButton/FlatButton.h"
#include "resultados/BancoResultados.h"
#include "resultados/FilaResultados.h"
#include "resultados/GravadorResultados.h"
#include "resultados/ModuloResultados.h"
#include "resultados/sql/ArmazemSql.h"
#include "support/Ambiente.h"
#include "support/LimiteArquivo.h"
#include "support/ServidorPostgres.h"
#include "support/Tabela.h"

#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QLineEdit>
#include <QProcess>
#include <QSignalSpy>
#include <QSqlRecord>
#include <QSysInfo>
#include <QTest>

#include <unistd.h>

#include <memory>

// One suite, two back-ends: DATILUX_TESTE_BANCO=postgresql runs it against a PostgreSQL server the
// suite starts itself, anything else against SQLite files.
namespace {

bool Postgres()
{
    return qEnvironmentVariable("DATILUX_TESTE_BANCO") == QLatin1String("postgresql");
}

ServidorPostgres *servidor = nullptr;
int bancos = 0;

QDateTime Hora(int minuto)
{
    return QDateTime(QDate(2026, 3, 2), QTime(8, 0).addSecs(60 * minuto), Qt::OffsetFromUTC, -3 * 3600);
}

ResultadoSessao Res(const QString &chave, int codigo, const QString &nome, qint64 segundos, int toques,
                    int acertos, int erros, int minutoFim = 10)
{
    ResultadoSessao r;
    r.chave = chave, r.codigo = codigo, r.nome = nome, r.classe = 1, r.exercicio = 2;
    r.inicio = Hora(minutoFim).addSecs(-segundos), r.fim = Hora(minutoFim), r.segundos = segundos;
    r.toques = toques, r.acertos = acertos, r.erros = erros, r.caracteres = acertos,
    r.computador = QStringLiteral("LAB01");
    return r;
}

// Text of a config for a child process, and back.
QString Serializar(const ConfigBanco &c)
{
    const QString tipo = c.tipo == ConfigBanco::Tipo::PostgreSQL ? "pg" : "sqlite";
    return QStringList{tipo, c.arquivo, c.servidor, QString::number(c.porta), c.nome, c.usuario}.join(u'|');
}
ConfigBanco Desserializar(const QString &s)
{
    const QStringList p = s.split(u'|');
    ConfigBanco c;
    c.tipo = p.value(0) == QLatin1String("pg") ? ConfigBanco::Tipo::PostgreSQL : ConfigBanco::Tipo::SQLite;
    c.arquivo = p.value(1), c.servidor = p.value(2), c.porta = p.value(3).toInt(), c.nome = p.value(4),
    c.usuario = p.value(5);
    return c;
}

// A database of the test's own, reached with plain SQL to check what the store wrote.
struct Banco {
    Ambiente amb;
    ConfigBanco config;
    QString conexao = QStringLiteral("verificacao-%1").arg(++bancos);

    Banco()
    {
        config.arquivo = amb.Caminho(ArmazemResultados::kNomeArquivo);
        if (Postgres()) {
            config.tipo = ConfigBanco::Tipo::PostgreSQL;
            config.servidor = QStringLiteral("127.0.0.1");
            config.porta = servidor->Porta();
            config.nome = QStringLiteral("teste%1").arg(bancos);
            config.usuario = ServidorPostgres::kUsuario;
            QString erro;
            if (!servidor->CriarBanco(config.nome, erro))
                qFatal("CREATE DATABASE: %s", qPrintable(erro));
        }
    }
    ~Banco()
    {
        QSqlDatabase::database(conexao, false).close();
        QSqlDatabase::removeDatabase(conexao);
    }

    QSqlDatabase Db()
    {
        if (!QSqlDatabase::contains(conexao)) {
            QSqlDatabase db = QSqlDatabase::addDatabase(Postgres() ? "QPSQL" : "QSQLITE", conexao);
            db.setDatabaseName(Postgres() ? config.nome : config.arquivo);
            db.setHostName(config.servidor), db.setPort(config.porta), db.setUserName(config.usuario);
        }
        return QSqlDatabase::database(conexao);
    }
    void Fechar() { QSqlDatabase::database(conexao, false).close(); }

    // The rows of a query, each as its values joined by "|" (NULL for null, booleans as 1/0).
    QStringList Linhas(const QString &sql)
    {
        QSqlQuery q(Db());
        if (!q.exec(sql))
            qWarning() << sql << q.lastError().text();
        QStringList linhas;
        while (q.next()) {
            QStringList valores;
            for (int i = 0; i < q.record().count(); ++i) {
                const QVariant v = q.value(i);
                valores << (v.isNull()                        ? QStringLiteral("NULL")
                            : v.typeId() == QMetaType::Bool   ? QString::number(v.toBool())
                            : v.typeId() == QMetaType::Double ? QString::number(v.toDouble())
                                                              : v.toString());
            }
            linhas << valores.join(u'|');
        }
        return linhas;
    }
    QString Valor(const QString &sql) { return Linhas(sql).value(0); }
    bool Executar(const QString &sql, bool avisar = true)
    {
        QSqlQuery q(Db());
        return q.exec(sql) || (avisar && (qWarning() << sql << q.lastError().text(), true), false);
    }
};

// Child processes of the concurrency and fault tests: this same program with other arguments.
int Escritor(const QStringList &args)
{
    ConfigBanco c = Desserializar(args.value(0));
    // These copies write back to back, far beyond a lab's pace, so one may wait for the others
    // longer than a lab's timeout (past which a result goes to the spool, see falhas).
    c.segundosLimite = 120;
    ArmazemSql armazem(c);
    QString erro;
    if (!armazem.Abrir(erro)) {
        qWarning("%s", qPrintable(erro));
        return 1;
    }
    const int n = args.value(2).toInt();
    for (int i = 0; i < n; ++i) {
        const ResultadoSessao r = Res(QStringLiteral("%1-%2").arg(args.value(1)).arg(i), 1 + i % 40,
                                      QStringLiteral("ALUNO %1").arg(1 + i % 40), 60, 100, 95, 5, i);
        if (!armazem.Gravar(r, erro)) {
            qWarning("%s", qPrintable(erro));
            return 2;
        }
    }
    return 0;
}

int Gravador(const QStringList &args)
{
    const ConfigBanco c = Desserializar(args.value(0));
    int falhas = 0;
    {
        GravadorResultados g(ArmazemSql::Fabrica(c), args.value(3));
        int feitos = 0;
        const int n = args.value(2).toInt();
        QObject::connect(&g, &GravadorResultados::Falha, [&] { ++falhas; });
        QObject::connect(&g, &GravadorResultados::Gravado, [&] { ++feitos; });
        QObject::connect(&g, &GravadorResultados::Guardado, [&] { ++feitos; });
        for (int i = 0; i < n; ++i)
            g.Gravar(Res(args.value(1) + QString::number(i), 3, QStringLiteral("CIA"), 60, 60, 60, 0));
        QDeadlineTimer limite(60000);
        while (feitos < n && !limite.hasExpired())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
        QCoreApplication::processEvents();
    }
    return falhas;
}

QProcess *Filho(const QStringList &args, bool comoNinguem = false)
{
    auto *p = new QProcess;
    p->setProcessChannelMode(QProcess::ForwardedChannels);
    if (comoNinguem)
        p->start(QStringLiteral("runuser"),
                 QStringList{"-u", "nobody", "--", QCoreApplication::applicationFilePath()} + args);
    else
        p->start(QCoreApplication::applicationFilePath(), args);
    return p;
}

} // namespace

class TestResultados : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        ModuloResultados::caminhoModulo = QStringLiteral(DATILUX_MODULO_RESULTADOS);
        if (!Postgres())
            return;
        static ServidorPostgres pg;
        QString motivo;
        if (!pg.Iniciar(motivo)) {
            if (qEnvironmentVariable("CI") == QLatin1String("true"))
                QFAIL(qPrintable("PostgreSQL is required under CI: " + motivo));
            QSKIP(qPrintable("PostgreSQL part skipped: " + motivo));
        }
        servidor = &pg;
    }
    void cleanupTestCase()
    {
        if (servidor)
            servidor->Parar();
    }

    // One result, its columns as the contract names them, and a replay of it.
    void gravar_data()
    {
        // linha: codigo|nome|classe|exercicio|inicio|fim|segundos|toques|erros|acertos|caracteres|ppm|precisao|concluido|veredito|computador
        Colunas<ResultadoSessao, QString, QString>("resultado", "linha", "errosTecla");
        ResultadoSessao aprovado = Res("a", 7, QStringLiteral("JOSÉ"), 120, 300, 297, 3);
        aprovado.concluido = true, aprovado.veredito = QStringLiteral("aprovado"), aprovado.classe = 6;
        aprovado.errosPorTecla = {{u'ç', 1}, {u'a', 2}};
        QTest::newRow("aprovado com erros por tecla")
            << aprovado
            << QStringLiteral("7|JOSÉ|6|2|2026-03-02T08:08:00-03:00|2026-03-02T08:10:00-03:00|120|300|3|297|297|"
                              "150|99|1|aprovado|LAB01")
            << QStringLiteral("a=2;ç=1");
        QTest::newRow("sem tempo nem teclas: ppm e precisão nulas")
            << Res("b", 8, "BIA", 0, 0, 0, 0)
            << "8|BIA|1|2|2026-03-02T08:10:00-03:00|2026-03-02T08:10:00-03:00|0|0|0|0|0|NULL|NULL|0|NULL|LAB01"
            << "";
        ResultadoSessao reprovado = Res("c", 9, "CIA", 90, 45, 0, 9);
        reprovado.veredito = QStringLiteral("reprovado");
        QTest::newRow("só erros")
            << reprovado
            << "9|CIA|1|2|2026-03-02T08:08:30-03:00|2026-03-02T08:10:00-03:00|90|45|9|0|0|30|0|0|reprovado|LAB01"
            << "";
    }
    void gravar()
    {
        BUSCAR(ResultadoSessao, resultado, QString, linha, QString, errosTecla);
        Banco b;
        ArmazemSql armazem(b.config);
        QString erro;
        // The second write is a replayed spool.
        QVERIFY2(armazem.Abrir(erro) && armazem.Gravar(resultado, erro) && armazem.Gravar(resultado, erro),
                 qPrintable(erro));
        QCOMPARE(b.Linhas("SELECT codigo, nome, classe, exercicio, inicio, fim, segundos, toques, erros, acertos, "
                          "caracteres, ppm, precisao, concluido, veredito, computador FROM sessao"),
                 QStringList{linha});
        QCOMPARE(b.Linhas("SELECT e.caractere || '=' || e.erros FROM erro_tecla e JOIN sessao s ON s.id = "
                          "e.sessao ORDER BY 1")
                     .join(u';'),
                 errosTecla);
        QCOMPARE(b.Linhas("SELECT a.codigo, a.nome FROM aluno a JOIN sessao s ON s.matricula = a.matricula"),
                 QStringList{QStringLiteral("%1|%2").arg(resultado.codigo).arg(resultado.nome)});
    }

    // Registrations and the per-student summary: only the current registration of a code counts.
    void resumo_data()
    {
        // novaMatriculaAntes: index of the result before which the code is registered anew; -1 none
        // resumo: codigo|nome|sessoes|segundos|ultima ppm|melhor ppm|precisao media
        // sessoes7: chaves of code 7's current sessions
        Colunas<QList<ResultadoSessao>, int, QStringList, QStringList>("resultados", "novaMatriculaAntes",
                                                                       "resumo", "sessoes7");
        QTest::newRow("duas sessões, a última é a mais recente pelo fim")
            << QList<ResultadoSessao>{Res("x", 7, "ANA", 60, 120, 90, 10, 20),
                                      Res("y", 7, "ANA", 120, 120, 100, 0, 5)}
            << -1 << QStringList{"7|ANA|2|180|120|120|95"} << QStringList{"y", "x"};
        QTest::newRow("nome diferente: nova matrícula, história da anterior fora")
            << QList<ResultadoSessao>{Res("x", 7, "ANA", 60, 120, 90, 10), Res("y", 7, "BIA", 30, 60, 60, 0, 11),
                                      Res("z", 8, "CAIO", 60, 30, 0, 0)}
            << -1 << QStringList{"7|BIA|1|30|120|120|100", "8|CAIO|1|60|30|30|NULL"} << QStringList{"y"};
        QTest::newRow("Incluir sobre código liberado, mesmo nome")
            << QList<ResultadoSessao>{Res("x", 7, "ANA", 60, 120, 90, 10), Res("y", 7, "ANA", 60, 60, 30, 30, 11)}
            << 1 << QStringList{"7|ANA|1|60|60|60|50"} << QStringList{"y"};
        QTest::newRow("matrícula nova ainda sem sessão")
            << QList<ResultadoSessao>{Res("x", 7, "ANA", 60, 120, 90, 10)} << 1 << QStringList{} << QStringList{};
    }
    void resumo()
    {
        BUSCAR(QList<ResultadoSessao>, resultados, int, novaMatriculaAntes, QStringList, resumo, QStringList,
               sessoes7);
        Banco b;
        ArmazemSql armazem(b.config);
        QString erro;
        QVERIFY2(armazem.Abrir(erro), qPrintable(erro));
        for (int i = 0; i < resultados.size(); ++i) {
            if (i == novaMatriculaAntes)
                QVERIFY2(armazem.NovaMatricula(7, resultados[i - 1].nome, Hora(10), erro), qPrintable(erro));
            QVERIFY2(armazem.Gravar(resultados[i], erro), qPrintable(erro));
        }
        if (novaMatriculaAntes == resultados.size())
            QVERIFY2(armazem.NovaMatricula(7, resultados.last().nome, Hora(30), erro), qPrintable(erro));
        QList<ResumoAluno> lista;
        QVERIFY2(armazem.Resumo(lista, erro), qPrintable(erro));
        QStringList obtido;
        const auto n = [](std::optional<double> v) { return v ? QString::number(*v) : QStringLiteral("NULL"); };
        const auto i = [](qint64 v) { return QString::number(v); };
        for (const ResumoAluno &r : lista)
            obtido << QStringLiteral("%1|%2|%3|%4|%5|%6|%7")
                          .arg(i(r.codigo), r.nome, i(r.sessoes), i(r.segundos), n(r.ultimaPpm), n(r.melhorPpm),
                               n(r.precisaoMedia));
        QCOMPARE(obtido, resumo);
        QList<ResultadoSessao> sessoes;
        QVERIFY2(armazem.SessoesDoAluno(7, sessoes, erro), qPrintable(erro));
        QStringList chaves;
        for (const ResultadoSessao &s : sessoes)
            chaves << s.chave;
        QCOMPARE(chaves, sessoes7);
    }

    // The class report's figures over a history written out of order: the last session, the best
    // speed, the mean accuracy of the ten most recent, the class 6 verdicts; the same after the
    // totals are rebuilt from the sessions, and gone with the student's erased results.
    void relatorio()
    {
        Banco b;
        ArmazemSql armazem(b.config);
        QString erro;
        QVERIFY2(armazem.Abrir(erro), qPrintable(erro));
        for (int i = 0; i < 14; ++i) { // the minute goes down: written newest first
            ResultadoSessao r = Res(QStringLiteral("a%1").arg(i), 3, QStringLiteral("ANA"), 40 + 7 * i,
                                    100 + 9 * i, 80 + i, i % 4, 100 - 3 * i);
            if (i < 5)
                r.classe = 6, r.veredito = i % 2 ? QStringLiteral("aprovado") : QStringLiteral("reprovado");
            QVERIFY2(armazem.Gravar(r, erro), qPrintable(erro));
        }
        QVERIFY2(armazem.Gravar(Res("b", 4, "BETO", 60, 30, 0, 0), erro), qPrintable(erro));

        const auto linhas = [&] {
            QList<ResumoAluno> lista;
            QStringList l;
            if (!armazem.Resumo(lista, erro))
                return QStringList{erro};
            const auto n = [](std::optional<double> v) { return QString::number(v.value_or(-1), 'f', 3); };
            const auto i = [](qint64 v) { return QString::number(v); };
            for (const ResumoAluno &r : lista)
                l << QStringLiteral("%1|%2|%3|%4|%5|%6|%7|%8|%9")
                         .arg(i(r.codigo), i(r.sessoes), i(r.segundos), r.ultimoFim.toString(Qt::ISODate),
                              n(r.ultimaPpm), n(r.melhorPpm), n(r.precisaoRecente), i(r.aprovados),
                              i(r.reprovados));
            return l;
        };
        const QString beto =
            QStringLiteral("4|1|60|%1|30.000|30.000|-1.000|0|0").arg(Hora(10).toString(Qt::ISODate));
        // Newest (minute 100): 100 keys in 40 s, also the best speed; the mean of 100 * (80 + i) / (80 + i +
        // i % 4) over i < 10; 40 + 7i seconds in all.
        const QString ana =
            QStringLiteral("3|14|1197|%1|150.000|150.000|98.503|2|3").arg(Hora(100).toString(Qt::ISODate));
        QCOMPARE(linhas(), (QStringList{ana, beto}));
        QVERIFY2(armazem.RefazerResumo(erro), qPrintable(erro));
        QCOMPARE(linhas(), (QStringList{ana, beto}));

        // Erased only under the name of the code's current registration.
        QVERIFY2(armazem.ApagarAluno(3, QStringLiteral("OUTRA"), erro), qPrintable(erro));
        QCOMPARE(linhas().size(), 2);
        QVERIFY2(armazem.ApagarAluno(3, QStringLiteral("ANA"), erro), qPrintable(erro));
        QCOMPARE(linhas(), QStringList{beto});
        QCOMPARE(b.Valor("SELECT count(*) FROM sessao"), "1");
        QCOMPARE(b.Valor("SELECT count(*) FROM aluno"), "1");
    }

    // A database of version 1 is brought up to date; one of a newer program is refused untouched.
    void esquema_data()
    {
        Colunas<QStringList, bool>("sql", "aceito");
        const QString chave =
            Postgres() ? "INTEGER GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY" : "INTEGER PRIMARY KEY";
        const QStringList v1{
            "CREATE TABLE versao_esquema (versao INTEGER NOT NULL)",
            "INSERT INTO versao_esquema VALUES (1)",
            "CREATE TABLE aluno (matricula " + chave
                + ", codigo INTEGER NOT NULL, nome TEXT NOT NULL, desde TEXT NOT NULL)",
            "CREATE TABLE sessao (id " + chave
                + ", chave TEXT NOT NULL UNIQUE, matricula INTEGER NOT NULL REFERENCES aluno (matricula), codigo "
                  "INTEGER NOT NULL, nome TEXT NOT NULL, classe INTEGER NOT NULL, exercicio INTEGER NOT NULL, "
                  "inicio "
                  "TEXT, fim TEXT, segundos INTEGER NOT NULL, toques INTEGER NOT NULL, erros INTEGER NOT NULL, "
                  "acertos INTEGER NOT NULL, caracteres INTEGER NOT NULL, ppm REAL, precisao REAL, concluido "
                  "BOOLEAN NOT NULL, veredito TEXT)",
            "INSERT INTO aluno (codigo, nome, desde) VALUES (5, 'ANTIGO', '2025-01-01T08:00:00-03:00')",
            QStringLiteral("INSERT INTO sessao (chave, matricula, codigo, nome, classe, exercicio, inicio, fim, "
                           "segundos, toques, erros, acertos, caracteres, ppm, precisao, concluido) VALUES ('v1', "
                           "1, 5, 'ANTIGO', 1, 1, NULL, '2025-01-01T08:01:00-03:00', 60, 40, 0, 40, 40, 40, 100, "
                           "TRUE)"),
        };
        QTest::newRow("versão 1 migrada") << v1 << true;
        QTest::newRow("versão mais nova recusada")
            << QStringList{"CREATE TABLE versao_esquema (versao INTEGER NOT NULL)",
                           "INSERT INTO versao_esquema VALUES (99)", "CREATE TABLE futuro (x INTEGER)"}
            << false;
    }
    void esquema()
    {
        BUSCAR(QStringList, sql, bool, aceito);
        Banco b;
        for (const QString &s : sql)
            QVERIFY(b.Executar(s));
        const QString tabelas =
            Postgres()
                ? "SELECT table_name FROM information_schema.tables WHERE table_schema = 'public' ORDER BY 1"
                : "SELECT name FROM sqlite_master ORDER BY 1";
        const QStringList antes = b.Linhas(tabelas);
        b.Fechar();
        const QByteArray bytes = b.amb.Ler(ArmazemResultados::kNomeArquivo);

        ArmazemSql armazem(b.config);
        QString erro;
        QCOMPARE(armazem.Abrir(erro), aceito);
        if (!aceito) {
            QVERIFY2(erro.contains(QStringLiteral("versão mais nova do Datilux")), qPrintable(erro));
            QCOMPARE(b.Valor("SELECT versao FROM versao_esquema"), "99");
            QCOMPARE(b.Linhas(tabelas), antes);
            QCOMPARE(b.amb.Ler(ArmazemResultados::kNomeArquivo), bytes);
            return;
        }
        ResultadoSessao r = Res("novo", 5, "ANTIGO", 60, 60, 58, 2);
        r.errosPorTecla = {{u'q', 2}};
        QVERIFY2(armazem.Gravar(r, erro), qPrintable(erro));
        QCOMPARE(b.Valor("SELECT versao FROM versao_esquema"), QString::number(ArmazemResultados::kVersaoEsquema));
        QCOMPARE(b.Linhas("SELECT chave, matricula, computador FROM sessao ORDER BY id"),
                 (QStringList{"v1|1|NULL", "novo|1|LAB01"}));
        QCOMPARE(b.Valor("SELECT count(*) FROM erro_tecla"), "1");
        QList<ResumoAluno> lista;
        QVERIFY(armazem.Resumo(lista, erro));
        QCOMPARE(lista.size() == 1 ? lista[0].sessoes : -1, 2);
    }

    // Copies of the program writing at once, each its own process and connection: all rows, once each.
    void concorrencia()
    {
        const int processos = Postgres() ? 30 : 4;
        const int sessoes = Postgres() ? 100 : 250;
        Banco b; // a new, empty database: the copies also race to create the schema
        std::vector<std::unique_ptr<QProcess>> filhos;
        filhos.reserve(processos);
        for (int i = 0; i < processos; ++i)
            filhos.emplace_back(Filho(
                {"--escritor", Serializar(b.config), QStringLiteral("p%1").arg(i), QString::number(sessoes)}));
        for (auto &f : filhos) {
            QVERIFY(f->waitForFinished(240000));
            QCOMPARE(f->exitCode(), 0);
        }
        QCOMPARE(b.Valor("SELECT count(*) || '|' || count(DISTINCT chave) FROM sessao"),
                 QStringLiteral("%1|%1").arg(processos * sessoes));
        QCOMPARE(b.Valor("SELECT count(*) FROM aluno"), "40");
        QCOMPARE(b.Valor("SELECT count(*) FROM versao_esquema"), "1");
    }

    // The database goes away during a run: every result is kept in the spool, the failure is
    // reported once, and a later run writes the spool once each.
    void falhas_data()
    {
        Colunas<QString>("falha");
        if (Postgres()) {
            QTest::newRow("servidor parado") << "parado";
        } else {
            QTest::newRow("arquivo somente leitura") << "leitura";
            QTest::newRow("disco cheio") << "cheio";
            QTest::newRow("travado por outra cópia além do tempo limite") << "travado";
        }
    }
    void falhas()
    {
        QFETCH(QString, falha);
        Banco b;
        const QString fila = b.amb.Caminho(FilaResultados::NomeArquivo(QSysInfo::machineHostName()));
        Mensagem::Gravador mensagens;
        int falhasAvisadas = 0;
        {
            // Declared first, so that it is lifted only after the writer has finished this run.
            std::unique_ptr<LimiteArquivo> limite;
            ConfigBanco impaciente = b.config;
            impaciente.segundosLimite = 1;
            GravadorResultados g(ArmazemSql::Fabrica(impaciente), fila);
            QSignalSpy gravados(&g, &GravadorResultados::Gravado);
            QSignalSpy guardados(&g, &GravadorResultados::Guardado);
            QSignalSpy falhas(&g, &GravadorResultados::Falha);
            for (int i = 0; i < 2; ++i)
                g.Gravar(Res(QStringLiteral("antes%1").arg(i), 3, "CIA", 60, 60, 60, 0));
            QTRY_COMPARE(gravados.size(), 2);

            if (falha == "parado") {
                servidor->Parar(true);
            } else if (falha == "travado") {
                QVERIFY(b.Executar("BEGIN EXCLUSIVE"));
            } else if (falha == "cheio") {
                limite = std::make_unique<LimiteArquivo>(4096); // the rollback journal alone needs more
            } else {
                // A lab account that may read the database but not write it: the program keeps the
                // results in the spool (the folder stays writable). Root ignores permissions, so as
                // root that account is nobody, in a process of its own.
                const bool root = ::geteuid() == 0;
                QFile::setPermissions(b.config.arquivo,
                                      QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
                QFile::setPermissions(b.amb.dir.path(), QFileDevice::Permissions(0x7777));
                std::unique_ptr<QProcess> filho(
                    Filho({"--gravador", Serializar(b.config), "durante", "3", fila}, root));
                QVERIFY(filho->waitForFinished(60000));
                QCOMPARE(filho->exitStatus(), QProcess::NormalExit);
                falhasAvisadas = filho->exitCode();
                QFile::setPermissions(b.config.arquivo, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
            }
            if (falha != "leitura") {
                for (int i = 0; i < 3; ++i)
                    g.Gravar(Res(QStringLiteral("durante%1").arg(i), 3, "CIA", 60, 60, 60, 0));
                QTRY_COMPARE(guardados.size(), 3);
                falhasAvisadas = int(falhas.size());
                QVERIFY(falhas.value(0).value(0).toString().contains("Ele foi guardado neste computador"));
            }
            QCOMPARE(falhasAvisadas, 1);
            QList<ResultadoSessao> guardadas;
            QString erro;
            QVERIFY(FilaResultados(fila).Ler(guardadas, erro));
            QCOMPARE(guardadas.size(), 3);
            QCOMPARE(guardadas.first().chave, "durante0");
            QCOMPARE(guardadas.last().chave, "durante2");
        }
        if (falha == "travado")
            QVERIFY(b.Executar("ROLLBACK"));
        if (falha == "parado") {
            QString saida;
            QVERIFY2(servidor->Ligar(saida), qPrintable(saida));
        }
        // The next run, as the program starts it: the spool is written at start-up, in order, and
        // emptied; then the code is registered anew, so the next result starts a new history.
        {
            QString erro;
            QVERIFY(b.config.Gravar(b.amb.digita, erro));
            std::unique_ptr<GravadorResultados> g(ArmazemSql::NovoGravador(b.amb.digita, nullptr, erro));
            QVERIFY2(g, qPrintable(erro));
            QSignalSpy filaGravada(g.get(), &GravadorResultados::FilaGravada);
            QSignalSpy gravados(g.get(), &GravadorResultados::Gravado);
            QTRY_COMPARE(filaGravada.size(), 1);
            QCOMPARE(filaGravada[0][0].toInt(), 3);
            g->NovaMatricula(3, "CIA");
            g->Gravar(Res("depois", 3, "CIA", 60, 60, 60, 0));
            QTRY_COMPARE(gravados.size(), 1);
        }
        QVERIFY(FilaResultados(fila).Vazia());
        QCOMPARE(
            b.Linhas(
                "SELECT chave, CASE WHEN matricula = (SELECT min(matricula) FROM aluno) THEN 'a' ELSE 'b' END "
                "FROM sessao ORDER BY id"),
            (QStringList{"antes0|a", "antes1|a", "durante0|a", "durante1|a", "durante2|a", "depois|b"}));
        QVERIFY(mensagens.mensagens.isEmpty()); // the window shows the failure, not the writer
    }

    // The spool survives a crash in the middle of a line: the cut line is skipped, the next result
    // starts a line of its own, and a replay of an already stored result stores nothing.
    void fila_data()
    {
        Colunas<QByteArray, QStringList>("antes", "lidas");
        QTest::newRow("vazia") << QByteArray() << QStringList{"n"};
        QTest::newRow("linha cortada") << QByteArray("{\"chave\":\"cortada\",\"cod") << QStringList{"n"};
        QTest::newRow("linha inteira antes")
            << FilaResultados::ParaJson(Res("velha", 1, QStringLiteral("ÁGUA \"1\""), 5, 5, 5, 0)) + "\n"
            << QStringList{"velha", "n"};
    }
    void fila()
    {
        BUSCAR(QByteArray, antes, QStringList, lidas);
        Ambiente amb;
        QVERIFY(antes.isEmpty() || amb.Gravar("f.fila", antes));
        FilaResultados f(amb.Caminho("f.fila"));
        ResultadoSessao n = Res("n", 2, QStringLiteral("JOÃO"), 61, 70, 65, 5);
        n.errosPorTecla = {{u'\n', 1}, {u'é', 4}};
        n.concluido = true, n.veredito = "reprovado";
        QString erro;
        QVERIFY(f.Acrescentar(n, erro));
        QList<ResultadoSessao> lista;
        QVERIFY(f.Ler(lista, erro));
        QStringList chaves;
        for (const ResultadoSessao &r : lista)
            chaves << r.chave;
        QCOMPARE(chaves, lidas);
        QCOMPARE(FilaResultados::ParaJson(lista.last()), FilaResultados::ParaJson(n));
        QCOMPARE(lista.last().fim, n.fim);
        if (antes.isEmpty()) // a spool the program creates may be written by the lab's group
            QCOMPARE(QFile::permissions(f.Caminho()) & QFileDevice::WriteGroup, QFileDevice::WriteGroup);
    }

    // The role the README gives a lab (add and read results only) is enough for the program, and
    // cannot change what was stored.
    void papel_data()
    {
        Colunas<QString>("proibido");
        QTest::newRow("apagar sessões") << "DELETE FROM sessao";
        QTest::newRow("alterar alunos") << "UPDATE aluno SET nome = 'X'";
    }
    void papel()
    {
        QFETCH(QString, proibido);
        if (!Postgres())
            QSKIP("roles belong to the PostgreSQL run");
        Banco b;
        QString erro;
        {
            ArmazemSql dono(b.config);
            QVERIFY2(dono.Abrir(erro), qPrintable(erro));
        }
        const QStringList concessoes{
            "DO $$ BEGIN CREATE ROLE datilux_lab LOGIN; EXCEPTION WHEN duplicate_object THEN NULL; END $$",
            "GRANT CONNECT ON DATABASE " + b.config.nome + " TO datilux_lab",
            "GRANT USAGE ON SCHEMA public TO datilux_lab",
            "GRANT SELECT ON versao_esquema TO datilux_lab",
            "GRANT SELECT, INSERT ON aluno, sessao, erro_tecla TO datilux_lab",
            "GRANT SELECT, INSERT, UPDATE ON resumo_aluno TO datilux_lab",
        };
        for (const QString &sql : concessoes)
            QVERIFY(b.Executar(sql));
        ConfigBanco lab = b.config;
        lab.usuario = QStringLiteral("datilux_lab");
        {
            ArmazemSql armazem(lab);
            QVERIFY2(armazem.Abrir(erro), qPrintable(erro));
            ResultadoSessao r = Res("lab", 4, "DUDA", 60, 80, 75, 5);
            r.errosPorTecla = {{u'k', 5}};
            QVERIFY2(armazem.Gravar(r, erro), qPrintable(erro));
            QVERIFY2(armazem.Gravar(Res("lab2", 4, "DUDA", 60, 80, 75, 5, 30), erro), qPrintable(erro));
            QVERIFY2(armazem.NovaMatricula(4, "EVA", Hora(40), erro), qPrintable(erro));
            QList<ResumoAluno> lista;
            QVERIFY2(armazem.Resumo(lista, erro), qPrintable(erro));
        }
        Banco comoLab;
        comoLab.config = lab;
        QVERIFY(!comoLab.Executar(proibido, false));
        QCOMPARE(b.Valor("SELECT count(*) || '|' || min(nome) FROM aluno"), "2|DUDA");
        QCOMPARE(b.Valor("SELECT count(*) FROM sessao"), "2");
    }

    // The settings keys: absent means SQLite in the data folder; the dialog writes them all.
    void config_data()
    {
        Colunas<QString, QString, bool, int>("tipo", "porta", "postgres", "portaLida");
        QTest::newRow("ausente") << QString() << QString() << false << 5432;
        QTest::newRow("maiúsculas e porta inválida") << "PostgreSQL" << QStringLiteral("99999") << true << 5432;
        QTest::newRow("desconhecido") << "mysql" << QStringLiteral("1") << false << 1;
    }
    void config()
    {
        BUSCAR(QString, tipo, QString, porta, bool, postgres, int, portaLida);
        Ambiente amb;
        QString erro;
        QVERIFY(ArquivoDatilux::GravarConfig(amb.digita, ArquivoDatilux::kChaveSenhaAdm, "KORVA", erro));
        if (!tipo.isEmpty())
            QVERIFY(ArquivoDatilux::GravarConfig(amb.digita, ConfigBanco::kChaveTipo, tipo, erro));
        if (!porta.isEmpty())
            QVERIFY(ArquivoDatilux::GravarConfig(amb.digita, ConfigBanco::kChavePorta, porta, erro));
        ConfigBanco c;
        QVERIFY(ConfigBanco::Ler(amb.digita, c, erro));
        QCOMPARE(c.tipo == ConfigBanco::Tipo::PostgreSQL, postgres);
        QCOMPARE(c.porta, portaLida);
        QCOMPARE(c.arquivo, amb.Caminho("Resultados.db"));
    }

    // The dialog: "Testar conexão" with the boxes' settings, OK stores every key, Cancelar none.
    void dialogo_data()
    {
        Colunas<bool, QString>("portaErrada", "botao");
        QTest::newRow("testar e gravar") << false << "BtnOK";
        QTest::newRow("porta errada, cancelar") << true << "BtnCancelar";
    }
    void dialogo()
    {
        BUSCAR(bool, portaErrada, QString, botao);
        Banco b;
        Mensagem::Gravador mensagens;
        const QByteArray antes = b.amb.Ler(ArquivoDatilux::kNomeArquivo);
        BancoResultados d(b.amb.digita);
        d.show();
        auto *tipo = d.findChild<QComboBox *>("CboTipo");
        QCOMPARE(tipo->currentIndex(), 0);
        QVERIFY(!d.findChild<QLineEdit *>("TxtServidor")->isEnabled());
        if (Postgres()) {
            tipo->setCurrentIndex(1);
            d.findChild<QLineEdit *>("TxtServidor")->setText(b.config.servidor);
            d.findChild<QLineEdit *>("TxtNome")->setText(b.config.nome);
            d.findChild<QLineEdit *>("TxtUsuario")->setText(b.config.usuario);
            d.findChild<QLineEdit *>("TxtSenha")->setText(QStringLiteral("sénha"));
        }
        d.findChild<QLineEdit *>("TxtPorta")
            ->setText(QString::number(portaErrada && Postgres() ? 1 : b.config.porta));
        if (portaErrada && !Postgres()) // SQLite fails on a folder it cannot write a file into
            QFile::setPermissions(b.amb.dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        const bool falha = portaErrada && (Postgres() || ::geteuid() != 0);
        d.findChild<FlatButton *>("BtnTestar")->Click();
        QTRY_COMPARE(mensagens.mensagens.size(), 1);
        QFile::setPermissions(b.amb.dir.path(),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QCOMPARE(mensagens.mensagens[0].icone, falha ? Mensagem::Icone::Critico : Mensagem::Icone::Informacao);
        if (!falha)
            QCOMPARE(mensagens.mensagens[0].texto, BancoResultados::kConexaoOk);
        d.findChild<FlatButton *>(botao)->Click();
        QTRY_VERIFY(!d.isVisible());
        ConfigBanco lida;
        QString erro;
        b.amb.digita.TextoConfig.clear();
        QVERIFY(ConfigBanco::Ler(b.amb.digita, lida, erro));
        if (botao == "BtnCancelar") {
            QCOMPARE(b.amb.Ler(ArquivoDatilux::kNomeArquivo), antes);
            return;
        }
        QCOMPARE((QVariantList{int(lida.tipo), lida.porta, lida.nome, lida.senha}),
                 (QVariantList{int(b.config.tipo), b.config.porta, Postgres() ? b.config.nome : QString(),
                               Postgres() ? QStringLiteral("sénha") : QString()}));
    }
};

int main(int argc, char **argv)
{
    const QStringList args = QStringList(argv + 1, argv + argc);
    if (args.value(0) == QLatin1String("--escritor") || args.value(0) == QLatin1String("--gravador")) {
        QCoreApplication app(argc, argv);
        return args[0] == QLatin1String("--escritor") ? Escritor(args.mid(1)) : Gravador(args.mid(1));
    }
    QApplication app(argc, argv);
    TestResultados t;
    return QTest::qExec(&t, argc, argv);
}

#include "TestResultados.moc"
