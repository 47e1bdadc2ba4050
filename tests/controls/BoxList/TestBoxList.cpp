#include "common/CorQt.h"
#include "common/Mensagem.h"
#include "common/Twips.h"
#include "controls/BoxList/BoxList.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMetaMethod>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <functional>
#include <memory>
#include <stdexcept>

namespace {

constexpr Cor kVermelho = RGB(200, 0, 0);

QString Texto(int linha, int coluna)
{
    return QStringLiteral("r%1c%2").arg(linha).arg(coluna);
}

// The model alone, with an observer that plays the widget: focus requests arrive at once.
struct ModeloTeste : BoxListObservador {
    BoxListModelo m;
    int avisos = 0;
    std::vector<int> pintadas;
    QList<qint16> keyDowns;
    std::function<void(qint16 &)> aoKeyDown;

    explicit ModeloTeste(int linhas = 10, bool comChk = true)
    {
        m.DefinirObservador(this);
        m.Config(QString(), 0, linhas);
        m.Title(QStringLiteral("Cód"), 6);
        m.Title(QStringLiteral("Nome"), 31);
        m.Title(QStringLiteral("Classe"), 6, 2);
        if (comChk)
            m.SetChk(2);
        m.Activate(false, 225, 12000);
    }
    void Carregar(int linhas, bool emLote = true)
    {
        m.Clear();
        for (int r = 0; r < linhas; ++r) {
            for (int c = 0; c < m.QCol(); ++c)
                m.Add(Texto(r, c));
            emLote ? m.BoxNew2() : m.BoxNew();
        }
        if (emLote)
            m.AddEnd();
    }
    void CelulasMudaram(const std::vector<int> &indices) override
    {
        ++avisos;
        pintadas = indices;
    }
    void RolagemMudou() override {}
    void LevantarKeyDown(qint16 &KeyCode, qint16 &) override
    {
        keyDowns << KeyCode;
        if (aoKeyDown)
            aoKeyDown(KeyCode);
    }
    void FocarCelula(int k) override { m.FocoNaCelula(k); }
    void FocarHBar() override {}
};

// The widget in an active window: three columns (left, left, centred), titles hidden.
std::unique_ptr<BoxList> NovaGrade(int linhas, int registros, bool comChk = false)
{
    auto g = std::make_unique<BoxList>();
    g->resize(Twips::px(9000), 100);
    g->Config(g.get(), QStringLiteral("Arial"), 10, linhas);
    g->Title(QStringLiteral("Cód"), 6);
    g->Title(QStringLiteral("Nome"), 31);
    g->Title(QStringLiteral("Classe"), 6, 2);
    if (comChk)
        g->SetChk(2);
    g->Activate(false);
    g->Clear();
    for (int r = 0; r < registros; ++r) {
        for (int c = 0; c < 3; ++c)
            g->Add(Texto(r, c));
        g->BoxNew2();
    }
    g->AddEnd();
    g->show();
    QApplication::setActiveWindow(g.get());
    return g;
}

bool Focar(QWidget *w)
{
    w->setFocus(Qt::MouseFocusReason);
    return QTest::qWaitFor([w] { return w->hasFocus(); });
}

} // namespace

class TestBoxList : public QObject {
    Q_OBJECT

private slots:
    // --- Model ------------------------------------------------------------------------------

    void configPadrao_data()
    {
        QTest::addColumn<bool>("omitidos");
        QTest::newRow("sem argumentos") << false;
        QTest::newRow("-1, vazio e 0") << true;
    }
    void configPadrao()
    {
        QFETCH(bool, omitidos);
        BoxList g;
        QObject dono;
        if (omitidos)
            g.Config(&dono, QString(), 0, 0, -1, -1, -1, -1, -1);
        else
            g.Config(&dono);
        QCOMPARE(g.FontName(), QStringLiteral("Arial"));
        QCOMPARE(g.FontSize(), 10);
        QCOMPARE(g.QLin(), 10);
        QCOMPARE(g.BackColor(), RGB(0, 64, 0));
        QCOMPARE(g.BoxColor(), RGB(0, 0, 64));
        QCOMPARE(g.TextColor(), RGB(255, 255, 255));
        QCOMPARE(g.BackSel(), RGB(0, 0, 128));
        QCOMPARE(g.ForeSel(), RGB(255, 255, 255));
        QCOMPARE(g.Dono(), &dono);
        QCOMPARE(g.property("BoxColor").toUInt(), RGB(0, 0, 64));
    }

