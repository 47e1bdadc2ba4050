#include "common/Plataforma.h"
#include "support/Tabela.h"

#include <QKeyEvent>
#include <QLibrary>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class TestPlataforma : public QObject {
    Q_OBJECT

private slots:
    // The sound lives in its own module: the program starts without the sound libraries and loads them
    // with the first warning. The same for Qt SQL, with the first result written or read.
    void programaSemBibliotecasDeSom()
    {
        QProcess ldd;
        ldd.start(QStringLiteral("ldd"), {QStringLiteral(DATILUX_PROGRAMA)});
        QVERIFY(ldd.waitForFinished());
        const QString bibliotecas = QString::fromLocal8Bit(ldd.readAllStandardOutput());
        QVERIFY(bibliotecas.contains(QStringLiteral("libQt6Widgets")));
        QVERIFY2(!bibliotecas.contains(QStringLiteral("Multimedia")), qPrintable(bibliotecas));
        QVERIFY2(!bibliotecas.contains(QStringLiteral("libpulse")), qPrintable(bibliotecas));
        QVERIFY2(!bibliotecas.contains(QStringLiteral("libQt6Sql")), qPrintable(bibliotecas));
    }

    // A warning without its sound file plays nothing and says nothing, in the module and through the
    // platform layer that loads it.
    void avisoSemArquivo()
    {
        QLibrary modulo(QStringLiteral(DATILUX_MODULO_SOM));
        using Criar = void *(*)(const QString &);
        auto criar = reinterpret_cast<Criar>(modulo.resolve("DatiluxSomCriar"));
        auto tocar = reinterpret_cast<void (*)(void *)>(modulo.resolve("DatiluxSomTocar"));
        QVERIFY2(criar && tocar, qPrintable(modulo.errorString()));
        QTemporaryDir dir;
        void *som = criar(dir.filePath(QStringLiteral("nao-existe.wav")));
        QVERIFY(som);
        tocar(som);
        tocar(som);
        tocar(nullptr);
        Plataforma p(dir.filePath(QStringLiteral("Aviso.wav")));
        p.TocarAviso();
        p.TocarAviso();
    }

    // Off X11, CAPS LOCK is read from the letters typed: upper case without Shift means on.
    void capsPelasTeclas_data()
    {
        Colunas<QString, bool, bool>("texto", "shift", "caps");
        QTest::newRow("maiuscula sem shift") << "A" << false << true;
        QTest::newRow("maiuscula com shift") << "A" << true << false;
        QTest::newRow("minuscula com shift") << "a" << true << true;
        QTest::newRow("minuscula") << "a" << false << false;
        QTest::newRow("acento") << QStringLiteral("É") << false << true;
    }
    void capsPelasTeclas()
    {
        BUSCAR(QString, texto, bool, shift, bool, caps);
        Plataforma p(QString{});
        QKeyEvent e(QEvent::KeyPress, Qt::Key_A, shift ? Qt::ShiftModifier : Qt::NoModifier, texto);
        p.ObservarTecla(e);
        // A digit says nothing about CAPS LOCK.
        QKeyEvent digito(QEvent::KeyPress, Qt::Key_1, Qt::NoModifier, QStringLiteral("1"));
        p.ObservarTecla(digito);
        if (QGuiApplication::platformName() != QStringLiteral("xcb"))
            QCOMPARE(p.CapsLockAtivo(), caps);
    }
};

QTEST_MAIN(TestPlataforma)
#include "TestPlataforma.moc"
