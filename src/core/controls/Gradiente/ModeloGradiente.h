#pragma once

#include "common/Cores.h"

#include <QList>

#include <array>

// The arithmetic of a window's vertical gradient: from CorInicial at the top to CorFinal at the
// bottom, one colour per pixel row. Each component steps by one at every multiple of its own
// interval, so that it moves by about its difference over the height.
class ModeloGradiente {
public:
    // Colours a design that stores nothing gets.
    static constexpr Cor kCorInicialPadrao = RGB(220, 235, 253);
    static constexpr Cor kCorFinalPadrao = RGB(158, 192, 244);
    // The top colour every window of the program uses (with the default bottom colour).
    static constexpr Cor kCorInicialJanelas = RGB(219, 234, 252);
    // Heights are in twips; one row is drawn every 15 (one per pixel row).
    static constexpr int kTwipsPorLinha = 15;

    // The figures of one painting, per component (0 red, 1 green, 2 blue).
    struct Passos {
        std::array<qint16, 3> inicio{};
        std::array<qint16, 3> diferenca{}; // absolute
        std::array<qint16, 3> direcao{}; // +1 or -1
        // Units of height between two steps; 0 for a component that does not move (equal start
        // and end, or a height under half its difference).
        std::array<qint16, 3> intervalo{};
    };

    Cor CorInicial() const { return corInicial_; }
    void DefinirCorInicial(Cor cor) { corInicial_ = cor; }
    Cor CorFinal() const { return corFinal_; }
    void DefinirCorFinal(Cor cor) { corFinal_ = cor; }

    // The largest of three values. Ties go to X1 against X3, to X2 against X1 or X3, and to X1
    // when all three are equal; IndiceMaior tells which one (0, 1 or 2) was chosen.
    qint16 ValorMaior(const qint16 &X1, const qint16 &X2, const qint16 &X3);
    qint16 IndiceMaior() const { return indiceMaior_; }

    // Differences, directions and intervals for a height in twips (sets IndiceMaior).
    Passos Calcular(int alturaTwips);

    // The colour of every drawn row: rows at 0, 15, 30 … up to the height (in twips), so a height of
    // n pixels gives n + 1 rows, the last one just below the window. The row counter is 16 bits:
    // rows past 32767 keep the last colour.
    QList<Cor> CoresDasLinhas(int alturaTwips);

private:
    Cor corInicial_ = kCorInicialPadrao;
    Cor corFinal_ = kCorFinalPadrao;
    qint16 indiceMaior_ = 0;
};
