#include "shared/Arte.h"

#include "controls/FlatButton/FlatButton.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmapCache>

namespace Arte {
namespace {

constexpr qreal kRaio = 3.5;

struct Cores {
    QColor topo, base, borda, brilho;
};

Cores CoresDaFace(Face face)
{
    switch (face) {
    case Face::Up:
        return {QColor(255, 255, 255), QColor(214, 226, 243), QColor(112, 140, 186), QColor(255, 255, 255, 200)};
    case Face::High:
        return {QColor(255, 253, 244), QColor(255, 226, 150), QColor(214, 146, 38), QColor(255, 255, 255, 220)};
    case Face::Down:
        return {QColor(190, 207, 232), QColor(226, 235, 248), QColor(84, 111, 158), QColor(120, 142, 180, 120)};
    case Face::Desabilitada:
        return {QColor(242, 243, 245), QColor(223, 226, 231), QColor(176, 182, 191), QColor(255, 255, 255, 120)};
    }
    return {};
}

qreal Escala()
{
    return qApp ? qApp->devicePixelRatio() : 1.0;
}

QPixmap Tela(QSize tamanho)
{
    const qreal escala = Escala();
    QPixmap p(tamanho * escala);
    p.setDevicePixelRatio(escala);
    p.fill(Qt::transparent);
    return p;
}

QPen Traco(const QColor &cor, qreal largura)
{
    return QPen(cor, largura, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

const QColor kVerde(46, 157, 58);
const QColor kVerdeEscuro(27, 107, 36);
const QColor kVermelho(210, 59, 46);
const QColor kVermelhoEscuro(146, 33, 24);
const QColor kAzul(40, 110, 200);
const QColor kAzulEscuro(22, 70, 140);

void IconeOk(QPainter &p)
{
    QPainterPath v;
    v.moveTo(2.5, 8.5);
    v.lineTo(6.5, 12.5);
    v.lineTo(13.5, 3.5);
    p.setPen(Traco(kVerdeEscuro, 3.6));
    p.drawPath(v);
    p.setPen(Traco(kVerde, 2.2));
    p.drawPath(v);
}

void IconeCancelar(QPainter &p)
{
    for (const auto &[cor, largura] : {std::pair{kVermelhoEscuro, 3.6}, std::pair{kVermelho, 2.2}}) {
        p.setPen(Traco(cor, largura));
        p.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
        p.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
    }
}

void IconeSair(QPainter &p)
{
    // The door frame, the open door leaf, and an arrow going out.
    p.setPen(Traco(QColor(110, 70, 30), 1.0));
    p.setBrush(QColor(90, 60, 35));
    p.drawRect(QRectF(1.5, 1.5, 8, 13));
    QPainterPath folha;
    folha.moveTo(1.5, 1.5);
    folha.lineTo(6.5, 3.0);
    folha.lineTo(6.5, 15.5);
    folha.lineTo(1.5, 14.5);
    folha.closeSubpath();
    p.setBrush(QColor(205, 145, 80));
    p.drawPath(folha);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 220, 120));
    p.drawEllipse(QPointF(5.2, 9.0), 0.9, 0.9);

    QPainterPath seta;
    seta.moveTo(8.0, 6.0);
    seta.lineTo(11.0, 6.0);
    seta.lineTo(11.0, 3.5);
    seta.lineTo(15.3, 8.0);
    seta.lineTo(11.0, 12.5);
    seta.lineTo(11.0, 10.0);
    seta.lineTo(8.0, 10.0);
    seta.closeSubpath();
    p.setPen(Traco(kVerdeEscuro, 1.0));
    p.setBrush(kVerde);
    p.drawPath(seta);
}

void IconeComecar(QPainter &p)
{
    QPainterPath t;
    t.moveTo(4.0, 2.0);
    t.lineTo(14.0, 8.0);
    t.lineTo(4.0, 14.0);
    t.closeSubpath();
    QLinearGradient g(0, 2, 0, 14);
    g.setColorAt(0, QColor(110, 205, 110));
    g.setColorAt(1, kVerde);
    p.setPen(Traco(kVerdeEscuro, 1.2));
    p.setBrush(g);
    p.drawPath(t);
}

void IconeFinalizar(QPainter &p)
{
    QLinearGradient g(0, 3, 0, 13);
    g.setColorAt(0, QColor(240, 110, 95));
    g.setColorAt(1, kVermelho);
    p.setPen(Traco(kVermelhoEscuro, 1.2));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(3.0, 3.0, 10, 10), 1.5, 1.5);
}

void IconeProximo(QPainter &p)
{
    QPainterPath seta;
    seta.moveTo(1.5, 6.0);
    seta.lineTo(8.0, 6.0);
    seta.lineTo(8.0, 2.5);
    seta.lineTo(14.5, 8.0);
    seta.lineTo(8.0, 13.5);
    seta.lineTo(8.0, 10.0);
    seta.lineTo(1.5, 10.0);
    seta.closeSubpath();
    QLinearGradient g(0, 2.5, 0, 13.5);
    g.setColorAt(0, QColor(100, 160, 235));
    g.setColorAt(1, kAzul);
    p.setPen(Traco(kAzulEscuro, 1.0));
    p.setBrush(g);
    p.drawPath(seta);
}

void IconeCarregar(QPainter &p)
{
    // An open folder: the back with its tab, and the front flap leaning forward.
    const QColor contorno(160, 110, 20);
    QPainterPath fundo;
    fundo.moveTo(1.5, 13.5);
    fundo.lineTo(1.5, 3.5);
    fundo.lineTo(5.5, 3.5);
    fundo.lineTo(7.0, 5.0);
    fundo.lineTo(12.5, 5.0);
    fundo.lineTo(12.5, 13.5);
    fundo.closeSubpath();
    p.setPen(Traco(contorno, 1.0));
    p.setBrush(QColor(226, 170, 50));
    p.drawPath(fundo);
    QPainterPath aba;
    aba.moveTo(1.5, 13.5);
    aba.lineTo(4.0, 7.5);
    aba.lineTo(15.0, 7.5);
    aba.lineTo(12.5, 13.5);
    aba.closeSubpath();
    QLinearGradient g(0, 7.5, 0, 13.5);
    g.setColorAt(0, QColor(255, 226, 120));
    g.setColorAt(1, QColor(245, 195, 70));
    p.setBrush(g);
    p.drawPath(aba);
}

void IconeIncluir(QPainter &p)
{
    for (const auto &[cor, largura] : {std::pair{kVerdeEscuro, 4.2}, std::pair{kVerde, 2.6}}) {
        p.setPen(Traco(cor, largura));
        p.drawLine(QPointF(8, 2.5), QPointF(8, 13.5));
        p.drawLine(QPointF(2.5, 8), QPointF(13.5, 8));
    }
}

void IconeAlterar(QPainter &p)
{
    // A pencil lying from the lower left to the upper right.
    p.save();
    p.translate(8, 8);
    p.rotate(-45);
    const QColor contorno(90, 60, 20);
    p.setPen(Traco(contorno, 0.9));
    p.setBrush(QColor(240, 160, 170));
    p.drawRect(QRectF(4.5, -2.2, 2.5, 4.4)); // eraser
    p.setBrush(QColor(245, 185, 40));
    p.drawRect(QRectF(-3.5, -2.2, 8.0, 4.4)); // body
    QPainterPath ponta;
    ponta.moveTo(-3.5, -2.2);
    ponta.lineTo(-7.5, 0);
    ponta.lineTo(-3.5, 2.2);
    ponta.closeSubpath();
    p.setBrush(QColor(240, 215, 170));
    p.drawPath(ponta);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(50, 50, 50));
    p.drawEllipse(QPointF(-6.6, 0), 0.9, 0.9); // lead
    p.restore();
}

