#include "access/ArquivoAlunos.h"
#include "access/ArquivoDados.h"
#include "access/ArquivoDatilux.h"
#include "support/Ambiente.h"
#include "support/DispositivoFalho.h"
#include "support/LimiteArquivo.h"

#include <QDir>
#include <QRandomGenerator>
#include <QTest>

using Id = ArquivoAlunos::Identificacao;
Q_DECLARE_METATYPE(Aluno)

namespace {

const QString kAlunos = ArquivoAlunos::kNomeArquivo;
const QString kDatilux = ArquivoDatilux::kNomeArquivo;

// A record as the file holds it, built by hand: code, name, password (bytes), class, exercise, 14 reserved bytes.
QByteArray Reg(const char *codigo, const QByteArray &nome, const QByteArray &senha, char classe, char exercicio,
               const QByteArray &reservado = QByteArray(14, '\0'))
{
    return QByteArray(codigo) + nome.leftJustified(30, ' ') + senha.leftJustified(10, ' ')
        + QByteArray(1, classe) + QByteArray(1, 0) + QByteArray(1, exercicio) + QByteArray(1, 0) + reservado;
}

Aluno Novo(int codigo, const QString &nome, const QString &senha = QStringLiteral("x"))
{
    Aluno a;
    a.Codigo = QString::number(codigo).rightJustified(4, u'0');
    a.Nome = nome;
    a.Senha = senha;
    a.Classe = a.Exercicio = 1;
    return a;
}

QByteArray Emb(const char *texto) { return ArquivoDatilux::Embaralhar(QByteArray(texto)); }
QByteArray Entrada(const char *chave, const char *valor) { return "#!" + Emb(chave) + "#@" + Emb(valor) + "#$"; }

// Truncated, oversized and random contents for the readers.
void ArquivosEstranhos(const QByteArray &valido)
{
    QTest::addColumn<QByteArray>("conteudo");
    QTest::newRow("vazio") << QByteArray();
    for (int n : {1, 2, 10, 53, 61, 63})
        QTest::addRow("cortado em %d", n) << valido.left(n);
    QTest::newRow("sobra") << valido + QByteArray(1000, '#');
    QTest::newRow("so marcadores") << QByteArray("#!#@#$#!#@#!#$#@").repeated(50);
    for (int s = 1; s <= 20; ++s) {
        QRandomGenerator g(s);
        QByteArray b(int(g.bounded(1, 700)), Qt::Uninitialized);
        for (char &c : b)
            c = "#!@$\x00\xDC\xFF ab"[g.bounded(10)] ^ (s % 2 ? 0 : char(g.bounded(256)));
        QTest::addRow("aleatorio %d", s) << b;
    }
}

} // namespace

class TestArquivosAcesso : public QObject {
    Q_OBJECT

private slots:
    // --- Alunos.arq -------------------------------------------------------------------------

    void registro_bytes_data()
    {
        QTest::addColumn<QByteArray>("antes");
        QTest::addColumn<Aluno>("aluno");
        QTest::addColumn<QByteArray>("depois");

        Aluno acentos = Novo(1, QStringLiteral("JOSÉ DA CONCEIÇÃO"), QStringLiteral("Maçã"));
        acentos.Classe = 2, acentos.Exercicio = 59;
        QTest::newRow("acentos") << QByteArray() << acentos
            << QByteArray("0001JOS\xC9 DA CONCEI\xC7\xC3O             Ma\xE7\xE3      \x02\x00\x3B\x00"
                          "\0\0\0\0\0\0\0\0\0\0\0\0\0\0", 62);
        QTest::newRow("nome de 31 e senha de 11") << QByteArray() << Novo(1, QString(31, u'N'), QString(11, u's'))
                                                  << Reg("0001", QByteArray(30, 'N'), QByteArray(10, 's'), 1, 1);
        Aluno reservado = ArquivoAlunos::Decodificar(Reg("0001", "ANA", "a", 3, 7, "RESERVADO!\x34\x12\xFF\xFF"));
        reservado.Exercicio = 8;
        QTest::newRow("reservados mantidos") << Reg("0001", "ANA", "a", 3, 7, "RESERVADO!\x34\x12\xFF\xFF") << reservado
                                             << Reg("0001", "ANA", "a", 3, 8, "RESERVADO!\x34\x12\xFF\xFF");
        QTest::newRow("no meio, vizinhos intactos") << Reg("0001", "A", "1", 1, 1) + Reg("0002", "B", "2", 1, 1)
                                                    << Novo(2, QStringLiteral("BIA"))
                                                    << Reg("0001", "A", "1", 1, 1) + Reg("0002", "BIA", "x", 1, 1);
        QTest::newRow("apos registro cortado") << Reg("0001", "A", "1", 1, 1) + "0002XX" << Novo(2, QStringLiteral("B"))
                                               << Reg("0001", "A", "1", 1, 1) + Reg("0002", "B", "x", 1, 1);
    }
    void registro_bytes()
    {
        QFETCH(QByteArray, antes);
        QFETCH(Aluno, aluno);
        QFETCH(QByteArray, depois);
        Ambiente amb;
        QVERIFY(amb.Gravar(kAlunos, antes));
        ArquivoAlunos arq;
        QString erro;
        QVERIFY(arq.Abrir(amb.Caminho(kAlunos), erro));
        QVERIFY2(arq.Gravar(aluno, erro), qPrintable(erro));
        QCOMPARE(amb.Ler(kAlunos), depois);
        Aluno lido;
        QVERIFY(arq.Ler(NumeroDoCodigo(aluno.Codigo), lido, erro));
        QCOMPARE(TirarEspacos(lido.Nome), TirarEspacos(aluno.Nome.left(30)));
        QCOMPARE(lido.Reservado, aluno.Reservado);
    }

