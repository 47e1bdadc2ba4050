#include "help/Sobre.h"

#include "common/Plataforma.h"
#include "controls/FlatButton/FlatButton.h"
#include "shared/Logotipo.h"
#include "shared/PadraoDialogo.h"

#include <QLabel>
#include <QMouseEvent>
#include <QUrl>

namespace {

constexpr QSize kTamanho(400, 232);
constexpr int kLadoEmblema = 72;
constexpr int kTexto = 24 + kLadoEmblema + 20; // left edge of the texts, right of the emblem

QLabel *Linha(QWidget *janela, const char *nome, const QString &texto, int topo, int altura = 20)
{
    return PadraoDialogo::Rotulo(janela, texto, QRect(kTexto, topo, kTamanho.width() - kTexto - 16, altura),
                                 QLatin1String(nome));
}

} // namespace

Sobre::Sobre(Plataforma &plataforma, QWidget *pai)
    : QDialog(pai)
    , plataforma_(plataforma)
{
    PadraoDialogo::Preparar(this, kTitulo, kTamanho);

    auto *emblema = new QLabel(this);
    emblema->setObjectName(QStringLiteral("PicLogo"));
    emblema->setPixmap(Logotipo::Emblema(kLadoEmblema));
    emblema->setGeometry(24, 24, kLadoEmblema, kLadoEmblema);

    Label1 = Linha(this, "Label1", QStringLiteral("Datilux"), 20, 36);
    QFont nome = font();
    nome.setPointSizeF(20);
    nome.setBold(true);
    Label1->setFont(nome);
    Label1->setStyleSheet(QStringLiteral("color: rgb(20, 50, 110);"));

    Label2 = Linha(this, "Label2", QStringLiteral("Versão 1.53"), 58);
    Label6 = Linha(this, "Label6", QStringLiteral("Treinamento de digitação para escolas."), 90);
    Label7 = Linha(this, "Label7", QStringLiteral("Os dedos no teclado, os olhos no texto."), 110);

    PadraoDialogo::Rotulo(this, QStringLiteral("Suporte:"), QRect(kTexto, 142, 60, 20));
    Label3 =
        PadraoDialogo::Rotulo(this, kEmailSuporte, QRect(kTexto + 58, 142, kTamanho.width() - kTexto - 74, 20),
                              QStringLiteral("Label3"));
    // Drawn as a link, and it behaves as one: a click starts a new mail to this address.
    Label3->setStyleSheet(QStringLiteral("color: rgb(0, 0, 200); text-decoration: underline;"));
    Label3->setCursor(Qt::PointingHandCursor);
    Label3->setToolTip(QStringLiteral("Escrever para o suporte"));
    Label3->installEventFilter(this);

    BtnOK = PadraoDialogo::Botao(this, QStringLiteral("BtnOK"), QStringLiteral(" OK"), Arte::Icone::Ok,
                                 QPoint(kTamanho.width() - 24 - PadraoDialogo::kTamanhoBotao.width(),
                                        kTamanho.height() - 24 - PadraoDialogo::kTamanhoBotao.height()),
                                 QStringLiteral("Fechar esta janela"));
    BtnOK->setFocus();
    connect(BtnOK, &FlatButton::Click, this, &Sobre::accept);
}

Sobre::~Sobre() = default;

bool Sobre::eventFilter(QObject *objeto, QEvent *evento)
{
    if (objeto == Label3 && evento->type() == QEvent::MouseButtonRelease) {
        const auto *rato = static_cast<QMouseEvent *>(evento);
        if (rato->button() == Qt::LeftButton && Label3->rect().contains(rato->position().toPoint())) {
            Label3_Click();
            return true;
        }
    }
    return QDialog::eventFilter(objeto, evento);
}

void Sobre::Label3_Click()
{
    plataforma_.AbrirEndereco(QUrl(QStringLiteral("mailto:") + kEmailSuporte));
}
