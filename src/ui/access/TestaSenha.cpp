#include "access/TestaSenha.h"

#include "access/ArquivoDatilux.h"
#include "access/MsgSenha.h"
#include "common/Digita.h"
#include "common/EnterComoTab.h"
#include "common/Formatos.h"
#include "common/Mensagem.h"
#include "controls/FlatButton/FlatButton.h"
#include "shared/PadraoDialogo.h"
#include "shared/PintarFundo.h"

#include <QLabel>
#include <QLineEdit>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QTimer>

namespace {

constexpr QSize kTamanho(384, 276);
// The line of keycaps at the top of the picture.
constexpr int kLadoTecla = 36;
constexpr int kEspacoTecla = 6;
constexpr int kTopoTeclas = 14;

const QColor kTinta(28, 58, 110);

// One keycap: its body with a little depth, the slightly smaller top face and the letter. A pressed
// key sits lower and lighter; the home-row keys carry the ridge the fingers find them by.
void DesenharTecla(QPainter &p, QRectF r, const QString &letra, bool pressionada = false, bool ressalto = false)
{
    const qreal profundidade = pressionada ? 1 : 3;
    if (pressionada)
        r.translate(0, 2);

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 60, 110, 70));
    p.drawRoundedRect(r.translated(0, profundidade), 6, 6);

    QLinearGradient corpo(r.topLeft(), r.bottomLeft());
    corpo.setColorAt(0, QColor(246, 249, 255));
    corpo.setColorAt(1, pressionada ? QColor(182, 206, 240) : QColor(190, 207, 233));
    p.setPen(QPen(QColor(72, 102, 152), 1));
    p.setBrush(corpo);
    p.drawRoundedRect(r, 6, 6);

    const QRectF face = r.adjusted(4, 3, -4, -7);
    QLinearGradient topo(face.topLeft(), face.bottomLeft());
    topo.setColorAt(0, pressionada ? QColor(236, 244, 255) : QColor(255, 255, 255));
    topo.setColorAt(1, pressionada ? QColor(205, 224, 250) : QColor(225, 235, 250));
    p.setPen(QPen(QColor(168, 188, 222), 1));
    p.setBrush(topo);
    p.drawRoundedRect(face, 4, 4);

    QFont fonte(QStringLiteral("Liberation Sans"));
    fonte.setStyleHint(QFont::SansSerif);
    fonte.setBold(true);
    fonte.setPixelSize(int(face.height() * 0.6));
    p.setFont(fonte);
    p.setPen(pressionada ? QColor(40, 96, 180) : kTinta);
    p.drawText(face.adjusted(0, -1, 0, -1), Qt::AlignCenter, letra);

    if (ressalto) {
        p.setPen(QPen(kTinta, 1.6, Qt::SolidLine, Qt::RoundCap));
        const qreal y = face.bottom() - 3;
        p.drawLine(QPointF(face.center().x() - 4, y), QPointF(face.center().x() + 4, y));
    }
}

} // namespace

namespace {
TestaSenha::FundoAdiantado *adiantado = nullptr;
} // namespace

TestaSenha::FundoAdiantado::FundoAdiantado()
    : figura_(std::async(std::launch::async, [] { return DesenharFundo(kTamanho); }))
{
    adiantado = this;
}

TestaSenha::FundoAdiantado::~FundoAdiantado()
{
    adiantado = nullptr;
    if (figura_.valid())
        figura_.wait();
}

QImage TestaSenha::DesenharFundo(QSize tamanho)
{
    QImage figura(tamanho, QImage::Format_ARGB32_Premultiplied);
    figura.fill(Qt::transparent);
    QPainter p(&figura);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    // The program's name on a row of keys, the first one caught in the middle of a keystroke.
    const QString nome = QStringLiteral("DATILUX");
    const int largura = int(nome.size()) * kLadoTecla + int(nome.size() - 1) * kEspacoTecla;
    int x = (tamanho.width() - largura) / 2;
    for (int i = 0; i < nome.size(); ++i) {
        DesenharTecla(p, QRectF(x, kTopoTeclas, kLadoTecla, kLadoTecla), nome.mid(i, 1), i == 0);
        x += kLadoTecla + kEspacoTecla;
    }

    QFont fonte(QStringLiteral("Liberation Sans"));
    fonte.setStyleHint(QFont::SansSerif);
    fonte.setItalic(true);
    fonte.setPixelSize(14);
    p.setFont(fonte);
    p.setPen(kTinta);
    p.drawText(QRectF(0, kTopoTeclas + kLadoTecla + 8, tamanho.width(), 20), Qt::AlignHCenter | Qt::AlignTop,
               QStringLiteral("Treinamento de digitação"));

    // An engraved rule under the title.
    const int y = 94;
    p.setPen(QPen(QColor(120, 150, 200, 160), 1));
    p.drawLine(QPointF(28, y + 0.5), QPointF(tamanho.width() - 28, y + 0.5));
    p.setPen(QPen(QColor(255, 255, 255, 200), 1));
    p.drawLine(QPointF(28, y + 1.5), QPointF(tamanho.width() - 28, y + 1.5));

    // The two home-row keys beside the boxes, where the hands rest before typing.
    DesenharTecla(p, QRectF(268, 114, kLadoTecla, kLadoTecla), QStringLiteral("F"), false, true);
    DesenharTecla(p, QRectF(310, 114, kLadoTecla, kLadoTecla), QStringLiteral("J"), false, true);
    return figura;
}

