#include "controls/BoxList/BoxList.h"

#include "common/CorQt.h"
#include "common/Cp1252.h"
#include "common/Mensagem.h"
#include "common/Teclas.h"
#include "common/Twips.h"
#include "shared/PintarFundo.h"
#include "shared/Propriedades.h"

#include <QApplication>
#include <QCheckBox>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>

#include <stdexcept>

namespace {

// Size of a freshly placed control, before the container gives it its own.
constexpr int kLarguraInicial = 4800;
constexpr int kAlturaInicial = 3600;

Qt::Alignment AlinhamentoDe(int align)
{
    switch (align) {
    case 1: return Qt::AlignRight | Qt::AlignVCenter;
    case 2: return Qt::AlignHCenter | Qt::AlignVCenter;
    default: return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

} // namespace

// One cell: a flat single-line edit box that reports focus, keys and clicks to the grid.
class BoxList::CelulaEdit : public QLineEdit {
public:
    CelulaEdit(BoxList *grade, int indice, QWidget *pai)
        : QLineEdit(pai)
        , grade_(grade)
        , indice_(indice)
    {
        setObjectName(QStringLiteral("TxtList"));
        setProperty("Index", indice);
        setFrame(false);
        setTextMargins(0, 0, 0, 0);
        setAutoFillBackground(true);
        setFocusPolicy(Qt::ClickFocus);
        connect(this, &QLineEdit::textEdited, this,
                [this](const QString &texto) { grade_->modelo_.TextoEditado(indice_, texto); });
    }

    void Editar(QKeyEvent *e) { QLineEdit::keyPressEvent(e); }
    void Soltar(QKeyEvent *e) { QLineEdit::keyReleaseEvent(e); }

protected:
    void focusInEvent(QFocusEvent *e) override
    {
        QLineEdit::focusInEvent(e);
        // Coming back to the window is not a new arrival in the cell that already had the focus.
        if (e->reason() == Qt::ActiveWindowFocusReason && indice_ == grade_->modelo_.CelAnterior())
            return;
        grade_->CelulaFocada(indice_);
    }
    void keyPressEvent(QKeyEvent *e) override { grade_->TeclaNaCelula(indice_, e); }
    void keyReleaseEvent(QKeyEvent *e) override { grade_->TeclaSoltaNaCelula(indice_, e); }
    void mousePressEvent(QMouseEvent *e) override
    {
        aposDuplo_ = false;
        QLineEdit::mousePressEvent(e);
        // A click that activates the window comes before the focus does; handle the arrival now
        // so that Click describes the clicked line (the later focus event is then a return).
        if (e->button() == Qt::LeftButton && !window()->isActiveWindow())
            grade_->CelulaFocada(indice_);
    }
    // A double click arrives as press, release, double click, release: Click once, then DblClick.
    void mouseReleaseEvent(QMouseEvent *e) override
    {
        QLineEdit::mouseReleaseEvent(e);
        const bool clique = e->button() == Qt::LeftButton && !aposDuplo_;
        aposDuplo_ = false;
        if (clique)
            emit grade_->Click();
    }
    void mouseDoubleClickEvent(QMouseEvent *e) override
    {
        QLineEdit::mouseDoubleClickEvent(e);
        if (e->button() != Qt::LeftButton)
            return;
        aposDuplo_ = true;
        emit grade_->DblClick();
    }

private:
    BoxList *grade_;
    int indice_;
    bool aposDuplo_ = false;
};

// The check box in front of a cell. Only a mouse click reaches the row store.
class BoxList::CaixaChk : public QCheckBox {
public:
    CaixaChk(BoxList *grade, int indice, QWidget *pai)
        : QCheckBox(pai)
        , grade_(grade)
        , indice_(indice)
    {
        setObjectName(QStringLiteral("ChkList"));
        setProperty("Index", indice);
        setFocusPolicy(Qt::ClickFocus);
        setAutoFillBackground(true);
        connect(this, &QCheckBox::toggled, this,
                [this](bool marcado) { grade_->modelo_.ChkAlterado(indice_, marcado ? 1 : 0); });
    }

protected:
    void mouseReleaseEvent(QMouseEvent *e) override
    {
        QCheckBox::mouseReleaseEvent(e);
        grade_->ChkSolto(indice_);
    }

private:
    BoxList *grade_;
    int indice_;
};

BoxList::BoxList(QWidget *pai)
    : QWidget(pai)
{
    picBorda_ = new QWidget(this);
    picBorda_->setObjectName(QStringLiteral("PicBorda"));
    picBox_ = new QWidget(picBorda_);
    picBox_->setObjectName(QStringLiteral("PicBox"));

    auto *titulo = new QPushButton(picBox_);
    titulo->setObjectName(QStringLiteral("BtnTitle"));
    titulo->setProperty("Index", 0);
    titulo->setFocusPolicy(Qt::NoFocus);
    Posicionar(titulo, modelo_.GeoTitulo(0));
    titulo->hide();
    titulos_.push_back(titulo);

    // Until Activate only the frame shows.
    txt_.push_back(NovaCelula(0));
    txt_[0]->hide();
    chk_.push_back(NovaCaixa(0));
    aplicado_.resize(1);

    vbar_ = new QScrollBar(Qt::Vertical, this);
    vbar_->setObjectName(QStringLiteral("VBar"));
    hbar_ = new QScrollBar(Qt::Horizontal, this);
    hbar_->setObjectName(QStringLiteral("HBar"));
    for (QScrollBar *barra : {vbar_, hbar_}) {
        barra->setFocusPolicy(Qt::ClickFocus);
        barra->setRange(0, 0);
        barra->hide();
        barra->installEventFilter(this);
    }
    connect(vbar_, &QScrollBar::valueChanged, this, [this](int valor) {
        if (valor != modelo_.Rolagem() && !modelo_.Rolar(valor)) {
            const QSignalBlocker bloqueio(vbar_);
            vbar_->setValue(modelo_.Rolagem());
        }
    });
    connect(hbar_, &QScrollBar::valueChanged, this, [this](int valor) { picBox_->move(-Twips::px(valor), 0); });

    modelo_.DefinirObservador(this);
    resize(Twips::px(kLarguraInicial), Twips::px(kAlturaInicial));
    AtualizarParadaDeTab();
}

BoxList::~BoxList()
{
    modelo_.DefinirObservador(nullptr);
}

BoxList::CelulaEdit *BoxList::NovaCelula(int k)
{
    auto *c = new CelulaEdit(this, k, picBox_);
    Posicionar(c, modelo_.GeoCelula(k));
    return c;
}

BoxList::CaixaChk *BoxList::NovaCaixa(int k)
{
    auto *c = new CaixaChk(this, k, picBox_);
    Posicionar(c, modelo_.GeoChk(k));
    c->hide();
    return c;
}

void BoxList::Posicionar(QWidget *w, const Retangulo &r)
{
    w->setGeometry(Twips::px(r.Left), Twips::px(r.Top), Twips::px(r.Width), Twips::px(r.Height));
}

// --- Programming interface ----------------------------------------------------------------------

void BoxList::Config(QObject *Obj, const QString &FontName, int FontSize, int QLin, Cor BackColor, Cor BoxColor,
                     Cor TextColor, Cor BackSel, Cor ForeSel)
{
    modelo_.Config(FontName, FontSize, QLin, BackColor, BoxColor, TextColor, BackSel, ForeSel);
    dono_ = Obj;
}

QStringList BoxList::OrdemPropriedades()
{
    return Propriedades::Ordem(staticMetaObject);
}

QVariantMap BoxList::Salvar() const
{
    return Propriedades::Salvar(*this, BoxList());
}

void BoxList::Carregar(const QVariantMap &valores)
{
    auto cor = [&valores](const char *nome) {
        const QVariant v = valores.value(QLatin1String(nome));
        return v.isValid() ? Cor(v.toUInt()) : kOmitida;
    };
    Config(dono_, valores.value(QStringLiteral("FontName")).toString(),
           valores.value(QStringLiteral("FontSize")).toInt(), valores.value(QStringLiteral("QLin")).toInt(),
           cor("BackColor"), cor("BoxColor"), cor("TextColor"), cor("BackSel"), cor("ForeSel"));
}

void BoxList::Title(const QString &S, int T, int Align)
{
    modelo_.Title(S, T, Align);
}

void BoxList::SetChk(int Col)
{
    modelo_.SetChk(Col);
}

void BoxList::Activate(bool OpcTitle)
{
    QFont fonte(modelo_.FontName());
    fonte.setPointSize(modelo_.FontSize());
    const int alturaX = int(Twips::twips(QFontMetrics(fonte).height()));
    modelo_.Activate(OpcTitle, alturaX, int(Twips::twips(width())));

    PintarFundo(picBorda_, CorQt(modelo_.BackColor()));
    PintarFundo(picBox_, CorQt(modelo_.BackColor()));

    const int qCol = modelo_.QCol();
    const int n = modelo_.NumeroCelulas();
    QFont fonteTitulo = fonte;
    fonteTitulo.setPointSize(std::max(7, modelo_.FontSize() - 2));
    fonteTitulo.setBold(true);
    for (int c = 0; c < qCol; ++c) {
        if (c >= int(titulos_.size())) {
            auto *titulo = new QPushButton(picBox_);
            titulo->setObjectName(QStringLiteral("BtnTitle"));
            titulo->setProperty("Index", c);
            titulo->setFocusPolicy(Qt::NoFocus);
            titulos_.push_back(titulo);
        }
        QPushButton *titulo = titulos_[c];
        titulo->setText(modelo_.Coluna(c).Title);
        titulo->setFont(fonteTitulo);
        titulo->setStyleSheet(QStringLiteral("QPushButton { padding: 0px; }"));
        const Retangulo r = modelo_.GeoTitulo(c);
        Posicionar(titulo, r);
        titulo->setVisible(r.Visivel);
    }
    if (qCol == 0)
        titulos_[0]->setVisible(OpcTitle);

    for (int k = int(txt_.size()); k < n; ++k)
        txt_.push_back(NovaCelula(k));
    if (modelo_.TemChk())
        for (int k = int(chk_.size()); k < n; ++k)
            chk_.push_back(NovaCaixa(k));
    aplicado_.assign(n, Aplicado{});
    for (int k = 0; k < n; ++k) {
        CelulaEdit *t = txt_[k];
        Posicionar(t, modelo_.GeoCelula(k));
        if (qCol > 0)
            t->setAlignment(AlinhamentoDe(modelo_.Coluna(modelo_.ColunaDaCelula(k)).Align));
        t->show();
        if (k < int(chk_.size())) {
            Posicionar(chk_[k], modelo_.GeoChk(k));
            chk_[k]->raise();
        }
        Aplicar(k);
    }

    Posicionar(vbar_, modelo_.GeoVBar());
    vbar_->setSingleStep(1);
    vbar_->show();
    RolagemMudou();

    resize(width(), Twips::px(modelo_.AlturaControle()));
    if (modelo_.HBarVisivel()) {
        Posicionar(hbar_, modelo_.GeoHBar());
        hbar_->setRange(0, modelo_.TotalWidth());
        hbar_->setSingleStep(100);
        hbar_->setPageStep(500);
        hbar_->show();
    }
    vbar_->raise();
    hbar_->raise();
    picBorda_->resize(size());

    // The focus chain follows the order of creation, so the widgets made here would come after
    // anything the container created since the grid itself; thread them right behind the first cell.
    QWidget *anterior = txt_[0];
    auto encadear = [&anterior](QWidget *w) {
        QWidget::setTabOrder(anterior, w);
        anterior = w;
    };
    for (int k = 1; k < n; ++k)
        encadear(txt_[k]);
    for (CaixaChk *c : chk_)
        encadear(c);
    encadear(vbar_);
    encadear(hbar_);
    AtualizarParadaDeTab();
    updateGeometry();
}

void BoxList::Celula(int Col, int Lin, QString S, Cor Back, Cor Fore, const QString &FontName, int FontSize,
                     bool Negrito, int Chk)
{
    modelo_.Celula(Col, Lin, std::move(S), Back, Fore, FontName, FontSize, Negrito, Chk);
}

void BoxList::SelBox(int Lin)
{
    modelo_.SelBox(Lin);
}

void BoxList::Add(const QString &S, Cor Back, Cor Fore, const QString &FontName, int FontSize, bool Negrito,
                  int Chk)
{
    modelo_.Add(S, Back, Fore, FontName, FontSize, Negrito, Chk);
}

void BoxList::BoxNew()
{
    modelo_.BoxNew();
}

void BoxList::BoxNew2()
{
    modelo_.BoxNew2();
}

void BoxList::AddEnd()
{
    modelo_.AddEnd();
}

void BoxList::ListBoxStr()
{
    modelo_.ListBoxStr();
}

void BoxList::Clear()
{
    modelo_.Clear();
}

void BoxList::Selected(int X)
{
    if (!modelo_.Selected(X))
        Mensagem::Critico(this, QStringLiteral("Invalid index!"));
}

QString BoxList::Arg(int Indice) const
{
    return modelo_.Arg(Indice);
}

int BoxList::ArgChk(int Indice) const
{
    return modelo_.ArgChk(Indice);
}

int BoxList::ListCount() const
{
    return modelo_.ListCount();
}

int BoxList::ListIndex() const
{
    return modelo_.ListIndex();
}

QString BoxList::List(int Col, int Lin) const
{
    return modelo_.List(Col, Lin);
}

int BoxList::ValChk(int Col, int Lin) const
{
    return modelo_.ValChk(Col, Lin);
}

void BoxList::DeleteRegistroAtual()
{
    modelo_.DeleteRegistroAtual();
}

bool BoxList::TestaLinhaVazia(int Lin) const
{
    return modelo_.TestaLinhaVazia(Lin);
}

QLineEdit *BoxList::TxtList(int k) const
{
    return k >= 0 && k < int(txt_.size()) ? txt_[k] : nullptr;
}

QCheckBox *BoxList::ChkList(int k) const
{
    return k >= 0 && k < int(chk_.size()) ? chk_[k] : nullptr;
}

QPushButton *BoxList::BtnTitle(int C) const
{
    return C >= 0 && C < int(titulos_.size()) ? titulos_[C] : nullptr;
}

QSize BoxList::sizeHint() const
{
    if (!modelo_.Ativo())
        return {Twips::px(kLarguraInicial), Twips::px(kAlturaInicial)};
    return {Twips::px(modelo_.LarguraControle()), Twips::px(modelo_.AlturaControle())};
}

// --- Painting -------------------------------------------------------------------------------------

void BoxList::CelulasMudaram(const std::vector<int> &indices)
{
    for (int k : indices)
        if (k < int(txt_.size()) && k < int(aplicado_.size()))
            Aplicar(k);
    AtualizarParadaDeTab();
}

// Gives cell k's widgets what the model shows, touching only what changed: a scroll step then
// costs a text assignment per cell and nothing more when the rows share their colours and font.
void BoxList::Aplicar(int k)
{
    const CelulaVisivel &e = modelo_.Exibida(k);
    Aplicado &a = aplicado_[k];
    CelulaEdit *t = txt_[k];
    if (t->text() != e.Texto) {
        const QSignalBlocker bloqueio(t);
        t->setText(e.Texto);
        t->setCursorPosition(0);
    }
    if (a.back != e.Back || a.fore != e.Fore) {
        QPalette p = t->palette();
        p.setColor(QPalette::Base, CorQt(e.Back));
        p.setColor(QPalette::Window, CorQt(e.Back));
        p.setColor(QPalette::Text, CorQt(e.Fore));
        t->setPalette(p);
        a.back = e.Back;
        a.fore = e.Fore;
    }
    if (a.fontName != e.FontName || a.fontSize != e.FontSize || a.negrito != e.Negrito) {
        QFont f(e.FontName);
        f.setPointSize(e.FontSize);
        f.setBold(e.Negrito);
        t->setFont(f);
        a.fontName = e.FontName;
        a.fontSize = e.FontSize;
        a.negrito = e.Negrito;
    }
    if (k < int(chk_.size())) {
        CaixaChk *c = chk_[k];
        if (c->isChecked() != (e.Chk != 0)) {
            const QSignalBlocker bloqueio(c);
            c->setChecked(e.Chk != 0);
        }
        if (a.chkBack != e.ChkBack) {
            PintarFundo(c, CorQt(e.ChkBack));
            a.chkBack = e.ChkBack;
        }
        if (c->isVisibleTo(picBox_) != e.ChkVisivel)
            c->setVisible(e.ChkVisivel);
    }
}

void BoxList::RolagemMudou()
{
    const QSignalBlocker bloqueio(vbar_);
    vbar_->setRange(0, modelo_.RolagemMaxima());
    vbar_->setPageStep(modelo_.QLin());
    vbar_->setValue(modelo_.Rolagem());
}

void BoxList::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    picBorda_->resize(size());
    picBox_->resize(Twips::px(ModeloBoxList::kCanvasLargura), Twips::px(ModeloBoxList::kCanvasAltura));
}

void BoxList::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    picBox_->resize(Twips::px(ModeloBoxList::kCanvasLargura), Twips::px(ModeloBoxList::kCanvasAltura));
}

