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
        , m_dono(dono)
    {}

    void TeclaPadrao(QKeyEvent *e) { QLineEdit::keyPressEvent(e); }
    void EntradaPadrao(QInputMethodEvent *e) { QLineEdit::inputMethodEvent(e); }

protected:
    void keyPressEvent(QKeyEvent *e) override { m_dono->TxtAux_KeyPressEvent(e); }
    void keyReleaseEvent(QKeyEvent *e) override
    {
        QLineEdit::keyReleaseEvent(e);
        if (!e->isAutoRepeat())
            m_dono->TxtAux_KeyUp(e);
    }
    void inputMethodEvent(QInputMethodEvent *e) override { m_dono->TxtAux_InputMethod(e); }
    void focusInEvent(QFocusEvent *e) override
    {
        QLineEdit::focusInEvent(e);
        // Coming back to a window that was behind another is not the user moving to this box.
        if (e->reason() != Qt::ActiveWindowFocusReason && e->reason() != Qt::PopupFocusReason)
            m_dono->TxtAux_GotFocus();
    }
    void mousePressEvent(QMouseEvent *e) override
    {
        QLineEdit::mousePressEvent(e);
        m_dono->TxtAux_Mouse(e, 0);
    }
    void mouseMoveEvent(QMouseEvent *e) override
    {
        QLineEdit::mouseMoveEvent(e);
        m_dono->TxtAux_Mouse(e, 1);
    }
    void mouseReleaseEvent(QMouseEvent *e) override
    {
        QLineEdit::mouseReleaseEvent(e);
        m_dono->TxtAux_Mouse(e, 2);
        if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
            emit m_dono->Click();
    }

private:
    SpCombo *m_dono;
};

class SpCombo::Lista : public QListWidget {
public:
    explicit Lista(SpCombo *dono)
        : QListWidget(dono)
        , m_dono(dono)
    {}

protected:
    void keyPressEvent(QKeyEvent *e) override
    {
        if (!m_dono->LstAux_KeyDown(e))
            QListWidget::keyPressEvent(e);
    }
    void keyReleaseEvent(QKeyEvent *e) override
    {
        QListWidget::keyReleaseEvent(e);
        if (!e->isAutoRepeat())
            m_dono->LstAux_KeyUp();
    }
    void mousePressEvent(QMouseEvent *e) override
    {
        m_dono->LstAux_MouseDown();
        QListWidget::mousePressEvent(e);
    }
    void mouseDoubleClickEvent(QMouseEvent *e) override
    {
        QListWidget::mouseDoubleClickEvent(e);
        m_dono->LstAux_DblClick();
    }

private:
    SpCombo *m_dono;
};

// The arrow button: a picture, never a focus stop (the text box keeps the keyboard).
class SpCombo::BotaoSeta : public QWidget {
public:
    explicit BotaoSeta(SpCombo *dono)
        : QWidget(dono)
        , m_dono(dono)
    {
        setFocusPolicy(Qt::NoFocus);
        setFixedSize(Twips::px(kSetaLargura), Twips::px(kSetaAltura));
    }

    void MostrarImagem(const QPixmap &imagem)
    {
        m_imagem = imagem;
        update();
    }
    QPixmap Imagem() const { return m_imagem; }

protected:
    void paintEvent(QPaintEvent *) override
    {
        if (m_imagem.isNull())
            return;
        QPainter p(this);
        p.drawPixmap(rect(), m_imagem);
    }
    void focusInEvent(QFocusEvent *) override { m_dono->m_txt->setFocus(Qt::OtherFocusReason); }
    void mousePressEvent(QMouseEvent *e) override
    {
        e->accept();
        m_dono->PicUp_MouseDown();
    }
    void mouseReleaseEvent(QMouseEvent *e) override
    {
        e->accept();
        m_dono->PicUp_MouseUp();
        if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
            m_dono->PicUp_Click();
    }

private:
    SpCombo *m_dono;
    QPixmap m_imagem;
};

// --- construction and properties -------------------------------------------------------------------