void IconeExcluir(QPainter &p)
{
    const QColor contorno(120, 30, 25);
    p.setPen(Traco(contorno, 1.0));
    p.setBrush(QColor(220, 90, 75));
    p.drawRoundedRect(QRectF(5.5, 1.5, 5, 2), 0.8, 0.8); // handle
    p.drawRoundedRect(QRectF(2.0, 3.5, 12, 2.2), 0.8, 0.8); // lid
    QPainterPath corpo;
    corpo.moveTo(3.5, 6.0);
    corpo.lineTo(12.5, 6.0);
    corpo.lineTo(11.5, 14.5);
    corpo.lineTo(4.5, 14.5);
    corpo.closeSubpath();
    QLinearGradient g(3.5, 0, 12.5, 0);
    g.setColorAt(0, QColor(235, 120, 105));
    g.setColorAt(1, kVermelho);
    p.setBrush(g);
    p.drawPath(corpo);
    p.setPen(Traco(QColor(255, 220, 215), 1.0));
    for (qreal x : {6.0, 8.0, 10.0})
        p.drawLine(QPointF(x, 8.0), QPointF(x, 12.5));
}

void IconeEscolher(QPainter &p)
{
    // A painter's palette with its thumb hole and four dabs of paint.
    QPainterPath paleta;
    paleta.addEllipse(QRectF(1.0, 2.0, 14.0, 12.0));
    QPainterPath furo;
    furo.addEllipse(QRectF(8.5, 9.0, 3.0, 2.6));
    paleta = paleta.subtracted(furo);
    p.setPen(Traco(QColor(140, 100, 45), 1.0));
    p.setBrush(QColor(240, 210, 150));
    p.drawPath(paleta);
    p.setPen(Qt::NoPen);
    const std::pair<QPointF, QColor> tintas[] = {
        {{4.5, 6.0}, kVermelho},
        {{8.0, 4.6}, QColor(245, 190, 30)},
        {{11.5, 6.0}, kAzul},
        {{4.6, 10.0}, kVerde},
    };
    for (const auto &[centro, cor] : tintas) {
        p.setBrush(cor);
        p.drawEllipse(centro, 1.7, 1.7);
    }
}

