#pragma once

#include "access/ArquivoAlunos.h"

#include <QDialog>
#include <QImage>

#include <future>

class Digita;
class FlatButton;
class QLabel;
class QLineEdit;

// The login: a code (empty or 0 for the administrator, otherwise a student's record number in
// Alunos.arq) and a password. Shown modally; on return
//   - RespostaDialogo[0] is "OK" (a passed check and a click on OK) or "CANCELAR" (Cancel, Escape,
//     the title bar's close);
//   - NomeUsuario is the identified user's name ("Administrador" for code 0);
//   - AlunoAtual is the record of the student whose code was checked last (unchanged for the
//     administrator).
// NomeUsuario and AlunoAtual are set as soon as the code is checked, before the password is.
// While FalhaSenhaAdm is set, the administrator's code is refused with that message; students log
// in as usual. The first-run notice shows only while the default administrator password is in force.
//
// Enter moves on like Tab (Up and Down like Shift+Tab and Tab), so a whole login can be typed:
// code, Enter, password, Enter, Enter. The password is checked when OK receives the focus; a click
// on OK confirms only when that check passed and no box has changed since.
class TestaSenha : public QDialog {
    Q_OBJECT

public:
    static inline const QString kSenhaInvalida = QStringLiteral("Senha inválida!");
    // The name the installer gives record 1: a first login goes straight to OK with the boxes as
    // they are.
    static inline const QString kAlterarNome = QStringLiteral("ALTERAR NOME");

    explicit TestaSenha(Digita &digita, QWidget *pai = nullptr);
    ~TestaSenha() override;

    // Any close other than OK counts as cancelling.
    void reject() override;
    void done(int resultado) override;

    // The window's background picture: keycaps spelling the program's name over the gradient.
    // Safe on any thread (it paints an image).
    static QImage DesenharFundo(QSize tamanho);

    // The first login's background, drawn on another thread while the program starts (its lettering
    // loads fonts, a good part of the login's cost): the first login takes it instead of drawing its
    // own. Made once the application object exists, and ended before it is: the end waits for the
    // drawing.
    class FundoAdiantado {
    public:
        FundoAdiantado();
        ~FundoAdiantado();
        FundoAdiantado(const FundoAdiantado &) = delete;
        FundoAdiantado &operator=(const FundoAdiantado &) = delete;

    private:
        friend class TestaSenha;
        std::future<QImage> figura_;
    };

protected:
    void showEvent(QShowEvent *evento) override;
    void paintEvent(QPaintEvent *evento) override;

private:
    // Once per window, as soon as it is on screen: the first-run notice, then where to start.
    void Form_Activate();
    void TxtCodigo_GotFocus();
    // The code check: four-digit code, name shown, AlunoAtual read.
    void TxtSenha_GotFocus();
    // The credential check.
    void BtnOK_GotFocus();
    void BtnOK_Click();

    // A refused entry: the focus goes back to `caixa`, then the message.
    // Who the code is: the name to show and the password that opens it (a student also becomes
    // AlunoAtual). A code that is not registered, or a file that fails, is refused: false.
    bool IdentificarCodigo(int codigo, QString &nome, QString &senha);
    void Recusar(QWidget *caixa, const QString &mensagem);

    Digita &digita_;
    ArquivoAlunos alunos_;
    QString erroAbrir_;
    QImage fundo_;
    bool ativada_ = false;
    // The last credential check passed and no box has changed since.
    bool aprovado_ = false;

    QLineEdit *TxtCodigo = nullptr;
    QLineEdit *TxtSenha = nullptr;
    QLabel *LblNome = nullptr;
    FlatButton *BtnOK = nullptr;
    FlatButton *BtnCancelar = nullptr;
};
