#include "access/Alunos.h"

#include "common/ArquivoDados.h"
#include "common/Cp1252.h"
#include "common/Digita.h"
#include "common/EnterComoTab.h"
#include "common/Formatos.h"
#include "common/Mensagem.h"
#include "common/Twips.h"
#include "controls/BoxList/BoxList.h"
#include "controls/FlatButton/FlatButton.h"
#include "controls/SpCombo/SpCombo.h"
#include "resultados/ModuloResultados.h"
#include "shared/PadraoDialogo.h"

#include <QEvent>
#include <QLineEdit>
#include <QTimer>

#include <algorithm>
#include <limits>
#include <utility>

namespace {

constexpr int kMargem = 16;
constexpr int kAlturaCaixa = 24;
constexpr int kAlturaRotulo = 18;
// The grid's columns (in units of 120 twips) and the room its vertical scroll bar takes beside them.
constexpr int kLarguraColunas = (6 + 31 + 12 + 6 + 5) * 120;
constexpr int kFolgaBarra = 330;

// The first row of boxes, the second row, and the grid under them.
constexpr int kLinha1 = 12;
constexpr int kLinha2 = kLinha1 + kAlturaRotulo + kAlturaCaixa + 8;
constexpr int kTopoGrade = kLinha2 + kAlturaRotulo + kAlturaCaixa + 14;

// Upper case, letter by letter, as far as the file's code page goes: a letter whose capital the
// code page lacks ("µ", "ß") stays as typed, so upper-casing never turns a storable name into one
// that cannot be stored.
QString Maiusculas(const QString &texto)
{
    QString resultado;
    resultado.reserve(texto.size());
    for (QChar c : texto) {
        const QString maiuscula = QString(c).toUpper();
        const bool serve =
            maiuscula.size() == 1 && (Cp1252::paraByte(maiuscula.at(0)) >= 0 || Cp1252::paraByte(c) < 0);
        resultado += serve ? maiuscula : QString(c);
    }
    return resultado;
}

// The class and exercise fields are 16-bit numbers; a typed value beyond them is kept at the limit.
qint16 Campo16(const QString &texto)
{
    return qint16(std::clamp(ValorInteiro(texto), int(std::numeric_limits<qint16>::min()),
                             int(std::numeric_limits<qint16>::max())));
}

} // namespace

Alunos::Alunos(Digita &digita, QList<int> exercicios, QWidget *pai)
    : QDialog(pai)
    , digita_(digita)
    , exercicios_(std::move(exercicios))
    , alunoLogado_(digita.AlunoAtual)
{
    Form_Load();
}

Alunos::~Alunos()
{
    Encerrar();
}

