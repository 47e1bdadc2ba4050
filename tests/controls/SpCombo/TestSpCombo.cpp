#include "common/EnterComoTab.h"
#include "common/Twips.h"
#include "controls/SpCombo/SpCombo.h"
#include "controls/SpCombo/SpComboModelo.h"
#include "support/Desenho.h"
#include "support/Tabela.h"
#include "support/Teclado.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalSpy>
#include <QTest>

using namespace SpComboModelo;

namespace {

const QStringList kExercicios{QStringLiteral("Exercício 1"), QStringLiteral("Exercício 2"),
                              QStringLiteral("Extra")};

// A window with a combo and, below it, a text box the focus can move to.
struct Cena {
    QWidget janela;
    SpCombo *combo = new SpCombo(&janela);
    QLineEdit *outro = new QLineEdit(&janela);
    QLineEdit *txt = combo->findChild<QLineEdit *>(QStringLiteral("TxtAux"));
    QListWidget *lst = combo->findChild<QListWidget *>(QStringLiteral("LstAux"));
    QWidget *pic = combo->findChild<QWidget *>(QStringLiteral("PicUp"));
    QSignalSpy dblClick{combo, &SpCombo::DblClick};

    Cena()
    {
        janela.resize(320, 240);
        combo->setGeometry(10, 10, 150, 21);
        outro->setGeometry(10, 40, 150, 21);
        for (const QString &s : kExercicios)
            combo->AddItem(s);
        janela.show();
        janela.activateWindow();
    }
    bool Focar(QWidget *w)
    {
        w->setFocus();
        return QTest::qWaitForWindowActive(&janela) && QTest::qWaitFor([w] { return w->hasFocus(); });
    }
    int AlturaFechada() const { return txt->height(); }
    // What the box shows, then the stored Text.
    QStringList Textos() const { return {txt->text(), combo->Text()}; }
    bool Fechada() const { return !combo->ListaAberta() && combo->height() == AlturaFechada(); }
};

// Types a text key by key, accented letters included (Qt numbers Latin-1 keys by their capital).
void Digitar(QWidget *w, const QString &texto)
{
    for (const QChar c : texto)
        QTest::sendKeyEvent(QTest::Click, w, Qt::Key(c.toUpper().unicode()), QString(c), Qt::NoModifier);
}

// A window that turns Enter into Tab, as the program's dialogs do, leaving Enter to an open combo list.
class EnterViraTab : public QObject {
protected:
    bool eventFilter(QObject *alvo, QEvent *e) override
    {
        // Every event of the application passes here: only a key press may be read as a key event.
        if (e->type() != QEvent::KeyPress)
            return false;
        const auto *tecla = static_cast<QKeyEvent *>(e);
        if (tecla->key() != Qt::Key_Return || SpCombo::ListaAbertaEm(alvo))
            return false;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        return true;
    }
};

} // namespace

class TestSpCombo : public QObject {
    Q_OBJECT

private slots:
    void busca_data()
    {
        Colunas<QStringList, QString, QString, int>("itens", "conteudo", "tecla", "esperado");
        const auto linha = [](const char *nome, const QStringList &itens, const QString &conteudo,
                              const char *tecla, int esperado) {
            QTest::newRow(nome) << itens << conteudo << QString(tecla) << esperado;
        };
        linha("e em branco", kExercicios, "", "e", 0);
        linha("Ext + r", kExercicios, "Ext", "r", 2);
        linha("caixa ignorada", kExercicios, "eXT", "R", 2);
        linha("sem acerto", kExercicios, "Exa", "m", 3);
        linha("Enter", kExercicios, "Ex", "\r", 3);
        linha("c acha ç", {"Aço", "Acre"}, "A", "c", 0);
        linha("ç acha c", {"Acre", "Aço"}, "A", "ç", 0);
        linha("â não acha a", {"Sala"}, "S", "â", 1);
        linha("a não acha â", {"Sâmia"}, "S", "a", 1);
        linha("branco", {"Ana Paula", "Ana Lúcia"}, "Ana", " ", 0);
        linha("lista vazia", {}, "", "a", 0);
        QTest::newRow("além de 131") << QStringList{QString(131, u'a') + "zz"} << QString(140, u'a') << "b" << 0;
        QTest::newRow("dentro de 131") << QStringList{QString(131, u'a')} << QString(129, u'a') << "b" << 1;
    }
    void busca()
    {
        BUSCAR(QStringList, itens, QString, conteudo, QString, tecla, int, esperado);
        QCOMPARE(BuscaIncremental(itens, conteudo, tecla.at(0)), esperado);
    }

