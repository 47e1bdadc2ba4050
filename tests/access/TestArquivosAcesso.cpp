#include "access/ArquivoAlunos.h"
#include "access/ArquivoDatilux.h"
#include "common/Formatos.h"
#include "common/TravaArquivo.h"
#include "exercises/Progressao.h"
#include "support/Ambiente.h"
#include "support/Arquivos.h"
#include "support/LimiteArquivo.h"
#include "support/Tabela.h"

#include <QDir>
#include <QProcess>
#include <QTest>

using Id = ArquivoAlunos::Identificacao;
Q_DECLARE_METATYPE(Aluno)

namespace {

const QString kAlunos = ArquivoAlunos::kNomeArquivo;
const QString kDatilux = ArquivoDatilux::kNomeArquivo;

Aluno Novo(const QString &codigo, const QString &nome, const QString &senha = QStringLiteral("x"))
{
    Aluno a;
    a.Codigo = codigo, a.Nome = nome, a.Senha = senha, a.Classe = a.Exercicio = 1;
    return a;
}

const QByteArray kTres =
    Reg("0001", "ANA", "a", 1, 1) + Reg("0002", "BIA", "b", 2, 5) + Reg("0003", "CAIO", "c", 1, 1);

// One copy of the program in a process of its own (this test run again with "--copia"), doing one
// thing `n` times over the data folder `pasta`, as a second computer of a lab would.
int Copia(const QString &papel, const QString &pasta, int n, const QString &rotulo)
{
    Digita d(pasta);
    ArquivoAlunos arq;
    QString erro;
    if (!arq.Abrir(d.Caminho(kAlunos), erro))
        return 2;
    for (int i = 0; i < n; ++i) {
        bool ok = true;
        if (papel == "cadastrar") { // a teacher registering students, taking the next code offered
            Aluno novo = Novo(Formatar(arq.ProximoCodigo(), 4), rotulo + QString::number(i));
            ArquivoAlunos::Resultado r;
            int proximo = 0;
            while ((r = arq.Incluir(novo, proximo, erro)) == ArquivoAlunos::Resultado::Recusado)
                novo.Codigo = Formatar(proximo, 4);
            ok = r == ArquivoAlunos::Resultado::Gravado;
        } else if (papel == "alterar") { // a teacher changing student 0001's password, re-reading when refused
            Aluno lido, novo;
            std::optional<Aluno> agora;
            ArquivoAlunos::Resultado r = ArquivoAlunos::Resultado::Falha;
            do {
                ok = arq.Ler(1, lido, erro);
                novo = lido;
                novo.Senha = rotulo + QString::number(i);
            } while (ok && (r = arq.GravarSeIgual(novo, lido, agora, erro)) == ArquivoAlunos::Resultado::Recusado);
            ok = ok && r == ArquivoAlunos::Resultado::Gravado;
        } else if (papel == "avancar") { // student 0001 moving on
            if (i == 0) {
                d.NomeUsuario = QStringLiteral("ANA");
                ok = arq.Ler(1, d.AlunoAtual, erro);
                Progressao::CarregarDoRegistro(d);
            }
            const Progressao::Avanco avanco = Progressao::ProximoExercicio(d, true);
            ok = ok && avanco.Recusa.isEmpty() && avanco.Aviso.isEmpty();
            erro = avanco.Recusa + avanco.Aviso;
        } else { // the settings store: one key of its own
            ok = ArquivoDatilux::GravarConfig(d, rotulo, QString::number(i), erro);
        }
        if (!ok) {
            qWarning("%s", qPrintable(erro));
            return 1;
        }
    }
    return 0;
}

} // namespace

