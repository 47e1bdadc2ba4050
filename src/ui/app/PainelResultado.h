#pragma once

#include "common/ResultadoSessao.h"

#include <QFrame>

#include <optional>

class FlatButton;
class QLabel;

// The result of the session just finished, inside the main window over the input box (which has
// nothing more to take once the session is over): time, speed, accuracy, errors, the keys most
// often missed, the student's previous best on the exercise and, for a timed exercise, why the
// verdict was given. It never takes the focus nor a key: the window's keys do what they always did.
// The window hides it at the next start or load; its own button closes it.
class PainelResultado : public QFrame {
    Q_OBJECT

public:
    explicit PainelResultado(QWidget *pai);

    // A finished session; `limite` is the time limit of a timed exercise ("HH:MM:SS"), empty otherwise.
    void Mostrar(const ResultadoSessao &r, const QString &limite);
    // The best speed of the student's earlier sessions on this exercise, once the store answered
    // (nullopt: none before; `disponivel` false: the store could not be reached). Ignored when it
    // is not about the result on view.
    void DefinirMelhor(const QString &chave, bool disponivel, std::optional<double> melhorPpm);

    // The lines on view, for whoever reads them without a screen.
    QString Texto() const;

    // Why a timed exercise passed or failed.
    static QString MotivoVeredito(const ResultadoSessao &r, const QString &limite);
    // The keys most often missed, most first: "a (2), Enter (1)"; empty when none.
    static QString TeclasMaisErradas(const QMap<QChar, int> &erros, int quantas = 3);

private:
    void Atualizar();

    QLabel *texto_ = nullptr;
    FlatButton *btnFechar_ = nullptr;
    ResultadoSessao resultado_;
    QString limite_;
    enum class Melhor { Consultando, Conhecido, Indisponivel } estadoMelhor_ = Melhor::Consultando;
    std::optional<double> melhor_;
};
