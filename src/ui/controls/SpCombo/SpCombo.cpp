#include "controls/SpCombo/SpCombo.h"

#include "common/CorQt.h"
#include "common/Teclas.h"
#include "common/Twips.h"
#include "controls/SpCombo/SpComboModelo.h"
#include "shared/Propriedades.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScopedValueRollback>
#include <QSignalBlocker>

using namespace SpComboModelo;

namespace {

bool TeclaTab(const QKeyEvent *e)
{
    return e->key() == Qt::Key_Tab || e->key() == Qt::Key_Backtab;
}

bool TeclaEnter(const QKeyEvent *e)
{
    return e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
}

qint16 CodigoTeclaDe(const QKeyEvent *e)
{
    return Teclas::Codigo(e->key(), e->modifiers().testFlag(Qt::KeypadModifier));
}

// The character a key types, as the KeyPress event gives it: Backspace, Enter and Esc count as
// characters, Ctrl with a letter gives its control code, Tab, Delete and Alt combinations give none.
bool CaractereDaTecla(const QKeyEvent *e, qint16 &KeyAscii)
{
    switch (e->key()) {
    case Qt::Key_Backspace: KeyAscii = 8; return true;
    case Qt::Key_Return:
    case Qt::Key_Enter: KeyAscii = 13; return true;
    case Qt::Key_Escape: KeyAscii = 27; return true;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete: return false;
    default: break;
    }
    const bool ctrl = e->modifiers().testFlag(Qt::ControlModifier);
    const bool alt = e->modifiers().testFlag(Qt::AltModifier);
    if (alt && !ctrl)
        return false;
    if (ctrl && !alt) { // Ctrl+Alt is AltGr on some keyboards: that one types its character
        if (e->key() >= Qt::Key_A && e->key() <= Qt::Key_Z) {
            KeyAscii = qint16(e->key() - Qt::Key_A + 1);
            return true;
        }
        return false;
    }
    const QString texto = e->text();
    if (texto.isEmpty() || texto.at(0).unicode() < 32 || texto.at(0).unicode() == 127)
        return false;
    KeyAscii = CodigoCaractere(texto.at(0));
    return true;
}

qint16 CodigoBotoes(Qt::MouseButtons botoes)
{
    qint16 r = 0;
    if (botoes & Qt::LeftButton)
        r |= kBotaoEsquerdo;
    if (botoes & Qt::RightButton)
        r |= kBotaoDireito;
    if (botoes & Qt::MiddleButton)
        r |= kBotaoMeio;
    return r;
}

} // namespace

// --- the parts -------------------------------------------------------------------------------------

class SpCombo::CaixaTexto : public QLineEdit {
public:
    explicit CaixaTexto(SpCombo *dono)
        : QLineEdit(dono)
        , dono_(dono)
    {}

    void TeclaPadrao(QKeyEvent *e) { QLineEdit::keyPressEvent(e); }
    void EntradaPadrao(QInputMethodEvent *e) { QLineEdit::inputMethodEvent(e); }

protected:
    void keyPressEvent(QKeyEvent *e) override { dono_->TxtAux_KeyPressEvent(e); }
    void keyReleaseEvent(QKeyEvent *e) override
    {
        QLineEdit::keyReleaseEvent(e);
        if (!e->isAutoRepeat())
            dono_->TxtAux_KeyUp(e);
    }
    void inputMethodEvent(QInputMethodEvent *e) override { dono_->TxtAux_InputMethod(e); }
    void focusInEvent(QFocusEvent *e) override
    {
        QLineEdit::focusInEvent(e);
        // Coming back to a window that was behind another is not the user moving to this box.
        if (e->reason() != Qt::ActiveWindowFocusReason && e->reason() != Qt::PopupFocusReason)
            dono_->TxtAux_GotFocus();
    }
    void mousePressEvent(QMouseEvent *e) override
    {
        QLineEdit::mousePressEvent(e);
        dono_->TxtAux_Mouse(e, 0);
    }
    void mouseMoveEvent(QMouseEvent *e) override
    {
        QLineEdit::mouseMoveEvent(e);
        dono_->TxtAux_Mouse(e, 1);
    }
    void mouseReleaseEvent(QMouseEvent *e) override
    {
        QLineEdit::mouseReleaseEvent(e);
        dono_->TxtAux_Mouse(e, 2);
        if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
            emit dono_->Click();
    }

private:
    SpCombo *dono_;
};

