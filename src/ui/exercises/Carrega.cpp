#include "exercises/Carrega.h"

#include "access/InfoSenha.h"
#include "common/Digita.h"
#include "common/EnterComoTab.h"
#include "common/Formatos.h"
#include "common/Mensagem.h"
#include "controls/FlatButton/FlatButton.h"
#include "controls/SpCombo/SpCombo.h"
#include "exercises/Biblioteca.h"
#include "exercises/Progressao.h"
#include "shared/PadraoDialogo.h"

#include <QLabel>
#include <QLineEdit>

#include <algorithm>
#include <limits>

namespace {

constexpr QSize kTamanho(336, 196);
constexpr int kMargem = 24;
constexpr qint16 kTeclaEsc = 27;

// The two combos sit side by side on one row, so that each list has the room below it to drop down
// inside the window (over the buttons, while it is open).
constexpr int kLinhaAluno = 18;
constexpr int kLinhaCombos = 56;
constexpr int kLinhaBotoes = 145;

qint16 Curto(int valor)
{
    return qint16(
        std::clamp(valor, int(std::numeric_limits<qint16>::min()), int(std::numeric_limits<qint16>::max())));
}

SpCombo *Combo(QWidget *janela, const char *nome, QRect onde, const QString &dica)
{
    auto *c = new SpCombo(janela);
    c->setObjectName(QLatin1String(nome));
    c->setGeometry(onde);
    c->setToolTip(dica);
    return c;
}

} // namespace

Carrega::Carrega(Digita &digita, QWidget *pai)
    : QDialog(pai)
    , digita_(digita)
{
    PadraoDialogo::Preparar(this, kTitulo, kTamanho);

    PadraoDialogo::Rotulo(this, QStringLiteral("Aluno:"), QRect(kMargem, kLinhaAluno + 3, 60, 20));
    LblAluno = PadraoDialogo::Rotulo(this, QStringLiteral(" ") + digita_.NomeUsuario,
                                     QRect(kMargem + 66, kLinhaAluno, kTamanho.width() - 2 * kMargem - 66, 24),
                                     QStringLiteral("LblAluno"));
    // The student's name as the main window shows it: white on the program's blue.
    LblAluno->setAutoFillBackground(true);
    LblAluno->setStyleSheet(QStringLiteral("QLabel { background: rgb(104, 150, 213); color: white; }"));

    PadraoDialogo::Rotulo(this, QStringLiteral("Classe:"), QRect(kMargem, kLinhaCombos + 2, 60, 20));
    TxtClasse =
        Combo(this, "TxtClasse", QRect(kMargem + 66, kLinhaCombos, 56, 22), QStringLiteral("Classe do exercício"));
    PadraoDialogo::Rotulo(this, QStringLiteral("Exercício:"), QRect(kMargem + 148, kLinhaCombos + 2, 70, 20));
    TxtExercicio = Combo(this, "TxtExercicio", QRect(kMargem + 222, kLinhaCombos, 66, 22),
                         QStringLiteral("Número do exercício"));

    const int wBotao = PadraoDialogo::kTamanhoBotao.width();
    BtnOK = PadraoDialogo::Botao(this, QStringLiteral("BtnOK"), QStringLiteral(" OK"), Arte::Icone::Ok,
                                 QPoint(kTamanho.width() - kMargem - 2 * wBotao - 8, kLinhaBotoes),
                                 QStringLiteral("Carregar o exercício escolhido"));
    BtnCancelar =
        PadraoDialogo::Botao(this, QStringLiteral("BtnCancelar"), QStringLiteral(" Cancelar"),
                             Arte::Icone::Cancelar, QPoint(kTamanho.width() - kMargem - wBotao, kLinhaBotoes),
                             QStringLiteral("Voltar sem mudar de exercício"));

    // Opening on the student's own place.
    TxtClasse->SetText(QString::number(digita_.AlunoAtual.Classe));
    TxtExercicio->SetText(Formatar(digita_.AlunoAtual.Exercicio, 2));
    for (int classe = 1; classe <= Biblioteca::kClasses; ++classe)
        TxtClasse->AddItem(QString::number(classe));

    // The keyboard reaches a combo through its text box: that is what the tab order links.
    QWidget *caixaClasse = TxtClasse->findChild<QLineEdit *>(QStringLiteral("TxtAux"));
    QWidget *caixaExercicio = TxtExercicio->findChild<QLineEdit *>(QStringLiteral("TxtAux"));
    setTabOrder(caixaClasse, caixaExercicio);
    setTabOrder(caixaExercicio, BtnOK);
    setTabOrder(BtnOK, BtnCancelar);
    caixaClasse->setFocus();

    EnterComoTab::Instalar(this);
    new AoFocar(BtnOK, [this] { BtnOK_GotFocus(); });
    connect(TxtClasse, &SpCombo::DblClick, this, &Carrega::TxtClasse_DblClick);
    // A choice stands only for the texts it was taken from.
    connect(TxtClasse, &SpCombo::Change, this, [this] { escolha_.reset(); });
    connect(TxtExercicio, &SpCombo::Change, this, [this] { escolha_.reset(); });
    connect(BtnOK, &FlatButton::Click, this, &Carrega::BtnOK_Click);
    connect(BtnCancelar, &FlatButton::Click, this, &Carrega::reject);
    // A focused button keeps the keys it is given, Escape too: here Escape still cancels.
    for (FlatButton *botao : {BtnOK, BtnCancelar}) {
        connect(botao, &FlatButton::KeyPress, this, [this](qint16 &KeyAscii) {
            if (KeyAscii == kTeclaEsc)
                reject();
        });
    }
}