    // Every character goes through KeyPress, typed or composed; the container may cancel it or type
    // another instead ('x' here). The search selects without copying, and only letters and digits
    // open the list.
    void teclaDigitadaSeleciona_data()
    {
        Colunas<QString, bool, int, QString, bool, int>("digitado", "composta", "troca", "texto", "aberta",
                                                        "linha");
        QTest::newRow("letra abre") << "ext" << false << -1 << "ext" << true << 2;
        QTest::newRow("algarismo abre") << "7" << false << -1 << "7" << true << 0;
        QTest::newRow("branco não abre") << " " << false << -1 << " " << false << -1;
        QTest::newRow("pontuação não abre") << "." << false << -1 << "." << false << -1;
        QTest::newRow("acento acha sem abrir") << "é" << false << -1 << "é" << false << 0;
        QTest::newRow("letra composta") << "é" << true << -1 << "é" << false << 0; // "é" folds to "E"
        QTest::newRow("cancelada") << "axb" << false << 0 << "ab" << true << 0;
        QTest::newRow("trocada") << "axb" << false << int('y') << "ayb" << true << 0;
        QTest::newRow("trocada por ç") << "axb" << false << 231 << "açb" << true << 0;
    }
    void teclaDigitadaSeleciona()
    {
        BUSCAR(QString, digitado, bool, composta, int, troca, QString, texto, bool, aberta);
        Cena c;
        QVERIFY(c.Focar(c.txt));
        QList<int> teclas, esperadas;
        connect(c.combo, &SpCombo::KeyPress, c.combo, [&](qint16 &k) {
            teclas << k;
            if (k == 'x' && troca >= 0)
                k = qint16(troca);
        });
        composta ? Teclar(digitado) : Digitar(c.txt, digitado); // composed: as a dead key delivers it
        for (const QChar ch : digitado)
            esperadas << ch.unicode();
        QCOMPARE(teclas, esperadas);
        QCOMPARE(c.combo->ListaAberta(), aberta);
        QTEST(c.lst->currentRow(), "linha");
        QCOMPARE(c.Textos(), QStringList(2, texto));
        QCOMPARE(c.combo->height(), aberta ? c.AlturaFechada() + c.lst->height() + 2 : c.AlturaFechada());
    }

    // The arrow never keeps the focus. Clicked, it opens the list copying the first item, and closes it
    // again. Down opens it on the first item without copying; every key-up in the list copies, Up on the
    // first item goes back to the box with the list still open, and a click on an item copies at once.
    void abrirPelaSetaEPeloTeclado()
    {
        Cena c;
        QVERIFY(c.Focar(c.outro));
        c.pic->setFocus();
        QTRY_VERIFY(c.txt->hasFocus());
        QCOMPARE(c.pic->focusPolicy(), Qt::NoFocus);
        QVERIFY(c.Focar(c.outro));
        c.dblClick.clear();
        QTest::mouseClick(c.pic, Qt::LeftButton);
        QVERIFY(c.combo->ListaAberta());
        QCOMPARE(c.Textos(), QStringList(2, kExercicios.at(0)));
        QTRY_VERIFY(c.txt->hasFocus());
        QCOMPARE(c.dblClick.count(), 1); // the text box got the focus
        QTest::mouseClick(c.lst->viewport(), Qt::LeftButton, {}, c.lst->visualItemRect(c.lst->item(2)).center());
        QCOMPARE(c.combo->Text(), kExercicios.at(2));
        QTest::mouseClick(c.pic, Qt::LeftButton);
        QVERIFY(c.Fechada());
        QCOMPARE(c.dblClick.count(), 3); // the choice, then the text box taking the focus from the list
        QVERIFY(c.txt->hasFocus());

        c.txt->selectAll();
        Digitar(c.txt, "Ext");
        QCOMPARE(c.lst->currentRow(), 2);
        QTest::keyPress(c.txt, Qt::Key_Down);
        QVERIFY(c.combo->ListaAberta());
        QCOMPARE(c.lst->currentRow(), 0); // always the first item, even with another selected
        QTRY_VERIFY(c.lst->hasFocus());
        QVERIFY(c.combo->IgnoraClique());
        QCOMPARE(c.txt->text(), QStringLiteral("Ext"));
        QTest::keyRelease(c.lst, Qt::Key_Down);
        QCOMPARE(c.Textos(), QStringList(2, kExercicios.at(0)));
        c.dblClick.clear();
        QTest::keyClick(c.lst, Qt::Key_Up);
        QTRY_VERIFY(c.txt->hasFocus());
        QVERIFY(c.combo->ListaAberta());
        QCOMPARE(c.dblClick.count(), 1);
        QCOMPARE(c.txt->selectedText(), kExercicios.at(0));
        QTest::keyPress(c.txt, Qt::Key_Down);
        QTRY_VERIFY(c.lst->hasFocus());
        QTest::keyPress(c.lst, Qt::Key_Down);
        QCOMPARE(c.combo->Text(), kExercicios.at(0)); // still ignoring selection changes...
        QTest::keyRelease(c.lst, Qt::Key_Down);
        QCOMPARE(c.combo->Text(), kExercicios.at(1)); // ...but every key-up in the list copies
        QTest::mouseClick(c.lst->viewport(), Qt::LeftButton, {}, c.lst->visualItemRect(c.lst->item(2)).center());
        QVERIFY(!c.combo->IgnoraClique());
        QCOMPARE(c.combo->Text(), kExercicios.at(2));
    }

