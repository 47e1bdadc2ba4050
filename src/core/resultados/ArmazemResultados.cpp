#include "resultados/ArmazemResultados.h"

#include "access/ArquivoDatilux.h"
#include "common/ArquivoDados.h"
#include "common/Cp1252.h"
#include "common/Digita.h"

#include <utility>

bool ConfigBanco::Ler(Digita &d, ConfigBanco &config, QString &erro)
{
    config = ConfigBanco();
    config.arquivo = d.Caminho(ArmazemResultados::kNomeArquivo);
    QString tipo, porta;
    if (!ArquivoDatilux::LerConfig(d, kChaveTipo, tipo, erro)
        || !ArquivoDatilux::LerConfig(d, kChaveServidor, config.servidor, erro)
        || !ArquivoDatilux::LerConfig(d, kChavePorta, porta, erro)
        || !ArquivoDatilux::LerConfig(d, kChaveNome, config.nome, erro)
        || !ArquivoDatilux::LerConfig(d, kChaveUsuario, config.usuario, erro)
        || !ArquivoDatilux::LerConfig(d, kChaveSenha, config.senha, erro))
        return false;
    // Anything but "postgresql" (absent, empty, a typo) keeps the results beside the data files:
    // a school that never configured a server must not lose its results.
    if (tipo.trimmed().compare(kTipoPostgresql, Qt::CaseInsensitive) == 0)
        config.tipo = Tipo::PostgreSQL;
    bool ok = false;
    const int p = porta.trimmed().toInt(&ok);
    if (ok && p > 0 && p < 65536)
        config.porta = p;
    return true;
}

bool ConfigBanco::Gravar(Digita &d, QString &erro) const
{
    const QString caminho = d.Caminho(ArquivoDatilux::kNomeArquivo);
    const std::pair<QString, QString> entradas[] = {
        {kChaveTipo, tipo == Tipo::PostgreSQL ? kTipoPostgresql : kTipoSqlite},
        {kChaveServidor, servidor},
        {kChavePorta, QString::number(porta)},
        {kChaveNome, nome},
        {kChaveUsuario, usuario},
        {kChaveSenha, senha},
    };
    for (const auto &[chave, valor] : entradas) {
        const QString motivo = ArquivoDatilux::MotivoRecusa(QStringLiteral("O valor de %1").arg(chave), valor);
        if (!motivo.isEmpty()) {
            erro = ArquivoDados::ErroGravar(caminho, motivo);
            return false;
        }
    }
    // All keys in one whole write: a failure leaves the file as it was, never half configured.
    QByteArray texto;
    if (!ArquivoDados::CriarSeAusente(caminho, erro) || !ArquivoDados::LerArquivo(caminho, texto, erro))
        return false;
    for (const auto &[chave, valor] : entradas)
        ArquivoDatilux::DefinirValor(texto, ArquivoDatilux::Embaralhar(Cp1252::codificar(chave)),
                                     ArquivoDatilux::Embaralhar(Cp1252::codificar(valor)));
    if (!ArquivoDados::SalvarInteiro(caminho, texto, erro))
        return false;
    d.TextoConfig = texto;
    return true;
}
