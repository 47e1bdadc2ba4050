#include "access/MsgSenha.h"

#include "access/ArquivoDatilux.h"
#include "common/Digita.h"
#include "common/Formatos.h"
#include "common/Mensagem.h"
#include "controls/FlatButton/FlatButton.h"
#include "shared/PadraoDialogo.h"

#include <QCheckBox>
#include <QLabel>
#include <QStyle>

namespace {
constexpr QSize kTamanho(372, 212);
}

QString MsgSenha::TextoAviso()
{
    // The administrator's code as the login shows it once the code check has run.
    return QStringList{QStringLiteral("Para acessar o Datilux"), QStringLiteral("informe os seguintes dados:"),
                       QString(), QStringLiteral("Código de administrador: ") + Formatar(0, 4),
                       QStringLiteral("Senha de administrador: ") + ArquivoDatilux::kSenhaPadrao}
        .join(QStringLiteral("\r\n"));
}

MsgSenha::MsgSenha(Digita &digita, QWidget *pai)
    : QDialog(pai)
    , digita_(digita)
{
    PadraoDialogo::Preparar(this, QStringLiteral("Datilux"), kTamanho);

    auto *icone = new QLabel(this);
    icone->setObjectName(QStringLiteral("PicInformacao"));
    icone->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(32, 32));
    icone->setGeometry(22, 22, 32, 32);

    Label1 = PadraoDialogo::Rotulo(this, TextoAviso(), QRect(72, 18, 276, 96), QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    ChkMsg = new QCheckBox(QStringLiteral("Não mostrar essa mensagem novamente"), this);
    ChkMsg->setObjectName(QStringLiteral("ChkMsg"));
    ChkMsg->setGeometry(72, 126, 288, 22);
    ChkMsg->setChecked(false);

    BtnOK = PadraoDialogo::Botao(this, QStringLiteral("BtnOK"), QStringLiteral(" OK"), Arte::Icone::Ok,
                                 QPoint((kTamanho.width() - PadraoDialogo::kTamanhoBotao.width()) / 2, 166),
                                 QStringLiteral("Entrar no programa"));
    connect(BtnOK, &FlatButton::Click, this, &MsgSenha::BtnOK_Click);

    setTabOrder(ChkMsg, BtnOK);
    // Enter or Space at once dismisses the notice.
    BtnOK->setFocus();
}

MsgSenha::~MsgSenha() = default;

void MsgSenha::BtnOK_Click()
{
    if (ChkMsg->isChecked()) {
        QString erro;
        if (!ArquivoDatilux::GravarConfig(digita_, ArquivoDatilux::kChaveMostrarSenha, QStringLiteral("1"), erro))
            Mensagem::Critico(this, erro);
    }
    // The notice has nothing to cancel: OK always closes it.
    accept();
}