TestaSenha::TestaSenha(Digita &digita, QWidget *pai)
    : QDialog(pai)
    , digita_(digita)
{
    PadraoDialogo::Preparar(this, QStringLiteral("Datilux"), kTamanho);
    fundo_ = adiantado && adiantado->figura_.valid() ? adiantado->figura_.get() : DesenharFundo(kTamanho);

    PadraoDialogo::Rotulo(this, QStringLiteral("Código:"), QRect(40, 116, 62, 24));
    TxtCodigo = PadraoDialogo::Caixa(this, QStringLiteral("TxtCodigo"), QRect(104, 116, 64, 24),
                                     QStringLiteral("Informe o código do usuário"));
    TxtCodigo->setMaxLength(4);

    PadraoDialogo::Rotulo(this, QStringLiteral("Senha:"), QRect(40, 150, 62, 24));
    TxtSenha = PadraoDialogo::Caixa(this, QStringLiteral("TxtSenha"), QRect(104, 150, 140, 24),
                                    QStringLiteral("Informe a senha do usuário"), true);

    LblNome = PadraoDialogo::Rotulo(this, QString(), QRect(40, 188, 304, 24), QStringLiteral("LblNome"));
    PintarFundo(LblNome, QColor(104, 150, 213), Qt::white);
    LblNome->setIndent(8);
    QFont negrito = LblNome->font();
    negrito.setBold(true);
    LblNome->setFont(negrito);

    const int yBotoes = 232;
    const int wBotao = PadraoDialogo::kTamanhoBotao.width();
    BtnOK = PadraoDialogo::Botao(this, QStringLiteral("BtnOK"), QStringLiteral(" OK"), Arte::Icone::Ok,
                                 QPoint(kTamanho.width() - 40 - 2 * wBotao - 8, yBotoes),
                                 QStringLiteral("Entrar no programa"));
    BtnCancelar = PadraoDialogo::Botao(this, QStringLiteral("BtnCancelar"), QStringLiteral(" Cancelar"),
                                       Arte::Icone::Cancelar, QPoint(kTamanho.width() - 40 - wBotao, yBotoes),
                                       QStringLiteral("Sair do programa"));

    setTabOrder(TxtCodigo, TxtSenha);
    setTabOrder(TxtSenha, BtnOK);
    setTabOrder(BtnOK, BtnCancelar);

    EnterComoTab::Instalar(this, true);
    new AoFocar(TxtCodigo, [this] { TxtCodigo_GotFocus(); });
    new AoFocar(TxtSenha, [this] { TxtSenha_GotFocus(); });
    new AoFocar(BtnOK, [this] { BtnOK_GotFocus(); });
    // A box changed after the check: the check has to run again before OK can confirm.
    connect(TxtCodigo, &QLineEdit::textChanged, this, [this] { aprovado_ = false; });
    connect(TxtSenha, &QLineEdit::textChanged, this, [this] { aprovado_ = false; });
    connect(BtnOK, &FlatButton::Click, this, &TestaSenha::BtnOK_Click);
    connect(BtnCancelar, &FlatButton::Click, this, &TestaSenha::reject);

    // Kept open for the window's whole life; a failure is shown once the window is on screen, and
    // the administrator can still log in.
    alunos_.Abrir(digita_.Caminho(ArquivoAlunos::kNomeArquivo), erroAbrir_);
}

TestaSenha::~TestaSenha() = default;

void TestaSenha::showEvent(QShowEvent *evento)
{
    QDialog::showEvent(evento);
    if (!ativada_) {
        ativada_ = true;
        // Let the window reach the screen first: the notice and the message boxes go over it.
        QTimer::singleShot(0, this, &TestaSenha::Form_Activate);
    }
}

void TestaSenha::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.drawImage(0, 0, fundo_);
}

