#include "config/MarcaErros.h"

#include "access/ArquivoDatilux.h"

MarcaErros MarcaErros::Ler(Digita &d)
{
    MarcaErros m;
    QString marcar, cor, erro;
    if (!ArquivoDatilux::LerConfig(d, kChaveMarcar, marcar, erro)
        || !ArquivoDatilux::LerConfig(d, kChaveCor, cor, erro))
        return m;
    m.marcar = marcar.trimmed() == QStringLiteral("1");
    bool ok = false;
    const qint64 valor = cor.trimmed().toLongLong(&ok);
    if (ok && valor >= 0 && valor <= 0xFFFFFF)
        m.cor = Cor(valor);
    return m;
}

bool MarcaErros::Gravar(Digita &d, QString &erro) const
{
    return ArquivoDatilux::GravarConfig(d, kChaveMarcar, marcar ? QStringLiteral("1") : QStringLiteral("0"), erro)
           && ArquivoDatilux::GravarConfig(d, kChaveCor, QString::number(cor), erro);
}
