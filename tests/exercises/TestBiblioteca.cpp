#include "exercises/Biblioteca.h"

#include <QHash>
#include <QTest>

#include <optional>

namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kMudanca = QStringLiteral("Solicite ao seu professor a mudança de classe");
// The accented letters that only class 6 may use.
const QString kAcentosClasse6 = QStringLiteral("Éáâãçéêíóôõú");

QString Aviso(int classe)
{
    const QString fim = QStringLiteral("Fim da Classe %1").arg(classe, 2, 10, QChar(u'0')) + kCrLf;
    return classe == 6 ? fim : fim + kMudanca + kCrLf;
}

bool NoRepertorio(QChar c, bool acentos)
{
    if (c >= u' ' && c <= u'~')
        return true;
    return acentos && kAcentosClasse6.contains(c);
}

// Everything wrong with one entry, each problem named by the rule it breaks.
QStringList ProblemasDaEntrada(const QString &texto, int linhasMin, int linhasMax, int caracteresMin,
                               int caracteresMax, int largura, bool acentos, bool aviso)
{
    QStringList problemas;
    if (!texto.endsWith(kCrLf))
        problemas << QStringLiteral("não termina com CR LF");
    if (texto.count(u'\r') != texto.count(kCrLf) || texto.count(u'\n') != texto.count(kCrLf))
        problemas << QStringLiteral("CR ou LF fora de um par CR LF");
    if (texto.contains(u'[') || texto.contains(u']'))
        problemas << QStringLiteral("contém colchete");
    if (texto.contains(u'\t'))
        problemas << QStringLiteral("contém tabulação");
    if (aviso)
        return problemas;

    QStringList linhas = texto.split(kCrLf);
    linhas.removeLast();
    if (linhas.size() < linhasMin || linhas.size() > linhasMax)
        problemas << QStringLiteral("%1 linhas, fora de %2 a %3").arg(linhas.size()).arg(linhasMin).arg(linhasMax);
    if (texto.size() < caracteresMin || texto.size() > caracteresMax)
        problemas << QStringLiteral("%1 caracteres, fora de %2 a %3").arg(texto.size()).arg(caracteresMin).arg(caracteresMax);
    for (int n = 0; n < linhas.size(); ++n) {
        const QString &linha = linhas[n];
        const QString onde = QStringLiteral("linha %1: ").arg(n + 1);
        if (linha.isEmpty())
            problemas << onde + QStringLiteral("vazia");
        if (linha.size() > largura)
            problemas << onde + QStringLiteral("%1 caracteres, acima de %2").arg(linha.size()).arg(largura);
        if (linha.endsWith(u' '))
            problemas << onde + QStringLiteral("espaço no fim");
        for (QChar c : linha) {
            if (!NoRepertorio(c, acentos)) {
                problemas << onde + QStringLiteral("caractere fora do repertório (U+%1)")
                                        .arg(c.unicode(), 4, 16, QChar(u'0'));
                break;
            }
        }
    }
    return problemas;
}

} // namespace

