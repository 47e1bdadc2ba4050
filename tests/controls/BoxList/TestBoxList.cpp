#include "common/CorQt.h"
#include "common/Mensagem.h"
#include "common/Teclas.h"
#include "common/Twips.h"
#include "controls/BoxList/BoxList.h"
#include "support/Desenho.h"
#include "support/Tabela.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <memory>
#include <stdexcept>

// One key press in a grid of 10 lines: the rows, where the scroll and the focus start, where they end.
struct CasoTecla {
    int registros, rolagemInicial, linha;
    Qt::Key tecla;
    int rolagem, linhaFocada;
};

Q_DECLARE_METATYPE(BoxCell)
Q_DECLARE_METATYPE(CasoTecla)

namespace {

constexpr Cor kVermelho = RGB(200, 0, 0);

QString Texto(int linha, int coluna)
{
    return QStringLiteral("r%1c%2").arg(linha).arg(coluna);
}

// The columns of every grid here: two left-aligned, one centred (check boxes optional).
template <class Grade>
void Colunas(Grade &g, bool comChk)
{
    g.Title(QStringLiteral("Cód"), 6);
    g.Title(QStringLiteral("Nome"), 31);
    g.Title(QStringLiteral("Classe"), 6, 2);
    if (comChk)
        g.SetChk(2);
}

// Rows of "r<row>c<column>" texts, committed in bulk (BoxNew2, AddEnd) or one by one (BoxNew).
template <class Grade>
void Carregar(Grade &g, int registros, bool emLote = true)
{
    g.Clear();
    for (int r = 0; r < registros; ++r) {
        for (int c = 0; c < g.QCol(); ++c)
            g.Add(Texto(r, c));
        emLote ? g.BoxNew2() : g.BoxNew();
    }
    if (emLote)
        g.AddEnd();
}

// The model alone (10 lines), with an observer that plays the widget: focus requests arrive at once.
struct ModeloTeste : BoxListObservador {
    ModeloBoxList m;
    int avisos = 0;
    std::vector<int> pintadas;

    explicit ModeloTeste(bool comChk = true)
    {
        m.DefinirObservador(this);
        m.Config();
        Colunas(m, comChk);
        m.Activate(false, 225, 12000);
    }
    void CelulasMudaram(const std::vector<int> &indices) override
    {
        ++avisos;
        pintadas = indices;
    }
    void RolagemMudou() override {}
    void LevantarKeyDown(qint16 &, qint16 &) override {}
    void FocarCelula(int k) override { m.FocoNaCelula(k); }
    void FocarHBar() override {}
};

// The widget with 10 lines, titles hidden, `largura` twips wide.
void Montar(BoxList &g, int registros, bool comChk = false, int largura = 9000)
{
    g.resize(Twips::px(largura), 100);
    g.Config(&g);
    Colunas(g, comChk);
    g.Activate(false);
    Carregar(g, registros);
}

std::unique_ptr<BoxList> NovaGrade(int registros, bool comChk = false, int largura = 9000)
{
    auto g = std::make_unique<BoxList>();
    Montar(*g, registros, comChk, largura);
    g->show();
    QApplication::setActiveWindow(g.get());
    return g;
}

bool Focar(QWidget *w)
{
    w->setFocus(Qt::MouseFocusReason);
    return QTest::qWaitFor([w] { return w->hasFocus(); });
}

QColor Fundo(const QWidget *w)
{
    return w->palette().color(QPalette::Base);
}

} // namespace

class TestBoxList : public QObject {
    Q_OBJECT

private slots:
    // --- Model ------------------------------------------------------------------------------

    // Omitted arguments (-1, an empty name, 0) take the defaults, which are not saved; other values are,
    // and loading them gives the same settings, loading nothing the defaults again.
    void configESalvar()
    {
        BoxList g, h;
        QObject dono;
        g.Config(&dono, QString(), 0, 0, -1, -1, -1, -1, -1);
        QCOMPARE((QVariantList{g.FontName(), g.FontSize(), g.QLin()}), (QVariantList{"Arial", 10, 10}));
        const QList<Cor> cores{g.BackColor(), g.BoxColor(), g.TextColor(), g.BackSel(), g.ForeSel()};
        QCOMPARE(cores, (QList<Cor>{RGB(0, 64, 0), RGB(0, 0, 64), RGB(255, 255, 255), RGB(0, 0, 128),
                                    RGB(255, 255, 255)}));
        QCOMPARE(g.Dono(), &dono);
        QCOMPARE(g.property("BoxColor").toUInt(), RGB(0, 0, 64));
        QVERIFY(g.Salvar().isEmpty());

        g.Config(&g, QStringLiteral("Tahoma"), 10, 12, RGB(104, 150, 213), RGB(104, 150, 213));
        IdaEVolta(g, h, {"BackColor", "BoxColor", "FontName", "QLin"});
        h.Carregar({});
        QVERIFY(h.Salvar().isEmpty());
    }

