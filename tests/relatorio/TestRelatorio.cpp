#include "access/ArquivoAlunos.h"
#include "relatorio/JanelaRelatorio.h"
#include "resultados/ModuloResultados.h"
#include "resultados/sql/ArmazemSql.h"
#include "support/Ambiente.h"
#include "support/Arquivos.h"
#include "support/Tabela.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPdfDocument>
#include <QPdfSelection>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

using namespace RelatorioTurma;

namespace {

ResultadoSessao Sessao(int codigo, const QString &nome, int n, int toques, int minuto)
{
    ResultadoSessao r;
    r.chave = QStringLiteral("%1-%2").arg(codigo).arg(n);
    r.codigo = codigo, r.nome = nome, r.classe = 1, r.exercicio = 1;
    r.fim = QDateTime(QDate(2026, 11, 3), QTime(9, 0).addSecs(60 * minuto));
    r.inicio = r.fim.addSecs(-60), r.segundos = 60, r.toques = toques, r.acertos = toques - 2, r.erros = 2;
    return r;
}

// A register and a results store in the temporary folder, then the report window over them.
struct Turma {
    Ambiente amb;

    bool Preparar(const QList<Aluno> &alunos, const QList<ResultadoSessao> &sessoes)
    {
        if (!Cadastrar(amb.digita, alunos))
            return false;
        QString erro;
        ConfigBanco banco;
        banco.arquivo = amb.Caminho(ArmazemResultados::kNomeArquivo);
        ArmazemSql armazem(banco);
        if (!armazem.Abrir(erro))
            return false;
        for (const ResultadoSessao &r : sessoes)
            if (!armazem.Gravar(r, erro))
                return false;
        return true;
    }

    std::unique_ptr<JanelaRelatorio> Abrir()
    {
        auto j = std::make_unique<JanelaRelatorio>(amb.digita);
        QSignalSpy carregou(j.get(), &JanelaRelatorio::Carregou);
        if (!j->Carregado())
            carregou.wait(10000);
        return j;
    }
};

// The rows' texts in the given columns, joined by "|".
QStringList Textos(const QList<Linha> &linhas, const QList<int> &colunas)
{
    QStringList l;
    for (const Linha &x : linhas) {
        QStringList celulas;
        for (int c : colunas)
            celulas << Texto(x, c);
        l << celulas.join(u'|');
    }
    return l;
}

} // namespace

