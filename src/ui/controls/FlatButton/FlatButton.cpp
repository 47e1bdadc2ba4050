#include "controls/FlatButton/FlatButton.h"

#include "common/CorQt.h"
#include "common/Cp1252.h"
#include "common/Twips.h"
#include "shared/Propriedades.h"

#include <QApplication>
#include <QEventLoop>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScopedValueRollback>
#include <QTimer>

namespace {

// The disabled caption: the classic grey of disabled text, readable on a greyed face.
const QColor kTextoDesabilitado(128, 128, 128);

QSize TamanhoDe(const QPixmap &figura)
{
    return figura.deviceIndependentSize().toSize();
}

} // namespace

FlatButton::FlatButton(QWidget *pai)
    : QWidget(pai)
    , caption_(kCaptionPadrao)
{
    setFocusPolicy(Qt::StrongFocus);
    // The faces are drawn at their own size: a layout must not stretch the button.
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setAttribute(Qt::WA_OpaquePaintEvent);

    // Caption and icon lie on the face; a click on them is a click on the button, and a tool tip
    // of the button shows over them too.
    lblCaption_ = new QLabel(this);
    lblCaption_->setObjectName(QStringLiteral("LblCaption"));
    lblCaption_->setTextFormat(Qt::PlainText);
    lblCaption_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblCaption_->setAutoFillBackground(false);
    lblCaption_->setAttribute(Qt::WA_TransparentForMouseEvents);

    imagem_ = new QLabel(this);
    imagem_->setObjectName(QStringLiteral("Imagem"));
    imagem_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    imagem_->setAutoFillBackground(false);
    imagem_->setAttribute(Qt::WA_TransparentForMouseEvents);
    imagem_->resize(0, 0);

    // A common button: 1215 × 375 twips.
    resize(Twips::px(1215), Twips::px(375));
}

FlatButton::~FlatButton() = default;

QSize FlatButton::sizeHint() const
{
    return upPicture_.isNull() ? size() : TamanhoDe(upPicture_);
}

// ---- properties ---------------------------------------------------------------------------------

void FlatButton::Mudou()
{
    if (!carregando_)
        DesenhaBotao(EstadoBotao::Normal);
}

void FlatButton::DefinirCaption(const QString &caption)
{
    caption_ = caption;
    Mudou();
}

void FlatButton::DefinirBackColor(Cor cor)
{
    backColor_ = cor;
    Mudou();
}

void FlatButton::DefinirForeColor(Cor cor)
{
    foreColor_ = cor;
    Mudou();
}

QFont FlatButton::Font() const
{
    if (fonte_)
        return *fonte_;
    return parentWidget() ? parentWidget()->font() : QApplication::font();
}

void FlatButton::DefinirFont(const QFont &fonte)
{
    fonte_ = fonte;
    // The button's own font is the one the caption is measured in.
    setFont(fonte);
    Mudou();
}

void FlatButton::SemFonte()
{
    fonte_.reset();
    setFont(QFont()); // the window's again
    Mudou();
}

void FlatButton::DefinirPicture(const QPixmap &figura)
{
    picture_ = figura;
    Mudou();
}

void FlatButton::DefinirDownPicture(const QPixmap &figura)
{
    downPicture_ = figura;
    Mudou();
}

void FlatButton::DefinirUpPicture(const QPixmap &figura)
{
    upPicture_ = figura;
    if (!figura.isNull() && !carregando_)
        resize(TamanhoDe(figura));
    Mudou();
}

void FlatButton::DefinirEnFalsePic(const QPixmap &figura)
{
    enFalsePic_ = figura;
    Mudou();
}

void FlatButton::DefinirHighPicture(const QPixmap &figura)
{
    highPicture_ = figura;
    Mudou();
}

void FlatButton::DefinirEnabled(bool enabled)
{
    enabled_ = enabled;
    modelo_.ArmarDesabilitar();
    Mudou();
}

void FlatButton::DefinirStyle(qint32 style)
{
    style_ = style;
    Mudou();
}

void FlatButton::DefinirBackGround(const QPixmap &figura)
{
    backGround_ = figura;
    Mudou();
}

void FlatButton::IniciarPropriedades()
{
    caption_ = kCaptionPadrao;
    backColor_ = kBackColorNovo;
    enabled_ = true;
    DesenhaBotao(EstadoBotao::Normal);
}

// ---- persistence --------------------------------------------------------------------------------

QStringList FlatButton::OrdemPropriedades()
{
    return Propriedades::Ordem(staticMetaObject);
}

