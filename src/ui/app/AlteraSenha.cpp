#include "app/AlteraSenha.h"

#include "access/ArquivoAlunos.h"
#include "access/ArquivoDatilux.h"
#include "common/Digita.h"
#include "common/EnterComoTab.h"
#include "common/Mensagem.h"
#include "controls/FlatButton/FlatButton.h"
#include "shared/PadraoDialogo.h"

#include <QLineEdit>

namespace {
constexpr QSize kTamanho(336, 256);
}

AlteraSenha::AlteraSenha(Digita &digita, QWidget *pai)
    : QDialog(pai)
    , digita_(digita)
{
    PadraoDialogo::Preparar(this, kTitulo, kTamanho);

    PadraoDialogo::Rotulo(this, QStringLiteral("Senha atual:"), QRect(24, 16, 288, 20));
    TxtAtual = PadraoDialogo::Caixa(this, QStringLiteral("TxtAtual"), QRect(24, 40, 288, 24), QString(), true);
    PadraoDialogo::Rotulo(this, QStringLiteral("Nova senha (até 10 caracteres):"), QRect(24, 76, 288, 20));
    TxtNova = PadraoDialogo::Caixa(this, QStringLiteral("TxtNova"), QRect(24, 100, 288, 24), QString(), true);
    PadraoDialogo::Rotulo(this, QStringLiteral("Confirme a nova senha:"), QRect(24, 136, 288, 20));
    TxtConfirma =
        PadraoDialogo::Caixa(this, QStringLiteral("TxtConfirma"), QRect(24, 160, 288, 24), QString(), true);

    const int wBotao = PadraoDialogo::kTamanhoBotao.width();
    BtnOK = PadraoDialogo::Botao(this, QStringLiteral("BtnOK"), QStringLiteral(" OK"), Arte::Icone::Ok,
                                 QPoint(kTamanho.width() - 24 - 2 * wBotao - 8, 208),
                                 QStringLiteral("Gravar a nova senha"));
    BtnCancelar = PadraoDialogo::Botao(this, QStringLiteral("BtnCancelar"), QStringLiteral(" Cancelar"),
                                       Arte::Icone::Cancelar, QPoint(kTamanho.width() - 24 - wBotao, 208),
                                       QStringLiteral("Manter a senha atual"));
    setTabOrder(TxtAtual, TxtNova);
    setTabOrder(TxtNova, TxtConfirma);
    setTabOrder(TxtConfirma, BtnOK);
    setTabOrder(BtnOK, BtnCancelar);
    TxtAtual->setFocus();

    EnterComoTab::Instalar(this);
    connect(BtnOK, &FlatButton::Click, this, &AlteraSenha::BtnOK_Click);
    connect(BtnCancelar, &FlatButton::Click, this, &AlteraSenha::reject);
}

AlteraSenha::~AlteraSenha() = default;

void AlteraSenha::Recusar(QLineEdit *caixa, const QString &mensagem)
{
    // Focus first: when the message closes the window returns the focus to the box, not to OK.
    PadraoDialogo::Focar(caixa);
    Mensagem::Critico(this, mensagem);
}

void AlteraSenha::BtnOK_Click()
{
    // Passwords are compared regardless of case, as the login compares them, and kept upper-case.
    const QString atual = TxtAtual->text().toUpper();
    const QString nova = TxtNova->text().toUpper();
    if (nova.trimmed().isEmpty()) {
        Recusar(TxtNova, kSenhaVazia);
        return;
    }
    if (nova != TxtConfirma->text().toUpper()) {
        Recusar(TxtNova, kSenhaNaoConfere);
        return;
    }
    const QString motivo = ArquivoDatilux::MotivoRecusa(QStringLiteral("A senha"), nova);
    if (!motivo.isEmpty()) {
        Recusar(TxtNova, QStringLiteral("Senha não aceita: %1. Escolha outra senha!").arg(motivo));
        return;
    }

    ArquivoAlunos arquivo;
    QString erro;
    if (!arquivo.Abrir(digita_.Caminho(ArquivoAlunos::kNomeArquivo), erro)) {
        Recusar(TxtAtual, erro);
        return;
    }
    const Aluno eu = digita_.AlunoAtual;
    bool senhaErrada = false;
    const ArquivoAlunos::Resultado r = arquivo.Atualizar(
        TirarEspacos(eu.Codigo).toInt(),
        [&](const std::optional<Aluno> &noArquivo, int, Aluno &gravar) {
            if (!noArquivo || TirarEspacos(noArquivo->Codigo) != TirarEspacos(eu.Codigo)
                || TirarEspacos(noArquivo->Nome) != TirarEspacos(eu.Nome))
                return false;
            if (TirarEspacos(noArquivo->Senha).toUpper() != TirarEspacos(atual)) {
                senhaErrada = true;
                return false;
            }
            gravar = *noArquivo;
            gravar.Senha = nova;
            return true;
        },
        erro);
    switch (r) {
    case ArquivoAlunos::Resultado::Gravado:
        digita_.AlunoAtual.Senha = nova;
        Mensagem::Informacao(this, kAlterada);
        accept();
        return;
    case ArquivoAlunos::Resultado::Recusado:
        if (senhaErrada)
            Recusar(TxtAtual, kSenhaAtualErrada);
        else
            Recusar(TxtAtual, kCadastroMudou);
        return;
    case ArquivoAlunos::Resultado::Falha: Recusar(TxtAtual, erro); return;
    }
}
