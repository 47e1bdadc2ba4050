#pragma once

#include <QString>

#include <optional>

class Digita;

// Loading the current exercise and moving a student on. The main window calls these and applies
// what they return (passage, labels, flags, message boxes); nothing here touches a widget.
namespace Progressao {

inline const QString kExercicioNaoExistente = QStringLiteral("Exercício não existente!");
inline const QString kSomenteAluno = QStringLiteral("Opção permitida somente com senha de aluno!");
// One message of two lines.
inline const QString kSomenteAposConclusao = QStringLiteral("Mudança de exercício permitida somente")
                                             + QLatin1Char('\r')
                                             + QStringLiteral("após conclusão do exercício atual!");

// Moving on when another computer changed the student's record since it was read (several copies
// of the program share one folder): %1 the code, %2 the name as the student logged in.
QString CadastroMudou(const QString &codigo, const QString &nome);
// %1 the class (two digits), %2 the exercise number (three digits) the record now holds.
QString LugarMudou(int classe, int exercicio);

// What CarregarExercicio does to the main window. Whatever the outcome, the window first colours
// the whole passage black.
struct Carga {
    // False: the entry does not exist. The window shows `Mensagem` (critical) and changes nothing
    // else: passage, labels and flags keep their previous values.
    bool Carregado = false;
    QString Mensagem;
    // The new passage; nullopt keeps the passage as it is (a class outside 1 to 6).
    std::optional<QString> Texto;
    // Class 6 only: the time limit for LblTempo (empty for the end-of-class notice).
    std::optional<QString> Tempo;
    QString LblExercicio; // a space and the exercise number in at least three digits: " 001"
    QString LblClasse; // a space and the class in at least two digits: " 06"
    // When Carregado: ExercicioCarregado = true, ExercicioConcluido = false.
};

// The exercise d.ExercicioAtual (0-based) of class d.ClasseAtual.
Carga CarregarExercicio(const Digita &d);

// A student's place after login: ClasseAtual and ExercicioAtual from d.AlunoAtual, then loaded.
Carga CarregarDoRegistro(Digita &d);

// Stores d.AlunoAtual's Classe and Exercicio in the student's record of Alunos.arq, opened just for
// this write. Under the file's lock the record is read afresh and only those two fields change, so
// that what the teacher changed meanwhile (a password, a name) stays; d.AlunoAtual then takes the
// record as written. Refused, with nothing written, when the record is no longer the logged-in
// student's (code and name): the teacher deleted the student, or gave the code to someone else.
// False with the message (naming the file on a file failure).
bool GravarProgresso(Digita &d, QString &erro);

// "Avançar somente após concluir o exercício", an administrator's option kept in the settings store
// (off unless the key holds "1"): moving on then needs the exercise typed to its end, and a class 6
// exercise passed, not just finished.
inline const QString kChaveSomenteConcluido = QStringLiteral("AvancarSomenteConcluido");
inline const QString kConcluaParaAvancar = QStringLiteral("Conclua o exercício para avançar.");
inline const QString kAproveParaAvancar =
    QStringLiteral("Exercício reprovado: faça-o outra vez e seja aprovado para avançar.");
bool SomenteConcluido(Digita &d);
bool GravarSomenteConcluido(Digita &d, bool ligado, QString &erro);

// How the last session of the exercise on screen ended.
enum class Desfecho { Completo, Incompleto, Reprovado };
// Under that option, the refusal of moving on after `desfecho`; empty when it may.
QString RecusaSemConclusao(Desfecho desfecho);

// What ProximoExercicio refuses, in order: the administrator, then an exercise not yet finished.
// Empty when the student may move on.
QString RecusaProximo(const Digita &d, bool exercicioConcluido);

// The outcome of ProximoExercicio.
struct Avanco {
    // A refusal or a failed write: shown as a critical message, and nothing changed (the place in
    // memory and in the file stays where it was).
    QString Recusa;
    // Shown as information after the load: the record held another place than the one on screen
    // (the teacher moved the student, or the student moved on at another computer). Nothing was
    // written; the place the record holds was loaded instead.
    QString Aviso;
    // Loaded after the new place was stored; its own failure (past the end of the class) still
    // leaves the new place stored.
    std::optional<Carga> Exercicio;
};

// The next-exercise command: checks RecusaProximo; moves ExercicioAtual one further, stores
// AlunoAtual.Exercicio = ExercicioAtual + 1 (Classe unchanged) in the student's record, then loads
// the new exercise. Whether the finished exercise was passed does not matter.
// The record is written only while it is still the student's (see GravarProgresso) and still holds
// the class and exercise on screen; otherwise nothing is written and, for the student's own record,
// its place is loaded and reported in Aviso.
Avanco ProximoExercicio(Digita &d, bool exercicioConcluido);

// The chooser's command after its choice was accepted: ClasseAtual and ExercicioAtual hold the choice,
// `classeAntes` and `exercicioAntes` the place they held before it. Stores the choice in the student's
// record (see GravarProgresso), then loads it. A failed write is returned in Recusa with nothing
// loaded, and the place goes back to the one before, in memory as in the record: not stored, so not
// moved.
Avanco EscolherExercicio(Digita &d, qint16 classeAntes, qint16 exercicioAntes);

} // namespace Progressao
