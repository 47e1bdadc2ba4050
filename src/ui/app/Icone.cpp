// Writes the program's icon as a PNG file (for the desktop launcher of an installation). Run at build
// time: datilux-icone <file.png> [size]

#include "shared/Logotipo.h"

#include <QGuiApplication>

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc < 2)
        return 2;
    const int lado = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 256;
    return Logotipo::Emblema(lado).save(QString::fromLocal8Bit(argv[1]), "PNG") ? 0 : 1;
}