void Alunos::Form_Load()
{
    const int larguraGrade = Twips::px(kLarguraColunas + kFolgaBarra);
    const int largura = larguraGrade + 2 * kMargem;
    PadraoDialogo::Preparar(this, kTitulo, QSize(largura, 400));

    // Code, name and password on the first row; class and exercise under the code.
    const int xNome = kMargem + 76;
    const int xSenha = largura - kMargem - 150;
    const int yCaixa1 = kLinha1 + kAlturaRotulo;
    const int yCaixa2 = kLinha2 + kAlturaRotulo;
    PadraoDialogo::Rotulo(this, QStringLiteral("Código"), QRect(kMargem, kLinha1, 64, kAlturaRotulo));
    PadraoDialogo::Rotulo(this, QStringLiteral("Nome"), QRect(xNome, kLinha1, 120, kAlturaRotulo));
    PadraoDialogo::Rotulo(this, QStringLiteral("Senha"), QRect(xSenha, kLinha1, 120, kAlturaRotulo));
    PadraoDialogo::Rotulo(this, QStringLiteral("Classe"), QRect(kMargem, kLinha2, 64, kAlturaRotulo));
    PadraoDialogo::Rotulo(this, QStringLiteral("Exercício"), QRect(xNome, kLinha2, 90, kAlturaRotulo));

    TxtCodigo = PadraoDialogo::Caixa(this, QStringLiteral("TxtCodigo"), QRect(kMargem, yCaixa1, 64, kAlturaCaixa),
                                     QStringLiteral("Código do aluno: o próximo código livre é proposto"));
    TxtCodigo->setMaxLength(4);
    TxtNome = PadraoDialogo::Caixa(this, QStringLiteral("TxtNome"),
                                   QRect(xNome, yCaixa1, xSenha - 12 - xNome, kAlturaCaixa),
                                   QStringLiteral("Nome do aluno"));
    TxtNome->setMaxLength(Aluno::kTamNome);
    TxtSenha = PadraoDialogo::Caixa(this, QStringLiteral("TxtSenha"), QRect(xSenha, yCaixa1, 150, kAlturaCaixa),
                                    QStringLiteral("Senha do aluno"), true);
    TxtSenha->setMaxLength(Aluno::kTamSenha);

    TxtClasse = new SpCombo(this);
    TxtClasse->setObjectName(QStringLiteral("TxtClasse"));
    TxtClasse->SetFont(font());
    TxtClasse->setGeometry(kMargem, yCaixa2, 64, kAlturaCaixa);
    TxtClasse->setToolTip(QStringLiteral("Classe atual do aluno (1 a 6)"));
    TxtExercicio = new SpCombo(this);
    TxtExercicio->setObjectName(QStringLiteral("TxtExercicio"));
    TxtExercicio->SetFont(font());
    TxtExercicio->setGeometry(xNome, yCaixa2, 76, kAlturaCaixa);
    TxtExercicio->setToolTip(QStringLiteral("Exercício atual do aluno dentro da classe"));

    // The buttons come before the grid in the tab order, so they are made first; their place under
    // the grid is known once the grid has its height.
    const QString dicas[] = {QStringLiteral("Gravar um aluno novo"),
                             QStringLiteral("Gravar as alterações do aluno"),
                             QStringLiteral("Excluir o aluno deste código"), QStringLiteral("Fechar o cadastro")};
    BtnIncluir = PadraoDialogo::Botao(this, QStringLiteral("BtnIncluir"), QStringLiteral(" Incluir"),
                                      Arte::Icone::Incluir, QPoint(), dicas[0]);
    BtnAlterar = PadraoDialogo::Botao(this, QStringLiteral("BtnAlterar"), QStringLiteral(" Alterar"),
                                      Arte::Icone::Alterar, QPoint(), dicas[1]);
    BtnExcluir = PadraoDialogo::Botao(this, QStringLiteral("BtnExcluir"), QStringLiteral(" Excluir"),
                                      Arte::Icone::Excluir, QPoint(), dicas[2]);
    BtnSair = PadraoDialogo::Botao(this, QStringLiteral("BtnSair"), QStringLiteral(" Sair"), Arte::Icone::Sair,
                                   QPoint(), dicas[3]);

    arquivo_.Abrir(digita_.Caminho(ArquivoAlunos::kNomeArquivo), erroAbrir_);

    // The grid: light blue cells on a light blue canvas, so that no grid lines show; the column
    // titles on top (the window grows to keep its 12 lines).
    GrdLst = new BoxList(this);
    GrdLst->setObjectName(QStringLiteral("GrdLst"));
    GrdLst->setGeometry(kMargem, kTopoGrade, larguraGrade, 100);
    GrdLst->Config(this, QStringLiteral("Tahoma"), 10, 12, RGB(104, 150, 213), RGB(104, 150, 213),
                   RGB(255, 255, 255), RGB(0, 0, 150), RGB(255, 255, 255));
    GrdLst->Title(QStringLiteral("Cód"), 6);
    GrdLst->Title(QStringLiteral("Nome"), 31);
    GrdLst->Title(QStringLiteral("Senha"), 12);
    GrdLst->Title(QStringLiteral("Classe"), 6, 2);
    GrdLst->Title(QStringLiteral("Exerc"), 5);
    GrdLst->Activate(true);

    const QSize botao = PadraoDialogo::kTamanhoBotao;
    const int yBotoes = GrdLst->y() + GrdLst->height() + 14;
    BtnIncluir->move(kMargem, yBotoes);
    BtnAlterar->move(kMargem + (botao.width() + 8), yBotoes);
    BtnExcluir->move(kMargem + 2 * (botao.width() + 8), yBotoes);
    BtnSair->move(largura - kMargem - botao.width(), yBotoes);
    setFixedSize(largura, yBotoes + botao.height() + kMargem);

    PreencherLista();
    for (int classe = 1; classe <= exercicios_.size(); ++classe)
        TxtClasse->AddItem(QString::number(classe));

    QWidget *ordem[] = {TxtCodigo,
                        TxtNome,
                        TxtSenha,
                        TxtClasse->findChild<QLineEdit *>(QStringLiteral("TxtAux")),
                        TxtExercicio->findChild<QLineEdit *>(QStringLiteral("TxtAux")),
                        BtnIncluir,
                        BtnAlterar,
                        BtnExcluir,
                        BtnSair};
    for (size_t i = 1; i < std::size(ordem); ++i)
        setTabOrder(ordem[i - 1], ordem[i]);

    EnterComoTab::Instalar(this);
    new AoFocar(TxtCodigo, [this] { TxtCodigo_GotFocus(); });
    new AoFocar(TxtNome, [this] { TxtNome_GotFocus(); });
    TxtNome->installEventFilter(this);
    // The exercise list follows the class even when the class was typed and left with Tab, which
    // confirms nothing.
    new AoFocar(ordem[4], [this] {
        if (ValorInteiro(TxtClasse->Text()) != classeDaLista_)
            TxtClasse_DblClick();
    });

    connect(TxtClasse, &SpCombo::DblClick, this, &Alunos::TxtClasse_DblClick);
    connect(GrdLst, &BoxList::Click, this, &Alunos::GrdLst_Escolher);
    connect(GrdLst, &BoxList::KeyUp, this, [this](qint16 &, qint16 &) { GrdLst_Escolher(); });
    connect(GrdLst, &BoxList::KeyDown, this, &Alunos::GrdLst_KeyDown);
    connect(BtnIncluir, &FlatButton::Click, this, &Alunos::GravarAluno);
    connect(BtnAlterar, &FlatButton::Click, this, &Alunos::GravarAluno);
    connect(BtnExcluir, &FlatButton::Click, this, &Alunos::ExcluirAluno);
    connect(BtnSair, &FlatButton::Click, this, &Alunos::close);
}

