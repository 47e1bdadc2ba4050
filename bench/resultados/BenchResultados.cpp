// The results store:
// - the cost of writing one finished session with a few per-key errors, in its own transaction
//   (median and 90th percentile over 300 writes), on a SQLite file and on a PostgreSQL server of
//   this machine (started here, as the tests do; skipped when its binaries are missing);
// - opening the per-student summary for 9,999 students over 1,000,000 sessions (median of 7),
//   on SQLite and on PostgreSQL, and the class report's window over it (goal: under 300 ms). The sessions are loaded in bulk, then the
//   per-registration totals rebuilt from them (timed too: what a migration from version 1 costs).

#include "access/ArquivoAlunos.h"
#include "common/Digita.h"
#include "relatorio/JanelaRelatorio.h"
#include "resultados/sql/ArmazemSql.h"
#include "support/ServidorPostgres.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kAlunos = 9999;
constexpr int kSessoes = 1000000;

double Mediana(std::vector<double> v, double fracao = 0.5)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[size_t(double(v.size() - 1) * fracao)];
}

ResultadoSessao Resultado(int i)
{
    ResultadoSessao r;
    r.chave = QStringLiteral("bench-%1").arg(i);
    r.codigo = 1 + i % 40;
    r.nome = QStringLiteral("ALUNO %1").arg(r.codigo);
    r.classe = 3, r.exercicio = 7;
    r.fim = QDateTime::currentDateTime();
    r.inicio = r.fim.addSecs(-185);
    r.segundos = 185, r.toques = 640, r.erros = 9, r.acertos = 620, r.caracteres = 610, r.concluido = true;
    r.computador = QStringLiteral("LAB01");
    r.errosPorTecla = {{u'ç', 3}, {u'a', 2}, {u'q', 4}};
    return r;
}

