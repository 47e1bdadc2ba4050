#include "resultados/BancoResultados.h"

#include "common/Digita.h"
#include "common/Mensagem.h"
#include "controls/FlatButton/FlatButton.h"
#include "resultados/ModuloResultados.h"
#include "shared/PadraoDialogo.h"

#include <QComboBox>
#include <QIntValidator>
#include <QLineEdit>
#include <QPointer>
#include <QThread>

#include <memory>

namespace {
constexpr QSize kTamanho(376, 300);
constexpr int kX = 24;
constexpr int kXCaixa = 136;
constexpr int kLarguraCaixa = 216;
} // namespace

BancoResultados::BancoResultados(Digita &digita, QWidget *pai)
    : QDialog(pai)
    , digita_(digita)
{
    PadraoDialogo::Preparar(this, kTitulo, kTamanho);

    QString erro;
    if (!ConfigBanco::Ler(digita_, inicial_, erro))
        Mensagem::Critico(this, erro);

    int y = 16;
    auto linha = [&](const QString &rotulo, const QString &nome, bool senha = false) {
        PadraoDialogo::Rotulo(this, rotulo, QRect(kX, y + 3, kXCaixa - kX - 4, 20));
        QLineEdit *caixa =
            PadraoDialogo::Caixa(this, nome, QRect(kXCaixa, y, kLarguraCaixa, 24), QString(), senha);
        y += 32;
        return caixa;
    };
    PadraoDialogo::Rotulo(this, QStringLiteral("Banco:"), QRect(kX, y + 3, kXCaixa - kX - 4, 20));
    CboTipo = new QComboBox(this);
    CboTipo->setObjectName(QStringLiteral("CboTipo"));
    CboTipo->setGeometry(kXCaixa, y, kLarguraCaixa, 24);
    CboTipo->addItem(QStringLiteral("SQLite (nesta pasta)"), ConfigBanco::kTipoSqlite);
    CboTipo->addItem(QStringLiteral("PostgreSQL (servidor)"), ConfigBanco::kTipoPostgresql);
    y += 32;
    TxtServidor = linha(QStringLiteral("Servidor:"), QStringLiteral("TxtServidor"));
    TxtPorta = linha(QStringLiteral("Porta:"), QStringLiteral("TxtPorta"));
    TxtPorta->setValidator(new QIntValidator(1, 65535, TxtPorta));
    TxtNome = linha(QStringLiteral("Banco de dados:"), QStringLiteral("TxtNome"));
    TxtUsuario = linha(QStringLiteral("Usuário:"), QStringLiteral("TxtUsuario"));
    TxtSenha = linha(QStringLiteral("Senha:"), QStringLiteral("TxtSenha"), true);

    const int wBotao = PadraoDialogo::kTamanhoBotao.width();
    const int yBotoes = kTamanho.height() - 27 - 20;
    BtnTestar = PadraoDialogo::Botao(this, QStringLiteral("BtnTestar"), QStringLiteral("Testar conexão"),
                                     Arte::Icone::Nenhum, QPoint(kX, yBotoes),
                                     QStringLiteral("Tentar conectar com estes dados"));
    BtnTestar->resize(112, BtnTestar->height());
    BtnOK = PadraoDialogo::Botao(this, QStringLiteral("BtnOK"), QStringLiteral(" OK"), Arte::Icone::Ok,
                                 QPoint(kTamanho.width() - kX - 2 * wBotao - 8, yBotoes),
                                 QStringLiteral("Gravar e fechar"));
    BtnCancelar = PadraoDialogo::Botao(this, QStringLiteral("BtnCancelar"), QStringLiteral(" Cancelar"),
                                       Arte::Icone::Cancelar, QPoint(kTamanho.width() - kX - wBotao, yBotoes),
                                       QStringLiteral("Fechar sem gravar"));

    CboTipo->setCurrentIndex(inicial_.tipo == ConfigBanco::Tipo::PostgreSQL ? 1 : 0);
    TxtServidor->setText(inicial_.servidor);
    TxtPorta->setText(QString::number(inicial_.porta));
    TxtNome->setText(inicial_.nome);
    TxtUsuario->setText(inicial_.usuario);
    TxtSenha->setText(inicial_.senha);
    MostrarTipo();

    connect(CboTipo, &QComboBox::currentIndexChanged, this, &BancoResultados::MostrarTipo);
    connect(BtnTestar, &FlatButton::Click, this, &BancoResultados::BtnTestar_Click);
    connect(BtnOK, &FlatButton::Click, this, &BancoResultados::BtnOK_Click);
    connect(BtnCancelar, &FlatButton::Click, this, &BancoResultados::reject);
    CboTipo->setFocus();
}

BancoResultados::~BancoResultados() = default;

ConfigBanco BancoResultados::Config() const
{
    ConfigBanco c = inicial_;
    c.tipo = CboTipo->currentIndex() == 1 ? ConfigBanco::Tipo::PostgreSQL : ConfigBanco::Tipo::SQLite;
    c.servidor = TxtServidor->text().trimmed();
    bool ok = false;
    const int porta = TxtPorta->text().toInt(&ok);
    c.porta = ok && porta > 0 ? porta : ConfigBanco::kPortaPadrao;
    c.nome = TxtNome->text().trimmed();
    c.usuario = TxtUsuario->text().trimmed();
    c.senha = TxtSenha->text();
    return c;
}

void BancoResultados::MostrarTipo()
{
    // The server's boxes keep their text with SQLite, so that switching back loses nothing.
    const bool servidor = CboTipo->currentIndex() == 1;
    for (QLineEdit *caixa : {TxtServidor, TxtPorta, TxtNome, TxtUsuario, TxtSenha})
        caixa->setEnabled(servidor);
}

void BancoResultados::BtnTestar_Click()
{
    if (testando_)
        return;
    testando_ = true;
    BtnTestar->setEnabled(false);
    setCursor(Qt::BusyCursor);
    // A server that does not answer takes the whole connection timeout: the window stays alive. The
    // test connects as the store would (creating or migrating the schema), then closes.
    auto erro = std::make_shared<QString>();
    auto ok = std::make_shared<bool>(false);
    QThread *teste = QThread::create(
        [fabrica = ModuloResultados::Fabrica(Config()), erro, ok] { *ok = fabrica()->Abrir(*erro); });
    connect(teste, &QThread::finished, teste, &QObject::deleteLater);
    connect(teste, &QThread::finished, this, [this, erro, ok] {
        testando_ = false;
        BtnTestar->setEnabled(true);
        unsetCursor();
        if (*ok)
            Mensagem::Informacao(this, kConexaoOk);
        else
            Mensagem::Critico(this, *erro);
    });
    teste->start();
}

void BancoResultados::BtnOK_Click()
{
    QString erro;
    if (!Config().Gravar(digita_, erro)) {
        Mensagem::Critico(this, erro);
        return;
    }
    accept();
}