class SpCombo::Lista : public QListWidget {
public:
    explicit Lista(SpCombo *dono)
        : QListWidget(dono)
        , dono_(dono)
    {}

protected:
    void keyPressEvent(QKeyEvent *e) override
    {
        if (!dono_->LstAux_KeyDown(e))
            QListWidget::keyPressEvent(e);
    }
    void keyReleaseEvent(QKeyEvent *e) override
    {
        QListWidget::keyReleaseEvent(e);
        if (!e->isAutoRepeat())
            dono_->LstAux_KeyUp();
    }
    void mousePressEvent(QMouseEvent *e) override
    {
        dono_->LstAux_MouseDown();
        QListWidget::mousePressEvent(e);
    }
    void mouseDoubleClickEvent(QMouseEvent *e) override
    {
        QListWidget::mouseDoubleClickEvent(e);
        dono_->LstAux_DblClick();
    }

private:
    SpCombo *dono_;
};

// The arrow button: a picture, never a focus stop (the text box keeps the keyboard).
class SpCombo::BotaoSeta : public QWidget {
public:
    explicit BotaoSeta(SpCombo *dono)
        : QWidget(dono)
        , dono_(dono)
    {
        setFocusPolicy(Qt::NoFocus);
        setFixedSize(Twips::px(kSetaLargura), Twips::px(kSetaAltura));
    }

    void MostrarImagem(const QPixmap &imagem)
    {
        imagem_ = imagem;
        update();
    }
    QPixmap Imagem() const { return imagem_; }

protected:
    void paintEvent(QPaintEvent *) override
    {
        if (imagem_.isNull())
            return;
        QPainter p(this);
        p.drawPixmap(rect(), imagem_);
    }
    void focusInEvent(QFocusEvent *) override { dono_->txt_->setFocus(Qt::OtherFocusReason); }
    void mousePressEvent(QMouseEvent *e) override
    {
        e->accept();
        dono_->PicUp_MouseDown();
    }
    void mouseReleaseEvent(QMouseEvent *e) override
    {
        e->accept();
        dono_->PicUp_MouseUp();
        if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
            dono_->PicUp_Click();
    }

private:
    SpCombo *dono_;
    QPixmap imagem_;
};

// --- construction and properties -------------------------------------------------------------------

SpCombo::SpCombo(QWidget *pai)
    : QWidget(pai)
    , backColor_(kBackColorPadrao)
    , foreColor_(kForeColorPadrao)
    , defButton_(kDefButtonPadrao)
    , enabled_(kEnabledPadrao)
    , listHeight_(kListHeightPadrao)
{
    picNormal_ = DesenharSeta(false);
    picDown_ = DesenharSeta(true);

    txt_ = new CaixaTexto(this);
    txt_->setObjectName(QStringLiteral("TxtAux"));
    txt_->setMouseTracking(true);
    // Typed text stops short of the arrow button instead of running under it.
    txt_->setTextMargins(0, 0, Twips::px(kSetaLargura + 2 * kSetaRecuo), 0);

    pic_ = new BotaoSeta(this);
    pic_->setObjectName(QStringLiteral("PicUp"));
    pic_->MostrarImagem(picNormal_);
    pic_->setCursor(Qt::ArrowCursor);

    lst_ = new Lista(this);
    lst_->setObjectName(QStringLiteral("LstAux"));
    lst_->setSelectionMode(QAbstractItemView::SingleSelection);
    lst_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    lst_->setEnabled(false);
    pic_->raise();

    connect(txt_, &QLineEdit::textChanged, this, [this] { emit Change(); });
    connect(lst_, &QListWidget::currentRowChanged, this, [this] { LstAux_Click(); });
    connect(qApp, &QApplication::focusChanged, this, &SpCombo::FocoMudou);

    resize(sizeHint().width(), Twips::px(kAlturaMinima));
    AjustarPartes();
    lst_->resize(lst_->width(), Twips::px(listHeight_));
    AtualizaCombo();
}

SpCombo::~SpCombo()
{
    if (filtroInstalado_)
        qApp->removeEventFilter(this);
}

QSize SpCombo::sizeHint() const
{
    return {Twips::px(1500), qMax(Twips::px(kAlturaMinima), txt_->sizeHint().height())};
}

void SpCombo::Mudou()
{
    if (!carregando_)
        AtualizaCombo();
}

void SpCombo::SetText(const QString &valor)
{
    text_ = valor;
    Mudou();
}

void SpCombo::SetBackColor(Cor valor)
{
    backColor_ = valor;
    Mudou();
}

