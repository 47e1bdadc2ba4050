// Any bytes as Datilux.arq: searching never crashes, and a value stored under a key is the value
// read back, whatever the rest of the text holds.
#include "access/ArquivoDatilux.h"
#include "common/ArquivoDados.h"
#include "common/Cp1252.h"

#include <QBuffer>

namespace {

QByteArray Emb(const QString &texto)
{
    return ArquivoDatilux::Embaralhar(Cp1252::codificar(texto));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *dados, size_t tamanho)
{
    QByteArray original(reinterpret_cast<const char *>(dados), qsizetype(tamanho));
    QBuffer buffer(&original);
    buffer.open(QIODevice::ReadOnly);
    QByteArray texto;
    QString motivo;
    if (!ArquivoDados::LerTudo(buffer, texto, motivo) || texto != original)
        __builtin_trap();

    for (const QString &chave : {ArquivoDatilux::kChaveSenhaAdm, ArquivoDatilux::kChaveMostrarSenha}) {
        ArquivoDatilux::BuscarValor(texto, Emb(chave));
        // The value is taken from the input itself, so that odd bytes get stored too; values
        // the store refuses are skipped.
        const QString valor = Cp1252::decodificar(original.left(12));
        if (!ArquivoDatilux::MotivoRecusa(QStringLiteral("O valor"), valor).isEmpty())
            continue;
        QByteArray novo = texto;
        ArquivoDatilux::DefinirValor(novo, Emb(chave), Emb(valor));
        if (ArquivoDatilux::BuscarValor(novo, Emb(chave)) != Emb(valor))
            __builtin_trap();
    }
    return 0;
}
