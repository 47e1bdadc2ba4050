#pragma once

#include <QAbstractScrollArea>
#include <QBasicTimer>

#include <memory>
#include <vector>

class LinhaTexto;
class Plataforma;

// The input box under the passage, drawn by the program itself.
//
// It takes typed keys only: every character goes through the window's key handlers before it is
// inserted (a character the handler refuses never reaches the box); nothing is pasted, dropped or
// undone, so the box always holds what the engine has seen. Accented letters typed with dead keys
// arrive as input-method commits and pass through the same path as keys. The caret moves with the
// arrows, Home, End, the page keys and the mouse; Backspace and Delete erase.
//
// A typed character repaints its own cell and the caret: a key costs the same whatever the length
// of the text.
class CaixaDigitacao : public QAbstractScrollArea {
    Q_OBJECT

public:
    // The session's side of the box, called in the order of a keystroke: key down, key press, the
    // box's own insertion, change.
    class Receptor {
    public:
        virtual ~Receptor() = default;
        // True to cancel the key (platform key code: Left is 37).
        virtual bool TxtDigita_KeyDown(int codigoTecla) = 0;
        // True to discard the character (8 Backspace, 13 Enter, else the character's code). `caret`:
        // the caret position before the key takes effect, a line break counting one character.
        virtual bool TxtDigita_KeyPress(int k, int caret) = 0;
        virtual void TxtDigita_Change() = 0;
        virtual void TxtDigita_GotFocus() = 0;
        virtual void TxtDigita_LostFocus() = 0;
    };

    CaixaDigitacao(Receptor &receptor, Plataforma &plataforma, QWidget *pai = nullptr);
    ~CaixaDigitacao() override;

    // Empties the box without it counting as typing: no change check runs.
    void Limpar();
    // The caret position, a line break counting one character as in the passage display.
    int Caret() const;
    // The length of the text with every line break counting two characters (CR LF).
    int TamanhoCrLf() const;
    // The text, lines joined by '\n'.
    QString toPlainText() const;

    QVariant inputMethodQuery(Qt::InputMethodQuery consulta) const override;

    // A greyed line telling how to start, shown while the box waits for a session (empty: none);
    // Piscar draws it in a stronger colour for a moment (a key came before the start).
    void DefinirDica(const QString &dica);
    const QString &Dica() const { return dica_; }
    void PiscarDica();

protected:
    void keyPressEvent(QKeyEvent *e) override;
    void inputMethodEvent(QInputMethodEvent *e) override;
    void focusInEvent(QFocusEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;
    void paintEvent(QPaintEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    void changeEvent(QEvent *e) override;
    void timerEvent(QTimerEvent *e) override;

private:
    void Digitar(int k);
    // The box's own edits; each runs the change check once when it changed the text.
    void Inserir(QChar c);
    void QuebrarLinha();
    void ApagarAntes();
    void ApagarDepois();
    void Mudou();

    void MoverCaret(int linha, int coluna);
    void MostrarCaret();
    QRect RetanguloCaret() const;
    QRect RetanguloDe(int linha, int deColuna, int ateColuna) const;
    void Diagramar(int linha);
    void AjustarBarras();
    int Topo(int linha) const;
    QPoint Deslocamento() const;
    void ReiniciarPisca();

    Receptor &receptor_;
    Plataforma &plataforma_;
    std::vector<std::unique_ptr<LinhaTexto>> linhas_;
    int linha_ = 0;
    int coluna_ = 0;
    QString composicao_; // a dead key's accent waiting for its letter
    QString dica_;
    QBasicTimer piscaDica_;
    int altura_ = 1;
    int ascendente_ = 0;
    int largura_ = 0;
    bool caretVisivel_ = true;
    QBasicTimer pisca_;
    static constexpr int kMargem = 4;
};
