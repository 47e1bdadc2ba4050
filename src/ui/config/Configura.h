#pragma once

#include "common/Cores.h"
#include "common/Registros.h"

#include <QColor>
#include <QDialog>

#include <functional>
#include <optional>

class Digita;
class FlatButton;
class QCheckBox;
class QComboBox;
class QFrame;

// The configuration dialog: typing options, the font of the typing window and its four colours.
// It shows Config.arq (or the defaults when there is none); OK writes the record whole and closes,
// Cancel (or Escape, or the title bar's close) writes nothing. A failed write is shown, naming the
// file, and the dialog stays open. The caller re-applies the configuration after it closes.
class Configura : public QDialog {
    Q_OBJECT

public:
    static inline const QString kTitulo = QStringLiteral("Configurações");
    static inline const QString kCancelado = QStringLiteral("Cancelado pelo usuário!");

    // The colour chooser: the chosen colour, or nothing when the user cancelled it. `atual` is the
    // colour of the box the choice is for. Tests put their own chooser here; an empty function
    // means the platform's colour dialog.
    using EscolhaDeCor = std::function<std::optional<QColor>(QWidget *pai, const QColor &atual)>;
    static inline EscolhaDeCor EscolherCor;

    explicit Configura(Digita &digita, QWidget *pai = nullptr);
    ~Configura() override;

    // What the controls hold, as the record OK writes.
    ConfigRec Registro() const;

protected:
    void showEvent(QShowEvent *evento) override;

private:
    void Form_Load();
    // Once per opening: the list of the screen's fonts.
    void Form_Activate();
    void Escolher(QFrame *caixa);
    void BtnOK_Click();
    void Mostrar(const ConfigRec &rec);

    Digita &digita_;
    bool ativada_ = false;
    QString erroLeitura_;

    QComboBox *CmbNomeFonte = nullptr;
    QComboBox *CmbTamanhoFonte = nullptr;
    QFrame *CorLetra = nullptr;
    QFrame *CorFundo = nullptr;
    QFrame *CorJanela = nullptr;
    QFrame *CorFundoTexto = nullptr;
    FlatButton *BtnSelCorLetra = nullptr;
    FlatButton *BtnSelCorFundo = nullptr;
    FlatButton *BtnSelCorJanela = nullptr;
    FlatButton *BtnCorFundoTexto = nullptr;
    QCheckBox *ChkBackSpace = nullptr;
    QCheckBox *ChkTravar = nullptr;
    QCheckBox *ChkSom = nullptr;
    QCheckBox *ChkMarcarErros = nullptr;
    QCheckBox *ChkSomenteConcluido = nullptr;
    QCheckBox *ChkTeclado = nullptr;
    QComboBox *CmbTeclado = nullptr;
    QFrame *CorErros = nullptr;
    FlatButton *BtnCorErros = nullptr;
    FlatButton *BtnOK = nullptr;
    FlatButton *BtnCancelar = nullptr;
};
