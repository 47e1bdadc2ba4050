#include "common/EnterComoTab.h"
#include "common/Twips.h"
#include "controls/SpCombo/SpCombo.h"
#include "controls/SpCombo/SpComboModelo.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalSpy>
#include <QTest>

#include <memory>

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
        auto *tecla = static_cast<QKeyEvent *>(e);
        if (e->type() != QEvent::KeyPress || tecla->key() != Qt::Key_Return || SpCombo::ListaAbertaEm(alvo))
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
        QTest::addColumn<QStringList>("itens");
        QTest::addColumn<QString>("conteudo");
        QTest::addColumn<QString>("tecla");
        QTest::addColumn<int>("esperado");
        QTest::newRow("e em branco") << kExercicios << QString() << "e" << 0;
        QTest::newRow("Ext + r") << kExercicios << "Ext" << "r" << 2;
        QTest::newRow("Exercici + o") << kExercicios << "Exercici" << "o" << 0;
        QTest::newRow("caixa ignorada") << kExercicios << "eXT" << "R" << 2;
        QTest::newRow("sem acerto") << kExercicios << "Exa" << "m" << 3;
        QTest::newRow("Enter") << kExercicios << "Ex" << "\r" << 3;
        QTest::newRow("c acha ç") << QStringList{"Aço", "Acre"} << "A" << "c" << 0;
        QTest::newRow("ç acha c") << QStringList{"Acre", "Aço"} << "A" << "ç" << 0;
        QTest::newRow("â não acha a") << QStringList{"Sala"} << "S" << "â" << 1;
        QTest::newRow("a não acha â") << QStringList{"Sâmia"} << "S" << "a" << 1;
        QTest::newRow("branco") << QStringList{"Ana Paula", "Ana Lúcia"} << "Ana" << " " << 0;
        QTest::newRow("lista vazia") << QStringList{} << QString() << "a" << 0;
        QTest::newRow("além de 131") << QStringList{QString(131, u'a') + "zz"} << QString(140, u'a') << "b" << 0;
        QTest::newRow("dentro de 131") << QStringList{QString(131, u'a')} << QString(129, u'a') << "b" << 1;
    }
    void busca()
    {
        QFETCH(QStringList, itens);
        QFETCH(QString, conteudo);
        QFETCH(QString, tecla);
        QFETCH(int, esperado);
        QCOMPARE(BuscaIncremental(itens, conteudo, tecla.at(0)), esperado);
    }

    void teclaDigitadaSeleciona_data()
    {
        QTest::addColumn<QString>("digitado");
        QTest::addColumn<bool>("aberta");
        QTest::addColumn<int>("linha");
        QTest::newRow("letra abre") << "ext" << true << 2;
        QTest::newRow("algarismo abre") << "7" << true << 0;
        QTest::newRow("branco não abre") << " " << false << -1;
        QTest::newRow("pontuação não abre") << "." << false << -1;
        QTest::newRow("acento acha sem abrir") << "é" << false << 0;
    }
    void teclaDigitadaSeleciona()
    {
        QFETCH(QString, digitado);
        QFETCH(bool, aberta);
        QFETCH(int, linha);
        Cena c;
        QVERIFY(c.Focar(c.txt));
        Digitar(c.txt, digitado);
        QCOMPARE(c.combo->ListaAberta(), aberta);
        QCOMPARE(c.lst->currentRow(), linha);
        QCOMPARE(c.txt->text(), digitado);  // the search selects without copying
        QCOMPARE(c.combo->Text(), digitado);
        QCOMPARE(c.combo->height(), aberta ? c.AlturaFechada() + c.lst->height() + 2 : c.AlturaFechada());
    }

    void setaAbreCopiandoOPrimeiroItem()
    {
        Cena c;
        QVERIFY(c.Focar(c.outro));
        c.dblClick.clear();
        QTest::mouseClick(c.pic, Qt::LeftButton);
        QVERIFY(c.combo->ListaAberta());
        QCOMPARE(c.txt->text(), kExercicios.at(0));
        QCOMPARE(c.combo->Text(), kExercicios.at(0));
        QTRY_VERIFY(c.txt->hasFocus());
        QCOMPARE(c.dblClick.count(), 1);  // the text box got the focus

        QTest::mouseClick(c.lst->viewport(), Qt::LeftButton, {}, c.lst->visualItemRect(c.lst->item(2)).center());
        QCOMPARE(c.combo->Text(), kExercicios.at(2));
        QTest::mouseClick(c.pic, Qt::LeftButton);
        QVERIFY(!c.combo->ListaAberta());
        QCOMPARE(c.dblClick.count(), 3);  // the choice, then the text box taking the focus from the list
        QCOMPARE(c.combo->height(), c.AlturaFechada());
        QVERIFY(c.txt->hasFocus());
    }

    void setaNuncaFicaComOFoco()
    {
        Cena c;
        QVERIFY(c.Focar(c.outro));
        c.pic->setFocus();
        QTRY_VERIFY(c.txt->hasFocus());
        QCOMPARE(c.pic->focusPolicy(), Qt::NoFocus);
    }

    void baixoAbreSemCopiarEOSoltarCopia()
    {
        Cena c;
        QVERIFY(c.Focar(c.txt));
        Digitar(c.txt, "Ext");
        QCOMPARE(c.lst->currentRow(), 2);
        QTest::keyPress(c.txt, Qt::Key_Down);
        QVERIFY(c.combo->ListaAberta());
        QCOMPARE(c.lst->currentRow(), 0);  // always the first item, even with another selected
        QTRY_VERIFY(c.lst->hasFocus());
        QVERIFY(c.combo->IgnoraClique());
        QCOMPARE(c.txt->text(), QStringLiteral("Ext"));
        QTest::keyRelease(c.lst, Qt::Key_Down);
        QCOMPARE(c.txt->text(), kExercicios.at(0));
        QCOMPARE(c.combo->Text(), kExercicios.at(0));

        QTest::keyPress(c.lst, Qt::Key_Down);
        QCOMPARE(c.combo->Text(), kExercicios.at(0));  // still ignoring selection changes...
        QTest::keyRelease(c.lst, Qt::Key_Down);
        QCOMPARE(c.combo->Text(), kExercicios.at(1));  // ...but every key-up in the list copies
        QTest::mouseClick(c.lst->viewport(), Qt::LeftButton, {}, c.lst->visualItemRect(c.lst->item(2)).center());
        QVERIFY(!c.combo->IgnoraClique());
        QCOMPARE(c.combo->Text(), kExercicios.at(2));
        c.dblClick.clear();
        QTest::keyClick(c.lst, Qt::Key_Return);
        QVERIFY(!c.combo->ListaAberta());
        QVERIFY(c.txt->hasFocus());
        QCOMPARE(c.dblClick.count(), 2);  // the choice, then the text box getting the focus
        QCOMPARE(c.combo->Text(), kExercicios.at(2));
    }

    void letraCompostaPassaPelaBusca()
    {
        Cena c;
        QVERIFY(c.Focar(c.txt));
        QList<int> teclas;
        connect(c.combo, &SpCombo::KeyPress, c.combo, [&](qint16 &k) { teclas << k; });
        QInputMethodEvent composta;
        composta.setCommitString(QStringLiteral("é"));
        QApplication::sendEvent(c.txt, &composta);
        QCOMPARE(teclas, QList<int>{0xE9});
        QCOMPARE(c.lst->currentRow(), 0);  // "é" folds to "E": Exercício 1
        QVERIFY(!c.combo->ListaAberta());
        QCOMPARE(c.combo->Text(), QStringLiteral("é"));
    }

    void cimaNaListaVoltaAoTexto()
    {
        Cena c;
        QVERIFY(c.Focar(c.txt));
        QTest::keyPress(c.txt, Qt::Key_Down);
        QTest::keyRelease(c.lst, Qt::Key_Down);
        c.dblClick.clear();
        QTest::keyClick(c.lst, Qt::Key_Up);
        QTRY_VERIFY(c.txt->hasFocus());
        QVERIFY(c.combo->ListaAberta());
        QCOMPARE(c.dblClick.count(), 1);
        QCOMPARE(c.txt->selectedText(), kExercicios.at(0));
    }

    void confirmacaoPeloTexto_data()
    {
        QTest::addColumn<int>("tecla");
        QTest::addColumn<bool>("aberta");
        QTest::addColumn<QString>("texto");
        QTest::newRow("Enter aberta") << int(Qt::Key_Return) << true << kExercicios.at(2);
        QTest::newRow("Enter fechada") << int(Qt::Key_Return) << false << kExercicios.at(2);
        QTest::newRow("Cima aberta") << int(Qt::Key_Up) << true << QStringLiteral("Ext");
        QTest::newRow("Cima fechada") << int(Qt::Key_Up) << false << QStringLiteral("Ext");
    }
    void confirmacaoPeloTexto()
    {
        QFETCH(int, tecla);
        QFETCH(bool, aberta);
        QFETCH(QString, texto);
        Cena c;
        QVERIFY(c.Focar(c.txt));
        Digitar(c.txt, "Ext");  // opens the list on Extra
        if (!aberta)
            QTest::keyClick(c.txt, Qt::Key_Up);
        QCOMPARE(c.combo->ListaAberta(), aberta);
        c.dblClick.clear();
        QTest::keyClick(c.txt, Qt::Key(tecla));
        QCOMPARE(c.dblClick.count(), 1);
        QVERIFY(!c.combo->ListaAberta());
        QCOMPARE(c.combo->height(), c.AlturaFechada());
        QCOMPARE(c.txt->text(), texto);
        QCOMPARE(c.combo->Text(), texto);
        QVERIFY(!c.lst->isEnabled());
    }

    // The box selects its text on focus; what is typed replaces it, and the search follows the new
    // text: "2" typed over a selected "1" finds "2", and Enter keeps it.
    void digitarSobreSelecao()
    {
        Cena c;
        c.combo->Clear();
        for (const char *s : {"1", "2", "3", "4", "5", "6"})
            c.combo->AddItem(QString::fromLatin1(s));
        QVERIFY(c.Focar(c.outro));
        c.combo->SetText(QStringLiteral("1"));
        QVERIFY(c.Focar(c.txt));
        QVERIFY(c.txt->hasSelectedText());
        Digitar(c.txt, "2");
        QTest::keyClick(c.txt, Qt::Key_Return);
        QCOMPARE(c.combo->Text(), QStringLiteral("2"));
        QCOMPARE(c.txt->text(), QStringLiteral("2"));
    }

    void focoSaindoFechaSemDblClick()
    {
        Cena c;
        QVERIFY(c.Focar(c.txt));
        QTest::keyClick(c.txt, Qt::Key_E);
        QVERIFY(c.combo->ListaAberta());
        c.dblClick.clear();
        QVERIFY(c.Focar(c.outro));
        QVERIFY(!c.combo->ListaAberta());
        QCOMPARE(c.dblClick.count(), 0);
        QCOMPARE(c.combo->height(), c.AlturaFechada());
    }

    void focoNoTextoSelecionaTudoAntesDoDblClick()
    {
        Cena c;
        c.combo->SetText(QStringLiteral("Extra"));
        QVERIFY(c.Focar(c.outro));
        QString selecionado;
        connect(c.combo, &SpCombo::DblClick, c.combo, [&] { selecionado = c.txt->selectedText(); });
        c.dblClick.clear();
        QVERIFY(c.Focar(c.txt));
        QCOMPARE(c.dblClick.count(), 1);
        QCOMPARE(selecionado, QStringLiteral("Extra"));
    }

    // The dialogs turn Enter into Tab with a filter on the application. Whether it was installed before
    // the combo had the keyboard or after (EnterComoTab then asks ProcessarEnter first), Enter in the
    // open list confirms and stays, and Enter in the text box confirms before the focus moves on.
    void janelaQueTrocaEnterPorTab_data()
    {
        QTest::addColumn<bool>("doPrograma");
        QTest::addColumn<bool>("instaladoAntes");
        QTest::newRow("EnterComoTab, antes") << true << true;
        QTest::newRow("EnterComoTab, depois") << true << false;
        QTest::newRow("filtro simples, antes") << false << true;
    }
    void janelaQueTrocaEnterPorTab()
    {
        QFETCH(bool, doPrograma);
        QFETCH(bool, instaladoAntes);
        Cena c;
        EnterViraTab simples;
        const auto instalar = [&] {
            if (doPrograma)
                EnterComoTab::Instalar(&c.janela);
            else
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
        QCOMPARE(c.dblClick.count(), 2);
        QTest::keyClick(c.txt, Qt::Key_Return);
        QCOMPARE(c.dblClick.count(), 3);
        QVERIFY(c.outro->hasFocus());
        QCOMPARE(c.combo->Text(), kExercicios.at(1));
        qApp->removeEventFilter(&simples);
    }

    void codigosDasTeclas_data()
    {
        QTest::addColumn<int>("tecla");
        QTest::addColumn<int>("codigo");
        QTest::addColumn<bool>("abre");
        QTest::newRow("Baixo") << int(Qt::Key_Down) << 40 << false;
        QTest::newRow("Cima") << int(Qt::Key_Up) << 38 << false;
        QTest::newRow("Enter") << int(Qt::Key_Return) << 13 << false;
        QTest::newRow("Delete") << int(Qt::Key_Delete) << 46 << false;
        QTest::newRow("A") << int(Qt::Key_A) << 65 << true;  // its character still searches and opens
    }
    void codigosDasTeclas()
    {
        QFETCH(int, tecla);
        QFETCH(int, codigo);
        QFETCH(bool, abre);
        Cena c;
        QVERIFY(c.Focar(c.txt));
        QList<int> desceu, subiu;
        connect(c.combo, &SpCombo::KeyDown, c.combo, [&](qint16 &k, qint16 &) { desceu << k; k = 0; });
        connect(c.combo, &SpCombo::KeyUp, c.combo, [&](qint16 &k, qint16 &) { subiu << k; });
        QTest::keyClick(c.txt, Qt::Key(tecla));
        QCOMPARE(desceu, QList<int>{codigo});
        QCOMPARE(subiu, QList<int>{codigo});
        // KeyCode set to 0 by the container: the combo does nothing more with the key itself.
        QCOMPARE(c.combo->ListaAberta(), abre);
        QCOMPARE(c.dblClick.count(), 0);
        QVERIFY(!c.combo->IgnoraClique());
    }

    void keyPressTrocaOuCancela_data()
    {
        QTest::addColumn<int>("nova");
        QTest::addColumn<QString>("texto");
        QTest::newRow("cancela") << 0 << "ab";
        QTest::newRow("troca") << int('y') << "ayb";
        QTest::newRow("troca por ç") << 231 << "açb";
    }
    void keyPressTrocaOuCancela()
    {
        QFETCH(int, nova);
        QFETCH(QString, texto);
        Cena c;
        QVERIFY(c.Focar(c.txt));
        connect(c.combo, &SpCombo::KeyPress, c.combo, [&](qint16 &k) {
            if (k == 'x')
                k = qint16(nova);
        });
        Digitar(c.txt, "axb");
        QCOMPARE(c.txt->text(), texto);
        QCOMPARE(c.combo->Text(), texto);
    }

    void alturaMinima_data()
    {
        QTest::addColumn<bool>("defButton");
        QTest::addColumn<int>("altura");
        QTest::newRow("imagens próprias") << false << Twips::px(kAlturaMinima);
        QTest::newRow("imagens dadas") << true << 10;
    }
    void alturaMinima()
    {
        QFETCH(bool, defButton);
        QFETCH(int, altura);
        Cena c;
        c.combo->SetDefButton(defButton);
        c.combo->resize(150, 10);
        QCOMPARE(c.combo->height(), altura);
        QCOMPARE(c.txt->geometry(), QRect(0, 0, 150, altura));
        QCOMPARE(c.pic->geometry(), QRect(150 - 19 - 1, 1, 19, 17));
        QCOMPARE(c.lst->geometry(), QRect(0, altura + 2, 150, Twips::px(kListHeightPadrao)));
    }

    void textoEhOCampoGuardado()
    {
        Cena c;
        c.combo->SetText(QStringLiteral("abc"));
        QCOMPARE(c.txt->text(), QStringLiteral("abc"));
        c.txt->setText(QStringLiteral("xyz"));
        QCOMPARE(c.combo->Text(), QStringLiteral("abc"));
        QCOMPARE(c.combo->property("Text").toString(), QStringLiteral("abc"));
    }

    void habilitacao()
    {
        Cena c;
        c.combo->Carregar({{QStringLiteral("Enabled"), false}});
        c.combo->AtualizaCombo();
        QVERIFY(c.txt->isEnabled());  // loaded disabled: still usable until the next refresh
        c.combo->AtualizaCombo();
        QVERIFY(!c.txt->isEnabled());
        c.combo->SetEnabled(true);
        QVERIFY(c.txt->isEnabled() && c.pic->isEnabled());
        c.combo->SetEnabled(false);
        QVERIFY(!c.txt->isEnabled() && !c.pic->isEnabled());
    }

    void persistencia()
    {
        SpCombo padrao;
        QCOMPARE(padrao.Salvar(), QVariantMap());
        padrao.Carregar({});
        QCOMPARE(padrao.ListHeight(), qint16(1590));
        QCOMPARE(padrao.BackColor(), RGB(255, 255, 255));

        SpCombo a;
        a.SetText(QStringLiteral("Classe"));
        a.SetBackColor(RGB(1, 2, 3));
        a.SetForeColor(RGB(4, 5, 6));
        a.SetFont(QFont(QStringLiteral("DejaVu Sans"), 13));
        a.SetUpPicture(SpCombo::DesenharSeta(true));
        a.SetDownPicture(SpCombo::DesenharSeta(false));
        a.SetDefButton(true);
        a.SetEnabled(false);
        a.SetListHeight(900);
        const QVariantMap salvo = a.Salvar();
        QCOMPARE(QStringList(salvo.keys()), [] { auto l = SpCombo::OrdemPropriedades(); l.sort(); return l; }());

        SpCombo b;
        b.Carregar(salvo);
        QCOMPARE(b.Salvar().keys(), salvo.keys());
        for (const QString &nome : SpCombo::OrdemPropriedades()) {
            if (nome.endsWith(QStringLiteral("Picture")))
                QCOMPARE(b.property(qPrintable(nome)).value<QPixmap>().toImage(),
                         a.property(qPrintable(nome)).value<QPixmap>().toImage());
            else
                QCOMPARE(b.property(qPrintable(nome)), a.property(qPrintable(nome)));
        }
    }
};

QTEST_MAIN(TestSpCombo)
#include "TestSpCombo.moc"
