#pragma once

// SpCombo: the program's combo box. A text box (TxtAux) with a small arrow button (PicUp) at its right
// end and a list (LstAux) that drops down below it. While the user types, the first item that begins
// with the typed text, ignoring case and Portuguese accents, is selected (SpComboModelo).
//
// Opening the list makes the control itself taller and brings it in front of its neighbours, so the
// list covers the controls below it; closing shrinks it back to the text box. Place the combo with
// plain geometry (move/resize), not in a layout, which would undo that growth.
//
// DblClick is raised when a choice is confirmed (arrow button while open, double-click or Enter in the
// list, Up or Enter in the text box) and every time the text box gets the focus.

#include "common/Cores.h"

#include <QFont>
#include <QPixmap>
#include <QStringList>
#include <QVariantMap>
#include <QWidget>

class QLineEdit;
class QListWidget;
class QKeyEvent;
class QMouseEvent;
class QInputMethodEvent;

class SpCombo : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString Text READ Text WRITE SetText)
    Q_PROPERTY(quint32 BackColor READ BackColor WRITE SetBackColor)
    Q_PROPERTY(quint32 ForeColor READ ForeColor WRITE SetForeColor)
    Q_PROPERTY(QFont Font READ Font WRITE SetFont RESET SemFonte)
    Q_PROPERTY(QPixmap UpPicture READ UpPicture WRITE SetUpPicture)
    Q_PROPERTY(QPixmap DownPicture READ DownPicture WRITE SetDownPicture)
    Q_PROPERTY(bool DefButton READ DefButton WRITE SetDefButton)
    Q_PROPERTY(bool Enabled READ Enabled WRITE DefinirEnabled)
    Q_PROPERTY(qint16 ListHeight READ ListHeight WRITE SetListHeight)

public:
    explicit SpCombo(QWidget *pai = nullptr);
    ~SpCombo() override;

    // Properties. Getters return the stored value: Text() is the text last copied from the parts
    // (at each key-up in the text box and each choice from the list), not the box's live content.
    QString Text() const { return text_; }
    void SetText(const QString &valor);
    Cor BackColor() const { return backColor_; }
    void SetBackColor(Cor valor);
    Cor ForeColor() const { return foreColor_; }
    void SetForeColor(Cor valor);
    // Until a font is given the parts use the container's font, and follow it.
    QFont Font() const;
    void SetFont(const QFont &valor);
    QPixmap UpPicture() const { return upPicture_; }
    void SetUpPicture(const QPixmap &valor);
    QPixmap DownPicture() const { return downPicture_; }
    void SetDownPicture(const QPixmap &valor);
    bool DefButton() const { return defButton_; }
    void SetDefButton(bool valor);
    bool Enabled() const { return enabled_; }
    void DefinirEnabled(bool valor);
    qint16 ListHeight() const { return listHeight_; } // twips
    void SetListHeight(qint16 valor);

    // Procedures.
    void AddItem(const QString &S);
    void Clear();
    void SelLista(); // raises DblClick

    // State.
    bool ListaAberta() const { return listaAberta_; }
    bool IgnoraClique() const { return ignoraClique_; }
    bool DesabilitarArmado() const { return desabilitarArmado_; }
    int NumeroItens() const;
    QString Item(int indice) const;
    QStringList Itens() const;

    // For windows that turn Enter into Tab: true when `alvo` (the receiver of a key event) is the list
    // of a combo whose list is dropped down. Enter there confirms the choice and must be left alone.
    // (Enter in the text box is handled by the combo before any window sees it.)
    static bool ListaAbertaEm(const QObject *alvo);

    // The same agreement as a call, for a window filter that asks the focused control first (see
    // EnterComoTab): does what Enter means to the combo for a key aimed at `alvo` (one of its parts) and
    // returns false when the key is spent (Enter in the open list), true when the window may move on.
    Q_INVOKABLE bool ProcessarEnter(QObject *alvo);

    // Applies the properties to the parts.
    void AtualizaCombo();

    // Persistence: a value equal to its load default is not stored; an empty map loads the defaults.
    QVariantMap Salvar() const;
    void Carregar(const QVariantMap &propriedades);
    static QStringList OrdemPropriedades();

    // The built-in arrow images (normal and pressed look, 19 x 17 pixels).
    QPixmap PicNormal() const { return picNormal_; }
    QPixmap PicDown() const { return picDown_; }
    static QPixmap DesenharSeta(bool pressionada);

    QSize sizeHint() const override;

signals:
    void Change();
    void Click();
    void KeyPress(qint16 &KeyAscii);
    void KeyDown(qint16 &KeyCode, qint16 &Shift);
    void KeyUp(qint16 &KeyCode, qint16 &Shift);
    void MouseDown(qint16 &Button, qint16 &Shift, float &X, float &Y);
    void MouseMove(qint16 &Button, qint16 &Shift, float &X, float &Y);
    void MouseUp(qint16 &Button, qint16 &Shift, float &X, float &Y);
    void DblClick();

protected:
    void resizeEvent(QResizeEvent *e) override;
    void showEvent(QShowEvent *e) override;
    bool eventFilter(QObject *alvo, QEvent *e) override;

private:
    class CaixaTexto;
    class Lista;
    class BotaoSeta;
    friend class CaixaTexto;
    friend class Lista;
    friend class BotaoSeta;

    void AbreLista();
    void FechaLista(bool confirmar);
    void SelecionarItem(int indice);
    QString ItemAtual() const;
    void CopiarItemAtual();
    void AjustarPartes();
    QFont FonteAmbiente() const;
    // After a setter stored its value: the parts take it, except while a design loads.
    void Mudou();
    // Back to the container's font: the combo has none of its own.
    void SemFonte();

    // Text box handlers.
    bool TxtAux_KeyDown(QKeyEvent *e); // true: the key is spent, the text box must not see it
    bool TxtAux_KeyDown(qint16 KeyCode, qint16 Shift, bool temCaractere);
    void TxtAux_KeyPressEvent(QKeyEvent *e);
    void TxtAux_KeyUp(QKeyEvent *e);
    void TxtAux_GotFocus();
    void TxtAux_InputMethod(QInputMethodEvent *e);
    bool TxtAux_Caractere(qint16 &KeyAscii); // search + KeyPress; false when the character is cancelled
    void TxtAux_Mouse(QMouseEvent *e, int tipo);

    // List handlers.
    void LstAux_Click();
    bool LstAux_KeyDown(QKeyEvent *e);
    void LstAux_KeyUp();
    void LstAux_MouseDown();
    void LstAux_DblClick();

    // Arrow button handlers.
    void PicUp_Click();
    void PicUp_MouseDown();
    void PicUp_MouseUp();

    void FocoMudou(QWidget *antes, QWidget *agora);

    CaixaTexto *txt_ = nullptr;
    Lista *lst_ = nullptr;
    BotaoSeta *pic_ = nullptr;
    QPixmap picNormal_;
    QPixmap picDown_;

    QString text_;
    Cor backColor_;
    Cor foreColor_;
    QFont font_;
    bool fonteDefinida_ = false;
    QPixmap upPicture_;
    QPixmap downPicture_;
    bool defButton_;
    bool enabled_;
    qint16 listHeight_;

    bool listaAberta_ = false;
    bool ignoraClique_ = false;
    bool desabilitarArmado_ = false;
    bool carregando_ = false;
    bool filtroInstalado_ = false;
    bool descidaTratada_ = false; // the key-down of the key now being delivered was already handled
};