    void salvarCarregar()
    {
        BoxList padrao;
        QVERIFY(padrao.Salvar().isEmpty());
        BoxList g;
        g.Config(&g, QStringLiteral("Tahoma"), 10, 12, RGB(104, 150, 213), RGB(104, 150, 213));
        const QVariantMap salvo = g.Salvar();
        QCOMPARE(salvo.keys(), (QStringList{"BackColor", "BoxColor", "FontName", "QLin"}));
        BoxList h;
        h.Carregar(salvo);
        QCOMPARE(h.Salvar(), salvo);
        QCOMPARE(h.BoxColor(), RGB(104, 150, 213));
        QCOMPARE(h.TextColor(), RGB(255, 255, 255));
        h.Carregar({});
        QVERIFY(h.Salvar().isEmpty());
        QCOMPARE(BoxList::OrdemPropriedades().first(), QStringLiteral("FontName"));
    }

    void add_data()
    {
        QTest::addColumn<Cor>("back");
        QTest::addColumn<Cor>("fore");
        QTest::addColumn<QString>("fonte");
        QTest::addColumn<int>("tamanho");
        QTest::addColumn<Cor>("backGuardado");
        QTest::addColumn<Cor>("foreGuardado");
        QTest::addColumn<QString>("fonteGuardada");
        QTest::addColumn<int>("tamanhoGuardado");
        QTest::newRow("só o texto") << BoxListModelo::kOmitida << BoxListModelo::kOmitida << QString() << 0
                                    << RGB(0, 0, 64) << RGB(255, 255, 255) << "Arial" << 10;
        QTest::newRow("0 é preto") << Cor(0) << Cor(0) << QString() << 0 << Cor(0) << Cor(0) << "Arial" << 10;
        QTest::newRow("próprios") << kVermelho << RGB(1, 2, 3) << "Courier New" << 12 << kVermelho << RGB(1, 2, 3)
                                  << "Courier New" << 12;
    }
    void add()
    {
        QFETCH(Cor, back);
        QFETCH(Cor, fore);
        QFETCH(QString, fonte);
        QFETCH(int, tamanho);
        ModeloTeste t;
        t.m.Add(QStringLiteral("x"), back, fore, fonte, tamanho);
        const BoxCell *b = t.m.Armazenada(0, 0);
        QVERIFY(b);
        QCOMPARE(b->S, QStringLiteral("x"));
        QTEST(b->Back, "backGuardado");
        QTEST(b->Fore, "foreGuardado");
        QTEST(b->FontName, "fonteGuardada");
        QTEST(int(b->FontSize), "tamanhoGuardado");
        QCOMPARE(b->Negrito, false);
        QCOMPARE(t.m.ColAdd(), 1);
    }

    void maximo_data()
    {
        QTest::addColumn<int>("registros");
        QTest::addColumn<bool>("emLote");
        QTest::addColumn<int>("maximo");
        QTest::newRow("5 com AddEnd") << 5 << true << 0;
        QTest::newRow("25 com AddEnd") << 25 << true << 15;
        QTest::newRow("10 com AddEnd") << 10 << true << 0;
        QTest::newRow("5 só BoxNew") << 5 << false << 5;
        QTest::newRow("25 só BoxNew") << 25 << false << 25;
    }
    void maximo()
    {
        QFETCH(int, registros);
        QFETCH(bool, emLote);
        ModeloTeste t;
        t.Carregar(registros, emLote);
        QTEST(t.m.RolagemMaxima(), "maximo");
        QCOMPARE(t.m.ListCount(), registros);
        // The store keeps QLin blank rows beyond the last one, and growing kept every row.
        QCOMPARE(t.m.UltimaLinha(), registros + 10);
        QCOMPARE(t.m.List(1, 0), Texto(0, 1));
        QCOMPARE(t.m.List(1, registros - 1), Texto(registros - 1, 1));
        QCOMPARE(t.m.List(1, registros), QString());
        QCOMPARE(t.m.List(1, 99999), QString());
    }

