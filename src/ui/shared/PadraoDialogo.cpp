#include "shared/PadraoDialogo.h"

#include "common/Registros.h"
#include "controls/FlatButton/FlatButton.h"
#include "controls/Gradiente/Gradiente.h"

#include <QApplication>
#include <QDialog>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>

namespace PadraoDialogo {

Gradiente *Preparar(QDialog *janela, const QString &titulo, QSize tamanho)
{
    janela->setWindowTitle(titulo);
    // No "?" button: these windows have no context help.
    janela->setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    QWidget *principal = janela->parentWidget() ? janela->parentWidget()->window() : nullptr;
    janela->setWindowIcon(principal && !principal->windowIcon().isNull() ? principal->windowIcon()
                                                                         : QApplication::windowIcon());

    // The labels in the buttons' family, a little larger, so that the window reads as one piece.
    QFont fonte = Arte::FonteBotao();
    fonte.setPointSizeF(9);
    janela->setFont(fonte);

    auto *grd = new Gradiente(janela);
    grd->setObjectName(QStringLiteral("Grd"));
    grd->DefinirCorInicial(kCorInicial);
    grd->DefinirCorFinal(kCorFinal);
    grd->move(0, 0);
    janela->setFixedSize(tamanho);
    grd->FormGradiente();
    return grd;
}

QLabel *Rotulo(QWidget *janela, const QString &texto, QRect onde, const QString &nome)
{
    auto *l = new QLabel(texto, janela);
    if (!nome.isEmpty())
        l->setObjectName(nome);
    l->setTextFormat(Qt::PlainText);
    l->setAutoFillBackground(false);
    l->setGeometry(onde);
    return l;
}

QLineEdit *Caixa(QWidget *janela, const QString &nome, QRect onde, const QString &dica, bool senha)
{
    auto *c = new QLineEdit(janela);
    c->setObjectName(nome);
    c->setGeometry(onde);
    if (!dica.isEmpty())
        c->setToolTip(dica);
    if (senha) {
        c->setEchoMode(QLineEdit::Password);
        // Every character shows as "*", whatever the style's own mask character is.
        c->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));
        // No box takes a longer password than a record holds and the login accepts: a password
        // that was set can always be typed again.
        c->setMaxLength(Aluno::kTamSenha);
    }
    return c;
}

FlatButton *Botao(QWidget *janela, const QString &nome, const QString &caption, Arte::Icone icone, QPoint onde,
                  const QString &dica)
{
    auto *b = new FlatButton(janela);
    b->setObjectName(nome);
    PrepararBotao(b, caption, icone, kTamanhoBotao);
    b->move(onde);
    if (!dica.isEmpty())
        b->setToolTip(dica);
    return b;
}

void SelecionarTudo(QLineEdit *caixa)
{
    caixa->setSelection(0, int(caixa->text().size()));
}

void Focar(QWidget *alvo)
{
    AoFocar *acao = AoFocar::De(alvo);
    const int antes = acao ? acao->Execucoes() : 0;
    alvo->setFocus(Qt::OtherFocusReason);
    if (acao && acao->Execucoes() == antes)
        acao->Executar();
}

} // namespace PadraoDialogo

AoFocar::AoFocar(QWidget *alvo, std::function<void()> acao)
    : QObject(alvo)
    , alvo_(alvo)
    , acao_(std::move(acao))
{
    setObjectName(QStringLiteral("AoFocar"));
    alvo_->installEventFilter(this);
    // The focus-changed notice comes after the control has handled its focus-in event, so the action
    // sees the control as focused and may send the focus on.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *agora) {
        if (agora == alvo_ && pendente_) {
            pendente_ = false;
            Executar();
        }
    });
}

void AoFocar::Executar()
{
    ++execucoes_;
    acao_();
}

AoFocar *AoFocar::De(QWidget *alvo)
{
    return alvo ? alvo->findChild<AoFocar *>(QStringLiteral("AoFocar"), Qt::FindDirectChildrenOnly) : nullptr;
}

bool AoFocar::eventFilter(QObject *objeto, QEvent *evento)
{
    if (objeto == alvo_) {
        if (evento->type() == QEvent::FocusIn) {
            const Qt::FocusReason motivo = static_cast<QFocusEvent *>(evento)->reason();
            pendente_ = motivo != Qt::ActiveWindowFocusReason && motivo != Qt::PopupFocusReason;
        } else if (evento->type() == QEvent::FocusOut) {
            pendente_ = false;
        }
    }
    return QObject::eventFilter(objeto, evento);
}