SpCombo::SpCombo(QWidget *parent)
    : QWidget(parent)
    , m_backColor(kBackColorPadrao)
    , m_foreColor(kForeColorPadrao)
    , m_defButton(kDefButtonPadrao)
    , m_enabled(kEnabledPadrao)
    , m_listHeight(kListHeightPadrao)
{
    m_picNormal = DesenharSeta(false);
    m_picDown = DesenharSeta(true);

    m_txt = new CaixaTexto(this);
    m_txt->setObjectName(QStringLiteral("TxtAux"));
    m_txt->setMouseTracking(true);
    // Typed text stops short of the arrow button instead of running under it.
    m_txt->setTextMargins(0, 0, Twips::px(kSetaLargura + 2 * kSetaRecuo), 0);

    m_pic = new BotaoSeta(this);
    m_pic->setObjectName(QStringLiteral("PicUp"));
    m_pic->MostrarImagem(m_picNormal);
    m_pic->setCursor(Qt::ArrowCursor);

    m_lst = new Lista(this);
    m_lst->setObjectName(QStringLiteral("LstAux"));
    m_lst->setSelectionMode(QAbstractItemView::SingleSelection);
    m_lst->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_lst->setEnabled(false);
    m_pic->raise();

    connect(m_txt, &QLineEdit::textChanged, this, [this] { emit Change(); });
    connect(m_lst, &QListWidget::currentRowChanged, this, [this] { LstAux_Click(); });
    connect(qApp, &QApplication::focusChanged, this, &SpCombo::FocoMudou);

    resize(sizeHint().width(), Twips::px(kAlturaMinima));
    AjustarPartes();
    m_lst->resize(m_lst->width(), Twips::px(m_listHeight));
    AtualizaCombo();
}

SpCombo::~SpCombo()
{
    if (m_filtroInstalado)
        qApp->removeEventFilter(this);
}

QSize SpCombo::sizeHint() const
{
    return {Twips::px(1500), qMax(Twips::px(kAlturaMinima), m_txt->sizeHint().height())};
}

void SpCombo::Mudou()
{
    if (!m_carregando)
        AtualizaCombo();
}

void SpCombo::SetText(const QString &valor)
{
    m_text = valor;
    Mudou();
}

void SpCombo::SetBackColor(Cor valor)
{
    m_backColor = valor;
    Mudou();
}

void SpCombo::SetForeColor(Cor valor)
{
    m_foreColor = valor;
    Mudou();
}

QFont SpCombo::Font() const
{
    return m_fonteDefinida ? m_font : FonteAmbiente();
}

void SpCombo::SetFont(const QFont &valor)
{
    m_font = valor;
    m_fonteDefinida = true;
    Mudou();
}

void SpCombo::SemFonte()
{
    m_font = QFont();
    m_fonteDefinida = false;
    Mudou();
}

void SpCombo::SetUpPicture(const QPixmap &valor)
{
    m_upPicture = valor;
    Mudou();
}

void SpCombo::SetDownPicture(const QPixmap &valor)
{
    m_downPicture = valor;
    Mudou();
}

void SpCombo::SetDefButton(bool valor)
{
    m_defButton = valor;
}

void SpCombo::SetEnabled(bool valor)
{
    m_enabled = valor;
    if (!m_carregando)
        m_desabilitarArmado = true;
    Mudou();
}

void SpCombo::SetListHeight(qint16 valor)
{
    m_listHeight = valor;
    Mudou();
}

QFont SpCombo::FonteAmbiente() const
{
    return parentWidget() ? parentWidget()->font() : QApplication::font();
}

// --- procedures and state --------------------------------------------------------------------------

void SpCombo::AddItem(const QString &S)
{
    const QSignalBlocker bloqueio(m_lst);
    m_lst->addItem(S);
}

void SpCombo::Clear()
{
    // Emptying the list is not a choice: the text stays as it is.
    const QSignalBlocker bloqueio(m_lst);
    m_lst->clear();
}

void SpCombo::SelLista()
{
    emit DblClick();
}

int SpCombo::NumeroItens() const
{
    return m_lst->count();
}

