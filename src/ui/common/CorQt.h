#pragma once

// Conversions between the file colours and Qt's (widget code only: QColor lives in Qt GUI).

#include "common/Cores.h"

#include <QColor>

inline QColor CorQt(Cor c)
{
    return QColor(Vermelho(c), Verde(c), Azul(c));
}

inline Cor CorDe(const QColor &c)
{
    return RGB(c.red(), c.green(), c.blue());
}
