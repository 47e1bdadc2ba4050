#include "access/ArquivoAlunos.h"
#include "exercises/Biblioteca.h"
#include "exercises/Progressao.h"
#include "support/Ambiente.h"

#include <QDir>
#include <QTest>

namespace {

// Two students; the second, in class 2 at exercise number 59 (the last of the class).
QByteArray Registro(const char *codigo, const char *nome, char classe, char exercicio)
{
    return QByteArray(codigo) + QByteArray(nome).leftJustified(30) + QByteArray("senha").leftJustified(10)
        + QByteArray(1, classe) + QByteArray(1, 0) + QByteArray(1, exercicio) + QByteArray(1, 0) + QByteArray("reservado!\x01\x02\x03\x04");
}

struct Turma : Ambiente {
    Turma()
    {
        Gravar(ArquivoAlunos::kNomeArquivo, Registro("0001", "ANA", 1, 1) + Registro("0002", "BIA", 2, 59));
        ArquivoAlunos arq;
        QString erro;
        arq.Abrir(Caminho(ArquivoAlunos::kNomeArquivo), erro);
        arq.Ler(2, digita.AlunoAtual, erro);
        digita.NomeUsuario = QStringLiteral("BIA");
    }
};

bool ComBiblioteca() { return Biblioteca::QuantidadeEntradas(2) > 0; }

} // namespace

class TestProgressao : public QObject {
    Q_OBJECT

private slots:
    void carregar_data()
    {
        QTest::addColumn<int>("classe");
        QTest::addColumn<int>("indice");
        QTest::addColumn<bool>("carregado");
        QTest::addColumn<bool>("temTexto");
        QTest::addColumn<QString>("lblExercicio");
        QTest::addColumn<QString>("lblClasse");
        QTest::newRow("classe 0: texto mantido") << 0 << 0 << true << false << " 001" << " 00";
        QTest::newRow("classe 7: texto mantido") << 7 << 11 << true << false << " 012" << " 07";
        QTest::newRow("classe 1, primeiro") << 1 << 0 << true << true << " 001" << " 01";
        QTest::newRow("classe 2, aviso") << 2 << 59 << true << true << " 060" << " 02";
        QTest::newRow("classe 2, alem do aviso") << 2 << 60 << false << false << QString() << QString();
        QTest::newRow("classe 6, com tempo") << 6 << 0 << true << true << " 001" << " 06";
        QTest::newRow("classe 6, aviso sem tempo") << 6 << 14 << true << true << " 015" << " 06";
    }
    void carregar()
    {
        QFETCH(int, classe);
        QFETCH(int, indice);
        QFETCH(bool, carregado);
        QFETCH(bool, temTexto);
        QFETCH(QString, lblExercicio);
        QFETCH(QString, lblClasse);
        if ((classe >= 1 && classe <= 6) && !ComBiblioteca())
            QSKIP("the course data is not built in yet");
        Ambiente amb;
        amb.digita.ClasseAtual = qint16(classe);
        amb.digita.ExercicioAtual = qint16(indice);
        const Progressao::Carga carga = Progressao::CarregarExercicio(amb.digita);
        QCOMPARE(carga.Carregado, carregado);
        QCOMPARE(carga.Mensagem, carregado ? QString() : Progressao::kExercicioNaoExistente);
        QCOMPARE(carga.Texto.has_value(), temTexto);
        QCOMPARE(carga.LblExercicio, lblExercicio);
        QCOMPARE(carga.LblClasse, lblClasse);
        if (temTexto)
            QCOMPARE(carga.Texto, Biblioteca::Texto(classe, indice));
        QCOMPARE(carga.Tempo.has_value(), classe == 6 && carregado);
        if (carga.Tempo)
            QCOMPARE(carga.Tempo->isEmpty(), indice == 14);
    }

