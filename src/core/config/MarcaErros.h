#pragma once

#include "common/Cores.h"

#include <QString>

class Digita;

// The marking of wrong letters: when on, a character typed wrong shows in its own colour in the
// passage until it is erased. Kept in the settings store Datilux.arq, not in Config.arq, whose
// record has no room for it; off by default, so that the passage colours as it always did.
struct MarcaErros {
    static inline const QString kChaveMarcar = QStringLiteral("MarcarErros");
    static inline const QString kChaveCor = QStringLiteral("CorErros");
    static constexpr Cor kCorPadrao = RGB(255, 0, 0);

    bool marcar = false;
    Cor cor = kCorPadrao; // red + 256 × green + 65536 × blue, as Config.arq keeps its colours

    // What the settings store holds; a store that cannot be read leaves the marking off.
    static MarcaErros Ler(Digita &d);
    bool Gravar(Digita &d, QString &erro) const;
};
