#pragma once

// The whole program over a temporary data folder, driven as a person would: the real main window,
// the real login typed on the keyboard, the message boxes recorded.

#include "access/ArquivoAlunos.h"
#include "access/ArquivoDatilux.h"
#include "access/TestaSenha.h"
#include "app/CaixaDigitacao.h"
#include "app/FrmTecloria.h"
#include "app/TextoPassagem.h"
#include "common/Mensagem.h"
#include "config/ArquivoConfig.h"
#include "support/Ambiente.h"
#include "support/Arquivos.h"
#include "support/DialogoModal.h"
#include "support/PlataformaTeste.h"
#include "support/Teclado.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <memory>

struct Programa {
    Ambiente amb;
    PlataformaTeste plataforma;
    Mensagem::Gravador mensagens;
    std::unique_ptr<FrmTecloria> janela;

    // `avisoInicial`: leave the first-run notice on (a new installation).
    explicit Programa(bool avisoInicial = false)
    {
        if (!avisoInicial) {
            QString erro;
            ArquivoDatilux::GravarConfig(amb.digita, ArquivoDatilux::kChaveMostrarSenha, QStringLiteral("1"),
                                         erro);
            amb.digita.TextoConfig.clear();
        }
    }

    ~Programa()
    {
        if (janela)
            janela->close();
    }

    bool Cadastrar(int codigo, const QString &nome, const QString &senha, int classe, int exercicio)
    {
        return ::Cadastrar(amb.digita, {AlunoDe(codigo, nome, classe, exercicio, senha)});
    }

    // Opens the program and logs in by keyboard (code, Enter, password, Enter, Enter).
    void Abrir(const QString &codigo, const QString &senha)
    {
        AoAbrirModal<TestaSenha>([codigo, senha](TestaSenha *login) {
            QTRY_VERIFY(login->findChild<QLineEdit *>(QStringLiteral("TxtCodigo"))->hasFocus());
            Teclar(codigo + u'\n' + senha + QStringLiteral("\n\n"));
        });
        janela = std::make_unique<FrmTecloria>(amb.digita, plataforma);
        janela->DefinirLarguraTela(1024);
        janela->show();
    }

    // Waits until the login has gone through and the window shows the user.
    bool Entrou() const
    {
        auto *aluno = Rotulo("LblAluno");
        return aluno && !aluno->text().trimmed().isEmpty();
    }

    // Opens the program, logs in and waits until the window shows who did.
    bool Entrar(const QString &codigo, const QString &senha)
    {
        Abrir(codigo, senha);
        return QTest::qWaitFor([this] { return Entrou(); });
    }
    bool EntrarAdministrador() { return Entrar(QString(), QStringLiteral("korva")); }
    // Student 1, "ANA", password "a", at the given place.
    bool EntrarAluno(int classe = 1, int exercicio = 1)
    {
        return Cadastrar(1, QStringLiteral("ANA"), QStringLiteral("a"), classe, exercicio)
               && Entrar(QStringLiteral("1"), QStringLiteral("a"));
    }

    // Config.arq with lock mode and Backspace as given, the rest at their defaults.
    bool Configurar(bool travar, bool backspace = true) const
    {
        ConfigRec rec;
        rec.Travar = travar ? 1 : 0;
        rec.BackSpace = backspace ? 1 : 0;
        QString erro;
        return ArquivoConfig::Gravar(amb.Caminho(QStringLiteral("Config.arq")), rec, erro);
    }

    QLabel *Rotulo(const char *nome) const { return janela->findChild<QLabel *>(QString::fromLatin1(nome)); }
    QString Texto(const char *nome) const { return Rotulo(nome)->text(); }
    CaixaDigitacao *Caixa() const { return janela->findChild<CaixaDigitacao *>(QStringLiteral("TxtDigita")); }
    TextoPassagem *Passagem() const { return janela->findChild<TextoPassagem *>(QStringLiteral("TxtTexto")); }
    QAction *Menu(const char *nome) const { return janela->findChild<QAction *>(QString::fromLatin1(nome)); }

    // The main window back in front, as it is when the login has closed on a desktop.
    bool Ativar() const
    {
        if (!janela->isActiveWindow())
            janela->activateWindow();
        return QTest::qWaitForWindowActive(janela.get());
    }

    // A shortcut as the student presses it, wherever the focus is in the window.
    void Atalho(Qt::Key tecla) const
    {
        if (!Ativar())
            return;
        QWidget *foco = QApplication::focusWidget() ? QApplication::focusWidget() : janela.get();
        QTest::keyClick(foco, tecla, Qt::ControlModifier);
    }
    void Comecar() const { Atalho(Qt::Key_C); }

    // The passage's lines, as the student types them.
    QStringList Linhas() const
    {
        QStringList l = Passagem()->Texto().split(QStringLiteral("\r\n"));
        l.removeLast();
        return l;
    }
};
