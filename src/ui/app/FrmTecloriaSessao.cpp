// The main window's commands around the typing session and its place in the course: login,
// configuration, loading and moving on, the session's start and finish, and the administrative
// commands. The session itself runs in ControleDigitacao.

#include "access/Alunos.h"
#include "access/ArquivoAlunos.h"
#include "access/ArquivoDatilux.h"
#include "access/InfoSenha.h"
#include "access/MudaSenha.h"
#include "access/TestaSenha.h"
#include "app/AlteraSenha.h"
#include "app/FrmTecloria.h"
#include "app/MeuDesempenho.h"
#include "app/PainelResultado.h"
#include "app/TextoPassagem.h"
#include "app/Traco.h"
#include "common/CorQt.h"
#include "common/Digita.h"
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
#include "relatorio/JanelaRelatorio.h"
#include "resultados/BancoResultados.h"
#include "shared/PintarFundo.h"
#include "teclado/TecladoNaTela.h"

#include <QLabel>

namespace {

constexpr Cor kPreto = RGB(0, 0, 0);

} // namespace

void FrmTecloria::EntrarUsuario()
{
    {
        TestaSenha login(digita_, this);
        Traco::Marcar("login");
        if (!montada_)
            MontarDepoisDe(login);
        login.exec();
    }
    Montar(); // when the login was answered before it was ever painted
    AplicarConfiguracao();
    AplicarTeclado();
    painel_->hide();
    controle_->Descarregar();
    // A cancelled login ends the program; there is nothing to load for it.
    if (digita_.RespostaDialogo[0] == Digita::kCancelar || digita_.EhAdministrador())
        return;
    AplicarCarga(Progressao::CarregarDoRegistro(digita_));
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

void FrmTecloria::AplicarTeclado()
{
    QString mostrar, layout, erro;
    ArquivoDatilux::LerConfig(digita_, ModeloTeclado::kChaveMostrar, mostrar, erro);
    ArquivoDatilux::LerConfig(digita_, ModeloTeclado::kChaveLayout, layout, erro);
    teclado_->DefinirLayout(layout.trimmed());
    menuTeclado_->setChecked(mostrar.trimmed() == QStringLiteral("1"));
    PosicionarControles();
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
    if (carga.Texto)
        txtTexto_->DefinirTexto(*carga.Texto);
    lblTempo_->setText(carga.Tempo.value_or(QString()));
    lblExercicio_->setText(carga.LblExercicio);
    lblClasse_->setText(carga.LblClasse);
    // The session of the previous passage ends here, and nothing of it stays beside the new one.
    painel_->hide();
    controle_->Carregar(txtTexto_->Texto());
}

void FrmTecloria::ProximoExercicio()
{
    // Under the teacher's option a finish that left the exercise incomplete, or failed class 6, does
    // not count: refused before anything is written.
    QString recusa = Progressao::RecusaProximo(digita_, controle_->ExercicioConcluido());
    if (recusa.isEmpty() && Progressao::SomenteConcluido(digita_))
        recusa = Progressao::RecusaSemConclusao(desfecho_);
    if (!recusa.isEmpty()) {
        Mensagem::Critico(this, recusa);
        return;
    }
    const Progressao::Avanco avanco = Progressao::ProximoExercicio(digita_, controle_->ExercicioConcluido());
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
    controle_->IniciarDigitacao();
}

void FrmTecloria::FinalizarDigitacao()
{
    controle_->FinalizarDigitacao();
}

// The session's signals onto the passage, the labels and the buttons.
void FrmTecloria::LigarControle()
{
    ControleDigitacao *c = controle_;
    connect(c, &ControleDigitacao::ColorirPassagem, txtTexto_, &TextoPassagem::Colorir);
    connect(c, &ControleDigitacao::ColorirPassagemToda, txtTexto_, &TextoPassagem::ColorirTudo);
    connect(c, &ControleDigitacao::InicioMudou, lblTempoInicial_, &QLabel::setText);
    connect(c, &ControleDigitacao::FimMudou, lblTempoFinal_, &QLabel::setText);
    connect(c, &ControleDigitacao::TempoTotalMudou, lblTempoTotal_, &QLabel::setText);
    connect(c, &ControleDigitacao::ErrosMudou, lblErros_, &QLabel::setText);
    connect(c, &ControleDigitacao::ToquesMudou, lblToques_, &QLabel::setText);
    connect(c, &ControleDigitacao::LimiteMudou, lblTempo_, &QLabel::setText);
    connect(c, &ControleDigitacao::FundoErrosMudou, this,
            [this](Cor fundo) { PintarFundo(lblErros_, CorQt(fundo)); });
    connect(c, &ControleDigitacao::CapsMudou, this, [this](const Sessao::AparenciaCaps &a) {
        PintarFundo(lblCaps_, CorQt(a.fundo), CorQt(a.texto));
        QFont f = lblCaps_->font();
        if (f.bold() != a.negrito) {
            f.setBold(a.negrito);
            lblCaps_->setFont(f);
        }
    });
    connect(c, &ControleDigitacao::SessaoIniciada, painel_, &QWidget::hide);
    // The keyboard follows every key, start, finish and load; a wrong key flashes.
    connect(c, &ControleDigitacao::FigurasMudaram, teclado_,
            [this] { teclado_->MostrarProximo(controle_->ProximoEsperado()); });
    connect(c, &ControleDigitacao::TeclaConferida, teclado_, [this](QChar, QChar digitado, bool certo) {
        if (!certo)
            teclado_->PiscarErro(digitado);
    });
    connect(c, &ControleDigitacao::EmDigitacaoMudou, this, [this](bool emDigitacao) {
        btnComecar_->DefinirEnabled(!emDigitacao);
        btnFinalizar_->DefinirEnabled(emDigitacao);
    });
}

void FrmTecloria::MenuConfig_Click()
{
    if (!digita_.EhAdministrador()) {
        Mensagem::Critico(this, QStringLiteral("Configuração permitida somente ao Administrador!"));
        return;
    }
    {
        Configura configura(digita_, this);
        configura.exec();
    }
    AplicarConfiguracao();
}

void FrmTecloria::MenuCadAlunos_Click()
{
    if (!digita_.EhAdministrador()) {
        Mensagem::Critico(this, QStringLiteral("Cadastro permitido somente ao Administrador!"));
        return;
    }
    Alunos cadastro(digita_, Biblioteca::ExerciciosPorClasse(), this);
    cadastro.exec();
}

void FrmTecloria::MenuBancoResultados_Click()
{
    if (!digita_.EhAdministrador()) {
        Mensagem::Critico(this, QStringLiteral("Banco de resultados permitido somente ao Administrador!"));
        return;
    }
    // The new settings take effect at the next start: a result already handed to the writer
    // goes where the writer was told.
    BancoResultados banco(digita_, this);
    banco.exec();
}

void FrmTecloria::MenuRelatorio_Click()
{
    if (!digita_.EhAdministrador()) {
        Mensagem::Critico(this, QStringLiteral("Relatório da turma permitido somente ao Administrador!"));
        return;
    }
    JanelaRelatorio relatorio(digita_, this);
    relatorio.exec();
}

void FrmTecloria::MenuMudaAdm_Click()
{
    // No gate of its own: whoever gives the administrator password may change it.
    {
        InfoSenha info(digita_, this);
        info.exec();
    }
    if (digita_.RespostaDialogo[1] == Digita::kCancelar)
        return;
    MudaSenha muda(digita_, this);
    muda.exec();
}

void FrmTecloria::MenuDesempenho_Click()
{
    if (digita_.EhAdministrador()) {
        Mensagem::Critico(this, Progressao::kSomenteAluno);
        return;
    }
    MeuDesempenho desempenho(configBanco_, TirarEspacos(digita_.AlunoAtual.Codigo).toInt(), this);
    desempenho.exec();
}

void FrmTecloria::MenuAlteraSenha_Click()
{
    // The administrator's own password has its command; this one is a student's.
    if (digita_.EhAdministrador()) {
        Mensagem::Critico(this, Progressao::kSomenteAluno);
        return;
    }
    AlteraSenha altera(digita_, this);
    altera.exec();
}

void FrmTecloria::MenuCarregar_Click()
{
    // The chooser asks for the administrator password, refuses the administrator's own session and
    // stores the student's new place before it is loaded.
    if (const std::optional<Progressao::Carga> carga = EscolherExercicio(digita_, this))
        AplicarCarga(*carga);
}

void FrmTecloria::MenuTopicos_Click()
{
    Ajuda::Abrir(this);
}

void FrmTecloria::MenuSobre_Click()
{
    txtTexto_->setFocus(Qt::OtherFocusReason);
    Sobre sobre(plataforma_, this);
    sobre.exec();
}