class TestArquivosAcesso : public QObject {
    Q_OBJECT

private slots:
    void gravarRegistro_data()
    {
        // depois: empty: refused, file unchanged
        Colunas<QByteArray, Aluno, QByteArray, QString>("antes", "aluno", "depois", "motivo");
        const QByteArray ana = Reg("0001", "ANA", "a", 3, 7, "RESERVADO!\x34\x12\xFF\xFF");
        Aluno acentos = Novo("0001", QStringLiteral("JOSÉ DA CONCEIÇÃO"), QStringLiteral("Maçã"));
        acentos.Classe = 2, acentos.Exercicio = 59;
        QTest::newRow("acentos")
            << QByteArray() << acentos
            << QByteArray("0001JOS\xC9 DA CONCEI\xC7\xC3O             Ma\xE7\xE3      \x02\x00\x3B\x00"
                          "\0\0\0\0\0\0\0\0\0\0\0\0\0\0",
                          62)
            << QString();
        QTest::newRow("nome de 31 e senha de 11")
            << QByteArray() << Novo("0001", QString(31, u'N'), QString(11, u's'))
            << Reg("0001", QByteArray(30, 'N'), QByteArray(10, 's'), 1, 1) << QString();
        Aluno reservados = ArquivoAlunos::Decodificar(ana);
        reservados.Exercicio = 8;
        QTest::newRow("reservados mantidos")
            << ana << reservados << Reg("0001", "ANA", "a", 3, 8, ana.mid(48)) << QString();
        QTest::newRow("novo apos registro cortado") << ana + "0002XX" << Novo("2", QStringLiteral("BIA"))
                                                    << ana + Reg("2   ", "BIA", "x", 1, 1) << QString();
        QTest::newRow("codigo 10000") << ana << Novo("10000", "A") << QByteArray()
                                      << ArquivoAlunos::kCadastroCompleto;
        QTest::newRow("codigo 0") << ana << Novo("0000", "A") << QByteArray() << "código de aluno inválido (0000)";
        QTest::newRow("lacuna") << ana << Novo("0003", "A") << QByteArray()
                                << "o código 0003 está além do próximo código livre (0002)";
        QTest::newRow("nome fora do 1252") << ana << Novo("0001", QStringLiteral("ŁUKASZ")) << QByteArray()
                                           << "O nome contém caracteres que o arquivo não comporta (Ł)";
        QTest::newRow("senha emoji") << ana << Novo("0001", "A", QStringLiteral("a😀")) << QByteArray()
                                     << "A senha contém";
    }
    void gravarRegistro()
    {
        BUSCAR(QByteArray, antes, Aluno, aluno, QByteArray, depois, QString, motivo);
        Ambiente amb;
        QVERIFY(amb.Gravar(kAlunos, antes));
        ArquivoAlunos arq;
        QString erro;
        QVERIFY(arq.Abrir(amb.Caminho(kAlunos), erro));
        QCOMPARE(arq.Gravar(aluno, erro), motivo.isEmpty());
        QCOMPARE(amb.Ler(kAlunos), motivo.isEmpty() ? depois : antes);
        if (!motivo.isEmpty())
            QVERIFY2(erro.startsWith("Não foi possível gravar o arquivo " + amb.Caminho(kAlunos) + ": " + motivo),
                     qPrintable(erro));
    }

    void excluirEIdentificar_data()
    {
        Colunas<QByteArray, int, int, int>("conteudo", "vagas", "codigo", "esperado");
        QTest::newRow("arquivo ausente") << QByteArray() << 0 << 1 << int(Id::NaoCadastrado);
        QTest::newRow("codigo 3 de 3") << kTres << 3 << 3 << int(Id::Aluno);
        QTest::newRow("62*3+17, codigo 4") << kTres + QByteArray(17, 'z') << 3 << 4 << int(Id::NaoCadastrado);
        QTest::newRow("61 bytes") << kTres.left(61) << 0 << 1 << int(Id::NaoCadastrado);
    }
    void excluirEIdentificar()
    {
        BUSCAR(QByteArray, conteudo, int, vagas, int, codigo, int, esperado);
        Ambiente amb;
        if (!conteudo.isEmpty())
            QVERIFY(amb.Gravar(kAlunos, conteudo));
        ArquivoAlunos arq;
        QString erro;
        QVERIFY(arq.Abrir(amb.Caminho(kAlunos), erro) && amb.Existe(kAlunos));
        QCOMPARE(arq.Quantidade(), vagas);
        Aluno aluno;
        if (vagas >= 2) { // deleting 0002 blanks its slot; the file keeps its length
            QCOMPARE(arq.ApagarSeIgual(2, std::nullopt, aluno, erro), ArquivoAlunos::Resultado::Gravado);
            QCOMPARE(amb.Ler(kAlunos), conteudo.left(62) + Reg("0002", "", "", 1, 1) + conteudo.mid(124));
        }
        QCOMPARE(arq.ProximoCodigo(), vagas + 1);
        QCOMPARE(int(arq.Identificar(codigo, aluno, erro)), esperado);
        QCOMPARE(TirarEspacos(aluno.Nome), esperado == int(Id::Aluno) ? QStringLiteral("CAIO") : QString());
    }