void SpCombo::SetForeColor(Cor valor)
{
    foreColor_ = valor;
    Mudou();
}

QFont SpCombo::Font() const
{
    return fonteDefinida_ ? font_ : FonteAmbiente();
}

void SpCombo::SetFont(const QFont &valor)
{
    font_ = valor;
    fonteDefinida_ = true;
    Mudou();
}

void SpCombo::SemFonte()
{
    font_ = QFont();
    fonteDefinida_ = false;
    Mudou();
}

void SpCombo::SetUpPicture(const QPixmap &valor)
{
    upPicture_ = valor;
    Mudou();
}

void SpCombo::SetDownPicture(const QPixmap &valor)
{
    downPicture_ = valor;
    Mudou();
}

void SpCombo::SetDefButton(bool valor)
{
    defButton_ = valor;
}

void SpCombo::DefinirEnabled(bool valor)
{
    enabled_ = valor;
    if (!carregando_)
        desabilitarArmado_ = true;
    Mudou();
}

void SpCombo::SetListHeight(qint16 valor)
{
    listHeight_ = valor;
    Mudou();
}

QFont SpCombo::FonteAmbiente() const
{
    return parentWidget() ? parentWidget()->font() : QApplication::font();
}

// --- procedures and state --------------------------------------------------------------------------

void SpCombo::AddItem(const QString &S)
{
    const QSignalBlocker bloqueio(lst_);
    lst_->addItem(S);
}

void SpCombo::Clear()
{
    // Emptying the list is not a choice: the text stays as it is.
    const QSignalBlocker bloqueio(lst_);
    lst_->clear();
}

void SpCombo::SelLista()
{
    emit DblClick();
}

int SpCombo::NumeroItens() const
{
    return lst_->count();
}

QString SpCombo::Item(int indice) const
{
    const QListWidgetItem *item = lst_->item(indice);
    return item ? item->text() : QString();
}

QStringList SpCombo::Itens() const
{
    QStringList r;
    r.reserve(lst_->count());
    for (int i = 0; i < lst_->count(); ++i)
        r << lst_->item(i)->text();
    return r;
}

bool SpCombo::ListaAbertaEm(const QObject *alvo)
{
    for (const QObject *o = alvo; o; o = o->parent()) {
        if (const auto *combo = qobject_cast<const SpCombo *>(o->parent()))
            return o == combo->lst_ && combo->listaAberta_;
    }
    return false;
}

QString SpCombo::ItemAtual() const
{
    const QListWidgetItem *item = lst_->currentItem();
    return item ? item->text() : QString();
}

void SpCombo::CopiarItemAtual()
{
    text_ = ItemAtual();
    if (txt_->text() != text_) // the same text again must not lose the box's selection
        txt_->setText(text_);
}

void SpCombo::SelecionarItem(int indice)
{
    if (indice < 0 || indice >= lst_->count())
        return; // nothing there: the previous selection stays
    {
        const QSignalBlocker bloqueio(lst_);
        lst_->setCurrentRow(indice);
    }
    lst_->scrollToItem(lst_->currentItem());
    // A selection made here counts as a selection change even when the row was already current.
    LstAux_Click();
}

// --- refresh, geometry, opening and closing --------------------------------------------------------

void SpCombo::AtualizaCombo()
{
    if (defButton_)
        pic_->MostrarImagem(upPicture_);
    pic_->move(Twips::px(Twips::twips(txt_->width()) - Twips::twips(pic_->width()) - kSetaRecuo),
               Twips::px(kSetaTopo));
    if (txt_->text() != text_)
        txt_->setText(text_);

    const QColor fundo = CorQt(backColor_);
    const QColor tinta = CorQt(foreColor_);
    for (QWidget *parte : {static_cast<QWidget *>(txt_), static_cast<QWidget *>(lst_)}) {
        QPalette p = parte->palette();
        p.setColor(QPalette::Base, fundo);
        p.setColor(QPalette::Active, QPalette::Text, tinta);
        p.setColor(QPalette::Inactive, QPalette::Text, tinta);
        // The item found while typing stays as clearly marked as when the list has the keyboard.
        p.setColor(QPalette::Inactive, QPalette::Highlight, p.color(QPalette::Active, QPalette::Highlight));
        p.setColor(QPalette::Inactive, QPalette::HighlightedText,
                   p.color(QPalette::Active, QPalette::HighlightedText));
        parte->setPalette(p);
        parte->setFont(fonteDefinida_ ? font_ : QFont());
    }

    if (listHeight_ >= 0)
        lst_->resize(lst_->width(), Twips::px(listHeight_));

    switch (RegraEnabled(enabled_, desabilitarArmado_)) {
    case Habilitacao::Habilitar:
        QWidget::setEnabled(true);
        txt_->setEnabled(true);
        pic_->setEnabled(true);
        break;
    case Habilitacao::Desabilitar:
        QWidget::setEnabled(false);
        txt_->setEnabled(false);
        pic_->setEnabled(false);
        break;
    case Habilitacao::Manter: break;
    }
}

