#include "config/Configura.h"

#include "access/ArquivoDatilux.h"
#include "common/CorQt.h"
#include "common/Digita.h"
#include "common/Formatos.h"
#include "common/Mensagem.h"
#include "config/ArquivoConfig.h"
#include "config/MarcaErros.h"
#include "controls/FlatButton/FlatButton.h"
#include "exercises/Progressao.h"
#include "shared/PadraoDialogo.h"
#include "shared/PintarFundo.h"
#include "teclado/ModeloTeclado.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFontDatabase>
#include <QFrame>
#include <QLineEdit>
#include <QTimer>

#include <algorithm>
#include <limits>

namespace {

// Taller than the options need by one row and a colour: the marking of wrong letters.
constexpr QSize kTamanho(344, 458);
constexpr int kMargem = 22;
constexpr int kColunaCampos = 112;

// A colour box: a plain framed rectangle whose background is the colour.
QFrame *CaixaCor(QWidget *janela, const QString &nome, QRect onde)
{
    auto *caixa = new QFrame(janela);
    caixa->setObjectName(nome);
    caixa->setFrameShape(QFrame::Box);
    caixa->setLineWidth(1);
    caixa->setAutoFillBackground(true);
    caixa->setGeometry(onde);
    return caixa;
}

// The frame of a colour box in the colour it stands for.
void PintarCaixa(QFrame *caixa, const QColor &cor)
{
    PintarFundo(caixa, cor, QColor(60, 80, 120));
}

Cor CorDaCaixa(const QFrame *caixa)
{
    return CorDe(caixa->palette().color(QPalette::Window));
}

QComboBox *Combo(QWidget *janela, const QString &nome, QRect onde)
{
    auto *c = new QComboBox(janela);
    c->setObjectName(nome);
    c->setEditable(true);
    // What is typed is the value; it does not join the list.
    c->setInsertPolicy(QComboBox::NoInsert);
    c->setGeometry(onde);
    return c;
}

std::optional<QColor> EscolherNoDialogo(QWidget *pai, const QColor &atual)
{
    const QColor cor = QColorDialog::getColor(atual, pai);
    if (!cor.isValid())
        return std::nullopt;
    return cor;
}

} // namespace

