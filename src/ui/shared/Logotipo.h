#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>

// The program's own emblem, drawn at run time: a key cap with the letter D. The window icon and the
// maker's logo in the corner of the main window.
namespace Logotipo {

// The emblem alone, `lado` pixels square.
QPixmap Emblema(int lado);

// The window icon, at the sizes desktops ask for.
QIcon Icone();

// The maker's logo for the main window's corner: the emblem beside the name.
QPixmap Marca(QSize tamanho);

} // namespace Logotipo
