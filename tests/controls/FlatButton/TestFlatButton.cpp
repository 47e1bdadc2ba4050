#include "common/CorQt.h"
#include "controls/FlatButton/Arte.h"
#include "controls/FlatButton/FlatButton.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace {

QPixmap Liso(const QColor &cor, QSize tamanho = QSize(60, 24))
{
    QPixmap p(tamanho);
    p.fill(cor);
    return p;
}

const QColor kCorUp(200, 30, 30);
const QColor kCorDown(30, 160, 30);
const QColor kCorHigh(30, 30, 200);
const QColor kCorEnFalse(128, 128, 128);
const QColor kCorBackGround(230, 200, 40);
const QColor kCorFundo(10, 220, 220);

// A window that notes the keys that reach it, to tell whether the button let a key through.
class Janela : public QWidget {
public:
    QList<int> teclas;

protected:
    void keyPressEvent(QKeyEvent *e) override
    {
        teclas << e->key();
        QWidget::keyPressEvent(e);
    }
};

void Ativar(QWidget &janela)
{
    janela.show();
    janela.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&janela));
}

// A Space press sent straight to the button (a disabled one accepts nothing, so no key click).
void Espaco(FlatButton &b)
{
    QKeyEvent evento(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    QApplication::sendEvent(&b, &evento);
}

} // namespace

class TestFlatButton : public QObject {
    Q_OBJECT

private slots:
    // Every test starts with the pointer away from its windows.
    void init() { QCursor::setPos(QPoint(3000, 3000)); }