void TestaSenha::Form_Activate()
{
    QPointer<TestaSenha> viva(this);
    if (!erroAbrir_.isEmpty())
        Mensagem::Critico(this, erroAbrir_);

    // The notice tells the default password: it is shown only while that password is in force. A
    // store that failed at start-up has been reported then, and has no password in force at all.
    QString mostrar, erro;
    const bool padrao =
        digita_.FalhaSenhaAdm.isEmpty() && digita_.SenhaAdmAtual.toUpper() == ArquivoDatilux::kSenhaPadrao;
    if (padrao && !ArquivoDatilux::LerConfig(digita_, ArquivoDatilux::kChaveMostrarSenha, mostrar, erro))
        Mensagem::Critico(this, erro);
    if (padrao && mostrar.isEmpty()) {
        MsgSenha aviso(digita_, this);
        aviso.exec();
        if (!viva || !isVisible())
            return;
        // The keyboard comes back to the login, whatever the desktop does when the notice closes.
        activateWindow();
    }

    Aluno primeiro;
    if (alunos_.Quantidade() >= 1 && !alunos_.Ler(1, primeiro, erro))
        Mensagem::Critico(this, erro);
    // The shortcut is the administrator's first login: no use while the administrator is refused.
    if (TirarEspacos(primeiro.Nome) == kAlterarNome && digita_.FalhaSenhaAdm.isEmpty()) {
        // A fresh installation: straight to OK, which checks the boxes as they are.
        PadraoDialogo::Focar(BtnOK);
    } else {
        TxtCodigo->clear();
        TxtSenha->clear();
        PadraoDialogo::Focar(TxtCodigo);
    }
}

void TestaSenha::TxtCodigo_GotFocus()
{
    PadraoDialogo::SelecionarTudo(TxtCodigo);
}

void TestaSenha::TxtSenha_GotFocus()
{
    const int codigo = NumeroDoCodigo(TxtCodigo->text());
    TxtCodigo->setText(Formatar(codigo, 4));
    PadraoDialogo::SelecionarTudo(TxtSenha);

    QString nome, senha;
    if (!IdentificarCodigo(codigo, nome, senha))
        return;
    digita_.NomeUsuario = nome;
    LblNome->setText(nome);
}

void TestaSenha::BtnOK_GotFocus()
{
    aprovado_ = false;
    // OK reached with a code that was refused (a click straight on OK): the code is what is wrong.
    QString nome, senha;
    if (!IdentificarCodigo(NumeroDoCodigo(TxtCodigo->text()), nome, senha))
        return;
    if (TxtSenha->text().toUpper() != senha.toUpper()) {
        Recusar(TxtSenha, kSenhaInvalida);
        return;
    }
    digita_.NomeUsuario = nome;
    LblNome->setText(nome);
    aprovado_ = true;
}

bool TestaSenha::IdentificarCodigo(int codigo, QString &nome, QString &senha)
{
    Aluno aluno;
    QString erro;
    switch (alunos_.Identificar(codigo, aluno, erro)) {
    case ArquivoAlunos::Identificacao::Administrador:
        if (!digita_.FalhaSenhaAdm.isEmpty()) {
            Recusar(TxtCodigo, digita_.FalhaSenhaAdm);
            return false;
        }
        nome = Digita::kAdministrador;
        senha = digita_.SenhaAdmAtual;
        return true;
    case ArquivoAlunos::Identificacao::Aluno:
        digita_.AlunoAtual = aluno;
        nome = TirarEspacos(aluno.Nome);
        senha = TirarEspacos(aluno.Senha);
        return true;
    case ArquivoAlunos::Identificacao::NaoCadastrado:
        Recusar(TxtCodigo, ArquivoAlunos::kCodigoNaoCadastrado);
        return false;
    case ArquivoAlunos::Identificacao::Falha: Recusar(TxtCodigo, erro); return false;
    }
    return false;
}

void TestaSenha::BtnOK_Click()
{
    // A pointer click gives OK the focus first; when that check failed, the click must not log in.
    if (!aprovado_)
        return;
    digita_.RespostaDialogo[0] = Digita::kOk;
    accept();
}

void TestaSenha::reject()
{
    digita_.RespostaDialogo[0] = Digita::kCancelar;
    QDialog::reject();
}

void TestaSenha::done(int resultado)
{
    alunos_.Fechar();
    QDialog::done(resultado);
}

void TestaSenha::Recusar(QWidget *caixa, const QString &mensagem)
{
    aprovado_ = false;
    if (caixa == TxtCodigo)
        LblNome->clear();
    // The focus moves before the message: when the message closes, the window gives the focus back
    // to that box, not to OK, so the check does not run again by itself.
    PadraoDialogo::Focar(caixa);
    Mensagem::Critico(this, mensagem);
}
