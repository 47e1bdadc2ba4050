// The main window's typing session and its place in the course: login, configuration, loading and
// moving on, start, keys, finish and the half-second timer.

#include "access/Alunos.h"
#include "access/InfoSenha.h"
#include "access/MudaSenha.h"
#include "access/TestaSenha.h"
#include "app/FrmTecloria.h"
#include "app/TextoPassagem.h"
#include "common/CorQt.h"
#include "common/Digita.h"
#include "common/Formatos.h"
#include "common/Mensagem.h"
#include "common/Plataforma.h"
#include "config/ArquivoConfig.h"
#include "config/Configura.h"
#include "controls/FlatButton/FlatButton.h"
#include "controls/Gradiente/Gradiente.h"
#include "exercises/Biblioteca.h"
#include "exercises/Carrega.h"
#include "exercises/Progressao.h"
#include "help/Ajuda.h"
#include "help/Sobre.h"

#include <QLabel>

namespace {

constexpr Cor kFundoErros = RGB(128, 0, 0);
constexpr Cor kFundoErrosPiscando = RGB(255, 0, 0);
constexpr Cor kAzul = RGB(0, 0, 255);
constexpr Cor kPreto = RGB(0, 0, 0);

void PintarFundo(QLabel *l, Cor fundo)
{
    QPalette p = l->palette();
    p.setColor(QPalette::Window, CorQt(fundo));
    l->setPalette(p);
}

QString Hora(QTime t)
{
    return t.toString(QStringLiteral("HH:mm:ss"));
}

} // namespace

void FrmTecloria::EntrarUsuario()
{
    {
        TestaSenha login(digita_, this);
        login.exec();
    }
    AplicarConfiguracao();
    LimparSessao();
    exercicioCarregado_ = false;
    // A cancelled login ends the program; there is nothing to load for it.
    if (digita_.RespostaDialogo[0] == Digita::kCancelar || digita_.EhAdministrador())
        return;
    digita_.ExercicioAtual = qint16(digita_.AlunoAtual.Exercicio - 1);
    digita_.ClasseAtual = digita_.AlunoAtual.Classe;
    CarregarExercicio();
}

void FrmTecloria::AplicarConfiguracao()
{
    ArquivoConfig::Efeito efeito;
    QString erro;
    if (!ArquivoConfig::Carregar(digita_, efeito, erro)) {
        MostrarFalha(erro);
        return;
    }
    if (!efeito.AplicarAparencia)
        return;
    for (QWidget *w : {static_cast<QWidget *>(txtDigita_), static_cast<QWidget *>(txtTexto_)}) {
        QFont f = w->font();
        if (!efeito.NomeFonte.isEmpty())
            f.setFamily(efeito.NomeFonte);
        if (efeito.TamanhoFonte > 0)
            f.setPointSize(efeito.TamanhoFonte);
        w->setFont(f);
    }
    QPalette p = txtDigita_->palette();
    p.setColor(QPalette::Text, CorQt(efeito.CorTexto));
    p.setColor(QPalette::Base, CorQt(efeito.CorFundoEdicao));
    txtDigita_->setPalette(p);
    QPalette q = txtTexto_->palette();
    q.setColor(QPalette::Base, CorQt(efeito.CorFundoEdicao));
    txtTexto_->setPalette(q);
    grd_->DefinirCorInicial(efeito.CorInicio);
    grd_->DefinirCorFinal(efeito.CorFim);
    grd_->FormGradiente();
}

void FrmTecloria::CarregarExercicio()
{
    txtTexto_->ColorirTudo(kPreto);
    AplicarCarga(Progressao::CarregarExercicio(digita_));
}

void FrmTecloria::AplicarCarga(const Progressao::Carga &carga)
{
    txtTexto_->ColorirTudo(kPreto);
    if (!carga.Carregado) {
        Mensagem::Critico(this, carga.Mensagem);
        return;
    }
    // The session of the previous passage ends here, and nothing of it stays beside the new one.
    LimparSessao();
    if (carga.Texto)
        txtTexto_->DefinirTexto(*carga.Texto);
    lblTempo_->setText(carga.Tempo.value_or(QString()));
    lblExercicio_->setText(carga.LblExercicio);
    lblClasse_->setText(carga.LblClasse);
    exercicioCarregado_ = true;
    exercicioConcluido_ = false;
}