void Alunos::showEvent(QShowEvent *evento)
{
    QDialog::showEvent(evento);
    if (!ativada_) {
        ativada_ = true;
        // Once the window is on screen, so that a message goes over it.
        QTimer::singleShot(0, this, &Alunos::Form_Activate);
    }
}

void Alunos::Form_Activate()
{
    if (!erroAbrir_.isEmpty())
        Mensagem::Critico(this, erroAbrir_);
    if (isVisible())
        PadraoDialogo::Focar(TxtCodigo);
}

bool Alunos::eventFilter(QObject *objeto, QEvent *evento)
{
    if (objeto == TxtNome && evento->type() == QEvent::FocusOut)
        TxtNome_LostFocus();
    return QDialog::eventFilter(objeto, evento);
}

void Alunos::PreencherLista()
{
    GrdLst->Clear();
    const int quantidade = arquivo_.Quantidade();
    if (quantidade == 0)
        return;
    // The whole file in one read: record by record, a full register costs ten thousand seeks and
    // reads. The window's own handle stays open; every write through it is already on disk.
    QByteArray dados;
    QString erro;
    if (!ArquivoDados::LerArquivo(arquivo_.Caminho(), dados, erro)) {
        Mensagem::Critico(this, erro);
        return;
    }
    const int lidos = int(std::min<qint64>(quantidade, dados.size() / Aluno::kTamanho));
    // The rows are only stored here; the grid paints once, at AddEnd, however long the register.
    for (int numero = 1; numero <= lidos; ++numero) {
        digita_.AlunoAtual =
            ArquivoAlunos::Decodificar(dados.mid(qint64(numero - 1) * Aluno::kTamanho, Aluno::kTamanho));
        const Aluno &aluno = digita_.AlunoAtual;
        if (TirarEspacos(aluno.Nome).isEmpty())
            continue;
        GrdLst->Add(aluno.Codigo);
        GrdLst->Add(aluno.Nome);
        GrdLst->Add(QString(TirarEspacos(aluno.Senha).size(), u'*'));
        GrdLst->Add(Formatar(aluno.Classe, 2));
        GrdLst->Add(Formatar(aluno.Exercicio, 3));
        GrdLst->BoxNew2();
    }
    GrdLst->AddEnd();
    if (GrdLst->ListCount() > 0)
        GrdLst->Selected(GrdLst->ListCount() - 1);
}

