#include "access/ArquivoAlunos.h"
#include "access/ArquivoDatilux.h"
#include "access/InfoSenha.h"
#include "access/MsgSenha.h"
#include "access/MudaSenha.h"
#include "access/TestaSenha.h"
#include "common/Mensagem.h"
#include "controls/FlatButton/FlatButton.h"
#include "support/Ambiente.h"
#include "support/DialogoModal.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

const QString kInvalida = QStringLiteral("Senha inválida!");
const QString kNaoCadastrado = QStringLiteral("Código não cadastrado!");

QWidget *Foco() { return QApplication::focusWidget(); }

// Keys go where a person's keys go: to the focused control, through the application's filters.
void Tecla(Qt::Key tecla)
{
    QVERIFY(Foco());
    QTest::keyClick(Foco(), tecla);
}

// Characters beyond ASCII (no key of their own in QTest) arrive as the text of an unknown key,
// as an input method delivers them.
void Digitar(const QString &texto)
{
    QVERIFY(Foco());
    for (QChar c : texto) {
        if (c.unicode() < 0x80)
            QTest::keyClick(Foco(), c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, Foco(), Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

template <class T = QWidget>
T *Filho(QWidget *janela, const char *nome)
{
    return janela->findChild<T *>(QLatin1String(nome));
}

} // namespace

class TestDialogosSenha : public QObject {
    Q_OBJECT

    std::unique_ptr<Ambiente> amb_;
    std::unique_ptr<Mensagem::Gravador> msgs_;
    int timersDoApp_ = 0;

    Digita &D() { return amb_->digita; }

    void Gravar(const QString &chave, const QString &valor)
    {
        QString erro;
        QVERIFY2(ArquivoDatilux::GravarConfig(D(), chave, valor, erro), qPrintable(erro));
    }

    // What the file holds now, not the cache.
    QString Guardado(const QString &chave)
    {
        D().TextoConfig.clear();
        QString valor, erro;
        return ArquivoDatilux::LerConfig(D(), chave, valor, erro) ? valor : erro;
    }

    // A fresh data folder: the store, and three students whose passwords differ in case from what
    // the tests type.
    void Preparar(const QString &mostrarSenha = QStringLiteral("1"), const QString &nome1 = QStringLiteral("ANA"))
    {
        amb_ = std::make_unique<Ambiente>();
        D().SenhaAdmAtual = QStringLiteral("KORVA");
        Gravar(ArquivoDatilux::kChaveSenhaAdm, QStringLiteral("KORVA"));
        if (!mostrarSenha.isEmpty())
            Gravar(ArquivoDatilux::kChaveMostrarSenha, mostrarSenha);
        ArquivoAlunos alunos;
        QString erro;
        QVERIFY(alunos.Abrir(amb_->Caminho(ArquivoAlunos::kNomeArquivo), erro));
        const QStringList nomes{nome1, QStringLiteral("BRUNO"), QStringLiteral("CARLA")};
        const QStringList senhas{QStringLiteral("ana1"), QStringLiteral("BRUNO"), QStringLiteral("CaRla")};
        for (int i = 0; i < 3; ++i) {
            Aluno a;
            a.Codigo = QStringLiteral("000%1").arg(i + 1), a.Nome = nomes[i], a.Senha = senhas[i];
            QVERIFY2(alunos.Gravar(a, erro), qPrintable(erro));
        }
    }

    // Shown as the main window shows it, and the focus where a person finds it.
    template <class T>
    std::unique_ptr<T> Abrir(const char *foco)
    {
        auto janela = std::make_unique<T>(D());
        janela->show();
        if (!QTest::qWaitForWindowActive(janela.get()))
            return nullptr;
        QWidget *alvo = Filho(janela.get(), foco);
        if (!QTest::qWaitFor([&] { return Foco() == alvo; }))
            return nullptr;
        return janela;
    }

private slots:
    void initTestCase() { timersDoApp_ = int(qApp->findChildren<QTimer *>(Qt::FindDirectChildrenOnly).size()); }

    void init()
    {
        msgs_ = std::make_unique<Mensagem::Gravador>();
        Preparar();
    }

    void cleanup()
    {
        // A modal-dialog watcher left waiting must not act on the next test's windows.
        QTRY_COMPARE(int(qApp->findChildren<QTimer *>(Qt::FindDirectChildrenOnly).size()), timersDoApp_);
        msgs_.reset();
        amb_.reset();
    }

    // ---- login ----------------------------------------------------------------------------------

    void login_data()
    {
        QTest::addColumn<QString>("codigo");
        QTest::addColumn<QString>("senha");
        QTest::addColumn<QString>("codigoMostrado");
        QTest::addColumn<QString>("nome");
        QTest::addColumn<bool>("setas");   // Down instead of Enter to move on
        QTest::addColumn<bool>("clique");  // the pointer on OK instead of Enter
        QTest::newRow("administrador sem codigo") << "" << "korva" << "0000" << "Administrador" << false << false;
        QTest::newRow("administrador 0, clique") << "0" << "KoRvA" << "0000" << "Administrador" << false << true;
        QTest::newRow("senha minuscula digitada maiuscula") << "1" << "ANA1" << "0001" << "ANA" << false << false;
        QTest::newRow("senha maiuscula digitada minuscula") << "2" << "bruno" << "0002" << "BRUNO" << true << false;
        QTest::newRow("codigo 3 de 3, clique") << "03" << "carla" << "0003" << "CARLA" << false << true;
    }

    void login()
    {
        QFETCH(QString, codigo);
        QFETCH(QString, senha);
        QFETCH(QString, codigoMostrado);
        QFETCH(QString, nome);
        QFETCH(bool, setas);
        QFETCH(bool, clique);
        auto login = Abrir<TestaSenha>("TxtCodigo");
        QVERIFY(login);

        Digitar(codigo);
        Tecla(setas ? Qt::Key_Down : Qt::Key_Return);
        QCOMPARE(Foco(), Filho(login.get(), "TxtSenha"));
        QCOMPARE(Filho<QLineEdit>(login.get(), "TxtCodigo")->text(), codigoMostrado);
        // The name shows as soon as the code is checked.
        QCOMPARE(Filho<QLabel>(login.get(), "LblNome")->text(), nome);
        Digitar(senha);
        if (clique) {
            QTest::mouseClick(Filho(login.get(), "BtnOK"), Qt::LeftButton);
        } else {
            Tecla(setas ? Qt::Key_Down : Qt::Key_Return);
            QCOMPARE(Foco(), Filho(login.get(), "BtnOK"));
            Tecla(Qt::Key_Return);
        }
        QVERIFY(!login->isVisible());
        QCOMPARE(D().RespostaDialogo[0], QStringLiteral("OK"));
        QCOMPARE(D().NomeUsuario, nome);
        QCOMPARE(D().AlunoAtual.Codigo, nome == "Administrador" ? QString() : codigoMostrado);
        QVERIFY(msgs_->mensagens.isEmpty());
    }

    void login_recusado_data()
    {
        QTest::addColumn<QString>("codigo");
        QTest::addColumn<QString>("senha");
        QTest::addColumn<bool>("apagarDois");
        QTest::addColumn<QString>("mensagem");
        QTest::addColumn<QString>("foco");
        QTest::newRow("4 com tres registros") << "4" << "" << false << kNaoCadastrado << "TxtCodigo";
        QTest::newRow("7 vira 0007") << "7" << "" << false << kNaoCadastrado << "TxtCodigo";
        QTest::newRow("aluno excluido") << "2" << "" << true << kNaoCadastrado << "TxtCodigo";
        QTest::newRow("senha do administrador") << "" << "korv" << false << kInvalida << "TxtSenha";
        QTest::newRow("senha de aluno") << "1" << "ana" << false << kInvalida << "TxtSenha";
        QTest::newRow("senha de aluno vazia") << "3" << "" << false << kInvalida << "TxtSenha";
    }

    void login_recusado()
    {
        QFETCH(QString, codigo);
        QFETCH(QString, senha);
        QFETCH(bool, apagarDois);
        QFETCH(QString, mensagem);
        QFETCH(QString, foco);
        if (apagarDois) {
            ArquivoAlunos alunos;
            Aluno apagado;
            QString erro;
            QVERIFY(alunos.Abrir(amb_->Caminho(ArquivoAlunos::kNomeArquivo), erro));
            QVERIFY(alunos.Apagar(2, apagado, erro));
        }
        auto login = Abrir<TestaSenha>("TxtCodigo");
        QVERIFY(login);
        auto *caixa = Filho<QLineEdit>(login.get(), qPrintable(foco));

        Digitar(codigo);
        Tecla(Qt::Key_Return);
        if (foco == "TxtSenha") {
            Digitar(senha);
            Tecla(Qt::Key_Return);
        }
        QCOMPARE(msgs_->Textos(), QStringList{mensagem});
        QCOMPARE(msgs_->mensagens[0].icone, Mensagem::Icone::Critico);
        QCOMPARE(Foco(), caixa);
        // The code is shown in four digits and selected, ready to be typed over.
        QCOMPARE(Filho<QLineEdit>(login.get(), "TxtCodigo")->text(), QStringLiteral("%1").arg(codigo.toInt(), 4, 10, QLatin1Char('0')));
        QCOMPARE(caixa->selectedText(), caixa->text());

        // A click on OK gives it the focus, the check fails again, and the click does not log in.
        QTest::mouseClick(Filho(login.get(), "BtnOK"), Qt::LeftButton);
        QVERIFY(login->isVisible());
        QCOMPARE(msgs_->Textos(), (QStringList{mensagem, mensagem}));
        QVERIFY(D().RespostaDialogo[0].isEmpty());
    }

    // The first activation: the first-run notice, then the boxes or, on a fresh installation, OK.
    void inicio_data()
    {
        QTest::addColumn<QString>("mostrarSenha");
        QTest::addColumn<bool>("marcar");
        QTest::addColumn<QString>("nome1");
        QTest::addColumn<QString>("senhaAdm");
        QTest::addColumn<bool>("aviso");
        QTest::addColumn<QString>("gravado");
        QTest::addColumn<QStringList>("mensagens");
        QTest::addColumn<QString>("foco");
        QTest::newRow("aviso marcado") << "" << true << "ANA" << "KORVA" << true << "1" << QStringList() << "TxtCodigo";
        QTest::newRow("aviso sem marcar") << "" << false << "ANA" << "KORVA" << true << "" << QStringList() << "TxtCodigo";
        QTest::newRow("aviso dispensado") << "1" << false << "ANA" << "KORVA" << false << "1" << QStringList() << "TxtCodigo";
        QTest::newRow("ALTERAR NOME") << "1" << false << "ALTERAR NOME" << "KORVA" << false << "1" << QStringList{kInvalida}
                                      << "TxtSenha";
        QTest::newRow("ALTERAR NOME, senha vazia") << "1" << false << "ALTERAR NOME" << "" << false << "1" << QStringList()
                                                   << "BtnOK";
    }

    void inicio()
    {
        QFETCH(QString, mostrarSenha);
        QFETCH(bool, marcar);
        QFETCH(QString, nome1);
        QFETCH(QString, senhaAdm);
        QFETCH(bool, aviso);
        QFETCH(QString, gravado);
        QFETCH(QStringList, mensagens);
        QFETCH(QString, foco);
        Preparar(mostrarSenha, nome1);
        D().SenhaAdmAtual = senhaAdm;
        QString texto;
        AoAbrirModal<MsgSenha>(
            [&](MsgSenha *msg) {
                texto = Filho<QLabel>(msg, "Label1")->text();
                if (marcar)
                    QTest::mouseClick(Filho(msg, "ChkMsg"), Qt::LeftButton);
                QCOMPARE(Filho<QCheckBox>(msg, "ChkMsg")->isChecked(), marcar);
                QTest::keyClick(Filho(msg, "BtnOK"), Qt::Key_Return);
            },
            1500);

        auto login = Abrir<TestaSenha>(qPrintable(foco));
        QVERIFY(login);
        QCOMPARE(texto, aviso ? QStringLiteral("Para acessar o Datilux\r\ninforme os seguintes dados:\r\n\r\n"
                                               "Código de administrador: 0000\r\nSenha de administrador: KORVA")
                              : QString());
        QCOMPARE(Guardado(ArquivoDatilux::kChaveMostrarSenha), gravado);
        QCOMPARE(msgs_->Textos(), mensagens);
        if (foco == "BtnOK") {
            // The empty code is the administrator, and the empty password is right.
            QCOMPARE(Filho<QLabel>(login.get(), "LblNome")->text(), QStringLiteral("Administrador"));
            Tecla(Qt::Key_Return);
            QCOMPARE(D().RespostaDialogo[0], QStringLiteral("OK"));
        }
    }

    // ---- cancelling, in all three dialogs -------------------------------------------------------

    void cancelar_data()
    {
        QTest::addColumn<QString>("janela");
        QTest::addColumn<QString>("modo");
        for (const char *janela : {"TestaSenha", "InfoSenha", "MudaSenha"})
            for (const char *modo : {"botao", "escape", "barra de titulo"})
                QTest::addRow("%s, %s", janela, modo) << janela << modo;
    }

    void cancelar()
    {
        QFETCH(QString, janela);
        QFETCH(QString, modo);
        const QByteArray antes = amb_->Ler(ArquivoDatilux::kNomeArquivo);
        std::unique_ptr<QDialog> dlg;
        if (janela == "TestaSenha")
            dlg = Abrir<TestaSenha>("TxtCodigo");
        else if (janela == "InfoSenha")
            dlg = Abrir<InfoSenha>("TxtSenha");
        else
            dlg = Abrir<MudaSenha>("TxtSenha");
        QVERIFY(dlg);
        // Something valid typed, so that only the way of closing decides.
        Digitar(janela == "TestaSenha" ? "1" : "nova");
        Tecla(Qt::Key_Return);
        Digitar(janela == "TestaSenha" ? "ana1" : "nova");

        if (modo == "botao")
            QTest::mouseClick(Filho(dlg.get(), "BtnCancelar"), Qt::LeftButton);
        else if (modo == "escape")
            Tecla(Qt::Key_Escape);
        else
            QVERIFY(dlg->close());

        QVERIFY(!dlg->isVisible());
        QCOMPARE(dlg->result(), int(QDialog::Rejected));
        QCOMPARE(D().RespostaDialogo[janela == "TestaSenha" ? 0 : 1], QStringLiteral("CANCELAR"));
        QCOMPARE(D().SenhaAdmAtual, QStringLiteral("KORVA"));
        QCOMPARE(amb_->Ler(ArquivoDatilux::kNomeArquivo), antes);
    }

    // ---- administrator password prompt and change -----------------------------------------------

    void info_senha_data()
    {
        QTest::addColumn<QString>("senhaAdm");
        QTest::addColumn<QString>("digitada");
        QTest::addColumn<bool>("aceita");
        QTest::newRow("minusculas") << "KORVA" << "korva" << true;
        QTest::newRow("mistas") << "KORVA" << "kOrVa" << true;
        QTest::newRow("errada") << "KORVA" << "korvo" << false;
        QTest::newRow("vazia contra vazia") << "" << "" << true;
        QTest::newRow("vazia contra senha") << "KORVA" << "" << false;
    }

    void info_senha()
    {
        QFETCH(QString, senhaAdm);
        QFETCH(QString, digitada);
        QFETCH(bool, aceita);
        D().SenhaAdmAtual = senhaAdm;
        auto info = Abrir<InfoSenha>("TxtSenha");
        QVERIFY(info);
        QCOMPARE(info->windowTitle(), QStringLiteral("Senha de administrador"));
        Digitar(digitada);
        Tecla(Qt::Key_Return);
        if (!aceita) {
            QCOMPARE(msgs_->Textos(), QStringList{kInvalida});
            QCOMPARE(Foco(), Filho(info.get(), "TxtSenha"));
            // The click that follows a failed check does not confirm.
            QTest::mouseClick(Filho(info.get(), "BtnOK"), Qt::LeftButton);
            QVERIFY(info->isVisible());
            QVERIFY(D().RespostaDialogo[1].isEmpty());
            return;
        }
        QCOMPARE(Foco(), Filho(info.get(), "BtnOK"));
        Tecla(Qt::Key_Return);
        QVERIFY(!info->isVisible());
        QCOMPARE(D().RespostaDialogo[1], QStringLiteral("OK"));
        QVERIFY(msgs_->mensagens.isEmpty());
    }

    void muda_senha_data()
    {
        QTest::addColumn<QString>("senha");
        QTest::addColumn<QString>("confirma");
        QTest::addColumn<QString>("gravada");   // empty with a message: nothing stored
        QTest::addColumn<QString>("mensagem");  // start of the message; empty: none
        QTest::newRow("minusculas gravadas em maiusculas") << "nova" << "NoVa" << "NOVA" << "";
        QTest::newRow("ambas vazias") << "" << "" << "" << "";
        QTest::newRow("acentos") << "ação" << "AÇÃO" << "AÇÃO" << "";
        QTest::newRow("nao confere") << "abc" << "abd" << "" << "Senha não confere!";
        QTest::newRow("marcador embaralhado") << "xÜÛy" << "xüûy" << "" << "Senha não aceita";
        QTest::newRow("fora do codigo de pagina") << "Ωmega" << "Ωmega" << "" << "Senha não aceita";
    }

    void muda_senha()
    {
        QFETCH(QString, senha);
        QFETCH(QString, confirma);
        QFETCH(QString, gravada);
        QFETCH(QString, mensagem);
        const QByteArray antes = amb_->Ler(ArquivoDatilux::kNomeArquivo);
        auto muda = Abrir<MudaSenha>("TxtSenha");
        QVERIFY(muda);
        QCOMPARE(muda->windowTitle(), QStringLiteral("Mudar senha de administrador"));
        Digitar(senha);
        Tecla(Qt::Key_Return);
        QCOMPARE(Foco(), Filho(muda.get(), "TxtConfirma"));
        Digitar(confirma);
        Tecla(Qt::Key_Return);

        if (!mensagem.isEmpty()) {
            QCOMPARE(msgs_->mensagens.size(), 1);
            QVERIFY2(msgs_->mensagens[0].texto.startsWith(mensagem), qPrintable(msgs_->mensagens[0].texto));
            QCOMPARE(msgs_->mensagens[0].icone, Mensagem::Icone::Critico);
            QCOMPARE(Foco(), Filho(muda.get(), "TxtSenha"));
            QTest::mouseClick(Filho(muda.get(), "BtnOK"), Qt::LeftButton);
            QVERIFY(muda->isVisible());
            QCOMPARE(amb_->Ler(ArquivoDatilux::kNomeArquivo), antes);
            QCOMPARE(D().SenhaAdmAtual, QStringLiteral("KORVA"));
            return;
        }
        Tecla(Qt::Key_Return);
        QVERIFY(!muda->isVisible());
        QCOMPARE(D().RespostaDialogo[1], QStringLiteral("OK"));
        QCOMPARE(D().SenhaAdmAtual, gravada);
        QCOMPARE(Guardado(ArquivoDatilux::kChaveSenhaAdm), gravada);

        // The new password opens the login whatever its case.
        auto login = Abrir<TestaSenha>("TxtCodigo");
        QVERIFY(login);
        Tecla(Qt::Key_Return);
        Digitar(senha.toLower());
        Tecla(Qt::Key_Return);
        Tecla(Qt::Key_Return);
        QCOMPARE(D().RespostaDialogo[0], QStringLiteral("OK"));
    }
};

QTEST_MAIN(TestDialogosSenha)
#include "TestDialogosSenha.moc"
