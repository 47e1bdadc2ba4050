#include "relatorio/JanelaRelatorio.h"

#include "access/ArquivoAlunos.h"
#include "access/ArquivoDatilux.h"
#include "app/MeuDesempenho.h"
#include "common/Digita.h"
#include "common/Mensagem.h"
#include "common/Plataforma.h"
#include "common/TiraAcentos.h"
#include "relatorio/Impressao.h"
#include "resultados/ModuloResultados.h"

#include <QAbstractTableModel>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLibrary>
#include <QLineEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QScreen>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QThread>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>

using namespace RelatorioTurma;

// The rows as the view asks for them: the cell's text to show, its sort key under Qt::UserRole.
class ModeloRelatorio : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    void Definir(QList<Linha> linhas)
    {
        beginResetModel();
        linhas_ = std::move(linhas);
        endResetModel();
    }
    const Linha &Em(int linha) const { return linhas_[linha]; }

    int rowCount(const QModelIndex &pai = {}) const override { return pai.isValid() ? 0 : int(linhas_.size()); }
    int columnCount(const QModelIndex &pai = {}) const override { return pai.isValid() ? 0 : kColunas; }

    QVariant headerData(int secao, Qt::Orientation orientacao, int papel) const override
    {
        if (orientacao == Qt::Horizontal && papel == Qt::DisplayRole)
            return Titulo(secao);
        return {};
    }

    QVariant data(const QModelIndex &indice, int papel) const override
    {
        if (!indice.isValid() || indice.row() >= linhas_.size())
            return {};
        const Linha &l = linhas_[indice.row()];
        switch (papel) {
        case Qt::DisplayRole: return Texto(l, indice.column());
        case Qt::UserRole: return Chave(l, indice.column());
        case Qt::TextAlignmentRole:
            return QVariant(Qt::AlignVCenter | (Numerica(indice.column()) ? Qt::AlignRight : Qt::AlignLeft));
        default: return {};
        }
    }

private:
    QList<Linha> linhas_;
};

// The name filter ignores case and accents ("joao" finds "JOÃO"); class 0 is every class.
class FiltroRelatorio : public QSortFilterProxyModel {
public:
    FiltroRelatorio(ModeloRelatorio *modelo, QObject *pai)
        : QSortFilterProxyModel(pai)
        , modelo_(modelo)
    {
        setSourceModel(modelo);
        setSortRole(Qt::UserRole);
        setSortCaseSensitivity(Qt::CaseInsensitive);
    }

    void Definir(const QString &nome, int classe)
    {
        nome_ = Simples(nome.trimmed());
        classe_ = classe;
        invalidateRowsFilter();
    }

protected:
    bool filterAcceptsRow(int linha, const QModelIndex &) const override
    {
        const Linha &l = modelo_->Em(linha);
        return (classe_ == 0 || l.classe == classe_) && (nome_.isEmpty() || Simples(l.nome).contains(nome_));
    }

private:
    static QString Simples(const QString &s) { return TiraAcentos(s).toUpper(); }

    ModeloRelatorio *modelo_;
    QString nome_;
    int classe_ = 0;
};

