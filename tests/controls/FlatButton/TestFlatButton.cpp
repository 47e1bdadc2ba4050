#include "common/CorQt.h"
#include "controls/FlatButton/FlatButton.h"
#include "shared/Arte.h"
#include "support/Desenho.h"
#include "support/Tabela.h"
#include "support/Teclado.h"

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

// A Space press sent straight to the button (a disabled one accepts nothing, so no key click).
void Espaco(FlatButton &b)
{
    QKeyEvent evento(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    QApplication::sendEvent(&b, &evento);
}

QLabel *Rotulo(FlatButton &b)
{
    return b.findChild<QLabel *>(QStringLiteral("LblCaption"));
}

} // namespace

class TestFlatButton : public QObject {
    Q_OBJECT

private slots:
    // Every test starts with the pointer away from its windows.
    void init() { QCursor::setPos(QPoint(3000, 3000)); }

    // The face, MouseOver and Click after a script of actions, the focus starting elsewhere:
    //   m  pointer over the button    f  pointer off it (dragged off, while held)
    //   p  mouse button down          r  up              d  double click
    //   F  focus to the button        x  disabled through Enabled      -  DownPicture removed
    //   S  SetaFoco                   P  PerdeFoco (paints only on its first call, ever)
    // Style 0 is flat (BackGround idle, UpPicture highlighted); any other value is raised (UpPicture
    // idle, HighPicture highlighted); both show DownPicture pressed and EnFalsePic disabled. A face
    // picture is drawn at its own size over the face colour, which only the idle face sets.
    void estados_data()
    {
        Colunas<int, QString, QColor, QList<bool>, int>("style", "roteiro", "cor", "sobre", "cliques");
        const auto linha = [](const char *nome, int style, const char *roteiro, const QColor &cor,
                              QList<bool> sobre, int cliques = 0) {
            QTest::newRow(nome) << style << QString::fromLatin1(roteiro) << cor << sobre << cliques;
        };
        const char *roteiros[] = {"", "m", "F", "p", "x"};
        const QColor plano[] = {kCorBackGround, kCorUp, kCorUp, kCorDown, kCorEnFalse};
        const QColor elevado[] = {kCorUp, kCorHigh, kCorHigh, kCorDown, kCorEnFalse};
        for (int style : {0, 7}) {
            for (int i = 0; i < 5; ++i)
                linha(qPrintable(QStringLiteral("style %1, '%2'").arg(style).arg(roteiros[i])), style, roteiros[i],
                      (style ? elevado : plano)[i], i == 1 ? QList<bool>{true} : QList<bool>{});
        }
        // Leaving paints Normal even with the focus; a double click is one click.
        linha("sai com o foco", 1, "Fmf", kCorUp, {true, false});
        linha("clique", 1, "mpr", kCorHigh, {true}, 1);
        linha("duplo clique", 1, "mprdr", kCorHigh, {true}, 1);
        // Held and dragged off: Normal and MouseOver(false); back over while held: nothing; off again:
        // MouseOver(false) again; released off the button: High wherever the pointer is, no Click.
        linha("arrastado para fora", 1, "mpf", kCorUp, {true, false});
        linha("de volta segurando", 1, "mpfm", kCorUp, {true, false});
        linha("solto fora", 1, "mpfmfr", kCorHigh, {true, false, false});
        linha("pressionado sem figura", 0, "-p", kCorFundo, {});
        linha("SetaFoco", 1, "S", kCorHigh, {});
        linha("PerdeFoco", 1, "SP", kCorUp, {});
        linha("PerdeFoco outra vez", 1, "SPSP", kCorHigh, {});
    }
    void estados()
    {
        BUSCAR(int, style, QString, roteiro, QColor, cor);
        Janela janela;
        auto *caixa = new QLineEdit(&janela);
        auto *b = new FlatButton(&janela);
        b->setGeometry(20, 40, 60, 24);
        b->Carregar({{"Style", style},
                     {"BackColor", CorDe(kCorFundo)},
                     {"UpPicture", Liso(kCorUp)},
                     {"DownPicture", Liso(kCorDown)},
                     {"HighPicture", Liso(kCorHigh)},
                     {"EnFalsePic", Liso(kCorEnFalse)},
                     {"BackGround", Liso(kCorBackGround, QSize(10, 10))}});
        janela.resize(200, 100);
        caixa->setFocus();
        QVERIFY(Mostrar(&janela, caixa));
        QSignalSpy sobre(b, &FlatButton::MouseOver);
        QSignalSpy cliques(b, &FlatButton::Click);
        QPoint ponto(5, 5);
        for (const QChar acao : roteiro) {
            if (acao == 'm' || acao == 'f') {
                const bool segurando = b->Pressionado();
                ponto = acao == 'm' ? QPoint(5, 5) : segurando ? QPoint(-15, -15) : QPoint(170, 55);
                QTest::mouseMove(b, ponto);
                if (!segurando)
                    QTRY_COMPARE(b->MouseSobre(), acao == 'm');
            } else if (acao == 'p') {
                QTest::mousePress(b, Qt::LeftButton, {}, ponto);
            } else if (acao == 'r') {
                QTest::mouseRelease(b, Qt::LeftButton, {}, ponto);
            } else if (acao == 'd') {
                QTest::mouseDClick(b, Qt::LeftButton, {}, ponto);
            } else if (acao == 'F') {
                b->setFocus();
                QTRY_VERIFY(b->hasFocus());
            } else if (acao == 'x') {
                b->DefinirEnabled(false);
            } else if (acao == '-') {
                b->DefinirDownPicture(QPixmap());
            } else {
                acao == 'S' ? b->SetaFoco() : b->PerdeFoco();
            }
        }
        const QImage imagem = b->grab().toImage();
        QCOMPARE(imagem.pixelColor(1, 1), cor);
        QCOMPARE(imagem.pixelColor(55, 20), cor == kCorBackGround ? kCorFundo : cor); // BackGround is 10 × 10
        QList<bool> dentro;
        for (const QList<QVariant> &sinal : sobre)
            dentro << sinal.at(0).toBool();
        QTEST(dentro, "sobre");
        QTEST(int(cliques.count()), "cliques");
        QVERIFY(!roteiro.contains('F') || b->hasFocus());
        if (b->Pressionado())
            QTest::mouseRelease(b, Qt::LeftButton, {}, ponto);
    }

