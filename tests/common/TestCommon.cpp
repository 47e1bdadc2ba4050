#include "common/Cp1252.h"
#include "common/Formatos.h"
#include "common/Teclas.h"
#include "common/TiraAcentos.h"
#include "common/Twips.h"
#include "support/ProgramaNucleo.h"
#include "support/Tabela.h"

#include <QTest>

class TestCommon : public QObject {
    Q_OBJECT

private slots:
    // The codes the controls' key events carry: the keyboard's virtual key numbers.
    void codigosDeTecla_data()
    {
        Colunas<int, bool, int>("tecla", "numerico", "codigo");
        const std::tuple<const char *, int, bool, int> casos[] = {
            {"Backspace", Qt::Key_Backspace, false, 8},
            {"Enter do teclado numerico", Qt::Key_Enter, true, 13},
            {"PageUp", Qt::Key_PageUp, false, 33},
            {"Esquerda do teclado numerico", Qt::Key_Left, true, 37},
            {"Delete", Qt::Key_Delete, false, 46},
            {"A", Qt::Key_A, false, 65},
            {"7", Qt::Key_7, false, 55},
            {"7 do teclado numerico", Qt::Key_7, true, 103},
            {"& na tecla do 7", Qt::Key_Ampersand, false, 55},
            {"F1", Qt::Key_F1, false, 112},
            {"c cedilha", Qt::Key_Ccedilla, false, 186},
            {"acento agudo", Qt::Key_Dead_Acute, false, 219},
            {"sem codigo", Qt::Key_VolumeUp, false, 0},
        };
        for (const auto &[nome, tecla, numerico, codigo] : casos)
            QTest::newRow(nome) << tecla << numerico << codigo;
    }
    void codigosDeTecla()
    {
        BUSCAR(int, tecla, bool, numerico);
        QTEST(int(Teclas::Codigo(tecla, numerico)), "codigo");
        QCOMPARE(Teclas::CodigoShift(Qt::ShiftModifier | Qt::AltModifier), Teclas::kShift | Teclas::kAlt);
    }

    void cp1252Caracteres_data()
    {
        Colunas<QString, QByteArray, bool>("texto", "bytes", "cabe");
        QTest::newRow("ascii") << QStringLiteral("Abc 123") << QByteArray("Abc 123") << true;
        QTest::newRow("acentos") << QStringLiteral("ÉáçõÜÞ") << QByteArray("\xC9\xE1\xE7\xF5\xDC\xDE") << true;
        QTest::newRow("faixa 80") << QStringLiteral("€…“”Œ") << QByteArray("\x80\x85\x93\x94\x8C") << true;
        QTest::newRow("fora") << QStringLiteral("a€ł") << QByteArray("a\x80?") << false;
        QTest::newRow("emoji") << QStringLiteral("😀") << QByteArray("??") << false;
        QByteArray todos(256, Qt::Uninitialized); // every byte there and back
        for (int i = 0; i < 256; ++i)
            todos[i] = char(i);
        QTest::newRow("todos os bytes") << Cp1252::decodificar(todos) << todos << true;
    }
    void cp1252Caracteres()
    {
        BUSCAR(QString, texto, QByteArray, bytes, bool, cabe);
        bool ok = !cabe;
        QCOMPARE(Cp1252::codificar(texto, &ok), bytes);
        QCOMPARE(ok, cabe);
        QCOMPARE(Cp1252::representavel(texto), cabe);
        if (cabe)
            QCOMPARE(Cp1252::decodificar(bytes), texto);
    }

    void tiraAcentos_data()
    {
        Colunas<QString, QString>("entrada", "saida");
        QTest::newRow("as 22 letras") << QStringLiteral("ÁÀÃÉÊÍÓÕÔÚÇáàãéêíóõôúç")
                                      << QStringLiteral("AAAEEIOOOUCaaaeeiooouc");
        QTest::newRow("sem dobra") << QStringLiteral("ÂâÈèüÜªºñ") << QStringLiteral("ÂâÈèüÜªºñ");
        QTest::newRow("caixa mantida") << QStringLiteral("Exercício") << QStringLiteral("Exercicio");
        QTest::newRow("vazio") << QString() << QString();
        QTest::newRow("131 de 200") << QString(200, u'ç') << QString(131, u'c');
        QTest::newRow("131 exatos") << QString(131, u'x') << QString(131, u'x');
    }
    void tiraAcentos()
    {
        BUSCAR(QString, entrada, QString, saida);
        QCOMPARE(TiraAcentos(entrada), saida);
    }

    void formatos_data()
    {
        Colunas<int, int, QString, QString>("numero", "digitos", "formatado", "texto");
        QTest::newRow("codigo") << 7 << 4 << "0007" << QStringLiteral(" 7");
        QTest::newRow("exercicio") << 12 << 3 << "012" << QStringLiteral(" 12");
        QTest::newRow("mais largo") << 12345 << 4 << "12345" << QStringLiteral(" 12345");
        QTest::newRow("negativo") << -5 << 4 << "-0005" << QStringLiteral("-5");
    }
    void formatos()
    {
        BUSCAR(int, numero, int, digitos, QString, formatado, QString, texto);
        QCOMPARE(Formatar(numero, digitos), formatado);
        QCOMPARE(NumeroTexto(numero), texto);
    }

    void valorNumerico_data()
    {
        Colunas<QString, double, int>("texto", "valor", "inteiro");
        QTest::newRow("letras") << "abc" << 0.0 << 0;
        QTest::newRow("prefixo") << "12abc" << 12.0 << 12;
        QTest::newRow("espacos") << " 1 2 " << 12.0 << 12;
        QTest::newRow("sinal") << "-3" << -3.0 << -3;
        QTest::newRow("decimal par") << "2.5" << 2.5 << 2;
        QTest::newRow("decimal impar") << "3.5" << 3.5 << 4;
        QTest::newRow("expoente") << "1e2" << 100.0 << 100;
        QTest::newRow("expoente vazio") << "12e" << 12.0 << 12;
        QTest::newRow("virgula para") << "1,5" << 1.0 << 1;
    }
    void valorNumerico()
    {
        BUSCAR(QString, texto, double, valor, int, inteiro);
        QCOMPARE(ValorNumerico(texto), valor);
        QCOMPARE(ValorInteiro(texto), inteiro);
    }

    void twips()
    {
        QCOMPARE(Twips::px(9600), 640);
        QCOMPARE(Twips::px(7), 0);
        QCOMPARE(Twips::px(8), 1);
        QCOMPARE(Twips::twips(592), 8880.0);
    }
};

DATILUX_TESTE_NUCLEO(TestCommon)
#include "TestCommon.moc"
