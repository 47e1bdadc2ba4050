#include "app/MotorDigitacao.h"
#include "common/Digita.h"
#include "support/ProgramaNucleo.h"
#include "support/Tabela.h"

#include <QTest>

namespace {

// Plays the part of the main window around the engine: an input box (text and caret at its end, a
// line break counting one character, as in the display) and the colour of every passage character.
struct Janela {
    Digita digita{QStringLiteral(".")};
    MotorDigitacao motor{digita};
    QString passagem;
    QString caixa;
    QList<MotorDigitacao::Cor> cores;
    int toquesMostrados = -1, errosMostrados = -1, sons = 0, avisosCaps = 0;
    bool finalizado = false;

    void Iniciar(const QString &texto, bool focoDigita = false)
    {
        passagem = texto;
        caixa.clear();
        cores = QList<MotorDigitacao::Cor>(texto.size(), MotorDigitacao::Cor::Nenhuma);
        motor.Zerar(texto, focoDigita);
        motor.MontarLinhas(texto);
    }

    void Tecla(int k, bool capsVermelho = false)
    {
        if (finalizado)
            return;
        const auto r = motor.TeclaPressionada(k, int(caixa.size()), capsVermelho);
        errosMostrados = r.mostrarErros ? motor.Erros : errosMostrados;
        toquesMostrados = r.mostrarToques ? r.toquesMostrados : toquesMostrados;
        sons += r.tocarSom, avisosCaps += r.avisoCapsLock, finalizado = r.finalizar;
        if (r.cor != MotorDigitacao::Cor::Nenhuma && r.posicaoCor < cores.size())
            cores[r.posicaoCor] = r.cor;
        if (r.descartar)
            return;
        const bool mudou = k != MotorDigitacao::kBackspace || !caixa.isEmpty();
        if (k == MotorDigitacao::kBackspace)
            caixa.chop(1);
        else
            caixa += k == MotorDigitacao::kEnter ? QChar(u'\n') : QChar(char16_t(k));
        if (mudou) {
            const auto m = motor.Mudanca();
            errosMostrados = m.mostrarErros ? motor.Erros : errosMostrados;
            sons += m.tocarSom;
        }
    }

    // '\n' is Enter, '\b' Backspace, every other character itself.
    void Digitar(const QString &roteiro)
    {
        for (QChar c : roteiro)
            Tecla(c == u'\n' ? MotorDigitacao::kEnter : c == u'\b' ? MotorDigitacao::kBackspace : c.unicode());
    }
};

const QString kAbCd = QStringLiteral("ab\r\ncd\r\n");

QString Linhas(int n)
{
    QString t;
    for (int i = 1; i <= n; ++i)
        t += QStringLiteral("linha %1\r\n").arg(i);
    return t;
}

} // namespace

class TestMotor : public QObject {
    Q_OBJECT

private slots:
    void marcacao_data()
    {
        Colunas<QString, QString, QStringList>("passagem", "marcado", "linhas");
        QTest::newRow("uma linha") << QStringLiteral("asdfg\r\n") << "asdfg[1]" << QStringList{"asdfg"};
        QTest::newRow("duas linhas") << kAbCd << "ab[1]cd[2]" << QStringList{"ab", "cd"};
        QTest::newRow("linha vazia") << QStringLiteral("a\r\n\r\nb\r\n") << "a[1][2]b[3]"
                                     << QStringList{"a", "", "b"};
        QStringList doze;
        QString marcado;
        for (int i = 1; i <= 12; ++i) {
            doze << QStringLiteral("linha %1").arg(i);
            marcado += QStringLiteral("linha %1[%1]").arg(i);
        }
        QTest::newRow("doze linhas") << Linhas(12) << marcado << doze;
        QTest::newRow("vazia") << QString() << QString() << QStringList{};
    }
    void marcacao()
    {
        BUSCAR(QString, passagem, QString, marcado, QStringList, linhas);
        Janela j;
        j.motor.TextoDigitado = QStringLiteral("resto");
        j.Iniciar(passagem);
        QCOMPARE(j.motor.TextoMarcado, marcado);
        QCOMPARE(j.motor.TextoDigitado, QString());
        QCOMPARE(j.motor.LstDigita, linhas);
        QCOMPARE((QList<int>{j.motor.LinhaAtual, j.motor.PosTexto, j.motor.PosDigitado, j.motor.NumMarca}),
                 (QList<int>{0, 1, 1, 1}));
        // What each checked position expects: the passage's character, one line end per marker
        // character; nothing past the end.
        QString esperados;
        for (int i = 0; i < marcado.size(); ++i)
            esperados += j.motor.Esperado(i);
        QString linhasComQuebra;
        for (int i = 0; i < linhas.size(); ++i)
            linhasComQuebra += linhas[i] + QString(MotorDigitacao::Marca(i + 1).size(), u'\n');
        QCOMPARE(esperados, linhasComQuebra);
        QVERIFY(j.motor.Esperado(int(marcado.size())).isNull());
    }