    void faces_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<QString>("situacao");
        QTest::addColumn<QColor>("cor");
        const auto linha = [](int style, const char *situacao, const QColor &cor) {
            QTest::addRow("style %d, %s", style, situacao) << style << situacao << cor;
        };
        linha(0, "parado", kCorBackGround);
        linha(0, "ponteiro", kCorUp);
        linha(0, "foco", kCorUp);
        linha(0, "pressionado", kCorDown);
        linha(0, "desabilitado", kCorEnFalse);
        linha(1, "parado", kCorUp);
        linha(1, "ponteiro", kCorHigh);
        linha(1, "foco", kCorHigh);
        linha(1, "pressionado", kCorDown);
        linha(1, "desabilitado", kCorEnFalse);
        linha(7, "parado", kCorUp);
        linha(7, "ponteiro", kCorHigh);
    }
    void faces()
    {
        QFETCH(int, style);
        QFETCH(QString, situacao);
        QFETCH(QColor, cor);

        Janela janela;
        auto *caixa = new QLineEdit(&janela);
        auto *b = new FlatButton(&janela);
        b->move(0, 40);
        b->DefinirStyle(style);
        b->DefinirUpPicture(Liso(kCorUp));
        b->DefinirDownPicture(Liso(kCorDown));
        b->DefinirHighPicture(Liso(kCorHigh));
        b->DefinirEnFalsePic(Liso(kCorEnFalse));
        b->DefinirBackGround(Liso(kCorBackGround));
        janela.resize(200, 100);
        Ativar(janela);
        caixa->setFocus();
        QTRY_VERIFY(caixa->hasFocus());

        if (situacao == "ponteiro") {
            QTest::mouseMove(b);
            QTRY_VERIFY(b->MouseSobre());
        } else if (situacao == "foco") {
            b->setFocus();
            QTRY_VERIFY(b->hasFocus());
        } else if (situacao == "pressionado") {
            QTest::mousePress(b, Qt::LeftButton);
        } else if (situacao == "desabilitado") {
            b->DefinirEnabled(false);
        }
        QCOMPARE(b->grab().toImage().pixelColor(1, 1), cor);
        if (situacao == "pressionado")
            QTest::mouseRelease(b, Qt::LeftButton);
    }

    // The face picture is drawn at its own size over the face colour; a state without a picture
    // leaves the colour last set by the idle face.
    void faceSobreACor()
    {
        Janela janela;
        auto *caixa = new QLineEdit(&janela);
        auto *b = new FlatButton(&janela);
        b->setGeometry(0, 40, 60, 24);
        b->DefinirBackColor(CorDe(kCorFundo));
        b->DefinirBackGround(Liso(kCorBackGround, QSize(10, 10)));
        Ativar(janela);
        caixa->setFocus();
        QTRY_VERIFY(caixa->hasFocus());
        QImage imagem = b->grab().toImage();
        QCOMPARE(imagem.pixelColor(2, 2), kCorBackGround);
        QCOMPARE(imagem.pixelColor(55, 20), kCorFundo);

        b->DesenhaBotao(EstadoBotao::Down); // no DownPicture
        imagem = b->grab().toImage();
        QCOMPARE(imagem.pixelColor(2, 2), kCorFundo);
        QCOMPARE(b->CorDeFundoAtual(), b->BackColor());
    }

    void centralizar_data()
    {
        QTest::addColumn<double>("w");
        QTest::addColumn<double>("h");
        QTest::addColumn<double>("tw");
        QTest::addColumn<double>("th");
        QTest::addColumn<double>("iw");
        QTest::addColumn<double>("ih");
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<double>("imagemLeft");
        QTest::addColumn<double>("imagemTop");
        // Without an icon (iw = -1) the caption is centred alone.
        QTest::newRow("so texto") << 1215.0 << 375.0 << 450.0 << 195.0 << -1.0 << 0.0 << 382 << 90 << 0.0 << 0.0;
        QTest::newRow("meio para cima") << 1215.0 << 375.0 << 420.0 << 180.0 << -1.0 << 0.0 << 398 << 98 << 0.0 << 0.0;
        QTest::newRow("meio para baixo") << 1215.0 << 375.0 << 390.0 << 210.0 << -1.0 << 0.0 << 412 << 82 << 0.0 << 0.0;
        QTest::newRow("texto largo") << 600.0 << 375.0 << 1005.0 << 195.0 << -1.0 << 0.0 << -202 << 90 << 0.0 << 0.0;
        QTest::newRow("com icone") << 1215.0 << 375.0 << 525.0 << 195.0 << 240.0 << 240.0 << 465 << 90 << 225.0 << 67.5;
        QTest::newRow("icone sem texto") << 1215.0 << 375.0 << 0.0 << 195.0 << 240.0 << 240.0 << 728 << 90 << 487.5 << 67.5;
        QTest::newRow("fora dos 16 bits") << 100000.0 << 375.0 << 0.0 << 195.0 << -1.0 << 0.0 << 32767 << 90 << 0.0 << 0.0;
    }
    void centralizar()
    {
        QFETCH(double, w);
        QFETCH(double, h);
        QFETCH(double, tw);
        QFETCH(double, th);
        QFETCH(double, iw);
        QFETCH(double, ih);
        const bool comFigura = iw >= 0;
        const PosicaoBotao p = ModeloFlatButton::Centralizar(w, h, tw, th, comFigura, iw, ih);
        QTEST(int(p.captionLeft), "x");
        QTEST(int(p.captionTop), "y");
        QCOMPARE(p.moveImagem, comFigura);
        if (comFigura) {
            QTEST(p.imagemLeft, "imagemLeft");
            QTEST(p.imagemTop, "imagemTop");
        }
    }

    // Enter and Space click (pressed face during the pause, highlighted face, Click) and then raise
    // KeyPress; other characters only raise KeyPress.
    void teclas_data()
    {
        QTest::addColumn<int>("tecla");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QStringList>("ordem");
        QTest::addColumn<bool>("janelaVe");
        const QStringList clique{"pausa:2", "Click:3"};
        QTest::newRow("espaco") << int(Qt::Key_Space) << " " << clique + QStringList{"KeyPress:32"} << false;
        QTest::newRow("enter") << int(Qt::Key_Return) << "\r" << clique + QStringList{"KeyPress:13"} << false;
        QTest::newRow("enter numerico") << int(Qt::Key_Enter) << "\r" << clique + QStringList{"KeyPress:13"} << false;
        QTest::newRow("letra") << int(Qt::Key_X) << "x" << QStringList{"KeyPress:120"} << false;
        QTest::newRow("cedilha") << int(Qt::Key_Ccedilla) << QStringLiteral("ç") << QStringList{"KeyPress:231"} << false;
        QTest::newRow("euro, no codigo 1252") << int(Qt::Key_unknown) << QStringLiteral("€") << QStringList{"KeyPress:128"} << false;
        // Escape is reported and then still reaches the window, where it cancels a dialog.
        QTest::newRow("escape") << int(Qt::Key_Escape) << "\x1b" << QStringList{"KeyPress:27"} << true;
    }
    void teclas()
    {
        QFETCH(int, tecla);
        QFETCH(QString, texto);
        QFETCH(QStringList, ordem);
        QFETCH(bool, janelaVe);
        Janela janela;
        FlatButton b(&janela);
        QStringList visto;
        connect(&b, &FlatButton::Click, this, [&] { visto << QStringLiteral("Click:%1").arg(int(b.EstadoAtual())); });
        connect(&b, &FlatButton::KeyPress, this, [&](qint16 &k) { visto << QStringLiteral("KeyPress:%1").arg(k); });
        // Runs inside the pause, if there is one: the window keeps processing events meanwhile.
        QTimer::singleShot(0, &b, [&] {
            if (visto.isEmpty())
                visto << QStringLiteral("pausa:%1").arg(int(b.EstadoAtual()));
        });
        QKeyEvent evento(QEvent::KeyPress, tecla, Qt::NoModifier, texto);
        QApplication::sendEvent(&b, &evento);
        QCOMPARE(visto, ordem);
        QCOMPARE(janela.teclas.isEmpty(), !janelaVe);
    }

    // A handler receives the key code by reference: setting it to 0 is seen by the button and by
    // the handlers after it.
    void keyPressCancelavel()
    {
        FlatButton b;
        connect(&b, &FlatButton::KeyPress, this, [](qint16 &k) { k = 0; });
        qint16 depois = -1;
        connect(&b, &FlatButton::KeyPress, this, [&](qint16 &k) { depois = k; });
        QTest::keyClick(&b, Qt::Key_A);
        QCOMPARE(depois, qint16(0));
    }

    // A second click asked for while the pressed face is showing does not start a pause of its
    // own inside the first one.
    void cliqueNaoAninha()
    {
        FlatButton b;
        QSignalSpy cliques(&b, &FlatButton::Click);
        QTimer::singleShot(0, &b, &FlatButton::ExecutaClique);
        b.ExecutaClique();
        QCOMPARE(cliques.count(), 1);
        b.ExecutaClique();
        QCOMPARE(cliques.count(), 2);
        QCOMPARE(b.EstadoAtual(), EstadoBotao::High);
    }

    void cliqueDoMouse()
    {
        Janela janela;
        auto *b = new FlatButton(&janela);
        janela.resize(120, 60);
        Ativar(janela);
        QSignalSpy cliques(b, &FlatButton::Click);
        QTest::mousePress(b, Qt::LeftButton);
        QCOMPARE(b->EstadoAtual(), EstadoBotao::Down);
        QVERIFY(b->Pressionado());
        QTest::mouseRelease(b, Qt::LeftButton);
        QCOMPARE(cliques.count(), 1);
        QCOMPARE(b->EstadoAtual(), EstadoBotao::High);
        QVERIFY(!b->Pressionado());

        // A double click is one click, and a release off the button none.
        QTest::mouseDClick(b, Qt::LeftButton);
        QTest::mouseRelease(b, Qt::LeftButton);
        QCOMPARE(cliques.count(), 1);
        QTest::mousePress(b, Qt::LeftButton);
        QTest::mouseMove(b, QPoint(-20, -20));
        QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(-20, -20));
        QCOMPARE(cliques.count(), 1);
    }

    void ponteiro()
    {
        Janela janela;
        auto *b = new FlatButton(&janela);
        b->move(20, 20);
        janela.resize(160, 80);
        Ativar(janela);
        QSignalSpy sobre(b, &FlatButton::MouseOver);
        b->setFocus();
        QTRY_VERIFY(b->hasFocus());

        QTest::mouseMove(b);
        QTRY_COMPARE(sobre.count(), 1);
        QCOMPARE(sobre.at(0).at(0).toBool(), true);
        QCOMPARE(b->EstadoAtual(), EstadoBotao::High);
        QTest::mouseMove(b, QPoint(3, 3));
        QCOMPARE(sobre.count(), 1);

        // Leaving paints Normal even though the button has the focus.
        QTest::mouseMove(&janela, QPoint(150, 75));
        QTRY_COMPARE(sobre.count(), 2);
        QCOMPARE(sobre.at(1).at(0).toBool(), false);
        QCOMPARE(b->EstadoAtual(), EstadoBotao::Normal);
        QVERIFY(b->hasFocus());

        // Held down and dragged off: Normal and MouseOver(false); released: High wherever the
        // pointer is; coming back with the button held raises nothing.
        QTest::mouseMove(b);
        QTRY_COMPARE(sobre.count(), 3);
        QTest::mousePress(b, Qt::LeftButton);
        QTest::mouseMove(b, QPoint(-15, -15));
        QCOMPARE(sobre.count(), 4);
        QCOMPARE(sobre.at(3).at(0).toBool(), false);
        QCOMPARE(b->EstadoAtual(), EstadoBotao::Normal);
        QTest::mouseMove(b, QPoint(5, 5));
        QCOMPARE(sobre.count(), 4);
        QTest::mouseMove(b, QPoint(-15, -15));
        QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(-15, -15));
        QCOMPARE(b->EstadoAtual(), EstadoBotao::High);
        QCOMPARE(sobre.count(), 5);
    }

    void setasMovemOFoco_data()
    {
        QTest::addColumn<int>("de");
        QTest::addColumn<int>("tecla");
        QTest::addColumn<int>("para");
        QTest::newRow("baixo") << 1 << int(Qt::Key_Down) << 2;
        QTest::newRow("direita") << 1 << int(Qt::Key_Right) << 2;
        QTest::newRow("cima") << 1 << int(Qt::Key_Up) << 0;
        QTest::newRow("esquerda") << 1 << int(Qt::Key_Left) << 0;
        QTest::newRow("do ultimo ao primeiro") << 2 << int(Qt::Key_Down) << 0;
    }
    void setasMovemOFoco()
    {
        QFETCH(int, de);
        QFETCH(int, tecla);
        QFETCH(int, para);
        Janela janela;
        QList<FlatButton *> botoes;
        for (int i = 0; i < 3; ++i) {
            botoes << new FlatButton(&janela);
            botoes.last()->move(10, 10 + 30 * i);
        }
        int teclas = 0;
        connect(botoes[de], &FlatButton::KeyPress, this, [&](qint16 &) { ++teclas; });
        Ativar(janela);
        botoes[de]->setFocus();
        QTRY_VERIFY(botoes[de]->hasFocus());

        QTest::keyClick(botoes[de], Qt::Key(tecla));
        QTRY_VERIFY(botoes[para]->hasFocus());
        QCOMPARE(botoes[para]->EstadoAtual(), EstadoBotao::High);
        QCOMPARE(botoes[de]->EstadoAtual(), EstadoBotao::Normal);
        QVERIFY(janela.teclas.isEmpty());
        QCOMPARE(teclas, 0);
    }

    void setaFocoEPerdeFoco()
    {
        FlatButton b;
        b.SetaFoco();
        QCOMPARE(b.EstadoAtual(), EstadoBotao::High);
        const int antes = b.ContaPinturas();
        b.PerdeFoco();
        QCOMPARE(b.ContaPinturas(), antes + 1);
        QCOMPARE(b.EstadoAtual(), EstadoBotao::Normal);
        b.SetaFoco();
        b.PerdeFoco();
        b.PerdeFoco();
        QCOMPARE(b.ContaPinturas(), antes + 2);
        QCOMPARE(b.EstadoAtual(), EstadoBotao::High);
    }

    // Disabled through the property: blocked at once. Loaded disabled: the first disabled paint
    // greys the button but leaves it taking input; the second blocks it.
    void desabilitar()
    {
        FlatButton b;
        auto *rotulo = b.findChild<QLabel *>(QStringLiteral("LblCaption"));
        QSignalSpy cliques(&b, &FlatButton::Click);
        b.DefinirEnabled(false);
        QVERIFY(!b.isEnabled());
        QVERIFY(!rotulo->isEnabled());
        Espaco(b);
        QCOMPARE(cliques.count(), 0);
        b.DefinirEnabled(true);
        QVERIFY(b.isEnabled());
        QVERIFY(rotulo->isEnabled());

        FlatButton carregado;
        QSignalSpy cliquesCarregado(&carregado, &FlatButton::Click);
        carregado.Carregar({{QStringLiteral("Enabled"), false}});
        QVERIFY(!carregado.DesabilitarArmado());
        carregado.DesenhaBotao(EstadoBotao::Normal);
        QCOMPARE(carregado.FaceAtual(), FaceBotao::EnFalsePic);
        QVERIFY(!carregado.findChild<QLabel *>(QStringLiteral("LblCaption"))->isEnabled());
        QVERIFY(carregado.isEnabled());
        Espaco(carregado);
        QCOMPARE(cliquesCarregado.count(), 1);
        carregado.DesenhaBotao(EstadoBotao::Normal);
        QVERIFY(!carregado.isEnabled());
        Espaco(carregado);
        QCOMPARE(cliquesCarregado.count(), 1);
    }

    void upPictureDaOTamanho()
    {
        FlatButton b;
        b.DefinirUpPicture(Liso(Qt::white, QSize(90, 30)));
        QCOMPARE(b.size(), QSize(90, 30));
    }

    void prepararBotao_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("icone");
        QTest::addColumn<QSize>("tamanho");
        QTest::addColumn<QString>("texto");
        QTest::newRow("com icone") << "Sair" << int(Arte::Icone::Sair) << QSize(81, 25) << " Sair";
        QTest::newRow("branco ja posto") << " Cancelar" << int(Arte::Icone::Cancelar) << QSize(81, 25) << " Cancelar";
        QTest::newRow("longo") << QStringLiteral("Próximo exercício") << int(Arte::Icone::Proximo) << QSize(121, 25)
                               << QStringLiteral(" Próximo exercício");
        QTest::newRow("sem icone") << "OK" << int(Arte::Icone::Nenhum) << QSize(81, 25) << "OK";
    }
    void prepararBotao()
    {
        QFETCH(QString, caption);
        QFETCH(int, icone);
        QFETCH(QSize, tamanho);
        QFETCH(QString, texto);
        FlatButton b;
        PrepararBotao(&b, caption, Arte::Icone(icone), tamanho);
        QCOMPARE(b.size(), tamanho);
        QCOMPARE(b.Caption(), texto);
        QCOMPARE(b.Style(), 1);
        QCOMPARE(b.Font().family(), QStringLiteral("MS Sans Serif"));
        QVERIFY(!b.UpPicture().isNull() && !b.DownPicture().isNull() && !b.HighPicture().isNull()
                && !b.EnFalsePic().isNull());
        QCOMPARE(b.Picture().isNull(), icone == int(Arte::Icone::Nenhum));
        // Icon and caption as one block in the middle of the face, the caption right after the icon.
        auto *rotulo = b.findChild<QLabel *>(QStringLiteral("LblCaption"));
        auto *imagem = b.findChild<QLabel *>(QStringLiteral("Imagem"));
        QCOMPARE(rotulo->text(), texto);
        const int inicio = b.Picture().isNull() ? rotulo->x() : imagem->x();
        const int fim = rotulo->x() + QFontMetrics(b.Font()).horizontalAdvance(texto);
        QVERIFY2(inicio >= 2 && qAbs(inicio - (tamanho.width() - fim)) <= 1,
                 qPrintable(QStringLiteral("%1..%2").arg(inicio).arg(fim)));
        if (!b.Picture().isNull()) {
            QVERIFY(qAbs(rotulo->x() - (imagem->x() + 16)) <= 1);
            QVERIFY(qAbs(imagem->y() - (tamanho.height() - 16) / 2) <= 1);
        }
    }

    void persistencia_data()
    {
        QTest::addColumn<QVariantMap>("propriedades");
        QTest::addColumn<QStringList>("guardadas");
        QTest::newRow("padrao") << QVariantMap{} << QStringList{};
        QTest::newRow("cor padrao") << QVariantMap{{"BackColor", RGB(200, 200, 255)}, {"Caption", "OK"}} << QStringList{};
        QTest::newRow("cor de novo botao") << QVariantMap{{"BackColor", RGB(236, 233, 216)}} << QStringList{"BackColor"};
        QTest::newRow("botao do programa")
            << QVariantMap{{"Caption", " Sair"}, {"Style", 1}, {"UpPicture", Liso(Qt::red)},
                           {"DownPicture", Liso(Qt::green)}, {"HighPicture", Liso(Qt::blue)},
                           {"EnFalsePic", Liso(Qt::gray)}, {"Picture", Liso(Qt::black, QSize(16, 16))},
                           {"Font", Arte::FonteBotao()}}
            << QStringList{"Caption", "DownPicture", "EnFalsePic", "Font", "HighPicture", "Picture", "Style", "UpPicture"};
        QTest::newRow("desabilitado, sem figuras")
            << QVariantMap{{"Enabled", false}, {"ForeColor", RGB(0, 0, 128)}, {"BackGround", Liso(Qt::yellow)},
                           {"Picture", QPixmap()}}
            << QStringList{"BackGround", "Enabled", "ForeColor"};
    }
    void persistencia()
    {
        QFETCH(QVariantMap, propriedades);
        QFETCH(QStringList, guardadas);
        FlatButton b;
        b.Carregar(propriedades);
        const QVariantMap salvo = b.Salvar();
        QCOMPARE(salvo.keys(), guardadas);
        FlatButton copia;
        copia.Carregar(salvo);
        QCOMPARE(copia.Salvar().keys(), guardadas);
        for (const QString &nome : FlatButton::OrdemPropriedades()) {
            const QVariant v = b.property(qPrintable(nome));
            if (v.metaType() == QMetaType::fromType<QPixmap>())
                QCOMPARE(copia.property(qPrintable(nome)).value<QPixmap>().toImage(), v.value<QPixmap>().toImage());
            else
                QCOMPARE(copia.property(qPrintable(nome)), v);
        }
    }

    // An empty design gives the load values; a button just placed on a window differs in colour.
    void valoresDeCarga()
    {
        FlatButton b;
        b.DefinirCaption("x");
        b.DefinirStyle(1);
        b.Carregar({});
        QCOMPARE(b.Caption(), QStringLiteral("OK"));
        QCOMPARE(b.BackColor(), RGB(200, 200, 255));
        QCOMPARE(b.Style(), 0);
        b.IniciarPropriedades();
        QCOMPARE(b.Salvar(), (QVariantMap{{"BackColor", RGB(236, 233, 216)}}));
    }
};

QTEST_MAIN(TestFlatButton)
#include "TestFlatButton.moc"
