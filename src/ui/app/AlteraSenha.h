#pragma once

#include <QDialog>

class Digita;
class FlatButton;
class QLineEdit;

// "Alterar minha senha": a student changes their own password. The current password first, then
// the new one twice (at most 10 characters). The record is read afresh under the student file's
// lock and written only while it is still this student's and the current password still matches
// it, so that a change made meanwhile on another computer is never overwritten. Cancel, Escape
// and the title bar's close write nothing.
class AlteraSenha : public QDialog {
    Q_OBJECT

public:
    static inline const QString kTitulo = QStringLiteral("Alterar minha senha");
    static inline const QString kSenhaAtualErrada = QStringLiteral("Senha atual incorreta!");
    static inline const QString kSenhaNaoConfere = QStringLiteral("Senha não confere!");
    static inline const QString kSenhaVazia = QStringLiteral("Informe a nova senha!");
    static inline const QString kAlterada = QStringLiteral("Senha alterada com sucesso!");
    static inline const QString kCadastroMudou =
        QStringLiteral("O cadastro deste aluno foi alterado em outro computador. Entre novamente no programa!");

    explicit AlteraSenha(Digita &digita, QWidget *pai = nullptr);
    ~AlteraSenha() override;

private:
    void BtnOK_Click();
    void Recusar(QLineEdit *caixa, const QString &mensagem);

    Digita &digita_;
    QLineEdit *TxtAtual = nullptr;
    QLineEdit *TxtNova = nullptr;
    QLineEdit *TxtConfirma = nullptr;
    FlatButton *BtnOK = nullptr;
    FlatButton *BtnCancelar = nullptr;
};
