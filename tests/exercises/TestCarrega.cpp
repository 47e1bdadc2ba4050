#include "access/ArquivoAlunos.h"
#include "access/InfoSenha.h"
#include "common/Mensagem.h"
#include "controls/SpCombo/SpCombo.h"
#include "exercises/Carrega.h"
#include "support/Ambiente.h"
#include "support/Arquivos.h"
#include "support/DialogoModal.h"
#include "support/Tabela.h"
#include "support/Teclado.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

const QString kNaoExiste = QStringLiteral("Exercício não existe!");

const QByteArray kAna = Reg("0001", "ANA", "senha", 1, 1);
const QByteArray kBia = Reg("0002", "BIA", "senha", 3, 5);

SpCombo *Combo(QWidget *janela, const char *nome)
{
    return janela->findChild<SpCombo *>(QLatin1String(nome));
}
QWidget *Caixa(QWidget *janela, const char *nome)
{
    return Combo(janela, nome)->findChild<QLineEdit *>("TxtAux");
}

QStringList Numeros(int quantidade)
{
    QStringList lista;
    for (int i = 1; i <= quantidade; ++i)
        lista << QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0'));
    return lista;
}

} // namespace

class TestCarrega : public QObject {
    Q_OBJECT

    std::unique_ptr<Ambiente> amb_;
    std::unique_ptr<Mensagem::Gravador> msgs_;
    int timersDoApp_ = 0;

    Digita &D() { return amb_->digita; }

private slots:
    void initTestCase() { timersDoApp_ = int(qApp->findChildren<QTimer *>(Qt::FindDirectChildrenOnly).size()); }

    void init()
    {
        amb_ = std::make_unique<Ambiente>();
        msgs_ = std::make_unique<Mensagem::Gravador>();
        D().SenhaAdmAtual = QStringLiteral("KORVA");
        // BIA, code 0002, is logged in at class 3, exercise 5; ANA is the first record.
        QVERIFY(amb_->Gravar(ArquivoAlunos::kNomeArquivo, kAna + kBia));
        D().AlunoAtual = ArquivoAlunos::Decodificar(kBia);
        D().NomeUsuario = QStringLiteral("BIA");
        D().ClasseAtual = 3;
        D().ExercicioAtual = 4;
    }

    void cleanup()
    {
        // A modal-dialog watcher left waiting must not act on the next test's windows.
        QTRY_COMPARE(int(qApp->findChildren<QTimer *>(Qt::FindDirectChildrenOnly).size()), timersDoApp_);
        msgs_.reset();
        amb_.reset();
    }

    // Opens on the student's place; the exercise list follows the class once it is confirmed (the
    // focus arriving on the class box, or Enter in it), and only one of the six classes fills it.
    void abreEListaDaClasseConfirmada()
    {
        Carrega carrega(D());
        auto lista = [&] { return Combo(&carrega, "TxtExercicio")->Itens(); };
        QCOMPARE((QStringList{carrega.windowTitle(), carrega.findChild<QLabel *>("LblAluno")->text(),
                              Combo(&carrega, "TxtClasse")->Text(), Combo(&carrega, "TxtExercicio")->Text()}),
                 (QStringList{"Carregar Exercício", " BIA", "3", "05"}));
        QCOMPARE(Combo(&carrega, "TxtClasse")->Itens(), (QStringList{"1", "2", "3", "4", "5", "6"}));
        QCOMPARE(lista(), QStringList());

        QVERIFY(Mostrar(&carrega, Caixa(&carrega, "TxtClasse"))); // the focus where a person finds it
        QCOMPARE(lista(), Numeros(49));
        Teclar("\b5\n");
        QCOMPARE(lista(), Numeros(18));
        Teclar("\v\b6\n");
        QCOMPARE(lista(), Numeros(14));
        Teclar("\v\b\t\v"); // no class: the focus coming back to the empty box empties the list
        QCOMPARE(lista(), QStringList());
        QVERIFY(msgs_->mensagens.isEmpty());
    }

    // The number is checked and rewritten in three digits when OK gets the focus; only a click on OK
    // takes the choice, and every way of cancelling leaves the place as it was.
    void escolha_data()
    {
        // teclas: typed from the class box; Enter walks class -> exercise -> OK
        // acao: then: a click on "OK" or "Cancelar", "Esc", or the title bar's "fechar"
        // resposta: RespostaDialogo[1]; empty: still open
        Colunas<QString, QString, QString, QString, QString, int, int>("teclas", "acao", "textoExercicio",
                                                                       "mensagem", "resposta", "classe", "indice");
        const auto linha = [](const char *nome, const char *teclas, const char *acao, const char *texto,
                              const QString &mensagem, const char *resposta, int classe, int indice) {
            QTest::newRow(nome) << QString(teclas) << QString(acao) << QString(texto) << mensagem
                                << QString(resposta) << classe << indice;
        };
        linha("12, Enter ate o OK", "\n12\n\n", "", "012", "", "OK", 3, 11);
        linha("classe 5, exercicio 07", "\b5\n07\n\n", "", "007", "", "OK", 5, 6);
        linha("Tab em vez de Enter", "\t\t\n", "", "005", "", "OK", 3, 4);
        linha("0, Tab", "\t0\t", "", "0", kNaoExiste, "", 3, 4);
        linha("letras, Tab", "\txy\t", "", "xy", kNaoExiste, "", 3, 4);
        linha("vazio, clique no OK", "\t\b", "OK", "", kNaoExiste, "", 3, 4);
        linha("Cancelar", "\b5\n03", "Cancelar", "03", "", "CANCELAR", 3, 4);
        linha("Esc, verificado", "\b5\n03\n", "Esc", "003", "", "CANCELAR", 3, 4);
        linha("barra de titulo, verificado", "\b5\n03\n", "fechar", "003", "", "CANCELAR", 3, 4);
    }