QString SpCombo::Item(int indice) const
{
    const QListWidgetItem *item = m_lst->item(indice);
    return item ? item->text() : QString();
}

QStringList SpCombo::Itens() const
{
    QStringList r;
    r.reserve(m_lst->count());
    for (int i = 0; i < m_lst->count(); ++i)
        r << m_lst->item(i)->text();
    return r;
}

bool SpCombo::ListaAbertaEm(const QObject *alvo)
{
    for (const QObject *o = alvo; o; o = o->parent()) {
        if (const auto *combo = qobject_cast<const SpCombo *>(o->parent()))
            return o == combo->m_lst && combo->m_listaAberta;
    }
    return false;
}

QString SpCombo::ItemAtual() const
{
    const QListWidgetItem *item = m_lst->currentItem();
    return item ? item->text() : QString();
}

void SpCombo::CopiarItemAtual()
{
    m_text = ItemAtual();
    if (m_txt->text() != m_text) // the same text again must not lose the box's selection
        m_txt->setText(m_text);
}

void SpCombo::SelecionarItem(int indice)
{
    if (indice < 0 || indice >= m_lst->count())
        return; // nothing there: the previous selection stays
    {
        const QSignalBlocker bloqueio(m_lst);
        m_lst->setCurrentRow(indice);
    }
    m_lst->scrollToItem(m_lst->currentItem());
    // A selection made here counts as a selection change even when the row was already current.
    LstAux_Click();
}

// --- refresh, geometry, opening and closing --------------------------------------------------------

void SpCombo::AtualizaCombo()
{
    if (m_defButton)
        m_pic->MostrarImagem(m_upPicture);
    m_pic->move(Twips::px(Twips::twips(m_txt->width()) - Twips::twips(m_pic->width()) - kSetaRecuo),
                Twips::px(kSetaTopo));
    if (m_txt->text() != m_text)
        m_txt->setText(m_text);

    const QColor fundo = CorQt(m_backColor);
    const QColor tinta = CorQt(m_foreColor);
    for (QWidget *parte : {static_cast<QWidget *>(m_txt), static_cast<QWidget *>(m_lst)}) {
        QPalette p = parte->palette();
        p.setColor(QPalette::Base, fundo);
        p.setColor(QPalette::Active, QPalette::Text, tinta);
        p.setColor(QPalette::Inactive, QPalette::Text, tinta);
        // The item found while typing stays as clearly marked as when the list has the keyboard.
        p.setColor(QPalette::Inactive, QPalette::Highlight, p.color(QPalette::Active, QPalette::Highlight));
        p.setColor(QPalette::Inactive, QPalette::HighlightedText,
                   p.color(QPalette::Active, QPalette::HighlightedText));
        parte->setPalette(p);
        parte->setFont(m_fonteDefinida ? m_font : QFont());
    }

    if (m_listHeight >= 0)
        m_lst->resize(m_lst->width(), Twips::px(m_listHeight));

    switch (RegraEnabled(m_enabled, m_desabilitarArmado)) {
    case Habilitacao::Habilitar:
        QWidget::setEnabled(true);
        m_txt->setEnabled(true);
        m_pic->setEnabled(true);
        break;
    case Habilitacao::Desabilitar:
        QWidget::setEnabled(false);
        m_txt->setEnabled(false);
        m_pic->setEnabled(false);
        break;
    case Habilitacao::Manter: break;
    }
}

void SpCombo::AjustarPartes()
{
    m_txt->setGeometry(0, 0, width(), height());
    const Geometria g =
        CalcularGeometria(Twips::twips(width()), Twips::twips(height()), m_listHeight, m_defButton);
    m_pic->move(Twips::px(g.setaEsquerda), Twips::px(kSetaTopo));
    m_lst->setGeometry(0, Twips::px(g.listaTopo), width(), m_lst->height());
}

