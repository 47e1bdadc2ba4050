#pragma once

class QCoreApplication;

// Qt's own texts (the colour and font choosers, the standard buttons, the text boxes' menus) in
// Portuguese, as the rest of the program speaks.
namespace Traducoes {

// Installs Qt's Brazilian Portuguese translations from Qt's own translations folder. False when
// they are not installed there: Qt's texts then stay in English, and nothing else changes.
bool Instalar(QCoreApplication &app);

} // namespace Traducoes