    // Two copies of the program on one file: a code the other copy took since this one offered it is
    // refused, with the next free one proposed; a slot it emptied is taken. (Changing and deleting over
    // the other copy's writes are the register window's, which goes through the same file calls.)
    void doisComputadores_data()
    {
        // outro: written by the other copy after this one read the file
        Colunas<int, QByteArray, bool, QByteArray>("codigo", "outro", "gravado", "depois");
        const QByteArray eva = Reg("0004", "EVA", "e", 1, 1);
        QTest::newRow("livre") << 4 << QByteArray() << true << kTres + Reg("0004", "DANI", "x", 1, 1);
        QTest::newRow("tomado pelo outro") << 4 << eva << false << kTres + eva;
        QTest::newRow("vaga apagada pelo outro")
            << 2 << Reg("0002", "", "", 1, 1) << true << ComVaga(kTres, 2, Reg("0002", "DANI", "x", 1, 1));
    }
    void doisComputadores()
    {
        BUSCAR(int, codigo, QByteArray, outro, bool, gravado);
        Ambiente amb;
        QVERIFY(amb.Gravar(kAlunos, kTres));
        ArquivoAlunos a, b;
        QString erro;
        QVERIFY(a.Abrir(amb.Caminho(kAlunos), erro) && b.Abrir(amb.Caminho(kAlunos), erro));
        QVERIFY(outro.isEmpty() || b.Gravar(ArquivoAlunos::Decodificar(outro), erro));
        int proximo = 0;
        QCOMPARE(a.Incluir(Novo(Formatar(codigo, 4), "DANI"), proximo, erro),
                 gravado ? ArquivoAlunos::Resultado::Gravado : ArquivoAlunos::Resultado::Recusado);
        QTEST(amb.Ler(kAlunos), "depois");
        if (!gravado)
            QCOMPARE(proximo, 5);
    }

    // A lock left by another copy: waited for, then reported naming the file; once it is old enough
    // to be abandoned, taken over.
    void trava_data()
    {
        // idade: of the lock file, in seconds
        Colunas<QString, int, bool>("arquivo", "idade", "gravado");
        for (const QString &arquivo : {kAlunos, kDatilux})
            for (int idade : {0, 3600})
                QTest::addRow("%s, trava %s", qPrintable(arquivo), idade ? "abandonada" : "recente")
                    << arquivo << idade << bool(idade);
    }
    void trava()
    {
        BUSCAR(QString, arquivo, int, idade, bool, gravado);
        Ambiente amb;
        const QByteArray antes = arquivo == kAlunos ? kTres : Entrada("SenhaAdm", "KORVA");
        QVERIFY(amb.Gravar(arquivo, antes));
        const QString trava = TravaArquivo::CaminhoTrava(amb.Caminho(arquivo));
        QFile t(trava);
        QVERIFY(t.open(QIODevice::WriteOnly) && t.write("4242\ndatilux\nsala-2-pc-7\n") > 0 && t.flush());
        QVERIFY(t.setFileTime(QDateTime::currentDateTime().addSecs(-idade), QFileDevice::FileModificationTime));
        t.close();
        const int espera = std::exchange(TravaArquivo::esperaMs, 50);
        QString erro;
        bool ok;
        if (arquivo == kAlunos) {
            ArquivoAlunos arq;
            ok = arq.Abrir(amb.Caminho(kAlunos), erro) && arq.Gravar(Novo("0004", "DANI"), erro);
        } else {
            ok = ArquivoDatilux::GravarConfig(amb.digita, "SenhaAdm", "NOVA", erro);
        }
        TravaArquivo::esperaMs = espera;
        QCOMPARE(ok, gravado);
        QCOMPARE(amb.Ler(arquivo) == antes, !gravado);
        QCOMPARE(QFile::exists(trava), !gravado); // someone else's lock is left alone
        if (!gravado)
            QVERIFY2(erro.startsWith("Não foi possível gravar o arquivo " + amb.Caminho(arquivo) + ": ")
                         && erro.contains("outra cópia do programa (no computador sala-2-pc-7)"),
                     qPrintable(erro));
    }

