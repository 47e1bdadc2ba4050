#include "access/ArquivoAlunos.h"
#include "access/ArquivoDatilux.h"
#include "support/Ambiente.h"
#include "support/LimiteArquivo.h"

#include <QDir>
#include <QRandomGenerator>
#include <QTest>

using Id = ArquivoAlunos::Identificacao;
Q_DECLARE_METATYPE(Aluno)

namespace {

const QString kAlunos = ArquivoAlunos::kNomeArquivo;
const QString kDatilux = ArquivoDatilux::kNomeArquivo;

// A record as the file holds it, built by hand: code, name, password, class, exercise, 14 reserved bytes.
QByteArray Reg(const char *codigo, const QByteArray &nome, const QByteArray &senha, char classe, char exercicio,
               const QByteArray &reservado = QByteArray(14, '\0'))
{
    return codigo + nome.leftJustified(30) + senha.leftJustified(10) + classe + '\0' + exercicio + '\0' + reservado;
}

Aluno Novo(const QString &codigo, const QString &nome, const QString &senha = QStringLiteral("x"))
{
    Aluno a;
    a.Codigo = codigo, a.Nome = nome, a.Senha = senha, a.Classe = a.Exercicio = 1;
    return a;
}

QByteArray Emb(const char *texto) { return ArquivoDatilux::Embaralhar(QByteArray(texto)); }
QByteArray Entrada(const char *chave, const char *valor) { return "#!" + Emb(chave) + "#@" + Emb(valor) + "#$"; }

} // namespace

class TestArquivosAcesso : public QObject {
    Q_OBJECT

private slots:
    void gravar_registro_data()
    {
        QTest::addColumn<QByteArray>("antes");
        QTest::addColumn<Aluno>("aluno");
        QTest::addColumn<QByteArray>("depois");  // empty: refused, file unchanged
        QTest::addColumn<QString>("motivo");
        const QByteArray ana = Reg("0001", "ANA", "a", 3, 7, "RESERVADO!\x34\x12\xFF\xFF");
        Aluno acentos = Novo("0001", QStringLiteral("JOSÉ DA CONCEIÇÃO"), QStringLiteral("Maçã"));
        acentos.Classe = 2, acentos.Exercicio = 59;
        QTest::newRow("acentos") << QByteArray() << acentos
            << QByteArray("0001JOS\xC9 DA CONCEI\xC7\xC3O             Ma\xE7\xE3      \x02\x00\x3B\x00"
                          "\0\0\0\0\0\0\0\0\0\0\0\0\0\0", 62) << QString();
        QTest::newRow("nome de 31 e senha de 11") << QByteArray() << Novo("0001", QString(31, u'N'), QString(11, u's'))
                                                  << Reg("0001", QByteArray(30, 'N'), QByteArray(10, 's'), 1, 1) << QString();
        Aluno reservados = ArquivoAlunos::Decodificar(ana);
        reservados.Exercicio = 8;
        QTest::newRow("reservados mantidos") << ana << reservados << Reg("0001", "ANA", "a", 3, 8, ana.mid(48)) << QString();
        QTest::newRow("novo apos registro cortado") << ana + "0002XX" << Novo("2", QStringLiteral("BIA"))
                                                    << ana + Reg("2   ", "BIA", "x", 1, 1) << QString();
        QTest::newRow("codigo 10000") << ana << Novo("10000", "A") << QByteArray() << ArquivoAlunos::kCadastroCompleto;
        QTest::newRow("codigo 0") << ana << Novo("0000", "A") << QByteArray() << "código de aluno inválido (0000)";
        QTest::newRow("lacuna") << ana << Novo("0003", "A") << QByteArray() << "o código 0003 está além do próximo código livre (0002)";
        QTest::newRow("nome fora do 1252") << ana << Novo("0001", QStringLiteral("ŁUKASZ")) << QByteArray()
                                           << "O nome contém caracteres que o arquivo não comporta (Ł)";
        QTest::newRow("senha emoji") << ana << Novo("0001", "A", QStringLiteral("a😀")) << QByteArray() << "A senha contém";
    }
    void gravar_registro()
    {
        QFETCH(QByteArray, antes);
        QFETCH(Aluno, aluno);
        QFETCH(QByteArray, depois);
        QFETCH(QString, motivo);
        Ambiente amb;
        QVERIFY(amb.Gravar(kAlunos, antes));
        ArquivoAlunos arq;
        QString erro;
        QVERIFY(arq.Abrir(amb.Caminho(kAlunos), erro));
        QCOMPARE(arq.Gravar(aluno, erro), motivo.isEmpty());
        QCOMPARE(amb.Ler(kAlunos), motivo.isEmpty() ? depois : antes);
        if (!motivo.isEmpty())
            QVERIFY2(erro.startsWith("Não foi possível gravar o arquivo " + amb.Caminho(kAlunos) + ": " + motivo), qPrintable(erro));
    }

