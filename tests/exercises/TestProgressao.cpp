#include "access/ArquivoAlunos.h"
#include "exercises/Biblioteca.h"
#include "exercises/Progressao.h"
#include "support/Ambiente.h"
#include "support/Arquivos.h"
#include "support/ProgramaNucleo.h"
#include "support/Tabela.h"

#include <QDir>
#include <QTest>

namespace {

// With reserved bytes of its own, which no step may lose.
QByteArray Registro(const char *codigo, const char *nome, char classe, char exercicio, const char *senha = "senha")
{
    return Reg(codigo, nome, senha, classe, exercicio, "reservado!\x01\x02\x03\x04");
}
const QByteArray kAna = Registro("0001", "ANA", 1, 1);

// Two students; the second, logged in, is in class 2 at exercise number 59 (the last of the class).
struct Turma : Ambiente {
    Turma()
    {
        Gravar(ArquivoAlunos::kNomeArquivo, kAna + Registro("0002", "BIA", 2, 59));
        digita.AlunoAtual = ArquivoAlunos::Decodificar(Registro("0002", "BIA", 2, 59));
        digita.NomeUsuario = QStringLiteral("BIA");
    }
};

} // namespace

class TestProgressao : public QObject {
    Q_OBJECT

private slots:
    void carregar_data()
    {
        // rotulos: LblExercicio | LblClasse; "|" alone: not loaded
        Colunas<int, int, QString>("classe", "indice", "rotulos");
        QTest::newRow("classe 0: texto mantido") << 0 << 0 << " 001| 00";
        QTest::newRow("classe 7: texto mantido") << 7 << 11 << " 012| 07";
        QTest::newRow("classe 1, primeiro") << 1 << 0 << " 001| 01";
        QTest::newRow("classe 2, aviso") << 2 << 59 << " 060| 02";
        QTest::newRow("classe 2, alem do aviso") << 2 << 60 << "|";
        QTest::newRow("classe 6, com tempo") << 6 << 0 << " 001| 06";
        QTest::newRow("classe 6, aviso sem tempo") << 6 << 14 << " 015| 06";
    }
    void carregar()
    {
        BUSCAR(int, classe, int, indice, QString, rotulos);
        const bool carregado = rotulos != "|";
        Ambiente amb;
        amb.digita.ClasseAtual = qint16(classe);
        amb.digita.ExercicioAtual = qint16(indice);
        const Progressao::Carga carga = Progressao::CarregarExercicio(amb.digita);
        QCOMPARE(carga.Carregado, carregado);
        QCOMPARE(carga.Mensagem, carregado ? QString() : Progressao::kExercicioNaoExistente);
        QCOMPARE(carga.LblExercicio + '|' + carga.LblClasse, rotulos);
        // Outside the course there is no text to load: the passage stays as it is.
        const bool daBiblioteca = carregado && classe >= 1 && classe <= 6;
        QCOMPARE(carga.Texto, daBiblioteca ? Biblioteca::Texto(classe, indice) : std::nullopt);
        QCOMPARE(carga.Tempo, daBiblioteca && classe == 6 ? Biblioteca::TempoClasse6(indice) : std::nullopt);
    }

    // Refused in order (the administrator first), or a record that cannot be written: nothing moves.
    void proximoRecusado_data()
    {
        Colunas<QString, bool, QString>("nome", "concluido", "mensagem");
        QTest::newRow("administrador") << Digita::kAdministrador << true << Progressao::kSomenteAluno;
        QTest::newRow("administrador sem concluir")
            << Digita::kAdministrador << false << Progressao::kSomenteAluno;
        QTest::newRow("sem concluir")
            << "BIA" << false << "Mudança de exercício permitida somente\rapós conclusão do exercício atual!";
        QTest::newRow("arquivo impossivel de abrir") << "BIA" << true << "Não foi possível abrir o arquivo ";
    }
    void proximoRecusado()
    {
        BUSCAR(QString, nome, bool, concluido, QString, mensagem);
        Turma t;
        t.digita.NomeUsuario = nome;
        Progressao::CarregarDoRegistro(t.digita);
        if (concluido) { // a folder in the file's place
            QVERIFY(QFile::remove(t.Caminho(ArquivoAlunos::kNomeArquivo)));
            QVERIFY(QDir(t.dir.path()).mkdir(ArquivoAlunos::kNomeArquivo));
        }
        const QByteArray antes = t.Ler(ArquivoAlunos::kNomeArquivo);
        const Aluno aluno = t.digita.AlunoAtual;
        const Progressao::Avanco avanco = Progressao::ProximoExercicio(t.digita, concluido);
        QVERIFY2(avanco.Recusa.startsWith(mensagem), qPrintable(avanco.Recusa));
        QCOMPARE(avanco.Recusa.contains(t.Caminho(ArquivoAlunos::kNomeArquivo)), concluido && nome == "BIA");
        QVERIFY(!avanco.Exercicio);
        QCOMPARE(t.digita.ExercicioAtual, qint16(58));
        QCOMPARE(t.digita.AlunoAtual, aluno);
        QCOMPARE(t.Ler(ArquivoAlunos::kNomeArquivo), antes);
    }