    void excluir_e_identificar_data()
    {
        QTest::addColumn<QByteArray>("conteudo");
        QTest::addColumn<int>("vagas");
        QTest::addColumn<int>("codigo");
        QTest::addColumn<int>("esperado");
        const QByteArray tres = Reg("0001", "ANA", "a", 1, 1) + Reg("0002", "BIA", "b", 2, 5) + Reg("0003", "CAIO", "c", 1, 1);
        QTest::newRow("arquivo novo") << QByteArray() << 0 << 1 << int(Id::NaoCadastrado);
        QTest::newRow("codigo 0") << tres << 3 << 0 << int(Id::Administrador);
        QTest::newRow("codigo 3 de 3") << tres << 3 << 3 << int(Id::Aluno);
        QTest::newRow("codigo 4 de 3") << tres << 3 << 4 << int(Id::NaoCadastrado);
        QTest::newRow("vaga apagada") << tres << 3 << 2 << int(Id::NaoCadastrado);
        QTest::newRow("62*3+17 bytes") << tres + QByteArray(17, 'z') << 3 << 3 << int(Id::Aluno);
        QTest::newRow("62*3+17, codigo 4") << tres + QByteArray(17, 'z') << 3 << 4 << int(Id::NaoCadastrado);
        QTest::newRow("61 bytes") << tres.left(61) << 0 << 1 << int(Id::NaoCadastrado);
    }
    void excluir_e_identificar()
    {
        QFETCH(QByteArray, conteudo);
        QFETCH(int, vagas);
        QFETCH(int, codigo);
        QFETCH(int, esperado);
        Ambiente amb;
        if (!conteudo.isEmpty())
            QVERIFY(amb.Gravar(kAlunos, conteudo));
        ArquivoAlunos arq;
        QString erro;
        QVERIFY(arq.Abrir(amb.Caminho(kAlunos), erro));
        QVERIFY(amb.Existe(kAlunos));
        QCOMPARE(arq.Quantidade(), vagas);
        Aluno aluno;
        if (vagas >= 2) {
            QVERIFY(arq.Apagar(2, aluno, erro));
            QCOMPARE(amb.Ler(kAlunos).mid(62, 62), Reg("0002", "", "", 1, 1));
            QCOMPARE(amb.Ler(kAlunos).size(), conteudo.size());
        }
        QCOMPARE(arq.ProximoCodigo(), vagas + 1);
        QCOMPARE(int(arq.Identificar(codigo, aluno, erro)), esperado);
        if (esperado == int(Id::Aluno))
            QCOMPARE(TirarEspacos(aluno.Nome), QStringLiteral("CAIO"));
    }

