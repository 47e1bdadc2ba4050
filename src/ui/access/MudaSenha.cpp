#include "access/MudaSenha.h"

#include "access/ArquivoDatilux.h"
#include "common/Digita.h"
#include "common/EnterComoTab.h"
#include "common/Mensagem.h"
#include "controls/FlatButton/FlatButton.h"
#include "shared/PadraoDialogo.h"

#include <QLineEdit>

namespace {
constexpr QSize kTamanho(336, 196);
}

MudaSenha::MudaSenha(Digita &digita, QWidget *pai)
    : QDialog(pai)
    , digita_(digita)
{
    PadraoDialogo::Preparar(this, kTitulo, kTamanho);

    PadraoDialogo::Rotulo(this, QStringLiteral("Informe a nova senha de administrador:"), QRect(24, 16, 288, 20));
    TxtSenha = PadraoDialogo::Caixa(this, QStringLiteral("TxtSenha"), QRect(24, 40, 288, 24), QString(), true);
    PadraoDialogo::Rotulo(this, QStringLiteral("Confirme a senha:"), QRect(24, 76, 288, 20));
    TxtConfirma =
        PadraoDialogo::Caixa(this, QStringLiteral("TxtConfirma"), QRect(24, 100, 288, 24), QString(), true);

    const int wBotao = PadraoDialogo::kTamanhoBotao.width();
    BtnOK = PadraoDialogo::Botao(this, QStringLiteral("BtnOK"), QStringLiteral(" OK"), Arte::Icone::Ok,
                                 QPoint(kTamanho.width() - 24 - 2 * wBotao - 8, 148),
                                 QStringLiteral("Entrar no programa"));
    BtnCancelar = PadraoDialogo::Botao(this, QStringLiteral("BtnCancelar"), QStringLiteral(" Cancelar"),
                                       Arte::Icone::Cancelar, QPoint(kTamanho.width() - 24 - wBotao, 148),
                                       QStringLiteral("Sair do programa"));
    setTabOrder(TxtSenha, TxtConfirma);
    setTabOrder(TxtConfirma, BtnOK);
    setTabOrder(BtnOK, BtnCancelar);
    TxtSenha->setFocus();

    EnterComoTab::Instalar(this);
    new AoFocar(BtnOK, [this] { BtnOK_GotFocus(); });
    connect(TxtSenha, &QLineEdit::textChanged, this, [this] { aprovado_ = false; });
    connect(TxtConfirma, &QLineEdit::textChanged, this, [this] { aprovado_ = false; });
    connect(BtnOK, &FlatButton::Click, this, &MudaSenha::BtnOK_Click);
    connect(BtnCancelar, &FlatButton::Click, this, &MudaSenha::reject);
}

MudaSenha::~MudaSenha() = default;

void MudaSenha::Recusar(const QString &mensagem)
{
    aprovado_ = false;
    // Focus first: when the message closes the window returns the focus to the box, not to OK.
    PadraoDialogo::Focar(TxtSenha);
    Mensagem::Critico(this, mensagem);
}

void MudaSenha::BtnOK_GotFocus()
{
    aprovado_ = false;
    const QString nova = TxtSenha->text().toUpper();
    if (nova != TxtConfirma->text().toUpper()) {
        Recusar(kSenhaNaoConfere);
        return;
    }
    // A password the store cannot keep faithfully is refused here, before anything is written.
    const QString motivo = ArquivoDatilux::MotivoRecusa(QStringLiteral("A senha"), nova);
    if (!motivo.isEmpty()) {
        Recusar(QStringLiteral("Senha não aceita: %1. Escolha outra senha!").arg(motivo));
        return;
    }
    aprovado_ = true;
}

void MudaSenha::BtnOK_Click()
{
    if (!aprovado_)
        return;
    const QString nova = TxtSenha->text().toUpper();
    QString erro;
    if (!ArquivoDatilux::GravarConfig(digita_, ArquivoDatilux::kChaveSenhaAdm, nova, erro)) {
        // Nothing was stored: the old password stays in force and the dialog stays open.
        Recusar(erro);
        return;
    }
    digita_.SenhaAdmAtual = nova;
    digita_.RespostaDialogo[1] = Digita::kOk;
    accept();
}

void MudaSenha::reject()
{
    digita_.RespostaDialogo[1] = Digita::kCancelar;
    QDialog::reject();
}
