#include "common/CorQt.h"
#include "controls/Gradiente/Gradiente.h"

#include <QSignalSpy>
#include <QTest>

namespace {

// How many multiples of `intervalo` lie in [0, i): the steps taken before row i is drawn.
int PassosAntes(int i, int intervalo)
{
    return i == 0 ? 0 : (i - 1) / intervalo + 1;
}

} // namespace

class TestGradiente : public QObject {
    Q_OBJECT

private slots:
    void valorMaior_data()
    {
        QTest::addColumn<int>("x1");
        QTest::addColumn<int>("x2");
        QTest::addColumn<int>("x3");
        QTest::addColumn<int>("maior");
        QTest::addColumn<int>("indice");
        QTest::newRow("5 5 1") << 5 << 5 << 1 << 5 << 1;
        QTest::newRow("5 1 5") << 5 << 1 << 5 << 5 << 0;
        QTest::newRow("1 5 5") << 1 << 5 << 5 << 5 << 1;
        QTest::newRow("2 2 2") << 2 << 2 << 2 << 2 << 0;
        QTest::newRow("200 100 150") << 200 << 100 << 150 << 200 << 0;
        QTest::newRow("1 2 3") << 1 << 2 << 3 << 3 << 2;
    }
    void valorMaior()
    {
        QFETCH(int, x1);
        QFETCH(int, x2);
        QFETCH(int, x3);
        Gradiente g;
        const qint16 a = qint16(x1), b = qint16(x2), c = qint16(x3);
        QTEST(int(g.ValorMaior(a, b, c)), "maior");
        QTEST(int(g.IndiceMaior()), "indice");
        QCOMPARE(int(a), x1); // read, not changed
    }

    void intervalos_data()
    {
        QTest::addColumn<Cor>("inicial");
        QTest::addColumn<Cor>("final");
        QTest::addColumn<int>("altura");
        QTest::addColumn<QList<int>>("diferencas");
        QTest::addColumn<QList<int>>("direcoes");
        QTest::addColumn<QList<int>>("intervalos");
        QTest::newRow("janelas, 3000")
            << RGB(219, 234, 252) << RGB(158, 192, 244) << 3000 << QList<int>{61, 42, 8}
            << QList<int>{-1, -1, -1} << QList<int>{49, 71, 375};
        QTest::newRow("meio para cima") << RGB(0, 0, 0) << RGB(2, 0, 0) << 75 << QList<int>{2, 0, 0}
                                        << QList<int>{1, 1, 1} << QList<int>{38, 0, 0};
        QTest::newRow("meio para baixo") << RGB(0, 0, 0) << RGB(2, 0, 0) << 45 << QList<int>{2, 0, 0}
                                         << QList<int>{1, 1, 1} << QList<int>{22, 0, 0};
        // Under half a difference of height: nothing to step by.
        QTest::newRow("baixa demais") << RGB(0, 0, 0) << RGB(0, 100, 10) << 30 << QList<int>{0, 100, 10}
                                      << QList<int>{1, 1, 1} << QList<int>{0, 0, 3};
        QTest::newRow("maior no azul") << RGB(10, 20, 30) << RGB(20, 10, 130) << 1500 << QList<int>{10, 10, 100}
                                       << QList<int>{1, -1, 1} << QList<int>{150, 150, 15};
    }
    void intervalos()
    {
        QFETCH(Cor, inicial);
        QFETCH(Cor, final);
        QFETCH(int, altura);
        ModeloGradiente m;
        m.DefinirCorInicial(inicial);
        m.DefinirCorFinal(final);
        const ModeloGradiente::Passos p = m.Calcular(altura);
        QTEST((QList<int>{p.diferenca[0], p.diferenca[1], p.diferenca[2]}), "diferencas");
        QTEST((QList<int>{p.direcao[0], p.direcao[1], p.direcao[2]}), "direcoes");
        QTEST((QList<int>{p.intervalo[0], p.intervalo[1], p.intervalo[2]}), "intervalos");
    }

    // The program's colours over 3000 units: each component falls one step at every multiple of
    // its interval, the first one right after the first row.
    void linhasDasJanelas()
    {
        ModeloGradiente m;
        m.DefinirCorInicial(RGB(219, 234, 252));
        const QList<Cor> linhas = m.CoresDasLinhas(3000);
        QCOMPARE(linhas.size(), 201);
        QCOMPARE(linhas.first(), RGB(219, 234, 252));
        for (int r = 0; r < linhas.size(); ++r) {
            const int i = r * 15;
            QCOMPARE(Vermelho(linhas[r]), 219 - PassosAntes(i, 49));
            QCOMPARE(Verde(linhas[r]), 234 - PassosAntes(i, 71));
            QCOMPARE(Azul(linhas[r]), 252 - PassosAntes(i, 375));
        }
        // Red takes one step more than its difference; blue ends on the final colour.
        QCOMPARE(linhas.last(), RGB(157, 191, 244));
    }