    // Each step stores the new place before loading it: the notice, then past it a failed load that
    // still counts; the chooser's command stores its choice the same way.
    void gravaAntesDeCarregar()
    {
        Turma t;
        Progressao::CarregarDoRegistro(t.digita);
        QCOMPARE((std::pair(t.digita.ClasseAtual, t.digita.ExercicioAtual)), (std::pair<qint16, qint16>(2, 58)));
        for (char exercicio : {60, 61, 62}) {
            const Progressao::Avanco avanco = Progressao::ProximoExercicio(t.digita, true);
            QVERIFY2(avanco.Recusa.isEmpty(), qPrintable(avanco.Recusa));
            QCOMPARE(t.Ler(ArquivoAlunos::kNomeArquivo), kAna + Registro("0002", "BIA", 2, exercicio));
            QCOMPARE(t.digita.ExercicioAtual, qint16(exercicio - 1));
            QCOMPARE(avanco.Exercicio->Carregado, exercicio == 60);
            QCOMPARE(avanco.Exercicio->Texto.value_or("").startsWith("Fim da Classe 02"), exercicio == 60);
            QCOMPARE(avanco.Exercicio->Mensagem, exercicio == 60 ? QString() : Progressao::kExercicioNaoExistente);
        }

        t.digita.ClasseAtual = 7;
        t.digita.ExercicioAtual = 11;
        const Progressao::Avanco escolha = Progressao::EscolherExercicio(t.digita, 2, 61);
        QVERIFY(escolha.Recusa.isEmpty());
        QCOMPARE(t.Ler(ArquivoAlunos::kNomeArquivo), kAna + Registro("0002", "BIA", 7, 12));
        QCOMPARE(escolha.Exercicio->LblExercicio + escolha.Exercicio->LblClasse, QStringLiteral(" 012 07"));
    }

    // Another computer changed BIA's record after she logged in here, and she moves on (or the
    // teacher's chooser stores a place): only class and exercise are written, and only over her own
    // record at the place on screen; otherwise nothing is written.
    void outroComputador_data()
    {
        // escolha: the chooser's command (class 2, exercise 20) instead of moving on
        // outro: BIA's slot as the other computer left it; depois: her slot afterwards
        // mensagem: the refusal, or the notice after loading the record's place
        // rotulos: loaded: LblExercicio | LblClasse
        Colunas<bool, QByteArray, QByteArray, QString, QString>("escolha", "outro", "depois", "mensagem",
                                                                "rotulos");
        const QByteArray nova = Registro("0002", "BIA", 2, 59, "nova");
        const QString mudou = Progressao::CadastroMudou("0002", "BIA");
        QTest::newRow("senha nova mantida") << false << nova << Registro("0002", "BIA", 2, 60, "nova") << ""
                                            << " 060| 02";
        QTest::newRow("escolha: senha nova mantida")
            << true << nova << Registro("0002", "BIA", 2, 20, "nova") << ""
            << " 020| 02";
        QTest::newRow("nome corrigido")
            << false << Registro("0002", "BIA S", 2, 59) << QByteArray() << mudou << "";
        QTest::newRow("excluida") << false << Registro("0002", "", 1, 1, "") << QByteArray() << mudou << "";
        QTest::newRow("escolha: outro aluno no codigo")
            << true << Registro("0002", "CAIO", 1, 1) << QByteArray() << mudou << "";
        QTest::newRow("mudada de classe") << false << Registro("0002", "BIA", 3, 5, "nova") << QByteArray()
                                          << Progressao::LugarMudou(3, 5) << " 005| 03";
        QTest::newRow("avancou em outro computador") << false << Registro("0002", "BIA", 2, 60) << QByteArray()
                                                     << Progressao::LugarMudou(2, 60) << " 060| 02";
    }
    void outroComputador()
    {
        BUSCAR(bool, escolha, QByteArray, outro, QByteArray, depois, QString, mensagem, QString, rotulos);
        Turma t;
        Progressao::CarregarDoRegistro(t.digita);
        QVERIFY(t.Gravar(ArquivoAlunos::kNomeArquivo, kAna + outro));
        const Aluno logada = t.digita.AlunoAtual;
        Progressao::Avanco avanco;
        if (escolha) {
            t.digita.ExercicioAtual = 19;
            avanco = Progressao::EscolherExercicio(t.digita, 2, 58);
        } else {
            avanco = Progressao::ProximoExercicio(t.digita, true);
        }
        if (depois.isEmpty())
            depois = outro; // nothing written
        QCOMPARE(t.Ler(ArquivoAlunos::kNomeArquivo), kAna + depois);
        QCOMPARE(avanco.Recusa + avanco.Aviso, mensagem);
        QCOMPARE(avanco.Exercicio.has_value(), !rotulos.isEmpty());
        if (avanco.Exercicio) { // the place loaded is the one the record holds, and memory agrees with it
            QCOMPARE(avanco.Exercicio->LblExercicio + '|' + avanco.Exercicio->LblClasse, rotulos);
            QCOMPARE(t.digita.AlunoAtual, ArquivoAlunos::Decodificar(depois));
            QCOMPARE(t.digita.ExercicioAtual + 1, int(t.digita.AlunoAtual.Exercicio));
        } else { // not stored, so not moved: the chooser's place goes back to the one on screen
            QCOMPARE(t.digita.AlunoAtual, logada);
            QCOMPARE((std::pair(t.digita.ClasseAtual, t.digita.ExercicioAtual)),
                     (std::pair<qint16, qint16>(2, 58)));
        }
    }
};

DATILUX_TESTE_NUCLEO(TestProgressao)
#include "TestProgressao.moc"
