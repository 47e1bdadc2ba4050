#pragma once

#include <QDialog>
#include <QString>

class FlatButton;
class Plataforma;
class QLabel;

// The About box: the program's emblem, name and version, two lines about it and the support address,
// which opens the user's mail program when clicked. Modal; OK closes it.
class Sobre : public QDialog {
    Q_OBJECT

public:
    static inline const QString kTitulo = QStringLiteral("Sobre o Datilux");
    static inline const QString kEmailSuporte = QStringLiteral("suporte@datilux.example");

    // `plataforma` opens the mail address; it must outlive the window.
    Sobre(Plataforma &plataforma, QWidget *pai = nullptr);
    ~Sobre() override;

protected:
    bool eventFilter(QObject *objeto, QEvent *evento) override;

private:
    void Label3_Click();

    Plataforma &plataforma_;

    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label6 = nullptr;
    QLabel *Label7 = nullptr;
    QLabel *Label3 = nullptr;
    FlatButton *BtnOK = nullptr;
};
