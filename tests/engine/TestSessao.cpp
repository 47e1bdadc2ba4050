#include "app/Sessao.h"
#include "support/ProgramaNucleo.h"
#include "support/Tabela.h"

#include <QTest>

using namespace Sessao;

class TestSessao : public QObject {
    Q_OBJECT

private slots:
    void tempoTotal_data()
    {
        Colunas<QTime, QTime, int, QString>("inicio", "fim", "segundos", "texto");
        QTest::newRow("125 s") << QTime(10, 0, 0) << QTime(10, 2, 5) << 125 << "00:02:05";
        QTest::newRow("mais de uma hora") << QTime(9, 0, 0) << QTime(10, 5, 0) << 3900 << "01:05:00";
        QTest::newRow("meia-noite longa") << QTime(23, 0, 0) << QTime(1, 30, 0) << 9000 << "02:30:00";
    }
    void tempoTotal()
    {
        BUSCAR(QTime, inicio, QTime, fim, int, segundos, QString, texto);
        QCOMPARE(SegundosEntre(inicio, fim), segundos);
        QCOMPARE(TempoTotal(segundos), texto);
        QCOMPARE(SegundosDe(texto), std::optional<int>(segundos));
    }

    void completude_data()
    {
        Colunas<int, int, bool>("passagem", "digitado", "incompleto");
        QTest::newRow("470 de 610") << 610 << 470 << false;
        QTest::newRow("469 de 610") << 610 << 469 << true;
        QTest::newRow("passagem vazia") << 0 << 0 << false;
        QTest::newRow("13 de 13") << 13 << 10 << false;
    }
    void completude()
    {
        BUSCAR(int, passagem, int, digitado, bool, incompleto);
        QCOMPARE(Incompleto(passagem, digitado), incompleto);
    }

    void veredito_data()
    {
        Colunas<int, int, QString, Veredito>("erros", "segundos", "limite", "veredito");
        QTest::newRow("no limite") << 0 << 120 << "00:02:00" << Veredito::Aprovado;
        QTest::newRow("um segundo a mais") << 0 << 121 << "00:02:00" << Veredito::Reprovado;
        QTest::newRow("aviso sem limite") << 0 << 10 << "" << Veredito::Nenhum;
        // A limit that is no time of the form hh:mm:ss is no limit.
        QTest::newRow("limite ilegivel") << 0 << 10 << "xx" << Veredito::Nenhum;
        QTest::newRow("limite com 60 minutos") << 0 << 10 << "00:60:00" << Veredito::Nenhum;
        QTest::newRow("limite curto") << 0 << 10 << "00:01" << Veredito::Nenhum;
    }
    void veredito()
    {
        BUSCAR(int, erros, int, segundos, QString, limite, Veredito, veredito);
        QCOMPARE(Avaliar(erros, segundos, limite), veredito);
    }

    // The indicator blinks while CAPS LOCK is on, between sessions too, and stays white when it is off.
    void indicadorCaps()
    {
        IndicadorCaps caps;
        QString visto; // per tick: the look, 'V' red or 'B' white, then what Vermelho says
        for (const bool ligado : {false, true, true, true, false, true, true}) {
            const AparenciaCaps a = caps.Tique(ligado);
            visto += a == kCapsVermelho ? u'V' : a == kCapsBranco ? u'B' : u'?';
            visto += caps.Vermelho() ? u'v' : u'b';
        }
        // Switched off in the red phase: white at once, and the phase is kept for the next blink.
        QCOMPARE(visto, QStringLiteral("BbVvBbVvBbBbVv"));
    }
};

DATILUX_TESTE_NUCLEO(TestSessao)
#include "TestSessao.moc"
