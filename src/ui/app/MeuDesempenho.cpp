#include "app/MeuDesempenho.h"

#include "app/FrmTecloria.h"
#include "app/PainelResultado.h"
#include "app/Sessao.h"
#include "common/Plataforma.h"
#include "resultados/ModuloResultados.h"

#include <QAbstractTableModel>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLibrary>
#include <QPushButton>
#include <QTableView>
#include <QThread>
#include <QVBoxLayout>

#include <limits>
#include <memory>

// The sessions as the table shows them, newest first. A model of its own rather than items: ten
// thousand sessions are ten thousand rows, and only the visible ones are ever asked for.
class TabelaSessoes : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    void Definir(QList<ResultadoSessao> sessoes)
    {
        beginResetModel();
        sessoes_ = std::move(sessoes);
        endResetModel();
    }
    const QList<ResultadoSessao> &Sessoes() const { return sessoes_; }

    int rowCount(const QModelIndex &pai = {}) const override { return pai.isValid() ? 0 : int(sessoes_.size()); }
    int columnCount(const QModelIndex &pai = {}) const override { return pai.isValid() ? 0 : 7; }

    QVariant headerData(int secao, Qt::Orientation orientacao, int papel) const override
    {
        static const char *const titulos[] = {"Data",       "Classe",   "Exercício", "Tempo",
                                              "Velocidade", "Precisão", "Resultado"};
        if (orientacao != Qt::Horizontal || papel != Qt::DisplayRole || secao < 0 || secao >= 7)
            return {};
        return QString::fromUtf8(titulos[secao]);
    }

    QVariant data(const QModelIndex &indice, int papel) const override
    {
        if (!indice.isValid() || indice.row() >= sessoes_.size())
            return {};
        const ResultadoSessao &r = sessoes_[sessoes_.size() - 1 - indice.row()];
        if (papel == Qt::TextAlignmentRole)
            return indice.column() == 0 || indice.column() == 6 ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                                                                : QVariant(Qt::AlignCenter);
        if (papel != Qt::DisplayRole)
            return {};
        switch (indice.column()) {
        case 0: return r.fim.toString(QStringLiteral("dd/MM/yyyy HH:mm"));
        case 1: return r.classe;
        case 2: return r.exercicio;
        case 3: return Sessao::TempoTotal(int(r.segundos));
        case 4: return FrmTecloria::TextoVelocidade(r.ppm()).trimmed();
        case 5: return FrmTecloria::TextoPrecisao(r.precisao());
        case 6:
            if (r.veredito == QStringLiteral("aprovado"))
                return QStringLiteral("Aprovado");
            if (r.veredito == QStringLiteral("reprovado"))
                return QStringLiteral("Reprovado");
            return r.concluido ? QStringLiteral("Concluído") : QStringLiteral("Incompleto");
        default: return {};
        }
    }

private:
    QList<ResultadoSessao> sessoes_;
};