// --- Focus, keys and clicks -----------------------------------------------------------------------

void BoxList::FocarCelula(int k)
{
    if (k < 0 || k >= int(txt_.size()))
        return;
    CelulaEdit *t = txt_[k];
    t->setFocus(Qt::OtherFocusReason);
    // In a window that is not active the focus is only noted for later and no focus event
    // comes; the arrival is handled now so that the grid behaves the same either way.
    if (QApplication::focusWidget() != t)
        CelulaFocada(k);
}

void BoxList::FocarHBar()
{
    hbar_->setFocus(Qt::OtherFocusReason);
}

void BoxList::CelulaFocada(int k)
{
    try {
        modelo_.FocoNaCelula(k);
    } catch (const std::exception &) {}
    AtualizarParadaDeTab();
}

// The grid is one stop in the window's tab order: the cell of the selected line in the column
// last used, so that tabbing into the grid keeps the selection where it is. (A blank selected
// line would send the focus back anyway, so then it is the cell that last had the focus.)
void BoxList::AtualizarParadaDeTab()
{
    const int qLin = modelo_.QLin();
    int k = modelo_.CelAnterior();
    const int linSel = modelo_.LinSel();
    if (modelo_.Ativo() && linSel >= 0 && linSel < qLin) {
        bool vazia = true;
        try {
            vazia = modelo_.TestaLinhaVazia(linSel);
        } catch (const std::exception &) {}
        if (!vazia)
            k = (k / qLin) * qLin + linSel;
    }
    if (k == paradaDeTab_ || k < 0 || k >= int(txt_.size()))
        return;
    if (paradaDeTab_ >= 0 && paradaDeTab_ < int(txt_.size()))
        txt_[paradaDeTab_]->setFocusPolicy(Qt::ClickFocus);
    txt_[k]->setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(txt_[k]);
    paradaDeTab_ = k;
}

