#pragma once

#include <QColor>
#include <QPalette>
#include <QWidget>

// The colours of a widget that shows a plain background of its own (labels, frames, check boxes):
// the background, and the text colour when one is given (an invalid colour keeps the present one).
// The widget fills its background from then on, or the colour would not show.
inline void PintarFundo(QWidget *w, const QColor &fundo, const QColor &texto = QColor())
{
    QPalette p = w->palette();
    p.setColor(QPalette::Window, fundo);
    if (texto.isValid())
        p.setColor(QPalette::WindowText, texto);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}
