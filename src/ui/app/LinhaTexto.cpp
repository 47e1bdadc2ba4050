#include "app/LinhaTexto.h"

#include <QTextLayout>

#include <algorithm>

namespace {

// How far back shaping reaches in the scripts above: a kerning pair, a ligature of up to three letters.
constexpr int kAlcanceForma = 4;

bool FormaLocal(QChar c)
{
    return c.unicode() < 0x0590 && !c.isMark() && !c.isSurrogate();
}

} // namespace

void LinhaTexto::Definir(const QString &texto, const QFont &fonte)
{
    texto_ = texto;
    local_ = std::all_of(texto_.cbegin(), texto_.cend(), FormaLocal);
    Diagramar(fonte);
}

void LinhaTexto::Acrescentar(QChar c, const QFont &fonte)
{
    texto_ += c;
    local_ = local_ && FormaLocal(c);
    Medir(fonte, local_ ? qMax(0, Tamanho() - kAlcanceForma) : 0);
}

void LinhaTexto::Diagramar(const QFont &fonte)
{
    Medir(fonte, 0);
}

void LinhaTexto::Medir(const QFont &fonte, int de)
{
    QTextLayout layout(texto_, fonte);
    QTextOption opcao;
    opcao.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(opcao);
    layout.beginLayout();
    QTextLine linha = layout.createLine();
    if (linha.isValid())
        linha.setPosition(QPointF(0, 0));
    layout.endLayout();
    const int n = Tamanho();
    xs_.resize(size_t(n) + 1);
    // Each edge costs a walk along the line: the edges kept from before save all but a few walks.
    for (int i = qMin(de, n); i <= n; ++i)
        xs_[size_t(i)] = linha.isValid() ? linha.cursorToX(i) : 0.0;
}

int LinhaTexto::Coluna(qreal x) const
{
    const auto depois = std::lower_bound(xs_.begin(), xs_.end(), x);
    if (depois == xs_.begin())
        return 0;
    if (depois == xs_.end())
        return Tamanho();
    const int i = int(depois - xs_.begin());
    return (*depois - x) < (x - xs_[size_t(i - 1)]) ? i : i - 1;
}

std::pair<int, int> LinhaTexto::Alcance(qreal esquerda, qreal direita) const
{
    const int n = Tamanho();
    int de = int(std::upper_bound(xs_.begin(), xs_.begin() + n, esquerda) - xs_.begin()) - 1;
    int ate = int(std::lower_bound(xs_.begin(), xs_.begin() + n + 1, direita) - xs_.begin());
    return {qMax(0, de), qMin(n, ate)};
}