Configura::Configura(Digita &digita, QWidget *pai)
    : QDialog(pai)
    , digita_(digita)
{
    PadraoDialogo::Preparar(this, kTitulo, kTamanho);

    PadraoDialogo::Rotulo(this, QStringLiteral("Fonte:"), QRect(kMargem, 20, 84, 24));
    CmbNomeFonte = Combo(this, QStringLiteral("CmbNomeFonte"), QRect(kColunaCampos, 20, 210, 24));
    PadraoDialogo::Rotulo(this, QStringLiteral("Tamanho:"), QRect(kMargem, 52, 84, 24));
    CmbTamanhoFonte = Combo(this, QStringLiteral("CmbTamanhoFonte"), QRect(kColunaCampos, 52, 64, 24));
    CmbTamanhoFonte->addItems({QStringLiteral("8"), QStringLiteral("9"), QStringLiteral("10"),
                               QStringLiteral("12"), QStringLiteral("14"), QStringLiteral("16"),
                               QStringLiteral("18")});

    // One row per colour: label, sample, " Escolher".
    const int xBotao = kTamanho.width() - kMargem - PadraoDialogo::kTamanhoBotao.width();
    auto linha = [&](int y, const QString &rotulo, const QString &nomeCaixa, const QString &nomeBotao,
                     QFrame *&caixa, FlatButton *&botao) {
        PadraoDialogo::Rotulo(this, rotulo, QRect(kMargem, y, 88, 27));
        caixa = CaixaCor(this, nomeCaixa, QRect(kColunaCampos, y + 3, xBotao - kColunaCampos - 12, 21));
        botao = PadraoDialogo::Botao(this, nomeBotao, QStringLiteral(" Escolher"), Arte::Icone::Escolher,
                                     QPoint(xBotao, y));
        connect(botao, &FlatButton::Click, this, [this, c = caixa] { Escolher(c); });
    };
    linha(96, QStringLiteral("Cor da Letra:"), QStringLiteral("CorLetra"), QStringLiteral("BtnSelCorLetra"),
          CorLetra, BtnSelCorLetra);
    linha(130, QStringLiteral("Cor inicial:"), QStringLiteral("CorFundo"), QStringLiteral("BtnSelCorFundo"),
          CorFundo, BtnSelCorFundo);
    linha(164, QStringLiteral("Cor final:"), QStringLiteral("CorJanela"), QStringLiteral("BtnSelCorJanela"),
          CorJanela, BtnSelCorJanela);
    linha(198, QStringLiteral("Cor de fundo:"), QStringLiteral("CorFundoTexto"),
          QStringLiteral("BtnCorFundoTexto"), CorFundoTexto, BtnCorFundoTexto);

    auto marca = [this](int y, const QString &nome, const QString &texto) {
        auto *c = new QCheckBox(texto, this);
        c->setObjectName(nome);
        c->setGeometry(kMargem, y, kTamanho.width() - 2 * kMargem, 22);
        return c;
    };
    ChkBackSpace = marca(244, QStringLiteral("ChkBackSpace"), QStringLiteral("Permissão para Back Space"));
    ChkTravar = marca(268, QStringLiteral("ChkTravar"), QStringLiteral("Travar a digitação no caso de erro"));
    ChkSom = marca(292, QStringLiteral("ChkSom"), QStringLiteral("Emitir aviso sonoro quando houver erro"));
    ChkMarcarErros = marca(314, QStringLiteral("ChkMarcarErros"), QStringLiteral("Marcar erros com outra cor"));
    linha(338, QStringLiteral("Cor dos erros:"), QStringLiteral("CorErros"), QStringLiteral("BtnCorErros"),
          CorErros, BtnCorErros);
    ChkSomenteConcluido = marca(368, QStringLiteral("ChkSomenteConcluido"),
                                QStringLiteral("Avançar somente após concluir o exercício"));
    ChkTeclado = marca(392, QStringLiteral("ChkTeclado"), QStringLiteral("Teclado na tela:"));
    ChkTeclado->setFixedWidth(140);
    ChkTeclado->setToolTip(QStringLiteral("Mostrar o teclado na tela ao entrar (o aluno pode escondê-lo)"));
    CmbTeclado = new QComboBox(this);
    CmbTeclado->setObjectName(QStringLiteral("CmbTeclado"));
    CmbTeclado->setGeometry(kColunaCampos + 50, 391, kTamanho.width() - kMargem - kColunaCampos - 50, 24);
    CmbTeclado->addItem(QStringLiteral("ABNT2 (Brasil)"), ModeloTeclado::kAbnt2);
    CmbTeclado->addItem(QStringLiteral("US-Internacional"), ModeloTeclado::kUsIntl);
    CmbTeclado->setToolTip(QStringLiteral("O teclado dos computadores do laboratório"));

    const int wBotao = PadraoDialogo::kTamanhoBotao.width();
    const int yBotoes = kTamanho.height() - 11 - PadraoDialogo::kTamanhoBotao.height();
    BtnOK = PadraoDialogo::Botao(this, QStringLiteral("BtnOK"), QStringLiteral(" OK"), Arte::Icone::Ok,
                                 QPoint(kTamanho.width() - kMargem - 2 * wBotao - 8, yBotoes),
                                 QStringLiteral("Entrar no programa"));
    BtnCancelar = PadraoDialogo::Botao(this, QStringLiteral("BtnCancelar"), QStringLiteral(" Cancelar"),
                                       Arte::Icone::Cancelar, QPoint(kTamanho.width() - kMargem - wBotao, yBotoes),
                                       QStringLiteral("Sair do programa"));
    connect(BtnOK, &FlatButton::Click, this, &Configura::BtnOK_Click);
    connect(BtnCancelar, &FlatButton::Click, this, &Configura::reject);

    QWidget *ordem[] = {CmbNomeFonte,     CmbTamanhoFonte,     BtnSelCorLetra, BtnSelCorFundo, BtnSelCorJanela,
                        BtnCorFundoTexto, ChkBackSpace,        ChkTravar,      ChkSom,         ChkMarcarErros,
                        BtnCorErros,      ChkSomenteConcluido, BtnOK,          BtnCancelar};
    for (size_t i = 1; i < std::size(ordem); ++i)
        setTabOrder(ordem[i - 1], ordem[i]);
    CmbNomeFonte->setFocus();

    Form_Load();
}

Configura::~Configura() = default;

void Configura::Mostrar(const ConfigRec &rec)
{
    ChkBackSpace->setChecked(rec.BackSpace != 0);
    ChkTravar->setChecked(rec.Travar != 0);
    ChkSom->setChecked(rec.Som != 0);
    CmbNomeFonte->setEditText(rec.NomeFonte.trimmed());
    CmbTamanhoFonte->setEditText(QString::number(rec.TamanhoFonte));
    PintarCaixa(CorFundo, CorQt(rec.CorInicio));
    PintarCaixa(CorJanela, CorQt(rec.CorFim));
    PintarCaixa(CorLetra, CorQt(rec.CorTexto));
    PintarCaixa(CorFundoTexto, CorQt(rec.CorFundoEdicao));
}