void CustoGravar(const char *nome, const ConfigBanco &c)
{
    ArmazemSql armazem(c);
    QString erro;
    if (!armazem.Abrir(erro)) {
        std::printf("%s: %s\n", nome, qPrintable(erro));
        return;
    }
    std::vector<double> ms;
    for (int i = 0; i < 300; ++i) {
        QElapsedTimer t;
        t.start();
        if (!armazem.Gravar(Resultado(i), erro)) {
            std::printf("%s: %s\n", nome, qPrintable(erro));
            return;
        }
        ms.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    std::printf("write one session, %s: median %.2f ms, p90 %.2f ms\n", nome, Mediana(ms), Mediana(ms, 0.9));
}

// Fills the database with the students and their sessions in one statement each, then opens the
// summary through the store.
void Resumo(const char *nome, const ConfigBanco &c, bool pg, Digita &d)
{
    {
        ArmazemSql armazem(c);
        QString erro;
        if (!armazem.Abrir(erro)) {
            std::printf("%s: %s\n", nome, qPrintable(erro));
            return;
        }
    }
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(pg ? "QPSQL" : "QSQLITE", "carga");
        db.setDatabaseName(pg ? c.nome : c.arquivo);
        db.setHostName(c.servidor), db.setPort(c.porta), db.setUserName(c.usuario);
        db.open();
        QSqlQuery q(db);
        const QString serie = pg ? QStringLiteral("generate_series(1, %1) AS n(i)").arg(kSessoes)
                                 : QStringLiteral("(WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM "
                                                  "n WHERE i < %1) SELECT i FROM n)")
                                       .arg(kSessoes);
        const QString fim =
            pg ? QStringLiteral("to_char(timestamp '2024-01-01 08:00' + i * interval '97 seconds', "
                                "'YYYY-MM-DD\"T\"HH24:MI:SS') || '-03:00'")
               : QStringLiteral(
                   "strftime('%Y-%m-%dT%H:%M:%S', '2024-01-01 08:00', '+' || (i * 97) || ' seconds') || '-03:00'");
        const QString alunos = pg ? QStringLiteral("generate_series(1, %1) AS n(i)").arg(kAlunos)
                                  : QStringLiteral("(WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM "
                                                   "n WHERE i < %1) SELECT i FROM n)")
                                        .arg(kAlunos);
        QElapsedTimer t;
        t.start();
        const bool ok =
            q.exec("BEGIN")
            && q.exec("INSERT INTO aluno (matricula, codigo, nome, desde) SELECT i, i, 'ALUNO ' || i, "
                      "'2024-01-01T08:00:00-03:00' FROM "
                      + alunos)
            && q.exec("INSERT INTO sessao (chave, matricula, codigo, nome, classe, exercicio, inicio, "
                      "fim, segundos, toques, erros, "
                      "acertos, caracteres, ppm, precisao, concluido, veredito, computador) "
                      "SELECT 'c' || i, 1 + i % 9999, 1 + i % 9999, 'ALUNO ' || (1 + i % 9999), 1 + i "
                      "% 6, 1 + i % 30, NULL, "
                      + fim
                      + ", "
                        "60 + i % 540, 100 + i % 700, i % 13, 90 + i % 700, 90 + i % 700, 60.0 * (100 "
                        "+ i % 700) / (60 + i % 540), "
                        "100.0 * (90 + i % 700) / (90 + i % 700 + i % 13), TRUE, "
                        "CASE WHEN i % 6 = 5 THEN CASE WHEN i % 4 = 1 THEN 'aprovado' ELSE 'reprovado' "
                        "END END, 'LAB01' FROM "
                      + serie)
            && q.exec("COMMIT") && q.exec("ANALYZE");
        if (!ok) {
            std::printf("%s: loading failed: %s\n", nome, qPrintable(q.lastError().text()));
            return;
        }
        std::printf("  (%s: %d students, %d sessions loaded in %.1f s)\n", nome, kAlunos, kSessoes,
                    double(t.elapsed()) / 1000);
        db.close();
    }
    QSqlDatabase::removeDatabase("carga");

    ArmazemSql armazem(c);
    QString erro;
    QElapsedTimer t;
    t.start();
    if (!armazem.Abrir(erro) || !armazem.RefazerResumo(erro)) {
        std::printf("%s: %s\n", nome, qPrintable(erro));
        return;
    }
    std::printf("  (%s: totals of every registration rebuilt in %.1f s)\n", nome, double(t.elapsed()) / 1000);
    std::vector<double> ms;
    QList<ResumoAluno> resumo;
    for (int i = 0; i < 7; ++i) {
        QElapsedTimer t;
        t.start();
        if (!armazem.Resumo(resumo, erro)) {
            std::printf("%s: %s\n", nome, qPrintable(erro));
            return;
        }
        ms.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    std::printf("summary of %lld students over %d sessions, %s: median %.0f ms (first %.0f ms)\n",
                qlonglong(resumo.size()), kSessoes, nome, Mediana(ms), ms.front());

    // The administrator's window over the register of 9,999 students and this database: from the
    // command to the rows on screen.
    if (!c.Gravar(d, erro)) {
        std::printf("%s: %s\n", nome, qPrintable(erro));
        return;
    }
    ms.clear();
    for (int i = 0; i < 7; ++i) {
        QElapsedTimer t;
        t.start();
        JanelaRelatorio janela(d);
        janela.show();
        if (!janela.Carregado()) {
            QEventLoop laco;
            QObject::connect(&janela, &JanelaRelatorio::Carregou, &laco, &QEventLoop::quit);
            laco.exec();
        }
        janela.repaint();
        ms.push_back(double(t.nsecsElapsed()) / 1e6);
        const QList<RelatorioTurma::Linha> linhas = janela.LinhasVisiveis();
        const auto comSessoes = std::count_if(linhas.begin(), linhas.end(),
                                              [](const RelatorioTurma::Linha &l) { return l.sessoes > 0; });
        if (linhas.size() != kAlunos || comSessoes != kAlunos)
            std::printf("%s: %lld rows, %lld with sessions\n", nome, qlonglong(linhas.size()),
                        qlonglong(comSessoes));
    }
    std::printf("\"%s\" opened and filled, %s: median %.0f ms (goal 300 ms)\n",
                qPrintable(RelatorioTurma::kTitulo), nome, Mediana(ms));
}

// The register: 9,999 students, the codes the sessions name.
bool Cadastro(Digita &d)
{
    ArquivoAlunos arquivo;
    QString erro;
    if (!arquivo.Abrir(d.Caminho(ArquivoAlunos::kNomeArquivo), erro))
        return false;
    for (int i = 1; i <= kAlunos; ++i) {
        Aluno a;
        a.Codigo = QStringLiteral("%1").arg(i, 4, 10, QLatin1Char('0'));
        a.Nome = QStringLiteral("ALUNO %1").arg(i);
        a.Senha = QStringLiteral("X"), a.Classe = qint16(1 + i % 6), a.Exercicio = qint16(1 + i % 20);
        if (!arquivo.Gravar(a, erro))
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QTemporaryDir pasta;
    Digita d(pasta.path());
    if (!Cadastro(d)) {
        std::printf("the register could not be written\n");
        return 1;
    }
    ConfigBanco sqlite;
    sqlite.arquivo = pasta.filePath("Escrita.db");
    CustoGravar("SQLite file", sqlite);

    ServidorPostgres servidor;
    QString motivo;
    const bool temPg = servidor.Iniciar(motivo);
    ConfigBanco pg;
    pg.tipo = ConfigBanco::Tipo::PostgreSQL;
    pg.servidor = "127.0.0.1", pg.porta = servidor.Porta(), pg.usuario = ServidorPostgres::kUsuario;
    if (temPg) {
        pg.nome = "escrita";
        servidor.CriarBanco(pg.nome, motivo);
        CustoGravar("PostgreSQL on localhost", pg);
    } else {
        std::printf("PostgreSQL skipped: %s\n", qPrintable(motivo));
    }

    sqlite.arquivo = d.Caminho(ArmazemResultados::kNomeArquivo); // where the window looks for it
    Resumo("SQLite", sqlite, false, d);
    if (temPg) {
        pg.nome = "resumo";
        servidor.CriarBanco(pg.nome, motivo);
        Resumo("PostgreSQL", pg, true, d);
    }
    return 0;
}
