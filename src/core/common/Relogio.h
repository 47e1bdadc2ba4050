#pragma once

#include <QTime>

// The time of day, as the session clock reads it. Tests put a clock of their own in its place.
class Relogio {
public:
    virtual ~Relogio() = default;
    virtual QTime Agora() const { return QTime::currentTime(); }
};
