#include "app/TextoPassagem.h"

#include "app/LinhaTexto.h"

#include "common/CorQt.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

// One passage line, laid out, and its colours (one per character, the line break included;
// kSemCor for the passage's own colour).
struct TextoPassagem::Linha {
    static constexpr Cor kSemCor = 0xFFFFFFFFu;

    LinhaTexto texto;
    std::vector<Cor> cores;
};

TextoPassagem::TextoPassagem(QWidget *pai)
    : QAbstractScrollArea(pai)
{
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    verticalScrollBar()->setSingleStep(1);
    horizontalScrollBar()->setSingleStep(20);
}

TextoPassagem::~TextoPassagem() = default;

void TextoPassagem::DefinirTexto(const QString &passagemCrLf)
{
    passagem_ = passagemCrLf;
    QString plano = passagemCrLf;
    plano.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    // The line break after the last line is never typed (the last Enter ends the passage): shown, it
    // would only add an empty line.
    if (plano.endsWith(u'\n'))
        plano.chop(1);
    linhas_.clear();
    inicios_.clear();
    int inicio = 0;
    for (const QString &texto : plano.split(u'\n')) {
        auto linha = std::make_unique<Linha>();
        linha->texto.Definir(texto, font());
        linha->cores.assign(size_t(texto.size()) + 1, Linha::kSemCor);
        inicios_.push_back(inicio);
        inicio += int(texto.size()) + 1;
        linhas_.push_back(std::move(linha));
    }
    Medir();
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    viewport()->update();
}

void TextoPassagem::Diagramar()
{
    for (auto &linha : linhas_)
        linha->texto.Diagramar(font());
    Medir();
}

void TextoPassagem::Medir()
{
    const QFontMetrics medida(font());
    altura_ = qMax(1, medida.lineSpacing());
    ascendente_ = medida.ascent();
    largura_ = 0;
    for (const auto &linha : linhas_)
        largura_ = qMax(largura_, int(std::ceil(linha->texto.Largura())));
    AjustarBarras();
}

void TextoPassagem::AjustarBarras()
{
    const int visiveis = qMax(1, viewport()->height() / altura_);
    verticalScrollBar()->setRange(0, qMax(0, int(linhas_.size()) - visiveis));
    verticalScrollBar()->setPageStep(visiveis);
    horizontalScrollBar()->setRange(0, qMax(0, largura_ + 2 * kMargem - viewport()->width()));
    horizontalScrollBar()->setPageStep(viewport()->width());
}

std::pair<int, int> TextoPassagem::Local(int posicao) const
{
    const auto depois = std::upper_bound(inicios_.begin(), inicios_.end(), posicao);
    const int linha = int(depois - inicios_.begin()) - 1;
    return {linha, posicao - inicios_[size_t(linha)]};
}

QRect TextoPassagem::RetanguloDe(int linha, int coluna) const
{
    const LinhaTexto &l = linhas_[size_t(linha)]->texto;
    const qreal x0 = l.X(coluna);
    // The line break's cell: a space's width after the text.
    const qreal x1 = coluna < l.Tamanho() ? l.X(coluna + 1) : x0 + QFontMetrics(font()).horizontalAdvance(u' ');
    const int dx = kMargem - horizontalScrollBar()->value();
    const int y = (linha - verticalScrollBar()->value()) * altura_ + kMargem;
    // A pixel either side: glyphs may overhang their cell a little.
    return QRect(int(std::floor(x0)) + dx - 1, y, int(std::ceil(x1 - x0)) + 3, altura_);
}

void TextoPassagem::Colorir(int posicao, Cor cor)
{
    if (linhas_.empty() || posicao < 0)
        return;
    const auto [linha, coluna] = Local(posicao);
    if (linha < 0 || linha >= int(linhas_.size()))
        return;
    Linha &l = *linhas_[size_t(linha)];
    // The line break after the last line is not shown.
    if (coluna >= int(l.cores.size()) || (coluna == l.texto.Tamanho() && linha + 1 == int(linhas_.size())))
        return;
    const Cor nova = cor == corBase_ ? Linha::kSemCor : cor;
    if (l.cores[size_t(coluna)] != nova) {
        l.cores[size_t(coluna)] = nova;
        viewport()->update(RetanguloDe(linha, coluna));
    }
    // After a line break the student is on the next line.
    MostrarLinha(coluna == l.texto.Tamanho() ? qMin(linha + 1, int(linhas_.size()) - 1) : linha);
}