    // A face of w × h twips, a caption of tw × th and an icon of iw × ih (iw < 0: no icon) give the
    // caption's place and, with an icon, the icon's; halves round to the even neighbour and the
    // caption's place is kept in 16 bits.
    void centralizar_data()
    {
        // medidas: w, h, tw, th, iw, ih
        // lugares: caption left, top; icon left, top
        Colunas<QList<double>, QList<double>>("medidas", "lugares");
        QTest::newRow("meio para cima") << QList<double>{1215, 375, 420, 180, -1, 0} << QList<double>{398, 98};
        QTest::newRow("meio para baixo") << QList<double>{1215, 375, 390, 210, -1, 0} << QList<double>{412, 82};
        QTest::newRow("texto largo") << QList<double>{600, 375, 1005, 195, -1, 0} << QList<double>{-202, 90};
        QTest::newRow("com icone") << QList<double>{1215, 375, 525, 195, 240, 240}
                                   << QList<double>{465, 90, 225, 67.5};
        QTest::newRow("icone sem texto")
            << QList<double>{1215, 375, 0, 195, 240, 240} << QList<double>{728, 90, 487.5, 67.5};
        QTest::newRow("fora dos 16 bits") << QList<double>{100000, 375, 0, 195, -1, 0} << QList<double>{32767, 90};
    }
    void centralizar()
    {
        QFETCH(QList<double>, medidas);
        const bool comFigura = medidas[4] >= 0;
        const PosicaoBotao p = ModeloFlatButton::Centralizar(medidas[0], medidas[1], medidas[2], medidas[3],
                                                             comFigura, medidas[4], medidas[5]);
        QList<double> lugares{double(p.captionLeft), double(p.captionTop)};
        if (comFigura)
            lugares << p.imagemLeft << p.imagemTop;
        QCOMPARE(p.moveImagem, comFigura);
        QTEST(lugares, "lugares");
    }