void SpCombo::resizeEvent(QResizeEvent *)
{
    if (m_listaAberta)
        return;
    raise();
    const Geometria g =
        CalcularGeometria(Twips::twips(width()), Twips::twips(height()), m_listHeight, m_defButton);
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
    m_listaAberta = true;
    const int txtAltura = m_txt->height();
    resize(m_txt->width(), Twips::px(Twips::twips(m_lst->height()) + Twips::twips(txtAltura) + kVaoLista));
    m_lst->setEnabled(true);
    SelecionarItem(0);
}

void SpCombo::FechaLista(bool confirmar)
{
    m_listaAberta = false;
    if (confirmar)
        SelLista();
    resize(m_txt->width(), m_txt->height());
    // A disabled list cannot keep the keyboard, and Qt would pass it to the next control of the
    // window: the text box takes it instead, so the user stays where the choice was made.
    if (m_lst->hasFocus())
        m_txt->setFocus(Qt::OtherFocusReason);
    m_lst->setEnabled(false);
}

// --- text box --------------------------------------------------------------------------------------

bool SpCombo::TxtAux_KeyDown(QKeyEvent *e)
{
    qint16 KeyAscii = 0;
    return TxtAux_KeyDown(CodigoTeclaDe(e), Teclas::CodigoShift(e->modifiers()), CaractereDaTecla(e, KeyAscii));
}

bool SpCombo::TxtAux_KeyDown(qint16 KeyCode, qint16 Shift, bool temCaractere)
{
    m_ignoraClique = true;
    emit KeyDown(KeyCode, Shift);
    if (KeyCode == kTeclaBaixo) {
        AbreLista();
        m_lst->setFocus(Qt::OtherFocusReason);
        KeyCode = 0;
    } else if (KeyCode == kTeclaCima) {
        FechaLista(true);
        KeyCode = 0;
    } else if (KeyCode == kTeclaEnter) {
        if (m_listaAberta)
            CopiarItemAtual();
        FechaLista(true);
    }
    return KeyCode == 0 && !temCaractere;
}

bool SpCombo::TxtAux_Caractere(qint16 &KeyAscii)
{
    if (AbreComCaractere(KeyAscii) && !m_listaAberta)
        AbreLista();
    // The search runs on the text the character will extend. A selection is replaced by what is
    // typed (the box selects all its text when it gets the focus), so the selected part is not part
    // of it: typing "2" over a selected "1" looks for "2", not for "12".
    QString conteudo = m_txt->text();
    if (m_txt->hasSelectedText())
        conteudo.remove(m_txt->selectionStart(), int(m_txt->selectedText().size()));
    SelecionarItem(BuscaIncremental(Itens(), conteudo, Caractere(KeyAscii)));
    if (KeyAscii == kTeclaEnter)
        CopiarItemAtual();
    emit KeyPress(KeyAscii);
    return KeyAscii != 0;
}

void SpCombo::TxtAux_KeyPressEvent(QKeyEvent *e)
{
    // The key-down part normally ran already, in eventFilter, before the window could see the key.
    const bool descidaTratada = m_descidaTratada;
    m_descidaTratada = false;
    if (!descidaTratada && !TeclaTab(e) && TxtAux_KeyDown(e)) {
        e->accept();
        return;
    }

    qint16 KeyAscii = 0;
    if (!CaractereDaTecla(e, KeyAscii)) {
        m_txt->TeclaPadrao(e);
        return;
    }
    const qint16 original = KeyAscii;
    if (!TxtAux_Caractere(KeyAscii)) {
        e->accept(); // cancelled by the container
        return;
    }
    if (KeyAscii == original) {
        m_txt->TeclaPadrao(e);
        return;
    }
    // The container typed another character instead.
    const Qt::Key tecla = KeyAscii == 8             ? Qt::Key_Backspace
                          : KeyAscii == kTeclaEnter ? Qt::Key_Return
                                                    : Qt::Key_unknown;
    QKeyEvent outra(QEvent::KeyPress, tecla, Qt::NoModifier, QString(Caractere(KeyAscii)));
    m_txt->TeclaPadrao(&outra);
    e->setAccepted(outra.isAccepted());
}