    void limites_data()
    {
        QTest::addColumn<Cor>("inicial");
        QTest::addColumn<Cor>("final");
        QTest::addColumn<Cor>("ultima");
        QTest::newRow("sobe ate 255") << RGB(194, 0, 0) << RGB(255, 0, 0) << RGB(255, 0, 0);
        QTest::newRow("desce ate 0") << RGB(0, 61, 0) << RGB(0, 0, 0) << RGB(0, 0, 0);
        QTest::newRow("componentes iguais ficam") << RGB(100, 50, 200) << RGB(100, 110, 200) << RGB(100, 110, 200);
        QTest::newRow("tudo igual") << RGB(9, 8, 7) << RGB(9, 8, 7) << RGB(9, 8, 7);
    }
    void limites()
    {
        QFETCH(Cor, inicial);
        QFETCH(Cor, final);
        ModeloGradiente m;
        m.DefinirCorInicial(inicial);
        m.DefinirCorFinal(final);
        const QList<Cor> linhas = m.CoresDasLinhas(3000);
        // Within one step of the range everywhere; a component that starts where it ends stays.
        for (const Cor c : linhas) {
            for (int k : {0, 8, 16}) {
                const int ini = (inicial >> k) & 0xFF, fim = (final >> k) & 0xFF, v = (c >> k) & 0xFF;
                QVERIFY(v >= qMin(ini, fim) - 1 && v <= qMax(ini, fim) + 1);
                QVERIFY(ini != fim || v == ini);
            }
        }
        QTEST(linhas.last(), "ultima");
    }

    // The row counter has 16 bits: beyond it the rows keep the last colour.
    void alemDoContador()
    {
        ModeloGradiente m;
        m.DefinirCorInicial(RGB(0, 0, 0));
        m.DefinirCorFinal(RGB(255, 255, 255));
        const QList<Cor> linhas = m.CoresDasLinhas(45000);
        QCOMPARE(linhas.size(), 3001);
        const int ultimaContada = 32767 / 15;
        QVERIFY(linhas[ultimaContada] != linhas[0]);
        for (int r = ultimaContada; r < linhas.size(); ++r)
            QCOMPARE(linhas[r], linhas[ultimaContada]);
    }

    void janelaRedimensionada()
    {
        QWidget janela;
        auto *g = new Gradiente(&janela);
        g->DefinirCorInicial(Gradiente::kCorInicialJanelas);
        QVERIFY(!g->isHidden());
        janela.resize(120, 200);
        janela.show();
        QVERIFY(QTest::qWaitForWindowExposed(&janela));
        QVERIFY(g->isHidden());

        ModeloGradiente m;
        m.DefinirCorInicial(Gradiente::kCorInicialJanelas);
        const QList<Cor> alta = m.CoresDasLinhas(200 * 15);
        QImage imagem = janela.grab().toImage();
        QCOMPARE(CorDe(imagem.pixelColor(60, 0)), Gradiente::kCorInicialJanelas);
        QCOMPARE(CorDe(imagem.pixelColor(3, 120)), alta[120]);
        QCOMPARE(CorDe(imagem.pixelColor(60, 199)), alta[199]);

        janela.resize(300, 80);
        const QList<Cor> baixa = m.CoresDasLinhas(80 * 15);
        QVERIFY(baixa[79] != alta[79]);
        imagem = janela.grab().toImage();
        QCOMPARE(CorDe(imagem.pixelColor(250, 0)), Gradiente::kCorInicialJanelas);
        QCOMPARE(CorDe(imagem.pixelColor(250, 79)), baixa[79]);

        // New colours show after FormGradiente; a window that does not follow keeps its picture.
        g->DefinirCorInicial(RGB(255, 255, 255));
        g->DefinirCorFinal(RGB(0, 0, 0));
        QCOMPARE(CorDe(janela.grab().toImage().pixelColor(10, 0)), Gradiente::kCorInicialJanelas);
        g->FormGradiente();
        QCOMPARE(CorDe(janela.grab().toImage().pixelColor(10, 0)), RGB(255, 255, 255));
        g->AcompanharJanela(false);
        janela.resize(300, 400);
        QCOMPARE(CorDe(janela.grab().toImage().pixelColor(10, 399)), CorDe(janela.grab().toImage().pixelColor(10, 79)));
    }

    void tamanhoFixo()
    {
        QWidget janela;
        Gradiente g(&janela);
        g.resize(200, 90);
        QCOMPARE(g.size(), QSize(25, 25));
    }

    void persistencia_data()
    {
        QTest::addColumn<QVariantMap>("propriedades");
        QTest::addColumn<QStringList>("guardadas");
        QTest::newRow("padrao") << QVariantMap{} << QStringList{};
        QTest::newRow("padrao explicito")
            << QVariantMap{{"CorInicial", RGB(220, 235, 253)}, {"CorFinal", RGB(158, 192, 244)}} << QStringList{};
        QTest::newRow("janelas") << QVariantMap{{"CorInicial", RGB(219, 234, 252)}} << QStringList{"CorInicial"};
        QTest::newRow("ambas") << QVariantMap{{"CorInicial", RGB(0, 0, 0)}, {"CorFinal", RGB(1, 2, 3)}}
                               << QStringList{"CorFinal", "CorInicial"};
    }
    void persistencia()
    {
        QFETCH(QVariantMap, propriedades);
        QFETCH(QStringList, guardadas);
        Gradiente g;
        g.Carregar(propriedades);
        QCOMPARE(g.Salvar().keys(), guardadas);
        Gradiente copia;
        copia.DefinirCorFinal(RGB(5, 5, 5));
        copia.Carregar(g.Salvar());
        QCOMPARE(copia.CorInicial(), g.CorInicial());
        QCOMPARE(copia.CorFinal(), g.CorFinal());
        QCOMPARE(copia.property("CorInicial").value<Cor>(), g.CorInicial());
    }
};

QTEST_MAIN(TestGradiente)
#include "TestGradiente.moc"