    // Typing scripts against a passage; '\n' is Enter, '\b' Backspace.
    void digitacao_data()
    {
        Colunas<QString, bool, bool, QString, QString, int, int, QString, bool>(
            "passagem", "trava", "backspace", "roteiro", "digitado", "erros", "toquesMostrados", "caixa",
            "finalizado");
        const auto linha = [](const char *nome, bool trava, bool backspace, const QString &roteiro,
                              const QString &digitado, int erros, int toques, const QString &caixa, bool fim,
                              const QString &passagem = kAbCd) {
            QTest::newRow(nome) << passagem << trava << backspace << roteiro << digitado << erros << toques
                                << caixa << fim;
        };
        linha("passagem inteira", false, true, "ab\ncd\n", "ab[1]cd[2]", 0, 5, "ab\ncd", true);
        linha("um erro na linha", false, true, "ax\n", "ax[1]", 1, 3, "ax\n", false);
        linha("linha curta", false, true, "a\n", "a[1]", 0, 2, "a\n", false);
        linha("sobra contra a marca", false, true, "abcd\n", "abcd[1]", 2, 5, "abcd\n", false);
        linha("enter em cada linha sem texto", false, true, "\n\n", "[1][2]", 0, 1, "\n", true);
        linha("backspace apaga e conta toque", false, true, "ab\b", "a", 0, 3, "a", false);
        linha("erro apagado continua contado", false, true, "x\ba", "a", 1, 3, "a", false);
        // A Backspace over a line break takes back the whole Enter: the line goes on as if it never came.
        linha("enter cedo desfeito", false, true, "a\n\bb\ncd\n", "ab[1]cd[2]", 0, 7, "ab\ncd", true);
        linha("backspace volta pela quebra de linha", false, true, "ab\nx\b\b\ncd\n", "ab[1]cd[2]", 1, 9, "ab\ncd",
              true);
        // Typed brackets are text: never taken for a marker, before or after an Enter.
        linha("colchetes digitados nao sao marca", false, true, "[1]\b", "[1", 3, 4, "[1", false);
        linha("colchetes antes do enter", false, true, "[1]\ncd", "[1][1]cd", 3, 6, "[1]\ncd", false);
        linha("backspace recusado", false, false, "ab\b\b", "ab", 0, 2, "ab", false);
        linha("backspace com a caixa vazia", false, true, "\b", "", 0, 1, "", false);
        linha("trava recusa sem contar toque", true, true, "ax", "a", 1, 1, "a", false);
        linha("trava confere o primeiro caractere", true, true, "xab", "ab", 1, 2, "ab", false);
        // Enter mid-line is accepted; then every key is refused until Backspaces bring the typed text
        // back to a true prefix (the marker counts three characters there, the line break one).
        linha("trava enter no meio da linha recusa ate o backspace", true, true, "abc\nde\bd\nef\n",
              "abcd[1]ef[2]", 2, 9, "abcd\nef", true, QStringLiteral("abcd\r\nef\r\n"));
        linha("trava enter cedo desfeito", true, true, "a\n\bb\ncd\n", "ab[1]cd[2]", 0, 7, "ab\ncd", true);
        linha("trava com backspace proibido", true, false, "ax\b", "a", 1, 1, "a", false);
        // Past the marker [10] both positions move beyond its closing bracket: the next line is checked
        // from its first letter.
        QString dez, marcado;
        for (int i = 1; i <= 10; ++i) {
            dez += QStringLiteral("linha %1\n").arg(i);
            marcado += QStringLiteral("linha %1[%1]").arg(i);
        }
        linha("marcas de dois digitos", false, true, dez + "lx", marcado + "lx", 1, 83, dez + "lx", false,
              Linhas(12));
    }
    void digitacao()
    {
        BUSCAR(QString, passagem, bool, trava, bool, backspace, QString, roteiro, int, erros, int, toquesMostrados,
               QString, digitado, QString, caixa);
        QFETCH(bool, finalizado);

        for (bool som : {true, false}) {
            Janela j;
            j.digita.TravaNoErro = trava;
            j.digita.PermiteBackspace = backspace;
            j.digita.SomNoErro = som;
            j.Iniciar(passagem);
            j.Digitar(roteiro);
            QCOMPARE(
                (QVariantList{j.motor.Erros, j.toquesMostrados, j.motor.TextoDigitado, j.caixa, j.finalizado}),
                (QVariantList{erros, toquesMostrados, digitado, caixa, finalizado}));
            // The warning sound plays on every error, refused keys included, when the option is on.
            QCOMPARE(j.sons, som ? erros : 0);
            if (erros > 0)
                QCOMPARE(j.errosMostrados, erros);
        }
    }