    // Colours of -1 take BoxColor / TextColor while 0 is black; no font takes the Config font.
    void add_data()
    {
        Colunas<BoxCell, BoxCell>("dado", "guardado");
        const BoxCell proprio{"x", kVermelho, RGB(1, 2, 3), "Courier New", 12, true};
        QTest::newRow("só o texto") << BoxCell{"x", BoxList::kOmitida, BoxList::kOmitida, {}}
                                    << BoxCell{"x", RGB(0, 0, 64), RGB(255, 255, 255), "Arial", 10};
        QTest::newRow("0 é preto") << BoxCell{"x", 0, 0, {}} << BoxCell{"x", 0, 0, "Arial", 10};
        QTest::newRow("próprios") << proprio << proprio;
    }
    void add()
    {
        BUSCAR(BoxCell, dado, BoxCell, guardado);
        ModeloTeste t;
        t.m.Add(dado.S, dado.Back, dado.Fore, dado.FontName, dado.FontSize, dado.Negrito);
        const auto campos = [](const BoxCell &c) {
            return QVariantList{c.S, c.Back, c.Fore, c.FontName, c.FontSize, c.Negrito};
        };
        const BoxCell *b = t.m.Armazenada(0, 0);
        QVERIFY(b);
        QCOMPARE(campos(*b), campos(guardado));
        QCOMPARE(t.m.ColAdd(), 1);
    }

    void maximo_data()
    {
        Colunas<int, bool, int>("registros", "emLote", "maximo");
        QTest::newRow("10 com AddEnd") << 10 << true << 0;
        QTest::newRow("25 com AddEnd") << 25 << true << 15;
        QTest::newRow("25 só BoxNew") << 25 << false << 25;
    }
    void maximo()
    {
        BUSCAR(int, registros, bool, emLote);
        ModeloTeste t;
        Carregar(t.m, registros, emLote);
        QTEST(t.m.RolagemMaxima(), "maximo");
        QCOMPARE(t.m.ListCount(), registros);
        // Growing the store kept every row.
        QCOMPARE(t.m.List(1, 0), Texto(0, 1));
        QCOMPARE(t.m.List(1, registros - 1), Texto(registros - 1, 1));
        QCOMPARE(t.m.List(1, registros), QString());
    }

    // Bulk loading paints once, at AddEnd. A scroll step repaints only the visible cells, and the
    // highlight stays with the selected row, not with its line.
    void cargaEmLoteERolagem()
    {
        ModeloTeste t(false);
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
        QVERIFY(t.m.Selected(3));
        QVERIFY(t.m.Rolar(250));
        QCOMPARE(int(t.pintadas.size()), 3 * 10);
        QCOMPARE(t.m.Exibida(10).Texto, QStringLiteral(" ") + Texto(250, 1));
        QCOMPARE(t.m.Exibida(3).Back, t.m.BoxColor());
        QCOMPARE((QList<int>{t.m.LinSel(), t.m.ListIndex(), t.m.Rolar(491), t.m.Rolagem()}),
                 (QList<int>{3, 3, false, 250}));
    }

