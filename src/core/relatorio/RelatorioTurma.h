#pragma once

#include "common/Registros.h"
#include "resultados/ArmazemResultados.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QVariant>

#include <optional>

// "Relatório da turma": one row per registered student, the register's place joined with the
// results store's totals of the student's current registration. Qt Core only: the window, the
// spreadsheet and the printout all read the same rows and the same texts.
namespace RelatorioTurma {

inline const QString kTitulo = QStringLiteral("Relatório da turma");

struct Linha {
    int codigo = 0;
    QString nome;
    int classe = 0;
    int exercicio = 0;
    int sessoes = 0;
    qint64 segundos = 0;
    QDateTime ultimaSessao;
    std::optional<double> ultimaPpm;
    std::optional<double> melhorPpm;
    std::optional<double> precisaoRecente; // mean of the 10 most recent sessions
    int aprovados = 0;
    int reprovados = 0;
};

enum Coluna {
    kCodigo,
    kNome,
    kClasse,
    kExercicio,
    kSessoes,
    kTempo,
    kUltimaSessao,
    kUltimaPpm,
    kMelhorPpm,
    kPrecisao,
    kAprovados,
    kReprovados,
    kColunas
};

// The column's heading ("Cód", "Nome", ...).
QString Titulo(int coluna);
// Right-aligned columns: the figures.
bool Numerica(int coluna);

// The register's students (blank slots left out, in code order) with their totals; a student with
// no session in the store has a row of zeros and blanks.
QList<Linha> Montar(const QList<Aluno> &alunos, const QList<ResumoAluno> &resumo);

// The cell as the window and the printout show it: "01:02:05", "182", "96,5%", the date as
// dd/mm/aaaa; a figure the student has none of is empty.
QString Texto(const Linha &l, int coluna);
// What the column sorts by (numbers as numbers, dates as dates).
QVariant Chave(const Linha &l, int coluna);

// The rows as a spreadsheet in Portuguese: UTF-8 with a byte-order mark, ';' between fields, CRLF
// line ends, decimal comma, dates as dd/mm/aaaa, the headings first; a field holding ';', '"' or a
// line break is quoted with its quotes doubled.
QByteArray Planilha(const QList<Linha> &linhas);

} // namespace RelatorioTurma
