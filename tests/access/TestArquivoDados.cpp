#include "access/ArquivoAlunos.h"
#include "common/ArquivoDados.h"
#include "common/PastaDados.h"
#include "support/LimiteArquivo.h"
#include "support/ProgramaNucleo.h"
#include "support/Tabela.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <optional>

namespace {

// While it exists, a test run as root acts as an ordinary account (nobody), so that the kernel's
// permission checks apply to it as they do to a student.
struct ContaComum {
    const bool trocou = geteuid() == 0 && setegid(65534) == 0 && seteuid(65534) == 0;
    ~ContaComum()
    {
        if (trocou && seteuid(0) == 0)
            QVERIFY(setegid(0) == 0);
    }
};

} // namespace

class TestArquivoDados : public QObject {
    Q_OBJECT

private slots:
    // Every file error names the file and gives the system's reason in Portuguese.
    void motivos_data()
    {
        Colunas<QString, QString>("caso", "motivo");
        const auto linha = [](const char *nome, const char *caso, const char *motivo) {
            QTest::newRow(nome) << QString(caso) << QString(motivo);
        };
        linha("ler uma pasta", "pasta", "é uma pasta");
        linha("gravar sobre uma pasta", "gravar pasta", "é uma pasta");
        linha("sem permissao", "sem permissao", "permissão negada");
        linha("pasta inexistente", "pasta inexistente", "arquivo ou pasta inexistente");
        linha("disco cheio", "limite", "arquivo grande demais");
        // Reasons only a real disk or mount gives, as Qt reports them.
        linha("somente leitura", "EROFS", "sistema de arquivos somente para leitura");
        linha("sem espaco", "ENOSPC", "não há espaço no disco");
        linha("ja em portugues", "gravação incompleta", "gravação incompleta");
    }
    void motivos()
    {
        BUSCAR(QString, caso, QString, motivo);
        QTemporaryDir dir;
        const QString caminho = dir.filePath(QStringLiteral("Datilux.arq"));
        QString erro;
        QByteArray dados;
        if (caso == u"pasta") {
            QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Datilux.arq")));
            QVERIFY(!ArquivoDados::LerArquivo(caminho, dados, erro));
        } else if (caso == u"gravar pasta") {
            QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Datilux.arq")));
            QVERIFY(!ArquivoDados::SalvarInteiro(caminho, "x", erro));
        } else if (caso == u"sem permissao") {
            QVERIFY(QFile(caminho).open(QIODevice::WriteOnly));
            QFile::setPermissions(caminho, {});
            QVERIFY(chmod(QFile::encodeName(dir.path()).constData(), 0755) == 0);
            ContaComum conta;
            QVERIFY(!ArquivoDados::LerArquivo(caminho, dados, erro));
        } else if (caso == u"pasta inexistente") {
            QVERIFY(!ArquivoDados::SalvarInteiro(dir.filePath(QStringLiteral("nada/Datilux.arq")), "x", erro));
        } else if (caso == u"limite") {
            LimiteArquivo disco(4);
            QVERIFY(!ArquivoDados::SalvarInteiro(caminho, "mais de quatro bytes", erro));
        } else {
            const int codigo = caso == u"EROFS" ? EROFS : caso == u"ENOSPC" ? ENOSPC : 0;
            erro = ArquivoDados::ErroGravar(caminho, codigo ? qt_error_string(codigo) : caso);
        }
        QVERIFY2(erro.startsWith(QStringLiteral("Não foi possível ")), qPrintable(erro));
        QVERIFY2(erro.endsWith(QStringLiteral(": ") + motivo), qPrintable(erro));
    }

    // Files the program creates are shared with the folder's group and nobody else, whatever the
    // umask; a replacement keeps the mode and group of the file it replaces.
    void permissoes_data()
    {
        // como: salvar, criar, alunos
        // mascara: umask
        // setgid: the folder's set-group-ID bit
        // modoAnterior: of the file replaced; 0: a new file
        Colunas<QString, int, bool, int, int>("como", "mascara", "setgid", "modoAnterior", "modo");
        QTest::newRow("novo, umask 0077") << "salvar" << 0077 << false << 0 << 0660;
        QTest::newRow("vazio, umask 0022") << "criar" << 0022 << false << 0 << 0660;
        QTest::newRow("cadastro novo, umask 0077") << "alunos" << 0077 << false << 0 << 0660;
        QTest::newRow("pasta setgid") << "salvar" << 0022 << true << 0 << 0660;
        QTest::newRow("substituicao mantem 0640") << "salvar" << 0077 << false << 0640 << 0640;
        QTest::newRow("substituicao mantem 0660") << "salvar" << 0022 << true << 0660 << 0660;
    }
    void permissoes()
    {
        BUSCAR(QString, como, int, mascara, bool, setgid, int, modoAnterior, int, modo);
        QTemporaryDir dir;
        const QString caminho =
            dir.filePath(como == u"alunos" ? ArquivoAlunos::kNomeArquivo : QStringLiteral("Datilux.arq"));
        // As root the folder and the old file get groups of their own, so that keeping them shows.
        const bool root = geteuid() == 0;
        const gid_t grupoPasta = root ? 4242 : getegid();
        const gid_t grupoAnterior = root ? 4343 : getegid();
        QVERIFY(!root || chown(QFile::encodeName(dir.path()).constData(), uid_t(-1), grupoPasta) == 0);
        QVERIFY(chmod(QFile::encodeName(dir.path()).constData(), setgid ? 02770 : 0770) == 0);
        if (modoAnterior) {
            QVERIFY(QFile(caminho).open(QIODevice::WriteOnly));
            QVERIFY(chmod(QFile::encodeName(caminho).constData(), mode_t(modoAnterior)) == 0);
            QVERIFY(!root || chown(QFile::encodeName(caminho).constData(), uid_t(-1), grupoAnterior) == 0);
        }
        QString erro;
        const mode_t antes = umask(mode_t(mascara));
        ArquivoAlunos alunos;
        const bool ok = como == u"salvar"  ? ArquivoDados::SalvarInteiro(caminho, "dados", erro)
                        : como == u"criar" ? ArquivoDados::CriarSeAusente(caminho, erro)
                                           : alunos.Abrir(caminho, erro);
        umask(antes);
        QVERIFY2(ok, qPrintable(erro));
        struct stat st {};
        QCOMPARE(stat(QFile::encodeName(caminho).constData(), &st), 0);
        QCOMPARE(int(st.st_mode & 07777), modo);
        QCOMPARE(st.st_gid, modoAnterior ? grupoAnterior : grupoPasta);
    }