void SpCombo::AjustarPartes()
{
    txt_->setGeometry(0, 0, width(), height());
    const Geometria g = CalcularGeometria(Twips::twips(width()), Twips::twips(height()), listHeight_, defButton_);
    pic_->move(Twips::px(g.setaEsquerda), Twips::px(kSetaTopo));
    lst_->setGeometry(0, Twips::px(g.listaTopo), width(), lst_->height());
}

void SpCombo::resizeEvent(QResizeEvent *)
{
    if (listaAberta_)
        return;
    raise();
    const Geometria g = CalcularGeometria(Twips::twips(width()), Twips::twips(height()), listHeight_, defButton_);
    if (Twips::twips(height()) != g.altura)
        resize(width(), Twips::px(g.altura));
    AjustarPartes();
    AtualizaCombo();
}

void SpCombo::showEvent(QShowEvent *)
{
    AtualizaCombo();
}

void SpCombo::AbreLista()
{
    raise();
    listaAberta_ = true;
    const int txtAltura = txt_->height();
    resize(txt_->width(), Twips::px(Twips::twips(lst_->height()) + Twips::twips(txtAltura) + kVaoLista));
    lst_->setEnabled(true);
    SelecionarItem(0);
}

void SpCombo::FechaLista(bool confirmar)
{
    listaAberta_ = false;
    if (confirmar)
        SelLista();
    resize(txt_->width(), txt_->height());
    // A disabled list cannot keep the keyboard, and Qt would pass it to the next control of the
    // window: the text box takes it instead, so the user stays where the choice was made.
    if (lst_->hasFocus())
        txt_->setFocus(Qt::OtherFocusReason);
    lst_->setEnabled(false);
}

// --- text box --------------------------------------------------------------------------------------

bool SpCombo::TxtAux_KeyDown(QKeyEvent *e)
{
    qint16 KeyAscii = 0;
    return TxtAux_KeyDown(CodigoTeclaDe(e), Teclas::CodigoShift(e->modifiers()), CaractereDaTecla(e, KeyAscii));
}

bool SpCombo::TxtAux_KeyDown(qint16 KeyCode, qint16 Shift, bool temCaractere)
{
    ignoraClique_ = true;
    emit KeyDown(KeyCode, Shift);
    if (KeyCode == kTeclaBaixo) {
        AbreLista();
        lst_->setFocus(Qt::OtherFocusReason);
        KeyCode = 0;
    } else if (KeyCode == kTeclaCima) {
        FechaLista(true);
        KeyCode = 0;
    } else if (KeyCode == kTeclaEnter) {
        if (listaAberta_)
            CopiarItemAtual();
        FechaLista(true);
    }
    return KeyCode == 0 && !temCaractere;
}

bool SpCombo::TxtAux_Caractere(qint16 &KeyAscii)
{
    if (AbreComCaractere(KeyAscii) && !listaAberta_)
        AbreLista();
    // The search runs on the text the character will extend. A selection is replaced by what is
    // typed (the box selects all its text when it gets the focus), so the selected part is not part
    // of it: typing "2" over a selected "1" looks for "2", not for "12".
    QString conteudo = txt_->text();
    if (txt_->hasSelectedText())
        conteudo.remove(txt_->selectionStart(), int(txt_->selectedText().size()));
    SelecionarItem(BuscaIncremental(Itens(), conteudo, Caractere(KeyAscii)));
    if (KeyAscii == kTeclaEnter)
        CopiarItemAtual();
    emit KeyPress(KeyAscii);
    return KeyAscii != 0;
}

