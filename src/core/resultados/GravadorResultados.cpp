#include "resultados/GravadorResultados.h"

#include "resultados/FilaResultados.h"

#include <QSysInfo>
#include <QUuid>

#include <memory>
#include <utility>

// The half that lives on the writer's thread: owns the store (and so its connection) and the spool.
class TrabalhadorResultados : public QObject {
    Q_OBJECT

public:
    TrabalhadorResultados(FabricaArmazem fabrica, QString caminhoFila)
        : fabrica_(std::move(fabrica))
        , fila_(std::move(caminhoFila))
    {}

    void Gravar(const ResultadoSessao &r)
    {
        QString erro;
        if (!GuardarMemoria() || !fila_.Vazia()) {
            // Results already wait: this one goes behind them, so that the order is kept.
            Guardar(r);
            Descarregar();
            return;
        }
        if (Conectar(erro) && armazem_->Gravar(r, erro)) {
            emit Gravado(r.chave);
            return;
        }
        Desconectar();
        Avisar(erro, Guardar(r));
    }

    void Descarregar()
    {
        QString erro;
        if (!GuardarMemoria() || fila_.Vazia())
            return;
        if (!Conectar(erro)) {
            Desconectar();
            return;
        }
        int gravados = 0;
        const bool ok = fila_.Descarregar(
            [this](const ResultadoSessao &r, QString &e) { return armazem_->Gravar(r, e); }, gravados, erro);
        if (gravados > 0)
            emit FilaGravada(gravados);
        if (!ok) {
            Desconectar();
            Avisar(erro, true);
        }
    }

    void NovaMatricula(int codigo, const QString &nome)
    {
        QString erro;
        if (!Conectar(erro) || !armazem_->NovaMatricula(codigo, nome, QDateTime::currentDateTime(), erro))
            Desconectar();
    }

signals:
    void Gravado(const QString &chave);
    void Guardado(const QString &chave);
    void FilaGravada(int quantos);
    void Falha(const QString &mensagem);

private:
    bool Conectar(QString &erro)
    {
        if (aberto_)
            return true;
        if (!armazem_)
            armazem_ = fabrica_();
        aberto_ = armazem_->Abrir(erro);
        return aberto_;
    }

    // A failed connection is dropped whole, so that the next result connects afresh.
    void Desconectar()
    {
        aberto_ = false;
        armazem_.reset();
    }

    void Avisar(const QString &erro, bool guardado)
    {
        if (avisado_)
            return;
        avisado_ = true;
        emit Falha(GravadorResultados::MensagemFalha(erro, guardado));
    }

    // True when the result is in the spool.
    bool Guardar(const ResultadoSessao &r)
    {
        QString erro;
        if (memoria_.isEmpty() && fila_.Acrescentar(r, erro)) {
            emit Guardado(r.chave);
            return true;
        }
        // Not even the spool can take it (a full disk): it waits here, for as long as the program
        // runs, and goes to the spool first thing when it can.
        memoria_.append(r);
        if (!erro.isEmpty())
            Avisar(erro, false);
        return false;
    }

    // Moves the results kept in memory to the spool; true when none is left in memory.
    bool GuardarMemoria()
    {
        while (!memoria_.isEmpty()) {
            QString erro;
            if (!fila_.Acrescentar(memoria_.first(), erro))
                return false;
            emit Guardado(memoria_.takeFirst().chave);
        }
        return true;
    }

    FabricaArmazem fabrica_;
    FilaResultados fila_;
    std::unique_ptr<ArmazemResultados> armazem_;
    bool aberto_ = false;
    bool avisado_ = false;
    QList<ResultadoSessao> memoria_;
};

GravadorResultados::GravadorResultados(FabricaArmazem fabrica, QString caminhoFila, QObject *pai)
    : QObject(pai)
    , trabalhador_(new TrabalhadorResultados(std::move(fabrica), std::move(caminhoFila)))
{
    qRegisterMetaType<ResultadoSessao>();
    thread_.setObjectName(QStringLiteral("GravadorResultados"));
    trabalhador_->moveToThread(&thread_);
    connect(trabalhador_, &TrabalhadorResultados::Gravado, this, &GravadorResultados::Gravado);
    connect(trabalhador_, &TrabalhadorResultados::Guardado, this, &GravadorResultados::Guardado);
    connect(trabalhador_, &TrabalhadorResultados::FilaGravada, this, &GravadorResultados::FilaGravada);
    connect(trabalhador_, &TrabalhadorResultados::Falha, this, &GravadorResultados::Falha);
    thread_.start();
}

GravadorResultados::~GravadorResultados()
{
    // Queued after every result handed over, so it runs once they are written or kept; the store
    // and its connection are destroyed on the thread that made them.
    QMetaObject::invokeMethod(
        trabalhador_, [t = trabalhador_] { delete t; }, Qt::BlockingQueuedConnection);
    thread_.quit();
    thread_.wait();
}

QString GravadorResultados::MensagemFalha(const QString &erro, bool guardado)
{
    if (!guardado)
        return QStringLiteral(
                   "O resultado não pôde ser gravado no banco de resultados nem guardado neste computador (%1).\n"
                   "O programa tentará de novo a cada sessão; não o feche antes de resolver o problema.")
            .arg(erro);
    return QStringLiteral("O resultado não pôde ser gravado no banco de resultados (%1).\n"
                          "Ele foi guardado neste computador e será gravado quando o banco voltar a responder.")
        .arg(erro);
}

void GravadorResultados::Gravar(ResultadoSessao resultado)
{
    if (resultado.chave.isEmpty())
        resultado.chave = QUuid::createUuid().toString(QUuid::WithoutBraces);
    if (resultado.computador.isEmpty())
        resultado.computador = QSysInfo::machineHostName();
    QMetaObject::invokeMethod(
        trabalhador_, [t = trabalhador_, resultado] { t->Gravar(resultado); }, Qt::QueuedConnection);
}

void GravadorResultados::Descarregar()
{
    QMetaObject::invokeMethod(
        trabalhador_, [t = trabalhador_] { t->Descarregar(); }, Qt::QueuedConnection);
}

void GravadorResultados::NovaMatricula(int codigo, const QString &nome)
{
    QMetaObject::invokeMethod(
        trabalhador_, [t = trabalhador_, codigo, nome] { t->NovaMatricula(codigo, nome); }, Qt::QueuedConnection);
}

#include "GravadorResultados.moc"