    // Arg reads the selected row (the spare column, QCol, is empty) and Clear keeps it with the
    // selected index. Index errors throw std::out_of_range and change nothing.
    void argumentosEErros()
    {
        ModeloBoxList cheio; // 31 columns, not active yet
        cheio.Config();
        for (int c = 0; c < 31; ++c)
            cheio.Title(QStringLiteral("T%1").arg(c), 2);
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, cheio.Title(QStringLiteral("demais"), 2));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, cheio.Add(QStringLiteral("antes de Activate")));
        QCOMPARE((QList<int>{cheio.QCol(), cheio.ColAdd()}), (QList<int>{31, 0}));
        ModeloTeste t(false);
        Carregar(t.m, 25);
        QVERIFY(t.m.Selected(2));
        QCOMPARE(t.m.Arg(1), Texto(2, 1));
        QCOMPARE(t.m.Arg(3), QString());
        QCOMPARE(t.m.ArgChk(3), 0);
        for (int c = 0; c <= 3; ++c) // up to the spare column
            t.m.Add(QStringLiteral("b"));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, t.m.Add(QStringLiteral("além da reserva")));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, t.m.SetChk(31));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, t.m.SetChk(-1));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, t.m.Arg(31));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, t.m.ArgChk(-1));
        QCOMPARE((QVariantList{t.m.QCol(), t.m.ColAdd(), t.m.ListCount(), t.m.Arg(1), t.m.TemChk()}),
                 (QVariantList{3, 4, 25, Texto(2, 1), false}));
        t.m.Clear();
        QCOMPARE((QVariantList{t.m.ListCount(), t.m.ListIndex(), t.m.Arg(1), t.m.List(0, 0), t.m.RolagemMaxima()}),
                 (QVariantList{0, 2, Texto(2, 1), QString(), 0}));
    }

    // --- Widget: geometry and painting --------------------------------------------------------

    void geometria_data()
    {
        Colunas<bool, int, int>("titulos", "largura", "crescimento");
        QTest::newRow("sem títulos") << false << 9000 << 0;
        QTest::newRow("com títulos") << true << 9000 << 300 - 15;
        QTest::newRow("estreita") << false << 3000 << 240;
    }
    void geometria()
    {
        BUSCAR(bool, titulos, int, largura, int, crescimento);
        BoxList g;
        g.resize(Twips::px(largura), 50);
        g.Config(&g);
        g.Title(QStringLiteral("Cód"), 6);
        g.Title(QStringLiteral("Nome"), 31);
        g.Activate(titulos);
        const ModeloBoxList &m = g.Modelo();
        const int h = m.AlturaCelula();
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
        QCOMPARE(g.VBar()->height(), Twips::px(titulos ? m.RowsHeight() + 235 : m.RowsHeight() - 50));
        QCOMPARE(g.HBar()->isVisibleTo(&g), crescimento == 240);
        if (crescimento == 240) {
            QCOMPARE(g.HBar()->maximum(), 720 + 3720);
            g.HBar()->setValue(500);
            QCOMPARE(g.PicBox()->x(), -Twips::px(500));
            QCOMPARE(g.TxtList(10)->mapTo(g.PicBorda(), QPoint()).x(), Twips::px(720) - Twips::px(500));
        }
    }

    // Reloading with fewer, coloured rows leaves the lines past the data blank, in BoxColor.
    void linhasAlemDosDadosEmBoxColor()
    {
        auto g = NovaGrade(3);
        for (int r = 0; r < 3; ++r) {
            g->Clear();
            for (int i = 0; i < 3; ++i) {
                for (int c = 0; c < 3; ++c)
                    g->Add(Texto(i, c), kVermelho, RGB(255, 255, 0), QStringLiteral("Courier New"), 12, true);
                g->BoxNew2();
            }
            g->AddEnd();
        }
        QCOMPARE(Fundo(g->TxtList(12)), CorQt(kVermelho));
        QVERIFY(g->TxtList(12)->font().bold());
        for (int l : {3, 9}) {
            QCOMPARE(Fundo(g->TxtList(l)), CorQt(g->BoxColor()));
            QCOMPARE(Fundo(g->TxtList(10 + l)), CorQt(g->BoxColor()));
            QCOMPARE(g->TxtList(l)->text(), QStringLiteral(" "));
            QVERIFY(g->TestaLinhaVazia(l));
        }
        QVERIFY(!g->TestaLinhaVazia(2));
    }

    void selected_data()
    {
        Colunas<int, int, int, int, int, QStringList, QStringList>("registros", "x", "rolagem", "linSel", "indice",
                                                                   "args", "mensagens");
        const QStringList nenhuma;
        QTest::newRow("3") << 25 << 3 << 0 << 3 << 3 << QStringList{"r3c0", "r3c1", "r3c2"} << nenhuma;
        QTest::newRow("12") << 25 << 12 << 3 << 9 << 12 << QStringList{"r12c0", "r12c1", "r12c2"} << nenhuma;
        QTest::newRow("25 de 25") << 25 << 25 << 0 << 9 << 20 << QStringList{"r20c0", "r20c1", "r20c2"}
                                  << QStringList{"Invalid index!"};
        QTest::newRow("7 de 5") << 5 << 7 << 0 << 7 << 7 << QStringList{"", "", ""} << nenhuma;
    }
    void selected()
    {
        BUSCAR(int, registros, int, x);
        auto g = NovaGrade(registros);
        g->Selected(registros > 20 ? 20 : 0);
        Mensagem::Gravador gravador;
        g->Selected(x);
        QTEST(gravador.Textos(), "mensagens");
        for (const auto &r : gravador.mensagens)
            QCOMPARE(r.icone, Mensagem::Icone::Critico);
        QTEST(g->VBar()->value(), "rolagem");
        QTEST(g->Modelo().LinSel(), "linSel");
        QTEST(g->ListIndex(), "indice");
        QTEST((QStringList{g->Arg(0), g->Arg(1), g->Arg(2)}), "args");
        // Left-aligned texts show after a margin space that Arg leaves out; centred ones have none.
        const int topo = g->VBar()->value();
        QCOMPARE(g->TxtList(0)->text(), QStringLiteral(" ") + Texto(topo, 0));
        QCOMPARE(g->TxtList(20)->text(), Texto(topo, 2));
        QCOMPARE(g->TxtList(20)->alignment(), Qt::AlignHCenter | Qt::AlignVCenter);
    }

    // --- Widget: keyboard and mouse -----------------------------------------------------------

    void teclas_data()
    {
        QTest::addColumn<CasoTecla>("caso");
        QTest::newRow("Down no meio") << CasoTecla{25, 0, 3, Qt::Key_Down, 0, 4};
        QTest::newRow("Down na última linha rola") << CasoTecla{25, 0, 9, Qt::Key_Down, 1, 9};
        QTest::newRow("Down no máximo") << CasoTecla{25, 15, 9, Qt::Key_Down, 15, 9};
        QTest::newRow("Down para linha vazia") << CasoTecla{5, 0, 4, Qt::Key_Down, 0, 4};
        QTest::newRow("Up no topo") << CasoTecla{25, 0, 0, Qt::Key_Up, 0, 0};
        QTest::newRow("Up na primeira linha rola") << CasoTecla{25, 5, 0, Qt::Key_Up, 4, 0};
        QTest::newRow("Page Down 0 a 10") << CasoTecla{25, 0, 2, Qt::Key_PageDown, 10, 2};
        QTest::newRow("Page Down 10 recusado") << CasoTecla{25, 10, 2, Qt::Key_PageDown, 10, 2};
        QTest::newRow("Page Up em 5") << CasoTecla{25, 5, 2, Qt::Key_PageUp, 5, 2};
        QTest::newRow("Page Up 10 a 0") << CasoTecla{25, 10, 2, Qt::Key_PageUp, 0, 2};
    }
    void teclas()
    {
        QFETCH(CasoTecla, caso);
        auto g = NovaGrade(caso.registros);
        g->VBar()->setValue(caso.rolagemInicial);
        QVERIFY(Focar(g->TxtList(10 + caso.linha)));
        QCOMPARE(g->ListIndex(), caso.rolagemInicial + caso.linha);
        QList<int> codigos;
        connect(g.get(), &BoxList::KeyDown, this, [&](qint16 &codigo, qint16 &) { codigos << codigo; });
        connect(g.get(), &BoxList::KeyUp, this, [&](qint16 &codigo, qint16 &) { codigos << codigo; });
        QTest::keyClick(g->TxtList(10 + caso.linha), caso.tecla);
        const int linha = caso.linhaFocada, registro = caso.rolagem + linha;
        QVERIFY(g->TxtList(10 + linha)->hasFocus());
        QCOMPARE((QList<int>{g->VBar()->value(), g->Modelo().LinSel(), g->ListIndex()}),
                 (QList<int>{caso.rolagem, linha, registro}));
        QCOMPARE(g->Arg(1), Texto(registro, 1));
        QCOMPARE(Fundo(g->TxtList(linha)), CorQt(g->BackSel()));
        const int codigo = Teclas::Codigo(caso.tecla);
        QCOMPARE(codigos, (QList<int>{codigo, 0, codigo}));
    }

    // Delete, the key or DeleteRegistroAtual, raises KeyDown with 46 and then 0; a container that
    // zeroes the code keeps the row. The line keeps the selection and shows the next row, or a blank.
    void deletar_data()
    {
        // modo: 0 the key, 1 the key cancelled, 2 DeleteRegistroAtual cancelled
        Colunas<int, int, int, QStringList>("registros", "linha", "modo", "colunaZero");
        const QStringList todas{"r0c0", "r1c0", "r2c0", "r3c0", "r4c0"};
        QTest::newRow("linha 2 de 5") << 5 << 2 << 0 << QStringList{"r0c0", "r1c0", "r3c0", "r4c0", ""};
        QTest::newRow("a única") << 1 << 0 << 0 << QStringList{""};
        QTest::newRow("container cancela") << 5 << 2 << 1 << todas;
        QTest::newRow("DeleteRegistroAtual, container cancela") << 5 << 2 << 2 << todas;
    }
    void deletar()
    {
        BUSCAR(int, registros, int, linha, int, modo, QStringList, colunaZero);
        auto g = NovaGrade(registros);
        QVERIFY(Focar(g->TxtList(linha)));
        QList<int> codigos;
        connect(g.get(), &BoxList::KeyDown, this, [&](qint16 &codigo, qint16 &) {
            codigos << codigo;
            if (modo > 0)
                codigo = 0;
        });
        modo == 2 ? g->DeleteRegistroAtual() : QTest::keyClick(g->TxtList(linha), Qt::Key_Delete);
        QCOMPARE(codigos, (QList<int>{46, 0}));
        QCOMPARE(g->ListCount(), modo > 0 ? registros : registros - 1);
        for (int r = 0; r < colunaZero.size(); ++r)
            QCOMPARE(g->List(0, r), colunaZero[r]);
        QCOMPARE(g->Arg(0), colunaZero[linha]);
        QCOMPARE(g->TxtList(linha)->text(), QStringLiteral(" ") + colunaZero[linha]);
        QCOMPARE(Fundo(g->TxtList(linha)), CorQt(g->BackSel()));
        if (modo > 0)
            return;
        // The row a deletion freed at the end goes back to the grid's own colours and font.
        const BoxCell *vazia = g->Modelo().Armazenada(1, registros - 1);
        QCOMPARE(vazia->Back, g->BoxColor());
        QCOMPARE(vazia->FontName, QStringLiteral("Arial"));
    }

    void teclaDigitada_data()
    {
        Colunas<int, QString>("troca", "texto");
        QTest::newRow("aceita") << -1 << " r0c1a";
        QTest::newRow("cancelada") << 0 << " r0c1";
        QTest::newRow("trocada") << int('b') << " r0c1b";
    }
    void teclaDigitada()
    {
        QFETCH(int, troca);
        auto g = NovaGrade(3);
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
        auto g = NovaGrade(20, true);
        QVERIFY(g->ChkList(23)->isVisible());
        QVERIFY(!g->ChkList(13)->isVisibleTo(g.get()));
        g->VBar()->setValue(4);
        QCOMPARE(g->TxtList(13)->text(), QStringLiteral(" ") + Texto(7, 1));
        QTest::mouseClick(g->ChkList(23), Qt::LeftButton);
        QCOMPARE(g->ValChk(2, 7), 1);
        QCOMPARE(g->ValChk(2, 3), 0);
        g->Selected(7);
        QCOMPARE(g->ArgChk(2), 1);
    }

    void cliques()
    {
        auto g = NovaGrade(5);
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
    }

    // Tab enters the grid on the selected line and leaves it with the next press; the scroll bars are
    // no tab stops. With the horizontal bar showing, Left leaves the cells for it and the arrows move
    // between bars.
    void foco()
    {
        QWidget janela;
        auto *antes = new QLineEdit(&janela);
        auto *g = new BoxList(&janela);
        auto *depois = new QLineEdit(&janela);
        Montar(*g, 5, false, 3000);
        g->Selected(3);
        janela.show();
        QApplication::setActiveWindow(&janela);
        QVERIFY(g->HBar()->isVisible());
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

        QVERIFY(Focar(g->TxtList(3)));
        QTest::keyClick(g->TxtList(3), Qt::Key_Left);
        QVERIFY(g->HBar()->hasFocus());
        QTest::keyClick(g->HBar(), Qt::Key_Up);
        QVERIFY(g->VBar()->hasFocus());
        QTest::keyClick(g->VBar(), Qt::Key_Right);
        QVERIFY(g->HBar()->hasFocus());
    }
};

QTEST_MAIN(TestBoxList)
#include "TestBoxList.moc"
