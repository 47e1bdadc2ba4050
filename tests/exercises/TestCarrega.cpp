#include "access/ArquivoAlunos.h"
#include "access/InfoSenha.h"
#include "common/Mensagem.h"
#include "controls/SpCombo/SpCombo.h"
#include "exercises/Carrega.h"
#include "support/Ambiente.h"
#include "support/DialogoModal.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

const QString kNaoExiste = QStringLiteral("Exercício não existe!");
const QString kSomenteAluno = QStringLiteral("Opção permitida somente com senha de aluno!");

QByteArray Registro(const char *codigo, const char *nome, char classe, char exercicio)
{
    return codigo + QByteArray(nome).leftJustified(30) + QByteArray("senha").leftJustified(10) + QByteArray(1, classe)
        + QByteArray(1, 0) + QByteArray(1, exercicio) + QByteArray(1, 0) + QByteArray("reservado!\x01\x02\x03\x04");
}
const QByteArray kAna = Registro("0001", "ANA", 1, 1);

QWidget *Foco() { return QApplication::focusWidget(); }

// Types into whatever has the focus, through the application's filters as a person's keys go:
// '\n' is Enter, '\b' Backspace, '\t' Tab.
void Teclar(const QString &texto)
{
    for (QChar c : texto) {
        QWidget *foco = Foco();
        QVERIFY2(foco, "nothing has the focus");
        if (c == u'\n')
            QTest::keyClick(foco, Qt::Key_Return);
        else if (c == u'\b')
            QTest::keyClick(foco, Qt::Key_Backspace);
        else if (c == u'\t')
            QTest::keyClick(foco, Qt::Key_Tab);
        else
            QTest::keyClick(foco, char(c.unicode()));
    }
}

SpCombo *Combo(QWidget *janela, const char *nome) { return janela->findChild<SpCombo *>(QLatin1String(nome)); }
QWidget *Caixa(QWidget *janela, const char *nome) { return Combo(janela, nome)->findChild<QLineEdit *>("TxtAux"); }

QStringList Numeros(int quantidade)
{
    QStringList lista;
    for (int i = 1; i <= quantidade; ++i)
        lista << QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0'));
    return lista;
}

bool EsperarFocoEm(QWidget *janela)
{
    return QTest::qWaitFor([janela] { return Foco() && Foco()->window() == janela; });
}

} // namespace

class TestCarrega : public QObject {
    Q_OBJECT

    std::unique_ptr<Ambiente> amb_;
    std::unique_ptr<Mensagem::Gravador> msgs_;
    int timersDoApp_ = 0;

    Digita &D() { return amb_->digita; }

    // BIA, code 0002, is logged in with her own place loaded; ANA is the first record.
    void Aluna(char classe, char exercicio)
    {
        QVERIFY(amb_->Gravar(ArquivoAlunos::kNomeArquivo, kAna + Registro("0002", "BIA", classe, exercicio)));
        D().AlunoAtual = ArquivoAlunos::Decodificar(Registro("0002", "BIA", classe, exercicio));
        D().NomeUsuario = QStringLiteral("BIA");
        D().ClasseAtual = classe;
        D().ExercicioAtual = qint16(exercicio - 1);
    }

    // Shown as the command shows it, with the focus where a person finds it: on the class box.
    std::unique_ptr<Carrega> Abrir()
    {
        auto janela = std::make_unique<Carrega>(D());
        janela->show();
        if (!QTest::qWaitForWindowActive(janela.get()))
            return nullptr;
        QWidget *classe = Caixa(janela.get(), "TxtClasse");
        if (!QTest::qWaitFor([&] { return Foco() == classe; }))
            return nullptr;
        return janela;
    }

private slots:
    void initTestCase() { timersDoApp_ = int(qApp->findChildren<QTimer *>(Qt::FindDirectChildrenOnly).size()); }

    void init()
    {
        amb_ = std::make_unique<Ambiente>();
        msgs_ = std::make_unique<Mensagem::Gravador>();
        D().SenhaAdmAtual = QStringLiteral("KORVA");
        Aluna(3, 5);
    }