    // Two copies of the program in two processes on one folder, each doing its part many times:
    // no acknowledged write is lost.
    void doisProcessos_data()
    {
        Colunas<QString, QString>("papel1", "papel2");
        QTest::newRow("dois professores cadastram") << "cadastrar" << QStringLiteral("cadastrar");
        QTest::newRow("aluno avanca, professor troca a senha") << "avancar" << QStringLiteral("alterar");
        QTest::newRow("duas chaves do Datilux.arq") << "chave" << QStringLiteral("chave");
    }
    void doisProcessos()
    {
        BUSCAR(QString, papel1, QString, papel2);
        constexpr int n = 40;
        Ambiente amb;
        QVERIFY(amb.Gravar(kAlunos, Reg("0001", "ANA", "a", 1, 1)));
        QProcess copias[2];
        const QString rotulos[2] = {"A", "B"};
        for (int i = 0; i < 2; ++i)
            copias[i].start(QCoreApplication::applicationFilePath(),
                            {"--copia", i ? papel2 : papel1, amb.dir.path(), QString::number(n), rotulos[i]});
        for (QProcess &p : copias) {
            QVERIFY(p.waitForFinished(60000));
            QVERIFY2(p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0,
                     p.readAllStandardError().constData());
        }
        ArquivoAlunos arq;
        QString erro, valor;
        QVERIFY(arq.Abrir(amb.Caminho(kAlunos), erro));
        Aluno aluno;
        if (papel1 == "cadastrar") { // every student registered is in the file, once
            QCOMPARE(arq.Quantidade(), 1 + 2 * n);
            QSet<QString> nomes;
            for (int c = 2; c <= arq.Quantidade(); ++c) {
                QVERIFY(arq.Ler(c, aluno, erro));
                nomes.insert(TirarEspacos(aluno.Nome));
            }
            QCOMPARE(nomes.size(), 2 * n);
        } else if (papel1 == "avancar") { // every step forward and the last password, both kept
            QVERIFY(arq.Ler(1, aluno, erro));
            QCOMPARE(aluno.Exercicio, qint16(1 + n));
            QCOMPARE(TirarEspacos(aluno.Senha), "B" + QString::number(n - 1));
        } else {
            for (const QString &chave : rotulos) {
                QVERIFY(ArquivoDatilux::LerConfig(amb.digita, chave, valor, erro));
                QCOMPARE(valor, QString::number(n - 1));
            }
        }
    }