void Alunos::TxtCodigo_GotFocus()
{
    // With every code up to 9999 taken there is nothing to propose: the box stays empty, and only
    // the code of an existing student can be typed.
    const int proximo = arquivo_.ProximoCodigo();
    TxtCodigo->setText(proximo <= ArquivoAlunos::kCodigoMaximo ? Formatar(proximo, 4) : QString());
    codigoCarregado_ = 0;
    TxtNome->clear();
    TxtSenha->clear();
    TxtClasse->SetText(QString());
    TxtExercicio->SetText(QString());
    PadraoDialogo::SelecionarTudo(TxtCodigo);
}

void Alunos::TxtNome_GotFocus()
{
    if (nomeEmCorrecao_) {
        nomeEmCorrecao_ = false;
        return;
    }
    const int codigo = NumeroDoCodigo(TxtCodigo->text());
    if (const QString recusa = RecusaDoCodigo(TxtCodigo->text()); !recusa.isEmpty()) {
        // The focus goes back first: when the message closes the window returns it there, and the
        // check does not run again by itself.
        PadraoDialogo::Focar(TxtCodigo);
        Mensagem::Critico(this, recusa);
        return;
    }
    const int quantidade = arquivo_.Quantidade();
    if (codigo > quantidade) {
        // A new student: the code is whatever comes next.
        TxtCodigo->setText(Formatar(quantidade + 1, 4));
        codigoCarregado_ = 0;
        BtnIncluir->DefinirEnabled(true);
        BtnAlterar->DefinirEnabled(false);
        return;
    }
    MostrarAluno(codigo);
}

QString Alunos::RecusaDoCodigo(const QString &texto) const
{
    const int codigo = NumeroDoCodigo(texto);
    // An empty box is what a full register proposes: asking for a new student there.
    if ((codigo > arquivo_.Quantidade() || TirarEspacos(texto).isEmpty())
        && arquivo_.ProximoCodigo() > ArquivoAlunos::kCodigoMaximo)
        return ArquivoAlunos::kCadastroCompleto;
    if (codigo < 1)
        return kCodigoInvalido;
    return {};
}

void Alunos::TxtNome_LostFocus()
{
    const QString maiusculas = Maiusculas(TxtNome->text());
    if (maiusculas != TxtNome->text())
        TxtNome->setText(maiusculas);
}

void Alunos::MostrarAluno(int codigo)
{
    TxtCodigo->setText(Formatar(codigo, 4));
    QString erro;
    if (!arquivo_.Ler(codigo, digita_.AlunoAtual, erro)) {
        Mensagem::Critico(this, erro);
        return;
    }
    const Aluno &aluno = digita_.AlunoAtual;
    codigoCarregado_ = codigo;
    carregado_ = aluno;
    TxtNome->setText(TirarEspacos(aluno.Nome));
    TxtSenha->setText(TirarEspacos(aluno.Senha));
    TxtClasse->SetText(Formatar(aluno.Classe, 2));
    TxtExercicio->SetText(Formatar(aluno.Exercicio, 3));
    BtnIncluir->DefinirEnabled(false);
    BtnAlterar->DefinirEnabled(true);
}

void Alunos::GrdLst_Escolher()
{
    const int codigo = NumeroDoCodigo(GrdLst->Arg(0));
    // A blank line (nothing selected) names no student.
    if (codigo >= 1 && codigo <= arquivo_.Quantidade())
        MostrarAluno(codigo);
}

void Alunos::GrdLst_KeyDown(qint16 &KeyCode, qint16 &)
{
    // The grid would drop the row from the list while the student stays in the file; deleting is
    // " Excluir"'s job.
    if (KeyCode == 46)
        KeyCode = 0;
}

void Alunos::TxtClasse_DblClick()
{
    TxtExercicio->Clear();
    const int classe = ValorInteiro(TxtClasse->Text());
    classeDaLista_ = classe;
    if (classe < 1 || classe > exercicios_.size())
        return;
    const int quantidade = exercicios_.at(classe - 1);
    for (int exercicio = 1; exercicio <= quantidade; ++exercicio)
        TxtExercicio->AddItem(Formatar(exercicio, 2));
}

