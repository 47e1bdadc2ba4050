#pragma once

#include <QDialog>

class Digita;
class FlatButton;
class QCheckBox;
class QLabel;

// The first-run notice: tells how to log in as the administrator on a fresh installation, and can
// be told never to appear again. The login shows it modally; there is no result.
class MsgSenha : public QDialog {
    Q_OBJECT

public:
    // The notice text: five lines joined by CR LF.
    static QString TextoAviso();

    explicit MsgSenha(Digita &digita, QWidget *pai = nullptr);
    ~MsgSenha() override;

private:
    // Stores "MostrarSenha" = "1" when the box is ticked (a failed write is shown), then closes.
    void BtnOK_Click();

    Digita &digita_;
    QLabel *Label1 = nullptr;
    QCheckBox *ChkMsg = nullptr;
    FlatButton *BtnOK = nullptr;
};