void SpCombo::TxtAux_InputMethod(QInputMethodEvent *e)
{
    // Letters composed with dead keys arrive here, not as key presses: each one searches and can be
    // changed or cancelled exactly like a typed key, between a key-down and a key-up of its own.
    const QString entrada = e->commitString();
    if (entrada.isEmpty()) {
        m_txt->EntradaPadrao(e);
        return;
    }
    m_ignoraClique = true;
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
    m_txt->EntradaPadrao(&outra);
    m_text = m_txt->text();
    m_ignoraClique = false;
}

void SpCombo::TxtAux_KeyUp(QKeyEvent *e)
{
    m_text = m_txt->text();
    qint16 KeyCode = CodigoTeclaDe(e);
    qint16 Shift = Teclas::CodigoShift(e->modifiers());
    emit KeyUp(KeyCode, Shift);
    m_ignoraClique = false;
}

void SpCombo::TxtAux_GotFocus()
{
    m_txt->setSelection(0, int(m_txt->text().size()));
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
    if (!m_ignoraClique)
        CopiarItemAtual();
}

bool SpCombo::LstAux_KeyDown(QKeyEvent *e)
{
    if (TeclaEnter(e)) {
        FechaLista(true);
        m_txt->setFocus(Qt::OtherFocusReason);
        return true;
    }
    if (e->key() == Qt::Key_Up && m_lst->currentRow() == 0) {
        m_txt->setFocus(Qt::OtherFocusReason);
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
    m_ignoraClique = false;
}

void SpCombo::LstAux_DblClick()
{
    FechaLista(true);
}

// --- arrow button ----------------------------------------------------------------------------------

void SpCombo::PicUp_Click()
{
    if (m_listaAberta)
        FechaLista(true);
    else
        AbreLista();
    m_txt->setFocus(Qt::OtherFocusReason);
}

void SpCombo::PicUp_MouseDown()
{
    m_pic->MostrarImagem(m_defButton ? m_downPicture : m_picDown);
}

void SpCombo::PicUp_MouseUp()
{
    m_pic->MostrarImagem(m_defButton ? m_upPicture : m_picNormal);
}

// --- focus -----------------------------------------------------------------------------------------

bool SpCombo::eventFilter(QObject *alvo, QEvent *e)
{
    // Installed on the application while the keyboard is inside the combo, so it sees keys before any
    // window does: a window that turns Enter into Tab still lets Enter confirm the choice first.
    if (e->type() != QEvent::KeyPress)
        return false;
    auto *tecla = static_cast<QKeyEvent *>(e);
    if (alvo == m_txt && !TeclaTab(tecla)) {
        const bool gasta = TxtAux_KeyDown(tecla);
        m_descidaTratada = !gasta;
        return gasta;
    }
    if (alvo == m_lst && TeclaEnter(tecla))
        return LstAux_KeyDown(tecla);
    return false;
}

bool SpCombo::ProcessarEnter(QObject *alvo)
{
    if (alvo == m_txt) {
        // The window is about to swallow this Enter: the text box's own key-down must happen first.
        if (!m_descidaTratada)
            TxtAux_KeyDown(kTeclaEnter, 0, true);
        m_descidaTratada = false;
        return true;
    }
    if (m_listaAberta && (alvo == m_lst || m_lst->isAncestorOf(qobject_cast<QWidget *>(alvo)))) {
        FechaLista(true);
        m_txt->setFocus(Qt::OtherFocusReason);
        return false;
    }
    return true;
}

void SpCombo::FocoMudou(QWidget *antes, QWidget *agora)
{
    const auto dentro = [this](const QWidget *w) { return w && (w == this || isAncestorOf(w)); };
    if (dentro(agora)) {
        // Installed anew each time the keyboard comes in, so it runs ahead of filters installed later.
        if (!m_filtroInstalado)
            qApp->installEventFilter(this);
        m_filtroInstalado = true;
        return;
    }
    if (m_filtroInstalado)
        qApp->removeEventFilter(this);
    m_filtroInstalado = false;
    m_descidaTratada = false;
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
    const QScopedValueRollback carga(m_carregando, true);
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
