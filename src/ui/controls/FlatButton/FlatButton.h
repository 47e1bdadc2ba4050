#pragma once

#include "common/Cores.h"
#include "controls/FlatButton/ModeloFlatButton.h"

#include <QFont>
#include <QPixmap>
#include <QStringList>
#include <QVariantMap>
#include <QWidget>

#include <optional>

class QLabel;

// The push button of every window: a face picture per state, an optional small icon left of the
// caption, both centred together on the face. It highlights while the pointer is over it or while
// it has the focus, flashes its pressed face when clicked and shows a separate face when disabled.
//
// The properties below are the button's designed interface. Use the `Enabled` property
// (DefinirEnabled), not QWidget::setEnabled: every paint re-applies `Enabled` to the input.
class FlatButton : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE DefinirCaption)
    Q_PROPERTY(Cor BackColor READ BackColor WRITE DefinirBackColor)
    Q_PROPERTY(Cor ForeColor READ ForeColor WRITE DefinirForeColor)
    Q_PROPERTY(QFont Font READ Font WRITE DefinirFont RESET SemFonte)
    Q_PROPERTY(QPixmap Picture READ Picture WRITE DefinirPicture)
    Q_PROPERTY(QPixmap DownPicture READ DownPicture WRITE DefinirDownPicture)
    Q_PROPERTY(QPixmap UpPicture READ UpPicture WRITE DefinirUpPicture)
    Q_PROPERTY(QPixmap EnFalsePic READ EnFalsePic WRITE DefinirEnFalsePic)
    Q_PROPERTY(QPixmap HighPicture READ HighPicture WRITE DefinirHighPicture)
    Q_PROPERTY(bool Enabled READ Enabled WRITE DefinirEnabled)
    Q_PROPERTY(qint32 Style READ Style WRITE DefinirStyle)
    Q_PROPERTY(QPixmap BackGround READ BackGround WRITE DefinirBackGround)

public:
    // Values a button has when its design does not store them.
    static inline const QString kCaptionPadrao = QStringLiteral("OK");
    static constexpr Cor kBackColorPadrao = RGB(200, 200, 255);
    static constexpr Cor kForeColorPadrao = RGB(0, 0, 0);
    // The colour a button gets when first placed on a window (IniciarPropriedades).
    static constexpr Cor kBackColorNovo = RGB(236, 233, 216);
    // How long the pressed face shows when the button is clicked.
    static constexpr int kPiscadaMs = 100;

    // A new button has the values of a design that stores nothing (as Carregar({})).
    explicit FlatButton(QWidget *pai = nullptr);
    ~FlatButton() override;

    // The size of the raised face (or the present size, without one).
    QSize sizeHint() const override;

    QString Caption() const { return caption_; }
    void DefinirCaption(const QString &caption);
    Cor BackColor() const { return backColor_; }
    void DefinirBackColor(Cor cor);
    Cor ForeColor() const { return foreColor_; }
    void DefinirForeColor(Cor cor);
    // Without a font of its own the button uses the font of the window it is on.
    QFont Font() const;
    void DefinirFont(const QFont &fonte);
    QPixmap Picture() const { return picture_; }
    void DefinirPicture(const QPixmap &figura);
    QPixmap DownPicture() const { return downPicture_; }
    void DefinirDownPicture(const QPixmap &figura);
    // Also resizes the button to the picture, so that the button takes the size of its raised face.
    QPixmap UpPicture() const { return upPicture_; }
    void DefinirUpPicture(const QPixmap &figura);
    QPixmap EnFalsePic() const { return enFalsePic_; }
    void DefinirEnFalsePic(const QPixmap &figura);
    QPixmap HighPicture() const { return highPicture_; }
    void DefinirHighPicture(const QPixmap &figura);
    bool Enabled() const { return enabled_; }
    void DefinirEnabled(bool enabled);
    qint32 Style() const { return style_; }
    void DefinirStyle(qint32 style);
    QPixmap BackGround() const { return backGround_; }
    void DefinirBackGround(const QPixmap &figura);

    // The values a button gets when it is first placed on a window: caption "OK", colour
    // RGB(236, 233, 216), enabled; nothing else. Paints Normal.
    void IniciarPropriedades();

    // Paints the highlighted face (the focus itself does not move).
    void SetaFoco();
    // Paints the idle face, on its first call only.
    void PerdeFoco();

    // Paints one face, places icon and caption, and applies Enabled.
    void DesenhaBotao(EstadoBotao estado);
    // The click: pressed face, a short pause during which the window keeps painting, highlighted
    // face, then Click. A call made while a flash is running is ignored.
    void ExecutaClique();

    // The design: properties whose value differs from the value a design that stores nothing
    // would give. Carregar reads every property (absent ones get those values) without painting.
    QVariantMap Salvar() const;
    void Carregar(const QVariantMap &propriedades);
    // The order in which the properties are saved.
    static QStringList OrdemPropriedades();

    // For tests and for anyone who needs to know what is on screen.
    EstadoBotao EstadoAtual() const { return estado_; }
    FaceBotao FaceAtual() const { return face_; }
    Cor CorDeFundoAtual() const { return corDeFundo_; }
    int ContaPinturas() const { return contaPinturas_; }
    bool Pressionado() const { return modelo_.Pressionado(); }
    bool MouseSobre() const { return modelo_.MouseSobre(); }
    bool DesabilitarArmado() const { return modelo_.DesabilitarArmado(); }

