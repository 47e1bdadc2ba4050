#include "support/ProgramaNucleo.h"

#include <QCoreApplication>

#include <cstring>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QList<std::pair<const char *, ProgramaNucleo::Rodar>> &classes = ProgramaNucleo::Classes();
    if (argc > 1) {
        for (const auto &[nome, rodar] : classes) {
            if (std::strcmp(nome, argv[1]) == 0) {
                // Qt Test reads the program's name from the first argument: the class's name takes
                // its place.
                argv[1] = argv[0];
                return rodar(argc - 1, argv + 1);
            }
        }
    }
    int falhas = 0;
    for (const auto &[nome, rodar] : classes)
        falhas += rodar(argc, argv);
    return falhas;
}