    void excluir_e_identificar_data()
    {
        QTest::addColumn<QByteArray>("conteudo");
        QTest::addColumn<int>("vagas");
        QTest::addColumn<int>("codigo");
        QTest::addColumn<int>("esperado");
        const QByteArray tres = Reg("0001", "ANA", "a", 1, 1) + Reg("0002", "BIA", "b", 2, 5) + Reg("0003", "CAIO", "c", 1, 1);
        QTest::newRow("arquivo ausente") << QByteArray() << 0 << 1 << int(Id::NaoCadastrado);
        QTest::newRow("codigo 0") << tres << 3 << 0 << int(Id::Administrador);
        QTest::newRow("codigo 3 de 3") << tres << 3 << 3 << int(Id::Aluno);
        QTest::newRow("codigo 4 de 3") << tres << 3 << 4 << int(Id::NaoCadastrado);
        QTest::newRow("vaga apagada") << tres << 3 << 2 << int(Id::NaoCadastrado);
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
        QVERIFY(arq.Abrir(amb.Caminho(kAlunos), erro) && amb.Existe(kAlunos));
        QCOMPARE(arq.Quantidade(), vagas);
        Aluno aluno;
        if (vagas >= 2) {  // deleting 0002 blanks its slot; the file keeps its length
            QVERIFY(arq.Apagar(2, aluno, erro));
            QCOMPARE(amb.Ler(kAlunos), conteudo.left(62) + Reg("0002", "", "", 1, 1) + conteudo.mid(124));
        }
        QCOMPARE(arq.ProximoCodigo(), vagas + 1);
        QCOMPARE(int(arq.Identificar(codigo, aluno, erro)), esperado);
        QCOMPARE(TirarEspacos(aluno.Nome), esperado == int(Id::Aluno) ? QStringLiteral("CAIO") : QString());
    }

    void dois_acessos_intercalados()
    {
        Ambiente amb;
        ArquivoAlunos a, b;
        QString erro;
        QVERIFY(a.Abrir(amb.Caminho(kAlunos), erro) && b.Abrir(amb.Caminho(kAlunos), erro));
        QVERIFY(a.Gravar(Novo("0001", "A"), erro) && b.Gravar(Novo("0002", "B"), erro));
        Aluno lido;
        for (int i = 0; i < 2000; ++i) {  // 1000 writes each, taking turns; each reads through the other handle
            ArquivoAlunos &um = i % 2 ? a : b, &outro = i % 2 ? b : a;
            Aluno aluno = Novo(i % 2 ? "0001" : "0002", QStringLiteral("ALUNO %1").arg(i).leftJustified(30),
                               QStringLiteral("x").leftJustified(10));
            aluno.Exercicio = qint16(i);
            QVERIFY(um.Gravar(aluno, erro) && outro.Ler(NumeroDoCodigo(aluno.Codigo), lido, erro));
            QCOMPARE(lido, aluno);
            QVERIFY(um.Ler(3 - NumeroDoCodigo(aluno.Codigo), lido, erro));
            QCOMPARE(lido.Exercicio, qint16(i == 0 ? 1 : i - 1));
        }
        QCOMPARE(amb.Ler(kAlunos).size(), 124);
    }