void Alunos::Corrigir(QLineEdit *caixa)
{
    nomeEmCorrecao_ = caixa == TxtNome;
    PadraoDialogo::Focar(caixa);
    nomeEmCorrecao_ = false;
    PadraoDialogo::SelecionarTudo(caixa);
}

bool Alunos::GravarAluno()
{
    // A click on a button takes the focus from the name box first; a call from elsewhere may not.
    if (TxtNome->hasFocus())
        TxtNome_LostFocus();

    const QString textoCodigo = TxtCodigo->text();
    const int codigo = NumeroDoCodigo(textoCodigo);
    if (const QString recusa = RecusaDoCodigo(textoCodigo); !recusa.isEmpty()) {
        PadraoDialogo::Focar(TxtCodigo);
        Mensagem::Critico(this, recusa);
        return false;
    }
    // Text the file cannot hold would be stored damaged: refused before anything is written.
    const struct {
        QLineEdit *caixa;
        QString campo;
    } textos[] = {{TxtNome, QStringLiteral("O nome")}, {TxtSenha, QStringLiteral("A senha")}};
    for (const auto &t : textos) {
        if (!Cp1252::representavel(t.caixa->text())) {
            Corrigir(t.caixa);
            Mensagem::Critico(this, ArquivoDados::MotivoTextoNaoRepresentavel(t.campo, t.caixa->text()) + '.');
            return false;
        }
    }

    // A file that never opened: its own message says which file and why.
    if (!arquivo_.Aberto()) {
        Mensagem::Critico(this, erroAbrir_);
        return false;
    }

    Aluno &aluno = digita_.AlunoAtual;
    aluno.Codigo = textoCodigo;
    aluno.Nome = TxtNome->text();
    aluno.Senha = TxtSenha->text();
    aluno.Classe = Campo16(TxtClasse->Text());
    aluno.Exercicio = Campo16(TxtExercicio->Text());
    // A copy: refilling the list on the way uses AlunoAtual for every record it reads.
    const Aluno novo = aluno;
    if (!(Carregado(codigo) ? Alterar(novo) : Incluir(novo)))
        return false;
    Gravado(codigo);
    return true;
}

std::optional<Aluno> Alunos::Carregado(int codigo) const
{
    if (codigo < 1 || codigo != codigoCarregado_)
        return std::nullopt;
    return carregado_;
}

bool Alunos::Incluir(const Aluno &aluno)
{
    const int codigo = NumeroDoCodigo(aluno.Codigo);
    int proximo = 0;
    QString erro;
    switch (arquivo_.Incluir(aluno, proximo, erro)) {
    case ArquivoAlunos::Resultado::Gravado: return true;
    case ArquivoAlunos::Resultado::Falha: Mensagem::Critico(this, erro); return false;
    case ArquivoAlunos::Resultado::Recusado: break;
    }
    // Taken by another computer meanwhile: the boxes keep the new student, under the next free code.
    PreencherLista();
    const bool haLivre = proximo <= ArquivoAlunos::kCodigoMaximo;
    TxtCodigo->setText(haLivre ? Formatar(proximo, 4) : QString());
    Corrigir(TxtNome);
    Mensagem::Critico(this, haLivre ? CodigoOcupado(codigo, proximo) : ArquivoAlunos::kCadastroCompleto);
    return false;
}

bool Alunos::Alterar(const Aluno &aluno)
{
    const int codigo = NumeroDoCodigo(aluno.Codigo);
    std::optional<Aluno> esperado = Carregado(codigo);
    for (;;) {
        std::optional<Aluno> agora;
        QString erro;
        switch (arquivo_.GravarSeIgual(aluno, esperado, agora, erro)) {
        case ArquivoAlunos::Resultado::Gravado: return true;
        case ArquivoAlunos::Resultado::Falha: Mensagem::Critico(this, erro); return false;
        case ArquivoAlunos::Resultado::Recusado: break;
        }
        if (!Mensagem::Perguntar(this, PerguntaMudou(codigo, agora, false))) {
            MostrarAtual(codigo);
            return false;
        }
        // Asked about this version: a further change while the question was open is asked again.
        esperado = agora;
    }
}

void Alunos::MostrarAtual(int codigo)
{
    PreencherLista();
    if (codigo <= arquivo_.Quantidade())
        MostrarAluno(codigo);
}

