#pragma once

#include "common/Relogio.h"

// A clock that shows whatever time the test sets.
class RelogioManual : public Relogio {
public:
    explicit RelogioManual(QTime hora = QTime(8, 0, 0))
        : hora_(hora)
    {}
    QTime Agora() const override { return hora_; }
    void Definir(QTime hora) { hora_ = hora; }
    void Avancar(int segundos) { hora_ = hora_.addSecs(segundos); }

private:
    QTime hora_;
};