JanelaRelatorio::JanelaRelatorio(Digita &d, QWidget *pai)
    : QDialog(pai)
    , digita_(d)
{
    setObjectName(QStringLiteral("RelatorioTurma"));
    setWindowTitle(kTitulo);
    // At most the screen's room: a lab's 1024×768 screen shows the whole window.
    const QRect tela = (pai ? pai->screen() : screen())->availableGeometry();
    resize(std::min(1000, tela.width() - 16), std::min(600, tela.height() - 48));
    auto *coluna = new QVBoxLayout(this);

    auto *linha = new QHBoxLayout;
    const auto rotulo = [this, linha](const QString &texto, QWidget *campo) {
        auto *l = new QLabel(texto, this);
        l->setBuddy(campo);
        linha->addWidget(l);
        linha->addWidget(campo);
    };
    txtEscola_ = new QLineEdit(this);
    txtEscola_->setObjectName(QStringLiteral("TxtEscola"));
    txtEscola_->setMaxLength(80);
    txtEscola_->setToolTip(QStringLiteral("O nome da escola, no título da impressão"));
    QString escola, erro;
    ArquivoDatilux::LerConfig(digita_, kChaveEscola, escola, erro);
    txtEscola_->setText(escola.trimmed());
    rotulo(QStringLiteral("&Escola:"), txtEscola_);
    txtNome_ = new QLineEdit(this);
    txtNome_->setObjectName(QStringLiteral("TxtFiltroNome"));
    txtNome_->setPlaceholderText(QStringLiteral("parte do nome"));
    txtNome_->setClearButtonEnabled(true);
    rotulo(QStringLiteral("&Nome:"), txtNome_);
    cmbClasse_ = new QComboBox(this);
    cmbClasse_->setObjectName(QStringLiteral("CmbFiltroClasse"));
    cmbClasse_->addItem(QStringLiteral("Todas"), 0);
    for (int c = 1; c <= 6; ++c)
        cmbClasse_->addItem(QString::number(c), c);
    rotulo(QStringLiteral("&Classe:"), cmbClasse_);
    coluna->addLayout(linha);

    lblSituacao_ = new QLabel(QStringLiteral("Carregando os resultados..."), this);
    lblSituacao_->setObjectName(QStringLiteral("LblSituacao"));
    coluna->addWidget(lblSituacao_);

    modelo_ = new ModeloRelatorio(this);
    filtro_ = new FiltroRelatorio(modelo_, this);
    vista_ = new QTableView(this);
    vista_->setObjectName(QStringLiteral("TabRelatorio"));
    vista_->setModel(filtro_);
    vista_->setSortingEnabled(true);
    vista_->sortByColumn(kCodigo, Qt::AscendingOrder);
    vista_->verticalHeader()->hide();
    vista_->verticalHeader()->setDefaultSectionSize(vista_->fontMetrics().height() + 6);
    vista_->setSelectionBehavior(QAbstractItemView::SelectRows);
    vista_->setSelectionMode(QAbstractItemView::SingleSelection);
    vista_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    vista_->setTabKeyNavigation(false);
    vista_->setWordWrap(false);
    vista_->horizontalHeader()->setHighlightSections(false);
    // Every column at its heading's width (the figures are narrower), the name at a long name's; the
    // name takes what room the window has beyond that.
    for (int c = 0; c < kColunas; ++c)
        vista_->setColumnWidth(c, vista_->fontMetrics().horizontalAdvance(Titulo(c)) + 18);
    vista_->setColumnWidth(kNome, vista_->fontMetrics().averageCharWidth() * 26);
    vista_->horizontalHeader()->setSectionResizeMode(kNome, QHeaderView::Stretch);
    coluna->addWidget(vista_, 1);

    auto *botoes = new QHBoxLayout;
    const auto botao = [this, botoes](const char *nome, const QString &texto, void (JanelaRelatorio::*acao)()) {
        auto *b = new QPushButton(texto, this);
        b->setObjectName(QString::fromLatin1(nome));
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, acao);
        botoes->addWidget(b);
        return b;
    };
    btnHistorico_ = botao("BtnHistorico", QStringLiteral("&Histórico do aluno"), &JanelaRelatorio::AbrirHistorico);
    botao("BtnExportar", QStringLiteral("Exportar &planilha"), &JanelaRelatorio::Exportar);
    botao("BtnImprimir", QStringLiteral("&Imprimir"), &JanelaRelatorio::Imprimir);
    botao("BtnPdf", QStringLiteral("Salvar P&DF"), &JanelaRelatorio::Pdf);
    botoes->addStretch(1);
    botao("BtnFechar", QStringLiteral("Fechar"), &JanelaRelatorio::reject);
    coluna->addLayout(botoes);

    connect(txtNome_, &QLineEdit::textChanged, this, [this] {
        filtro_->Definir(txtNome_->text(), cmbClasse_->currentData().toInt());
        AtualizarSituacao();
    });
    connect(cmbClasse_, &QComboBox::currentIndexChanged, this, [this] {
        filtro_->Definir(txtNome_->text(), cmbClasse_->currentData().toInt());
        AtualizarSituacao();
    });
    connect(vista_, &QTableView::activated, this, &JanelaRelatorio::AbrirHistorico);
    connect(txtEscola_, &QLineEdit::editingFinished, this, [this] {
        QString erroGravar;
        if (!ArquivoDatilux::GravarConfig(digita_, kChaveEscola, txtEscola_->text().trimmed(), erroGravar))
            Mensagem::Critico(this, erroGravar);
    });

    // The register (a few hundred kilobytes at most) and the store's totals are read on a thread of
    // their own, so that the window is on screen at once and fills in when they come.
    struct Resposta {
        bool ok = false;
        QString erro;
        QList<ResumoAluno> resumo;
        QString erroAlunos;
        QList<Linha> linhas;
    };
    auto resposta = std::make_shared<Resposta>();
    ConfigBanco banco;
    QString erroBanco;
    const bool configurado = ConfigBanco::Ler(digita_, banco, erroBanco);
    const QString cadastro = digita_.Caminho(ArquivoAlunos::kNomeArquivo);
    const FabricaArmazem fabrica = ModuloResultados::Fabrica(banco);
    leitura_ = QThread::create([fabrica, configurado, erroBanco, cadastro, resposta] {
        QList<Aluno> alunos;
        ArquivoAlunos::LerTodos(cadastro, alunos, resposta->erroAlunos);
        if (configurado) {
            const std::unique_ptr<ArmazemResultados> armazem = fabrica();
            resposta->ok = armazem->Abrir(resposta->erro) && armazem->Resumo(resposta->resumo, resposta->erro);
        } else {
            resposta->erro = erroBanco;
        }
        resposta->linhas = Montar(alunos, resposta->resumo);
    });
    connect(leitura_, &QThread::finished, this, [this, resposta] {
        erroAlunos_ = resposta->erroAlunos;
        Mostrar(resposta->ok, resposta->erro, std::move(resposta->linhas));
    });
    leitura_->start();
    txtNome_->setFocus();
}

