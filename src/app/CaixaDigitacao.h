#pragma once

#include <QPlainTextEdit>

class Plataforma;

// The input box under the passage. It takes typed keys only: every character goes through the
// window's key handlers before it is inserted (a character the handler refuses never reaches the
// box), and paste, drop, undo and context-menu insertion are refused, so the box always holds what
// the engine has seen. Accented letters typed with dead keys arrive as input-method commits and pass
// through the same path as keys.
class CaixaDigitacao : public QPlainTextEdit {
    Q_OBJECT

public:
    // The window's side of the box, called in the order of a keystroke: key down, key press, the
    // box's own insertion, change.
    class Receptor {
    public:
        virtual ~Receptor() = default;
        // True to cancel the key (platform key code: Left is 37).
        virtual bool TxtDigita_KeyDown(int codigoTecla) = 0;
        // True to discard the character (8 Backspace, 13 Enter, else the character's code).
        virtual bool TxtDigita_KeyPress(int k) = 0;
        virtual void TxtDigita_Change() = 0;
        virtual void TxtDigita_GotFocus() = 0;
        virtual void TxtDigita_LostFocus() = 0;
    };

    CaixaDigitacao(Receptor &receptor, Plataforma &plataforma, QWidget *pai = nullptr);

    // Empties the box without it counting as typing: no change check runs.
    void Limpar();
    // The caret position, a line break counting one character as in the passage display.
    int Caret() const;
    // The length of the text with every line break counting two characters (CR LF).
    int TamanhoCrLf() const;

    // The platform key code of a Qt key (the subset the program's handlers look at).
    static int CodigoTecla(int qtKey);

protected:
    void keyPressEvent(QKeyEvent *e) override;
    void inputMethodEvent(QInputMethodEvent *e) override;
    void focusInEvent(QFocusEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;
    bool canInsertFromMimeData(const QMimeData *source) const override;
    void insertFromMimeData(const QMimeData *source) override;
    void contextMenuEvent(QContextMenuEvent *e) override;

private:
    void Digitar(int k);

    Receptor &receptor_;
    Plataforma &plataforma_;
    // True while the box applies a keystroke's own edit.
    bool editando_ = false;
    struct Editando {
        explicit Editando(bool &f) : flag(f) { flag = true; }
        ~Editando() { flag = false; }
        bool &flag;
    };
};
