#pragma once

#include <QChar>
#include <QDateTime>
#include <QMap>
#include <QString>

#include <optional>

// The figures of one finished typing session of a student: what the results store keeps, what the
// result panel and the live labels show. Counted exactly as the session's labels count them.
struct ResultadoSessao {
    // A key made by the program for this result, unique across computers, so that a result written
    // twice (a spool replayed after a crash) is stored once.
    QString chave;
    int codigo = 0; // student code
    QString nome;
    int classe = 0; // 1-based class
    int exercicio = 0; // 1-based exercise
    QDateTime inicio; // local time with its offset
    QDateTime fim;
    qint64 segundos = 0;
    int toques = 0; // keys that passed the key handler (Backspace included, the finishing Enter not)
    int erros = 0; // as the errors label counts them
    int acertos = 0; // keys that matched the passage
    int caracteres = 0; // characters of the passage covered
    bool concluido = false;
    QString veredito; // empty (none), "aprovado" or "reprovado"
    QString computador;
    // How often another key came where this character of the passage was expected.
    QMap<QChar, int> errosPorTecla;

    // Keystrokes per minute; none when no time passed.
    static std::optional<double> Ppm(int toques, qint64 segundos)
    {
        if (segundos <= 0)
            return std::nullopt;
        return 60.0 * toques / double(segundos);
    }
    // Percent of checked keys that were right; none before any key was checked.
    static std::optional<double> Precisao(int acertos, int erros)
    {
        if (acertos + erros <= 0)
            return std::nullopt;
        return 100.0 * acertos / double(acertos + erros);
    }
    std::optional<double> ppm() const { return Ppm(toques, segundos); }
    std::optional<double> precisao() const { return Precisao(acertos, erros); }
};