    // Truncated and oversized contents: the readers answer without touching the files (any bytes at
    // all are the fuzzers' part).
    void leitoresRobustos_data()
    {
        Colunas<QByteArray, QByteArray>("alunos", "config");
        const QByteArray alunos = Reg("0001", "ANA", "a", 1, 1) + Reg("0002", "", "", 1, 1);
        const QByteArray config = Entrada("SenhaAdm", "KORVA") + Entrada("MostrarSenha", "1");
        for (int n : {0, 2, 61, 63})
            QTest::addRow("cortado em %d", n) << alunos.left(n) << config.left(n);
        QTest::newRow("sobra") << alunos + QByteArray(1000, '#') << config + QByteArray(1000, '#');
        const QByteArray marcadores = QByteArray("#!#@#$#!#@#!#$#@").repeated(50);
        QTest::newRow("so marcadores") << marcadores << marcadores;
    }
    void leitoresRobustos()
    {
        BUSCAR(QByteArray, alunos, QByteArray, config);
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
            for (const QString &chave :
                 {ArquivoDatilux::kChaveSenhaAdm, ArquivoDatilux::kChaveMostrarSenha, QString()})
                QVERIFY(ArquivoDatilux::LerConfig(amb.digita, chave, valor, erro));
        }
        QCOMPARE(amb.Ler(kAlunos), alunos);
        QCOMPARE(amb.Ler(kDatilux), config);
    }

    // The settings store: the start-up password, writes read back, plain reads; a refusal leaves the file as it was.
    void config_data()
    {
        // antes: null: no file
        // chave: empty: the main window's start-up
        // valor: null: only read
        // lido: read back afterwards (at start-up: the password taken)
        // motivo: of a refusal
        // limite: bytes the disk takes; 0: no limit
        Colunas<QByteArray, QString, QString, QString, QByteArray, QString, int>("antes", "chave", "valor", "lido",
                                                                                 "depois", "motivo", "limite");
        const auto linha = [](const char *nome, const QByteArray &antes, const QString &chave,
                              const QString &valor, const QString &lido, const QByteArray &depois = {},
                              const QString &motivo = {},
                              int limite = 0) { // no `depois`: the file as it was
            QTest::newRow(nome) << antes << chave << valor << lido << (depois.isNull() ? antes : depois) << motivo
                                << limite;
        };
        const QByteArray korva = Entrada("SenhaAdm", "KORVA"), mostrar = Entrada("MostrarSenha", "1");
        linha("primeira execucao", {}, {}, {}, "KORVA", korva);
        linha("senha vazia: KORVA de novo", Entrada("SenhaAdm", "") + mostrar, {}, {}, "KORVA", korva + mostrar);
        linha("valor mais longo", korva, "SenhaAdm", "SEGREDO123", "SEGREDO123",
              Entrada("SenhaAdm", "SEGREDO123"));
        linha("valor mais curto", Entrada("SenhaAdm", "SEGREDO123"), "SenhaAdm", "AB", "AB",
              Entrada("SenhaAdm", "AB"));
        linha("segunda chave", korva, "MostrarSenha", "1", "1", korva + mostrar);
        linha("primeira, no lugar", korva + mostrar, "SenhaAdm", "ÇÃO", "ÇÃO",
              Entrada("SenhaAdm", "\xC7\xC3O") + mostrar);
        linha("sobra mantida", korva + "lixo", "SenhaAdm", "X", "X", Entrada("SenhaAdm", "X") + "lixo");
        for (const QString v : {"ABÜÛCD", "ÜÞ", "xÜ¿"}) // scrambled, "Ü" and the next letter make a marker
            linha(qPrintable(v), korva, "SenhaAdm", v, "KORVA", {},
                  "O valor não pode conter \"" + v.mid(v.indexOf(u'Ü'), 2) + '"');
        linha("valor fora do 1252", korva, "SenhaAdm", "aЂ", "KORVA", {},
              "O valor contém caracteres que o arquivo não comporta (Ђ)");
        linha("chave fora do 1252", korva, "Ключ", "1", "", {}, "A chave contém");
        // Room for the lock file (a few dozen bytes), not for the longer store.
        const QByteArray sobra = korva + QByteArray(400, 'x');
        linha("disco cheio", sobra, "SenhaAdm", "UMA SENHA BEM MAIS LONGA", "KORVA", {}, "arquivo grande demais",
              sobra.size() + 5);
        linha("ler: chave ausente", korva, "MostrarSenha", {}, "");
        linha("ler: arquivo ausente, criado vazio", {}, "SenhaAdm", {}, "");
        linha("ler: arquivo vazio", "", "SenhaAdm", {}, "");
        linha("ler: primeira ocorrencia", korva + Entrada("SenhaAdm", "OUTRA"), "SenhaAdm", {}, "KORVA");
        linha("ler: sobras apos a ultima", korva + Emb("VA") + "#$", "SenhaAdm", {}, "KORVA");
        linha("ler: Ü Û corta o valor",
              Entrada("SenhaAdm", "AB\xDC\xDB"
                                  "CD"),
              "SenhaAdm", {}, "AB");
        linha("ler: sem marca de fim", "#!" + Emb("SenhaAdm") + "#@" + Emb("KORVA"), "SenhaAdm", {}, "");
    }
    void config()
    {
        BUSCAR(QByteArray, antes, QString, chave, QString, valor, QByteArray, depois, QString, motivo, int,
               limite);
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

    // The store shared by two computers: a write keeps what the other one wrote since this one read
    // the store, and the start-up default never replaces a password set meanwhile.
    void configDeDoisComputadores_data()
    {
        // chave: what the first computer writes afterwards; empty: its start-up
        Colunas<QByteArray, QString, QByteArray>("antes", "chave", "depois");
        const QByteArray nova = Entrada("SenhaAdm", "NOVA"), mostrar = Entrada("MostrarSenha", "1");
        QTest::newRow("aviso marcado depois da senha nova")
            << Entrada("SenhaAdm", "KORVA") << "MostrarSenha" << nova + mostrar;
        QTest::newRow("KORVA na partida depois da senha nova") << mostrar << "" << mostrar + nova;
    }
    void configDeDoisComputadores()
    {
        BUSCAR(QByteArray, antes, QString, chave);
        Ambiente amb;
        QVERIFY(amb.Gravar(kDatilux, antes));
        Digita outro(amb.dir.path());
        QString erro, valor;
        QVERIFY(ArquivoDatilux::LerConfig(amb.digita, ArquivoDatilux::kChaveSenhaAdm, valor, erro));
        QVERIFY(ArquivoDatilux::GravarConfig(outro, ArquivoDatilux::kChaveSenhaAdm, "NOVA", erro));
        QVERIFY(chave.isEmpty() ? ArquivoDatilux::CarregarSenhaAdm(amb.digita, erro)
                                : ArquivoDatilux::GravarConfig(amb.digita, chave, "1", erro));
        QTEST(amb.Ler(kDatilux), "depois");
        QVERIFY(ArquivoDatilux::LerConfig(amb.digita, ArquivoDatilux::kChaveSenhaAdm, valor, erro));
        QCOMPARE(valor, "NOVA");
    }
};

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc == 6 && qstrcmp(argv[1], "--copia") == 0)
        return Copia(argv[2], argv[3], atoi(argv[4]), argv[5]);
    TestArquivosAcesso teste;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&teste, argc, argv);
}

#include "TestArquivosAcesso.moc"
