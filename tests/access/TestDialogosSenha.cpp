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

    // Three students; the passwords differ in case from what the tests type.
    void Cadastrar(const QString &nome1 = QStringLiteral("ANA"))
    {
        ArquivoAlunos alunos;
        QString erro;
        QVERIFY(alunos.Abrir(amb_->Caminho(ArquivoAlunos::kNomeArquivo), erro));
        const QStringList nomes{nome1, QStringLiteral("BRUNO"), QStringLiteral("CARLA")};
        const QStringList senhas{QStringLiteral("ana1"), QStringLiteral("BRUNO"), QStringLiteral("CaRla")};
        for (int i = 0; i < 3; ++i) {
            Aluno a;
            a.Codigo = QStringLiteral("000%1").arg(i + 1), a.Nome = nomes[i], a.Senha = senhas[i], a.Classe = 2, a.Exercicio = 5;
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
        amb_ = std::make_unique<Ambiente>();
        msgs_ = std::make_unique<Mensagem::Gravador>();
        D().SenhaAdmAtual = QStringLiteral("KORVA");
        Gravar(ArquivoDatilux::kChaveSenhaAdm, QStringLiteral("KORVA"));
        Gravar(ArquivoDatilux::kChaveMostrarSenha, QStringLiteral("1"));
        Cadastrar();
    }

    void cleanup()
    {
        // A modal-dialog watcher left waiting must not act on the next test's windows.
        QTRY_COMPARE(int(qApp->findChildren<QTimer *>(Qt::FindDirectChildrenOnly).size()), timersDoApp_);
        msgs_.reset();
        amb_.reset();
    }

    // ---- login ----------------------------------------------------------------------------------

    void login_pelo_teclado_data()
    {
        QTest::addColumn<QString>("codigo");
        QTest::addColumn<QString>("senha");
        QTest::addColumn<QString>("codigoMostrado");
        QTest::addColumn<QString>("nome");
        QTest::newRow("administrador sem codigo") << "" << "korva" << "0000" << "Administrador";
        QTest::newRow("administrador 0") << "0" << "KoRvA" << "0000" << "Administrador";
        QTest::newRow("senha minuscula digitada maiuscula") << "1" << "ANA1" << "0001" << "ANA";
        QTest::newRow("senha maiuscula digitada minuscula") << "2" << "bruno" << "0002" << "BRUNO";
        QTest::newRow("codigo 3 de 3") << "03" << "carla" << "0003" << "CARLA";
    }

    void login_pelo_teclado()
    {
        QFETCH(QString, codigo);
        QFETCH(QString, senha);
        QFETCH(QString, codigoMostrado);
        QFETCH(QString, nome);
        auto login = Abrir<TestaSenha>("TxtCodigo");
        QVERIFY(login);

        Digitar(codigo);
        Tecla(Qt::Key_Return);
        QCOMPARE(Foco(), Filho(login.get(), "TxtSenha"));
        QCOMPARE(Filho<QLineEdit>(login.get(), "TxtCodigo")->text(), codigoMostrado);
        // The name shows as soon as the code is checked.
        QCOMPARE(Filho<QLabel>(login.get(), "LblNome")->text(), nome);
        Digitar(senha);
        Tecla(Qt::Key_Return);
        QCOMPARE(Foco(), Filho(login.get(), "BtnOK"));
        Tecla(Qt::Key_Return);

        QVERIFY(!login->isVisible());
        QCOMPARE(login->result(), int(QDialog::Accepted));
        QCOMPARE(D().RespostaDialogo[0], QStringLiteral("OK"));
        QCOMPARE(D().NomeUsuario, nome);
        QCOMPARE(D().AlunoAtual.Codigo.trimmed(), nome == "Administrador" ? QString() : codigoMostrado);
        QVERIFY(msgs_->mensagens.isEmpty());
    }

    void login_setas_movem_o_foco()
    {
        auto login = Abrir<TestaSenha>("TxtCodigo");
        QVERIFY(login);
        Tecla(Qt::Key_Down);
        QCOMPARE(Foco(), Filho(login.get(), "TxtSenha"));
        Tecla(Qt::Key_Up);
        QCOMPARE(Foco(), Filho(login.get(), "TxtCodigo"));
    }

    void login_codigo_nao_cadastrado_data()
    {
        QTest::addColumn<QString>("codigo");
        QTest::addColumn<QString>("codigoMostrado");
        QTest::addColumn<bool>("apagarDois");
        QTest::newRow("4 com tres registros") << "4" << "0004" << false;
        QTest::newRow("7 vira 0007") << "7" << "0007" << false;
        QTest::newRow("aluno excluido") << "2" << "0002" << true;
    }

    void login_codigo_nao_cadastrado()
    {
        QFETCH(QString, codigo);
        QFETCH(QString, codigoMostrado);
        QFETCH(bool, apagarDois);
        if (apagarDois) {
            ArquivoAlunos alunos;
            Aluno apagado;
            QString erro;
            QVERIFY(alunos.Abrir(amb_->Caminho(ArquivoAlunos::kNomeArquivo), erro));
            QVERIFY(alunos.Apagar(2, apagado, erro));
        }
        auto login = Abrir<TestaSenha>("TxtCodigo");
        QVERIFY(login);
        auto *txtCodigo = Filho<QLineEdit>(login.get(), "TxtCodigo");

        Digitar(codigo);
        Tecla(Qt::Key_Return);
        QCOMPARE(msgs_->Textos(), QStringList{kNaoCadastrado});
        QCOMPARE(msgs_->mensagens[0].icone, Mensagem::Icone::Critico);
        QCOMPARE(Foco(), txtCodigo);
        QCOMPARE(txtCodigo->text(), codigoMostrado);
        QCOMPARE(txtCodigo->selectedText(), codigoMostrado);

        // Not even an empty password (a deleted slot's) opens it: a click straight on OK is refused too.
        QTest::mouseClick(Filho(login.get(), "BtnOK"), Qt::LeftButton);
        QVERIFY(login->isVisible());
        QCOMPARE(msgs_->Textos(), (QStringList{kNaoCadastrado, kNaoCadastrado}));
        QVERIFY(D().RespostaDialogo[0].isEmpty());
    }

    void login_senha_errada_data()
    {
        QTest::addColumn<QString>("codigo");
        QTest::addColumn<QString>("errada");
        QTest::addColumn<QString>("certa");
        QTest::newRow("administrador") << "" << "korv" << "korva";
        QTest::newRow("aluno") << "1" << "ana" << "Ana1";
        QTest::newRow("aluno sem senha digitada") << "3" << "" << "CARLA";
    }

    void login_senha_errada()
    {
        QFETCH(QString, codigo);
        QFETCH(QString, errada);
        QFETCH(QString, certa);
        auto login = Abrir<TestaSenha>("TxtCodigo");
        QVERIFY(login);

        Digitar(codigo);
        Tecla(Qt::Key_Return);
        Digitar(errada);
        Tecla(Qt::Key_Return);
        QCOMPARE(msgs_->Textos(), QStringList{kInvalida});
        QCOMPARE(msgs_->mensagens[0].icone, Mensagem::Icone::Critico);
        QCOMPARE(Foco(), Filho(login.get(), "TxtSenha"));
        QVERIFY(login->isVisible());

        // The wrong password is selected: typing replaces it, and the login goes through.
        Digitar(certa);
        Tecla(Qt::Key_Return);
        Tecla(Qt::Key_Return);
        QVERIFY(!login->isVisible());
        QCOMPARE(D().RespostaDialogo[0], QStringLiteral("OK"));
        QCOMPARE(msgs_->mensagens.size(), 1);
    }

    void clique_no_ok_exige_verificacao_data()
    {
        QTest::addColumn<QString>("senha");
        QTest::addColumn<bool>("entra");
        QTest::newRow("verificacao falha no clique") << "errada" << false;
        QTest::newRow("verificacao passa no clique") << "Korva" << true;
    }

    void clique_no_ok_exige_verificacao()
    {
        QFETCH(QString, senha);
        QFETCH(bool, entra);
        auto login = Abrir<TestaSenha>("TxtCodigo");
        QVERIFY(login);
        Tecla(Qt::Key_Return);
        Digitar(senha);
        // The press gives OK the focus, which runs the check; the release is the click.
        QTest::mouseClick(Filho(login.get(), "BtnOK"), Qt::LeftButton);
        QCOMPARE(login->isVisible(), !entra);
        QCOMPARE(D().RespostaDialogo[0], entra ? QStringLiteral("OK") : QString());
        QCOMPARE(msgs_->Textos(), entra ? QStringList() : QStringList{kInvalida});
        if (!entra)
            QCOMPARE(Foco(), Filho(login.get(), "TxtSenha"));
    }

    void aviso_da_primeira_vez_data()
    {
        QTest::addColumn<QString>("mostrarSenha");
        QTest::addColumn<bool>("marcar");
        QTest::addColumn<bool>("mostrado");
        QTest::addColumn<QString>("gravado");
        QTest::newRow("ausente, marcado") << "" << true << true << "1";
        QTest::newRow("ausente, sem marcar") << "" << false << true << "";
        QTest::newRow("dispensado antes") << "1" << false << false << "1";
    }

    void aviso_da_primeira_vez()
    {
        QFETCH(QString, mostrarSenha);
        QFETCH(bool, marcar);
        QFETCH(bool, mostrado);
        QFETCH(QString, gravado);
        amb_ = std::make_unique<Ambiente>();
        D().SenhaAdmAtual = QStringLiteral("KORVA");
        if (!mostrarSenha.isEmpty())
            Gravar(ArquivoDatilux::kChaveMostrarSenha, mostrarSenha);

        bool visto = false;
        QString texto;
        AoAbrirModal<MsgSenha>(
            [&](MsgSenha *aviso) {
                visto = true;
                texto = Filho<QLabel>(aviso, "Label1")->text();
                auto *chk = Filho<QCheckBox>(aviso, "ChkMsg");
                if (marcar)
                    QTest::mouseClick(chk, Qt::LeftButton);
                QCOMPARE(chk->isChecked(), marcar);
                QTest::keyClick(Filho(aviso, "BtnOK"), Qt::Key_Return);
            },
            1500);
        auto login = Abrir<TestaSenha>("TxtCodigo");
        QVERIFY(login);
        QCOMPARE(visto, mostrado);
        if (mostrado) {
            QCOMPARE(texto, QStringLiteral("Para acessar o Datilux\r\ninforme os seguintes dados:\r\n\r\n"
                                           "Código de administrador: 0000\r\nSenha de administrador: KORVA"));
        }
        D().TextoConfig.clear();
        QString valor, erro;
        QVERIFY(ArquivoDatilux::LerConfig(D(), ArquivoDatilux::kChaveMostrarSenha, valor, erro));
        QCOMPARE(valor, gravado);
    }

    void inicio_alterar_nome_data()
    {
        QTest::addColumn<QString>("senhaAdm");
        QTest::addColumn<QStringList>("mensagens");
        QTest::addColumn<QString>("foco");
        QTest::newRow("senha do administrador") << "KORVA" << QStringList{kInvalida} << "TxtSenha";
        QTest::newRow("senha vazia") << "" << QStringList() << "BtnOK";
    }

    void inicio_alterar_nome()
    {
        QFETCH(QString, senhaAdm);
        QFETCH(QStringList, mensagens);
        QFETCH(QString, foco);
        amb_ = std::make_unique<Ambiente>();
        Gravar(ArquivoDatilux::kChaveMostrarSenha, QStringLiteral("1"));
        Cadastrar(QStringLiteral("ALTERAR NOME"));
        D().SenhaAdmAtual = senhaAdm;

        auto login = Abrir<TestaSenha>(qPrintable(foco));
        QVERIFY(login);
        QCOMPARE(msgs_->Textos(), mensagens);
        QCOMPARE(Filho<QLabel>(login.get(), "LblNome")->text(), QStringLiteral("Administrador"));
        if (mensagens.isEmpty()) {
            Tecla(Qt::Key_Return);
            QCOMPARE(D().RespostaDialogo[0], QStringLiteral("OK"));
            QCOMPARE(D().NomeUsuario, QStringLiteral("Administrador"));
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
        D().TextoConfig.clear();
        QString valor, erro;
        QVERIFY(ArquivoDatilux::LerConfig(D(), ArquivoDatilux::kChaveSenhaAdm, valor, erro));
        QCOMPARE(valor, gravada);

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
