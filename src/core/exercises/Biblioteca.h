#pragma once

#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

// The built-in course: six classes, each an ordered list of exercise texts ending with an
// end-of-class notice. Indices are 0-based; class 6 entries carry a time limit.
namespace Biblioteca {

constexpr int kClasses = 6;

// Real exercises of a class (47, 59, 49, 51, 18, 14); 0 for a class outside 1 to 6.
int QuantidadeExercicios(int classe);
// The same for every class of the course, class 1 first.
QList<int> ExerciciosPorClasse();

// Entries of a class: its exercises plus the end-of-class notice; 0 for a class outside 1 to 6.
int QuantidadeEntradas(int classe);

// The text of entry `indice` of `classe`: its lines, each followed by CR LF (the last one too).
// Empty when the entry does not exist (index beyond the class, or a class outside 1 to 6).
std::optional<QString> Texto(int classe, int indice);

// The time limit of entry `indice` of class 6 ("00:01:00"); an empty text for the end-of-class
// notice; empty optional beyond the table.
std::optional<QString> TempoClasse6(int indice);

// One entry of a class file: the text as the student types it (every line followed by CR LF) and,
// in class 6, its time limit ("HH:MM:SS", empty when the entry has none).
struct Entrada {
    QString texto;
    QString tempo;
};

// Reads the source of one class file (the format of src/core/exercises/data/classe*.txt). Reading stops
// at the first thing it cannot make sense of, so a damaged file yields the entries before the damage.
QList<Entrada> Interpretar(QStringView fonte);

} // namespace Biblioteca