void SpCombo::TxtAux_KeyPressEvent(QKeyEvent *e)
{
    // The key-down part normally ran already, in eventFilter, before the window could see the key.
    const bool descidaTratada = descidaTratada_;
    descidaTratada_ = false;
    if (!descidaTratada && !TeclaTab(e) && TxtAux_KeyDown(e)) {
        e->accept();
        return;
    }

    qint16 KeyAscii = 0;
    if (!CaractereDaTecla(e, KeyAscii)) {
        txt_->TeclaPadrao(e);
        return;
    }
    const qint16 original = KeyAscii;
    if (!TxtAux_Caractere(KeyAscii)) {
        e->accept(); // cancelled by the container
        return;
    }
    if (KeyAscii == original) {
        txt_->TeclaPadrao(e);
        return;
    }
    // The container typed another character instead.
    const Qt::Key tecla = KeyAscii == 8             ? Qt::Key_Backspace
                          : KeyAscii == kTeclaEnter ? Qt::Key_Return
                                                    : Qt::Key_unknown;
    QKeyEvent outra(QEvent::KeyPress, tecla, Qt::NoModifier, QString(Caractere(KeyAscii)));
    txt_->TeclaPadrao(&outra);
    e->setAccepted(outra.isAccepted());
}

void SpCombo::TxtAux_InputMethod(QInputMethodEvent *e)
{
    // Letters composed with dead keys arrive here, not as key presses: each one searches and can be
    // changed or cancelled exactly like a typed key, between a key-down and a key-up of its own.
    const QString entrada = e->commitString();
    if (entrada.isEmpty()) {
        txt_->EntradaPadrao(e);
        return;
    }
    ignoraClique_ = true;
    QString aceito;
    for (const QChar c : entrada) {
        qint16 KeyAscii = CodigoCaractere(c);
        const qint16 original = KeyAscii;
        if (!TxtAux_Caractere(KeyAscii))
            continue;
        aceito += KeyAscii == original ? c : Caractere(KeyAscii);
    }
    QInputMethodEvent outra(e->preeditString(), e->attributes());
    outra.setCommitString(aceito, e->replacementStart(), e->replacementLength());
    txt_->EntradaPadrao(&outra);
    text_ = txt_->text();
    ignoraClique_ = false;
}

void SpCombo::TxtAux_KeyUp(QKeyEvent *e)
{
    text_ = txt_->text();
    qint16 KeyCode = CodigoTeclaDe(e);
    qint16 Shift = Teclas::CodigoShift(e->modifiers());
    emit KeyUp(KeyCode, Shift);
    ignoraClique_ = false;
}

void SpCombo::TxtAux_GotFocus()
{
    txt_->setSelection(0, int(txt_->text().size()));
    SelLista();
}

void SpCombo::TxtAux_Mouse(QMouseEvent *e, int tipo)
{
    qint16 Button = tipo == 1 ? CodigoBotoes(e->buttons()) : CodigoBotoes(e->button());
    qint16 Shift = Teclas::CodigoShift(e->modifiers());
    float X = float(Twips::twips(1) * e->position().x());
    float Y = float(Twips::twips(1) * e->position().y());
    if (tipo == 0)
        emit MouseDown(Button, Shift, X, Y);
    else if (tipo == 1)
        emit MouseMove(Button, Shift, X, Y);
    else
        emit MouseUp(Button, Shift, X, Y);
}

// --- list ------------------------------------------------------------------------------------------

void SpCombo::LstAux_Click()
{
    if (!ignoraClique_)
        CopiarItemAtual();
}

bool SpCombo::LstAux_KeyDown(QKeyEvent *e)
{
    if (TeclaEnter(e)) {
        FechaLista(true);
        txt_->setFocus(Qt::OtherFocusReason);
        return true;
    }
    if (e->key() == Qt::Key_Up && lst_->currentRow() == 0) {
        txt_->setFocus(Qt::OtherFocusReason);
        return true;
    }
    return false;
}

void SpCombo::LstAux_KeyUp()
{
    CopiarItemAtual();
}

void SpCombo::LstAux_MouseDown()
{
    ignoraClique_ = false;
}

void SpCombo::LstAux_DblClick()
{
    FechaLista(true);
}

// --- arrow button ----------------------------------------------------------------------------------

void SpCombo::PicUp_Click()
{
    if (listaAberta_)
        FechaLista(true);
    else
        AbreLista();
    txt_->setFocus(Qt::OtherFocusReason);
}

void SpCombo::PicUp_MouseDown()
{
    pic_->MostrarImagem(defButton_ ? downPicture_ : picDown_);
}

void SpCombo::PicUp_MouseUp()
{
    pic_->MostrarImagem(defButton_ ? upPicture_ : picNormal_);
}

// --- focus -----------------------------------------------------------------------------------------