    void cleanup()
    {
        // A modal-dialog watcher left waiting must not act on the next test's windows.
        QTRY_COMPARE(int(qApp->findChildren<QTimer *>(Qt::FindDirectChildrenOnly).size()), timersDoApp_);
        msgs_.reset();
        amb_.reset();
    }

    // ---- the chooser ----------------------------------------------------------------------------

    void abre_no_lugar_do_aluno_data()
    {
        QTest::addColumn<int>("classe");
        QTest::addColumn<int>("exercicio");
        QTest::addColumn<QString>("textoClasse");
        QTest::addColumn<QString>("textoExercicio");
        QTest::addColumn<int>("exerciciosNaLista");
        QTest::newRow("classe 3, exercicio 5") << 3 << 5 << "3" << "05" << 49;
        QTest::newRow("alem de 99") << 2 << 120 << "2" << "120" << 59;
        QTest::newRow("classe fora do curso") << 7 << 1 << "7" << "01" << 0;
    }

    void abre_no_lugar_do_aluno()
    {
        QFETCH(int, classe);
        QFETCH(int, exercicio);
        QFETCH(QString, textoClasse);
        QFETCH(QString, textoExercicio);
        QFETCH(int, exerciciosNaLista);
        Aluna(char(classe), char(exercicio));

        Carrega carrega(D());
        QCOMPARE(carrega.windowTitle(), QStringLiteral("Carregar Exercício"));
        QCOMPARE(carrega.findChild<QLabel *>("LblAluno")->text(), QStringLiteral(" BIA"));
        QCOMPARE(Combo(&carrega, "TxtClasse")->Text(), textoClasse);
        QCOMPARE(Combo(&carrega, "TxtExercicio")->Text(), textoExercicio);
        QCOMPARE(Combo(&carrega, "TxtClasse")->Itens(), (QStringList{"1", "2", "3", "4", "5", "6"}));
        // Nothing to choose from until the class is confirmed...
        QCOMPARE(Combo(&carrega, "TxtExercicio")->NumeroItens(), 0);

        // ...which the focus arriving on the class box does.
        carrega.show();
        QVERIFY(QTest::qWaitForWindowActive(&carrega));
        QTRY_COMPARE(Foco(), Caixa(&carrega, "TxtClasse"));
        QCOMPARE(Combo(&carrega, "TxtExercicio")->Itens(), Numeros(exerciciosNaLista));
        QCOMPARE(Combo(&carrega, "TxtExercicio")->Text(), textoExercicio);
        QVERIFY(msgs_->mensagens.isEmpty());
    }

