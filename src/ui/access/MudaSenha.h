#pragma once

#include <QDialog>

class Digita;
class FlatButton;
class QLineEdit;

// The administrator password change: the new password twice. Shown modally; on return
// RespostaDialogo[1] is "OK" or "CANCELAR". With "OK" the password, upper-cased, is stored under
// "SenhaAdm" in Datilux.arq and is the new SenhaAdmAtual; a password that cannot be stored is
// refused before anything is written, and a failed write leaves the dialog open and SenhaAdmAtual
// as it was. Cancel, Escape and the title bar's close store nothing.
class MudaSenha : public QDialog {
    Q_OBJECT

public:
    static inline const QString kTitulo = QStringLiteral("Mudar senha de administrador");
    static inline const QString kSenhaNaoConfere = QStringLiteral("Senha não confere!");

    explicit MudaSenha(Digita &digita, QWidget *pai = nullptr);
    ~MudaSenha() override;

    void reject() override;

private:
    // The two entries must match (regardless of case) and the password must be storable.
    void BtnOK_GotFocus();
    void BtnOK_Click();
    void Recusar(const QString &mensagem);

    Digita &digita_;
    // The last check passed and no box has changed since.
    bool aprovado_ = false;

    QLineEdit *TxtSenha = nullptr;
    QLineEdit *TxtConfirma = nullptr;
    FlatButton *BtnOK = nullptr;
    FlatButton *BtnCancelar = nullptr;
};
