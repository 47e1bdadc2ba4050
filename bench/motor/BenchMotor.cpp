// Cost of the typing engine per key: a 40-line passage of 2,440 characters typed key by key (every
// character, Enter at each line end), in lock mode and in normal mode. Prints the median over many
// runs of the cost per key, in nanoseconds.

#include "app/MotorDigitacao.h"
#include "common/Digita.h"

#include <QtGlobal>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

QString Passagem()
{
    const QString palavras = QStringLiteral("teclado letra linha texto dedo mesa papel caneta livro janela ");
    QString t;
    int p = 0;
    for (int l = 0; l < 40; ++l) {
        QString linha;
        while (linha.size() < 59) {
            linha += palavras[p % palavras.size()];
            ++p;
        }
        t += linha.trimmed().leftJustified(59, u'x') + QStringLiteral("\r\n");
    }
    return t;
}

double NsPorTecla(bool trava, const QString &passagem)
{
    Digita digita(QStringLiteral("."));
    digita.TravaNoErro = trava;
    digita.SomNoErro = false;
    MotorDigitacao motor(digita);

    std::vector<int> teclas;
    for (int i = 0; i < passagem.size(); ++i) {
        if (passagem[i] == u'\n')
            continue;
        teclas.push_back(passagem[i] == u'\r' ? MotorDigitacao::kEnter : passagem[i].unicode());
    }

    std::vector<double> amostras;
    volatile int sink = 0;
    for (int rodada = 0; rodada < 300; ++rodada) {
        motor.Zerar(passagem, false);
        motor.MontarLinhas(passagem);
        int caret = 0;
        const auto t0 = std::chrono::steady_clock::now();
        for (int k : teclas) {
            const auto r = motor.TeclaPressionada(k, caret, false);
            if (r.finalizar)
                break;
            if (!r.descartar) {
                ++caret;
                sink = sink + int(motor.Mudanca().mostrarErros);
            }
        }
        const auto t1 = std::chrono::steady_clock::now();
        amostras.push_back(std::chrono::duration<double, std::nano>(t1 - t0).count() / double(teclas.size()));
        if (motor.Erros != 0)
            std::fprintf(stderr, "unexpected errors: %d\n", motor.Erros);
    }
    std::nth_element(amostras.begin(), amostras.begin() + amostras.size() / 2, amostras.end());
    return amostras[amostras.size() / 2];
}

} // namespace

int main()
{
    const QString passagem = Passagem();
    std::printf("engine: passage of %lld characters over 40 lines\n", static_cast<long long>(passagem.size()));
    std::printf("engine: lock mode    median %.0f ns per key\n", NsPorTecla(true, passagem));
    std::printf("engine: normal mode  median %.0f ns per key\n", NsPorTecla(false, passagem));
    return 0;
}
