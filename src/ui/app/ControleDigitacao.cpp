#include "app/ControleDigitacao.h"

#include "app/Traco.h"
#include "common/Digita.h"
#include "common/Formatos.h"
#include "common/Mensagem.h"
#include "common/Plataforma.h"
#include "exercises/Biblioteca.h"

#include <QSysInfo>
#include <QTimer>
#include <QUuid>

namespace {

constexpr Cor kAzul = RGB(0, 0, 255);
constexpr Cor kPreto = RGB(0, 0, 0);

QString Hora(QTime t)
{
    return t.toString(QStringLiteral("HH:mm:ss"));
}

} // namespace

ControleDigitacao::ControleDigitacao(Digita &digita, Plataforma &plataforma, QWidget *janela)
    : QObject(janela)
    , digita_(digita)
    , plataforma_(plataforma)
    , motor_(digita)
{
    // The indicator blinks between sessions too: the timer runs as long as the window exists.
    timer1_ = new QTimer(this);
    timer1_->setObjectName(QStringLiteral("Timer1"));
    timer1_->setInterval(500);
    connect(timer1_, &QTimer::timeout, this, &ControleDigitacao::Tique);
    timer1_->start();
}

ControleDigitacao::~ControleDigitacao() = default;

QWidget *ControleDigitacao::Janela() const
{
    return qobject_cast<QWidget *>(parent());
}

void ControleDigitacao::Parar()
{
    timer1_->stop();
}

// ---- commands -----------------------------------------------------------------------------------

void ControleDigitacao::IniciarDigitacao()
{
    if (!exercicioCarregado_) {
        Mensagem::Informacao(Janela(), Sessao::kCarregar);
        return;
    }
    caixa_->setEnabled(true);
    marcaErros_ = MarcaErros::Ler(digita_);
    ZerarSessao();
    motor_.MontarLinhas(passagem_);
    emit EmDigitacaoMudou(true);
    AtualizarDica();
    emit ColorirPassagemToda(digita_.Config.CorTexto);
    emit FigurasMudaram();
    emit SessaoIniciada();
}

void ControleDigitacao::ZerarSessao()
{
    motor_.Zerar(passagem_, focoDigita_);
    toquesMostrados_ = 0;
    acertos_ = 0;
    errosPorTecla_.clear();
    inicio_ = digita_.Agora();
    inicioData_ = QDateTime(QDate::currentDate(), *inicio_);
    emit InicioMudou(Hora(*inicio_));
    emit FimMudou(QString());
    emit TempoTotalMudou(QString());
    emit ErrosMudou(QString());
    emit ToquesMudou(QString());
    if (digita_.ClasseAtual < 6)
        emit LimiteMudou(QString());
    caixa_->Limpar();
    emDigitacao_ = true;
    caixa_->setFocus(Qt::OtherFocusReason);
}

void ControleDigitacao::FinalizarDigitacao()
{
    const QTime fim = digita_.Agora();
    emit FimMudou(Hora(fim));
    // Nothing was started since the program began or the passage was loaded: there is no start time
    // to measure from.
    if (!inicio_)
        return;
    segundosTotal_ = Sessao::SegundosEntre(*inicio_, fim);
    emit TempoTotalMudou(Sessao::TempoTotal(segundosTotal_));

    const bool concluido = !Sessao::Incompleto(int(passagem_.size()), caixa_->TamanhoCrLf());
    Sessao::Veredito veredito = Sessao::Veredito::Nenhum;
    if (!concluido) {
        Mensagem::Critico(Janela(), Sessao::kIncompleto);
    } else if (digita_.ClasseAtual == 6) {
        // An entry without a limit (the end-of-class notice) gets no verdict.
        const std::optional<QString> limite = Biblioteca::TempoClasse6(digita_.ExercicioAtual);
        veredito = Sessao::Avaliar(motor_.Erros, segundosTotal_, limite.value_or(QString()));
        if (veredito == Sessao::Veredito::Aprovado)
            Mensagem::Informacao(Janela(), Sessao::kAprovado);
        else if (veredito == Sessao::Veredito::Reprovado)
            Mensagem::Critico(Janela(), Sessao::kReprovado);
    }
    const bool terminouSessao = emDigitacao_;
    emDigitacao_ = false;
    caixa_->setEnabled(false);
    exercicioConcluido_ = true;
    emit EmDigitacaoMudou(false);
    AtualizarDica();
    if (!terminouSessao)
        return;
    emit FigurasMudaram();

    ResultadoSessao r;
    r.chave = QUuid::createUuid().toString(QUuid::WithoutBraces);
    r.codigo = digita_.AlunoAtual.Codigo.trimmed().toInt();
    r.nome = digita_.NomeUsuario;
    r.classe = digita_.ClasseAtual;
    r.exercicio = digita_.ExercicioAtual + 1;
    r.inicio = inicioData_;
    r.fim = inicioData_.addSecs(segundosTotal_);
    r.segundos = segundosTotal_;
    r.toques = toquesMostrados_;
    r.erros = motor_.Erros;
    r.acertos = acertos_;
    r.caracteres = motor_.Coberto();
    r.concluido = concluido;
    r.veredito = veredito == Sessao::Veredito::Aprovado    ? QStringLiteral("aprovado")
                 : veredito == Sessao::Veredito::Reprovado ? QStringLiteral("reprovado")
                                                           : QString();
    r.computador = QSysInfo::machineHostName();
    r.errosPorTecla = errosPorTecla_;
    emit SessaoFinalizada(r);
}

