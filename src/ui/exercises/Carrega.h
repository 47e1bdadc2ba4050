#pragma once

#include "exercises/Progressao.h"

#include <QDialog>
#include <QString>

#include <optional>

class Digita;
class FlatButton;
class QLabel;
class SpCombo;

// The exercise chooser: the teacher sets the class and exercise of the student who is logged in.
// Shown modally. It opens on the student's own place (AlunoAtual); the exercise list is filled for a
// class only once the class combo confirms it (a choice from its list, Enter, or the focus arriving
// on it).
//
// The entry is checked when OK receives the focus: an exercise number whose value is 0 is refused
// with "Exercício não existe!" and the focus goes back to the exercise box; otherwise the number is
// rewritten in three digits and the choice is taken. A click on OK then confirms: ClasseAtual and
// ExercicioAtual are set and RespostaDialogo[1] is "OK". Cancel, Escape and the title bar's close
// set RespostaDialogo[1] to "CANCELAR" and leave ClasseAtual and ExercicioAtual as they were.
class Carrega : public QDialog {
    Q_OBJECT

public:
    static inline const QString kTitulo = QStringLiteral("Carregar Exercício");
    static inline const QString kExercicioNaoExiste = QStringLiteral("Exercício não existe!");

    // What the last passed check took from the boxes: the class as typed (not limited to 1..6) and
    // the 0-based exercise index.
    struct Escolha {
        qint16 Classe = 0;
        qint16 Exercicio = 0;
        friend bool operator==(const Escolha &, const Escolha &) = default;
    };

    Carrega(Digita &digita, QWidget *pai = nullptr);
    ~Carrega() override;

    void reject() override;

private:
    void TxtClasse_DblClick();
    void BtnOK_GotFocus();
    void BtnOK_Click();

    Digita &digita_;
    std::optional<Escolha> escolha_;

    QLabel *LblAluno = nullptr;
    SpCombo *TxtClasse = nullptr;
    SpCombo *TxtExercicio = nullptr;
    FlatButton *BtnOK = nullptr;
    FlatButton *BtnCancelar = nullptr;
};

// The "Carregar Exercício" command of the main window: the administrator password first (a cancelled
// prompt ends it), then the refusal of the administrator's own session, then the chooser. A confirmed
// choice is stored and loaded by Progressao::EscolherExercicio; the window applies the load returned.
// Nothing when nothing changed: a cancel, the refusal, or a failed write (shown naming the file).
std::optional<Progressao::Carga> EscolherExercicio(Digita &d, QWidget *janela);