    // Truncated, oversized and random contents: the readers answer without touching the files.
    void leitores_robustos_data()
    {
        QTest::addColumn<QByteArray>("alunos");
        QTest::addColumn<QByteArray>("config");
        const QByteArray alunos = Reg("0001", "ANA", "a", 1, 1) + Reg("0002", "", "", 1, 1);
        const QByteArray config = Entrada("SenhaAdm", "KORVA") + Entrada("MostrarSenha", "1");
        for (int n : {0, 1, 2, 10, 53, 61, 63})
            QTest::addRow("cortado em %d", n) << alunos.left(n) << config.left(n);
        QTest::newRow("sobra") << alunos + QByteArray(1000, '#') << config + QByteArray(1000, '#');
        const QByteArray marcadores = QByteArray("#!#@#$#!#@#!#$#@").repeated(50);
        QTest::newRow("so marcadores") << marcadores << marcadores;
        for (int s = 1; s <= 20; ++s) {
            QRandomGenerator g(s);
            QByteArray b(int(g.bounded(1, 700)), Qt::Uninitialized);
            for (char &c : b)  // odd seeds: marker-rich bytes; even seeds: any byte
                c = s % 2 ? "#!@$\x00\xDC\xFF ab"[g.bounded(10)] : char(g.bounded(256));
            QTest::addRow("aleatorio %d", s) << b << b;
        }
    }
    void leitores_robustos()
    {
        QFETCH(QByteArray, alunos);
        QFETCH(QByteArray, config);
        Ambiente amb;
        QVERIFY(amb.Gravar(kAlunos, alunos) && amb.Gravar(kDatilux, config));
        {
            ArquivoAlunos arq;
            QString erro, valor;
            QVERIFY(arq.Abrir(amb.Caminho(kAlunos), erro));
            Aluno aluno;
            for (int n = -1; n <= arq.Quantidade() + 1; ++n) {
                arq.Identificar(n, aluno, erro);
                QCOMPARE(arq.Ler(n, aluno, erro), n >= 1 && n <= arq.Quantidade());
            }
            for (const QString &chave : {ArquivoDatilux::kChaveSenhaAdm, ArquivoDatilux::kChaveMostrarSenha, QString()})
                QVERIFY(ArquivoDatilux::LerConfig(amb.digita, chave, valor, erro));
        }
        QCOMPARE(amb.Ler(kAlunos), alunos);
        QCOMPARE(amb.Ler(kDatilux), config);
    }

