#include "teclado/TecladoNaTela.h"

#include <QAccessible>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QTimer>

namespace {

constexpr double kLargura = 15; // the rows' width in key units
constexpr double kFolga = 3; // pixels between keys
constexpr double kProporcao = 0.62; // a key's height to its width

// One soft colour per finger, mirrored on the two hands, as typing charts colour them.
QColor CorDoDedo(ModeloTeclado::Dedo d)
{
    static const QColor cores[] = {QColor(250, 190, 200), QColor(253, 220, 160), QColor(200, 230, 170),
                                   QColor(170, 210, 245), QColor(215, 215, 215)};
    const int i = int(d);
    return cores[i <= 4 ? i : 8 - i];
}

} // namespace

TecladoNaTela::TecladoNaTela(QWidget *pai)
    : QWidget(pai)
{
    setObjectName(QStringLiteral("TecladoNaTela"));
    setAccessibleName(QStringLiteral("Teclado na tela"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    apagar_ = new QTimer(this);
    apagar_->setSingleShot(true);
    apagar_->setInterval(350);
    connect(apagar_, &QTimer::timeout, this, [this] {
        const int antes = piscando_;
        piscando_ = -1;
        Atualizar(antes);
    });
}

void TecladoNaTela::DefinirLayout(const QString &layout)
{
    modelo_ = ModeloTeclado(layout);
    destacadas_.clear();
    piscando_ = -1;
    const QChar c = proximo_;
    proximo_ = QChar();
    MostrarProximo(c);
    update();
}

QSize TecladoNaTela::sizeHint() const
{
    return {600, AlturaPara(600)};
}

int TecladoNaTela::AlturaPara(int largura)
{
    // Keys a little wider than tall, as on a real keyboard, so that the window stays short.
    return int(largura / kLargura * kProporcao * 5) + 2;
}

QRectF TecladoNaTela::Retangulo(int tecla) const
{
    const ModeloTeclado::Tecla &t = modelo_.Teclas()[tecla];
    const double u = (width() - 2) / kLargura;
    const double h = (height() - 2) / 5.0;
    return QRectF(1 + t.x * u, 1 + t.linha * h, t.largura * u, t.altura * h)
        .adjusted(kFolga / 2, kFolga / 2, -kFolga / 2, -kFolga / 2);
}

void TecladoNaTela::Atualizar(int tecla)
{
    if (tecla >= 0 && tecla < modelo_.Teclas().size())
        update(Retangulo(tecla).toAlignedRect().adjusted(-3, -3, 3, 3));
}

void TecladoNaTela::MostrarProximo(QChar c)
{
    if (c == proximo_)
        return;
    proximo_ = c;
    QHash<int, int> novas;
    const QList<ModeloTeclado::Passo> passos = c.isNull() ? QList<ModeloTeclado::Passo>() : modelo_.Sequencia(c);
    for (int i = 0; i < passos.size(); ++i) {
        novas.insert(passos[i].tecla, passos.size() > 1 ? i + 1 : 1);
        if (passos[i].shift >= 0)
            novas.insert(passos[i].shift, 0);
    }
    for (auto it = destacadas_.cbegin(); it != destacadas_.cend(); ++it)
        if (novas.value(it.key(), -1) != it.value())
            Atualizar(it.key());
    for (auto it = novas.cbegin(); it != novas.cend(); ++it)
        if (destacadas_.value(it.key(), -1) != it.value())
            Atualizar(it.key());
    destacadas_ = novas;
}

void TecladoNaTela::PiscarErro(QChar digitado)
{
    const int tecla = modelo_.TeclaDe(digitado);
    if (tecla < 0)
        return;
    Atualizar(piscando_);
    piscando_ = tecla;
    Atualizar(tecla);
    apagar_->start();
}

// Each look of every key is drawn once per size and layout; a paint then copies the changed keys'
// rectangles from the look they have now, so that following the keys costs a few small copies.
void TecladoNaTela::PrepararCamadas()
{
    const qreal escala = devicePixelRatioF();
    if (camadas_[0].size() == size() * escala && camadasLayout_ == modelo_.Layout())
        return;
    camadasLayout_ = modelo_.Layout();
    QFont fonte = font();
    fonte.setPixelSize(std::max(9, int(height() / 5.0 * 0.42)));
    QFont pequena = fonte;
    pequena.setPixelSize(std::max(8, fonte.pixelSize() * 3 / 4));
    const QList<ModeloTeclado::Tecla> &teclas = modelo_.Teclas();
    for (int estado = 0; estado < kEstados; ++estado) {
        QPixmap &camada = camadas_[estado];
        camada = QPixmap(size() * escala);
        camada.setDevicePixelRatio(escala);
        camada.fill(QColor(236, 240, 248));
        QPainter p(&camada);
        p.setRenderHint(QPainter::Antialiasing);
        for (int i = 0; i < teclas.size(); ++i) {
            const ModeloTeclado::Tecla &t = teclas[i];
            const QRectF r = Retangulo(i);
            QColor fundo = CorDoDedo(t.dedo);
            QPen borda(QColor(120, 130, 150), 1);
            if (estado == kErro) {
                fundo = QColor(230, 40, 40);
            } else if (estado == kProximo || estado == kPrimeiro) {
                fundo = QColor(255, 215, 0);
                borda = QPen(QColor(20, 40, 120), 3);
            } else if (estado == kSegundo) {
                fundo = fundo.darker(115);
                borda = QPen(QColor(20, 40, 120), 2, Qt::DashLine);
            }
            QPainterPath caminho;
            caminho.addRoundedRect(r, 4, 4);
            p.fillPath(caminho, fundo);
            p.setPen(borda);
            p.drawPath(caminho);
            p.setPen(estado == kErro ? Qt::white : QColor(30, 30, 40));
            p.setFont(t.rotulo.contains(u'\n') || t.rotulo.size() > 2 ? pequena : fonte);
            p.drawText(r, Qt::AlignCenter, t.rotulo);
            if (estado == kSegundo || estado == kPrimeiro) {
                p.setFont(pequena);
                p.drawText(r.adjusted(4, 1, -3, -1), Qt::AlignLeft | Qt::AlignTop,
                           estado == kSegundo ? QStringLiteral("2") : QStringLiteral("1"));
            }
        }
    }
}

void TecladoNaTela::paintEvent(QPaintEvent *evento)
{
    PrepararCamadas();
    QPainter p(this);
    const QRect area = evento->rect();
    p.drawPixmap(area, camadas_[kNormal],
                 QRectF(area.topLeft() * devicePixelRatioF(), area.size() * devicePixelRatioF()));
    // Two steps (a dead key, then its letter) are numbered; one step is just the key.
    const bool numerado = std::count_if(destacadas_.cbegin(), destacadas_.cend(), [](int v) { return v > 0; }) > 1;
    const auto copiar = [&](int tecla, int estado) {
        const QRect r = Retangulo(tecla).toAlignedRect().adjusted(-2, -2, 2, 2).intersected(rect());
        if (evento->region().intersects(r))
            p.drawPixmap(r, camadas_[estado],
                         QRectF(r.topLeft() * devicePixelRatioF(), r.size() * devicePixelRatioF()));
    };
    for (auto it = destacadas_.cbegin(); it != destacadas_.cend(); ++it)
        copiar(it.key(), it.value() == 2 ? kSegundo : it.value() == 1 && numerado ? kPrimeiro : kProximo);
    if (piscando_ >= 0)
        copiar(piscando_, kErro);
}
