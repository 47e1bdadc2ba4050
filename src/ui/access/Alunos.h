#pragma once

#include "access/ArquivoAlunos.h"
#include "common/Registros.h"

#include <QDialog>
#include <QList>

#include <optional>

class BoxList;
class Digita;
class FlatButton;
class QLineEdit;
class SpCombo;

// The administrator's register of students: every student of Alunos.arq in a grid, and the boxes to
// add one, change one or delete one. Shown modally; Alunos.arq stays open from the window's creation
// until it closes (" Sair", Escape or the title bar).
//
// An entry starts when the focus enters the code box, which then proposes the next free code. Moving
// on to the name box accepts the code: a code past the last slot becomes the next free one (a new
// student, " Incluir"), an existing slot is read into the boxes (a change, " Alterar"). Choosing a row
// of the grid (click, or the arrow keys) reads that student into the boxes as well. Enter moves on as
// Tab does.
//
// Every read and write goes through Digita::AlunoAtual, the program's one current record. The main
// window relies on it holding the logged-in student, so the record it held when the window opened is
// given back when the window closes; when the window rewrote (or deleted) that very student, the
// record as now stored is given instead.
//
// Other computers may change the register while the window is open (one copy of the program per
// computer on one folder). " Incluir" writes only while the code is still free; otherwise it says so
// and proposes the next free code. " Alterar" and " Excluir" write over a student only while the file
// still holds the record shown in the boxes; otherwise they ask first.
//
// Refused, with a message and nothing written: code 0, a new code when all 9999 are taken, a code
// past the last slot for a deletion, a name or password the file's code page cannot hold. A file
// that cannot be opened, read or written is reported with its name; the boxes then keep what was
// typed.
class Alunos : public QDialog {
    Q_OBJECT

public:
    static inline const QString kTitulo = QStringLiteral("Cadastro de alunos");
    static inline const QString kCodigoInvalido = QStringLiteral("Código inválido!");

    // " Incluir" on a code another computer took meanwhile: %1 the code, %2 the one proposed instead.
    static QString CodigoOcupado(int codigo, int proximo);
    // The question before writing over a record changed elsewhere since it was shown: %1 the code,
    // `agora` what the file holds now, `excluir` for " Excluir".
    static QString PerguntaMudou(int codigo, const std::optional<Aluno> &agora, bool excluir);

    // `exercicios`: the course, as the number of exercises of each class, class 1 first; the class
    // and exercise lists offer what it holds.
    Alunos(Digita &digita, QList<int> exercicios, QWidget *pai = nullptr);
    ~Alunos() override;

    // Refills the grid from the file: one row per slot whose name is not blank (code and name as
    // stored, the password as stars, class in two digits, exercise in three), the last row selected.
    void PreencherLista();
    // " Incluir" and " Alterar": writes the boxes at the record of the code box, then refills the
    // grid and starts the next entry. False (with a message shown, the boxes as they were) when
    // nothing was written.
    bool GravarAluno();
    // " Excluir": blanks the slot of the code box (no question asked), then refills the grid and
    // starts the next entry. False (with a message shown) when nothing was written.
    bool ExcluirAluno();

    // Closes Alunos.arq and gives Digita::AlunoAtual back (see above).
    void done(int resultado) override;

protected:
    void showEvent(QShowEvent *evento) override;
    bool eventFilter(QObject *objeto, QEvent *evento) override;

private:
    void Form_Load();
    // Once the window is on screen: an opening failure is reported, and the first entry starts.
    void Form_Activate();
    // Start of an entry: the next free code proposed and selected, the other boxes emptied.
    void TxtCodigo_GotFocus();
    // The code check.
    void TxtNome_GotFocus();
    void TxtNome_LostFocus();
    // Why the code box's code cannot be used (code 0; a new code when every code is taken), or empty.
    QString RecusaDoCodigo(const QString &texto) const;
    // A row chosen in the grid.
    void GrdLst_Escolher();
    void GrdLst_KeyDown(qint16 &KeyCode, qint16 &Shift);
    void TxtClasse_DblClick();

    // The student of slot `codigo` into AlunoAtual and the boxes; " Alterar" becomes the action.
    void MostrarAluno(int codigo);
    // The focus to `caixa` for a correction, without its focus action (which would reload the boxes).
    void Corrigir(QLineEdit *caixa);
    // The new student of the boxes, written only while its code is free.
    bool Incluir(const Aluno &aluno);
    // The boxes written over the student shown in them, asking first when the file changed since.
    bool Alterar(const Aluno &aluno);
    // After a refusal to write over a record changed elsewhere: the list and the boxes as the file
    // holds it now.
    void MostrarAtual(int codigo);
    // The record shown in the boxes, as it was read, when it is the one of code `codigo`.
    std::optional<Aluno> Carregado(int codigo) const;

    // After a write of slot `codigo`: the list filled again, the focus back on the code, and the
    // logged-in student's record read back if that was the one written.
    void Gravado(int codigo);
    void ApagarResultados(int codigo, const QString &nome);
    void Encerrar();

    Digita &digita_;
    const QList<int> exercicios_;
    ArquivoAlunos arquivo_;
    QString erroAbrir_;
    bool ativada_ = false;
    bool encerrada_ = false;
    // The student logged in when the window opened, and that student's record as rewritten here.
    Aluno alunoLogado_;
    std::optional<Aluno> logadoRegravado_;
    // The student shown in the boxes, as read from the file then (code 0: a new student or none).
    int codigoCarregado_ = 0;
    Aluno carregado_;
    // The name box's next focus arrival is a correction, not the code check.
    bool nomeEmCorrecao_ = false;
    // The class the exercise list was last filled for.
    int classeDaLista_ = 0;

    QLineEdit *TxtCodigo = nullptr;
    QLineEdit *TxtNome = nullptr;
    QLineEdit *TxtSenha = nullptr;
    SpCombo *TxtClasse = nullptr;
    SpCombo *TxtExercicio = nullptr;
    BoxList *GrdLst = nullptr;
    FlatButton *BtnIncluir = nullptr;
    FlatButton *BtnAlterar = nullptr;
    FlatButton *BtnExcluir = nullptr;
    FlatButton *BtnSair = nullptr;
};
