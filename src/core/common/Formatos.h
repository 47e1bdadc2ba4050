#pragma once

#include <QString>

// The number formats of the user interface and the files.

// A whole number in at least `digitos` digits with leading zeros: Formatar(7, 4) is "0007",
// Formatar(-5, 4) is "-0005".
QString Formatar(int numero, int digitos);

// The number-to-text form of the counters: one space before a number that is not negative (" 1"),
// the minus sign otherwise ("-1").
QString NumeroTexto(int numero);

// The numeric value of a text as the entry boxes read it: leading blanks skipped, blanks inside the
// number ignored, an optional sign, digits with one decimal point and an exponent; reading stops at
// the first other character. An empty or non-numeric text is 0.
double ValorNumerico(const QString &texto);

// A number rounded to a whole number, halves to the even neighbour (2.5 gives 2, 3.5 gives 4),
// clamped to the 32-bit range.
int ArredondarPar(double valor);

// ArredondarPar(ValorNumerico(texto)).
int ValorInteiro(const QString &texto);
