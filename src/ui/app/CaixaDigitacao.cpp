#include "app/CaixaDigitacao.h"

#include "app/LinhaTexto.h"
#include "app/Traco.h"
#include "common/Plataforma.h"
#include "common/Teclas.h"

#include <QApplication>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyleHints>

#include <cmath>

CaixaDigitacao::CaixaDigitacao(Receptor &receptor, Plataforma &plataforma, QWidget *pai)
    : QAbstractScrollArea(pai)
    , receptor_(receptor)
    , plataforma_(plataforma)
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled);
    setAcceptDrops(false);
    setContextMenuPolicy(Qt::NoContextMenu);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    viewport()->setCursor(Qt::IBeamCursor);
    // Both scroll bars always, so that the first line too long or too many never changes the layout
    // in the middle of typing.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    horizontalScrollBar()->setSingleStep(20);
    Limpar();
}

CaixaDigitacao::~CaixaDigitacao() = default;

void CaixaDigitacao::Limpar()
{
    linhas_.clear();
    linhas_.push_back(std::make_unique<LinhaTexto>());
    linha_ = coluna_ = 0;
    composicao_.clear();
    largura_ = 0;
    const QFontMetrics medida(font());
    altura_ = qMax(1, medida.lineSpacing());
    ascendente_ = medida.ascent();
    AjustarBarras();
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    viewport()->update();
}

int CaixaDigitacao::Caret() const
{
    int posicao = coluna_;
    for (int i = 0; i < linha_; ++i)
        posicao += linhas_[size_t(i)]->Tamanho() + 1;
    return posicao;
}

int CaixaDigitacao::TamanhoCrLf() const
{
    int n = 0;
    for (const auto &l : linhas_)
        n += l->Tamanho();
    return n + 2 * (int(linhas_.size()) - 1);
}

QString CaixaDigitacao::toPlainText() const
{
    QStringList linhas;
    for (const auto &l : linhas_)
        linhas << l->Texto();
    return linhas.join(u'\n');
}

namespace {

bool Imprimivel(QChar c)
{
    return c.unicode() >= 32 && c.unicode() != 127 && c.isPrint();
}

} // namespace

// ---- editing ------------------------------------------------------------------------------------

void CaixaDigitacao::Digitar(int k)
{
    if (receptor_.TxtDigita_KeyPress(k, Caret()))
        return;
    Traco::Marcar("sinais");
    // The handler may have ended the session (and disabled the box) without refusing the key.
    if (!isEnabled())
        return;
    if (k == 8)
        ApagarAntes();
    else if (k == 13)
        QuebrarLinha();
    else
        Inserir(QChar(char16_t(k)));
    Traco::Marcar("caixa");
    // Everything the key changed is on screen before the next event is looked at: the typed
    // character, the passage's colour and the counters, in one repaint.
    viewport()->repaint(RetanguloCaret());
}

void CaixaDigitacao::Diagramar(int linha)
{
    LinhaTexto &l = *linhas_[size_t(linha)];
    l.Diagramar(font());
    if (l.Largura() > largura_) {
        largura_ = int(std::ceil(l.Largura()));
        AjustarBarras();
    }
}

void CaixaDigitacao::Inserir(QChar c)
{
    LinhaTexto &l = *linhas_[size_t(linha_)];
    const qreal antes = l.Largura();
    if (coluna_ == l.Tamanho()) {
        l.Acrescentar(c, font());
    } else {
        QString texto = l.Texto();
        texto.insert(coluna_, c);
        l.Definir(texto, font());
    }
    const int de = coluna_;
    ++coluna_;
    // Only the new character's cell, or the rest of the line when the character went in the middle.
    const int ate = coluna_ == l.Tamanho() ? coluna_ : l.Tamanho();
    viewport()->update(
        RetanguloDe(linha_, de, ate).united(QRect(Deslocamento().x() + int(antes) - 1, Topo(linha_), 2, altura_)));
    if (l.Largura() > largura_) {
        largura_ = int(std::ceil(l.Largura()));
        AjustarBarras();
    }
    MostrarCaret();
    Mudou();
}

