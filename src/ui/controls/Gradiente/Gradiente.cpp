#include "controls/Gradiente/Gradiente.h"

#include "common/CorQt.h"
#include "common/Twips.h"
#include "shared/Propriedades.h"

#include <QEvent>
#include <QLinearGradient>
#include <QPainter>

#include <algorithm>

Gradiente::Gradiente(QWidget *pai)
    : QWidget(pai)
{
    // The control cannot be stretched: it always keeps the marker's size.
    setFixedSize(Twips::px(kLadoTwips), Twips::px(kLadoTwips));
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    Vigiar(pai);
}

Gradiente::~Gradiente() = default;

QVariantMap Gradiente::Salvar() const
{
    return Propriedades::Salvar(*this, Gradiente());
}

void Gradiente::Carregar(const QVariantMap &propriedades)
{
    Propriedades::Carregar(*this, propriedades, Gradiente());
}

QStringList Gradiente::OrdemPropriedades()
{
    return Propriedades::Ordem(staticMetaObject);
}

void Gradiente::AcompanharJanela(bool acompanhar)
{
    acompanhar_ = acompanhar;
    Vigiar(acompanhar ? parentWidget() : nullptr);
}

void Gradiente::Vigiar(QWidget *janela)
{
    if (vigiada_ == janela)
        return;
    if (vigiada_)
        vigiada_->removeEventFilter(this);
    vigiada_ = janela;
    if (vigiada_)
        vigiada_->installEventFilter(this);
}

bool Gradiente::event(QEvent *evento)
{
    if (evento->type() == QEvent::ParentChange) {
        alturaPintada_ = -1;
        Vigiar(acompanhar_ ? parentWidget() : nullptr);
    }
    return QWidget::event(evento);
}

bool Gradiente::eventFilter(QObject *objeto, QEvent *evento)
{
    if (objeto == vigiada_ && evento->type() == QEvent::Resize)
        FormGradiente();
    return QWidget::eventFilter(objeto, evento);
}

void Gradiente::FormGradiente()
{
    // Once painting has happened the marker has done its job.
    hide();
    QWidget *janela = parentWidget();
    if (!janela)
        return;
    const int altura = janela->height();
    if (altura <= 0)
        return;

    // A resize that changes only the width, with the same colours, leaves the picture as it is,
    // provided nobody has replaced the window's background since.
    const QBrush atual = janela->palette().brush(QPalette::Window);
    if (altura == alturaPintada_ && CorInicial() == inicialPintada_ && CorFinal() == finalPintada_
        && atual.style() == Qt::TexturePattern && atual.textureImage().cacheKey() == chaveImagem_
        && janela->autoFillBackground())
        return;

    const QList<Cor> linhas = modelo_.CoresDasLinhas(altura * ModeloGradiente::kTwipsPorLinha);
    // A strip the brush repeats across the window. Each of its rows is one colour; it is a few dozen
    // pixels wide rather than one because the painter fills a window from a one-pixel strip some 25 times
    // more slowly (3 ms for a whole window on our machines), and the first window is on screen that much
    // later.
    QImage imagem(kLarguraFaixa, altura, QImage::Format_RGB32);
    for (int y = 0; y < altura; ++y) {
        const QRgb cor =
            linhas.isEmpty() ? qRgb(0, 0, 0) : CorQt(linhas.at(qMin(y, int(linhas.size()) - 1))).rgb();
        std::fill_n(reinterpret_cast<QRgb *>(imagem.scanLine(y)), kLarguraFaixa, cor);
    }

    QPalette paleta = janela->palette();
    paleta.setBrush(QPalette::Window, QBrush(imagem));
    janela->setPalette(paleta);
    janela->setAutoFillBackground(true);
    janela->update();

    chaveImagem_ = janela->palette().brush(QPalette::Window).textureImage().cacheKey();
    alturaPintada_ = altura;
    inicialPintada_ = CorInicial();
    finalPintada_ = CorFinal();
}

void Gradiente::paintEvent(QPaintEvent *)
{
    // The marker, seen only until the first painting: a small framed swatch of the two colours.
    QPainter p(this);
    const QRectF caixa = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QLinearGradient g(0, 0, 0, height());
    g.setColorAt(0, CorQt(CorInicial()));
    g.setColorAt(1, CorQt(CorFinal()));
    p.setPen(QColor(90, 110, 140));
    p.setBrush(g);
    p.drawRect(caixa);
}
