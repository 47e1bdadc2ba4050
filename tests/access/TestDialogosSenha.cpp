#include "access/ArquivoAlunos.h"
#include "access/ArquivoDatilux.h"
#include "access/InfoSenha.h"
#include "access/MsgSenha.h"
#include "access/MudaSenha.h"
#include "access/TestaSenha.h"
#include "common/Mensagem.h"
#include "support/Ambiente.h"
#include "support/Arquivos.h"
#include "support/DialogoModal.h"
#include "support/LimiteArquivo.h"
#include "support/Tabela.h"
#include "support/Teclado.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>

#include <memory>
#include <optional>

namespace {

const QString kInvalida = QStringLiteral("Senha inválida!");
const QString kNaoCadastrado = QStringLiteral("Código não cadastrado!");

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

    // What the file holds now, not the cache.
    QString Guardado(const QString &chave)
    {
        D().TextoConfig.clear();
        QString valor, erro;
        return ArquivoDatilux::LerConfig(D(), chave, valor, erro) ? valor : erro;
    }

    // A fresh data folder: the store, three students whose passwords differ in case from what the
    // tests type, and a deleted student (a blank slot) as code 0004.
    void Preparar(const QString &mostrarSenha = QStringLiteral("1"), const QString &nome1 = QStringLiteral("ANA"))
    {
        amb_ = std::make_unique<Ambiente>();
        D().SenhaAdmAtual = QStringLiteral("KORVA");
        QString erro;
        QVERIFY(ArquivoDatilux::GravarConfig(D(), ArquivoDatilux::kChaveSenhaAdm, D().SenhaAdmAtual, erro));
        QVERIFY(mostrarSenha.isEmpty()
                || ArquivoDatilux::GravarConfig(D(), ArquivoDatilux::kChaveMostrarSenha, mostrarSenha, erro));
        QVERIFY(Cadastrar(D(), {AlunoDe(1, nome1, 1, 1, "ana1"), AlunoDe(2, "BRUNO", 1, 1, "BRUNO"),
                                AlunoDe(3, "CARLA", 1, 1, "CaRla"), AlunoDe(4, "", 1, 1, "")}));
    }

    // Shown as the main window shows it, and the focus where a person finds it.
    template <class T>
    std::unique_ptr<T> Abrir(const char *foco)
    {
        auto janela = std::make_unique<T>(D());
        return Mostrar(janela.get(), Filho(janela.get(), foco)) ? std::move(janela) : nullptr;
    }

