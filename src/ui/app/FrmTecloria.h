#pragma once

#include "app/ControleDigitacao.h"
#include "exercises/Progressao.h"
#include "resultados/ArmazemResultados.h"

#include <QFont>
#include <QHash>
#include <QMainWindow>
#include <QRect>

#include <optional>

class CaixaDigitacao;
class Digita;
class FlatButton;
class GravadorResultados;
class Gradiente;
class PainelResultado;
class QThread;
class QTimer;
class Plataforma;
class QAction;
class QLabel;
class TecladoNaTela;
class TextoPassagem;

// The main window: the passage, the input box, the session's counters and clock, the buttons and
// the menus that open every other window. Closing it ends the program.
class FrmTecloria : public QMainWindow {
    Q_OBJECT

public:
    static inline const QString kTitulo = QStringLiteral("Datilux - Treinamento de digitação");
    // The maker's web site, opened by the logo.
    static inline const QString kSiteFabricante = QStringLiteral("https://datilux.example/");

    // How the window is built. Whole: every control before the constructor returns. Progressive: the
    // constructor makes only the bare window (its title and gradient, at its size), which needs no
    // font and so reaches the screen within a bare Qt window's time; the login is built and painted
    // over it next, and the window's controls once the login is on the screen.
    enum class Montagem { Inteira, Progressiva };

    FrmTecloria(Digita &digita, Plataforma &plataforma, Montagem montagem = Montagem::Inteira,
                QWidget *pai = nullptr);
    ~FrmTecloria() override;

    // Commands of the buttons and menus.
    void IniciarDigitacao();
    void FinalizarDigitacao();
    void ProximoExercicio();
    void EntrarUsuario();
    void AplicarConfiguracao();
    void CarregarExercicio();

    // The window's activation handling (first time: administrator password, login, layout; every time:
    // a cancelled login ends the program). Runs on every activation of the window and after each modal
    // window the main window opened.
    void Form_Activate();

    // The layout for screens of 640 pixels or less.
    void AplicarLayoutCompacto();
    bool LayoutCompacto() const { return compacto_; }
    // The width the compact-layout decision reads; tests set it (nullopt: the primary screen's).
    void DefinirLarguraTela(std::optional<int> pixels) { larguraTela_ = pixels; }
    // The screen's room the window must fit in (tests); unset: the screen's available area.
    void DefinirAreaTela(std::optional<QRect> area) { areaTela_ = area; }
    // The layout's scale in the window now (1: exactly as drawn).
    double Escala() const { return escala_; }

    // The live figures as their labels show them: keystrokes per minute, percent of right keys; empty
    // when there is nothing to divide by.
    static QString TextoVelocidade(std::optional<double> ppm);
    static QString TextoPrecisao(std::optional<double> precisao);

    // The result of the last session, while it is on view.
    PainelResultado &Painel() const { return *painel_; }

    // The typing session: what watches it connects here.
    ControleDigitacao &Controle() const { return *controle_; }
    // Where the students' finished sessions go.
    GravadorResultados &Resultados() const { return *gravador_; }