QString Alunos::CodigoOcupado(int codigo, int proximo)
{
    return QStringLiteral("O código %1 acabou de ser cadastrado em outro computador. O próximo código livre, %2, "
                          "foi proposto: clique em Incluir de novo para gravar o aluno com ele.")
        .arg(Formatar(codigo, 4), Formatar(proximo, 4));
}

QString Alunos::PerguntaMudou(int codigo, const std::optional<Aluno> &agora, bool excluir)
{
    QString estado;
    if (!agora || TirarEspacos(agora->Nome).isEmpty())
        estado = QStringLiteral("o código está livre (aluno excluído)");
    else
        estado = QStringLiteral("%1, classe %2, exercício %3")
                     .arg(TirarEspacos(agora->Nome), Formatar(agora->Classe, 2), Formatar(agora->Exercicio, 3));
    return QStringLiteral("O aluno do código %1 foi alterado em outro computador depois de aparecer aqui. "
                          "No arquivo agora: %2.\n\n%3 mesmo assim?")
        .arg(Formatar(codigo, 4), estado, excluir ? QStringLiteral("Excluir") : QStringLiteral("Gravar por cima"));
}

bool Alunos::ExcluirAluno()
{
    const int codigo = NumeroDoCodigo(TxtCodigo->text());
    if (codigo < 1 || codigo > arquivo_.Quantidade()) {
        PadraoDialogo::Focar(TxtCodigo);
        Mensagem::Critico(this, codigo < 1 ? kCodigoInvalido : ArquivoAlunos::kCodigoNaoCadastrado);
        return false;
    }
    std::optional<Aluno> esperado = Carregado(codigo);
    for (;;) {
        Aluno aluno;
        QString erro;
        Aluno antes;
        const QString nome = esperado                            ? TirarEspacos(esperado->Nome)
                             : arquivo_.Ler(codigo, antes, erro) ? TirarEspacos(antes.Nome)
                                                                 : QString();
        switch (arquivo_.ApagarSeIgual(codigo, esperado, aluno, erro)) {
        case ArquivoAlunos::Resultado::Gravado:
            digita_.AlunoAtual = aluno;
            Gravado(codigo);
            ApagarResultados(codigo, nome);
            return true;
        case ArquivoAlunos::Resultado::Falha: Mensagem::Critico(this, erro); return false;
        case ArquivoAlunos::Resultado::Recusado: break;
        }
        if (!Mensagem::Perguntar(this, PerguntaMudou(codigo, aluno, true))) {
            MostrarAtual(codigo);
            return false;
        }
        esperado = aluno;
    }
}

// The student's sessions in the results store stay unless the teacher says otherwise: they are
// hidden from the class report once the code is given to someone else.
void Alunos::ApagarResultados(int codigo, const QString &nome)
{
    if (nome.isEmpty()
        || !Mensagem::Perguntar(
            this, QStringLiteral("Apagar também os resultados de %1 no banco de resultados?").arg(nome)))
        return;
    ConfigBanco banco;
    QString erro;
    if (ConfigBanco::Ler(digita_, banco, erro)) {
        const std::unique_ptr<ArmazemResultados> armazem = ModuloResultados::Criar(banco);
        if (armazem->Abrir(erro) && armazem->ApagarAluno(codigo, nome, erro))
            return;
    }
    Mensagem::Critico(this, QStringLiteral("Os resultados de %1 não foram apagados: %2").arg(nome, erro));
}

void Alunos::Gravado(int codigo)
{
    PreencherLista();
    PadraoDialogo::Focar(TxtCodigo);
    if (codigo != NumeroDoCodigo(alunoLogado_.Codigo))
        return;
    // Read back, so that the main window gets the record exactly as a login would read it.
    Aluno registro;
    QString erro;
    logadoRegravado_ = arquivo_.Ler(codigo, registro, erro) ? registro : digita_.AlunoAtual;
}

void Alunos::done(int resultado)
{
    Encerrar();
    QDialog::done(resultado);
}

void Alunos::Encerrar()
{
    if (encerrada_)
        return;
    encerrada_ = true;
    arquivo_.Fechar();
    digita_.AlunoAtual = logadoRegravado_ ? *logadoRegravado_ : alunoLogado_;
}