void CaixaDigitacao::QuebrarLinha()
{
    LinhaTexto &l = *linhas_[size_t(linha_)];
    const QString texto = l.Texto();
    auto nova = std::make_unique<LinhaTexto>();
    nova->Definir(texto.mid(coluna_), font());
    if (coluna_ < texto.size())
        l.Definir(texto.left(coluna_), font());
    linhas_.insert(linhas_.begin() + linha_ + 1, std::move(nova));
    const bool noFim = linha_ + 2 == int(linhas_.size()) && coluna_ == texto.size();
    const int antiga = linha_;
    const QRect caretAntes = RetanguloCaret();
    linha_ += 1;
    coluna_ = 0;
    AjustarBarras();
    // A new empty last line changes nothing but where the caret is; a line broken in the middle moves
    // everything below it.
    if (noFim)
        viewport()->update(caretAntes.united(RetanguloCaret()));
    else
        viewport()->update(QRect(0, Topo(antiga), viewport()->width(), viewport()->height()));
    MostrarCaret();
    Mudou();
}

void CaixaDigitacao::ApagarAntes()
{
    if (coluna_ > 0) {
        LinhaTexto &l = *linhas_[size_t(linha_)];
        QString texto = l.Texto();
        --coluna_;
        const QRect antes = RetanguloDe(linha_, coluna_, l.Tamanho());
        texto.remove(coluna_, 1);
        l.Definir(texto, font());
        viewport()->update(antes);
    } else if (linha_ > 0) {
        // At the start of a line: the line break before it goes, the two lines join.
        LinhaTexto &anterior = *linhas_[size_t(linha_ - 1)];
        const int coluna = anterior.Tamanho();
        anterior.Definir(anterior.Texto() + linhas_[size_t(linha_)]->Texto(), font());
        linhas_.erase(linhas_.begin() + linha_);
        --linha_;
        coluna_ = coluna;
        AjustarBarras();
        viewport()->update(QRect(0, Topo(linha_), viewport()->width(), viewport()->height()));
    } else {
        return; // nothing before the caret: the text did not change
    }
    MostrarCaret();
    Mudou();
}

void CaixaDigitacao::ApagarDepois()
{
    LinhaTexto &l = *linhas_[size_t(linha_)];
    if (coluna_ < l.Tamanho()) {
        QString texto = l.Texto();
        const QRect antes = RetanguloDe(linha_, coluna_, l.Tamanho());
        texto.remove(coluna_, 1);
        l.Definir(texto, font());
        viewport()->update(antes);
    } else if (linha_ + 1 < int(linhas_.size())) {
        l.Definir(l.Texto() + linhas_[size_t(linha_ + 1)]->Texto(), font());
        linhas_.erase(linhas_.begin() + linha_ + 1);
        AjustarBarras();
        viewport()->update(QRect(0, Topo(linha_), viewport()->width(), viewport()->height()));
    } else {
        return;
    }
    MostrarCaret();
    Mudou();
}

void CaixaDigitacao::Mudou()
{
    receptor_.TxtDigita_Change();
}

// ---- caret and geometry ---------------------------------------------------------------------------

QPoint CaixaDigitacao::Deslocamento() const
{
    return QPoint(kMargem - horizontalScrollBar()->value(), kMargem - verticalScrollBar()->value() * altura_);
}

int CaixaDigitacao::Topo(int linha) const
{
    return Deslocamento().y() + linha * altura_;
}

QRect CaixaDigitacao::RetanguloDe(int linha, int deColuna, int ateColuna) const
{
    const LinhaTexto &l = *linhas_[size_t(linha)];
    const qreal x0 = l.X(deColuna);
    const qreal x1 = qMax(l.X(ateColuna), x0 + 1);
    // A pixel or two either side: glyphs may overhang their cell a little.
    return QRect(int(std::floor(x0)) + Deslocamento().x() - 2, Topo(linha), int(std::ceil(x1 - x0)) + 5, altura_);
}

