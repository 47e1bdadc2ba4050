#pragma once

#include "common/Cores.h"

#include <QString>
#include <QTime>

#include <optional>

// The session clock and the verdict, free of widgets.
namespace Sessao {

// Whole seconds from `inicio` to `fim`, two times of day. A session that runs across midnight counts
// forward into the next day.
int SegundosEntre(QTime inicio, QTime fim);

// The elapsed-time label: "00:02:05" for 125 seconds; hours once an hour has passed ("01:05:00").
QString TempoTotal(int segundos);

// A time-of-day text "HH:MM:SS" (or "H:MM:SS") read as a duration in seconds; nothing when it is not
// a time of day (an empty limit, for instance).
std::optional<int> SegundosDe(const QString &texto);

// The completeness rule: with both lengths counting every line break as two characters, the exercise
// is incomplete when the passage's length divided by 1.3 exceeds what was typed.
bool Incompleto(int tamanhoPassagem, int tamanhoDigitado);

enum class Veredito { Nenhum, Aprovado, Reprovado };

// The verdict of a timed exercise: passed with no error and a total time not above the limit. An
// entry without a limit (the end-of-class notice) gets no verdict.
Veredito Avaliar(int erros, int segundosTotal, const QString &limite);

inline const QString kAprovado = QStringLiteral("Parabéns, você foi aprovado!");
inline const QString kReprovado = QStringLiteral("Infelizmente você foi reprovado!");
inline const QString kIncompleto = QStringLiteral("Reprovado - Exercício incompleto!");
inline const QString kCarregar = QStringLiteral("Favor carregar exercício!");
inline const QString kFocoSemSessao = QStringLiteral("Pressione primeiramente Ctrl+C !");

// The errors label's background: dark red, and bright red from a key lock mode refused until the
// next timer tick.
inline constexpr Cor kFundoErros = RGB(128, 0, 0);
inline constexpr Cor kFundoErrosPiscando = RGB(255, 0, 0);

// How the CAPS LOCK indicator looks after a timer tick.
struct AparenciaCaps {
    Cor fundo;
    Cor texto;
    bool negrito;
    friend bool operator==(const AparenciaCaps &, const AparenciaCaps &) = default;
};

inline constexpr AparenciaCaps kCapsBranco{RGB(255, 255, 255), RGB(0, 0, 0), false};
inline constexpr AparenciaCaps kCapsVermelho{RGB(200, 0, 0), RGB(255, 255, 0), true};

// The CAPS LOCK indicator, driven by the half-second timer: while CAPS LOCK is on it blinks red and
// white, otherwise it stays white.
class IndicadorCaps {
public:
    AparenciaCaps Tique(bool capsAtivo);
    // The indicator shows its red phase right now (what the caps warning of lock mode asks).
    bool Vermelho() const { return vermelho_; }

private:
    bool faseCaps_ = false;
    bool vermelho_ = false;
};

} // namespace Sessao
