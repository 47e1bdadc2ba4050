// "Meu desempenho" with 10,000 sessions of one student (goal: filled in under 200 ms), median of 7
// openings, each phase on its own: the store's two queries, the chart module building and painting
// its widget,
// and the whole window from construction to filled and painted.

#include "app/MeuDesempenho.h"
#include "resultados/ModuloResultados.h"
#include "resultados/sql/ArmazemSql.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLibrary>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double Mediana(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

double Ms(const QElapsedTimer &t)
{
    return double(t.nsecsElapsed()) / 1e6;
}

bool Carregar(const ConfigBanco &banco)
{
    ArmazemSql armazem(banco);
    QString erro;
    ResultadoSessao r;
    r.chave = QStringLiteral("primeira");
    r.codigo = 1;
    r.nome = QStringLiteral("ANA");
    r.classe = r.exercicio = 1;
    r.inicio = QDateTime(QDate(2026, 1, 5), QTime(8, 0));
    r.fim = r.inicio.addSecs(60);
    r.segundos = 60, r.toques = 120, r.acertos = 98, r.erros = 2;
    r.errosPorTecla = {{u'f', 2}};
    if (!armazem.Abrir(erro) || !armazem.Gravar(r, erro)) {
        std::printf("store: %s\n", qPrintable(erro));
        return false;
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("carga"));
    db.setDatabaseName(banco.arquivo);
    QSqlQuery q(db);
    return db.open()
           && q.exec(QStringLiteral(
               "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 9999) "
               "INSERT INTO sessao (chave, matricula, codigo, nome, classe, exercicio, inicio, fim, segundos, "
               "toques, erros, acertos, caracteres, ppm, precisao, concluido, veredito) "
               "SELECT 'k' || i, s.matricula, 1, 'ANA', 1 + i % 6, 1 + i % 20, s.inicio, "
               "strftime('%Y-%m-%dT%H:%M:%S', '2026-02-01 08:00:00', '+' || (i * 7) || ' minutes'), 60, "
               "100 + i % 150, i % 9, 90, 100, 0, 90.0, 1, NULL FROM n, sessao s WHERE s.chave = 'primeira'"))
           && q.exec(QStringLiteral("INSERT INTO erro_tecla (sessao, caractere, erros) "
                                    "SELECT id, substr('asdfjklç', 1 + id % 8, 1), 1 + id % 3 FROM sessao"));
}

bool Preparar(const ConfigBanco &banco)
{
    const bool ok = Carregar(banco);
    QSqlDatabase::removeDatabase(QStringLiteral("carga"));
    return ok;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    ConfigBanco banco;
    banco.arquivo = dir.filePath(QStringLiteral("resultados.db"));
    if (!Preparar(banco))
        return 1;
    MeuDesempenho::caminhoModulo = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    ModuloResultados::caminhoModulo = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();

    using Criar = QWidget *(*)(QWidget *, const QList<QDateTime> &, const QList<double> &, const QList<double> &);
    QLibrary modulo(MeuDesempenho::caminhoModulo);
    auto criar = reinterpret_cast<Criar>(modulo.resolve("DatiluxGraficoCriar"));
    if (!criar) {
        std::printf("chart module: %s\n", qPrintable(modulo.errorString()));
        return 1;
    }
    std::vector<double> consulta, erros, grafico, janela;
    for (int rodada = 0; rodada < 7; ++rodada) {
        ArmazemSql armazem(banco);
        QString erro;
        QList<ResultadoSessao> sessoes;
        QMap<QChar, int> porTecla;
        QElapsedTimer t;
        t.start();
        if (!armazem.Abrir(erro) || !armazem.SessoesDoAluno(1, sessoes, erro)) {
            std::printf("store: %s\n", qPrintable(erro));
            return 1;
        }
        consulta.push_back(Ms(t));
        t.restart();
        armazem.ErrosDoAluno(1, porTecla, erro);
        erros.push_back(Ms(t));

        QList<QDateTime> quando;
        QList<double> ppm, precisao;
        for (const ResultadoSessao &r : sessoes) {
            quando << r.fim;
            ppm << r.ppm().value_or(0);
            precisao << r.precisao().value_or(0);
        }
        t.restart();
        {
            QWidget pai;
            pai.resize(700, 300);
            QWidget *g = criar(&pai, quando, ppm, precisao);
            g->resize(700, 300);
            pai.show();
            pai.repaint();
        }
        grafico.push_back(Ms(t));

        t.restart();
        auto *d = new MeuDesempenho(banco, 1);
        d->show();
        QEventLoop laco;
        QObject::connect(d, &MeuDesempenho::Carregou, &laco, &QEventLoop::quit);
        if (!d->Carregado())
            laco.exec();
        d->repaint();
        janela.push_back(Ms(t));
        if (d->Sessoes().size() != 10000) {
            std::printf("expected 10000 sessions, got %lld\n", static_cast<long long>(d->Sessoes().size()));
            return 1;
        }
        delete d;
    }
    std::printf("sessions of one student (10,000): median %.1f ms\n", Mediana(consulta));
    std::printf("keys missed over them: median %.1f ms\n", Mediana(erros));
    std::printf("chart of them built and painted: median %.1f ms\n", Mediana(grafico));
    std::printf("\"Meu desempenho\" opened, filled and painted: median %.1f ms (goal 200 ms)\n", Mediana(janela));
    return 0;
}