void IconeAjuda(QPainter &p)
{
    QRadialGradient g(QPointF(6, 5), 10);
    g.setColorAt(0, QColor(110, 165, 235));
    g.setColorAt(1, kAzul);
    p.setPen(Traco(kAzulEscuro, 1.0));
    p.setBrush(g);
    p.drawEllipse(QRectF(0.5, 0.5, 15, 15));
    // The question mark, drawn as strokes so that it looks the same whatever fonts are installed.
    QPainterPath gancho;
    gancho.moveTo(5.4, 6.0);
    gancho.cubicTo(5.4, 3.2, 10.6, 3.2, 10.6, 6.0);
    gancho.cubicTo(10.6, 7.8, 8.0, 8.0, 8.0, 10.0);
    p.setPen(Traco(Qt::white, 2.0));
    p.setBrush(Qt::NoBrush);
    p.drawPath(gancho);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(8.0, 12.6), 1.25, 1.25);
}

} // namespace

QPixmap DesenharFace(Face face, QSize tamanho)
{
    if (tamanho.isEmpty())
        return QPixmap();
    const QString chave = QStringLiteral("datilux-face-%1-%2x%3@%4")
                              .arg(int(face))
                              .arg(tamanho.width())
                              .arg(tamanho.height())
                              .arg(Escala());
    QPixmap pronta;
    if (QPixmapCache::find(chave, &pronta))
        return pronta;

    QPixmap tela = Tela(tamanho);
    QPainter p(&tela);
    p.setRenderHint(QPainter::Antialiasing);
    const Cores c = CoresDaFace(face);
    const QRectF caixa = QRectF(QPointF(0, 0), QSizeF(tamanho)).adjusted(0.5, 0.5, -0.5, -0.5);

    QLinearGradient sombra(0, 0, 0, tamanho.height());
    sombra.setColorAt(0, c.topo);
    sombra.setColorAt(face == Face::Down ? 0.35 : 0.45,
                      face == Face::Down ? c.topo.lighter(104) : c.topo.darker(102));
    sombra.setColorAt(1, c.base);
    p.setPen(QPen(c.borda, 1.0));
    p.setBrush(sombra);
    p.drawRoundedRect(caixa, kRaio, kRaio);

    // A thin line inside the border: light along the top of a raised face, a shadow along the top
    // of a pressed one.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(c.brilho, 1.0));
    if (face == Face::Down) {
        p.drawLine(QPointF(2.5, 1.5), QPointF(tamanho.width() - 2.5, 1.5));
    } else {
        p.drawRoundedRect(caixa.adjusted(1, 1, -1, -1), kRaio - 1, kRaio - 1);
    }
    if (face == Face::High) {
        // The accent: a second, softer ring inside the border.
        QColor anel = c.borda;
        anel.setAlpha(90);
        p.setPen(QPen(anel, 1.0));
        p.drawRoundedRect(caixa.adjusted(1, 1, -1, -1), kRaio - 1, kRaio - 1);
    }
    p.end();
    QPixmapCache::insert(chave, tela);
    return tela;
}