    void gravacao_recusada_data()
    {
        QTest::addColumn<Aluno>("aluno");
        QTest::addColumn<QString>("motivo");
        QTest::newRow("codigo 10000") << Novo(10000, QStringLiteral("A")) << ArquivoAlunos::kCadastroCompleto;
        QTest::newRow("codigo 0") << Novo(0, QStringLiteral("A")) << QStringLiteral("código de aluno inválido");
        QTest::newRow("lacuna") << Novo(3, QStringLiteral("A")) << QStringLiteral("além do próximo código livre");
        QTest::newRow("nome fora do 1252") << Novo(1, QStringLiteral("ŁUKASZ")) << QStringLiteral("O nome contém");
        QTest::newRow("senha emoji") << Novo(1, QStringLiteral("A"), QStringLiteral("😀")) << QStringLiteral("A senha");
    }
    void gravacao_recusada()
    {
        QFETCH(Aluno, aluno);
        QFETCH(QString, motivo);
        Ambiente amb;
        const QByteArray antes = Reg("0001", "ANA", "a", 1, 1);
        QVERIFY(amb.Gravar(kAlunos, antes));
        ArquivoAlunos arq;
        QString erro;
        QVERIFY(arq.Abrir(amb.Caminho(kAlunos), erro));
        QVERIFY(!arq.Gravar(aluno, erro));
        QVERIFY2(erro.startsWith("Não foi possível gravar o arquivo " + amb.Caminho(kAlunos) + ": "), qPrintable(erro));
        QVERIFY2(erro.contains(motivo), qPrintable(erro));
        QCOMPARE(amb.Ler(kAlunos), antes);
    }

    void falha_do_dispositivo_chega_ao_chamador()
    {
        DispositivoFalho disco(30);
        QVERIFY(disco.open(QIODevice::ReadWrite));
        ArquivoAlunos arq;
        arq.Usar(&disco, QStringLiteral("/x/Alunos.arq"));
        QString erro;
        QVERIFY(!arq.Gravar(Novo(1, QStringLiteral("ANA")), erro));
        QCOMPARE(erro, QStringLiteral("Não foi possível gravar o arquivo /x/Alunos.arq: No space left on device"));
        Aluno aluno;
        QVERIFY(!arq.Ler(5, aluno, erro));
        QVERIFY(erro.startsWith("Não foi possível ler o arquivo /x/Alunos.arq: "));
    }

    void dois_acessos_intercalados()
    {
        Ambiente amb;
        ArquivoAlunos a, b;
        QString erro;
        QVERIFY(a.Abrir(amb.Caminho(kAlunos), erro) && b.Abrir(amb.Caminho(kAlunos), erro));
        QVERIFY(a.Gravar(Novo(1, QStringLiteral("A")), erro) && b.Gravar(Novo(2, QStringLiteral("B")), erro));
        Aluno lido;
        for (int i = 0; i < 1000; ++i) {
            ArquivoAlunos &um = i % 2 ? a : b, &outro = i % 2 ? b : a;
            const int meu = i % 2 ? 1 : 2, dele = 3 - meu;
            Aluno aluno = Novo(meu, QStringLiteral("ALUNO %1").arg(i));
            aluno.Exercicio = qint16(i);
            QVERIFY(um.Gravar(aluno, erro));
            QVERIFY(outro.Ler(meu, lido, erro));
            QCOMPARE(TirarEspacos(lido.Nome), aluno.Nome);
            QCOMPARE(lido.Exercicio, aluno.Exercicio);
            QVERIFY(um.Ler(dele, lido, erro));
            QCOMPARE(lido.Exercicio, qint16(i == 0 ? 1 : i - 1));
        }
        QCOMPARE(amb.Ler(kAlunos).size(), 124);
    }

    void leitor_de_alunos_robusto_data() { ArquivosEstranhos(Reg("0001", "ANA", "a", 1, 1) + Reg("0002", "", "", 1, 1)); }
    void leitor_de_alunos_robusto()
    {
        QFETCH(QByteArray, conteudo);
        Ambiente amb;
        QVERIFY(amb.Gravar(kAlunos, conteudo));
        {
            ArquivoAlunos arq;
            QString erro;
            QVERIFY(arq.Abrir(amb.Caminho(kAlunos), erro));
            Aluno aluno;
            for (int n = -1; n <= arq.Quantidade() + 1; ++n) {
                arq.Identificar(n, aluno, erro);
                QCOMPARE(arq.Ler(n, aluno, erro), n >= 1 && n <= arq.Quantidade());
            }
        }
        QCOMPARE(amb.Ler(kAlunos), conteudo);
    }

    // --- Datilux.arq ------------------------------------------------------------------------

    void embaralhar()
    {
        QCOMPARE(Emb("abc"), QByteArray("\x9E\x9D\x9C"));
        QCOMPARE(ArquivoDatilux::Embaralhar(Emb("#!@$ KORVA")), QByteArray("#!@$ KORVA"));
    }

