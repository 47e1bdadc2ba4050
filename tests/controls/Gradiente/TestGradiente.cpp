#include "common/CorQt.h"
#include "controls/Gradiente/Gradiente.h"
#include "support/Desenho.h"
#include "support/Tabela.h"

#include <QTest>

namespace {

ModeloGradiente Modelo(Cor inicial, Cor final)
{
    ModeloGradiente m;
    m.DefinirCorInicial(inicial);
    m.DefinirCorFinal(final);
    return m;
}

} // namespace

class TestGradiente : public QObject {
    Q_OBJECT

private slots:
    // Ties go to X1 against X3, to X2 against X1 or X3, and to X1 when all three are equal.
    void valorMaior_data()
    {
        Colunas<QList<int>, int, int>("x", "maior", "indice");
        const int casos[][5] = {
            {5, 5, 1, 5, 1}, {5, 1, 5, 5, 0}, {1, 5, 5, 5, 1}, {2, 2, 2, 2, 0}, {1, 1, 5, 5, 2}};
        for (const auto &c : casos)
            QTest::addRow("%d %d %d", c[0], c[1], c[2]) << QList<int>{c[0], c[1], c[2]} << c[3] << c[4];
    }
    void valorMaior()
    {
        QFETCH(QList<int>, x);
        Gradiente g;
        QTEST(int(g.ValorMaior(qint16(x[0]), qint16(x[1]), qint16(x[2]))), "maior");
        QTEST(int(g.IndiceMaior()), "indice");
    }

    // Differences carry their direction as the sign. Intervals round halves to even; a component
    // that cannot move (no difference, or a height under half of it) gets none and keeps its value.
    // No component leaves 0..255, even where it takes one step more than its difference; the row
    // counter has 16 bits, so rows past 32767 units keep the last counted colour.
    void passos_data()
    {
        Colunas<Cor, Cor, int, QList<int>, QList<int>, Cor>("inicial", "final", "altura", "diferencas",
                                                            "intervalos", "ultima");
        const auto linha = [](const char *nome, Cor ini, Cor fim, int altura, QList<int> dif, QList<int> intv,
                              Cor ult) { QTest::newRow(nome) << ini << fim << altura << dif << intv << ult; };
        // Red takes one step more than its difference; blue ends on the final colour.
        linha("janelas, 3000", RGB(219, 234, 252), RGB(158, 192, 244), 3000, {-61, -42, -8}, {49, 71, 375},
              RGB(157, 191, 244));
        linha("meio para cima", RGB(0, 0, 0), RGB(2, 0, 0), 75, {2, 0, 0}, {38, 0, 0}, RGB(2, 0, 0));
        linha("meio para baixo", RGB(0, 0, 0), RGB(2, 0, 0), 45, {2, 0, 0}, {22, 0, 0}, RGB(3, 0, 0));
        linha("baixa demais", RGB(0, 0, 0), RGB(0, 100, 10), 30, {0, 100, 10}, {0, 0, 3}, RGB(0, 0, 10));
        linha("sobe ate 255", RGB(194, 0, 0), RGB(255, 0, 0), 3000, {61, 0, 0}, {49, 0, 0}, RGB(255, 0, 0));
        linha("desce ate 0", RGB(0, 61, 0), RGB(0, 0, 0), 3000, {0, -61, 0}, {0, 49, 0}, RGB(0, 0, 0));
        linha("alem do contador", RGB(0, 0, 0), RGB(255, 255, 255), 45000, {255, 255, 255}, {176, 176, 176},
              RGB(187, 187, 187));
    }
    void passos()
    {
        BUSCAR(Cor, inicial, Cor, final, int, altura);
        ModeloGradiente m = Modelo(inicial, final);
        const ModeloGradiente::Passos p = m.Calcular(altura);
        QList<int> diferencas, intervalos;
        for (int k = 0; k < 3; ++k) {
            diferencas << p.diferenca[k] * p.direcao[k];
            intervalos << p.intervalo[k];
        }
        QTEST(diferencas, "diferencas");
        QTEST(intervalos, "intervalos");
        const QList<Cor> linhas = m.CoresDasLinhas(altura);
        QCOMPARE(linhas.size(), altura / 15 + 1);
        QTEST(linhas.last(), "ultima");
    }

    // The marker keeps 375 twips and hides once it has painted; every resize of the window
    // repaints its background for the new height; new colours show only after FormGradiente.
    void janelaRedimensionada()
    {
        QWidget janela;
        auto *g = new Gradiente(&janela);
        g->resize(200, 90);
        QCOMPARE(g->size(), QSize(25, 25));
        g->DefinirCorInicial(Gradiente::kCorInicialJanelas);
        janela.resize(120, 200);
        janela.show();
        QVERIFY(QTest::qWaitForWindowExposed(&janela));
        QVERIFY(g->isHidden());
        const auto pixel = [&](int x, int y) { return CorDe(janela.grab().toImage().pixelColor(x, y)); };
        const QList<Cor> alta =
            Modelo(Gradiente::kCorInicialJanelas, Gradiente::kCorFinalPadrao).CoresDasLinhas(200 * 15);
        QCOMPARE(pixel(60, 0), Gradiente::kCorInicialJanelas);
        QCOMPARE(pixel(60, 199), alta[199]);

        janela.resize(300, 80);
        const QList<Cor> baixa =
            Modelo(Gradiente::kCorInicialJanelas, Gradiente::kCorFinalPadrao).CoresDasLinhas(80 * 15);
        QVERIFY(baixa[79] != alta[79]);
        QCOMPARE(pixel(250, 0), Gradiente::kCorInicialJanelas);
        QCOMPARE(pixel(250, 79), baixa[79]);

        g->DefinirCorInicial(RGB(255, 255, 255));
        QCOMPARE(pixel(10, 0), Gradiente::kCorInicialJanelas);
        g->FormGradiente();
        QCOMPARE(pixel(10, 0), RGB(255, 255, 255));
    }

    // A colour equal to its default is not stored; loading fills an absent colour with its default.
    void persistencia_data()
    {
        Colunas<QVariantMap, QStringList>("propriedades", "guardadas");
        QTest::newRow("padrao") << QVariantMap{{"CorInicial", RGB(220, 235, 253)},
                                               {"CorFinal", RGB(158, 192, 244)}}
                                << QStringList{};
        QTest::newRow("janelas") << QVariantMap{{"CorInicial", RGB(219, 234, 252)}} << QStringList{"CorInicial"};
        QTest::newRow("ambas") << QVariantMap{{"CorInicial", RGB(0, 0, 0)}, {"CorFinal", RGB(1, 2, 3)}}
                               << QStringList{"CorFinal", "CorInicial"};
    }
    void persistencia()
    {
        BUSCAR(QVariantMap, propriedades, QStringList, guardadas);
        Gradiente g, copia;
        g.Carregar(propriedades);
        copia.DefinirCorFinal(RGB(5, 5, 5));
        IdaEVolta(g, copia, guardadas);
    }
};

QTEST_MAIN(TestGradiente)
#include "TestGradiente.moc"
