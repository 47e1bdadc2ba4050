#include "controls/Gradiente/Gradiente.h"

#include "common/CorQt.h"
#include "common/Twips.h"
#include "shared/Propriedades.h"

#include <QEvent>
#include <QLinearGradient>
#include <QPainter>

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
    // One pixel wide: the brush repeats it across the window.
    QImage imagem(1, altura, QImage::Format_RGB32);
    for (int y = 0; y < altura && y < linhas.size(); ++y)
        imagem.setPixel(0, y, CorQt(linhas.at(y)).rgb());

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