void FrmTecloria::ProximoExercicio()
{
    const Progressao::Avanco avanco = Progressao::ProximoExercicio(digita_, exercicioConcluido_);
    if (!avanco.Recusa.isEmpty()) {
        Mensagem::Critico(this, avanco.Recusa);
        return;
    }
    if (avanco.Exercicio)
        AplicarCarga(*avanco.Exercicio);
    if (!avanco.Aviso.isEmpty())
        Mensagem::Informacao(this, avanco.Aviso);
}

void FrmTecloria::IniciarDigitacao()
{
    if (!exercicioCarregado_) {
        Mensagem::Informacao(this, Sessao::kCarregar);
        return;
    }
    txtDigita_->setEnabled(true);
    ZerarSessao();
    motor_.MontarLinhas(txtTexto_->Texto());
    btnComecar_->DefinirEnabled(false);
    btnFinalizar_->DefinirEnabled(true);
    txtTexto_->ColorirTudo(digita_.Config.CorTexto);
}

void FrmTecloria::ZerarSessao()
{
    motor_.Zerar(txtTexto_->Texto(), focoDigita_);
    inicio_ = digita_.Agora();
    lblTempoInicial_->setText(Hora(*inicio_));
    lblTempoFinal_->clear();
    lblTempoTotal_->clear();
    lblErros_->clear();
    lblToques_->clear();
    if (digita_.ClasseAtual < 6)
        lblTempo_->clear();
    txtDigita_->Limpar();
    emDigitacao_ = true;
    txtDigita_->setFocus(Qt::OtherFocusReason);
}

void FrmTecloria::LimparSessao()
{
    if (emDigitacao_) {
        emDigitacao_ = false;
        btnComecar_->DefinirEnabled(true);
        btnFinalizar_->DefinirEnabled(false);
    }
    txtDigita_->setEnabled(false);
    txtDigita_->Limpar();
    // A finish now finds no start time, as before the first session.
    inicio_.reset();
    for (QLabel *l : {lblTempoInicial_, lblTempoFinal_, lblTempoTotal_, lblErros_, lblToques_})
        l->clear();
}

void FrmTecloria::FinalizarDigitacao()
{
    const QTime fim = digita_.Agora();
    lblTempoFinal_->setText(Hora(fim));
    // Nothing was started since the program began: there is no start time to measure from.
    if (!inicio_)
        return;
    segundosTotal_ = Sessao::SegundosEntre(*inicio_, fim);
    lblTempoTotal_->setText(Sessao::TempoTotal(segundosTotal_));

    if (Sessao::Incompleto(int(txtTexto_->Texto().size()), txtDigita_->TamanhoCrLf())) {
        Mensagem::Critico(this, Sessao::kIncompleto);
    } else if (lblClasse_->text().trimmed() == QStringLiteral("06")) {
        // An entry without a limit (the end-of-class notice) gets no verdict.
        const std::optional<QString> limite = Biblioteca::TempoClasse6(digita_.ExercicioAtual);
        switch (Sessao::Avaliar(ValorInteiro(lblErros_->text()), segundosTotal_, limite.value_or(QString()))) {
        case Sessao::Veredito::Aprovado:
            Mensagem::Informacao(this, Sessao::kAprovado);
            break;
        case Sessao::Veredito::Reprovado:
            Mensagem::Critico(this, Sessao::kReprovado);
            break;
        case Sessao::Veredito::Nenhum:
            break;
        }
    }
    emDigitacao_ = false;
    txtDigita_->setEnabled(false);
    exercicioConcluido_ = true;
    btnComecar_->DefinirEnabled(true);
    btnFinalizar_->DefinirEnabled(false);
}