MeuDesempenho::MeuDesempenho(const ConfigBanco &config, int codigo, QWidget *pai)
    : QDialog(pai)
{
    setObjectName(QStringLiteral("MeuDesempenho"));
    setWindowTitle(kTitulo);
    resize(720, 560);

    coluna_ = new QVBoxLayout(this);
    lblSituacao_ = new QLabel(QStringLiteral("Carregando as sessões..."), this);
    lblSituacao_->setObjectName(QStringLiteral("LblSituacao"));
    coluna_->addWidget(lblSituacao_);
    tabela_ = new TabelaSessoes(this);
    vista_ = new QTableView(this);
    vista_->setObjectName(QStringLiteral("TabSessoes"));
    vista_->setModel(tabela_);
    vista_->verticalHeader()->hide();
    vista_->setSelectionBehavior(QAbstractItemView::SelectRows);
    vista_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The columns share the window's width: nothing hidden behind a scroll bar at any size.
    vista_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    vista_->verticalHeader()->setDefaultSectionSize(vista_->fontMetrics().height() + 6);
    vista_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Fixed);
    vista_->setColumnWidth(0, vista_->fontMetrics().horizontalAdvance(QStringLiteral("00/00/0000 00:00")) + 16);
    coluna_->addWidget(vista_, 1);
    lblTeclas_ = new QLabel(this);
    lblTeclas_->setObjectName(QStringLiteral("LblTeclas"));
    coluna_->addWidget(lblTeclas_);
    auto *botoes = new QDialogButtonBox(QDialogButtonBox::Close, this);
    botoes->button(QDialogButtonBox::Close)->setText(QStringLiteral("Fechar"));
    connect(botoes, &QDialogButtonBox::rejected, this, &QDialog::reject);
    coluna_->addWidget(botoes);

    struct Resposta {
        bool ok = false;
        QString erro;
        QList<ResultadoSessao> sessoes;
        QMap<QChar, int> erros;
    };
    auto resposta = std::make_shared<Resposta>();
    leitura_ = QThread::create([fabrica = ModuloResultados::Fabrica(config), codigo, resposta] {
        const std::unique_ptr<ArmazemResultados> armazem = fabrica();
        resposta->ok = armazem->Abrir(resposta->erro)
                       && armazem->SessoesDoAluno(codigo, resposta->sessoes, resposta->erro)
                       && armazem->ErrosDoAluno(codigo, resposta->erros, resposta->erro);
    });
    connect(leitura_, &QThread::finished, this, [this, resposta] {
        tabela_->Definir(std::move(resposta->sessoes));
        Mostrar(resposta->ok, resposta->erro, resposta->erros);
    });
    leitura_->start();
}

MeuDesempenho::~MeuDesempenho()
{
    leitura_->wait();
    delete leitura_;
}

const QList<ResultadoSessao> &MeuDesempenho::Sessoes() const
{
    return tabela_->Sessoes();
}

void MeuDesempenho::Mostrar(bool ok, const QString &erro, const QMap<QChar, int> &erros)
{
    if (!ok) {
        lblSituacao_->setText(QStringLiteral("O banco de resultados não respondeu: %1").arg(erro));
    } else {
        const int n = int(tabela_->Sessoes().size());
        lblSituacao_->setText(n == 1 ? QStringLiteral("1 sessão") : QStringLiteral("%1 sessões").arg(n));
        const QString teclas = PainelResultado::TeclasMaisErradas(erros, 5);
        lblTeclas_->setText(
            QStringLiteral("Teclas mais erradas: %1").arg(teclas.isEmpty() ? QStringLiteral("nenhuma") : teclas));
        CriarGrafico();
    }
    carregado_ = true;
    emit Carregou();
}

void MeuDesempenho::CriarGrafico()
{
    using Criar = QWidget *(*)(QWidget *, const QList<QDateTime> &, const QList<double> &, const QList<double> &);
    // QLibrary keeps the module loaded for the rest of the run: the next opening costs nothing.
    QLibrary modulo(caminhoModulo.isEmpty() ? Plataforma::ModuloGraficos() : caminhoModulo);
    auto criar = reinterpret_cast<Criar>(modulo.resolve("DatiluxGraficoCriar"));
    if (!criar) {
        auto *aviso = new QLabel(QStringLiteral("O gráfico não está disponível nesta instalação."), this);
        aviso->setObjectName(QStringLiteral("LblSemGrafico"));
        coluna_->insertWidget(2, aviso);
        return;
    }
    QList<QDateTime> quando;
    QList<double> ppm, precisao;
    constexpr double kNada = std::numeric_limits<double>::quiet_NaN();
    for (const ResultadoSessao &r : tabela_->Sessoes()) {
        quando << r.fim;
        ppm << r.ppm().value_or(kNada);
        precisao << r.precisao().value_or(kNada);
    }
    QWidget *grafico = criar(this, quando, ppm, precisao);
    grafico->setMinimumHeight(220);
    coluna_->insertWidget(2, grafico, 1);
}