class TestBiblioteca : public QObject {
    Q_OBJECT

private slots:
    // Every entry of every class follows the rules the typing engine and the chooser rely on.
    void cadaClasseSegueAsRegras_data()
    {
        QTest::addColumn<int>("classe");
        QTest::addColumn<int>("entradas");
        QTest::addColumn<int>("linhasMin");
        QTest::addColumn<int>("linhasMax");
        QTest::addColumn<int>("caracteresMin");
        QTest::addColumn<int>("caracteresMax");
        QTest::addColumn<int>("largura");
        QTest::addColumn<bool>("acentos");
        QTest::newRow("classe 1") << 1 << 48 << 10 << 10 << 590 << 610 << 59 << false;
        QTest::newRow("classe 2") << 2 << 60 << 10 << 10 << 600 << 610 << 59 << false;
        QTest::newRow("classe 3") << 3 << 50 << 10 << 10 << 400 << 680 << 70 << false;
        QTest::newRow("classe 4") << 4 << 52 << 9 << 10 << 549 << 610 << 59 << false;
        QTest::newRow("classe 5") << 5 << 19 << 2 << 40 << 85 << 2432 << 70 << false;
        QTest::newRow("classe 6") << 6 << 15 << 2 << 16 << 96 << 1013 << 70 << true;
    }
    void cadaClasseSegueAsRegras()
    {
        QFETCH(int, classe);
        QFETCH(int, entradas);
        QFETCH(int, linhasMin);
        QFETCH(int, linhasMax);
        QFETCH(int, caracteresMin);
        QFETCH(int, caracteresMax);
        QFETCH(int, largura);
        QFETCH(bool, acentos);

        QStringList falhas;
        const int lidas = Biblioteca::QuantidadeEntradas(classe);
        if (lidas != entradas)
            falhas << QStringLiteral("%1 entradas em vez de %2").arg(lidas).arg(entradas);
        if (Biblioteca::QuantidadeExercicios(classe) != lidas - 1)
            falhas << QStringLiteral("a quantidade de exercícios não deixa de fora o aviso");
        if (Biblioteca::Texto(classe, lidas))
            falhas << QStringLiteral("há texto depois da última entrada");

        QHash<QString, int> vistos;
        for (int i = 0; i < lidas; ++i) {
            const auto texto = Biblioteca::Texto(classe, i);
            const QString onde = QStringLiteral("entrada %1: ").arg(i + 1);
            if (!texto) {
                falhas << onde + QStringLiteral("sem texto");
                continue;
            }
            const bool aviso = i == lidas - 1;
            if (aviso && *texto != Aviso(classe))
                falhas << onde + QStringLiteral("não é o aviso de fim de classe");
            for (const QString &p : ProblemasDaEntrada(*texto, linhasMin, linhasMax, caracteresMin,
                                                       caracteresMax, largura, acentos, aviso))
                falhas << onde + p;
            if (vistos.contains(*texto))
                falhas << onde + QStringLiteral("repete a entrada %1").arg(vistos[*texto]);
            vistos.insert(*texto, i + 1);
        }
        QVERIFY2(falhas.isEmpty(), qPrintable(falhas.join(u'\n')));
    }

    void quantidades_data()
    {
        QTest::addColumn<int>("classe");
        QTest::addColumn<int>("exercicios");
        QTest::addColumn<int>("entradas");
        QTest::newRow("classe 0") << 0 << 0 << 0;
        QTest::newRow("classe 1") << 1 << 47 << 48;
        QTest::newRow("classe 2") << 2 << 59 << 60;
        QTest::newRow("classe 3") << 3 << 49 << 50;
        QTest::newRow("classe 4") << 4 << 51 << 52;
        QTest::newRow("classe 5") << 5 << 18 << 19;
        QTest::newRow("classe 6") << 6 << 14 << 15;
        QTest::newRow("classe 7") << 7 << 0 << 0;
    }
    void quantidades()
    {
        QFETCH(int, classe);
        QFETCH(int, exercicios);
        QFETCH(int, entradas);
        QCOMPARE(Biblioteca::QuantidadeExercicios(classe), exercicios);
        QCOMPARE(Biblioteca::QuantidadeEntradas(classe), entradas);
    }

    void texto_data()
    {
        QTest::addColumn<int>("classe");
        QTest::addColumn<int>("indice");
        QTest::addColumn<bool>("existe");
        QTest::addColumn<QString>("esperado"); // null: any text

        QString linha = QStringLiteral("asdfg");
        for (int i = 1; i < 10; ++i)
            linha += QStringLiteral(" asdfg");
        QString primeiro;
        for (int i = 0; i < 10; ++i)
            primeiro += linha + kCrLf;
        QCOMPARE(primeiro.size(), 610);

        QTest::newRow("primeiro exercício") << 1 << 0 << true << primeiro;
        QTest::newRow("aviso da classe 2") << 2 << 59 << true << Aviso(2);
        QTest::newRow("depois do aviso da classe 2") << 2 << 60 << false << QString();
        QTest::newRow("último exercício da classe 6") << 6 << 13 << true << QString();
        QTest::newRow("aviso da classe 6") << 6 << 14 << true << QStringLiteral("Fim da Classe 06\r\n");
        QTest::newRow("depois do aviso da classe 6") << 6 << 15 << false << QString();
        QTest::newRow("índice negativo") << 3 << -1 << false << QString();
        QTest::newRow("classe 0") << 0 << 0 << false << QString();
        QTest::newRow("classe 7") << 7 << 0 << false << QString();
    }
    void texto()
    {
        QFETCH(int, classe);
        QFETCH(int, indice);
        QFETCH(bool, existe);
        QFETCH(QString, esperado);
        const auto texto = Biblioteca::Texto(classe, indice);
        QCOMPARE(texto.has_value(), existe);
        if (texto && !esperado.isNull())
            QCOMPARE(*texto, esperado);
    }

