#include "shared/Logotipo.h"

#include <QFont>
#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace Logotipo {

QPixmap Emblema(int lado)
{
    QPixmap p(lado, lado);
    p.fill(Qt::transparent);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    const qreal m = lado * 0.04;
    const QRectF caixa(m, m, lado - 2 * m, lado - 2 * m);
    const qreal raio = lado * 0.18;

    // The key cap: a darker base with a lighter top face, as a key seen from above.
    QPainterPath base;
    base.addRoundedRect(caixa, raio, raio);
    QLinearGradient fundo(caixa.topLeft(), caixa.bottomLeft());
    fundo.setColorAt(0, QColor(40, 92, 168));
    fundo.setColorAt(1, QColor(22, 56, 118));
    g.fillPath(base, fundo);

    const QRectF topo = caixa.adjusted(lado * 0.10, lado * 0.07, -lado * 0.10, -lado * 0.16);
    QPainterPath face;
    face.addRoundedRect(topo, raio * 0.7, raio * 0.7);
    QLinearGradient luz(topo.topLeft(), topo.bottomLeft());
    luz.setColorAt(0, QColor(120, 170, 236));
    luz.setColorAt(1, QColor(70, 126, 206));
    g.fillPath(face, luz);

    // The letter D as a shape of its own: no font to load for every size the desktop asks for.
    const qreal altura = topo.height() * 0.62;
    const qreal largura = altura * 0.78;
    const qreal traco = qMax(1.2, altura * 0.2);
    const QRectF letra(topo.center().x() - largura / 2, topo.center().y() - altura / 2, largura, altura);
    QPainterPath d;
    d.moveTo(letra.left(), letra.top());
    d.lineTo(letra.left() + largura * 0.45, letra.top());
    d.arcTo(QRectF(letra.left() - largura * 0.1, letra.top(), largura * 1.1, altura), 90, -180);
    d.lineTo(letra.left(), letra.bottom());
    d.closeSubpath();
    const QRectF dentro = letra.adjusted(traco, traco, -traco, -traco);
    QPainterPath vazio;
    vazio.moveTo(dentro.left(), dentro.top());
    vazio.lineTo(dentro.left() + dentro.width() * 0.35, dentro.top());
    vazio.arcTo(
        QRectF(dentro.left() - dentro.width() * 0.25, dentro.top(), dentro.width() * 1.25, dentro.height()), 90,
        -180);
    vazio.lineTo(dentro.left(), dentro.bottom());
    vazio.closeSubpath();
    g.fillPath(d.subtracted(vazio), Qt::white);
    return p;
}

QIcon Icone()
{
    QIcon icone;
    for (int lado : {16, 32, 48, 64})
        icone.addPixmap(Emblema(lado));
    return icone;
}

QPixmap Marca(QSize tamanho)
{
    QPixmap p(tamanho);
    p.fill(Qt::transparent);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    const int lado = qMin(tamanho.height(), 44);
    const int topoEmblema = (tamanho.height() - lado) / 2;
    g.drawPixmap(0, topoEmblema, Emblema(lado));

    const QRect texto(lado + 4, 0, tamanho.width() - lado - 4, tamanho.height());
    QFont nome(QStringLiteral("DejaVu Sans"));
    nome.setBold(true);
    nome.setPixelSize(15);
    QFont sub(QStringLiteral("DejaVu Sans"));
    sub.setPixelSize(8);
    const QFontMetrics mNome(nome);
    const QFontMetrics mSub(sub);
    const int altura = mNome.height() + mSub.height();
    const int y = (tamanho.height() - altura) / 2;
    g.setFont(nome);
    g.setPen(QColor(22, 56, 118));
    g.drawText(QRect(texto.left(), y, texto.width(), mNome.height()), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Datilux"));
    g.setFont(sub);
    g.setPen(QColor(60, 80, 110));
    g.drawText(QRect(texto.left(), y + mNome.height(), texto.width(), mSub.height()),
               Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("digitação"));
    return p;
}

} // namespace Logotipo