QPixmap DesenharIcone(Icone icone)
{
    if (icone == Icone::Nenhum)
        return QPixmap();
    const QString chave = QStringLiteral("datilux-icone-%1@%2").arg(int(icone)).arg(Escala());
    QPixmap pronto;
    if (QPixmapCache::find(chave, &pronto))
        return pronto;

    QPixmap tela = Tela(QSize(kLadoIcone, kLadoIcone));
    QPainter p(&tela);
    p.setRenderHint(QPainter::Antialiasing);
    switch (icone) {
    case Icone::Ok: IconeOk(p); break;
    case Icone::Cancelar: IconeCancelar(p); break;
    case Icone::Sair: IconeSair(p); break;
    case Icone::Comecar: IconeComecar(p); break;
    case Icone::Finalizar: IconeFinalizar(p); break;
    case Icone::Proximo: IconeProximo(p); break;
    case Icone::Carregar: IconeCarregar(p); break;
    case Icone::Incluir: IconeIncluir(p); break;
    case Icone::Alterar: IconeAlterar(p); break;
    case Icone::Excluir: IconeExcluir(p); break;
    case Icone::Escolher: IconeEscolher(p); break;
    case Icone::Ajuda: IconeAjuda(p); break;
    case Icone::Nenhum: break;
    }
    p.end();
    QPixmapCache::insert(chave, tela);
    return tela;
}

QFont FonteBotao()
{
    QFont fonte(QStringLiteral("MS Sans Serif"));
    fonte.setStyleHint(QFont::SansSerif);
    fonte.setPointSizeF(8.25);
    return fonte;
}

} // namespace Arte

void PrepararBotao(FlatButton *botao, const QString &caption, Arte::Icone icone, QSize tamanho)
{
    if (!botao)
        return;
    const QPixmap figura = Arte::DesenharIcone(icone);
    QString texto = caption;
    if (!figura.isNull() && !texto.isEmpty() && !texto.startsWith(QLatin1Char(' ')))
        texto.prepend(QLatin1Char(' '));

    // The fallback of the design font is wider than the original face: keep a small margin on
    // both sides by stepping the size down, but never below what stays readable.
    constexpr int kMargem = 4;
    constexpr qreal kMenorCorpo = 6.75;
    QFont fonte = Arte::FonteBotao();
    const int disponivel = tamanho.width() - 2 * kMargem - (figura.isNull() ? 0 : Arte::kLadoIcone);
    while (fonte.pointSizeF() > kMenorCorpo && QFontMetrics(fonte).horizontalAdvance(texto) > disponivel)
        fonte.setPointSizeF(fonte.pointSizeF() - 0.25);

    botao->DefinirStyle(1);
    botao->DefinirBackColor(FlatButton::kBackColorPadrao);
    botao->DefinirForeColor(FlatButton::kForeColorPadrao);
    botao->DefinirFont(fonte);
    botao->DefinirDownPicture(Arte::DesenharFace(Arte::Face::Down, tamanho));
    botao->DefinirHighPicture(Arte::DesenharFace(Arte::Face::High, tamanho));
    botao->DefinirEnFalsePic(Arte::DesenharFace(Arte::Face::Desabilitada, tamanho));
    botao->DefinirPicture(figura);
    botao->DefinirCaption(texto);
    // Last, since it gives the button its size.
    botao->DefinirUpPicture(Arte::DesenharFace(Arte::Face::Up, tamanho));
}