bool SpCombo::eventFilter(QObject *alvo, QEvent *e)
{
    // Installed on the application while the keyboard is inside the combo, so it sees keys before any
    // window does: a window that turns Enter into Tab still lets Enter confirm the choice first.
    if (e->type() != QEvent::KeyPress)
        return false;
    auto *tecla = static_cast<QKeyEvent *>(e);
    if (alvo == txt_ && !TeclaTab(tecla)) {
        const bool gasta = TxtAux_KeyDown(tecla);
        descidaTratada_ = !gasta;
        return gasta;
    }
    if (alvo == lst_ && TeclaEnter(tecla))
        return LstAux_KeyDown(tecla);
    return false;
}

bool SpCombo::ProcessarEnter(QObject *alvo)
{
    if (alvo == txt_) {
        // The window is about to swallow this Enter: the text box's own key-down must happen first.
        if (!descidaTratada_)
            TxtAux_KeyDown(kTeclaEnter, 0, true);
        descidaTratada_ = false;
        return true;
    }
    if (listaAberta_ && (alvo == lst_ || lst_->isAncestorOf(qobject_cast<QWidget *>(alvo)))) {
        FechaLista(true);
        txt_->setFocus(Qt::OtherFocusReason);
        return false;
    }
    return true;
}

void SpCombo::FocoMudou(QWidget *antes, QWidget *agora)
{
    const auto dentro = [this](const QWidget *w) { return w && (w == this || isAncestorOf(w)); };
    if (dentro(agora)) {
        // Installed anew each time the keyboard comes in, so it runs ahead of filters installed later.
        if (!filtroInstalado_)
            qApp->installEventFilter(this);
        filtroInstalado_ = true;
        return;
    }
    if (filtroInstalado_)
        qApp->removeEventFilter(this);
    filtroInstalado_ = false;
    descidaTratada_ = false;
    // Another window taking the keyboard (a message box) is not the user leaving the combo.
    if (dentro(antes) && agora && agora->window() == window())
        FechaLista(false);
}

// --- persistence -----------------------------------------------------------------------------------

QStringList SpCombo::OrdemPropriedades()
{
    return Propriedades::Ordem(staticMetaObject);
}

QVariantMap SpCombo::Salvar() const
{
    return Propriedades::Salvar(*this, SpCombo());
}

void SpCombo::Carregar(const QVariantMap &propriedades)
{
    // Loading stores the values only: the parts take them at the next refresh (showing, resizing).
    const QScopedValueRollback carga(carregando_, true);
    Propriedades::Carregar(*this, propriedades, SpCombo());
}

// --- artwork ---------------------------------------------------------------------------------------

QPixmap SpCombo::DesenharSeta(bool pressionada)
{
    const int largura = Twips::px(kSetaLargura);
    const int altura = Twips::px(kSetaAltura);
    // Drawn at the screen's pixel density, so the arrow stays sharp on dense screens too.
    const qreal densidade = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
    QPixmap imagem(qRound(largura * densidade), qRound(altura * densidade));
    imagem.setDevicePixelRatio(densidade);
    imagem.fill(Qt::transparent);
    QPainter p(&imagem);
    p.setRenderHint(QPainter::Antialiasing);

    // A soft blue-grey key face; pressed, it darkens, the light comes from below and the arrow sinks.
    const QRectF face(0.5, 0.5, largura - 1.0, altura - 1.0);
    QLinearGradient luz(0, 0, 0, altura);
    luz.setColorAt(0, pressionada ? QColor(0xB9, 0xCA, 0xE0) : QColor(0xFB, 0xFC, 0xFE));
    luz.setColorAt(1, pressionada ? QColor(0xDD, 0xE6, 0xF2) : QColor(0xD3, 0xDE, 0xEC));
    p.setPen(pressionada ? QColor(0x55, 0x6E, 0x92) : QColor(0x8A, 0x9F, 0xBC));
    p.setBrush(luz);
    p.drawRoundedRect(face, 2.5, 2.5);

    const double deslocamento = pressionada ? 1.0 : 0.0;
    const double cx = largura / 2.0 + deslocamento;
    const double topo = altura / 2.0 - 2.0 + deslocamento;
    QPainterPath seta;
    seta.moveTo(cx - 4.0, topo);
    seta.lineTo(cx + 4.0, topo);
    seta.lineTo(cx, topo + 4.5);
    seta.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x22, 0x3D, 0x66));
    p.drawPath(seta);
    return imagem;
}