QRect CaixaDigitacao::RetanguloCaret() const
{
    const int x = int(std::floor(linhas_[size_t(linha_)]->X(coluna_))) + Deslocamento().x();
    return QRect(x - 1, Topo(linha_), 3, altura_);
}

void CaixaDigitacao::MoverCaret(int linha, int coluna)
{
    viewport()->update(RetanguloCaret());
    linha_ = qBound(0, linha, int(linhas_.size()) - 1);
    coluna_ = qBound(0, coluna, linhas_[size_t(linha_)]->Tamanho());
    MostrarCaret();
}

void CaixaDigitacao::MostrarCaret()
{
    // The caret stays in view. Below the last visible line the box turns a page: the caret's line goes
    // to the top with the line before it still showing, instead of the box scrolling at every Enter.
    QScrollBar *v = verticalScrollBar();
    const int visiveis = qMax(1, (viewport()->height() - kMargem) / altura_);
    if (linha_ < v->value() || linha_ >= v->value() + visiveis) {
        v->setMaximum(qMax(v->maximum(), linha_));
        v->setValue(qMax(0, linha_ - (linha_ < v->value() ? 0 : 1)));
    }
    QScrollBar *h = horizontalScrollBar();
    const int x = int(linhas_[size_t(linha_)]->X(coluna_));
    const int largura = viewport()->width() - 2 * kMargem;
    if (x < h->value())
        h->setValue(qMax(0, x - largura / 2));
    else if (x > h->value() + largura)
        h->setValue(x - largura / 2);
    ReiniciarPisca();
    viewport()->update(RetanguloCaret());
}

void CaixaDigitacao::AjustarBarras()
{
    const int visiveis = qMax(1, (viewport()->height() - kMargem) / altura_);
    QScrollBar *v = verticalScrollBar();
    // The range reaches the caret's line at the top, as the page turns put it.
    v->setRange(0, qMax(qMax(0, int(linhas_.size()) - visiveis), qMin(v->value(), int(linhas_.size()) - 1)));
    v->setPageStep(visiveis);
    horizontalScrollBar()->setRange(0, qMax(0, largura_ + 2 * kMargem + 2 - viewport()->width()));
    horizontalScrollBar()->setPageStep(viewport()->width());
}

void CaixaDigitacao::ReiniciarPisca()
{
    caretVisivel_ = true;
    const int tempo = QApplication::styleHints()->cursorFlashTime();
    if (tempo > 0 && hasFocus())
        pisca_.start(tempo / 2, this);
    else
        pisca_.stop();
}

void CaixaDigitacao::timerEvent(QTimerEvent *e)
{
    if (e->timerId() == piscaDica_.timerId()) {
        piscaDica_.stop();
        viewport()->update();
        return;
    }
    if (e->timerId() != pisca_.timerId()) {
        QAbstractScrollArea::timerEvent(e);
        return;
    }
    caretVisivel_ = !caretVisivel_;
    viewport()->update(RetanguloCaret());
}

// ---- painting -------------------------------------------------------------------------------------

void CaixaDigitacao::DefinirDica(const QString &dica)
{
    if (dica == dica_)
        return;
    dica_ = dica;
    if (dica_.isEmpty())
        piscaDica_.stop();
    viewport()->update();
}

void CaixaDigitacao::PiscarDica()
{
    if (dica_.isEmpty())
        return;
    piscaDica_.start(600, this);
    viewport()->update();
}

