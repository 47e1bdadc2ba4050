// Any bytes as Config.arq: reading never crashes, a record read goes back to exactly its bytes, and
// what the main window takes from it is derived without surprises.
#include "config/ArquivoConfig.h"

#include <QBuffer>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *dados, size_t tamanho)
{
    const QByteArray original(reinterpret_cast<const char *>(dados), qsizetype(tamanho));
    QByteArray conteudo = original;
    QBuffer buffer(&conteudo);
    buffer.open(QIODevice::ReadOnly);
    std::optional<ConfigRec> rec;
    QString motivo;
    if (!ArquivoConfig::LerRegistro(buffer, rec, motivo) || rec.has_value() != (tamanho >= 54))
        __builtin_trap();
    const ArquivoConfig::Efeito efeito = ArquivoConfig::Derivar(rec);
    if (efeito.TamanhoFonte < 0 || efeito.AplicarAparencia != rec.has_value())
        __builtin_trap();
    if (rec) {
        QByteArray bytes;
        if (!ArquivoConfig::Codificar(*rec, bytes, motivo) || bytes != original.left(54))
            __builtin_trap();
    }
    if (conteudo != original)
        __builtin_trap();
    return 0;
}
