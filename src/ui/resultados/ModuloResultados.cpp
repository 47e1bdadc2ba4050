#include "resultados/ModuloResultados.h"

#include "common/Plataforma.h"

#include <QLibrary>

#include <mutex>

namespace {

// What stands in for the store when the module is missing or broken.
class ArmazemIndisponivel : public ArmazemResultados {
public:
    bool Abrir(QString &erro) override { return Falhar(erro); }
    bool Gravar(const ResultadoSessao &, QString &erro) override { return Falhar(erro); }
    bool NovaMatricula(int, const QString &, const QDateTime &, QString &erro) override { return Falhar(erro); }
    bool Resumo(QList<ResumoAluno> &, QString &erro) override { return Falhar(erro); }
    bool SessoesDoAluno(int, QList<ResultadoSessao> &, QString &erro) override { return Falhar(erro); }
    bool ErrosDoAluno(int, QMap<QChar, int> &, QString &erro) override { return Falhar(erro); }
    bool ApagarAluno(int, const QString &, QString &erro) override { return Falhar(erro); }

private:
    static bool Falhar(QString &erro)
    {
        erro = ModuloResultados::kIndisponivel;
        return false;
    }
};

QString Caminho()
{
    return ModuloResultados::caminhoModulo.isEmpty() ? Plataforma::ModuloResultados()
                                                     : ModuloResultados::caminhoModulo;
}

std::unique_ptr<ArmazemResultados> CriarDe(const QString &caminho, const ConfigBanco &config)
{
    // QLibrary keeps the module loaded for the rest of the run: the next store costs nothing more.
    QLibrary modulo(caminho);
    auto criar = reinterpret_cast<ModuloArmazem::CriarFn>(modulo.resolve(ModuloArmazem::kCriar));
    if (!criar) {
        // The user reads kIndisponivel; the loader's own reason goes to the log, once a run.
        static std::once_flag avisado;
        std::call_once(avisado, [&modulo] { qWarning("datilux: %s", qPrintable(modulo.errorString())); });
        return std::make_unique<ArmazemIndisponivel>();
    }
    return std::unique_ptr<ArmazemResultados>(criar(config));
}

} // namespace

std::unique_ptr<ArmazemResultados> ModuloResultados::Criar(const ConfigBanco &config)
{
    return CriarDe(Caminho(), config);
}

FabricaArmazem ModuloResultados::Fabrica(const ConfigBanco &config)
{
    return [caminho = Caminho(), config] { return CriarDe(caminho, config); };
}