signals:
    void Click();
    // A character key while the button has the focus (Enter and Space after the click). The code is
    // the Windows-1252 code of the character; a directly connected handler may change it.
    void KeyPress(qint16 &KeyAscii);
    void MouseOver(bool Dentro);

protected:
    void paintEvent(QPaintEvent *evento) override;
    void resizeEvent(QResizeEvent *evento) override;
    void showEvent(QShowEvent *evento) override;
    void focusInEvent(QFocusEvent *evento) override;
    void focusOutEvent(QFocusEvent *evento) override;
    void keyPressEvent(QKeyEvent *evento) override;
    void keyReleaseEvent(QKeyEvent *evento) override;
    void mousePressEvent(QMouseEvent *evento) override;
    void mouseDoubleClickEvent(QMouseEvent *evento) override;
    void mouseMoveEvent(QMouseEvent *evento) override;
    void mouseReleaseEvent(QMouseEvent *evento) override;
    void enterEvent(QEnterEvent *evento) override;
    void leaveEvent(QEvent *evento) override;

private:
    // After a setter stored its value: paints, except while a design loads (the first paint then
    // comes from showing the button).
    void Mudou();
    // Back to the window's font: the button has none of its own.
    void SemFonte();
    void Aplicar(const ModeloFlatButton::Reacao &reacao);
    QPixmap FiguraDaFace(FaceBotao face) const;
    static qint16 CodigoDaTecla(const QKeyEvent *evento);

    QString caption_;
    Cor backColor_ = kBackColorPadrao;
    Cor foreColor_ = kForeColorPadrao;
    std::optional<QFont> fonte_;
    QPixmap picture_;
    QPixmap downPicture_;
    QPixmap upPicture_;
    QPixmap enFalsePic_;
    QPixmap highPicture_;
    bool enabled_ = true;
    qint32 style_ = 0;
    QPixmap backGround_;

    ModeloFlatButton modelo_;
    EstadoBotao estado_ = EstadoBotao::Normal;
    FaceBotao face_ = FaceBotao::Nenhuma;
    QPixmap figuraFace_;
    Cor corDeFundo_ = kBackColorPadrao;
    int contaPinturas_ = 0;

    bool carregando_ = false;
    bool emClique_ = false;
    // A double click's second press must not click again.
    bool semClique_ = false;
    bool arrastoDentro_ = false;

    QLabel *lblCaption_ = nullptr;
    QLabel *imagem_ = nullptr;
};
