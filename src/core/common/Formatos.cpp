#include "common/Formatos.h"

#include <cmath>
#include <limits>

QString Formatar(int numero, int digitos)
{
    const qint64 n = numero;
    const QString corpo = QString::number(n < 0 ? -n : n).rightJustified(digitos, u'0');
    return n < 0 ? u'-' + corpo : corpo;
}

QString NumeroTexto(int numero)
{
    return numero < 0 ? QString::number(numero) : u' ' + QString::number(numero);
}

double ValorNumerico(const QString &texto)
{
    QString limpo;
    limpo.reserve(texto.size());
    bool temDigito = false;
    bool temPonto = false;
    bool temExpoente = false;
    bool inicioExpoente = false;
    for (int i = 0; i < texto.size(); ++i) {
        const QChar c = texto[i];
        if (c == u' ' || c == u'\t' || c == u'\n' || c == u'\r')
            continue;
        if (c.unicode() < 128 && c.isDigit()) {
            limpo += c;
            temDigito = true;
            inicioExpoente = false;
        } else if ((c == u'+' || c == u'-') && (limpo.isEmpty() || inicioExpoente)) {
            limpo += c;
            inicioExpoente = false;
        } else if (c == u'.' && !temPonto && !temExpoente) {
            limpo += c;
            temPonto = true;
        } else if ((c == u'e' || c == u'E' || c == u'd' || c == u'D') && temDigito && !temExpoente) {
            limpo += u'e';
            temExpoente = true;
            inicioExpoente = true;
        } else {
            break;
        }
    }
    if (!temDigito)
        return 0.0;
    // An exponent without digits ("12e") counts as no exponent.
    while (!limpo.isEmpty() && (limpo.back() == u'e' || limpo.back() == u'+' || limpo.back() == u'-'))
        limpo.chop(1);
    bool ok = false;
    const double v = limpo.toDouble(&ok);
    return ok && std::isfinite(v) ? v : 0.0;
}

int ArredondarPar(double valor)
{
    if (std::isnan(valor))
        return 0;
    const double r = std::nearbyint(valor);
    if (r >= double(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (r <= double(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return static_cast<int>(r);
}

int ValorInteiro(const QString &texto)
{
    return ArredondarPar(ValorNumerico(texto));
}