    void escolha()
    {
        BUSCAR(QString, teclas, QString, acao, QString, mensagem, QString, resposta);
        Carrega carrega(D());
        QVERIFY(Mostrar(&carrega, Caixa(&carrega, "TxtClasse")));

        Teclar(teclas);
        if (acao == "OK" || acao == "Cancelar")
            QTest::mouseClick(carrega.findChild<QWidget *>("Btn" + acao), Qt::LeftButton);
        else if (acao == "Esc")
            QTest::keyClick(Foco(), Qt::Key_Escape);
        else if (acao == "fechar")
            QVERIFY(carrega.close());

        QTEST(Combo(&carrega, "TxtExercicio")->Text(), "textoExercicio");
        QCOMPARE(msgs_->Textos(), mensagem.isEmpty() ? QStringList() : QStringList{mensagem});
        for (const auto &m : msgs_->mensagens)
            QCOMPARE(m.icone, Mensagem::Icone::Critico);
        // A refused number keeps the dialog open with the focus back on the box; neither the check nor
        // a click after it confirmed anything.
        QCOMPARE(carrega.isVisible(), resposta.isEmpty());
        if (resposta.isEmpty())
            QCOMPARE(Foco(), Caixa(&carrega, "TxtExercicio"));
        QCOMPARE(D().RespostaDialogo[1], resposta);
        QCOMPARE(carrega.result() == QDialog::Accepted, resposta == "OK");
        QTEST(int(D().ClasseAtual), "classe");
        QTEST(int(D().ExercicioAtual), "indice");
        // The dialog itself never writes: storing the choice is the command's.
        QCOMPARE(amb_->Ler(ArquivoAlunos::kNomeArquivo), kAna + kBia);
    }

    // The command: the password first, then the administrator's refusal, then the chooser, and the
    // student's record written only for a confirmed choice.
    void comandoEscolherExercicio_data()
    {
        // senha: typed in the password prompt; empty: Cancel
        // escolha: typed in the chooser; empty: Cancel; "-": never opens
        // mensagem: part of the one critical message, if any
        Colunas<QString, QString, QString, bool, QString, bool>("usuario", "senha", "escolha", "bloquearArquivo",
                                                                "mensagem", "gravado");
        const auto linha = [](const char *nome, const char *usuario, const char *senha, const char *escolha,
                              bool bloquear, const char *mensagem, bool gravado) {
            QTest::newRow(nome) << QString(usuario) << QString(senha) << QString(escolha) << bloquear
                                << QString(mensagem) << gravado;
        };
        linha("senha cancelada", "BIA", "", "-", false, "", false);
        linha("administrador recusado", "Administrador", "korva\n\n", "-", false,
              "Opção permitida somente com senha de aluno!", false);
        linha("escolha cancelada", "BIA", "Korva\n\n", "", false, "", false);
        linha("escolha gravada", "BIA", "KORVA\n\n", "\b5\n03\n\n", false, "", true);
        linha("arquivo bloqueado", "BIA", "korva\n\n", "\b5\n03\n\n", true, "Alunos.arq", false);
    }

    void comandoEscolherExercicio()
    {
        BUSCAR(QString, usuario, QString, senha, QString, escolha, bool, bloquearArquivo, QString, mensagem, bool,
               gravado);
        D().NomeUsuario = usuario;
        if (bloquearArquivo) {
            // A folder where the records file should be: it cannot be opened for writing.
            QVERIFY(QFile::remove(amb_->Caminho(ArquivoAlunos::kNomeArquivo)));
            QVERIFY(QDir(amb_->dir.path()).mkdir(ArquivoAlunos::kNomeArquivo));
        }
        const QByteArray antes = amb_->Ler(ArquivoAlunos::kNomeArquivo);
        auto responder = [](QWidget *janela, const QString &teclas) {
            QVERIFY(QTest::qWaitFor([janela] { return Foco() && Foco()->window() == janela; }));
            if (teclas.isEmpty() || teclas == "-")
                QTest::mouseClick(janela->findChild<QWidget *>("BtnCancelar"), Qt::LeftButton);
            else
                Teclar(teclas);
        };
        AoAbrirModal<InfoSenha>([&](InfoSenha *prompt) { responder(prompt, senha); });
        bool escolhaAberta = false;
        AoAbrirModal<Carrega>(
            [&](Carrega *carrega) {
                escolhaAberta = true;
                responder(carrega, escolha);
            },
            1500);

        QCOMPARE(EscolherExercicio(D(), nullptr).has_value(), gravado);
        QCOMPARE(escolhaAberta, escolha != "-");
        QCOMPARE(msgs_->mensagens.size(), int(!mensagem.isEmpty()));
        for (const auto &m : msgs_->mensagens) {
            QVERIFY2(m.texto.contains(mensagem), qPrintable(m.texto));
            QCOMPARE(m.icone, Mensagem::Icone::Critico);
        }
        // Stored and moved, or nothing written and memory still agreeing with the record.
        const QByteArray bia = Reg("0002", "BIA", "senha", 5, 3);
        QCOMPARE(amb_->Ler(ArquivoAlunos::kNomeArquivo), gravado ? kAna + bia : antes);
        QCOMPARE(D().AlunoAtual, ArquivoAlunos::Decodificar(gravado ? bia : kBia));
        QCOMPARE(D().ClasseAtual, qint16(gravado ? 5 : 3));
        QCOMPARE(D().ExercicioAtual, qint16(gravado ? 2 : 4));
    }
};

QTEST_MAIN(TestCarrega)
#include "TestCarrega.moc"