void BoxList::TeclaNaCelula(int k, QKeyEvent *event)
{
    qint16 codigo = Teclas::Codigo(event->key(), event->modifiers().testFlag(Qt::KeypadModifier));
    qint16 shift = Teclas::CodigoShift(event->modifiers());
    const qint16 original = codigo;
    try {
        modelo_.TeclaNaCelula(k, codigo, shift);
    } catch (const std::exception &) {}
    // The grid (or the container) handled the key: the edit box does not see it.
    if (original != 0 && codigo == 0) {
        event->accept();
        return;
    }

    const QString texto = event->text();
    if (!texto.isEmpty() && texto.at(0) != QChar(0x7F)) {
        const int byte = Cp1252::paraByte(texto.at(0));
        qint16 ascii = qint16(byte < 0 ? '?' : byte);
        const qint16 antes = ascii;
        emit KeyPress(ascii);
        if (ascii == 0) {
            event->accept();
            return;
        }
        if (ascii != antes) {
            QKeyEvent troca(QEvent::KeyPress, Qt::Key_unknown, event->modifiers(),
                            QString(Cp1252::paraUnicode(uchar(ascii))));
            txt_[k]->Editar(&troca);
            event->setAccepted(troca.isAccepted());
            return;
        }
    }
    txt_[k]->Editar(event);
}