void ControleDigitacao::EncerrarSessao()
{
    if (emDigitacao_) {
        emDigitacao_ = false;
        emit EmDigitacaoMudou(false);
    }
    caixa_->setEnabled(false);
    caixa_->Limpar();
    // A finish now finds no start time, as before the first session.
    inicio_.reset();
    toquesMostrados_ = 0;
    acertos_ = 0;
    errosPorTecla_.clear();
    motor_.Zerar(passagem_, false);
    emit InicioMudou(QString());
    emit FimMudou(QString());
    emit TempoTotalMudou(QString());
    emit ErrosMudou(QString());
    emit ToquesMudou(QString());
    emit FigurasMudaram();
}

void ControleDigitacao::Carregar(const QString &passagem)
{
    // The session of the previous passage ends here, and nothing of it stays beside the new one.
    passagem_ = passagem;
    EncerrarSessao();
    exercicioCarregado_ = true;
    exercicioConcluido_ = false;
    AtualizarDica();
}

void ControleDigitacao::Descarregar()
{
    EncerrarSessao();
    exercicioCarregado_ = false;
    AtualizarDica();
}

void ControleDigitacao::AtualizarDica()
{
    caixa_->DefinirDica(exercicioCarregado_ && !emDigitacao_ ? kDicaInicio : QString());
}

QChar ControleDigitacao::ProximoEsperado() const
{
    return emDigitacao_ ? motor_.Esperado(motor_.PosTexto - 1) : QChar();
}

ControleDigitacao::Figuras ControleDigitacao::FigurasAtuais() const
{
    Figuras f;
    f.toques = toquesMostrados_;
    f.erros = motor_.Erros;
    f.acertos = acertos_;
    if (emDigitacao_ && inicio_)
        f.segundos = Sessao::SegundosEntre(*inicio_, digita_.Agora());
    else if (inicio_)
        f.segundos = segundosTotal_;
    return f;
}

// ---- the timer ----------------------------------------------------------------------------------

void ControleDigitacao::Tique()
{
    Traco::Marcar("tique");
    emit FundoErrosMudou(Sessao::kFundoErros);
    emit CapsMudou(caps_.Tique(plataforma_.CapsLockAtivo()));
    if (emDigitacao_)
        emit FigurasMudaram();
}

// ---- keys ---------------------------------------------------------------------------------------

void ControleDigitacao::Conferir(int posicao, QChar digitado, bool certo)
{
    const QChar esperado = motor_.Esperado(posicao);
    if (certo) {
        ++acertos_;
    } else if (!esperado.isNull()) {
        ++errosPorTecla_[esperado];
    }
    emit TeclaConferida(esperado, digitado, certo);
}

bool ControleDigitacao::TxtDigita_KeyDown(int codigoTecla)
{
    return motor_.TeclaDesce(codigoTecla);
}

bool ControleDigitacao::TxtDigita_KeyPress(int k, int caret)
{
    const int posicao = motor_.PosTexto - 1;
    const MotorDigitacao::RespostaTecla r = motor_.TeclaPressionada(k, caret, caps_.Vermelho());
    Traco::Marcar("motor");
    if (r.recusadaTrava) {
        emit FundoErrosMudou(Sessao::kFundoErrosPiscando);
        Conferir(posicao, QChar(char16_t(k)), false);
    }
    if (r.mostrarErros)
        emit ErrosMudou(NumeroTexto(motor_.Erros));
    if (r.tocarSom)
        plataforma_.TocarAviso();
    if (r.avisoCapsLock)
        Mensagem::Critico(Janela(), MotorDigitacao::MensagemCapsLock());
    if (r.finalizar) {
        FinalizarDigitacao();
        return true;
    }
    if (r.mostrarToques) {
        toquesMostrados_ = r.toquesMostrados;
        emit ToquesMudou(NumeroTexto(r.toquesMostrados));
    }
    if (r.cor != MotorDigitacao::Cor::Nenhuma)
        emit ColorirPassagem(r.posicaoCor, r.cor == MotorDigitacao::Cor::Azul ? kAzul : kPreto);
    posicaoColorida_ = r.cor == MotorDigitacao::Cor::Azul ? r.posicaoCor : -1;
    if (r.mostrarToques || r.recusadaTrava)
        emit FigurasMudaram();
    return r.descartar;
}

void ControleDigitacao::TxtDigita_Change()
{
    const MotorDigitacao::RespostaMudanca r = motor_.Mudanca();
    if (r.posicaoConferida >= 0) {
        const int k = motor_.UltimaTecla;
        Conferir(r.posicaoConferida, k == MotorDigitacao::kEnter ? QChar(u'\n') : QChar(char16_t(k)), r.certo);
        // The wrong letter takes the place of the blue its key just painted; a Backspace over it
        // paints that place black as it would any letter.
        if (!r.certo && marcaErros_.marcar && posicaoColorida_ >= 0)
            emit ColorirPassagem(posicaoColorida_, marcaErros_.cor);
    }
    posicaoColorida_ = -1;
    if (r.mostrarErros)
        emit ErrosMudou(NumeroTexto(motor_.Erros));
    if (r.tocarSom)
        plataforma_.TocarAviso();
    if (r.posicaoConferida >= 0)
        emit FigurasMudaram();
}

void ControleDigitacao::TxtDigita_GotFocus()
{
    if (emDigitacao_) {
        focoDigita_ = true;
        return;
    }
    // The box is enabled only during a session; should it ever get the focus outside one, say how to
    // start (once: the message box itself hands the focus back).
    if (avisandoFoco_)
        return;
    avisandoFoco_ = true;
    Mensagem::Exclamacao(Janela(), Sessao::kFocoSemSessao);
    avisandoFoco_ = false;
}

void ControleDigitacao::TxtDigita_LostFocus()
{
    focoDigita_ = false;
}