    // How a dialog ended: confirmed ("OK") or cancelled ("CANCELAR") without a message, or still open
    // after a failed check, with one critical message and the box to correct focused. A click on OK
    // that follows runs the check again and does not confirm.
    void Desfecho(QDialog *dlg, int indice, const QString &resposta, const QString &mensagem, const char *caixa)
    {
        QCOMPARE(D().RespostaDialogo[indice], resposta);
        QCOMPARE(dlg->isVisible(), resposta.isEmpty());
        if (!resposta.isEmpty()) {
            QCOMPARE(dlg->result(), int(resposta == "OK" ? QDialog::Accepted : QDialog::Rejected));
            QVERIFY(msgs_->mensagens.isEmpty());
            return;
        }
        QCOMPARE(msgs_->Textos(), QStringList{mensagem});
        QCOMPARE(msgs_->mensagens[0].icone, Mensagem::Icone::Critico);
        QCOMPARE(Foco(), Filho(dlg, caixa));
        QTest::mouseClick(Filho(dlg, "BtnOK"), Qt::LeftButton);
        QVERIFY(dlg->isVisible());
        QCOMPARE(msgs_->Textos(), QStringList(2, mensagem));
        QVERIFY(D().RespostaDialogo[indice].isEmpty());
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
        // codigo: TxtCodigo afterwards
        // nome: LblNome afterwards
        // resposta: RespostaDialogo[0]; empty: still open after `mensagem`
        Colunas<QString, QString, QString, QString, QString>("roteiro", "codigo", "nome", "resposta", "mensagem");
        const auto linha = [](const char *nome, const char *roteiro, const char *codigo, const char *aluno,
                              const char *resposta, const QString &mensagem = {}) {
            QTest::newRow(nome) << QString(roteiro) << QString(codigo) << QString(aluno) << QString(resposta)
                                << mensagem;
        };
        linha("administrador sem codigo", "\nkorva\n\n", "0000", "Administrador", "OK");
        linha("administrador 0, clique", "0\nKoRvA{BtnOK}", "0000", "Administrador", "OK");
        linha("senha minuscula digitada maiuscula", "1\nANA1\n\n", "0001", "ANA", "OK");
        linha("senha maiuscula digitada minuscula, setas", "2↓bruno↓\n", "0002", "BRUNO", "OK");
        linha("codigo 3 de 3, clique", "03\ncarla{BtnOK}", "0003", "CARLA", "OK");
        linha("7 vira 0007, alem dos registros", "7\n", "0007", "", "", kNaoCadastrado);
        linha("aluno excluido", "4\n", "0004", "", "", kNaoCadastrado);
        linha("senha do administrador", "\nkorv\n", "0000", "Administrador", "", kInvalida);
        linha("senha de aluno, setas", "1↓ana↓", "0001", "ANA", "", kInvalida);
        linha("senha de aluno vazia", "3\n\n", "0003", "CARLA", "", kInvalida);
        linha("Cancelar", "1\nana1{BtnCancelar}", "0001", "ANA", "CANCELAR");
        linha("Escape", "1\nana1\x1b", "0001", "ANA", "CANCELAR");
        linha("barra de titulo", "1\nana1×", "0001", "ANA", "CANCELAR");
    }

    void login()
    {
        BUSCAR(QString, codigo, QString, nome, QString, resposta, QString, roteiro, QString, mensagem);
        const QByteArray antes = amb_->Ler(ArquivoDatilux::kNomeArquivo);
        auto login = Abrir<TestaSenha>("TxtCodigo");
        QVERIFY(login);
        Teclar(roteiro, login.get());
        // The code is shown in four digits as soon as it is checked, the name below it.
        QCOMPARE(Filho<QLineEdit>(login.get(), "TxtCodigo")->text(), codigo);
        QCOMPARE(Filho<QLabel>(login.get(), "LblNome")->text(), nome);
        // The box to correct is selected, ready to be typed over.
        auto *caixa = Filho<QLineEdit>(login.get(), mensagem == kInvalida ? "TxtSenha" : "TxtCodigo");
        QVERIFY(mensagem.isEmpty() || caixa->selectedText() == caixa->text());
        Desfecho(login.get(), 0, resposta, mensagem, qPrintable(caixa->objectName()));
        QCOMPARE(amb_->Ler(ArquivoDatilux::kNomeArquivo), antes);
        if (resposta == "OK") {
            QCOMPARE(D().NomeUsuario, nome);
            QCOMPARE(D().AlunoAtual.Codigo, nome == "Administrador" ? QString() : codigo);
        }
    }

    // The first activation: the first-run notice unless dismissed for good, then the boxes or, on a
    // fresh installation ("ALTERAR NOME"), OK.
    void inicio_data()
    {
        // marcar: ChkMsg ticked on the notice
        Colunas<QString, bool, QString, QString, QString>("mostrarSenha", "marcar", "nome1", "senhaAdm", "foco");
        const auto linha = [](const char *nome, const char *mostrar, bool marcar, const char *nome1,
                              const char *senhaAdm, const char *foco) {
            QTest::newRow(nome) << QString(mostrar) << marcar << QString(nome1) << QString(senhaAdm)
                                << QString(foco);
        };
        linha("aviso marcado", "", true, "ANA", "KORVA", "TxtCodigo");
        linha("aviso sem marcar", "", false, "ANA", "KORVA", "TxtCodigo");
        linha("aviso dispensado", "1", false, "ANA", "KORVA", "TxtCodigo");
        linha("senha mudada: sem aviso", "", false, "ANA", "OUTRA", "TxtCodigo");
        linha("ALTERAR NOME", "1", false, "ALTERAR NOME", "KORVA", "TxtSenha");
        linha("ALTERAR NOME, senha vazia", "1", false, "ALTERAR NOME", "", "BtnOK");
    }