void BoxList::TeclaSoltaNaCelula(int k, QKeyEvent *event)
{
    if (!event->isAutoRepeat()) {
        qint16 codigo = Teclas::Codigo(event->key(), event->modifiers().testFlag(Qt::KeypadModifier));
        qint16 shift = Teclas::CodigoShift(event->modifiers());
        try {
            modelo_.TeclaSoltaNaCelula(k, codigo);
        } catch (const std::exception &) {}
        emit KeyUp(codigo, shift);
    }
    txt_[k]->Soltar(event);
    event->accept();
}

void BoxList::ChkSolto(int k)
{
    if (k < int(chk_.size()))
        modelo_.ChkSolto(k, chk_[k]->isChecked() ? 1 : 0);
}

// Keys on the control itself (no cell can take the focus) go to the container unchanged. Keys a
// cell left unhandled pass on to the window.
void BoxList::keyPressEvent(QKeyEvent *event)
{
    if (QApplication::focusWidget() != this) {
        event->ignore();
        return;
    }
    qint16 codigo = Teclas::Codigo(event->key(), event->modifiers().testFlag(Qt::KeypadModifier));
    qint16 shift = Teclas::CodigoShift(event->modifiers());
    emit KeyDown(codigo, shift);
    const QString texto = event->text();
    if (!texto.isEmpty() && texto.at(0) != QChar(0x7F)) {
        const int byte = Cp1252::paraByte(texto.at(0));
        qint16 ascii = qint16(byte < 0 ? '?' : byte);
        emit KeyPress(ascii);
    }
}

void BoxList::keyReleaseEvent(QKeyEvent *event)
{
    if (QApplication::focusWidget() != this || event->isAutoRepeat()) {
        event->ignore();
        return;
    }
    qint16 codigo = Teclas::Codigo(event->key(), event->modifiers().testFlag(Qt::KeypadModifier));
    qint16 shift = Teclas::CodigoShift(event->modifiers());
    emit KeyUp(codigo, shift);
}

// Up and Down in HBar go to VBar; Left and Right in VBar go to HBar when it shows.
bool BoxList::eventFilter(QObject *objeto, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const int tecla = static_cast<QKeyEvent *>(event)->key();
        if (objeto == hbar_ && (tecla == Qt::Key_Up || tecla == Qt::Key_Down)) {
            vbar_->setFocus(Qt::OtherFocusReason);
            return true;
        }
        if (objeto == vbar_ && (tecla == Qt::Key_Left || tecla == Qt::Key_Right) && modelo_.HBarVisivel()) {
            hbar_->setFocus(Qt::OtherFocusReason);
            return true;
        }
    }
    return QWidget::eventFilter(objeto, event);
}
