#pragma once

#include <QWidget>

#include <functional>

// Acts on the next modal window as soon as it is on screen and active: the test schedules the action, then
// triggers the code that opens the window; the action runs inside the window's own event loop and
// must close it (accept, reject, close, or keys that do).
//
// `tipo` filters by class name (QObject::metaObject()->className()); empty matches any modal window.
// The action runs once. If no such window opens within `limiteMs`, nothing happens.
void AoAbrirModal(const QString &tipo, std::function<void(QWidget *)> acao, int limiteMs = 5000);

// The same for a window type known at compile time.
template <class T>
void AoAbrirModal(std::function<void(T *)> acao, int limiteMs = 5000)
{
    AoAbrirModal(
        QString::fromLatin1(T::staticMetaObject.className()), [acao](QWidget *w) { acao(static_cast<T *>(w)); },
        limiteMs);
}
