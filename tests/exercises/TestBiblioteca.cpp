#include "exercises/Biblioteca.h"
#include "support/ProgramaNucleo.h"
#include "support/Tabela.h"

#include <QHash>
#include <QSet>
#include <QTest>

namespace {

const QString kCrLf = QStringLiteral("\r\n");
// The accented letters of class 6: it may use no others, and must use each of them.
const QString kAcentos = QStringLiteral("Éáâãçéêíóôõú");

QString Aviso(int classe)
{
    const QString fim = QStringLiteral("Fim da Classe %1").arg(classe, 2, 10, QChar(u'0')) + kCrLf;
    return classe == 6 ? fim : fim + QStringLiteral("Solicite ao seu professor a mudança de classe") + kCrLf;
}

// What the entries of one class must be for the typing engine and the chooser to rely on them.
// Characters are counted with every CR LF as two.
struct Regras {
    int entradas, linhasMin, linhasMax, caracteresMin, caracteresMax, largura;
};

// Everything wrong with one exercise, each problem named by the rule it breaks.
QStringList Problemas(const QString &texto, const Regras &r, bool acentos)
{
    QStringList problemas;
    if (!texto.endsWith(kCrLf))
        problemas << QStringLiteral("não termina com CR LF");
    if (texto.contains(u'[') || texto.contains(u']'))
        problemas << QStringLiteral("contém colchete");
    QStringList linhas = texto.split(kCrLf);
    linhas.removeLast();
    const auto fora = [&problemas](const char *oque, qsizetype n, int min, int max) {
        if (n < min || n > max)
            problemas
                << QStringLiteral("%1 %2, fora de %3 a %4").arg(n).arg(QLatin1String(oque)).arg(min).arg(max);
    };
    fora("linhas", linhas.size(), r.linhasMin, r.linhasMax);
    fora("caracteres", texto.size(), r.caracteresMin, r.caracteresMax);
    for (int n = 0; n < linhas.size(); ++n) {
        const QString &linha = linhas[n];
        const QString onde = QStringLiteral("linha %1: ").arg(n + 1);
        if (linha.isEmpty())
            problemas << onde + QStringLiteral("vazia");
        if (linha.size() > r.largura)
            problemas << onde + QStringLiteral("%1 caracteres, acima de %2").arg(linha.size()).arg(r.largura);
        if (linha.endsWith(u' '))
            problemas << onde + QStringLiteral("espaço no fim");
        // Printable ASCII (so no tab, and no CR or LF outside a line end); class 6 alone adds the
        // accented letters of Portuguese.
        for (QChar c : linha) {
            if ((c < u' ' || c > u'~') && !(acentos && kAcentos.contains(c))) {
                problemas << onde
                                 + QStringLiteral("fora do repertório: U+%1").arg(c.unicode(), 4, 16, QChar(u'0'));
                break;
            }
        }
    }
    return problemas;
}

} // namespace

Q_DECLARE_METATYPE(Regras)

class TestBiblioteca : public QObject {
    Q_OBJECT

private slots:
    // Every entry of every class follows the rules; a failure names the class, the entry and the rule.
    void cadaClasseSegueAsRegras_data()
    {
        // regras: entries, lines min/max, characters min/max, widest line
        Colunas<int, Regras>("classe", "regras");
        QTest::newRow("classe 1") << 1 << Regras{48, 10, 10, 590, 610, 59};
        QTest::newRow("classe 2") << 2 << Regras{60, 10, 10, 600, 610, 59};
        QTest::newRow("classe 3") << 3 << Regras{50, 10, 10, 400, 680, 70};
        QTest::newRow("classe 4") << 4 << Regras{52, 9, 10, 549, 610, 59};
        QTest::newRow("classe 5") << 5 << Regras{19, 2, 40, 85, 2432, 70};
        QTest::newRow("classe 6") << 6 << Regras{15, 2, 16, 96, 1013, 70};
    }
    void cadaClasseSegueAsRegras()
    {
        BUSCAR(int, classe, Regras, regras);
        // Class 6 is timed, by exercise number; its notice has no limit.
        const QStringList limites6{"00:01:00", "00:01:00", "00:02:00", "00:03:00", "00:02:00",
                                   "00:02:00", "00:05:00", "00:03:00", "00:06:00", "00:04:00",
                                   "00:03:00", "00:03:00", "00:01:00", "00:01:00", ""};

        QStringList falhas;
        const int lidas = Biblioteca::QuantidadeEntradas(classe);
        if (lidas != regras.entradas)
            falhas << QStringLiteral("%1 entradas em vez de %2").arg(lidas).arg(regras.entradas);
        if (Biblioteca::QuantidadeExercicios(classe) != lidas - 1)
            falhas << QStringLiteral("a quantidade de exercícios não deixa de fora o aviso");
        if (Biblioteca::Texto(classe, lidas))
            falhas << QStringLiteral("há texto depois da última entrada");

        QHash<QString, int> vistos;
        QSet<QChar> ausentes;
        if (classe == 6)
            ausentes = QSet<QChar>(kAcentos.begin(), kAcentos.end());
        for (int i = 0; i < lidas; ++i) {
            const auto texto = Biblioteca::Texto(classe, i);
            const QString onde = QStringLiteral("classe %1, entrada %2: ").arg(classe).arg(i + 1);
            if (!texto) {
                falhas << onde + QStringLiteral("sem texto");
                continue;
            }
            if (i == lidas - 1 && *texto != Aviso(classe))
                falhas << onde + QStringLiteral("não é o aviso de fim de classe");
            else if (i < lidas - 1)
                for (const QString &p : Problemas(*texto, regras, classe == 6))
                    falhas << onde + p;
            if (vistos.contains(*texto))
                falhas << onde + QStringLiteral("repete a entrada %1").arg(vistos[*texto]);
            vistos.insert(*texto, i + 1);
            if (classe == 6 && Biblioteca::TempoClasse6(i) != limites6.value(i))
                falhas << onde + QStringLiteral("limite de tempo errado");
            for (QChar c : *texto)
                ausentes.remove(c);
        }
        for (QChar c : ausentes)
            falhas << QStringLiteral("classe %1: a letra %2 não aparece em nenhum exercício").arg(classe).arg(c);
        QVERIFY2(falhas.isEmpty(), qPrintable(falhas.join(u'\n')));
    }

