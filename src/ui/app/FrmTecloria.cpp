#include "app/FrmTecloria.h"

#include "access/ArquivoDatilux.h"
#include "app/Acessibilidade.h"
#include "app/CaixaDigitacao.h"
#include "app/PainelResultado.h"
#include "app/TextoPassagem.h"
#include "app/Traco.h"
#include "common/CorQt.h"
#include "common/Digita.h"
#include "common/Formatos.h"
#include "common/Mensagem.h"
#include "common/Plataforma.h"
#include "config/ArquivoConfig.h"
#include "controls/FlatButton/FlatButton.h"
#include "controls/Gradiente/Gradiente.h"
#include "exercises/Biblioteca.h"
#include "exercises/Progressao.h"
#include "relatorio/RelatorioTurma.h"
#include "resultados/BancoResultados.h"
#include "resultados/FilaResultados.h"
#include "resultados/GravadorResultados.h"
#include "resultados/ModuloResultados.h"
#include "shared/Arte.h"
#include "shared/Logotipo.h"
#include "shared/PintarFundo.h"
#include "teclado/TecladoNaTela.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QMenuBar>
#include <QScreen>
#include <QShortcut>
#include <QSysInfo>
#include <QThread>
#include <QTimer>

#include <utility>

namespace {

// Colours of the counters and clock labels.
constexpr Cor kFundoValor = RGB(104, 150, 213);
constexpr Cor kBranco = RGB(255, 255, 255);

// Screens of this width or less get the compact layout.
constexpr int kLarguraCompacta = 640;

// The design layout, in the window's inner pixel coordinates (below the menu bar).
constexpr QSize kTamanhoProjeto(792, 526);
// The menu bar's height with the desktop's usual font, for the bare window's first size; the window
// takes the measured height once its menu bar is built.
constexpr int kAlturaMenuProvavel = 19;
constexpr QRect kTxtTexto(6, 60, 780, 232);
constexpr QRect kTxtDigita(6, 330, 780, 190);
constexpr int kTopoBotoes = 298;
constexpr QSize kBotao(118, 26);
constexpr int kPassoBotoes = 158;
constexpr int kEsquerdaBotoes = 21;
constexpr QRect kLogo(662, 4, 124, 52);

// The compact layout: outer window 9600 × 7995 twips; controls in inner pixels.
constexpr QSize kJanelaCompacta(640, 533);
constexpr QRect kTxtTextoCompacto(0, 58, 633, 181);
constexpr QRect kTxtDigitaCompacto(0, 272, 633, 218);
constexpr int kTopoBotoesCompacto = 245;
constexpr int kEsquerdaBotoesCompacto = 16;
constexpr int kPassoBotoesCompacto = 120;

} // namespace

FrmTecloria::FrmTecloria(Digita &digita, Plataforma &plataforma, Montagem montagem, QWidget *pai)
    : QMainWindow(pai)
    , digita_(digita)
    , plataforma_(plataforma)
{
    setObjectName(QStringLiteral("FrmTecloria"));
    setWindowTitle(kTitulo);
    Acessibilidade::Instalar();
    setWindowIcon(Logotipo::Icone());
    controle_ = new ControleDigitacao(digita_, plataforma_, this);
    CriarGravador();
    CriarCentro();
    if (montagem == Montagem::Inteira)
        Montar();
    else // the menu bar's usual height, to be measured once there is one
        resize(Caber(kTamanhoProjeto + QSize(0, kAlturaMenuProvavel)));
}