    void lista_segue_a_classe_confirmada()
    {
        auto carrega = Abrir();
        QVERIFY(carrega);
        SpCombo *exercicio = Combo(carrega.get(), "TxtExercicio");

        // The class box opens with its text selected: clear it, type the class, confirm with Enter.
        Teclar("\b5\n");
        QCOMPARE(Combo(carrega.get(), "TxtClasse")->Text(), QStringLiteral("5"));
        QCOMPARE(Foco(), Caixa(carrega.get(), "TxtExercicio"));
        QCOMPARE(exercicio->Itens(), Numeros(18));

        QTest::keyClick(Foco(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(Foco(), Caixa(carrega.get(), "TxtClasse"));
        Teclar("\b6\n");
        QCOMPARE(exercicio->Itens(), Numeros(14));
        QVERIFY(msgs_->mensagens.isEmpty());
    }

    void numero_reescrito_ao_chegar_no_ok_data()
    {
        QTest::addColumn<QString>("teclas");
        QTest::addColumn<QString>("textoFinal");
        QTest::addColumn<int>("classe");
        QTest::addColumn<int>("indice");
        // Enter walks class -> exercise -> OK; the last Enter clicks OK.
        QTest::newRow("12") << "\n12\n" << "012" << 3 << 11;
        QTest::newRow("classe 5, exercicio 07") << "\b5\n07\n" << "007" << 5 << 6;
        QTest::newRow("Tab em vez de Enter") << "\t\t" << "005" << 3 << 4;
    }

    void numero_reescrito_ao_chegar_no_ok()
    {
        QFETCH(QString, teclas);
        QFETCH(QString, textoFinal);
        QFETCH(int, classe);
        QFETCH(int, indice);
        auto carrega = Abrir();
        QVERIFY(carrega);

        Teclar(teclas);
        QCOMPARE(Foco(), carrega->findChild<QWidget *>("BtnOK"));
        QCOMPARE(Combo(carrega.get(), "TxtExercicio")->Text(), textoFinal);
        QCOMPARE(carrega->Escolhida(), (Carrega::Escolha{qint16(classe), qint16(indice)}));
        // Nothing is taken before OK is clicked.
        QCOMPARE(D().ClasseAtual, qint16(3));
        QCOMPARE(D().ExercicioAtual, qint16(4));

        Teclar("\n");
        QVERIFY(!carrega->isVisible());
        QCOMPARE(carrega->result(), int(QDialog::Accepted));
        QCOMPARE(D().RespostaDialogo[1], QStringLiteral("OK"));
        QCOMPARE(D().ClasseAtual, qint16(classe));
        QCOMPARE(D().ExercicioAtual, qint16(indice));
        QVERIFY(msgs_->mensagens.isEmpty());
    }

    void exercicio_zero_recusado_data()
    {
        QTest::addColumn<QString>("teclas");  // typed in the exercise box
        QTest::addColumn<bool>("clique");     // then a click on OK, else Tab to it
        QTest::newRow("0, Tab") << "0" << false;
        QTest::newRow("letras, Tab") << "xy" << false;
        QTest::newRow("vazio, clique") << "\b" << true;
    }

    void exercicio_zero_recusado()
    {
        QFETCH(QString, teclas);
        QFETCH(bool, clique);
        auto carrega = Abrir();
        QVERIFY(carrega);
        QWidget *caixa = Caixa(carrega.get(), "TxtExercicio");
        QWidget *ok = carrega->findChild<QWidget *>("BtnOK");

        Teclar("\t" + teclas);
        QCOMPARE(Foco(), caixa);
        if (clique)
            QTest::mouseClick(ok, Qt::LeftButton);
        else
            Teclar("\t");

        QCOMPARE(msgs_->Textos(), QStringList{kNaoExiste});
        QCOMPARE(msgs_->mensagens[0].icone, Mensagem::Icone::Critico);
        QCOMPARE(Foco(), caixa);
        // Neither the focus check nor the click that followed it confirmed anything.
        QVERIFY(carrega->isVisible());
        QVERIFY(!carrega->Escolhida());
        QVERIFY(D().RespostaDialogo[1].isEmpty());
        QCOMPARE(D().ExercicioAtual, qint16(4));
    }

    void cancelar_nao_muda_o_lugar_data()
    {
        QTest::addColumn<QString>("modo");
        QTest::addColumn<bool>("verificado");  // the OK check had passed before cancelling
        QTest::newRow("botao") << "botao" << false;
        QTest::newRow("escape depois de verificar") << "escape" << true;
        QTest::newRow("barra de titulo depois de verificar") << "barra de titulo" << true;
    }

    void cancelar_nao_muda_o_lugar()
    {
        QFETCH(QString, modo);
        QFETCH(bool, verificado);
        const QByteArray antes = amb_->Ler(ArquivoAlunos::kNomeArquivo);
        auto carrega = Abrir();
        QVERIFY(carrega);
        Teclar("\b5\n03");
        if (verificado) {
            Teclar("\n");
            QCOMPARE(carrega->Escolhida(), (Carrega::Escolha{5, 2}));
        }

        if (modo == "botao")
            QTest::mouseClick(carrega->findChild<QWidget *>("BtnCancelar"), Qt::LeftButton);
        else if (modo == "escape")
            QTest::keyClick(Foco(), Qt::Key_Escape);
        else
            QVERIFY(carrega->close());

        QVERIFY(!carrega->isVisible());
        QCOMPARE(carrega->result(), int(QDialog::Rejected));
        QCOMPARE(D().RespostaDialogo[1], QStringLiteral("CANCELAR"));
        QCOMPARE(D().ClasseAtual, qint16(3));
        QCOMPARE(D().ExercicioAtual, qint16(4));
        QCOMPARE(amb_->Ler(ArquivoAlunos::kNomeArquivo), antes);
    }

    // ---- the command ----------------------------------------------------------------------------

    void comando_escolher_exercicio_data()
    {
        QTest::addColumn<bool>("administrador");
        QTest::addColumn<QString>("senha");    // typed in the password prompt; empty: Cancel
        QTest::addColumn<QString>("escolha");  // typed in the chooser; empty: Cancel; "-": never opens
        QTest::addColumn<bool>("bloquearArquivo");
        QTest::addColumn<bool>("carregar");
        QTest::addColumn<QStringList>("mensagens");
        QTest::newRow("senha cancelada") << false << "" << "-" << false << false << QStringList();
        QTest::newRow("administrador recusado") << true << "korva\n\n" << "-" << false << false << QStringList{kSomenteAluno};
        QTest::newRow("escolha cancelada") << false << "Korva\n\n" << "" << false << false << QStringList();
        QTest::newRow("escolha gravada") << false << "KORVA\n\n" << "\b5\n03\n\n" << false << true << QStringList();
        QTest::newRow("arquivo impossivel de gravar") << false << "korva\n\n" << "\b5\n03\n\n" << true << false
                                                      << QStringList{"Alunos.arq"};
    }

    void comando_escolher_exercicio()
    {
        QFETCH(bool, administrador);
        QFETCH(QString, senha);
        QFETCH(QString, escolha);
        QFETCH(bool, bloquearArquivo);
        QFETCH(bool, carregar);
        QFETCH(QStringList, mensagens);
        if (administrador)
            D().NomeUsuario = QStringLiteral("Administrador");
        if (bloquearArquivo) {
            // A folder where the records file should be: it cannot be opened for writing.
            QVERIFY(QFile::remove(amb_->Caminho(ArquivoAlunos::kNomeArquivo)));
            QVERIFY(QDir(amb_->dir.path()).mkdir(ArquivoAlunos::kNomeArquivo));
        }
        const QByteArray antes = amb_->Ler(ArquivoAlunos::kNomeArquivo);
        const Aluno alunoAntes = D().AlunoAtual;

        AoAbrirModal<InfoSenha>([&](InfoSenha *prompt) {
            QVERIFY(EsperarFocoEm(prompt));
            if (senha.isEmpty())
                QTest::mouseClick(prompt->findChild<QWidget *>("BtnCancelar"), Qt::LeftButton);
            else
                Teclar(senha);
        });
        bool escolhaAberta = false;
        AoAbrirModal<Carrega>(
            [&](Carrega *carrega) {
                escolhaAberta = true;
                QVERIFY(EsperarFocoEm(carrega));
                if (escolha.isEmpty() || escolha == "-")
                    QTest::mouseClick(carrega->findChild<QWidget *>("BtnCancelar"), Qt::LeftButton);
                else
                    Teclar(escolha);
            },
            1500);

        QCOMPARE(EscolherExercicio(D(), nullptr), carregar);
        QCOMPARE(escolhaAberta, escolha != "-");
        QCOMPARE(msgs_->mensagens.size(), mensagens.size());
        for (int i = 0; i < mensagens.size(); ++i) {
            QVERIFY2(msgs_->mensagens[i].texto.contains(mensagens[i]), qPrintable(msgs_->mensagens[i].texto));
            QCOMPARE(msgs_->mensagens[i].icone, Mensagem::Icone::Critico);
        }

        if (carregar) {
            QCOMPARE(amb_->Ler(ArquivoAlunos::kNomeArquivo), kAna + Registro("0002", "BIA", 5, 3));
            QCOMPARE(D().AlunoAtual.Classe, qint16(5));
            QCOMPARE(D().AlunoAtual.Exercicio, qint16(3));
            QCOMPARE(D().ClasseAtual, qint16(5));
            QCOMPARE(D().ExercicioAtual, qint16(2));
        } else {
            // Nothing written, and memory still agrees with the record.
            QCOMPARE(amb_->Ler(ArquivoAlunos::kNomeArquivo), antes);
            QCOMPARE(D().AlunoAtual, alunoAntes);
            QCOMPARE(D().ClasseAtual, qint16(3));
            QCOMPARE(D().ExercicioAtual, qint16(4));
        }
    }
};

QTEST_MAIN(TestCarrega)
#include "TestCarrega.moc"