    void texto_data()
    {
        // esperado: null: no entry; "*": any text
        // limite: class 6 only; null: none
        Colunas<int, int, QString, QString>("classe", "indice", "esperado", "limite");

        const QString primeiro = (QStringList(10, QStringLiteral("asdfg")).join(u' ') + kCrLf).repeated(10);
        QCOMPARE(primeiro.size(), 610);
        const QString nada;
        QTest::newRow("classe 1, primeiro exercício") << 1 << 0 << primeiro << nada;
        QTest::newRow("classe 2, aviso") << 2 << 59 << Aviso(2) << nada;
        QTest::newRow("classe 6, último exercício") << 6 << 13 << "*" << QStringLiteral("00:01:00");
        QTest::newRow("classe 6, aviso") << 6 << 14 << "Fim da Classe 06\r\n" << QStringLiteral("");
        QTest::newRow("classe 6, depois do aviso") << 6 << 15 << nada << nada;
        QTest::newRow("classe 6, índice negativo") << 6 << -1 << nada << nada;
        QTest::newRow("classe 0") << 0 << 0 << nada << nada;
        QTest::newRow("classe 7") << 7 << 0 << nada << nada;
    }
    void texto()
    {
        BUSCAR(int, classe, int, indice, QString, esperado, QString, limite);
        const auto texto = Biblioteca::Texto(classe, indice);
        QCOMPARE(texto.has_value(), !esperado.isNull());
        if (esperado != "*")
            QCOMPARE(texto.value_or(QString()), esperado);
        if (classe == 6) {
            const auto tempo = Biblioteca::TempoClasse6(indice);
            QCOMPARE(tempo.has_value(), !limite.isNull());
            QCOMPARE(tempo.value_or(QString()), limite);
        }
        if (classe < 1 || classe > 6) {
            QCOMPARE(Biblioteca::QuantidadeEntradas(classe), 0);
            QCOMPARE(Biblioteca::QuantidadeExercicios(classe), 0);
        }
    }

    // The file format the course authors write; damage costs entries, never the program.
    void interpretar_data()
    {
        Colunas<QString, QStringList, QStringList>("fonte", "textos", "tempos");
        QTest::newRow("notas e separação") << "# nota\n\n=== 1\nab cd\nef\n\n\n=== 2\ngh\n"
                                           << QStringList{"ab cd\r\nef\r\n", "gh\r\n"} << QStringList{"", ""};
        QTest::newRow("CR LF, marca de ordem, sem fim de linha")
            << QStringLiteral("\uFEFF=== 1\r\nab\r\n=== 2\r\ncd") << QStringList{"ab\r\n", "cd\r\n"}
            << QStringList{"", ""};
        QTest::newRow("limites de tempo")
            << "=== 1 00:01:00\na\n=== 2 01:02:03\nb\n=== 3\nFim\n"
            << QStringList{"a\r\n", "b\r\n", "Fim\r\n"} << QStringList{"00:01:00", "01:02:03", ""};
        QTest::newRow("# numa entrada é texto") << "=== 1\n# a\n" << QStringList{"# a\r\n"} << QStringList{""};
        QTest::newRow("número fora de ordem") << "=== 1\na\n=== 3\nb\n" << QStringList{"a\r\n"} << QStringList{""};
        QTest::newRow("cabeçalho torto") << "=== 1\na\n===2\nb\n" << QStringList{"a\r\n"} << QStringList{""};
        QTest::newRow("entrada vazia") << "=== 1\na\n=== 2\n\n=== 3\nb\n"
                                       << QStringList{"a\r\n"} << QStringList{""};
        QTest::newRow("tempo malformado") << "=== 1\na\n=== 2 0:01:00\nb\n"
                                          << QStringList{"a\r\n"} << QStringList{""};
        QTest::newRow("texto antes da primeira entrada") << "abc\n=== 1\na\n" << QStringList{} << QStringList{};
        QTest::newRow("número enorme") << "=== 99999999999\na\n" << QStringList{} << QStringList{};
        QTest::newRow("vazio") << QString() << QStringList{} << QStringList{};
    }
    void interpretar()
    {
        QFETCH(QString, fonte);
        QStringList textos, tempos;
        for (const Biblioteca::Entrada &e : Biblioteca::Interpretar(fonte)) {
            textos << e.texto;
            tempos << e.tempo;
        }
        QTEST(textos, "textos");
        QTEST(tempos, "tempos");
    }
};

DATILUX_TESTE_NUCLEO(TestBiblioteca)
#include "TestBiblioteca.moc"
