#include "help/Ajuda.h"

#include "common/Twips.h"
#include "shared/PadraoDialogo.h"
#include "shared/PintarFundo.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QTextDocument>
#include <QWheelEvent>

#include <cmath>

namespace {

QString TextoDaPagina()
{
    QFile arquivo(QStringLiteral(":/ajuda/ajuda.html"));
    if (!arquivo.open(QIODevice::ReadOnly))
        return QStringLiteral("<p>A página de ajuda não foi encontrada.</p>");
    return QString::fromUtf8(arquivo.readAll());
}

} // namespace

Ajuda::Ajuda(QWidget *pai)
    : QDialog(pai)
{
    const QRect frame(Twips::px(kFrameEsquerda), Twips::px(kFrameTopo), Twips::px(kFrameLargura),
                      Twips::px(kFrameAltura));
    PadraoDialogo::Preparar(this, kTitulo,
                            QSize(frame.right() + 1 + frame.left(), frame.bottom() + 1 + frame.top()));

    PicShape = new QFrame(this);
    PicShape->setObjectName(QStringLiteral("PicShape"));
    PicShape->setGeometry(frame);
    PintarFundo(PicShape, Qt::white);

    // The page is as wide as the frame less the scroll bar; child widgets are clipped to the frame.
    const int larguraBarra = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    const QImage pagina = DesenharPagina(frame.width() - larguraBarra);

    PicAjuda = new QLabel(PicShape);
    PicAjuda->setObjectName(QStringLiteral("PicAjuda"));
    PicAjuda->setPixmap(QPixmap::fromImage(pagina));
    PicAjuda->setGeometry(0, 0, pagina.width(), pagina.height());
    // The page is a picture to the eye; a screen reader gets its text.
    QTextDocument texto;
    texto.setHtml(TextoDaPagina());
    PicAjuda->setAccessibleName(QStringLiteral("Página de ajuda"));
    PicAjuda->setAccessibleDescription(texto.toPlainText());

    VScroll = new QScrollBar(Qt::Vertical, PicShape);
    VScroll->setObjectName(QStringLiteral("VScroll"));
    VScroll->setGeometry(frame.width() - larguraBarra, 0, larguraBarra, frame.height());
    VScroll->setRange(0, int(Twips::twips(pagina.height())));
    VScroll->setSingleStep(kPassoPequeno);
    VScroll->setPageStep(kPassoGrande);
    VScroll->setFocus();
    connect(VScroll, &QScrollBar::valueChanged, this, &Ajuda::VScroll_Change);

    // The wheel over the page scrolls it as the wheel over the bar would, a few lines at a time.
    PicShape->installEventFilter(this);
    PicAjuda->installEventFilter(this);
}

Ajuda::~Ajuda() = default;

Ajuda *Ajuda::Abrir(QWidget *pai)
{
    Ajuda *janela = pai ? pai->findChild<Ajuda *>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
    if (!janela) {
        janela = new Ajuda(pai);
        janela->setAttribute(Qt::WA_DeleteOnClose);
    }
    janela->show();
    janela->raise();
    janela->activateWindow();
    return janela;
}

QImage Ajuda::DesenharPagina(int largura)
{
    QTextDocument documento;
    // Sizes in pixels throughout, so the page reads the same whatever the screen's dpi setting.
    QFont fonte;
    fonte.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")});
    fonte.setStyleHint(QFont::SansSerif);
    fonte.setPixelSize(13);
    documento.setDefaultFont(fonte);
    documento.setDocumentMargin(18);
    documento.setHtml(TextoDaPagina());
    documento.setTextWidth(largura);

    const int altura = int(std::ceil(documento.size().height()));
    QImage imagem(largura, altura, QImage::Format_RGB32);
    imagem.fill(Qt::white);
    QPainter pintor(&imagem);
    pintor.setRenderHint(QPainter::Antialiasing);
    pintor.setRenderHint(QPainter::TextAntialiasing);
    documento.drawContents(&pintor);
    return imagem;
}

void Ajuda::VScroll_Change(int valor)
{
    PicAjuda->move(PicAjuda->x(), -Twips::px(valor));
}

bool Ajuda::eventFilter(QObject *objeto, QEvent *evento)
{
    if (evento->type() == QEvent::Wheel && (objeto == PicShape || objeto == PicAjuda)) {
        const int graus = static_cast<QWheelEvent *>(evento)->angleDelta().y();
        // 120 is one notch of an ordinary wheel; touchpads send smaller pieces.
        VScroll->setValue(VScroll->value() - graus * kPassoRoda / 120);
        return true;
    }
    return QDialog::eventFilter(objeto, evento);
}

void Ajuda::paintEvent(QPaintEvent *evento)
{
    QDialog::paintEvent(evento);
    // A thin line around the white frame, so the page stands out from the gradient.
    QPainter pintor(this);
    pintor.setPen(QColor(90, 120, 170));
    pintor.drawRect(PicShape->geometry().adjusted(-1, -1, 0, 0));
}
