#include "access/InfoSenha.h"

#include "access/TestaSenha.h"
#include "common/Digita.h"
#include "common/EnterComoTab.h"
#include "common/Mensagem.h"
#include "controls/FlatButton/FlatButton.h"
#include "shared/PadraoDialogo.h"

#include <QLineEdit>

namespace {
constexpr QSize kTamanho(336, 140);
}

InfoSenha::InfoSenha(Digita &digita, QWidget *pai)
    : QDialog(pai)
    , digita_(digita)
{
    PadraoDialogo::Preparar(this, kTitulo, kTamanho);

    PadraoDialogo::Rotulo(this, QStringLiteral("Informe a senha de administrador:"), QRect(24, 16, 288, 20));
    TxtSenha = PadraoDialogo::Caixa(this, QStringLiteral("TxtSenha"), QRect(24, 40, 288, 24), QString(), true);

    const int wBotao = PadraoDialogo::kTamanhoBotao.width();
    BtnOK = PadraoDialogo::Botao(this, QStringLiteral("BtnOK"), QStringLiteral(" OK"), Arte::Icone::Ok,
                                 QPoint(kTamanho.width() - 24 - 2 * wBotao - 8, 92),
                                 QStringLiteral("Entrar no programa"));
    BtnCancelar = PadraoDialogo::Botao(this, QStringLiteral("BtnCancelar"), QStringLiteral(" Cancelar"),
                                       Arte::Icone::Cancelar, QPoint(kTamanho.width() - 24 - wBotao, 92),
                                       QStringLiteral("Sair do programa"));
    setTabOrder(TxtSenha, BtnOK);
    setTabOrder(BtnOK, BtnCancelar);
    TxtSenha->setFocus();

    EnterComoTab::Instalar(this);
    new AoFocar(BtnOK, [this] { BtnOK_GotFocus(); });
    connect(TxtSenha, &QLineEdit::textChanged, this, [this] { aprovado_ = false; });
    connect(BtnOK, &FlatButton::Click, this, &InfoSenha::BtnOK_Click);
    connect(BtnCancelar, &FlatButton::Click, this, &InfoSenha::reject);
}

InfoSenha::~InfoSenha() = default;

void InfoSenha::BtnOK_GotFocus()
{
    // No password matches while the store could not give one (an empty box would match the empty
    // text otherwise).
    const bool disponivel = digita_.FalhaSenhaAdm.isEmpty();
    aprovado_ = disponivel && TxtSenha->text().toUpper() == digita_.SenhaAdmAtual.toUpper();
    if (!aprovado_) {
        // Focus first: when the message closes the window returns the focus to the box, not to OK.
        PadraoDialogo::Focar(TxtSenha);
        Mensagem::Critico(this, disponivel ? TestaSenha::kSenhaInvalida : digita_.FalhaSenhaAdm);
    }
}

void InfoSenha::BtnOK_Click()
{
    // A click whose own focus check failed does not confirm.
    if (!aprovado_)
        return;
    digita_.RespostaDialogo[1] = Digita::kOk;
    accept();
}

void InfoSenha::reject()
{
    digita_.RespostaDialogo[1] = Digita::kCancelar;
    QDialog::reject();
}