JanelaRelatorio::~JanelaRelatorio()
{
    leitura_->wait();
    delete leitura_;
}

void JanelaRelatorio::Mostrar(bool ok, const QString &erro, QList<Linha> linhas)
{
    modelo_->Definir(std::move(linhas));
    carregado_ = true;
    AtualizarSituacao();
    if (!erroAlunos_.isEmpty()) {
        lblSituacao_->setText(erroAlunos_);
    } else if (!ok) {
        lblSituacao_->setText(QStringLiteral("O banco de resultados não respondeu (%1): os alunos aparecem sem "
                                             "os números das sessões.")
                                  .arg(erro));
    }
    emit Carregou();
}

void JanelaRelatorio::AtualizarSituacao()
{
    if (!carregado_)
        return;
    const int total = modelo_->rowCount();
    const int vistos = filtro_->rowCount();
    QString texto = total == 1 ? QStringLiteral("1 aluno") : QStringLiteral("%1 alunos").arg(total);
    if (vistos != total)
        texto += QStringLiteral(", %1 no filtro").arg(vistos);
    lblSituacao_->setText(texto);
}

QList<Linha> JanelaRelatorio::LinhasVisiveis() const
{
    QList<Linha> linhas;
    linhas.reserve(filtro_->rowCount());
    for (int i = 0; i < filtro_->rowCount(); ++i)
        linhas.append(modelo_->Em(filtro_->mapToSource(filtro_->index(i, 0)).row()));
    return linhas;
}

