#pragma once

#include <cmath>

// Window geometry is kept in twips, as designed: 1440 per inch, 15 per pixel at 96 dpi.
namespace Twips {

constexpr int kPorPixel = 15;

// Twips to whole pixels, rounded to the nearest pixel.
inline int px(double twips)
{
    return int(std::lround(twips / kPorPixel));
}

constexpr double twips(int pixels)
{
    return double(pixels) * kPorPixel;
}

} // namespace Twips
