#include "help/Ajuda.h"
#include "help/Sobre.h"
#include "support/DialogoModal.h"
#include "support/PlataformaTeste.h"
#include "support/Tabela.h"

#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

class TestAjuda : public QObject {
    Q_OBJECT

private slots:
    // The page scrolls inside its frame by the bar's value in twips (15 to a pixel): the maximum puts
    // the page's bottom at the frame's top, and back at 0 the page is where it opened.
    void ajudaRolagem_data()
    {
        // teclas: on the bar; 0: one notch of the mouse wheel over the page
        // valor: -1: the maximum
        Colunas<QList<int>, int>("teclas", "valor");
        QTest::newRow("ao abrir") << QList<int>{} << 0;
        QTest::newRow("seta: um passo") << QList<int>{Qt::Key_Down} << 100;
        QTest::newRow("pagina: um passo grande") << QList<int>{Qt::Key_PageDown} << 300;
        QTest::newRow("roda do mouse") << QList<int>{0} << Ajuda::kPassoRoda;
        QTest::newRow("fim") << QList<int>{Qt::Key_End} << -1;
        QTest::newRow("fim e de volta ao inicio") << QList<int>{Qt::Key_End, Qt::Key_Home} << 0;
    }

    void ajudaRolagem()
    {
        BUSCAR(QList<int>, teclas, int, valor);
        QWidget principal;
        principal.setWindowIcon(QIcon(QPixmap(16, 16)));
        Ajuda ajuda(&principal);
        QCOMPARE(ajuda.windowTitle(), QStringLiteral("Ajuda"));
        QCOMPARE(ajuda.windowIcon().cacheKey(), principal.windowIcon().cacheKey());
        auto *moldura = ajuda.findChild<QFrame *>("PicShape");
        auto *pagina = ajuda.findChild<QLabel *>("PicAjuda");
        auto *barra = ajuda.findChild<QScrollBar *>("VScroll");
        QCOMPARE(pagina->parentWidget(), moldura);
        QCOMPARE(moldura->palette().color(QPalette::Window), QColor(Qt::white));
        QCOMPARE(barra->geometry(),
                 QRect(moldura->width() - barra->width(), 0, barra->width(), moldura->height()));
        QVERIFY(pagina->height() > moldura->height());
        QCOMPARE(pagina->pos(), QPoint(0, 0));
        const QRect inicial = pagina->geometry();

        for (int tecla : teclas) {
            if (tecla) {
                QTest::keyClick(barra, Qt::Key(tecla));
                continue;
            }
            const QPointF ponto(50, 50);
            QWheelEvent roda(ponto, pagina->mapToGlobal(ponto), QPoint(), QPoint(0, -120), Qt::NoButton,
                             Qt::NoModifier, Qt::NoScrollPhase, false);
            QCoreApplication::sendEvent(pagina, &roda);
        }

        const int esperado = valor < 0 ? barra->maximum() : valor;
        QCOMPARE(barra->value(), esperado);
        QCOMPARE(pagina->geometry(), inicial.translated(0, -qRound(esperado / 15.0)));
        if (valor < 0)
            QCOMPARE(pagina->geometry().bottom() + 1, 0);
    }

    // Asked again, the open help window comes to the front instead of a second one; closed, it is gone.
    void ajudaUmaJanelaSemBloquear()
    {
        QWidget principal;
        principal.show();
        QPointer<Ajuda> ajuda = Ajuda::Abrir(&principal);
        QVERIFY(ajuda && ajuda->isVisible());
        QVERIFY(!ajuda->isModal());
        QCOMPARE(Ajuda::Abrir(&principal), ajuda.data());
        QCOMPARE(principal.findChildren<Ajuda *>().size(), 1);
        ajuda->close();
        QTRY_VERIFY(!ajuda);
    }

    // The About box's texts; the support address opens the user's mail program, and OK closes the box.
    void sobreTextosELinkDeSuporte()
    {
        PlataformaTeste plataforma;
        Sobre sobre(plataforma);
        auto texto = [&](const char *nome) { return sobre.findChild<QLabel *>(nome)->text(); };
        QCOMPARE((QStringList{sobre.windowTitle(), texto("Label1"), texto("Label2"), texto("Label3")}),
                 (QStringList{"Sobre o Datilux", "Datilux", "Versão 1.53", "suporte@datilux.example"}));
        QVERIFY(!texto("Label6").isEmpty() && !texto("Label7").isEmpty());

        AoAbrirModal<Sobre>([&](Sobre *janela) {
            QTest::mouseClick(janela->findChild<QLabel *>("Label3"), Qt::LeftButton);
            QTest::mouseClick(janela->findChild<QWidget *>("BtnOK"), Qt::LeftButton);
        });
        sobre.exec();
        QVERIFY(!sobre.isVisible());
        QCOMPARE(plataforma.enderecos, QList<QUrl>{QUrl("mailto:suporte@datilux.example")});
    }
};

QTEST_MAIN(TestAjuda)
#include "TestAjuda.moc"