void FrmTecloria::Timer1_Timer()
{
    PintarFundo(lblErros_, kFundoErros);
    const Sessao::AparenciaCaps a = caps_.Tique(plataforma_.CapsLockAtivo());
    QPalette p = lblCaps_->palette();
    p.setColor(QPalette::Window, CorQt(a.fundo));
    p.setColor(QPalette::WindowText, CorQt(a.texto));
    lblCaps_->setPalette(p);
    QFont f = lblCaps_->font();
    if (f.bold() != a.negrito) {
        f.setBold(a.negrito);
        lblCaps_->setFont(f);
    }
}

void FrmTecloria::MostrarErros()
{
    lblErros_->setText(NumeroTexto(motor_.Erros));
}

bool FrmTecloria::TxtDigita_KeyDown(int codigoTecla)
{
    return motor_.TeclaDesce(codigoTecla);
}

bool FrmTecloria::TxtDigita_KeyPress(int k)
{
    const MotorDigitacao::RespostaTecla r = motor_.TeclaPressionada(k, txtDigita_->Caret(), caps_.Vermelho());
    if (r.recusadaTrava)
        PintarFundo(lblErros_, kFundoErrosPiscando);
    if (r.mostrarErros)
        MostrarErros();
    if (r.tocarSom)
        plataforma_.TocarAviso();
    if (r.avisoCapsLock)
        Mensagem::Critico(this, MotorDigitacao::MensagemCapsLock());
    if (r.finalizar) {
        FinalizarDigitacao();
        return true;
    }
    if (r.mostrarToques)
        lblToques_->setText(NumeroTexto(r.toquesMostrados));
    if (r.cor != MotorDigitacao::Cor::Nenhuma)
        txtTexto_->Colorir(r.posicaoCor, r.cor == MotorDigitacao::Cor::Azul ? kAzul : kPreto);
    return r.descartar;
}

void FrmTecloria::TxtDigita_Change()
{
    const MotorDigitacao::RespostaMudanca r = motor_.Mudanca();
    if (r.mostrarErros)
        MostrarErros();
    if (r.tocarSom)
        plataforma_.TocarAviso();
}

void FrmTecloria::TxtDigita_GotFocus()
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
    Mensagem::Exclamacao(this, Sessao::kFocoSemSessao);
    avisandoFoco_ = false;
}

void FrmTecloria::TxtDigita_LostFocus()
{
    focoDigita_ = false;
}

void FrmTecloria::ComandoAdministrativo(const QString &nome)
{
    if (nome == QStringLiteral("MenuConfig")) {
        if (!digita_.EhAdministrador()) {
            Mensagem::Critico(this, QStringLiteral("Configuração permitida somente ao Administrador!"));
            return;
        }
        {
            Configura configura(digita_, this);
            configura.exec();
        }
        AplicarConfiguracao();
    } else if (nome == QStringLiteral("MenuCadAlunos")) {
        if (!digita_.EhAdministrador()) {
            Mensagem::Critico(this, QStringLiteral("Cadastro permitido somente ao Administrador!"));
            return;
        }
        Alunos cadastro(digita_, this);
        cadastro.exec();
    } else if (nome == QStringLiteral("MenuMudaAdm")) {
        // No gate of its own: whoever gives the administrator password may change it.
        {
            InfoSenha info(digita_, this);
            info.exec();
        }
        if (digita_.RespostaDialogo[1] == Digita::kCancelar)
            return;
        MudaSenha muda(digita_, this);
        muda.exec();
    } else if (nome == QStringLiteral("MenuCarregar")) {
        // The chooser asks for the administrator password, refuses the administrator's own session and
        // stores the student's new place before it is loaded.
        if (EscolherExercicio(digita_, this))
            CarregarExercicio();
    } else if (nome == QStringLiteral("MenuTopicos")) {
        Ajuda::Abrir(this);
    } else if (nome == QStringLiteral("MenuSobre")) {
        txtTexto_->setFocus(Qt::OtherFocusReason);
        Sobre sobre(plataforma_, this);
        sobre.exec();
    }
}