    void confirmacaoPeloTexto_data()
    {
        Colunas<int, bool, QString>("tecla", "aberta", "texto");
        QTest::newRow("Enter aberta") << int(Qt::Key_Return) << true << kExercicios.at(2);
        QTest::newRow("Enter fechada") << int(Qt::Key_Return) << false << kExercicios.at(2);
        QTest::newRow("Cima aberta") << int(Qt::Key_Up) << true << QStringLiteral("Ext");
        QTest::newRow("Cima fechada") << int(Qt::Key_Up) << false << QStringLiteral("Ext");
    }
    void confirmacaoPeloTexto()
    {
        BUSCAR(int, tecla, bool, aberta, QString, texto);
        Cena c;
        QVERIFY(c.Focar(c.txt));
        Digitar(c.txt, "Ext"); // opens the list on Extra
        if (!aberta)
            QTest::keyClick(c.txt, Qt::Key_Up);
        QCOMPARE(c.combo->ListaAberta(), aberta);
        c.dblClick.clear();
        QTest::keyClick(c.txt, Qt::Key(tecla));
        QCOMPARE(c.dblClick.count(), 1);
        QVERIFY(c.Fechada());
        QCOMPARE(c.Textos(), QStringList(2, texto));
        QVERIFY(!c.lst->isEnabled());
    }

    // Getting the focus selects the whole text before DblClick. What is typed replaces it and the search
    // follows the new text: "2" typed over a selected "1" finds "2". Leaving closes the list quietly.
    void focoEDigitarSobreSelecao()
    {
        Cena c;
        c.combo->Clear();
        for (const char *s : {"1", "2", "3", "4", "5", "6"})
            c.combo->AddItem(QString::fromLatin1(s));
        c.combo->SetText(QStringLiteral("1"));
        QVERIFY(c.Focar(c.outro));
        QString selecionado;
        connect(c.combo, &SpCombo::DblClick, c.combo, [&] { selecionado = c.txt->selectedText(); });
        c.dblClick.clear();
        QVERIFY(c.Focar(c.txt));
        QCOMPARE(c.dblClick.count(), 1);
        QCOMPARE(selecionado, QStringLiteral("1"));
        Digitar(c.txt, "2");
        QVERIFY(c.combo->ListaAberta());
        QCOMPARE(c.lst->currentRow(), 1);
        QCOMPARE(c.combo->Text(), QStringLiteral("2"));
        c.dblClick.clear();
        QVERIFY(c.Focar(c.outro));
        QVERIFY(c.Fechada());
        QCOMPARE(c.dblClick.count(), 0);
    }

    // Enter in the open list confirms and stays; Enter in the box confirms, and a dialog that turns
    // Enter into Tab (EnterComoTab, which asks ProcessarEnter first, installed before the combo had the
    // keyboard or after, or a plain filter) moves on only after that.
    void enterNaListaENaCaixa_data()
    {
        // filtro: 0 none, 1 EnterComoTab, 2 a plain filter
        Colunas<int, bool>("filtro", "instaladoAntes");
        QTest::newRow("sem filtro") << 0 << true;
        QTest::newRow("EnterComoTab, antes") << 1 << true;
        QTest::newRow("EnterComoTab, depois") << 1 << false;
        QTest::newRow("filtro simples, antes") << 2 << true;
    }
    void enterNaListaENaCaixa()
    {
        BUSCAR(int, filtro, bool, instaladoAntes);
        Cena c;
        EnterViraTab simples;
        const auto instalar = [&] {
            if (filtro == 1)
                EnterComoTab::Instalar(&c.janela);
            else if (filtro == 2)
                qApp->installEventFilter(&simples);
        };
        if (instaladoAntes)
            instalar();
        QVERIFY(c.Focar(c.txt));
        if (!instaladoAntes)
            instalar();
        Digitar(c.txt, "Ext");
        QTest::keyPress(c.txt, Qt::Key_Down);
        QTest::keyRelease(c.lst, Qt::Key_Down);
        QTest::keyClick(c.lst, Qt::Key_Down);
        c.dblClick.clear();
        QTest::keyClick(c.lst, Qt::Key_Return);
        QVERIFY(c.txt->hasFocus());
        QVERIFY(!c.combo->ListaAberta());
        QCOMPARE(c.combo->Text(), kExercicios.at(1));
        QCOMPARE(c.dblClick.count(), 2); // the choice, then the text box getting the focus
        QTest::keyClick(c.txt, Qt::Key_Return);
        QCOMPARE(c.dblClick.count(), 3);
        QCOMPARE(c.outro->hasFocus(), filtro != 0);
        QCOMPARE(c.combo->Text(), kExercicios.at(1));
        qApp->removeEventFilter(&simples);
    }