    // Enter and Space click (pressed face during the pause, highlighted face, Click) and then raise
    // KeyPress; other characters only raise KeyPress. Escape is reported and then still reaches the
    // window, where it cancels a dialog.
    void teclas_data()
    {
        Colunas<int, QString, QStringList, bool>("tecla", "texto", "ordem", "janelaVe");
        const QStringList clique{"pausa:2", "Click:3"};
        QTest::newRow("espaco") << int(Qt::Key_Space) << " " << clique + QStringList{"KeyPress:32"} << false;
        QTest::newRow("enter") << int(Qt::Key_Return) << "\r" << clique + QStringList{"KeyPress:13"} << false;
        QTest::newRow("cedilha") << int(Qt::Key_Ccedilla) << QStringLiteral("ç") << QStringList{"KeyPress:231"}
                                 << false;
        QTest::newRow("euro, no codigo 1252")
            << int(Qt::Key_unknown) << QStringLiteral("€") << QStringList{"KeyPress:128"} << false;
        QTest::newRow("escape") << int(Qt::Key_Escape) << "\x1b" << QStringList{"KeyPress:27"} << true;
    }
    void teclas()
    {
        BUSCAR(int, tecla, QString, texto, bool, janelaVe);
        Janela janela;
        FlatButton b(&janela);
        QStringList visto;
        connect(&b, &FlatButton::Click, this,
                [&] { visto << QStringLiteral("Click:%1").arg(int(b.EstadoAtual())); });
        connect(&b, &FlatButton::KeyPress, this,
                [&](qint16 &k) { visto << QStringLiteral("KeyPress:%1").arg(k); });
        // Runs inside the pause, if there is one: the window keeps processing events meanwhile.
        QTimer::singleShot(0, &b, [&] {
            if (visto.isEmpty())
                visto << QStringLiteral("pausa:%1").arg(int(b.EstadoAtual()));
        });
        QKeyEvent evento(QEvent::KeyPress, tecla, Qt::NoModifier, texto);
        QApplication::sendEvent(&b, &evento);
        QTEST(visto, "ordem");
        QCOMPARE(janela.teclas.isEmpty(), !janelaVe);
    }

    // A handler receives the key code by reference: setting it to 0 is seen by the button and by
    // the handlers after it. A second click asked for while the pressed face is showing does not start
    // a pause of its own inside the first one. UpPicture gives the button its size.
    void keyPressCliqueETamanho()
    {
        FlatButton b;
        connect(&b, &FlatButton::KeyPress, this, [](qint16 &k) { k = 0; });
        qint16 depois = -1;
        connect(&b, &FlatButton::KeyPress, this, [&](qint16 &k) { depois = k; });
        QTest::keyClick(&b, Qt::Key_A);
        QCOMPARE(depois, qint16(0));

        QSignalSpy cliques(&b, &FlatButton::Click);
        QTimer::singleShot(0, &b, &FlatButton::ExecutaClique);
        b.ExecutaClique();
        QCOMPARE(cliques.count(), 1);
        b.ExecutaClique();
        QCOMPARE(cliques.count(), 2);
        QCOMPARE(b.EstadoAtual(), EstadoBotao::High);
        b.DefinirUpPicture(Liso(Qt::white, QSize(90, 30)));
        QCOMPARE(b.size(), QSize(90, 30));
    }