    void proximo_recusado_data()
    {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<bool>("concluido");
        QTest::addColumn<QString>("mensagem");
        QTest::newRow("administrador") << Digita::kAdministrador << true << Progressao::kSomenteAluno;
        QTest::newRow("administrador antes de concluir") << Digita::kAdministrador << false << Progressao::kSomenteAluno;
        QTest::newRow("antes de concluir") << "BIA" << false
                                           << "Mudança de exercício permitida somente\rapós conclusão do exercício atual!";
        QTest::newRow("arquivo impossivel de abrir") << "BIA" << true << "Não foi possível abrir o arquivo ";
    }
    void proximo_recusado()
    {
        QFETCH(QString, nome);
        QFETCH(bool, concluido);
        QFETCH(QString, mensagem);
        Turma t;
        t.digita.NomeUsuario = nome;
        Progressao::CarregarDoRegistro(t.digita);
        QByteArray antes = t.Ler(ArquivoAlunos::kNomeArquivo);
        if (concluido) {  // a folder in the file's place
            QVERIFY(QFile::remove(t.Caminho(ArquivoAlunos::kNomeArquivo)));
            QVERIFY(QDir(t.dir.path()).mkdir(ArquivoAlunos::kNomeArquivo));
            antes.clear();
        }
        const Aluno aluno = t.digita.AlunoAtual;
        const Progressao::Avanco avanco = Progressao::ProximoExercicio(t.digita, concluido);
        QVERIFY2(avanco.Recusa.startsWith(mensagem), qPrintable(avanco.Recusa));
        if (concluido && nome != Digita::kAdministrador)
            QVERIFY(avanco.Recusa.contains(t.Caminho(ArquivoAlunos::kNomeArquivo)));
        QVERIFY(!avanco.Exercicio);
        QCOMPARE(t.digita.ExercicioAtual, qint16(58));
        QCOMPARE(t.digita.AlunoAtual, aluno);
        QCOMPARE(t.Ler(ArquivoAlunos::kNomeArquivo), antes);
    }

    void fim_da_classe_2()
    {
        Turma t;
        const QByteArray ana = t.Ler(ArquivoAlunos::kNomeArquivo).left(62);
        const Progressao::Carga inicio = Progressao::CarregarDoRegistro(t.digita);
        QCOMPARE((std::pair(t.digita.ClasseAtual, t.digita.ExercicioAtual)), (std::pair<qint16, qint16>(2, 58)));
        QCOMPARE(inicio.LblExercicio, ComBiblioteca() ? QStringLiteral(" 059") : QString());
        // Each step stores the new place first; past the notice the load fails but the step counts.
        const struct { char exercicio; bool carregado; } passos[] = {{60, true}, {61, false}, {62, false}};
        for (const auto &passo : passos) {
            const Progressao::Avanco avanco = Progressao::ProximoExercicio(t.digita, true);
            QVERIFY2(avanco.Recusa.isEmpty(), qPrintable(avanco.Recusa));
            QCOMPARE(t.Ler(ArquivoAlunos::kNomeArquivo), ana + Registro("0002", "BIA", 2, passo.exercicio));
            QCOMPARE(t.digita.ExercicioAtual, qint16(passo.exercicio - 1));
            if (!ComBiblioteca())
                continue;
            QCOMPARE(avanco.Exercicio->Carregado, passo.carregado);
            if (passo.carregado)
                QVERIFY(avanco.Exercicio->Texto->startsWith(QStringLiteral("Fim da Classe 02")));
            else
                QCOMPARE(avanco.Exercicio->Mensagem, Progressao::kExercicioNaoExistente);
        }
    }

    void escolher_grava_antes_de_carregar()
    {
        Turma t;
        t.digita.ClasseAtual = 7;
        t.digita.ExercicioAtual = 11;
        const Progressao::Avanco avanco = Progressao::EscolherExercicio(t.digita);
        QVERIFY(avanco.Recusa.isEmpty());
        QCOMPARE(t.Ler(ArquivoAlunos::kNomeArquivo).mid(62), Registro("0002", "BIA", 7, 12));
        QCOMPARE(avanco.Exercicio->LblExercicio, QStringLiteral(" 012"));
        QCOMPARE(avanco.Exercicio->LblClasse, QStringLiteral(" 07"));
    }
};

QTEST_GUILESS_MAIN(TestProgressao)
#include "TestProgressao.moc"
