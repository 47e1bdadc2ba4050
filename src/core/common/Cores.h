#pragma once

#include <QtGlobal>

// Colours as the files keep them: red in the low byte, then green, then blue, high byte 0.
using Cor = quint32;

constexpr Cor RGB(int r, int g, int b)
{
    return Cor(r & 0xFF) | (Cor(g & 0xFF) << 8) | (Cor(b & 0xFF) << 16);
}
constexpr int Vermelho(Cor c)
{
    return int(c & 0xFF);
}
constexpr int Verde(Cor c)
{
    return int((c >> 8) & 0xFF);
}
constexpr int Azul(Cor c)
{
    return int((c >> 16) & 0xFF);
}