    void gravar_config_data()
    {
        QTest::addColumn<QByteArray>("antes");
        QTest::addColumn<QString>("chave");
        QTest::addColumn<QString>("valor");
        QTest::addColumn<QByteArray>("depois");
        const QByteArray korva = Entrada("SenhaAdm", "KORVA");
        QTest::newRow("primeira execucao") << QByteArray() << QString() << QString() << korva;
        QTest::newRow("senha vazia: KORVA de novo") << Entrada("SenhaAdm", "") + Entrada("MostrarSenha", "1") << QString()
                                                    << QString() << korva + Entrada("MostrarSenha", "1");
        QTest::newRow("valor mais longo") << korva << "SenhaAdm" << "SEGREDO123" << Entrada("SenhaAdm", "SEGREDO123");
        QTest::newRow("valor mais curto") << Entrada("SenhaAdm", "SEGREDO123") << "SenhaAdm" << "AB"
                                          << Entrada("SenhaAdm", "AB");
        QTest::newRow("segunda chave") << korva << "MostrarSenha" << "1" << korva + Entrada("MostrarSenha", "1");
        QTest::newRow("primeira, no lugar") << korva + Entrada("MostrarSenha", "1") << "SenhaAdm" << "ÇÃO"
                                            << "#!" + Emb("SenhaAdm") + "#@" + Emb("\xC7\xC3O") + "#$" + Entrada("MostrarSenha", "1");
        QTest::newRow("sobra mantida") << korva + "lixo" << "SenhaAdm" << "X" << Entrada("SenhaAdm", "X") + "lixo";
    }
    void gravar_config()
    {
        QFETCH(QByteArray, antes);
        QFETCH(QString, chave);
        QFETCH(QString, valor);
        QFETCH(QByteArray, depois);
        Ambiente amb;
        if (!antes.isEmpty())
            QVERIFY(amb.Gravar(kDatilux, antes));
        QString erro, lido;
        if (chave.isEmpty()) {  // the start-up of the main window
            QVERIFY2(ArquivoDatilux::CarregarSenhaAdm(amb.digita, erro), qPrintable(erro));
            QCOMPARE(amb.digita.SenhaAdmAtual, ArquivoDatilux::kSenhaPadrao);
        } else {
            QVERIFY2(ArquivoDatilux::GravarConfig(amb.digita, chave, valor, erro), qPrintable(erro));
            QVERIFY(ArquivoDatilux::LerConfig(amb.digita, chave, lido, erro));
            QCOMPARE(lido, valor);
        }
        QCOMPARE(amb.Ler(kDatilux), depois);
        QCOMPARE(amb.digita.TextoConfig, depois);
    }

    void ler_config_data()
    {
        QTest::addColumn<QByteArray>("conteudo");
        QTest::addColumn<QString>("chave");
        QTest::addColumn<QString>("valor");
        const QByteArray korva = Entrada("SenhaAdm", "KORVA");
        QTest::newRow("chave ausente") << korva << "MostrarSenha" << QString();
        QTest::newRow("arquivo vazio") << QByteArray() << "SenhaAdm" << QString();
        QTest::newRow("primeira ocorrencia") << korva + Entrada("SenhaAdm", "OUTRA") << "SenhaAdm" << "KORVA";
        QTest::newRow("sobras apos a ultima") << korva + Emb("VA") + "#$" << "SenhaAdm" << "KORVA";
        QTest::newRow("Ü Û corta o valor") << Entrada("SenhaAdm", "AB\xDC\xDB" "CD") << "SenhaAdm" << "AB";
        QTest::newRow("sem marca de fim") << "#!" + Emb("SenhaAdm") + "#@" + Emb("KORVA") << "SenhaAdm" << QString();
    }
    void ler_config()
    {
        QFETCH(QByteArray, conteudo);
        QFETCH(QString, chave);
        QFETCH(QString, valor);
        Ambiente amb;
        QVERIFY(amb.Gravar(kDatilux, conteudo));
        QString lido, erro;
        QVERIFY(ArquivoDatilux::LerConfig(amb.digita, chave, lido, erro));
        QCOMPARE(lido, valor);
        QCOMPARE(amb.Ler(kDatilux), conteudo);
    }