    void tempoClasse6_data()
    {
        QTest::addColumn<int>("indice");
        QTest::addColumn<bool>("existe");
        QTest::addColumn<QString>("limite");
        const char *const limites[] = {"00:01:00", "00:01:00", "00:02:00", "00:03:00", "00:02:00",
                                       "00:02:00", "00:05:00", "00:03:00", "00:06:00", "00:04:00",
                                       "00:03:00", "00:03:00", "00:01:00", "00:01:00"};
        for (int i = 0; i < 14; ++i)
            QTest::addRow("exercício %d", i + 1) << i << true << QString::fromLatin1(limites[i]);
        QTest::newRow("aviso") << 14 << true << QString();
        QTest::newRow("depois do aviso") << 15 << false << QString();
        QTest::newRow("índice negativo") << -1 << false << QString();
    }
    void tempoClasse6()
    {
        QFETCH(int, indice);
        QFETCH(bool, existe);
        QFETCH(QString, limite);
        const auto tempo = Biblioteca::TempoClasse6(indice);
        QCOMPARE(tempo.has_value(), existe);
        if (tempo)
            QCOMPARE(*tempo, limite);
    }

    // The file format the course authors write; damage costs entries, never the program.
    void interpretar_data()
    {
        QTest::addColumn<QString>("fonte");
        QTest::addColumn<QStringList>("textos");
        QTest::addColumn<QStringList>("tempos");
        QTest::newRow("notas e separação")
            << QStringLiteral("# nota\n\n=== 1\nab cd\nef\n\n\n=== 2\ngh\n")
            << QStringList{"ab cd\r\nef\r\n", "gh\r\n"} << QStringList{"", ""};
        QTest::newRow("CR LF, marca de ordem e sem fim de linha")
            << QStringLiteral("\uFEFF=== 1\r\nab\r\n=== 2\r\ncd")
            << QStringList{"ab\r\n", "cd\r\n"} << QStringList{"", ""};
        QTest::newRow("limites de tempo")
            << QStringLiteral("=== 1 00:01:00\na\n=== 2 01:02:03\nb\n=== 3\nFim\n")
            << QStringList{"a\r\n", "b\r\n", "Fim\r\n"} << QStringList{"00:01:00", "01:02:03", ""};
        QTest::newRow("# dentro de uma entrada é texto")
            << QStringLiteral("=== 1\n# a\n") << QStringList{"# a\r\n"} << QStringList{""};
        QTest::newRow("número fora de ordem")
            << QStringLiteral("=== 1\na\n=== 3\nb\n") << QStringList{"a\r\n"} << QStringList{""};
        QTest::newRow("cabeçalho torto")
            << QStringLiteral("=== 1\na\n===2\nb\n") << QStringList{"a\r\n"} << QStringList{""};
        QTest::newRow("entrada vazia")
            << QStringLiteral("=== 1\na\n=== 2\n\n=== 3\nb\n") << QStringList{"a\r\n"} << QStringList{""};
        QTest::newRow("tempo malformado")
            << QStringLiteral("=== 1\na\n=== 2 0:01:00\nb\n") << QStringList{"a\r\n"} << QStringList{""};
        QTest::newRow("texto antes da primeira entrada")
            << QStringLiteral("abc\n=== 1\na\n") << QStringList{} << QStringList{};
        QTest::newRow("número enorme")
            << QStringLiteral("=== 99999999999\na\n") << QStringList{} << QStringList{};
        QTest::newRow("vazio") << QString() << QStringList{} << QStringList{};
    }
    void interpretar()
    {
        QFETCH(QString, fonte);
        QFETCH(QStringList, textos);
        QFETCH(QStringList, tempos);
        QStringList lidos, limites;
        for (const Biblioteca::Entrada &e : Biblioteca::Interpretar(fonte)) {
            lidos << e.texto;
            limites << e.tempo;
        }
        QCOMPARE(lidos, textos);
        QCOMPARE(limites, tempos);
    }
};

QTEST_GUILESS_MAIN(TestBiblioteca)
#include "TestBiblioteca.moc"