void CaixaDigitacao::paintEvent(QPaintEvent *e)
{
    QPainter p(viewport());
    const QRect area = e->rect();
    const QPoint d = Deslocamento();
    p.setFont(font());
    p.setPen(palette().color(QPalette::Text));
    const int primeira = qMax(0, (area.top() - d.y()) / altura_);
    for (int i = primeira; i < int(linhas_.size()); ++i) {
        const int y = d.y() + i * altura_;
        if (y > area.bottom())
            break;
        const LinhaTexto &l = *linhas_[size_t(i)];
        if (l.Tamanho() > 0) {
            const auto [de, ate] = l.Alcance(area.left() - d.x() - 2, area.right() - d.x() + 2);
            if (ate > de)
                p.drawText(QPointF(l.X(de) + d.x(), y + ascendente_), l.Texto().mid(de, ate - de));
        }
        if (i == linha_ && !composicao_.isEmpty()) {
            // The accent of a dead key, underlined at the caret until its letter comes.
            const QPointF em(l.X(coluna_) + d.x(), y + ascendente_);
            p.drawText(em, composicao_);
            p.drawLine(em + QPointF(0, 2), em + QPointF(QFontMetrics(font()).horizontalAdvance(composicao_), 2));
        }
    }
    if (!dica_.isEmpty()) {
        // Below the last line of text, so that it never covers what was typed.
        const int y =
            d.y() + int(linhas_.size() == 1 && linhas_[0]->Tamanho() == 0 ? 0 : linhas_.size()) * altura_;
        QFont f = font();
        f.setBold(false);
        f.setItalic(true);
        p.setFont(f);
        p.setPen(piscaDica_.isActive() ? QColor(200, 30, 30)
                                       : palette().color(QPalette::Disabled, QPalette::Text));
        p.drawText(QPointF(d.x(), y + ascendente_), dica_);
    }
    if (hasFocus() && isEnabled() && caretVisivel_ && composicao_.isEmpty()) {
        const QRect c = RetanguloCaret();
        p.fillRect(QRect(c.x() + 1, c.y() + 1, 1, c.height() - 2), palette().color(QPalette::Text));
    }
}

void CaixaDigitacao::resizeEvent(QResizeEvent *e)
{
    QAbstractScrollArea::resizeEvent(e);
    AjustarBarras();
}

void CaixaDigitacao::changeEvent(QEvent *e)
{
    QAbstractScrollArea::changeEvent(e);
    if (e->type() == QEvent::FontChange) {
        const QFontMetrics medida(font());
        altura_ = qMax(1, medida.lineSpacing());
        ascendente_ = medida.ascent();
        largura_ = 0;
        for (int i = 0; i < int(linhas_.size()); ++i)
            Diagramar(i);
        AjustarBarras();
        viewport()->update();
    } else if (e->type() == QEvent::EnabledChange) {
        viewport()->update();
    }
}

// ---- keyboard, mouse, focus -----------------------------------------------------------------------

