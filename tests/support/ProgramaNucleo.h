#pragma once

#include <QList>
#include <QTest>

#include <utility>

// The core's tests share one program, linked with datilux_core and Qt Test only: a test that reaches
// for a widget fails to build. Each test file registers its class with DATILUX_TESTE_NUCLEO instead of
// a main of its own; the program runs the class named first on its command line (the other arguments
// go to Qt Test as usual), or every class.
namespace ProgramaNucleo {

using Rodar = int (*)(int argc, char **argv);

inline QList<std::pair<const char *, Rodar>> &Classes()
{
    static QList<std::pair<const char *, Rodar>> classes;
    return classes;
}

struct Registro {
    Registro(const char *nome, Rodar rodar) { Classes().append({nome, rodar}); }
};

} // namespace ProgramaNucleo

#define DATILUX_TESTE_NUCLEO(Classe)                                                                              \
    static const ProgramaNucleo::Registro registro##Classe(#Classe, [](int argc, char **argv) {                   \
        Classe teste;                                                                                             \
        return QTest::qExec(&teste, argc, argv);                                                                  \
    });