PaginasRelatorio JanelaRelatorio::Paginas() const
{
    PaginasRelatorio p;
    const QString escola = txtEscola_->text().trimmed();
    p.titulo = escola.isEmpty() ? kTitulo : QStringLiteral("%1 - %2").arg(escola, kTitulo);
    p.data = QStringLiteral("Emitido em %1").arg(QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")));
    for (int c = 0; c < kColunas; ++c) {
        p.colunas << Titulo(c);
        p.direita << Numerica(c);
    }
    for (const Linha &l : LinhasVisiveis()) {
        QStringList celulas;
        for (int c = 0; c < kColunas; ++c)
            celulas << Texto(l, c);
        p.linhas << celulas;
    }
    return p;
}

bool JanelaRelatorio::ExportarPlanilha(const QString &arquivo, QString &erro) const
{
    QSaveFile saida(arquivo);
    const QByteArray csv = Planilha(LinhasVisiveis());
    if (!saida.open(QIODevice::WriteOnly) || saida.write(csv) != csv.size() || !saida.commit()) {
        erro = QStringLiteral("Não foi possível gravar o arquivo %1: %2")
                   .arg(QDir::toNativeSeparators(arquivo), saida.errorString());
        return false;
    }
    return true;
}

void *JanelaRelatorio::Funcao(const char *nome) const
{
    // QLibrary keeps the module loaded for the rest of the run.
    QLibrary modulo(caminhoModulo.isEmpty() ? Plataforma::ModuloImpressao() : caminhoModulo);
    return reinterpret_cast<void *>(modulo.resolve(nome));
}

bool JanelaRelatorio::SalvarPdf(const QString &arquivo, QString &erro) const
{
    auto salvar = reinterpret_cast<Impressao::SalvarPdfFn>(Funcao(Impressao::kSalvarPdf));
    if (!salvar) {
        erro = QStringLiteral("A impressão não está disponível nesta instalação.");
        return false;
    }
    return salvar(Paginas(), arquivo, erro);
}

QString JanelaRelatorio::Escolher(const QString &titulo, const QString &nome, const QString &filtro)
{
    const QString inicial = QDir(QDir::homePath())
                                .filePath(QStringLiteral("%1-%2").arg(
                                    nome, QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"))));
    return QFileDialog::getSaveFileName(this, titulo, inicial, filtro);
}

void JanelaRelatorio::Exportar()
{
    const QString arquivo = Escolher(QStringLiteral("Exportar planilha"), QStringLiteral("relatorio-turma.csv"),
                                     QStringLiteral("Planilha (*.csv)"));
    QString erro;
    if (!arquivo.isEmpty() && !ExportarPlanilha(arquivo, erro))
        Mensagem::Critico(this, erro);
}

void JanelaRelatorio::Pdf()
{
    const QString arquivo = Escolher(QStringLiteral("Salvar PDF"), QStringLiteral("relatorio-turma.pdf"),
                                     QStringLiteral("PDF (*.pdf)"));
    QString erro;
    if (!arquivo.isEmpty() && !SalvarPdf(arquivo, erro))
        Mensagem::Critico(this, erro);
}

void JanelaRelatorio::Imprimir()
{
    auto imprimir = reinterpret_cast<Impressao::ImprimirFn>(Funcao(Impressao::kImprimir));
    if (!imprimir) {
        Mensagem::Critico(this, QStringLiteral("A impressão não está disponível nesta instalação."));
        return;
    }
    imprimir(this, Paginas());
}

void JanelaRelatorio::AbrirHistorico()
{
    const QModelIndex atual = vista_->currentIndex();
    if (!atual.isValid()) {
        Mensagem::Informacao(this, QStringLiteral("Escolha um aluno na lista."));
        return;
    }
    const Linha &l = modelo_->Em(filtro_->mapToSource(atual).row());
    ConfigBanco banco;
    QString erro;
    if (!ConfigBanco::Ler(digita_, banco, erro)) {
        Mensagem::Critico(this, erro);
        return;
    }
    MeuDesempenho historico(banco, l.codigo, this);
    historico.setWindowTitle(QStringLiteral("Desempenho de %1").arg(l.nome));
    historico.exec();
}