    void arquivo_ausente_criado_vazio_e_cache()
    {
        Ambiente amb;
        QString lido, erro;
        QVERIFY(ArquivoDatilux::LerConfig(amb.digita, "SenhaAdm", lido, erro));
        QVERIFY(amb.Existe(kDatilux) && amb.Ler(kDatilux).isEmpty() && lido.isEmpty());
        // Once loaded, reads come from the cache; a write reloads the file before changing it.
        QVERIFY(amb.Gravar(kDatilux, Entrada("SenhaAdm", "A")));
        QVERIFY(ArquivoDatilux::LerConfig(amb.digita, "SenhaAdm", lido, erro) && lido == "A");
        QVERIFY(amb.Gravar(kDatilux, Entrada("SenhaAdm", "B")));
        QVERIFY(ArquivoDatilux::LerConfig(amb.digita, "SenhaAdm", lido, erro) && lido == "A");
        QVERIFY(ArquivoDatilux::GravarConfig(amb.digita, "MostrarSenha", "1", erro));
        QVERIFY(ArquivoDatilux::LerConfig(amb.digita, "SenhaAdm", lido, erro) && lido == "B");
    }

    void gravar_config_recusado_data()
    {
        QTest::addColumn<QString>("chave");
        QTest::addColumn<QString>("valor");
        QTest::addColumn<QString>("motivo");
        QTest::newRow("Ü Û") << "SenhaAdm" << "ABÜÛCD" << "O valor não pode conter \"ÜÛ\"";
        QTest::newRow("Ü Þ") << "SenhaAdm" << "ÜÞ" << "\"ÜÞ\"";
        QTest::newRow("Ü ¿") << "SenhaAdm" << "xÜ¿" << "\"Ü¿\"";
        QTest::newRow("valor fora do 1252") << "SenhaAdm" << "Ђ" << "O valor contém caracteres que o arquivo não comporta (Ђ)";
        QTest::newRow("chave fora do 1252") << "Ключ" << "1" << "A chave contém";
    }
    void gravar_config_recusado()
    {
        QFETCH(QString, chave);
        QFETCH(QString, valor);
        QFETCH(QString, motivo);
        Ambiente amb;
        const QByteArray antes = Entrada("SenhaAdm", "KORVA");
        QVERIFY(amb.Gravar(kDatilux, antes));
        QString erro;
        QVERIFY(!ArquivoDatilux::GravarConfig(amb.digita, chave, valor, erro));
        QVERIFY2(erro.startsWith("Não foi possível gravar o arquivo " + amb.Caminho(kDatilux)), qPrintable(erro));
        QVERIFY2(erro.contains(motivo), qPrintable(erro));
        QCOMPARE(amb.Ler(kDatilux), antes);
    }

    void disco_cheio_deixa_o_arquivo_antigo()
    {
        Ambiente amb;
        const QByteArray antes = Entrada("SenhaAdm", "KORVA");
        QVERIFY(amb.Gravar(kDatilux, antes));
        QString erro, motivo;
        {
            LimiteArquivo limite(antes.size() + 5);
            QVERIFY(!ArquivoDatilux::GravarConfig(amb.digita, "SenhaAdm", "UMA SENHA BEM MAIS LONGA", erro));
        }
        QVERIFY2(erro.startsWith("Não foi possível gravar o arquivo " + amb.Caminho(kDatilux) + ": "), qPrintable(erro));
        QCOMPARE(amb.Ler(kDatilux), antes);
        QCOMPARE(amb.digita.TextoConfig, antes);
        QCOMPARE(QDir(amb.dir.path()).entryList(QDir::Files), QStringList{kDatilux});

        DispositivoFalho disco(10);
        QVERIFY(disco.open(QIODevice::WriteOnly));
        QVERIFY(!ArquivoDados::EscreverTudo(disco, antes, motivo));
        QCOMPARE(motivo, QStringLiteral("No space left on device"));
    }

    void leitor_de_config_robusto_data() { ArquivosEstranhos(Entrada("SenhaAdm", "KORVA") + Entrada("MostrarSenha", "1")); }
    void leitor_de_config_robusto()
    {
        QFETCH(QByteArray, conteudo);
        Ambiente amb;
        QVERIFY(amb.Gravar(kDatilux, conteudo));
        QString valor, erro;
        for (const QString &chave : {ArquivoDatilux::kChaveSenhaAdm, ArquivoDatilux::kChaveMostrarSenha, QString()})
            QVERIFY(ArquivoDatilux::LerConfig(amb.digita, chave, valor, erro));
        QCOMPARE(amb.Ler(kDatilux), conteudo);
    }
};

QTEST_GUILESS_MAIN(TestArquivosAcesso)
#include "TestArquivosAcesso.moc"