void TextoPassagem::ColorirTudo(Cor cor)
{
    corBase_ = cor;
    for (auto &linha : linhas_)
        std::fill(linha->cores.begin(), linha->cores.end(), Linha::kSemCor);
    verticalScrollBar()->setValue(0);
    viewport()->update();
}

Cor TextoPassagem::CorEm(int posicao) const
{
    if (linhas_.empty() || posicao < 0)
        return corBase_;
    const auto [linha, coluna] = Local(posicao);
    const Linha &l = *linhas_[size_t(linha)];
    if (coluna >= int(l.cores.size()) || l.cores[size_t(coluna)] == Linha::kSemCor)
        return corBase_;
    return l.cores[size_t(coluna)];
}

bool TextoPassagem::LinhaVisivel(int linha) const
{
    const int topo = (linha - verticalScrollBar()->value()) * altura_ + kMargem;
    return topo >= 0 && topo + altura_ <= viewport()->height();
}

int TextoPassagem::PrimeiraLinhaVisivel() const
{
    return verticalScrollBar()->value();
}

void TextoPassagem::MostrarLinha(int linha)
{
    // When the student reaches a line outside the view, the passage turns a page: that line goes to
    // the top with the line before it still showing, and the lines to come below it.
    if (!LinhaVisivel(linha))
        verticalScrollBar()->setValue(qMax(0, linha - 1));
}

void TextoPassagem::paintEvent(QPaintEvent *evento)
{
    QPainter p(viewport());
    const QRect area = evento->rect();
    const int primeira = verticalScrollBar()->value();
    const int dx = kMargem - horizontalScrollBar()->value();
    const QColor base = CorQt(corBase_);
    p.setFont(font());
    for (int i = qMax(0, primeira + (area.top() - kMargem) / altura_); i < int(linhas_.size()); ++i) {
        const int y = (i - primeira) * altura_ + kMargem;
        if (y > area.bottom())
            break;
        const Linha &l = *linhas_[size_t(i)];
        if (l.texto.Tamanho() == 0)
            continue;
        // Only the characters the area reaches, in runs of one colour, each drawn where the line's
        // layout puts it.
        const auto [de, ate] = l.texto.Alcance(area.left() - dx - 2, area.right() - dx + 2);
        for (int c = de; c < ate;) {
            const Cor cor = l.cores[size_t(c)];
            int fim = c + 1;
            while (fim < ate && l.cores[size_t(fim)] == cor)
                ++fim;
            p.setPen(cor == Linha::kSemCor ? base : CorQt(cor));
            p.drawText(QPointF(l.texto.X(c) + dx, y + ascendente_), l.texto.Texto().mid(c, fim - c));
            c = fim;
        }
    }
}

void TextoPassagem::resizeEvent(QResizeEvent *evento)
{
    QAbstractScrollArea::resizeEvent(evento);
    AjustarBarras();
}

void TextoPassagem::changeEvent(QEvent *evento)
{
    QAbstractScrollArea::changeEvent(evento);
    if (evento->type() == QEvent::FontChange) {
        Diagramar();
        viewport()->update();
    }
}

void TextoPassagem::keyPressEvent(QKeyEvent *evento)
{
    // Read from the keyboard: the arrows and page keys scroll.
    QScrollBar *v = verticalScrollBar();
    QScrollBar *h = horizontalScrollBar();
    switch (evento->key()) {
    case Qt::Key_Up: v->setValue(v->value() - 1); break;
    case Qt::Key_Down: v->setValue(v->value() + 1); break;
    case Qt::Key_PageUp: v->setValue(v->value() - v->pageStep()); break;
    case Qt::Key_PageDown: v->setValue(v->value() + v->pageStep()); break;
    case Qt::Key_Home: v->setValue(0); break;
    case Qt::Key_End: v->setValue(v->maximum()); break;
    case Qt::Key_Left: h->setValue(h->value() - h->singleStep()); break;
    case Qt::Key_Right: h->setValue(h->value() + h->singleStep()); break;
    default: QAbstractScrollArea::keyPressEvent(evento); return;
    }
    evento->accept();
}