    void codigosDasTeclas_data()
    {
        Colunas<int, int, bool>("tecla", "codigo", "abre");
        QTest::newRow("Baixo") << int(Qt::Key_Down) << 40 << false;
        QTest::newRow("Enter") << int(Qt::Key_Return) << 13 << false;
        QTest::newRow("A") << int(Qt::Key_A) << 65 << true; // its character still searches and opens
    }
    void codigosDasTeclas()
    {
        BUSCAR(int, tecla, int, codigo);
        Cena c;
        QVERIFY(c.Focar(c.txt));
        QList<int> desceu, subiu;
        connect(c.combo, &SpCombo::KeyDown, c.combo, [&](qint16 &k, qint16 &) {
            desceu << k;
            k = 0;
        });
        connect(c.combo, &SpCombo::KeyUp, c.combo, [&](qint16 &k, qint16 &) { subiu << k; });
        QTest::keyClick(c.txt, Qt::Key(tecla));
        QCOMPARE(desceu, QList<int>{codigo});
        QCOMPARE(subiu, QList<int>{codigo});
        // KeyCode set to 0 by the container: the combo does nothing more with the key itself.
        QTEST(c.combo->ListaAberta(), "abre");
        QCOMPARE(c.dblClick.count(), 0);
        QVERIFY(!c.combo->IgnoraClique());
    }

    void alturaMinima_data()
    {
        Colunas<bool, int>("defButton", "altura");
        QTest::newRow("imagens próprias") << false << Twips::px(kAlturaMinima);
        QTest::newRow("imagens dadas") << true << 10;
    }
    void alturaMinima()
    {
        BUSCAR(bool, defButton, int, altura);
        Cena c;
        c.combo->SetDefButton(defButton);
        c.combo->resize(150, 10);
        QCOMPARE(c.combo->height(), altura);
        QCOMPARE(c.txt->geometry(), QRect(0, 0, 150, altura));
        QCOMPARE(c.pic->geometry(), QRect(150 - 19 - 1, 1, 19, 17));
        QCOMPARE(c.lst->geometry(), QRect(0, altura + 2, 150, Twips::px(kListHeightPadrao)));
    }

    // Text is the stored field: the box shows it, but editing the box does not change it. What one
    // combo saves loads into another unchanged; DefinirEnabled applies at once, while a loaded Enabled=False
    // leaves the parts usable until the second refresh.
    void propriedades()
    {
        SpCombo padrao;
        QCOMPARE(padrao.Salvar(), QVariantMap());
        padrao.Carregar({});
        QCOMPARE(padrao.ListHeight(), qint16(1590));
        QCOMPARE(padrao.BackColor(), RGB(255, 255, 255));

        Cena a, b;
        a.combo->SetText(QStringLiteral("Classe"));
        QCOMPARE(a.txt->text(), QStringLiteral("Classe"));
        a.txt->setText(QStringLiteral("xyz"));
        QCOMPARE(a.combo->property("Text").toString(), QStringLiteral("Classe"));
        a.combo->SetBackColor(RGB(1, 2, 3));
        a.combo->SetForeColor(RGB(4, 5, 6));
        a.combo->SetFont(QFont(QStringLiteral("DejaVu Sans"), 13));
        a.combo->SetUpPicture(SpCombo::DesenharSeta(true));
        a.combo->SetDownPicture(SpCombo::DesenharSeta(false));
        a.combo->SetDefButton(true);
        a.combo->DefinirEnabled(false);
        QVERIFY(!a.txt->isEnabled() && !a.pic->isEnabled());
        a.combo->SetListHeight(900);
        auto todas = SpCombo::OrdemPropriedades();
        todas.sort();
        IdaEVolta(*a.combo, *b.combo, todas);
        b.combo->AtualizaCombo();
        QVERIFY(b.txt->isEnabled());
        b.combo->AtualizaCombo();
        QVERIFY(!b.txt->isEnabled());
        b.combo->DefinirEnabled(true);
        QVERIFY(b.txt->isEnabled() && b.pic->isEnabled());
    }
};

QTEST_MAIN(TestSpCombo)
#include "TestSpCombo.moc"
