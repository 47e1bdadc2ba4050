#pragma once

#include <QDialog>

class Digita;
class FlatButton;
class QLineEdit;

// The administrator password prompt, shown before an action only the administrator may take.
// Shown modally; on return RespostaDialogo[1] is "OK" (the password matched SenhaAdmAtual,
// regardless of case, and OK was clicked) or "CANCELAR" (Cancel, Escape, the title bar's close).
// Enter moves on like Tab; the password is checked when OK receives the focus. While
// FalhaSenhaAdm is set no password is accepted, and the message says why.
class InfoSenha : public QDialog {
    Q_OBJECT

public:
    static inline const QString kTitulo = QStringLiteral("Senha de administrador");

    explicit InfoSenha(Digita &digita, QWidget *pai = nullptr);
    ~InfoSenha() override;

    void reject() override;

private:
    void BtnOK_GotFocus();
    void BtnOK_Click();

    Digita &digita_;
    // The last check passed and the box has not changed since.
    bool aprovado_ = false;

    QLineEdit *TxtSenha = nullptr;
    FlatButton *BtnOK = nullptr;
    FlatButton *BtnCancelar = nullptr;
};
