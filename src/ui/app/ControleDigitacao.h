#pragma once

#include "app/CaixaDigitacao.h"
#include "app/MotorDigitacao.h"
#include "app/Sessao.h"
#include "common/Cores.h"
#include "common/ResultadoSessao.h"
#include "config/MarcaErros.h"

#include <QObject>
#include <QTime>

#include <optional>

class Digita;
class Plataforma;
class QTimer;

// One typing session from start to finish: the input box hands it every key with the caret, it
// checks the key with the engine and tells the passage, the counters and the clock labels what to
// show through its signals. It owns the engine, the session clock, the verdict and the half-second
// timer of the CAPS LOCK indicator. The main window only lays the pieces out and runs its commands.
//
// Whatever watches a session (figures, results, a keyboard on screen) connects here: every checked
// key, the start and the finish with the session's figures.
class ControleDigitacao : public QObject, public CaixaDigitacao::Receptor {
    Q_OBJECT

public:
    // `janela` is the parent of the session's message boxes and of this object.
    ControleDigitacao(Digita &digita, Plataforma &plataforma, QWidget *janela);
    ~ControleDigitacao() override;

    // The input box the session types into (made after this object, since it reports here).
    void DefinirCaixa(CaixaDigitacao *caixa) { caixa_ = caixa; }

    // Commands.
    void IniciarDigitacao();
    void FinalizarDigitacao();
    // A passage was loaded: a running session ends and nothing of the last one stays on view.
    void Carregar(const QString &passagem);
    // A new login: nothing is loaded until the student's place is.
    void Descarregar();
    // The window is closing: the timer stops.
    void Parar();

    bool EmDigitacao() const { return emDigitacao_; }
    bool ExercicioCarregado() const { return exercicioCarregado_; }
    bool ExercicioConcluido() const { return exercicioConcluido_; }
    // The character the running session expects next ('\n' at a line end); null when none runs.
    QChar ProximoEsperado() const;

    // The input box's line while an exercise waits for its start.
    static inline const QString kDicaInicio = QStringLiteral("Tecle Ctrl+C ou clique em Começar para iniciar");
    int SegundosTotal() const { return segundosTotal_; }
    bool FocoDigita() const { return focoDigita_; }
    const MotorDigitacao &Motor() const { return motor_; }

    // The figures of the session so far (of the last one once it finished), counted as the labels
    // count them.
    struct Figuras {
        int toques = 0;
        int erros = 0;
        int acertos = 0;
        qint64 segundos = 0;
    };
    Figuras FigurasAtuais() const;

signals:
    // One key the engine checked against the passage: the character expected there (a line end is
    // one character, '\n'; nothing past the end of the passage), the one typed ('\n' for Enter) and
    // whether they agree. Every wrong one is one error of the errors label.
    void TeclaConferida(QChar esperado, QChar digitado, bool certo);
    void SessaoIniciada();
    // A running session finished (Enter on the last line, the finish button or its shortcut).
    void SessaoFinalizada(const ResultadoSessao &resultado);
    // The session runs or no longer does (the commands' buttons follow it).
    void EmDigitacaoMudou(bool emDigitacao);
    // FigurasAtuais changed: a key, a clock tick of a running session, a start, a finish or a clear.
    void FigurasMudaram();

    // What the passage shows.
    void ColorirPassagem(int posicao, Cor cor);
    void ColorirPassagemToda(Cor cor);

    // The texts of the counters and clock labels.
    void InicioMudou(const QString &texto);
    void FimMudou(const QString &texto);
    void TempoTotalMudou(const QString &texto);
    void ErrosMudou(const QString &texto);
    void ToquesMudou(const QString &texto);
    void LimiteMudou(const QString &texto);
    // The errors label's background: bright red for a refused key until the next tick.
    void FundoErrosMudou(Cor fundo);
    void CapsMudou(const Sessao::AparenciaCaps &aparencia);

private:
    void AtualizarDica();

    // CaixaDigitacao::Receptor
    bool TxtDigita_KeyDown(int codigoTecla) override;
    bool TxtDigita_KeyPress(int k, int caret) override;
    void TxtDigita_Change() override;
    void TxtDigita_GotFocus() override;
    void TxtDigita_LostFocus() override;

    void ZerarSessao();
    void EncerrarSessao();
    void Conferir(int posicao, QChar digitado, bool certo);
    void Tique();
    QWidget *Janela() const;

    Digita &digita_;
    Plataforma &plataforma_;
    MotorDigitacao motor_;
    Sessao::IndicadorCaps caps_;
    CaixaDigitacao *caixa_ = nullptr;
    QTimer *timer1_ = nullptr;

    QString passagem_;
    bool emDigitacao_ = false;
    bool exercicioCarregado_ = false;
    bool exercicioConcluido_ = false;
    bool focoDigita_ = false;
    bool avisandoFoco_ = false;
    int segundosTotal_ = 0;
    // The start as the clock label shows it; none before the first start and after a load.
    std::optional<QTime> inicio_;
    QDateTime inicioData_;

    // The session's own figures, beside the engine's counters.
    int toquesMostrados_ = 0;
    int acertos_ = 0;
    QMap<QChar, int> errosPorTecla_;
    // Wrong letters in their own colour (read at each start); the passage position the last key
    // coloured, which its check may recolour.
    MarcaErros marcaErros_;
    int posicaoColorida_ = -1;
};