    // Left-overs of a write cut short go at start-up once they are old; young ones and anything
    // else of the folder stay.
    void temporarios_data()
    {
        Colunas<QString, int, bool>("nome", "minutos", "removido");
        QTest::newRow("antigo") << "Datilux.arq.Ab12Cd" << 11 << true;
        QTest::newRow("cadastro antigo") << "Alunos.arq.q9ZzX0" << 600 << true;
        QTest::newRow("recente") << "Datilux.arq.Ab12Cd" << 9 << false;
        QTest::newRow("o proprio arquivo") << "Config.arq" << 600 << false;
        QTest::newRow("trava") << "Alunos.arq.lock" << 600 << false;
        QTest::newRow("copia feita a mao") << "Alunos.arq.backup" << 600 << false;
        QTest::newRow("outro programa") << "notas.txt.Ab12Cd" << 600 << false;
    }
    void temporarios()
    {
        BUSCAR(QString, nome, int, minutos, bool, removido);
        QTemporaryDir dir;
        QFile arquivo(dir.filePath(nome));
        QVERIFY(arquivo.open(QIODevice::WriteOnly));
        const QDateTime agora = QDateTime::currentDateTimeUtc();
        QVERIFY(arquivo.setFileTime(agora.addSecs(-60 * minutos), QFileDevice::FileModificationTime));
        arquivo.close();
        QCOMPARE(ArquivoDados::LimparTemporarios(dir.path(), agora), removido ? QStringList{nome} : QStringList{});
        QCOMPARE(arquivo.exists(), !removido);
    }

    // The data folder: the option, then the environment, then the installation's default, then the
    // program's folder.
    void pastaDados_data()
    {
        Colunas<QStringList, QString, QString, QString>("argumentos", "ambiente", "padrao", "pasta");
        const auto linha = [](const char *nome, const QStringList &argumentos, const char *ambiente,
                              const char *padrao, const QString &pasta) {
            QTest::newRow(nome) << argumentos << QString(ambiente) << QString(padrao) << pasta;
        };
        const QStringList nenhum{"datilux"};
        linha("pasta do programa", nenhum, "", "", "/opt/d/bin");
        linha("padrao da instalacao", nenhum, "", "/var/lib/datilux", "/var/lib/datilux");
        linha("ambiente", nenhum, "/srv/lab", "/var/lib/datilux", "/srv/lab");
        linha("opcao", {"datilux", "--dados", "/mnt/x/"}, "/srv/lab", "/var/lib/datilux", "/mnt/x");
        linha("opcao com =", {"datilux", "--dados=/mnt/y"}, "", "", "/mnt/y");
        linha("relativa", {"datilux", "--dados", "rel"}, "", "", QDir::current().absoluteFilePath("rel"));
        linha("opcao sem valor", {"datilux", "--dados"}, "/srv/lab", "", "/srv/lab");
    }
    void pastaDados()
    {
        BUSCAR(QStringList, argumentos, QString, ambiente, QString, padrao);
        QTEST(PastaDados::Escolher(argumentos, ambiente, padrao, QStringLiteral("/opt/d/bin")), "pasta");
    }

    // A data folder the program cannot use is named, with the reason, before anything runs.
    void problemaPasta_data()
    {
        Colunas<QString, QString>("caso", "inicio");
        QTest::newRow("boa") << "boa" << QString();
        QTest::newRow("inexistente") << "inexistente" << QStringLiteral("A pasta de dados %1 não existe.");
        QTest::newRow("arquivo") << "arquivo" << QStringLiteral("A pasta de dados %1 não é uma pasta.");
        QTest::newRow("sem permissao") << "somente leitura"
                                       << QStringLiteral(
                                              "Não é possível gravar na pasta de dados %1: permissão negada.");
    }
    void problemaPasta()
    {
        BUSCAR(QString, caso, QString, inicio);
        QTemporaryDir dir;
        QString pasta = dir.filePath(QStringLiteral("dados"));
        if (caso == u"boa" || caso == u"somente leitura")
            QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("dados")));
        if (caso == u"arquivo")
            QVERIFY(QFile(pasta).open(QIODevice::WriteOnly));
        if (caso == u"somente leitura") {
            QVERIFY(chmod(QFile::encodeName(dir.path()).constData(), 0755) == 0);
            QVERIFY(chmod(QFile::encodeName(pasta).constData(), 0555) == 0);
        }
        std::optional<ContaComum> conta;
        if (caso == u"somente leitura")
            conta.emplace();
        const QString problema = PastaDados::Problema(pasta);
        conta.reset();
        QCOMPARE(problema.isEmpty(), inicio.isEmpty());
        QVERIFY2(inicio.isEmpty() || problema.startsWith(inicio.arg(pasta)), qPrintable(problema));
    }
};

DATILUX_TESTE_NUCLEO(TestArquivoDados)
#include "TestArquivoDados.moc"