QVariantMap FlatButton::Salvar() const
{
    return Propriedades::Salvar(*this, FlatButton());
}

void FlatButton::Carregar(const QVariantMap &propriedades)
{
    {
        const QScopedValueRollback carga(carregando_, true);
        Propriedades::Carregar(*this, propriedades, FlatButton());
    }
    modelo_.Reiniciar();
}

// ---- painting -----------------------------------------------------------------------------------

QPixmap FlatButton::FiguraDaFace(FaceBotao face) const
{
    switch (face) {
    case FaceBotao::UpPicture: return upPicture_;
    case FaceBotao::DownPicture: return downPicture_;
    case FaceBotao::HighPicture: return highPicture_;
    case FaceBotao::EnFalsePic: return enFalsePic_;
    case FaceBotao::BackGround: return backGround_;
    case FaceBotao::Nenhuma: break;
    }
    return QPixmap();
}

void FlatButton::DesenhaBotao(EstadoBotao estado)
{
    ++contaPinturas_;
    estado_ = estado;
    const QFont fonte = Font();

    // The face: the colour is set by the idle paint only, the picture by every paint; a missing
    // picture leaves the colour last set showing.
    if (ModeloFlatButton::DefineCorDeFundo(estado))
        corDeFundo_ = backColor_;
    face_ = ModeloFlatButton::Face(estado, style_, enabled_);
    figuraFace_ = FiguraDaFace(face_);

    // Icon and caption, centred as one block.
    const bool comFigura = !picture_.isNull();
    imagem_->setPixmap(picture_);
    if (comFigura)
        imagem_->resize(TamanhoDe(picture_));
    const QFontMetrics metricas(fonte);
    const int larguraTexto = metricas.horizontalAdvance(caption_);
    const PosicaoBotao pos = ModeloFlatButton::Centralizar(
        Twips::twips(width()), Twips::twips(height()), Twips::twips(larguraTexto), Twips::twips(metricas.height()),
        comFigura, Twips::twips(imagem_->width()), Twips::twips(imagem_->height()));
    if (pos.moveImagem)
        imagem_->move(Twips::px(pos.imagemLeft), Twips::px(pos.imagemTop));

    QPalette paleta = lblCaption_->palette();
    paleta.setColor(QPalette::Active, QPalette::WindowText, CorQt(foreColor_));
    paleta.setColor(QPalette::Inactive, QPalette::WindowText, CorQt(foreColor_));
    paleta.setColor(QPalette::Disabled, QPalette::WindowText, kTextoDesabilitado);
    lblCaption_->setPalette(paleta);
    lblCaption_->setFont(fonte);
    lblCaption_->setText(caption_);
    // A little wider than the advance, so that no overhanging glyph is cut.
    lblCaption_->setGeometry(Twips::px(pos.captionLeft), Twips::px(pos.captionTop), larguraTexto + 2,
                             metricas.height());

    if (enabled_) {
        lblCaption_->setEnabled(true);
        setEnabled(true);
    } else {
        lblCaption_->setEnabled(false);
        if (modelo_.PintarDesabilitado())
            setEnabled(false);
    }
    update();
}

void FlatButton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), CorQt(corDeFundo_));
    if (!figuraFace_.isNull())
        p.drawPixmap(0, 0, figuraFace_);
}

void FlatButton::resizeEvent(QResizeEvent *)
{
    DesenhaBotao(EstadoBotao::Normal);
}

void FlatButton::showEvent(QShowEvent *)
{
    DesenhaBotao(EstadoBotao::Normal);
}

// ---- focus and click ----------------------------------------------------------------------------

void FlatButton::SetaFoco()
{
    DesenhaBotao(EstadoBotao::High);
}

void FlatButton::PerdeFoco()
{
    if (modelo_.PerdeFoco())
        DesenhaBotao(EstadoBotao::Normal);
}

void FlatButton::focusInEvent(QFocusEvent *)
{
    DesenhaBotao(EstadoBotao::High);
}

void FlatButton::focusOutEvent(QFocusEvent *)
{
    DesenhaBotao(EstadoBotao::Normal);
}

void FlatButton::ExecutaClique()
{
    // A click that arrives while the pressed face is showing (a handler, a timer) would nest a
    // second pause inside the first: it is dropped.
    if (emClique_)
        return;
    emClique_ = true;
    QPointer<FlatButton> vivo(this);
    DesenhaBotao(EstadoBotao::Down);
    // The pressed face must stay long enough to be seen. The window keeps painting meanwhile;
    // keys and clicks wait until the flash is over.
    {
        QEventLoop pausa;
        QTimer::singleShot(kPiscadaMs, &pausa, &QEventLoop::quit);
        pausa.exec(QEventLoop::ExcludeUserInputEvents);
    }
    if (!vivo)
        return;
    emClique_ = false;
    DesenhaBotao(EstadoBotao::High);
    emit Click();
}