void CaixaDigitacao::keyPressEvent(QKeyEvent *e)
{
    plataforma_.ObservarTecla(*e);
    e->accept();
    if (receptor_.TxtDigita_KeyDown(Teclas::Codigo(e->key(), e->modifiers().testFlag(Qt::KeypadModifier))))
        return;

    const Qt::KeyboardModifiers mods = e->modifiers();
    // Alt with a key is a command on a PC keyboard, never a character. AltGr is not: X11 reports it
    // as a group switch, or on some set-ups as Ctrl+Alt, and its character ("/" for AltGr+Q on a
    // Brazilian keyboard) must be typed.
    const bool altGr =
        mods.testFlag(Qt::GroupSwitchModifier)
        || (mods & (Qt::ControlModifier | Qt::AltModifier)) == (Qt::ControlModifier | Qt::AltModifier);
    const bool comando = !altGr && (mods & (Qt::ControlModifier | Qt::MetaModifier | Qt::AltModifier));
    const int key = e->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (!comando)
            Digitar(13);
        return;
    }
    if (key == Qt::Key_Backspace) {
        if (!(mods & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
            Digitar(8);
        return;
    }
    const QString texto = e->text();
    if (!texto.isEmpty() && !comando && Imprimivel(texto[0])) {
        for (QChar c : texto) {
            if (Imprimivel(c))
                Digitar(c.unicode());
        }
        return;
    }
    // Caret movement; no key other than those above changes the text but Delete.
    if (comando)
        return;
    const int visiveis = qMax(1, (viewport()->height() - kMargem) / altura_);
    switch (key) {
    case Qt::Key_Left:
        if (coluna_ > 0)
            MoverCaret(linha_, coluna_ - 1);
        else if (linha_ > 0)
            MoverCaret(linha_ - 1, linhas_[size_t(linha_ - 1)]->Tamanho());
        break;
    case Qt::Key_Right:
        if (coluna_ < linhas_[size_t(linha_)]->Tamanho())
            MoverCaret(linha_, coluna_ + 1);
        else if (linha_ + 1 < int(linhas_.size()))
            MoverCaret(linha_ + 1, 0);
        break;
    case Qt::Key_Up:
        MoverCaret(linha_ - 1, linhas_[size_t(qMax(0, linha_ - 1))]->Coluna(linhas_[size_t(linha_)]->X(coluna_)));
        break;
    case Qt::Key_Down: {
        const int alvo = qMin(linha_ + 1, int(linhas_.size()) - 1);
        MoverCaret(alvo, linhas_[size_t(alvo)]->Coluna(linhas_[size_t(linha_)]->X(coluna_)));
        break;
    }
    case Qt::Key_PageUp: MoverCaret(linha_ - visiveis, coluna_); break;
    case Qt::Key_PageDown: MoverCaret(linha_ + visiveis, coluna_); break;
    case Qt::Key_Home: MoverCaret(linha_, 0); break;
    case Qt::Key_End: MoverCaret(linha_, linhas_[size_t(linha_)]->Tamanho()); break;
    case Qt::Key_Delete: ApagarDepois(); break;
    default: QAbstractScrollArea::keyPressEvent(e); break;
    }
}

void CaixaDigitacao::inputMethodEvent(QInputMethodEvent *e)
{
    const QString confirmado = e->commitString();
    const QRect antes = composicao_.isEmpty() ? QRect() : RetanguloCaret().adjusted(0, 0, 40, 0);
    composicao_ = e->preeditString();
    if (antes.isValid() || !composicao_.isEmpty())
        viewport()->update(RetanguloCaret().adjusted(0, 0, 40, 0).united(antes));
    for (QChar c : confirmado) {
        if (Imprimivel(c))
            Digitar(c.unicode());
    }
    e->accept();
}

QVariant CaixaDigitacao::inputMethodQuery(Qt::InputMethodQuery consulta) const
{
    switch (consulta) {
    case Qt::ImEnabled: return isEnabled();
    case Qt::ImCursorRectangle: return RetanguloCaret().translated(viewport()->pos());
    case Qt::ImFont: return font();
    case Qt::ImCursorPosition:
    case Qt::ImAnchorPosition: return coluna_;
    case Qt::ImSurroundingText: return linhas_[size_t(linha_)]->Texto();
    case Qt::ImCurrentSelection: return QString();
    case Qt::ImHints: return int(Qt::ImhMultiLine | Qt::ImhNoPredictiveText);
    default: return QAbstractScrollArea::inputMethodQuery(consulta);
    }
}

void CaixaDigitacao::mousePressEvent(QMouseEvent *e)
{
    if (e->button() != Qt::LeftButton) {
        e->ignore();
        return;
    }
    const QPoint d = Deslocamento();
    // The scroll area hands the viewport's mouse events over in the viewport's own coordinates.
    const QPointF pos = e->position();
    const int linha = qBound(0, int(std::floor((pos.y() - d.y()) / altura_)), int(linhas_.size()) - 1);
    MoverCaret(linha, linhas_[size_t(linha)]->Coluna(pos.x() - d.x()));
    setFocus(Qt::MouseFocusReason);
}

void CaixaDigitacao::focusInEvent(QFocusEvent *e)
{
    QAbstractScrollArea::focusInEvent(e);
    ReiniciarPisca();
    viewport()->update(RetanguloCaret());
    receptor_.TxtDigita_GotFocus();
}

void CaixaDigitacao::focusOutEvent(QFocusEvent *e)
{
    QAbstractScrollArea::focusOutEvent(e);
    pisca_.stop();
    viewport()->update(RetanguloCaret());
    // A menu opening over the window does not take the box's focus away.
    if (e->reason() != Qt::PopupFocusReason)
        receptor_.TxtDigita_LostFocus();
}