    // Right and Down move the focus forward, Left and Up back; the key goes no further.
    void setasMovemOFoco_data()
    {
        Colunas<int, int, int>("de", "tecla", "para");
        QTest::newRow("baixo") << 1 << int(Qt::Key_Down) << 2;
        QTest::newRow("direita") << 1 << int(Qt::Key_Right) << 2;
        QTest::newRow("cima") << 1 << int(Qt::Key_Up) << 0;
        QTest::newRow("esquerda") << 1 << int(Qt::Key_Left) << 0;
        QTest::newRow("do ultimo ao primeiro") << 2 << int(Qt::Key_Down) << 0;
    }
    void setasMovemOFoco()
    {
        BUSCAR(int, de, int, tecla, int, para);
        Janela janela;
        const QList<FlatButton *> botoes{new FlatButton(&janela), new FlatButton(&janela),
                                         new FlatButton(&janela)};
        for (int i = 0; i < 3; ++i)
            botoes[i]->move(10, 10 + 30 * i);
        int teclas = 0;
        connect(botoes[de], &FlatButton::KeyPress, this, [&](qint16 &) { ++teclas; });
        botoes[de]->setFocus();
        QVERIFY(Mostrar(&janela, botoes[de]));
        QTest::keyClick(botoes[de], Qt::Key(tecla));
        QTRY_VERIFY(botoes[para]->hasFocus());
        QCOMPARE(botoes[para]->EstadoAtual(), EstadoBotao::High);
        QCOMPARE(botoes[de]->EstadoAtual(), EstadoBotao::Normal);
        QVERIFY(janela.teclas.isEmpty());
        QCOMPARE(teclas, 0);
    }

    // Disabled through the property: greyed and blocked at once (and enabled again through it).
    // Loaded disabled: the first disabled paint greys the button but leaves it taking input; the
    // second blocks it.
    void desabilitar()
    {
        FlatButton b;
        QSignalSpy cliques(&b, &FlatButton::Click);
        b.DefinirEnabled(false);
        QVERIFY(!b.isEnabled() && !Rotulo(b)->isEnabled());
        Espaco(b);
        QCOMPARE(cliques.count(), 0);
        b.DefinirEnabled(true);
        QVERIFY(b.isEnabled() && Rotulo(b)->isEnabled());

        FlatButton carregado;
        QSignalSpy cliquesCarregado(&carregado, &FlatButton::Click);
        carregado.Carregar({{QStringLiteral("Enabled"), false}});
        carregado.DesenhaBotao(EstadoBotao::Normal);
        QCOMPARE(carregado.FaceAtual(), FaceBotao::EnFalsePic);
        QVERIFY(!Rotulo(carregado)->isEnabled() && carregado.isEnabled());
        Espaco(carregado);
        QCOMPARE(cliquesCarregado.count(), 1);
        carregado.DesenhaBotao(EstadoBotao::Normal);
        QVERIFY(!carregado.isEnabled());
        Espaco(carregado);
        QCOMPARE(cliquesCarregado.count(), 1);
    }