Carrega::~Carrega() = default;

void Carrega::TxtClasse_DblClick()
{
    TxtExercicio->Clear();
    const QString texto = TxtClasse->Text();
    // Only the six classes as the list offers them: "05" or " 5" is not a class here.
    const int classe = texto.size() == 1 ? texto[0].unicode() - u'0' : 0;
    if (classe < 1 || classe > Biblioteca::kClasses)
        return;
    const int quantidade = Biblioteca::QuantidadeExercicios(classe);
    for (int numero = 1; numero <= quantidade; ++numero)
        TxtExercicio->AddItem(Formatar(numero, 2));
}

void Carrega::BtnOK_GotFocus()
{
    escolha_.reset();
    const int numero = ValorInteiro(TxtExercicio->Text());
    if (numero == 0) {
        // Focus first: when the message closes the window gives the focus back to the box, not to OK.
        PadraoDialogo::Focar(TxtExercicio->findChild<QLineEdit *>(QStringLiteral("TxtAux")));
        Mensagem::Critico(this, kExercicioNaoExiste);
        return;
    }
    TxtExercicio->SetText(Formatar(numero, 3));
    // No range check: a number past the class or a class outside the course is stored as chosen,
    // and loading it reports what does not exist.
    escolha_ = Escolha{Curto(ValorInteiro(TxtClasse->Text())), Curto(ValorInteiro(TxtExercicio->Text()) - 1)};
}

void Carrega::BtnOK_Click()
{
    // A click whose own focus check failed does not confirm.
    if (!escolha_)
        return;
    digita_.ClasseAtual = escolha_->Classe;
    digita_.ExercicioAtual = escolha_->Exercicio;
    digita_.RespostaDialogo[1] = Digita::kOk;
    accept();
}

void Carrega::reject()
{
    digita_.RespostaDialogo[1] = Digita::kCancelar;
    QDialog::reject();
}

std::optional<Progressao::Carga> EscolherExercicio(Digita &d, QWidget *janela)
{
    {
        InfoSenha senha(d, janela);
        senha.exec();
    }
    if (d.RespostaDialogo[1] != Digita::kOk)
        return std::nullopt;

    // The chooser stores a student's place: the administrator has none.
    if (d.EhAdministrador()) {
        Mensagem::Critico(janela, Progressao::kSomenteAluno);
        return std::nullopt;
    }

    const qint16 classeAntes = d.ClasseAtual;
    const qint16 exercicioAntes = d.ExercicioAtual;
    {
        Carrega escolha(d, janela);
        escolha.exec();
    }
    if (d.RespostaDialogo[1] != Digita::kOk)
        return std::nullopt;

    Progressao::Avanco avanco = Progressao::EscolherExercicio(d, classeAntes, exercicioAntes);
    if (!avanco.Recusa.isEmpty())
        Mensagem::Critico(janela, avanco.Recusa);
    return std::move(avanco.Exercicio);
}