    // The settings store: the start-up password, writes read back, plain reads; a refusal leaves the file as it was.
    void config_data()
    {
        QTest::addColumn<QByteArray>("antes");   // null: no file
        QTest::addColumn<QString>("chave");      // empty: the main window's start-up
        QTest::addColumn<QString>("valor");      // null: only read
        QTest::addColumn<QString>("lido");       // read back afterwards (at start-up: the password taken)
        QTest::addColumn<QByteArray>("depois");
        QTest::addColumn<QString>("motivo");     // of a refusal
        QTest::addColumn<int>("limite");         // bytes the disk takes; 0: no limit
        const auto linha = [](const char *nome, const QByteArray &antes, const QString &chave, const QString &valor,
                              const QString &lido, const QByteArray &depois = {}, const QString &motivo = {},
                              int limite = 0) {  // no `depois`: the file as it was
            QTest::newRow(nome) << antes << chave << valor << lido << (depois.isNull() ? antes : depois) << motivo
                                << limite;
        };
        const QByteArray korva = Entrada("SenhaAdm", "KORVA"), mostrar = Entrada("MostrarSenha", "1");
        linha("primeira execucao", {}, {}, {}, "KORVA", korva);
        linha("senha vazia: KORVA de novo", Entrada("SenhaAdm", "") + mostrar, {}, {}, "KORVA", korva + mostrar);
        linha("valor mais longo", korva, "SenhaAdm", "SEGREDO123", "SEGREDO123", Entrada("SenhaAdm", "SEGREDO123"));
        linha("valor mais curto", Entrada("SenhaAdm", "SEGREDO123"), "SenhaAdm", "AB", "AB", Entrada("SenhaAdm", "AB"));
        linha("segunda chave", korva, "MostrarSenha", "1", "1", korva + mostrar);
        linha("primeira, no lugar", korva + mostrar, "SenhaAdm", "ÇÃO", "ÇÃO", Entrada("SenhaAdm", "\xC7\xC3O") + mostrar);
        linha("sobra mantida", korva + "lixo", "SenhaAdm", "X", "X", Entrada("SenhaAdm", "X") + "lixo");
        for (const QString v : {"ABÜÛCD", "ÜÞ", "xÜ¿"})  // scrambled, "Ü" and the next letter make a marker
            linha(qPrintable(v), korva, "SenhaAdm", v, "KORVA", {},
                  "O valor não pode conter \"" + v.mid(v.indexOf(u'Ü'), 2) + '"');
        linha("valor fora do 1252", korva, "SenhaAdm", "aЂ", "KORVA", {},
              "O valor contém caracteres que o arquivo não comporta (Ђ)");
        linha("chave fora do 1252", korva, "Ключ", "1", "", {}, "A chave contém");
        linha("disco cheio", korva, "SenhaAdm", "UMA SENHA BEM MAIS LONGA", "KORVA", {}, "arquivo grande demais", korva.size() + 5);
        linha("ler: chave ausente", korva, "MostrarSenha", {}, "");
        linha("ler: arquivo ausente, criado vazio", {}, "SenhaAdm", {}, "");
        linha("ler: arquivo vazio", "", "SenhaAdm", {}, "");
        linha("ler: primeira ocorrencia", korva + Entrada("SenhaAdm", "OUTRA"), "SenhaAdm", {}, "KORVA");
        linha("ler: sobras apos a ultima", korva + Emb("VA") + "#$", "SenhaAdm", {}, "KORVA");
        linha("ler: Ü Û corta o valor", Entrada("SenhaAdm", "AB\xDC\xDB" "CD"), "SenhaAdm", {}, "AB");
        linha("ler: sem marca de fim", "#!" + Emb("SenhaAdm") + "#@" + Emb("KORVA"), "SenhaAdm", {}, "");
    }
    void config()
    {
        QFETCH(QByteArray, antes);
        QFETCH(QString, chave);
        QFETCH(QString, valor);
        QFETCH(QByteArray, depois);
        QFETCH(QString, motivo);
        QFETCH(int, limite);
        Ambiente amb;
        if (!antes.isNull())
            QVERIFY(amb.Gravar(kDatilux, antes));
        QString erro, lido;
        if (chave.isEmpty()) {
            QVERIFY2(ArquivoDatilux::CarregarSenhaAdm(amb.digita, erro), qPrintable(erro));
            lido = amb.digita.SenhaAdmAtual;
        } else {
            if (!valor.isNull()) {
                LimiteArquivo disco(limite ? rlim_t(limite) : RLIM_INFINITY);
                QCOMPARE(ArquivoDatilux::GravarConfig(amb.digita, chave, valor, erro), motivo.isEmpty());
            }
            const QString prefixo = "Não foi possível gravar o arquivo " + amb.Caminho(kDatilux) + ": ";
            QVERIFY2(motivo.isEmpty() || erro.startsWith(prefixo + motivo), qPrintable(erro));
            QVERIFY(ArquivoDatilux::LerConfig(amb.digita, chave, lido, erro));
        }
        QTEST(lido, "lido");
        QCOMPARE(amb.Ler(kDatilux), depois);
        // The cache is the file; after a refusal it may also be not loaded yet.
        if (motivo.isEmpty() || !amb.digita.TextoConfig.isEmpty())
            QCOMPARE(amb.digita.TextoConfig, depois);
        QCOMPARE(QDir(amb.dir.path()).entryList(QDir::Files), QStringList{kDatilux});
    }
};

QTEST_GUILESS_MAIN(TestArquivosAcesso)
#include "TestArquivosAcesso.moc"