    // State a person sees through the labels and buttons; read by the tests.
    bool EmDigitacao() const { return controle_->EmDigitacao(); }
    bool ExercicioCarregado() const { return controle_->ExercicioCarregado(); }
    bool ExercicioConcluido() const { return controle_->ExercicioConcluido(); }
    int SegundosTotal() const { return controle_->SegundosTotal(); }
    const MotorDigitacao &Motor() const { return controle_->Motor(); }
    bool FocoDigita() const { return controle_->FocoDigita(); }

signals:
    // The main window was closed: the program ends.
    void Encerrado();

protected:
    bool event(QEvent *evento) override;
    void showEvent(QShowEvent *evento) override;
    void closeEvent(QCloseEvent *evento) override;
    bool eventFilter(QObject *alvo, QEvent *evento) override;
    void keyPressEvent(QKeyEvent *evento) override;
    void TeclaAntesDoInicio(const QKeyEvent *evento);

private:
    void CriarCentro();
    void Montar();
    void MontarDepoisDe(QWidget &janela);
    void CriarControles();
    void LigarControle();
    void CriarMenus();
    void PosicionarControles();
    void MostrarFalha(const QString &erro);
    void AplicarCarga(const Progressao::Carga &carga);
    // The commands of the menu items (and of BtnCarrega) that open the other windows, each checking
    // who may use it.
    void MenuConfig_Click();
    void MenuCadAlunos_Click();
    void MenuBancoResultados_Click();
    void MenuRelatorio_Click();
    void MenuMudaAdm_Click();
    void MenuDesempenho_Click();
    void MenuAlteraSenha_Click();
    void MenuCarregar_Click();
    void MenuTopicos_Click();
    void MenuSobre_Click();
    void CriarGravador();
    void CriarFiguras();
    void MostrarFiguras();
    void AvisarFalhaResultados(const QString &mensagem);
    void MostrarAvisoPendente();
    void MostrarResultado(const ResultadoSessao &r);
    void AplicarTeclado();
    void GuardarProjeto(QSize tamanho);
    void AplicarEscala(double escala);
    void AjustarEscala();
    QSize Caber(QSize desejado) const;
    void ConsultarMelhor(const ResultadoSessao &r);

    Digita &digita_;
    Plataforma &plataforma_;
    ControleDigitacao *controle_ = nullptr;
    GravadorResultados *gravador_ = nullptr;
    ConfigBanco configBanco_;
    // Look-ups of the store running off the window's thread; waited for at the window's end.
    QList<QThread *> consultas_;
    PainelResultado *painel_ = nullptr;
    TecladoNaTela *teclado_ = nullptr;
    // "Teclado na tela": the teacher's default at each login, the student's choice for the rest of it.
    QAction *menuTeclado_ = nullptr;
    // How the last session of the exercise on screen ended (the moving-on option asks).
    Progressao::Desfecho desfecho_ = Progressao::Desfecho::Incompleto;
    // The results store's failure, waiting for a moment when a message box interrupts nothing.
    QString avisoPendente_;

    QWidget *centro_ = nullptr;
    Gradiente *grd_ = nullptr;
    TextoPassagem *txtTexto_ = nullptr;
    CaixaDigitacao *txtDigita_ = nullptr;
    QLabel *picOrvenal_ = nullptr;
    FlatButton *btnComecar_ = nullptr;
    FlatButton *btnFinalizar_ = nullptr;
    FlatButton *btnProximo_ = nullptr;
    FlatButton *btnCarrega_ = nullptr;
    FlatButton *btnSair_ = nullptr;
    QLabel *lblAluno_ = nullptr;
    QLabel *lblClasse_ = nullptr;
    QLabel *lblExercicio_ = nullptr;
    QLabel *lblTempo_ = nullptr;
    QLabel *lblTempoInicial_ = nullptr;
    QLabel *lblTempoFinal_ = nullptr;
    QLabel *lblTempoTotal_ = nullptr;
    QLabel *lblErros_ = nullptr;
    QLabel *lblToques_ = nullptr;
    QLabel *lblCaps_ = nullptr;
    QLabel *lblVelocidade_ = nullptr;
    QLabel *lblPrecisao_ = nullptr;
    QTimer *atualizarFiguras_ = nullptr;
    static constexpr int kAtrasoFiguras = 40; // ms

    bool montada_ = false;
    bool ativado_ = false;
    bool compacto_ = false;
    std::optional<int> larguraTela_;
    std::optional<QRect> areaTela_;
    // Every control's place and font at the layout's own size, and that size.
    struct Projeto {
        QRect geometria;
        QFont fonte;
    };
    QHash<QWidget *, Projeto> projeto_;
    QSize tamanhoProjeto_;
    double escala_ = 1.0;
    bool encerrado_ = false;
};