    // Bulk loading paints once, at AddEnd; a scroll step touches only the visible cells.
    void cargaEmLoteNaoRepinta()
    {
        ModeloTeste t(10, false);
        t.m.Clear();
        const int antes = t.avisos;
        for (int r = 0; r < 500; ++r) {
            for (int c = 0; c < 3; ++c)
                t.m.Add(Texto(r, c));
            t.m.BoxNew2();
        }
        QCOMPARE(t.avisos, antes);
        t.m.AddEnd();
        QCOMPARE(t.avisos, antes + 1);
        QVERIFY(t.m.Rolar(250));
        QCOMPARE(int(t.pintadas.size()), 3 * 10);
        QCOMPARE(t.m.Exibida(10).Texto, QStringLiteral(" ") + Texto(250, 1));
        QCOMPARE(t.m.Rolar(491), false);
        QCOMPARE(t.m.Rolagem(), 250);
    }

    void errosDeIndice_data()
    {
        QTest::addColumn<int>("caso");
        QTest::newRow("Title além de 31") << 0;
        QTest::newRow("SetChk 31") << 1;
        QTest::newRow("SetChk -1") << 2;
        QTest::newRow("Arg 31") << 3;
        QTest::newRow("ArgChk -1") << 4;
        QTest::newRow("Add além da coluna reserva") << 5;
        QTest::newRow("Add antes de Activate") << 6;
    }
    void errosDeIndice()
    {
        QFETCH(int, caso);
        BoxListModelo m;
        m.Config();
        for (int c = 0; c < (caso == 0 ? 31 : 3); ++c)
            m.Title(QStringLiteral("T%1").arg(c), 2);
        if (caso != 6)
            m.Activate(true, 225, 12000);
        if (caso != 6) {
            m.Add(QStringLiteral("a"));
            m.BoxNew2();
            m.AddEnd();
            m.Selected(0);
            for (int c = 0; c <= 3; ++c)
                m.Add(QStringLiteral("b"));
        }
        const int qCol = m.QCol(), colAdd = m.ColAdd(), qReg = m.ListCount();
        const QString arg0 = m.Arg(0);
        const std::function<void()> chamadas[] = {
            [&] { m.Title(QStringLiteral("demais"), 2); },
            [&] { m.SetChk(31); },
            [&] { m.SetChk(-1); },
            [&] { m.Arg(31); },
            [&] { m.ArgChk(-1); },
            [&] { m.Add(QStringLiteral("c")); },
            [&] { m.Add(QStringLiteral("c")); },
        };
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, chamadas[caso]());
        QCOMPARE(m.QCol(), qCol);
        QCOMPARE(m.ColAdd(), colAdd);
        QCOMPARE(m.ListCount(), qReg);
        QCOMPARE(m.Arg(0), arg0);
        QCOMPARE(m.TemChk(), false);
    }

    void colunaReservaEClear()
    {
        ModeloTeste t;
        t.Carregar(5);
        QVERIFY(t.m.Selected(2));
        QCOMPARE(t.m.Arg(1), Texto(2, 1));
        QCOMPARE(t.m.Arg(3), QString());
        QCOMPARE(t.m.ArgChk(3), 0);
        t.m.Clear();
        QCOMPARE(t.m.ListCount(), 0);
        QCOMPARE(t.m.ListIndex(), 2);
        QCOMPARE(t.m.Arg(1), Texto(2, 1));
        QCOMPARE(t.m.UltimaLinha(), 1);
        QCOMPARE(t.m.List(0, 0), QString());
        QCOMPARE(t.m.RolagemMaxima(), 0);
    }

    void deletar_data()
    {
        QTest::addColumn<int>("registros");
        QTest::addColumn<int>("linha");
        QTest::addColumn<QStringList>("colunaZero");
        QTest::addColumn<QString>("arg0");
        QTest::newRow("linha 2 de 5") << 5 << 2 << QStringList{"r0c0", "r1c0", "r3c0", "r4c0", ""} << "r3c0";
        QTest::newRow("a última") << 5 << 4 << QStringList{"r0c0", "r1c0", "r2c0", "r3c0", ""} << "";
        QTest::newRow("a única") << 1 << 0 << QStringList{""} << "";
    }
    void deletar()
    {
        QFETCH(int, registros);
        QFETCH(int, linha);
        QFETCH(QStringList, colunaZero);
        ModeloTeste t;
        t.Carregar(registros);
        t.m.FocoNaCelula(linha);
        QCOMPARE(t.m.LinSel(), linha);
        qint16 codigo = BoxListModelo::kDelete, shift = 0;
        t.m.TeclaNaCelula(linha, codigo, shift);
        QCOMPARE(t.keyDowns, (QList<qint16>{46, 0}));
        QCOMPARE(t.m.ListCount(), registros - 1);
        QCOMPARE(t.m.RolagemMaxima(), 0);
        for (int r = 0; r < colunaZero.size(); ++r)
            QCOMPARE(t.m.List(0, r), colunaZero[r]);
        const BoxCell *vazia = t.m.Armazenada(1, registros - 1);
        QCOMPARE(vazia->Back, t.m.BoxColor());
        QCOMPARE(vazia->FontName, QStringLiteral("Arial"));
        QTEST(t.m.Arg(0), "arg0");
        QCOMPARE(t.m.Exibida(linha).Back, t.m.BackSel());
        QCOMPARE(t.m.Exibida(linha).Texto, QStringLiteral(" ") + t.m.Arg(0));
    }

    void keyDownCancelaDelete()
    {
        ModeloTeste t;
        t.Carregar(5);
        t.m.FocoNaCelula(1);
        t.aoKeyDown = [](qint16 &codigo) {
            if (codigo == BoxListModelo::kDelete)
                codigo = 0;
        };
        t.m.DeleteRegistroAtual();
        QCOMPARE(t.keyDowns, (QList<qint16>{46, 0}));
        QCOMPARE(t.m.ListCount(), 5);
        QCOMPARE(t.m.List(0, 1), Texto(1, 0));
    }

    void codigosDeTecla_data()
    {
        QTest::addColumn<int>("tecla");
        QTest::addColumn<int>("codigo");
        QTest::newRow("Page Up") << int(Qt::Key_PageUp) << 33;
        QTest::newRow("Page Down") << int(Qt::Key_PageDown) << 34;
        QTest::newRow("Left") << int(Qt::Key_Left) << 37;
        QTest::newRow("Up") << int(Qt::Key_Up) << 38;
        QTest::newRow("Right") << int(Qt::Key_Right) << 39;
        QTest::newRow("Down") << int(Qt::Key_Down) << 40;
        QTest::newRow("Delete") << int(Qt::Key_Delete) << 46;
        QTest::newRow("A") << int(Qt::Key_A) << 65;
        QTest::newRow("Enter") << int(Qt::Key_Return) << 13;
    }
    void codigosDeTecla()
    {
        QFETCH(int, tecla);
        QTEST(int(BoxListModelo::CodigoVirtual(tecla)), "codigo");
    }

    // --- Widget: geometry and painting --------------------------------------------------------

    void geometria_data()
    {
        QTest::addColumn<bool>("titulos");
        QTest::addColumn<int>("largura");
        QTest::addColumn<int>("crescimento");
        QTest::newRow("sem títulos") << false << 9000 << 0;
        QTest::newRow("com títulos") << true << 9000 << 300 - 15;
        QTest::newRow("estreita") << false << 3000 << 240;
    }
    void geometria()
    {
        QFETCH(bool, titulos);
        QFETCH(int, largura);
        QFETCH(int, crescimento);
        BoxList g;
        g.resize(Twips::px(largura), 50);
        g.Config(&g);
        g.Title(QStringLiteral("Cód"), 6);
        g.Title(QStringLiteral("Nome"), 31);
        g.Activate(titulos);
        const BoxListModelo &m = g.Modelo();
        const int h = m.AlturaCelula();
        QCOMPARE(h, int(Twips::twips(QFontMetrics(QFont(QStringLiteral("Arial"), 10)).height())) + 15);
        const int t0 = titulos ? 240 : 0;
        for (int l : {0, 1, 9})
            QCOMPARE(g.TxtList(l)->y(), Twips::px(t0 + l * (h + 15)));
        QCOMPARE(m.RowsHeight(), 10 * (h + 15));
        QCOMPARE(g.height(), Twips::px(m.RowsHeight() + 15 + crescimento));
        QCOMPARE(g.BtnTitle(1)->isVisibleTo(&g), titulos);
        QCOMPARE(g.BtnTitle(1)->height(), Twips::px(260));
        // Columns 720 and 3720 wide: the second starts at 720, its cells 15 narrower.
        QCOMPARE(g.TxtList(10)->x(), Twips::px(720));
        QCOMPARE(g.TxtList(10)->width(), Twips::px(3705));
        QCOMPARE(g.TxtList(10)->y(), g.TxtList(0)->y());
        QCOMPARE(g.VBar()->x(), Twips::px(largura - 280));
        QCOMPARE(g.VBar()->height(), Twips::px(titulos ? m.RowsHeight() + 235 : m.RowsHeight() - 50));
        QCOMPARE(g.HBar()->isVisibleTo(&g), crescimento == 240);
        QCOMPARE(g.PicBorda()->size(), g.size());
        if (crescimento == 240) {
            QCOMPARE(g.HBar()->maximum(), 720 + 3720);
            QCOMPARE(g.HBar()->y(), Twips::px(m.AlturaControle() - 280));
            g.HBar()->setValue(500);
            QCOMPARE(g.PicBox()->x(), -Twips::px(500));
            QCOMPARE(g.TxtList(10)->mapTo(g.PicBorda(), QPoint()).x(), Twips::px(720) - Twips::px(500));
        }
    }

    void alinhamento_data()
    {
        QTest::addColumn<int>("align");
        QTest::addColumn<QString>("mostrado");
        QTest::newRow("esquerda") << 0 << " Ana";
        QTest::newRow("direita") << 1 << "Ana";
        QTest::newRow("centro") << 2 << "Ana";
    }
    void alinhamento()
    {
        QFETCH(int, align);
        BoxList g;
        g.resize(400, 100);
        g.Config(&g);
        g.Title(QStringLiteral("Nome"), 20, align);
        g.Activate(false);
        g.Add(QStringLiteral("Ana"));
        g.BoxNew();
        g.Selected(0);
        QTEST(g.TxtList(0)->text(), "mostrado");
        QCOMPARE(g.Arg(0), QStringLiteral("Ana"));
        QCOMPARE(g.TxtList(0)->palette().color(QPalette::Base), CorQt(g.BackSel()));
    }

    void linhasAlemDosDadosEmBoxColor()
    {
        auto g = NovaGrade(10, 3);
        for (int r = 0; r < 3; ++r) {
            g->Clear();
            for (int i = 0; i < 3; ++i) {
                for (int c = 0; c < 3; ++c)
                    g->Add(Texto(i, c), kVermelho, RGB(255, 255, 0), QStringLiteral("Courier New"), 12, true);
                g->BoxNew2();
            }
            g->AddEnd();
        }
        QCOMPARE(g->TxtList(12)->palette().color(QPalette::Base), CorQt(kVermelho));
        QVERIFY(g->TxtList(12)->font().bold());
        for (int l : {3, 9}) {
            QCOMPARE(g->TxtList(l)->palette().color(QPalette::Base), CorQt(g->BoxColor()));
            QCOMPARE(g->TxtList(10 + l)->palette().color(QPalette::Base), CorQt(g->BoxColor()));
            QCOMPARE(g->TxtList(l)->text(), QStringLiteral(" "));
            QVERIFY(g->TestaLinhaVazia(l));
        }
        QVERIFY(!g->TestaLinhaVazia(2));
    }

    void selected_data()
    {
        QTest::addColumn<int>("registros");
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("rolagem");
        QTest::addColumn<int>("linSel");
        QTest::addColumn<int>("indice");
        QTest::addColumn<QString>("arg1");
        QTest::addColumn<QStringList>("mensagens");
        QTest::newRow("3") << 25 << 3 << 0 << 3 << 3 << "r3c1" << QStringList();
        QTest::newRow("12") << 25 << 12 << 3 << 9 << 12 << "r12c1" << QStringList();
        QTest::newRow("25 de 25") << 25 << 25 << 0 << 9 << 20 << "r20c1" << QStringList{"Invalid index!"};
        QTest::newRow("7 de 5") << 5 << 7 << 0 << 7 << 7 << "" << QStringList();
    }
    void selected()
    {
        QFETCH(int, registros);
        QFETCH(int, x);
        auto g = NovaGrade(10, registros);
        g->Selected(registros > 20 ? 20 : 0);
        Mensagem::Gravador gravador;
        g->Selected(x);
        QTEST(gravador.Textos(), "mensagens");
        for (const auto &r : gravador.mensagens)
            QCOMPARE(r.icone, Mensagem::Icone::Critico);
        QTEST(g->VBar()->value(), "rolagem");
        QTEST(g->Modelo().LinSel(), "linSel");
        QTEST(g->ListIndex(), "indice");
        QTEST(g->Arg(1), "arg1");
        QCOMPARE(g->TxtList(0)->text(), QStringLiteral(" ") + Texto(g->VBar()->value(), 0));
    }

    void rolagemRepintaSemDestaque()
    {
        auto g = NovaGrade(10, 25);
        g->Selected(3);
        g->VBar()->setValue(5);
        QCOMPARE(g->TxtList(13)->text(), QStringLiteral(" ") + Texto(8, 1));
        QCOMPARE(g->TxtList(3)->palette().color(QPalette::Base), CorQt(g->BoxColor()));
        QCOMPARE(g->Modelo().LinSel(), 3);
        QCOMPARE(g->ListIndex(), 3);
    }

    // --- Widget: keyboard and mouse -----------------------------------------------------------

    void teclas_data()
    {
        QTest::addColumn<int>("registros");
        QTest::addColumn<int>("rolagemInicial");
        QTest::addColumn<int>("linha");
        QTest::addColumn<int>("tecla");
        QTest::addColumn<int>("rolagem");
        QTest::addColumn<int>("linhaFocada");
        QTest::newRow("Down no meio") << 25 << 0 << 3 << int(Qt::Key_Down) << 0 << 4;
        QTest::newRow("Down na última linha rola") << 25 << 0 << 9 << int(Qt::Key_Down) << 1 << 9;
        QTest::newRow("Down no máximo") << 25 << 15 << 9 << int(Qt::Key_Down) << 15 << 9;
        QTest::newRow("Down para linha vazia") << 5 << 0 << 4 << int(Qt::Key_Down) << 0 << 4;
        QTest::newRow("Up no topo") << 25 << 0 << 0 << int(Qt::Key_Up) << 0 << 0;
        QTest::newRow("Up na primeira linha rola") << 25 << 5 << 0 << int(Qt::Key_Up) << 4 << 0;
        QTest::newRow("Page Down 0 a 10") << 25 << 0 << 2 << int(Qt::Key_PageDown) << 10 << 2;
        QTest::newRow("Page Down 10 recusado") << 25 << 10 << 2 << int(Qt::Key_PageDown) << 10 << 2;
        QTest::newRow("Page Up em 5") << 25 << 5 << 2 << int(Qt::Key_PageUp) << 5 << 2;
        QTest::newRow("Page Up 10 a 0") << 25 << 10 << 2 << int(Qt::Key_PageUp) << 0 << 2;
    }
    void teclas()
    {
        QFETCH(int, registros);
        QFETCH(int, rolagemInicial);
        QFETCH(int, linha);
        QFETCH(int, tecla);
        QFETCH(int, rolagem);
        QFETCH(int, linhaFocada);
        auto g = NovaGrade(10, registros);
        g->VBar()->setValue(rolagemInicial);
        QVERIFY(Focar(g->TxtList(10 + linha)));
        QCOMPARE(g->ListIndex(), rolagemInicial + linha);
        QList<int> codigos;
        connect(g.get(), &BoxList::KeyDown, this, [&](qint16 &codigo, qint16 &) { codigos << codigo; });
        connect(g.get(), &BoxList::KeyUp, this, [&](qint16 &codigo, qint16 &) { codigos << codigo; });
        QTest::keyClick(g->TxtList(10 + linha), Qt::Key(tecla));
        QCOMPARE(g->VBar()->value(), rolagem);
        QVERIFY(g->TxtList(10 + linhaFocada)->hasFocus());
        QCOMPARE(g->Modelo().LinSel(), linhaFocada);
        QCOMPARE(g->ListIndex(), rolagem + linhaFocada);
        QCOMPARE(g->Arg(1), Texto(rolagem + linhaFocada, 1));
        QCOMPARE(g->TxtList(linhaFocada)->palette().color(QPalette::Base), CorQt(g->BackSel()));
        const int codigo = BoxListModelo::CodigoVirtual(tecla);
        QCOMPARE(codigos, (QList<int>{codigo, 0, codigo}));
    }

    void deleteComContainer_data()
    {
        QTest::addColumn<bool>("cancela");
        QTest::addColumn<int>("registros");
        QTest::addColumn<QString>("linhaDois");
        QTest::newRow("apaga") << false << 4 << "r3c1";
        QTest::newRow("container cancela") << true << 5 << "r2c1";
    }
    void deleteComContainer()
    {
        QFETCH(bool, cancela);
        auto g = NovaGrade(10, 5);
        QVERIFY(Focar(g->TxtList(12)));
        QList<int> codigos;
        connect(g.get(), &BoxList::KeyDown, this, [&](qint16 &codigo, qint16 &) {
            codigos << codigo;
            if (cancela)
                codigo = 0;
        });
        QTest::keyClick(g->TxtList(12), Qt::Key_Delete);
        QCOMPARE(codigos, (QList<int>{46, 0}));
        QTEST(g->ListCount(), "registros");
        QFETCH(QString, linhaDois);
        QCOMPARE(g->TxtList(12)->text(), QStringLiteral(" ") + linhaDois);
        QCOMPARE(g->Arg(1), linhaDois);
    }

    void teclaDigitada_data()
    {
        QTest::addColumn<int>("troca");
        QTest::addColumn<QString>("texto");
        QTest::newRow("aceita") << -1 << " r0c1a";
        QTest::newRow("cancelada") << 0 << " r0c1";
        QTest::newRow("trocada") << int('b') << " r0c1b";
    }
    void teclaDigitada()
    {
        QFETCH(int, troca);
        auto g = NovaGrade(10, 3);
        QVERIFY(Focar(g->TxtList(10)));
        g->TxtList(10)->end(false);
        QList<int> recebidos;
        connect(g.get(), &BoxList::KeyPress, this, [&](qint16 &ascii) {
            recebidos << ascii;
            if (troca >= 0)
                ascii = qint16(troca);
        });
        QTest::keyClick(g->TxtList(10), Qt::Key_A);
        QCOMPARE(recebidos, QList<int>{int('a')});
        QTEST(g->TxtList(10)->text(), "texto");
        QCOMPARE(g->List(1, 0), Texto(0, 1));
    }

    void checkBoxGuardaNaLinhaRolada()
    {
        auto g = NovaGrade(10, 20, true);
        QVERIFY(g->ChkList(23)->isVisible());
        QVERIFY(!g->ChkList(13)->isVisibleTo(g.get()));
        g->VBar()->setValue(4);
        QTest::mouseClick(g->ChkList(23), Qt::LeftButton);
        QCOMPARE(g->ValChk(2, 7), 1);
        QCOMPARE(g->ValChk(2, 3), 0);
        g->Selected(7);
        QCOMPARE(g->ArgChk(2), 1);
    }

    void cliques()
    {
        auto g = NovaGrade(10, 5);
        QSignalSpy clique(g.get(), &BoxList::Click);
        QSignalSpy duplo(g.get(), &BoxList::DblClick);
        QList<QByteArray> ordem;
        connect(g.get(), &BoxList::Click, this, [&] { ordem << "Click"; });
        connect(g.get(), &BoxList::DblClick, this, [&] { ordem << "DblClick"; });
        QTest::mouseClick(g->TxtList(12), Qt::LeftButton);
        QTRY_VERIFY(g->TxtList(12)->hasFocus());
        QCOMPARE(g->ListIndex(), 2);
        // A blank line gives the focus back; the selection stays on line 2.
        QTest::mouseClick(g->TxtList(17), Qt::LeftButton);
        QVERIFY(g->TxtList(12)->hasFocus());
        QCOMPARE(g->ListIndex(), 2);
        QCOMPARE(g->Modelo().CelAnterior(), 12);
        // A real double click: press, release, double click, release.
        QTest::mouseClick(g->TxtList(3), Qt::LeftButton);
        QTest::mouseDClick(g->TxtList(3), Qt::LeftButton);
        QTest::mouseRelease(g->TxtList(3), Qt::LeftButton);
        QCOMPARE(g->ListIndex(), 3);
        QCOMPARE(ordem, (QList<QByteArray>{"Click", "Click", "Click", "DblClick"}));
        QCOMPARE(clique.count(), 3);
        QCOMPARE(duplo.count(), 1);
    }

    void focoEntreBarras()
    {
        auto g = std::make_unique<BoxList>();
        g->resize(Twips::px(3000), 100);
        g->Config(g.get());
        g->Title(QStringLiteral("A"), 20);
        g->Title(QStringLiteral("B"), 20);
        g->Activate(false);
        g->Add(QStringLiteral("x"));
        g->BoxNew();
        g->show();
        QApplication::setActiveWindow(g.get());
        QVERIFY(Focar(g->TxtList(0)));
        QTest::keyClick(g->TxtList(0), Qt::Key_Left);
        QVERIFY(g->HBar()->hasFocus());
        QTest::keyClick(g->HBar(), Qt::Key_Up);
        QVERIFY(g->VBar()->hasFocus());
        QTest::keyClick(g->VBar(), Qt::Key_Right);
        QVERIFY(g->HBar()->hasFocus());
    }

    // Tab enters the grid on the selected line and leaves it with the next press.
    void umaParadaDeTab()
    {
        QWidget janela;
        auto *antes = new QLineEdit(&janela);
        auto *g = new BoxList(&janela);
        auto *depois = new QLineEdit(&janela);
        g->resize(Twips::px(9000), 100);
        g->Config(&janela);
        g->Title(QStringLiteral("A"), 6);
        g->Title(QStringLiteral("B"), 10);
        g->Activate(false);
        for (int r = 0; r < 5; ++r) {
            g->Add(Texto(r, 0));
            g->Add(Texto(r, 1));
            g->BoxNew2();
        }
        g->AddEnd();
        g->Selected(3);
        janela.show();
        QApplication::setActiveWindow(&janela);
        QVERIFY(Focar(antes));
        QTest::keyClick(antes, Qt::Key_Tab);
        QVERIFY(g->TxtList(3)->hasFocus());
        QCOMPARE(g->ListIndex(), 3);
        QTest::keyClick(g->TxtList(3), Qt::Key_Tab);
        QVERIFY(depois->hasFocus());
        QTest::keyClick(depois, Qt::Key_Backtab, Qt::ShiftModifier);
        QVERIFY(g->TxtList(3)->hasFocus());
        QTest::keyClick(g->TxtList(3), Qt::Key_Backtab, Qt::ShiftModifier);
        QVERIFY(antes->hasFocus());
    }

    void eventosNaOrdemDeclarada()
    {
        const QMetaObject &mo = BoxList::staticMetaObject;
        int anterior = -1;
        for (const char *nome : {"Click()", "DblClick()", "KeyDown(qint16&,qint16&)", "KeyUp(qint16&,qint16&)",
                                 "KeyPress(qint16&)"}) {
            const int i = mo.indexOfSignal(nome);
            QVERIFY2(i > anterior, nome);
            anterior = i;
        }
    }
};

QTEST_MAIN(TestBoxList)
#include "TestBoxList.moc"