class TestRelatorio : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        JanelaRelatorio::caminhoModulo = QStringLiteral(DATILUX_MODULO_IMPRESSAO);
        ModuloResultados::caminhoModulo = QStringLiteral(DATILUX_MODULO_RESULTADOS);
    }

    // Exactly what a Portuguese spreadsheet program opens: BOM, ';', CRLF, decimal comma, dd/mm/aaaa,
    // a name holding ';' or '"' quoted.
    void planilha()
    {
        Linha a;
        a.codigo = 7, a.nome = QStringLiteral("JOSÉ; DA \"SILVA\""), a.classe = 6, a.exercicio = 12;
        a.sessoes = 3, a.segundos = 3725, a.ultimaSessao = QDateTime(QDate(2026, 3, 9), QTime(14, 5));
        a.ultimaPpm = 182.4, a.melhorPpm = 190.6, a.precisaoRecente = 96.25, a.aprovados = 2, a.reprovados = 1;
        Linha b;
        b.codigo = 12, b.nome = QStringLiteral("BIA"), b.classe = 1, b.exercicio = 1;
        QCOMPARE(Planilha({a, b}),
                 QByteArray("\xEF\xBB\xBF"
                            "Cód;Nome;Classe;Exerc;Sessões;Tempo;Última sessão;Última vel.;Melhor vel.;"
                            "Precisão (10 últ.);Aprov. cl. 6;Reprov. cl. 6\r\n"
                            "7;\"JOSÉ; DA \"\"SILVA\"\"\";6;12;3;01:02:05;09/03/2026;182;191;96,3;2;1\r\n"
                            "12;BIA;1;1;0;00:00:00;;;;;0;0\r\n"));
    }

    // The register's students with the store's totals: a deleted slot is left out, and a code given
    // to someone else shows none of the previous holder's sessions.
    void linhas()
    {
        Turma t;
        QVERIFY(
            t.Preparar({AlunoDe(1, "ANA", 2, 5), AlunoDe(2, "", 1, 1), AlunoDe(3, "CAIO", 1, 9)},
                       {Sessao(1, "ANA", 1, 120, 1), Sessao(1, "ANA", 2, 200, 2), Sessao(3, "OUTRO", 1, 90, 3)}));
        auto j = t.Abrir();
        QVERIFY(j->Carregado());
        const QList<Linha> l = j->LinhasVisiveis();
        QCOMPARE(Textos(l, {kNome, kSessoes, kUltimaPpm, kMelhorPpm, kPrecisao, kUltimaSessao}),
                 (QStringList{"ANA|2|200|200|98,7%|03/11/2026", "CAIO|0||||"}));
        QCOMPARE(j->findChild<QLabel *>(QStringLiteral("LblSituacao"))->text(), QStringLiteral("2 alunos"));
    }

    // Filters by part of the name (case and accents aside) and by class; sorting by a figure sorts by
    // its value, not its text.
    void filtroEOrdem_data()
    {
        Colunas<QString, int, int, QStringList>("nome", "classe", "coluna", "nomes");
        QTest::newRow("tudo por código") << "" << 0 << int(kCodigo) << QStringList{"JOÃO", "JOANA", "LIA", "JOEL"};
        QTest::newRow("nome sem acento") << "joao" << 0 << int(kCodigo) << QStringList{"JOÃO"};
        QTest::newRow("parte do nome e classe") << "jo" << 3 << int(kCodigo) << QStringList{"JOANA", "JOEL"};
        QTest::newRow("melhor velocidade")
            << "" << 0 << int(kMelhorPpm) << QStringList{"LIA", "JOÃO", "JOANA", "JOEL"};
    }
    void filtroEOrdem()
    {
        BUSCAR(QString, nome, int, classe, int, coluna, QStringList, nomes);
        Turma t;
        QVERIFY(t.Preparar({AlunoDe(1, "JOÃO", 1, 1), AlunoDe(2, "JOANA", 3, 4), AlunoDe(3, "LIA", 2, 2),
                            AlunoDe(4, "JOEL", 3, 1)},
                           {Sessao(1, "JOÃO", 1, 95, 1), Sessao(2, "JOANA", 1, 182, 2), Sessao(3, "LIA", 1, 40, 3),
                            Sessao(4, "JOEL", 1, 1000, 4)}));
        auto j = t.Abrir();
        j->findChild<QLineEdit *>(QStringLiteral("TxtFiltroNome"))->setText(nome);
        auto *cmb = j->findChild<QComboBox *>(QStringLiteral("CmbFiltroClasse"));
        cmb->setCurrentIndex(cmb->findData(classe));
        // JOEL's 1,000 keys a minute sort after 95 and 182 as a number, LIA's 40 first.
        j->findChild<QTableView *>(QStringLiteral("TabRelatorio"))->sortByColumn(coluna, Qt::AscendingOrder);
        QCOMPARE(Textos(j->LinhasVisiveis(), {kNome}), nomes);
    }

    // The spreadsheet and the PDF come from what the window shows; the PDF repeats the title line,
    // the headings and the page number on each of its pages, and holds every row once, in order.
    void exportar()
    {
        Turma t;
        QList<Aluno> alunos;
        for (int i = 1; i <= 80; ++i)
            alunos << AlunoDe(i, QStringLiteral("ALUNO %1").arg(i, 3, 10, QLatin1Char('0')), 1 + i % 6, i);
        QVERIFY(t.Preparar(alunos, {}));
        auto j = t.Abrir();
        j->findChild<QLineEdit *>(QStringLiteral("TxtEscola"))->setText(QStringLiteral("Escola Aurora"));

        const QString csv = t.amb.Caminho(QStringLiteral("turma.csv"));
        QString erro;
        QVERIFY2(j->ExportarPlanilha(csv, erro), qPrintable(erro));
        QFile f(csv);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), Planilha(j->LinhasVisiveis()));

        const QString pdf = t.amb.Caminho(QStringLiteral("turma.pdf"));
        QVERIFY2(j->SalvarPdf(pdf, erro), qPrintable(erro));
        QPdfDocument doc;
        QCOMPARE(doc.load(pdf), QPdfDocument::Error::None);
        QCOMPARE(doc.pageCount(), 3);
        int proximo = 1;
        for (int p = 0; p < doc.pageCount(); ++p) {
            const QString texto = doc.getAllText(p).text();
            QVERIFY2(texto.contains(QStringLiteral("Escola Aurora - Relatório da turma")), qPrintable(texto));
            QVERIFY(texto.contains(QStringLiteral("Página %1 de 3").arg(p + 1)));
            for (int c = 0; c < kColunas; ++c)
                QVERIFY2(texto.contains(Titulo(c)), qPrintable(Titulo(c)));
            int n = 0;
            for (;
                 proximo <= 80 && texto.contains(QStringLiteral("ALUNO %1").arg(proximo, 3, 10, QLatin1Char('0')));
                 ++proximo)
                ++n;
            QVERIFY2(n > 0, qPrintable(QStringLiteral("page %1 holds no row").arg(p + 1)));
        }
        QCOMPARE(proximo, 81);

        // A folder that cannot be written: the message names the file, and nothing is left behind.
        const QString semPasta = t.amb.Caminho(QStringLiteral("nao/existe.pdf"));
        QVERIFY(!j->SalvarPdf(semPasta, erro));
        QVERIFY2(erro.contains(semPasta), qPrintable(erro));
        QVERIFY(!j->ExportarPlanilha(t.amb.Caminho(QStringLiteral("nao/existe.csv")), erro));
    }
};

QTEST_MAIN(TestRelatorio)
#include "TestRelatorio.moc"
