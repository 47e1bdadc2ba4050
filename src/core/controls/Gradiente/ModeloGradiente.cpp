#include "controls/Gradiente/ModeloGradiente.h"

#include "common/Formatos.h"

#include <QStringList>

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace {

constexpr int kMaiorContador = std::numeric_limits<qint16>::max();

std::array<qint16, 3> Componentes(Cor cor)
{
    return {qint16(Vermelho(cor)), qint16(Verde(cor)), qint16(Azul(cor))};
}

// Height over difference, to the nearest whole unit (halves to even). No difference, or a quotient
// that rounds to nothing, gives 0: that component stays where it starts rather than dividing by
// zero. Quotients beyond 16 bits (heights past the row counter) are held at its largest value.
qint16 Intervalo(int altura, int diferenca)
{
    if (diferenca == 0)
        return 0;
    const int q = ArredondarPar(double(altura) / double(diferenca));
    if (q <= 0)
        return 0;
    return qint16(std::min(q, kMaiorContador));
}

} // namespace

qint16 ModeloGradiente::ValorMaior(const qint16 &X1, const qint16 &X2, const qint16 &X3)
{
    // The tests run in this order and a later one that holds overrides an earlier one; that is
    // what settles the ties.
    qint16 resultado = 0;
    if (X1 == X2 && X2 == X3) {
        resultado = X1;
        indiceMaior_ = 0;
    }
    if (X1 > X3 && X1 > X2) {
        resultado = X1;
        indiceMaior_ = 0;
    }
    if (X2 > X3 && X2 > X1) {
        resultado = X2;
        indiceMaior_ = 1;
    }
    if (X3 > X2 && X3 > X1) {
        resultado = X3;
        indiceMaior_ = 2;
    }
    if (X2 == X3 && X2 > X1) {
        resultado = X2;
        indiceMaior_ = 1;
    }
    if (X2 > X3 && X1 == X2) {
        resultado = X2;
        indiceMaior_ = 1;
    }
    if (X1 == X3 && X1 > X2) {
        resultado = X1;
        indiceMaior_ = 0;
    }
    return resultado;
}

ModeloGradiente::Passos ModeloGradiente::Calcular(int alturaTwips)
{
    Passos p;
    p.inicio = Componentes(corInicial_);
    const std::array<qint16, 3> fim = Componentes(corFinal_);
    for (int k = 0; k < 3; ++k) {
        const int diferenca = fim[k] - p.inicio[k];
        p.direcao[k] = diferenca < 0 ? -1 : 1;
        p.diferenca[k] = qint16(std::abs(diferenca));
    }
    const qint16 maior = ValorMaior(p.diferenca[0], p.diferenca[1], p.diferenca[2]);
    p.intervalo[indiceMaior_] = Intervalo(alturaTwips, maior);
    for (int j = 0; j < 3; ++j) {
        if (j != indiceMaior_)
            p.intervalo[j] = Intervalo(alturaTwips, p.diferenca[j]);
    }
    return p;
}

QList<Cor> ModeloGradiente::CoresDasLinhas(int alturaTwips)
{
    const Passos p = Calcular(alturaTwips);
    QList<Cor> linhas;
    if (alturaTwips < 0)
        return linhas;
    linhas.reserve(alturaTwips / kTwipsPorLinha + 1);

    std::array<int, 3> atual{p.inicio[0], p.inicio[1], p.inicio[2]};
    const int ultima = std::min(alturaTwips, kMaiorContador);
    for (int i = 0; i <= ultima; ++i) {
        if (i % kTwipsPorLinha == 0)
            linhas.append(RGB(atual[0], atual[1], atual[2]));
        for (int k = 0; k < 3; ++k) {
            if (p.intervalo[k] == 0 || i % p.intervalo[k] != 0)
                continue;
            if (p.direcao[k] > 0 && atual[k] < 255)
                ++atual[k];
            else if (p.direcao[k] < 0 && atual[k] > 0)
                --atual[k];
        }
    }
    const Cor ultimaCor = linhas.last();
    while (linhas.size() < alturaTwips / kTwipsPorLinha + 1)
        linhas.append(ultimaCor);
    return linhas;
}
