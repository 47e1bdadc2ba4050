#pragma once

#include "resultados/ArmazemResultados.h"

#include <QDialog>

class Digita;
class FlatButton;
class QComboBox;
class QLineEdit;

// "Banco de resultados", for the administrator: where the results are kept. SQLite keeps them in
// Resultados.db in the data folder; PostgreSQL on a school server (server, port, database, user,
// password). "Testar conexão" tries the settings on screen without storing them, off the window's
// thread; OK stores them in Datilux.arq (all keys in one write) and closes, Cancelar stores nothing.
// The new settings take effect at the program's next start.
class BancoResultados : public QDialog {
    Q_OBJECT

public:
    static inline const QString kTitulo = QStringLiteral("Banco de resultados");
    static inline const QString kConexaoOk =
        QStringLiteral("Conexão bem-sucedida: o banco de resultados está pronto.");

    explicit BancoResultados(Digita &digita, QWidget *pai = nullptr);
    ~BancoResultados() override;

    // The settings as the boxes show them.
    ConfigBanco Config() const;

private:
    void MostrarTipo();
    void BtnTestar_Click();
    void BtnOK_Click();

    Digita &digita_;
    ConfigBanco inicial_;
    bool testando_ = false;

    QComboBox *CboTipo = nullptr;
    QLineEdit *TxtServidor = nullptr;
    QLineEdit *TxtPorta = nullptr;
    QLineEdit *TxtNome = nullptr;
    QLineEdit *TxtUsuario = nullptr;
    QLineEdit *TxtSenha = nullptr;
    FlatButton *BtnTestar = nullptr;
    FlatButton *BtnOK = nullptr;
    FlatButton *BtnCancelar = nullptr;
};