    void toquesComecamEmZeroComFoco_data()
    {
        Colunas<bool, int>("foco", "primeiro");
        QTest::newRow("sem foco") << false << 1;
        QTest::newRow("com foco") << true << 0;
    }
    void toquesComecamEmZeroComFoco()
    {
        BUSCAR(bool, foco, int, primeiro);
        Janela j;
        j.Iniciar(kAbCd, foco);
        j.Digitar("a");
        QCOMPARE(j.toquesMostrados, primeiro);
        j.Digitar("b");
        QCOMPARE(j.toquesMostrados, primeiro + 1);
    }

    // Colours follow the caret; a key refused by lock mode is discarded and colours nothing (its
    // count and sound are the table's).
    void colorirAcompanhaOCaret()
    {
        using C = MotorDigitacao::Cor;
        Janela travada;
        travada.Iniciar(kAbCd);
        travada.Digitar("a");
        const auto recusa = travada.motor.TeclaPressionada('x', 1, false);
        QVERIFY(recusa.descartar && recusa.recusadaTrava && !recusa.mostrarToques);
        QCOMPARE(recusa.cor, C::Nenhuma);

        Janela j;
        j.digita.TravaNoErro = false;
        j.Iniciar(kAbCd);
        j.Digitar("ab");
        QCOMPARE(j.cores.mid(0, 3), (QList<C>{C::Azul, C::Azul, C::Nenhuma}));
        j.Digitar("\b");
        QCOMPARE(j.cores.mid(0, 3), (QList<C>{C::Azul, C::Preto, C::Nenhuma}));
        j.Digitar("x\nc");
        // A wrong character is coloured like a right one; the line break takes one position.
        QCOMPARE(j.cores.mid(0, 4), (QList<C>{C::Azul, C::Azul, C::Azul, C::Azul}));

        Janela vazia;
        vazia.Iniciar(kAbCd);
        const auto r = vazia.motor.TeclaPressionada(MotorDigitacao::kBackspace, 0, false);
        QCOMPARE(r.cor, C::Nenhuma);
        QVERIFY(r.mostrarToques);
    }

    void teclaEsquerdaSoComBackspacePermitido_data()
    {
        Colunas<int, bool, bool>("tecla", "permite", "cancela");
        QTest::newRow("esquerda proibida") << 37 << false << true;
        QTest::newRow("esquerda permitida") << 37 << true << false;
        QTest::newRow("direita") << 39 << false << false;
    }
    void teclaEsquerdaSoComBackspacePermitido()
    {
        BUSCAR(int, tecla, bool, permite, bool, cancela);
        Janela j;
        j.digita.PermiteBackspace = permite;
        QCOMPARE(j.motor.TeclaDesce(tecla), cancela);
    }

    // The CAPS LOCK warning: the fourth refused key in a row, only while the indicator is red.
    void avisoCapsLock_data()
    {
        // vermelho: one flag per key: 'v' red, '.' white
        Colunas<QString, int, QString, int>("roteiro", "avisos", "vermelho", "seguidosNoFim");
        QTest::newRow("quarta recusa vermelha") << "aXXXX" << 1 << ".vvvv" << 0;
        QTest::newRow("tres recusas") << "aXXX" << 0 << ".vvv" << 3;
        QTest::newRow("quarta recusa branca") << "aXXXX" << 0 << ".vvv." << 4;
        QTest::newRow("quinta vermelha depois de branca") << "aXXXXX" << 1 << ".vvv.v" << 0;
        QTest::newRow("tecla certa recomeca") << "aXXXbXXX" << 0 << ".vvvvvvv" << 3;
        QTest::newRow("oito recusas") << "aXXXXXXXX" << 2 << ".vvvvvvvv" << 0;
    }
    void avisoCapsLock()
    {
        BUSCAR(QString, roteiro, QString, vermelho, int, avisos, int, seguidosNoFim);
        Janela j;
        j.Iniciar(QStringLiteral("abc\r\n"));
        for (int i = 0; i < roteiro.size(); ++i)
            j.Tecla(roteiro[i].unicode(), vermelho[i] == u'v');
        QCOMPARE(j.avisosCaps, avisos);
        QCOMPARE(j.motor.ErrosSeguidos, seguidosNoFim);
        QCOMPARE(
            MotorDigitacao::MensagemCapsLock(),
            QStringLiteral("Muitos erros seguidos...\r\nTalvez seja porque a tecla CAPS LOCK esteja ativada!"));
    }

    void mudancaComPosicaoInvalidaTerminaEmSilencio()
    {
        Janela j;
        j.Iniciar(kAbCd);
        j.motor.UltimaTecla = MotorDigitacao::kBackspace;
        j.motor.Mudanca(); // positions 1 → 0: nothing left to cut
        QCOMPARE(j.motor.PosDigitado, 0);
        j.motor.UltimaTecla = 'a';
        const auto r = j.motor.Mudanca();
        QVERIFY(!r.mostrarErros);
        QCOMPARE(j.motor.PosDigitado, 0);
        QCOMPARE(j.motor.Erros, 0);
    }
};

DATILUX_TESTE_NUCLEO(TestMotor)
#include "TestMotor.moc"