// ---- keyboard -----------------------------------------------------------------------------------

// The Windows-1252 code of the character a key types (13 for either Enter, 32 for Space), or -1
// for a key that types nothing.
qint16 FlatButton::CodigoDaTecla(const QKeyEvent *evento)
{
    if (evento->key() == Qt::Key_Return || evento->key() == Qt::Key_Enter)
        return 13;
    if (evento->key() == Qt::Key_Space)
        return 32;
    if (evento->text().isEmpty() || (evento->modifiers() & Qt::AltModifier))
        return -1;
    const QChar c = evento->text().at(0);
    if (c.unicode() == 0x7F) // Delete types nothing
        return -1;
    const int byte = Cp1252::paraByte(c);
    return qint16(byte >= 0 ? byte : c.unicode());
}

void FlatButton::keyPressEvent(QKeyEvent *evento)
{
    // The arrows walk the window's controls like Tab and Shift+Tab, and go no further.
    switch (evento->key()) {
    case Qt::Key_Down:
    case Qt::Key_Right:
        focusNextPrevChild(true);
        evento->accept();
        return;
    case Qt::Key_Up:
    case Qt::Key_Left:
        focusNextPrevChild(false);
        evento->accept();
        return;
    default: break;
    }

    qint16 keyAscii = CodigoDaTecla(evento);
    if (keyAscii < 0) {
        QWidget::keyPressEvent(evento);
        return;
    }

    // Characters stop at the button: the window does not see them. Escape is the one exception:
    // after the button has reported it, it still cancels the dialog the button sits on.
    const bool escape = evento->key() == Qt::Key_Escape;
    evento->setAccepted(!escape);
    QPointer<FlatButton> vivo(this);
    if (keyAscii == 13 || keyAscii == 32)
        ExecutaClique();
    if (vivo)
        emit KeyPress(keyAscii);
}

void FlatButton::keyReleaseEvent(QKeyEvent *evento)
{
    // The release of a key the button handled ends there too.
    const int k = evento->key();
    if (k == Qt::Key_Down || k == Qt::Key_Right || k == Qt::Key_Up || k == Qt::Key_Left
        || (k != Qt::Key_Escape && CodigoDaTecla(evento) >= 0))
        evento->accept();
    else
        QWidget::keyReleaseEvent(evento);
}

// ---- mouse --------------------------------------------------------------------------------------

void FlatButton::Aplicar(const ModeloFlatButton::Reacao &reacao)
{
    if (reacao.pintar)
        DesenhaBotao(*reacao.pintar);
    if (reacao.mouseOver)
        emit MouseOver(*reacao.mouseOver);
}

void FlatButton::mousePressEvent(QMouseEvent *evento)
{
    semClique_ = false;
    arrastoDentro_ = true;
    Aplicar(modelo_.Pressionar());
    evento->accept();
}

void FlatButton::mouseDoubleClickEvent(QMouseEvent *evento)
{
    // The second press of a double click presses the face but does not click again.
    if (!modelo_.Pressionado()) {
        arrastoDentro_ = true;
        Aplicar(modelo_.Pressionar());
    }
    semClique_ = true;
    evento->accept();
}

void FlatButton::mouseMoveEvent(QMouseEvent *evento)
{
    // Moves reach the button only while a mouse button is held (the press grabs the mouse).
    // Dragging off the button gives up the highlight as the pointer leaving would.
    if (!modelo_.Pressionado())
        return;
    const bool dentro = rect().contains(evento->position().toPoint());
    if (arrastoDentro_ && !dentro)
        Aplicar(modelo_.PonteiroFora());
    arrastoDentro_ = dentro;
}

void FlatButton::mouseReleaseEvent(QMouseEvent *evento)
{
    const bool dentro = rect().contains(evento->position().toPoint());
    const bool clica = dentro && evento->button() == Qt::LeftButton && !semClique_;
    semClique_ = false;
    QPointer<FlatButton> vivo(this);
    Aplicar(modelo_.Soltar(dentro));
    if (vivo && clica)
        ExecutaClique();
}

void FlatButton::enterEvent(QEnterEvent *)
{
    if (isEnabled())
        Aplicar(modelo_.PonteiroDentro());
}

void FlatButton::leaveEvent(QEvent *)
{
    Aplicar(modelo_.PonteiroFora());
}