    // The program's button: Style 1 with four faces at the given size, the button font, the icon,
    // and the caption with its leading blank, right after the icon; the block leaves equal margins.
    void prepararBotao_data()
    {
        Colunas<QString, int, QSize, QString>("caption", "icone", "tamanho", "texto");
        QTest::newRow("com icone") << "Sair" << int(Arte::Icone::Sair) << QSize(81, 25) << " Sair";
        QTest::newRow("branco ja posto")
            << " Cancelar" << int(Arte::Icone::Cancelar) << QSize(81, 25) << " Cancelar";
        QTest::newRow("longo") << QStringLiteral("Próximo exercício") << int(Arte::Icone::Proximo)
                               << QSize(121, 25) << QStringLiteral(" Próximo exercício");
        QTest::newRow("sem icone") << "OK" << int(Arte::Icone::Nenhum) << QSize(81, 25) << "OK";
    }
    void prepararBotao()
    {
        BUSCAR(QString, caption, int, icone, QSize, tamanho, QString, texto);
        FlatButton b;
        PrepararBotao(&b, caption, Arte::Icone(icone), tamanho);
        QCOMPARE(b.size(), tamanho);
        QCOMPARE(b.Caption(), texto);
        QCOMPARE(Rotulo(b)->text(), texto);
        QVERIFY(b.Style() == 1 && b.Font().family() == QStringLiteral("MS Sans Serif"));
        QVERIFY(!b.UpPicture().isNull() && !b.DownPicture().isNull() && !b.HighPicture().isNull()
                && !b.EnFalsePic().isNull());
        QCOMPARE(b.Picture().isNull(), icone == int(Arte::Icone::Nenhum));
        auto *imagem = b.findChild<QLabel *>(QStringLiteral("Imagem"));
        const int inicio = b.Picture().isNull() ? Rotulo(b)->x() : imagem->x();
        const int fim = Rotulo(b)->x() + QFontMetrics(b.Font()).horizontalAdvance(texto);
        QVERIFY2(inicio >= 2 && qAbs(inicio - (tamanho.width() - fim)) <= 1,
                 qPrintable(QStringLiteral("%1..%2").arg(inicio).arg(fim)));
        if (!b.Picture().isNull()) {
            QVERIFY(qAbs(Rotulo(b)->x() - (imagem->x() + 16)) <= 1);
            QVERIFY(qAbs(imagem->y() - (tamanho.height() - 16) / 2) <= 1);
        }
    }

    // A value equal to its load default is not stored, and loading resets what the design lacks
    // (the button is loaded over other values). The load colour RGB(200, 200, 255) is not stored;
    // the colour of a button just placed on a window, RGB(236, 233, 216), is.
    void persistencia_data()
    {
        Colunas<QVariantMap, QStringList>("propriedades", "guardadas");
        QTest::newRow("cor padrao") << QVariantMap{{"BackColor", RGB(200, 200, 255)}, {"Caption", "OK"}}
                                    << QStringList{};
        QTest::newRow("cor de novo botao")
            << QVariantMap{{"BackColor", RGB(236, 233, 216)}} << QStringList{"BackColor"};
        QTest::newRow("botao do programa") << QVariantMap{{"Caption", " Sair"},
                                                          {"Style", 1},
                                                          {"UpPicture", Liso(Qt::red)},
                                                          {"DownPicture", Liso(Qt::green)},
                                                          {"HighPicture", Liso(Qt::blue)},
                                                          {"EnFalsePic", Liso(Qt::gray)},
                                                          {"Picture", Liso(Qt::black, QSize(16, 16))},
                                                          {"Font", Arte::FonteBotao()}}
                                           << QStringList{"Caption",     "DownPicture", "EnFalsePic", "Font",
                                                          "HighPicture", "Picture",     "Style",      "UpPicture"};
        QTest::newRow("desabilitado, sem figuras") << QVariantMap{{"Enabled", false},
                                                                  {"ForeColor", RGB(0, 0, 128)},
                                                                  {"BackGround", Liso(Qt::yellow)},
                                                                  {"Picture", QPixmap()}}
                                                   << QStringList{"BackGround", "Enabled", "ForeColor"};
    }
    void persistencia()
    {
        BUSCAR(QVariantMap, propriedades, QStringList, guardadas);
        FlatButton b, copia;
        b.DefinirCaption(QStringLiteral("x"));
        b.DefinirStyle(7);
        b.DefinirBackColor(RGB(1, 2, 3));
        b.Carregar(propriedades);
        copia.Carregar({{"Caption", "y"}, {"Style", 3}, {"UpPicture", Liso(Qt::red)}});
        IdaEVolta(b, copia, guardadas);
        FlatButton novo;
        novo.IniciarPropriedades(); // as when first placed on a window
        QCOMPARE(novo.Salvar(), (QVariantMap{{"BackColor", RGB(236, 233, 216)}}));
    }
};

QTEST_MAIN(TestFlatButton)
#include "TestFlatButton.moc"