void Configura::Form_Load()
{
    std::optional<ConfigRec> rec;
    // An unreadable file is reported once the window is on screen; the dialog then offers the
    // defaults, and OK replaces the file.
    ArquivoConfig::Ler(digita_.Caminho(ArquivoConfig::kNomeArquivo), rec, erroLeitura_);
    Mostrar(rec.value_or(ArquivoConfig::Padrao()));
    const MarcaErros marca = MarcaErros::Ler(digita_);
    ChkMarcarErros->setChecked(marca.marcar);
    PintarCaixa(CorErros, CorQt(marca.cor));
    ChkSomenteConcluido->setChecked(Progressao::SomenteConcluido(digita_));
    QString mostrar, layout, erro;
    ArquivoDatilux::LerConfig(digita_, ModeloTeclado::kChaveMostrar, mostrar, erro);
    ArquivoDatilux::LerConfig(digita_, ModeloTeclado::kChaveLayout, layout, erro);
    ChkTeclado->setChecked(mostrar.trimmed() == QStringLiteral("1"));
    CmbTeclado->setCurrentIndex(std::max(0, CmbTeclado->findData(layout.trimmed())));
}

void Configura::showEvent(QShowEvent *evento)
{
    QDialog::showEvent(evento);
    if (!ativada_) {
        ativada_ = true;
        QTimer::singleShot(0, this, &Configura::Form_Activate);
    }
}

void Configura::Form_Activate()
{
    if (!erroLeitura_.isEmpty())
        Mensagem::Critico(this, erroLeitura_);
    // Filling the list must not replace what the box shows.
    const QString texto = CmbNomeFonte->currentText();
    CmbNomeFonte->addItems(QFontDatabase::families());
    CmbNomeFonte->setEditText(texto);
}

void Configura::Escolher(QFrame *caixa)
{
    const QColor atual = caixa->palette().color(QPalette::Window);
    const std::optional<QColor> cor = EscolherCor ? EscolherCor(this, atual) : EscolherNoDialogo(this, atual);
    if (!cor || !cor->isValid()) {
        Mensagem::Critico(this, kCancelado);
        return;
    }
    PintarCaixa(caixa, *cor);
}

ConfigRec Configura::Registro() const
{
    ConfigRec rec;
    rec.BackSpace = ChkBackSpace->isChecked() ? 1 : 0;
    rec.Travar = ChkTravar->isChecked() ? 1 : 0;
    rec.Som = ChkSom->isChecked() ? 1 : 0;
    rec.NomeFonte = CmbNomeFonte->currentText().left(ConfigRec::kTamNomeFonte);
    // No check on the size: whatever the box holds is stored, a non-number as 0; a number past the
    // field's range is kept at its nearest end.
    const int tamanho = ValorInteiro(CmbTamanhoFonte->currentText());
    rec.TamanhoFonte =
        qint16(std::clamp<int>(tamanho, std::numeric_limits<qint16>::min(), std::numeric_limits<qint16>::max()));
    rec.CorInicio = CorDaCaixa(CorFundo);
    rec.CorFim = CorDaCaixa(CorJanela);
    rec.CorTexto = CorDaCaixa(CorLetra);
    rec.CorFundoEdicao = CorDaCaixa(CorFundoTexto);
    return rec;
}

void Configura::BtnOK_Click()
{
    QString erro;
    if (!ArquivoConfig::Gravar(digita_.Caminho(ArquivoConfig::kNomeArquivo), Registro(), erro)) {
        // Nothing was saved: say so and stay open, so that the choices are not lost.
        Mensagem::Critico(this, erro);
        return;
    }
    MarcaErros marca;
    marca.marcar = ChkMarcarErros->isChecked();
    marca.cor = CorDaCaixa(CorErros);
    if (!marca.Gravar(digita_, erro)
        || !Progressao::GravarSomenteConcluido(digita_, ChkSomenteConcluido->isChecked(), erro)
        || !ArquivoDatilux::GravarConfig(digita_, ModeloTeclado::kChaveMostrar,
                                         ChkTeclado->isChecked() ? QStringLiteral("1") : QStringLiteral("0"), erro)
        || !ArquivoDatilux::GravarConfig(digita_, ModeloTeclado::kChaveLayout,
                                         CmbTeclado->currentData().toString(), erro)) {
        Mensagem::Critico(this, erro);
        return;
    }
    accept();
}