    void inicio()
    {
        BUSCAR(QString, mostrarSenha, bool, marcar, QString, nome1, QString, foco, QString, senhaAdm);
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
        // The notice tells the default password: only while it is the one in force.
        QCOMPARE(texto, mostrarSenha.isEmpty() && senhaAdm == "KORVA"
                            ? QStringLiteral("Para acessar o Datilux\r\ninforme os seguintes dados:\r\n\r\n"
                                             "Código de administrador: 0000\r\nSenha de administrador: KORVA")
                            : QString());
        QCOMPARE(Guardado(ArquivoDatilux::kChaveMostrarSenha), marcar ? QStringLiteral("1") : mostrarSenha);
        // A fresh installation checks the empty boxes at once: the administrator with an empty password.
        QCOMPARE(msgs_->Textos(), foco == "TxtSenha" ? QStringList{kInvalida} : QStringList());
        if (foco == "BtnOK") {
            QCOMPARE(Filho<QLabel>(login.get(), "LblNome")->text(), QStringLiteral("Administrador"));
            Teclar("\n", login.get());
            QCOMPARE(D().RespostaDialogo[0], QStringLiteral("OK"));
        }
    }

    // A settings store the start-up could not use: it is reported once and left as it was, the
    // administrator is refused with that report wherever a password is asked for, students log in.
    void armazemInutilizavel_data()
    {
        // conteudo: the store's bytes; null: prepared by `modo`
        // mensagem: how the report begins; %1 is the file's path
        // nome1: the name of student 0001
        Colunas<QByteArray, QString, QString, QString>("conteudo", "modo", "mensagem", "nome1");
        const QString abrir = QStringLiteral("Não foi possível abrir o arquivo %1: ");
        const QString danificado = QStringLiteral("O arquivo %1 está danificado");
        const QByteArray senhaAberta = "#!" + Emb("SenhaAdm") + "#@" + Emb("SEGREDO");
        QTest::newRow("pasta com o nome do arquivo") << QByteArray() << "pasta" << abrir << "ANA";
        QTest::newRow("pasta com o nome do arquivo, instalação nova")
            << QByteArray() << "pasta" << abrir << "ALTERAR NOME";
        QTest::newRow("sem permissão de leitura") << QByteArray() << "sem permissao" << abrir << "ANA";
        QTest::newRow("pasta só de leitura, sem o arquivo")
            << QByteArray() << "somente leitura" << QStringLiteral("Não foi possível criar o arquivo %1: ")
            << "ANA";
        QTest::newRow("disco cheio na primeira execução")
            << QByteArray() << "disco cheio" << QStringLiteral("Não foi possível gravar o arquivo %1: ") << "ANA";
        QTest::newRow("senha sem marca de fim, outra entrada depois")
            << senhaAberta + Entrada("MostrarSenha", "1") << "" << danificado << "ANA";
        QTest::newRow("senha sem marca de valor")
            << "#!" + Emb("SenhaAdm") + "#$" + Entrada("MostrarSenha", "1") << "" << danificado << "ANA";
        QTest::newRow("cortado na chave")
            << Entrada("MostrarSenha", "1") + "#!" + Emb("Senha") << "" << danificado << "ANA";
    }
    void armazemInutilizavel()
    {
        BUSCAR(QByteArray, conteudo, QString, modo, QString, nome1, QString, mensagem);
        Preparar(QString(), nome1); // no "MostrarSenha": nothing but the store's state keeps the notice away
        const QString arquivo = amb_->Caminho(ArquivoDatilux::kNomeArquivo);
        QVERIFY(QFile::remove(arquivo));
        const auto restaurar = qScopeGuard([&] {
            QFile::setPermissions(amb_->dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            QFile::setPermissions(arquivo, QFile::ReadOwner | QFile::WriteOwner);
        });
        std::optional<LimiteArquivo> disco;
        if (!conteudo.isNull()) {
            QVERIFY(amb_->Gravar(ArquivoDatilux::kNomeArquivo, conteudo));
        } else if (modo == "pasta") {
            QVERIFY(QDir().mkdir(arquivo));
        } else if (modo == "sem permissao") {
            QVERIFY(amb_->Gravar(ArquivoDatilux::kNomeArquivo, Entrada("SenhaAdm", "KORVA")));
            QFile::setPermissions(arquivo, {});
            if (QFile(arquivo).open(QIODevice::ReadOnly))
                QSKIP("this user reads files whatever their permissions");
        } else if (modo == "somente leitura") {
            QFile::setPermissions(amb_->dir.path(), QFile::ReadOwner | QFile::ExeOwner);
            if (QFile(arquivo).open(QIODevice::WriteOnly) && QFile::remove(arquivo))
                QSKIP("this user writes into folders whatever their permissions");
        } else if (modo == "disco cheio") {
            disco.emplace(5);
        }
        const QByteArray antes = amb_->Ler(ArquivoDatilux::kNomeArquivo);
        D().TextoConfig.clear(); // a new start: nothing read yet
        QString erro;
        QVERIFY(!ArquivoDatilux::CarregarSenhaAdm(D(), erro));
        disco.reset();
        QVERIFY2(erro.startsWith(mensagem.arg(arquivo)), qPrintable(erro));
        QCOMPARE(D().FalhaSenhaAdm, erro);
        QCOMPARE(amb_->Ler(ArquivoDatilux::kNomeArquivo), antes);

        // The start-up has reported it: the login adds no message, no notice of a default password
        // that is not in force, and a new installation does not start on the administrator's OK.
        bool aviso = false;
        AoAbrirModal<MsgSenha>(
            [&](MsgSenha *msg) {
                aviso = true;
                msg->accept();
            },
            1500);
        auto login = Abrir<TestaSenha>("TxtCodigo");
        QVERIFY(login);
        QVERIFY(!aviso);
        QCOMPARE(msgs_->Textos(), QStringList());
        Teclar("\n", login.get());
        QCOMPARE(msgs_->Textos(), QStringList{erro});
        QCOMPARE(Foco(), Filho(login.get(), "TxtCodigo"));
        Teclar("1\nana1\n\n", login.get());
        QCOMPARE(D().RespostaDialogo[0], QStringLiteral("OK"));
        QCOMPARE(D().NomeUsuario, nome1);

        auto info = Abrir<InfoSenha>("TxtSenha");
        QVERIFY(info);
        Teclar("\n", info.get());
        QCOMPARE(msgs_->Textos(), QStringList(2, erro));
        QVERIFY(info->isVisible());
        QCOMPARE(amb_->Ler(ArquivoDatilux::kNomeArquivo), antes);
    }

    // ---- administrator password: asked for (InfoSenha) and changed (MudaSenha) --------------------

    void senhaAdm_data()
    {
        // vale: the password in force afterwards (for InfoSenha, before too)
        // resposta: RespostaDialogo[1]; empty: still open after `mensagem`
        Colunas<QString, QString, QString, QString, QString>("janela", "roteiro", "vale", "resposta", "mensagem");
        const QString naoAceita = QStringLiteral("Senha não aceita: A senha %1. Escolha outra senha!");
        const auto linha = [](const char *nome, const char *janela, const char *roteiro, const char *vale,
                              const char *resposta, const QString &mensagem = {}) {
            QTest::newRow(nome) << QString(janela) << QString(roteiro) << QString(vale) << QString(resposta)
                                << mensagem;
        };
        linha("pedida em minusculas", "InfoSenha", "korva\n\n", "KORVA", "OK");
        linha("pedida em mistas, clique", "InfoSenha", "kOrVa{BtnOK}", "KORVA", "OK");
        linha("pedida vazia contra vazia", "InfoSenha", "\n\n", "", "OK");
        linha("pedida com 11, a caixa fica com 10", "InfoSenha", "abcdefghijk\n\n", "ABCDEFGHIJ", "OK");
        linha("pedida errada", "InfoSenha", "korvo\n", "KORVA", "", kInvalida);
        linha("pedida vazia contra senha", "InfoSenha", "\n", "KORVA", "", kInvalida);
        linha("mudada, gravada em maiusculas", "MudaSenha", "nova\nNoVa\n\n", "NOVA", "OK");
        // The login takes 10 characters: a longer password could never be typed there.
        linha("mudada com 12, guardada com 10", "MudaSenha", "abcdefghijkl\nABCDEFGHIJKL\n\n", "ABCDEFGHIJ", "OK");
        linha("confirmada com 11", "MudaSenha", "abcdefghij\nabcdefghijk\n\n", "ABCDEFGHIJ", "OK");
        linha("mudada, ambas vazias", "MudaSenha", "\n\n\n", "", "OK");
        linha("mudada, acentos", "MudaSenha", "ação\nAÇÃO\n\n", "AÇÃO", "OK");
        linha("nao confere", "MudaSenha", "abc\nabd\n", "KORVA", "", QStringLiteral("Senha não confere!"));
        linha("marcador embaralhado", "MudaSenha", "xÜÛy\nxüûy\n", "KORVA", "",
              naoAceita.arg("não pode conter \"ÜÛ\""));
        linha("fora do codigo de pagina", "MudaSenha", "Ωmega\nΩmega\n", "KORVA", "",
              naoAceita.arg("contém caracteres que o arquivo não comporta (Ω)"));
        // Cancelled with something valid typed, so that only the way of closing decides.
        for (const char *janela : {"InfoSenha", "MudaSenha"})
            for (const char *modo : {"{BtnCancelar}", "\x1b", "×"})
                QTest::addRow("%s, %s", janela, modo)
                    << janela << QString("korva\nkorva") + modo << "KORVA" << QStringLiteral("CANCELAR") << "";
    }

    void senhaAdm()
    {
        BUSCAR(QString, janela, QString, vale, QString, resposta, QString, roteiro, QString, mensagem);
        const bool mudar = janela == "MudaSenha";
        const QByteArray antes = amb_->Ler(ArquivoDatilux::kNomeArquivo);
        if (!mudar)
            D().SenhaAdmAtual = vale;
        std::unique_ptr<QDialog> dlg =
            mudar ? std::unique_ptr<QDialog>(Abrir<MudaSenha>("TxtSenha")) : Abrir<InfoSenha>("TxtSenha");
        QVERIFY(dlg);
        QCOMPARE(dlg->windowTitle(), mudar ? "Mudar senha de administrador" : "Senha de administrador");
        Teclar(roteiro, dlg.get());
        Desfecho(dlg.get(), 1, resposta, mensagem, "TxtSenha");
        QCOMPARE(D().SenhaAdmAtual, vale);
        // Only a confirmed change touches the store; the new password then opens the login, whatever its case.
        const bool mudou = mudar && resposta == "OK";
        QCOMPARE(amb_->Ler(ArquivoDatilux::kNomeArquivo) == antes, !mudou);
        if (!mudou)
            return;
        QCOMPARE(Guardado(ArquivoDatilux::kChaveSenhaAdm), vale);
        auto login = Abrir<TestaSenha>("TxtCodigo");
        QVERIFY(login);
        Teclar("\n" + vale.toLower() + "\n\n", login.get());
        QCOMPARE(D().RespostaDialogo[0], QStringLiteral("OK"));
    }
};

QTEST_MAIN(TestDialogosSenha)
#include "TestDialogosSenha.moc"
