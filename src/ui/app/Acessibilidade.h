#pragma once

// What screen readers learn of the program's own widgets: the flat buttons are buttons with their
// caption and tip, and the passage and the input box give their text and caret through Qt's
// accessibility text interface. Installed once, before the first window.
namespace Acessibilidade {

void Instalar();

} // namespace Acessibilidade
