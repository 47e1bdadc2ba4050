#include "help/Ajuda.h"
#include "help/Sobre.h"
#include "support/DialogoModal.h"
#include "support/PlataformaTeste.h"

#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

namespace {

QIcon IconeDeTeste()
{
    QPixmap figura(16, 16);
    figura.fill(Qt::red);
    return QIcon(figura);
}

} // namespace

class TestAjuda : public QObject {
    Q_OBJECT

private slots:
    // ---- help viewer ----------------------------------------------------------------------------

    void ajuda_moldura_pagina_e_barra()
    {
        QWidget principal;
        principal.setWindowIcon(IconeDeTeste());
        Ajuda ajuda(&principal);
        QCOMPARE(ajuda.windowTitle(), QStringLiteral("Ajuda"));
        QCOMPARE(ajuda.windowIcon().cacheKey(), principal.windowIcon().cacheKey());

        auto *moldura = ajuda.findChild<QFrame *>("PicShape");
        auto *pagina = ajuda.findChild<QLabel *>("PicAjuda");
        auto *barra = ajuda.findChild<QScrollBar *>("VScroll");
        QVERIFY(moldura && pagina && barra);
        // 120, 120, 9255 x 6015 twips.
        QCOMPARE(moldura->geometry(), QRect(8, 8, 617, 401));
        QCOMPARE(moldura->palette().color(QPalette::Window), QColor(Qt::white));
        QCOMPARE(pagina->parentWidget(), moldura);
        QCOMPARE(barra->parentWidget(), moldura);

        // The page fills the frame beside the bar, which stands at the frame's right edge.
        QCOMPARE(pagina->pos(), QPoint(0, 0));
        QCOMPARE(pagina->width() + barra->width(), moldura->width());
        QCOMPARE(barra->geometry().right(), moldura->width() - 1);
        QCOMPARE(barra->height(), moldura->height());
        QVERIFY(pagina->height() > moldura->height());

        QCOMPARE(barra->minimum(), 0);
        QCOMPARE(barra->maximum(), pagina->height() * 15);
        QCOMPARE(barra->singleStep(), 100);
        QCOMPARE(barra->pageStep(), 300);
        QCOMPARE(barra->value(), 0);
    }

    void ajuda_rolagem_data()
    {
        QTest::addColumn<QList<int>>("teclas");
        QTest::addColumn<int>("valor");  // -1: the maximum
        QTest::newRow("seta: um passo") << QList<int>{Qt::Key_Down} << 100;
        QTest::newRow("pagina: um passo grande") << QList<int>{Qt::Key_PageDown} << 300;
        QTest::newRow("duas paginas e volta uma seta") << QList<int>{Qt::Key_PageDown, Qt::Key_PageDown, Qt::Key_Up} << 500;
        QTest::newRow("fim") << QList<int>{Qt::Key_End} << -1;
        QTest::newRow("fim e de volta ao inicio") << QList<int>{Qt::Key_End, Qt::Key_Home} << 0;
    }

    void ajuda_rolagem()
    {
        QFETCH(QList<int>, teclas);
        QFETCH(int, valor);
        Ajuda ajuda;
        auto *pagina = ajuda.findChild<QLabel *>("PicAjuda");
        auto *barra = ajuda.findChild<QScrollBar *>("VScroll");
        const int altura = pagina->height();

        for (int tecla : teclas)
            QTest::keyClick(barra, Qt::Key(tecla));

        const int esperado = valor < 0 ? barra->maximum() : valor;
        QCOMPARE(barra->value(), esperado);
        // The page's top edge is the value above the frame's top, in twips (15 to a pixel).
        QCOMPARE(pagina->y(), -qRound(esperado / 15.0));
        QCOMPARE(pagina->height(), altura);
        if (valor < 0)
            QCOMPARE(pagina->geometry().bottom() + 1, 0);  // the page's bottom at the frame's top
        if (valor == 0)
            QCOMPARE(pagina->pos(), QPoint(0, 0));
    }

    void ajuda_roda_do_mouse_sobre_a_pagina()
    {
        Ajuda ajuda;
        auto *pagina = ajuda.findChild<QLabel *>("PicAjuda");
        auto *barra = ajuda.findChild<QScrollBar *>("VScroll");
        const QPointF ponto(50, 50);
        QWheelEvent roda(ponto, pagina->mapToGlobal(ponto), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                         Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(pagina, &roda);
        QCOMPARE(barra->value(), Ajuda::kPassoRoda);
        QCOMPARE(pagina->y(), -Ajuda::kPassoRoda / 15);
    }

    void ajuda_uma_janela_sem_bloquear()
    {
        QWidget principal;
        principal.show();
        QPointer<Ajuda> ajuda = Ajuda::Abrir(&principal);
        QVERIFY(ajuda);
        QVERIFY(ajuda->isVisible());
        QCOMPARE(ajuda->windowModality(), Qt::NonModal);
        QVERIFY(!ajuda->isModal());
        // Asked again, the open window comes to the front instead of a second one.
        QCOMPARE(Ajuda::Abrir(&principal), ajuda.data());
        QCOMPARE(principal.findChildren<Ajuda *>().size(), 1);
        ajuda->close();
        QTRY_VERIFY(!ajuda);
    }

    // ---- About box ------------------------------------------------------------------------------

    void sobre_textos_data()
    {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<QString>("texto");
        QTest::newRow("Label1") << "Label1" << "Datilux";
        QTest::newRow("Label2") << "Label2" << "Versão 1.53";
        QTest::newRow("Label3") << "Label3" << "suporte@datilux.example";
    }

    void sobre_textos()
    {
        QFETCH(QString, nome);
        QFETCH(QString, texto);
        PlataformaTeste plataforma;
        Sobre sobre(plataforma);
        QCOMPARE(sobre.windowTitle(), QStringLiteral("Sobre o Datilux"));
        auto *rotulo = sobre.findChild<QLabel *>(nome);
        QVERIFY(rotulo);
        QCOMPARE(rotulo->text(), texto);
        for (const char *linha : {"Label6", "Label7"})
            QVERIFY(!sobre.findChild<QLabel *>(linha)->text().isEmpty());
    }

    void sobre_link_de_suporte_e_ok()
    {
        PlataformaTeste plataforma;
        Sobre sobre(plataforma);
        bool aberta = false;
        AoAbrirModal<Sobre>([&](Sobre *janela) {
            aberta = true;
            QTest::mouseClick(janela->findChild<QLabel *>("Label3"), Qt::LeftButton);
            QTest::mouseClick(janela->findChild<QWidget *>("BtnOK"), Qt::LeftButton);
        });
        sobre.exec();
        QVERIFY(aberta);
        QVERIFY(!sobre.isVisible());
        QCOMPARE(plataforma.enderecos, QList<QUrl>{QUrl("mailto:suporte@datilux.example")});
    }
};

QTEST_MAIN(TestAjuda)
#include "TestAjuda.moc"
