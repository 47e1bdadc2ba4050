#include "app/Sessao.h"

#include "common/Formatos.h"

#include <QRegularExpression>

namespace Sessao {

namespace {
constexpr int kDia = 24 * 60 * 60;
}

int SegundosEntre(QTime inicio, QTime fim)
{
    const int s = inicio.secsTo(fim);
    return s < 0 ? s + kDia : s;
}

QString TempoTotal(int segundos)
{
    const int s = qMax(0, segundos);
    return Formatar(s / 3600, 2) + u':' + Formatar(s / 60 % 60, 2) + u':' + Formatar(s % 60, 2);
}

std::optional<int> SegundosDe(const QString &texto)
{
    static const QRegularExpression kHora(QStringLiteral("^\\s*(\\d{1,2}):(\\d{2}):(\\d{2})\\s*$"));
    const auto m = kHora.match(texto);
    if (!m.hasMatch())
        return std::nullopt;
    const int h = m.captured(1).toInt();
    const int min = m.captured(2).toInt();
    const int s = m.captured(3).toInt();
    if (h > 23 || min > 59 || s > 59)
        return std::nullopt;
    return h * 3600 + min * 60 + s;
}

bool Incompleto(int tamanhoPassagem, int tamanhoDigitado)
{
    return double(tamanhoPassagem) / 1.3 > double(tamanhoDigitado);
}

Veredito Avaliar(int erros, int segundosTotal, const QString &limite)
{
    const std::optional<int> max = SegundosDe(limite);
    if (!max)
        return Veredito::Nenhum;
    return erros == 0 && segundosTotal <= *max ? Veredito::Aprovado : Veredito::Reprovado;
}

AparenciaCaps IndicadorCaps::Tique(bool capsAtivo)
{
    if (!capsAtivo) {
        vermelho_ = false;
        return kCapsBranco;
    }
    if (faseCaps_) {
        faseCaps_ = false;
        vermelho_ = false;
        return kCapsBranco;
    }
    faseCaps_ = true;
    vermelho_ = true;
    return kCapsVermelho;
}

} // namespace Sessao