void FrmTecloria::Montar()
{
    if (montada_)
        return;
    montada_ = true;
    CriarControles();
    CriarMenus();
    CriarFiguras();
    // Made in a window already on the screen, a control stays hidden until it is shown: every one the
    // building did not hide on purpose is shown, as the window's own show would have done.
    if (centro_->isVisible()) {
        for (QWidget *w : centro_->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            if (!w->testAttribute(Qt::WA_WState_ExplicitShowHide))
                w->show();
    }
    PosicionarControles();
    LigarControle();
    // Whatever an earlier run left in this computer's spool goes now, off the window's thread (and,
    // at the start, once the login is on the screen).
    gravador_->Descarregar();
    Traco::Marcar("montada");
}

// The controls are built as soon as WINDOW (the login) has painted its first frame: it is on the
// screen and takes keys while the main window fills in behind it.
void FrmTecloria::MontarDepoisDe(QWidget &janela)
{
    class AposPintar : public QObject {
    public:
        AposPintar(QWidget &alvo, FrmTecloria &janela)
            : QObject(&alvo)
            , janela_(janela)
        {
            alvo.installEventFilter(this);
        }
        bool eventFilter(QObject *, QEvent *evento) override
        {
            if (evento->type() == QEvent::Paint && !feito_) {
                feito_ = true;
                QTimer::singleShot(0, &janela_, &FrmTecloria::Montar);
            }
            return false;
        }

    private:
        FrmTecloria &janela_;
        bool feito_ = false;
    };
    new AposPintar(janela, *this);
}

FrmTecloria::~FrmTecloria()
{
    for (QThread *consulta : std::as_const(consultas_)) {
        consulta->wait();
        delete consulta;
    }
}

void FrmTecloria::CriarGravador()
{
    QString erro;
    // Settings that cannot be read keep the results beside the data files; the settings file's own
    // trouble is reported where the program needs it (the login, the administrator password).
    ConfigBanco::Ler(digita_, configBanco_, erro);
    gravador_ =
        new GravadorResultados(ModuloResultados::Fabrica(configBanco_),
                               digita_.Caminho(FilaResultados::NomeArquivo(QSysInfo::machineHostName())), this);
    // Only students have a history: the administrator's sessions (none can start today) stay out.
    connect(controle_, &ControleDigitacao::SessaoFinalizada, this, [this](const ResultadoSessao &r) {
        desfecho_ = !r.concluido                                ? Progressao::Desfecho::Incompleto
                    : r.veredito == QStringLiteral("reprovado") ? Progressao::Desfecho::Reprovado
                                                                : Progressao::Desfecho::Completo;
        MostrarResultado(r);
        if (!digita_.EhAdministrador()) {
            gravador_->Gravar(r);
            ConsultarMelhor(r);
        }
    });
    connect(gravador_, &GravadorResultados::Falha, this, &FrmTecloria::AvisarFalhaResultados);
}

void FrmTecloria::MostrarResultado(const ResultadoSessao &r)
{
    const QString limite =
        r.classe == 6 ? Biblioteca::TempoClasse6(r.exercicio - 1).value_or(QString()) : QString();
    painel_->Mostrar(r, limite);
}

// The student's best speed on this exercise before this session, read on a thread of its own with
// a connection of its own: a slow or absent database leaves the panel saying so, never the window
// waiting.
void FrmTecloria::ConsultarMelhor(const ResultadoSessao &r)
{
    struct Resposta {
        bool disponivel = false;
        std::optional<double> melhor;
    };
    auto resposta = std::make_shared<Resposta>();
    QThread *consulta = QThread::create([fabrica = ModuloResultados::Fabrica(configBanco_), r, resposta] {
        const std::unique_ptr<ArmazemResultados> armazem = fabrica();
        QList<ResultadoSessao> sessoes;
        QString erro;
        if (!armazem->Abrir(erro) || !armazem->SessoesDoAluno(r.codigo, sessoes, erro))
            return;
        resposta->disponivel = true;
        for (const ResultadoSessao &s : std::as_const(sessoes)) {
            const std::optional<double> ppm = s.ppm();
            if (s.classe == r.classe && s.exercicio == r.exercicio && s.chave != r.chave && ppm
                && (!resposta->melhor || *ppm > *resposta->melhor))
                resposta->melhor = ppm;
        }
    });
    consultas_.append(consulta);
    connect(consulta, &QThread::finished, this, [this, consulta, resposta, chave = r.chave] {
        consultas_.removeOne(consulta);
        consulta->deleteLater();
        painel_->DefinirMelhor(chave, resposta->disponivel, resposta->melhor);
    });
    consulta->start(QThread::LowPriority);
}

void FrmTecloria::AvisarFalhaResultados(const QString &mensagem)
{
    avisoPendente_ = mensagem;
    MostrarAvisoPendente();
}

void FrmTecloria::MostrarAvisoPendente()
{
    if (avisoPendente_.isEmpty() || encerrado_)
        return;
    // A message box in the middle of a session would take the student's keys, and one over another
    // box (a finish's verdict) would hide it: the notice waits until neither is the case.
    if (controle_->EmDigitacao() || QApplication::activeModalWidget()) {
        QTimer::singleShot(250, this, &FrmTecloria::MostrarAvisoPendente);
        return;
    }
    const QString mensagem = std::exchange(avisoPendente_, QString());
    Mensagem::Exclamacao(this, mensagem);
}

// The window's background: what the bare window shows before its controls are there.
void FrmTecloria::CriarCentro()
{
    centro_ = new QWidget(this);
    centro_->setObjectName(QStringLiteral("Centro"));
    centro_->installEventFilter(this);
    setCentralWidget(centro_);

    grd_ = new Gradiente(centro_);
    grd_->setObjectName(QStringLiteral("Grd"));
    grd_->DefinirCorInicial(Gradiente::kCorInicialJanelas);
}

void FrmTecloria::CriarControles()
{
    QFont fonteTexto(QStringLiteral("Courier New"), 12, QFont::Bold);
    fonteTexto.setStyleHint(QFont::TypeWriter);

    txtTexto_ = new TextoPassagem(centro_);
    txtTexto_->setObjectName(QStringLiteral("TxtTexto"));
    txtTexto_->setAccessibleName(QStringLiteral("Texto do exercício"));
    txtTexto_->setFont(fonteTexto);
    txtTexto_->installEventFilter(this);

    txtDigita_ = new CaixaDigitacao(*controle_, plataforma_, centro_);
    controle_->DefinirCaixa(txtDigita_);
    txtDigita_->setObjectName(QStringLiteral("TxtDigita"));
    txtDigita_->setAccessibleName(QStringLiteral("Digitação"));
    txtDigita_->setAccessibleDescription(QStringLiteral("Digite aqui o texto do exercício"));
    txtDigita_->setFont(fonteTexto);
    txtDigita_->setEnabled(false);
    txtDigita_->installEventFilter(this);

    // Over the input box, which has nothing more to take once a session is over.
    painel_ = new PainelResultado(centro_);

    picOrvenal_ = new QLabel(centro_);
    picOrvenal_->setObjectName(QStringLiteral("PicOrvenal"));
    picOrvenal_->setPixmap(Logotipo::Marca(kLogo.size()));
    picOrvenal_->setToolTip(kSiteFabricante);
    picOrvenal_->setCursor(Qt::PointingHandCursor);
    picOrvenal_->installEventFilter(this);

    // Caption label + value label with its tool tip, in two rows at the top. The rows are laid out
    // from the captions' measured widths so that no caption is cut, and they fit in the compact
    // window (633 pixels) as well: the student's name takes what is left of the first row.
    struct Par {
        const char *legenda;
        QLabel **valor;
        const char *nome;
        const char *dica;
        int linha;
        int largValor; // 0: the rest of the row
    };
    const Par pares[] = {
        {"Aluno:", &lblAluno_, "LblAluno", "Nome do aluno", 0, 0},
        {"Classe:", &lblClasse_, "LblClasse", "Classe do exercício atual", 0, 34},
        {"Exercício nº", &lblExercicio_, "LblExercicio", "Número do exercício atual", 0, 42},
        {"Tempo máximo:", &lblTempo_, "LblTempo", "Limite de tempo para digitar um exercício", 0, 62},
        {"Início:", &lblTempoInicial_, "LblTempoInicial", "Horário inicial da digitação do exercício", 1, 60},
        {"Fim:", &lblTempoFinal_, "LblTempoFinal", "Horário do término da digitação do exercício", 1, 60},
        {"Tempo Total:", &lblTempoTotal_, "LblTempoTotal", "Tempo transcorrido para a digitação do exercício", 1,
         60},
        {"Erros:", &lblErros_, "LblErros", "Quantidade de erros durante a digitação do exercício", 1, 42},
        {"Qtd Toques:", &lblToques_, "LblToques", "Quantidade de toques durante a digitação do exercício", 1, 48},
    };
    const QFont fonteLegenda = Arte::FonteBotao();
    QFont fonteValor = fonteLegenda;
    fonteValor.setBold(true);
    const QFontMetrics medida(fonteLegenda);
    constexpr int kMargem = 6;
    constexpr int kFimLinha = 627;
    constexpr int kEntreLegendaEValor = 3;
    constexpr int kEntrePares = 9;
    constexpr int kLarguraCaps = 36;
    constexpr int kTopoLinha[] = {8, 33};
    constexpr int kAlturaRotulo = 19;

    // What the first row needs besides the student's name.
    int ocupado = kMargem;
    for (const Par &p : pares) {
        if (p.linha == 0)
            ocupado += medida.horizontalAdvance(QString::fromUtf8(p.legenda)) + kEntreLegendaEValor + p.largValor
                       + kEntrePares;
    }
    const int largAluno = qMax(120, kFimLinha - ocupado + kEntrePares);

    int x[2] = {kMargem, kMargem};
    for (const Par &p : pares) {
        const QString texto = QString::fromUtf8(p.legenda);
        const int largLegenda = medida.horizontalAdvance(texto);
        const int largValor = p.largValor ? p.largValor : largAluno;
        int &xi = x[p.linha];
        auto *legenda = new QLabel(texto, centro_);
        legenda->setFont(fonteLegenda);
        legenda->setGeometry(xi, kTopoLinha[p.linha], largLegenda, kAlturaRotulo);
        xi += largLegenda + kEntreLegendaEValor;
        auto *valor = new QLabel(centro_);
        valor->setObjectName(QString::fromLatin1(p.nome));
        valor->setToolTip(QString::fromUtf8(p.dica));
        // A screen reader names the value by its caption, and reads the tip as its description.
        valor->setAccessibleName(texto.chopped(texto.endsWith(u':') ? 1 : 0));
        valor->setAccessibleDescription(valor->toolTip());
        legenda->setBuddy(valor);
        valor->setGeometry(xi, kTopoLinha[p.linha], largValor, kAlturaRotulo);
        valor->setAutoFillBackground(true);
        valor->setFont(fonteValor);
        valor->setAlignment(p.largValor ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
        PintarFundo(valor, CorQt(kFundoValor), CorQt(kBranco));
        *p.valor = valor;
        xi += largValor + kEntrePares;
    }
    PintarFundo(lblErros_, CorQt(Sessao::kFundoErros), CorQt(kBranco));

    lblCaps_ = new QLabel(QStringLiteral("Caps"), centro_);
    lblCaps_->setObjectName(QStringLiteral("LblCaps"));
    lblCaps_->setAccessibleName(QStringLiteral("Indicador de CAPS LOCK"));
    lblCaps_->setFont(fonteLegenda);
    lblCaps_->setGeometry(qMax(x[1], kFimLinha - kLarguraCaps), kTopoLinha[1], kLarguraCaps, kAlturaRotulo);
    lblCaps_->setAlignment(Qt::AlignCenter);
    lblCaps_->setAutoFillBackground(true);
    lblCaps_->setFrameShape(QFrame::Panel);
    lblCaps_->setFrameShadow(QFrame::Sunken);

    // Only the exit carries an icon: the command captions stand alone.
    struct Botao {
        FlatButton **botao;
        const char *nome;
        const char *legenda;
        const char *dica;
        Arte::Icone icone;
    };
    const Botao botoes[] = {
        {&btnComecar_, "BtnComecar", "Começar (Ctrl+C)", "Começar a digitação do exercício", Arte::Icone::Nenhum},
        {&btnFinalizar_, "BtnFinalizar", "Finalizar (Ctrl+F)", "Finalizar a digitação do exercício",
         Arte::Icone::Nenhum},
        {&btnProximo_, "BtnProximo", "Próximo exercício", "Carregar próximo exercício", Arte::Icone::Nenhum},
        {&btnCarrega_, "BtnCarrega", "Carregar exercício", "Carregar um exercício definido pelo usuário",
         Arte::Icone::Nenhum},
        {&btnSair_, "BtnSair", " Sair", "Sair do programa", Arte::Icone::Sair},
    };
    for (const Botao &b : botoes) {
        auto *botao = new FlatButton(centro_);
        botao->setObjectName(QString::fromLatin1(b.nome));
        botao->setToolTip(QString::fromUtf8(b.dica));
        PrepararBotao(botao, QString::fromUtf8(b.legenda), b.icone, kBotao);
        *b.botao = botao;
    }
    connect(btnComecar_, &FlatButton::Click, this, &FrmTecloria::IniciarDigitacao);
    connect(btnFinalizar_, &FlatButton::Click, this, &FrmTecloria::FinalizarDigitacao);
    connect(btnProximo_, &FlatButton::Click, this, &FrmTecloria::ProximoExercicio);
    connect(btnCarrega_, &FlatButton::Click, this, &FrmTecloria::MenuCarregar_Click);
    connect(btnSair_, &FlatButton::Click, this, &QWidget::close);

    teclado_ = new TecladoNaTela(centro_);
    teclado_->hide();
}

void FrmTecloria::CriarMenus()
{
    auto item = [this](QMenu *menu, const char *nome, const char *legenda, const QKeySequence &atalho = {}) {
        QAction *a = menu->addAction(QString::fromUtf8(legenda));
        a->setObjectName(QString::fromLatin1(nome));
        if (!atalho.isEmpty())
            a->setShortcut(atalho);
        return a;
    };
    QMenuBar *barra = menuBar();

    QMenu *arquivo = barra->addMenu(QStringLiteral("Arquivo"));
    arquivo->setObjectName(QStringLiteral("MenuArquivo"));
    connect(item(arquivo, "MenuConfig", "Configurações"), &QAction::triggered, this,
            &FrmTecloria::MenuConfig_Click);
    connect(item(arquivo, "MenuCadAlunos", "Cadastro de Alunos"), &QAction::triggered, this,
            &FrmTecloria::MenuCadAlunos_Click);
    connect(item(arquivo, "MenuMudaAdm", "Mudar senha de administrador"), &QAction::triggered, this,
            &FrmTecloria::MenuMudaAdm_Click);
    QAction *banco = arquivo->addAction(BancoResultados::kTitulo);
    banco->setObjectName(QStringLiteral("MenuBancoResultados"));
    connect(banco, &QAction::triggered, this, &FrmTecloria::MenuBancoResultados_Click);
    QAction *relatorio = arquivo->addAction(RelatorioTurma::kTitulo);
    relatorio->setObjectName(QStringLiteral("MenuRelatorio"));
    connect(relatorio, &QAction::triggered, this, &FrmTecloria::MenuRelatorio_Click);
    connect(item(arquivo, "MenuMudaSenha", "Mudar senha de aluno", QKeySequence(Qt::CTRL | Qt::Key_M)),
            &QAction::triggered, this, [this] {
                EntrarUsuario();
                Form_Activate();
            });
    connect(item(arquivo, "MenuDesempenho", "Meu desempenho"), &QAction::triggered, this,
            &FrmTecloria::MenuDesempenho_Click);
    connect(item(arquivo, "MenuAlteraSenha", "Alterar minha senha"), &QAction::triggered, this,
            &FrmTecloria::MenuAlteraSenha_Click);
    arquivo->addSeparator();
    connect(item(arquivo, "MenuSair", "Sair"), &QAction::triggered, this, &QWidget::close);

    QMenu *digitacao = barra->addMenu(QStringLiteral("Digitação"));
    digitacao->setObjectName(QStringLiteral("MenuDigitacao"));
    connect(item(digitacao, "MenuIniciaDigita", "Começar digitação", QKeySequence(Qt::CTRL | Qt::Key_C)),
            &QAction::triggered, this, &FrmTecloria::IniciarDigitacao);
    connect(item(digitacao, "MenuFimDigita", "Finalizar digitação", QKeySequence(Qt::CTRL | Qt::Key_F)),
            &QAction::triggered, this, &FrmTecloria::FinalizarDigitacao);
    menuTeclado_ = item(digitacao, "MenuTeclado", "Teclado na tela");
    menuTeclado_->setCheckable(true);
    connect(menuTeclado_, &QAction::toggled, this, &FrmTecloria::PosicionarControles);

    QMenu *exercicios = barra->addMenu(QStringLiteral("Exercícios"));
    exercicios->setObjectName(QStringLiteral("MenuExercicios"));
    connect(item(exercicios, "MenuCarregar", "Carregar Exercício", QKeySequence(Qt::CTRL | Qt::Key_E)),
            &QAction::triggered, this, &FrmTecloria::MenuCarregar_Click);
    connect(item(exercicios, "MenuProximo", "Próximo Exercício", QKeySequence(Qt::CTRL | Qt::Key_P)),
            &QAction::triggered, this, &FrmTecloria::ProximoExercicio);

    QMenu *ajuda = barra->addMenu(QStringLiteral("Ajuda"));
    ajuda->setObjectName(QStringLiteral("MenuAjuda"));
    connect(item(ajuda, "MenuTopicos", "Tópicos da ajuda"), &QAction::triggered, this,
            &FrmTecloria::MenuTopicos_Click);
    connect(item(ajuda, "MenuSobre", "Sobre"), &QAction::triggered, this, &FrmTecloria::MenuSobre_Click);

    // The menus without the mouse: F10 opens the first one, Alt and a menu's initial opens that menu
    // (the captions stay as they are written: no accelerator marks).
    const std::pair<QKeySequence, QMenu *> aberturas[] = {
        {QKeySequence(Qt::Key_F10), arquivo},           {QKeySequence(Qt::ALT | Qt::Key_A), arquivo},
        {QKeySequence(Qt::ALT | Qt::Key_D), digitacao}, {QKeySequence(Qt::ALT | Qt::Key_E), exercicios},
        {QKeySequence(Qt::ALT | Qt::Key_J), ajuda},
    };
    for (const auto &[atalho, menu] : aberturas) {
        auto *abrir = new QShortcut(atalho, this);
        connect(abrir, &QShortcut::activated, this, [barra, m = menu] {
            barra->setActiveAction(m->menuAction());
            // Opened from the keyboard, the menu starts on its first item: Enter chooses it at once.
            if (m->isVisible() && !m->actions().isEmpty())
                m->setActiveAction(m->actions().first());
        });
    }
}

// Speed and accuracy sit at the right end of the menu bar, which is empty there in both layouts:
// every row below is taken by what the window always showed, and nothing of it moves. The labels
// are no taller than the menu bar, so that it keeps its height.
void FrmTecloria::CriarFiguras()
{
    const QFont fonteLegenda = Arte::FonteBotao();
    QFont fonteValor = fonteLegenda;
    fonteValor.setBold(true);
    constexpr int kAlturaRotulo = 19;
    constexpr int kLargValor = 54;

    auto *figuras = new QWidget(menuBar());
    figuras->setObjectName(QStringLiteral("Figuras"));
    auto *linha = new QHBoxLayout(figuras);
    linha->setContentsMargins(0, 0, 6, 0);
    linha->setSpacing(3);
    struct Par {
        const char *legenda;
        QLabel **valor;
        const char *nome;
        const char *dica;
    };
    const Par pares[] = {
        {"Velocidade:", &lblVelocidade_, "LblVelocidade", "Toques por minuto na digitação do exercício"},
        {"Precisão:", &lblPrecisao_, "LblPrecisao", "Porcentagem de toques certos na digitação do exercício"},
    };
    for (const Par &p : pares) {
        if (p.valor != &lblVelocidade_)
            linha->addSpacing(6);
        auto *legenda = new QLabel(QString::fromUtf8(p.legenda), figuras);
        legenda->setFont(fonteLegenda);
        linha->addWidget(legenda);
        auto *valor = new QLabel(figuras);
        valor->setObjectName(QString::fromLatin1(p.nome));
        valor->setToolTip(QString::fromUtf8(p.dica));
        valor->setAccessibleName(legenda->text().chopped(1));
        valor->setAccessibleDescription(valor->toolTip());
        valor->setFixedSize(kLargValor, kAlturaRotulo);
        valor->setAutoFillBackground(true);
        valor->setFont(fonteValor);
        valor->setAlignment(Qt::AlignCenter);
        // In the menu bar a palette does not hold (the bar hands its own to what it holds): the
        // colours of the other value labels are given as a style.
        valor->setStyleSheet(QStringLiteral("QLabel { background: rgb(%1, %2, %3); color: white; }")
                                 .arg(Vermelho(kFundoValor))
                                 .arg(Verde(kFundoValor))
                                 .arg(Azul(kFundoValor)));
        linha->addWidget(valor);
        *p.valor = valor;
    }
    menuBar()->setCornerWidget(figuras, Qt::TopRightCorner);
    // The figures follow the keys a moment after them, a few times a second at most: repainting them
    // inside a key's handling would make the key wait for the menu bar, and repainting them right
    // after it keeps the X server busy with the menu bar while the key's own cells are on their way
    // to the screen.
    atualizarFiguras_ = new QTimer(this);
    atualizarFiguras_->setSingleShot(true);
    atualizarFiguras_->setInterval(kAtrasoFiguras);
    connect(atualizarFiguras_, &QTimer::timeout, this, &FrmTecloria::MostrarFiguras);
    connect(controle_, &ControleDigitacao::FigurasMudaram, this, [this] {
        if (!atualizarFiguras_->isActive())
            atualizarFiguras_->start();
    });
}

QString FrmTecloria::TextoVelocidade(std::optional<double> ppm)
{
    return ppm ? NumeroTexto(qRound(*ppm)) : QString();
}

QString FrmTecloria::TextoPrecisao(std::optional<double> precisao)
{
    if (!precisao)
        return QString();
    return QLocale(QLocale::Portuguese, QLocale::Brazil).toString(*precisao, 'f', 1) + u'%';
}

void FrmTecloria::MostrarFiguras()
{
    const ControleDigitacao::Figuras f = controle_->FigurasAtuais();
    // QLabel repaints only when its text changes: most ticks cost nothing.
    lblVelocidade_->setText(TextoVelocidade(ResultadoSessao::Ppm(f.toques, f.segundos)));
    lblPrecisao_->setText(TextoPrecisao(ResultadoSessao::Precisao(f.acertos, f.erros)));
}

void FrmTecloria::PosicionarControles()
{
    // Everything is placed at the layout's own size first; the scale is applied after.
    AplicarEscala(1.0);
    const bool c = compacto_;
    txtTexto_->setGeometry(c ? kTxtTextoCompacto : kTxtTexto);
    txtDigita_->setGeometry(c ? kTxtDigitaCompacto : kTxtDigita);
    painel_->setGeometry(txtDigita_->geometry());
    const int topo = c ? kTopoBotoesCompacto : kTopoBotoes;
    const int esquerda = c ? kEsquerdaBotoesCompacto : kEsquerdaBotoes;
    const int passo = c ? kPassoBotoesCompacto : kPassoBotoes;
    int i = 0;
    for (FlatButton *b : {btnComecar_, btnFinalizar_, btnProximo_, btnCarrega_, btnSair_})
        b->move(esquerda + passo * i++, topo);
    picOrvenal_->setGeometry(kLogo);
    grd_->move(0, 0);
    grd_->lower();
    // The keyboard goes below the input box and the window grows to hold it; the compact layout,
    // for screens too small for both, has none.
    const bool teclado = !c && menuTeclado_ && menuTeclado_->isChecked();
    int altura = kTamanhoProjeto.height();
    if (teclado) {
        const QRect caixa = txtDigita_->geometry();
        teclado_->setGeometry(caixa.x(), caixa.bottom() + 6, caixa.width(),
                              TecladoNaTela::AlturaPara(caixa.width()));
        altura = teclado_->geometry().bottom() + 6;
    }
    teclado_->setVisible(teclado);
    // The compact layout's size is the window's outer size less the decorations and the menu bar.
    const QSize moldura = frameGeometry().size() - geometry().size();
    GuardarProjeto(c ? kJanelaCompacta - moldura - QSize(0, menuBar()->sizeHint().height())
                     : QSize(kTamanhoProjeto.width(), altura));
    if (!c)
        resize(Caber(QSize(kTamanhoProjeto.width(), altura + menuBar()->sizeHint().height())));
    AjustarEscala();
}

void FrmTecloria::AplicarLayoutCompacto()
{
    compacto_ = true;
    PosicionarControles();
    // The outer size is given; the decorations the window manager adds come off it.
    const QSize moldura = frameGeometry().size() - geometry().size();
    resize(Caber(kJanelaCompacta - moldura));
    AjustarEscala();
}

// ---- a window that fits ------------------------------------------------------------------------
//
// Each layout is drawn for one size. In a larger window (maximised, or resized by hand) and on a
// screen with less room than that size, the whole layout scales uniformly, centred across: every
// control's place and size, and the captions' fonts; the passage and the input box keep the
// configured font and just grow.

void FrmTecloria::GuardarProjeto(QSize tamanho)
{
    projeto_.clear();
    for (QObject *o : centro_->children()) {
        auto *w = qobject_cast<QWidget *>(o);
        if (!w || w == grd_ || w->isWindow())
            continue;
        auto *b = qobject_cast<FlatButton *>(w);
        projeto_.insert(w, {w->geometry(), b ? b->Font() : w->font()});
    }
    tamanhoProjeto_ = tamanho;
}

void FrmTecloria::AplicarEscala(double escala)
{
    if (projeto_.isEmpty() || (escala == escala_ && escala == 1.0))
        return;
    escala_ = escala;
    const int esquerda =
        escala == 1.0 ? 0 : std::max(0, int((centro_->width() - tamanhoProjeto_.width() * escala) / 2));
    const auto medir = [escala](int v) { return int(std::lround(v * escala)); };
    for (auto it = projeto_.cbegin(); it != projeto_.cend(); ++it) {
        QWidget *w = it.key();
        const QRect &r = it->geometria;
        w->setGeometry(esquerda + medir(r.x()), medir(r.y()), medir(r.width()), medir(r.height()));
        if (w == txtTexto_ || w == txtDigita_ || w == teclado_)
            continue;
        QFont f = it->fonte;
        if (f.pointSizeF() > 0)
            f.setPointSizeF(std::max(5.0, f.pointSizeF() * escala));
        else if (f.pixelSize() > 0)
            f.setPixelSize(std::max(6, medir(f.pixelSize())));
        if (auto *b = qobject_cast<FlatButton *>(w)) {
            // The button's faces are pictures of its size: drawn again at the new one.
            const QSize tamanho = w->size();
            b->DefinirFont(f);
            b->DefinirDownPicture(Arte::DesenharFace(Arte::Face::Down, tamanho));
            b->DefinirHighPicture(Arte::DesenharFace(Arte::Face::High, tamanho));
            b->DefinirEnFalsePic(Arte::DesenharFace(Arte::Face::Desabilitada, tamanho));
            b->DefinirUpPicture(Arte::DesenharFace(Arte::Face::Up, tamanho));
        } else {
            w->setFont(f);
        }
    }
}

void FrmTecloria::AjustarEscala()
{
    if (tamanhoProjeto_.isEmpty())
        return;
    const double escala = std::min(double(centro_->width()) / tamanhoProjeto_.width(),
                                   double(centro_->height()) / tamanhoProjeto_.height());
    // At its own size (to a pixel or two of rounding) the layout is exactly as drawn.
    AplicarEscala(std::abs(escala - 1.0) < 0.01 ? 1.0 : escala);
}

QSize FrmTecloria::Caber(QSize desejado) const
{
    const QRect area = areaTela_ ? *areaTela_ : (screen() ? screen()->availableGeometry() : QRect());
    if (area.isEmpty())
        return desejado;
    const QSize moldura = isVisible() ? frameGeometry().size() - geometry().size() : QSize();
    const QSize cabe = area.size() - moldura;
    const double escala =
        std::min({1.0, double(cabe.width()) / desejado.width(), double(cabe.height()) / desejado.height()});
    return escala >= 1.0 ? desejado : QSize(int(desejado.width() * escala), int(desejado.height() * escala));
}

bool FrmTecloria::event(QEvent *evento)
{
    if (evento->type() == QEvent::WindowActivate && !encerrado_)
        QTimer::singleShot(0, this, &FrmTecloria::Form_Activate);
    return QMainWindow::event(evento);
}

void FrmTecloria::showEvent(QShowEvent *evento)
{
    QMainWindow::showEvent(evento);
    // Some window managers never activate a new window: the first activation must not wait for it.
    if (!ativado_)
        QTimer::singleShot(0, this, [this] {
            if (!ativado_)
                Form_Activate();
        });
}

void FrmTecloria::Form_Activate()
{
    if (encerrado_)
        return;
    if (!ativado_) {
        Traco::Marcar("ativar");
        ativado_ = true;
        QString erro;
        if (!ArquivoDatilux::CarregarSenhaAdm(digita_, erro))
            MostrarFalha(erro);
        EntrarUsuario();
        const int largura =
            larguraTela_ ? *larguraTela_ : (screen() ? screen()->geometry().width() : kTamanhoProjeto.width());
        if (largura <= kLarguraCompacta)
            AplicarLayoutCompacto();
        else
            PosicionarControles(); // on the screen as it is now: scaled down if it has less room
    }
    if (digita_.RespostaDialogo[0] == Digita::kCancelar) {
        close();
        return;
    }
    // An activation while the login is still open comes before the controls may exist.
    if (montada_)
        lblAluno_->setText(u' ' + digita_.NomeUsuario);
}

void FrmTecloria::closeEvent(QCloseEvent *evento)
{
    evento->accept();
    if (!encerrado_) {
        encerrado_ = true;
        controle_->Parar();
        emit Encerrado();
    }
}

// Typing before the start types nothing; the box's line on how to start flashes.
void FrmTecloria::TeclaAntesDoInicio(const QKeyEvent *evento)
{
    if (!evento->text().isEmpty() && !evento->modifiers().testAnyFlags(Qt::ControlModifier | Qt::AltModifier)
        && controle_->ExercicioCarregado() && !controle_->EmDigitacao())
        txtDigita_->PiscarDica();
}

void FrmTecloria::keyPressEvent(QKeyEvent *evento)
{
    TeclaAntesDoInicio(evento);
    QMainWindow::keyPressEvent(evento);
}

bool FrmTecloria::eventFilter(QObject *alvo, QEvent *evento)
{
    if (alvo == centro_ && evento->type() == QEvent::Resize)
        AjustarEscala();
    if (evento->type() == QEvent::KeyPress && alvo == txtTexto_)
        TeclaAntesDoInicio(static_cast<QKeyEvent *>(evento));
    // The window's shortcuts win over the text boxes' own copy and paste keys.
    if (evento->type() == QEvent::ShortcutOverride && (alvo == txtDigita_ || alvo == txtTexto_)) {
        auto *tecla = static_cast<QKeyEvent *>(evento);
        if (tecla->modifiers() == Qt::ControlModifier) {
            switch (tecla->key()) {
            case Qt::Key_C:
            case Qt::Key_F:
            case Qt::Key_E:
            case Qt::Key_P:
            case Qt::Key_M: return true;
            default: break;
            }
        }
    }
    if (alvo == picOrvenal_ && evento->type() == QEvent::MouseButtonRelease) {
        plataforma_.AbrirEndereco(QUrl(kSiteFabricante));
        return true;
    }
    return QMainWindow::eventFilter(alvo, evento);
}

void FrmTecloria::MostrarFalha(const QString &erro)
{
    if (!erro.isEmpty())
        Mensagem::Critico(this, erro);
}
