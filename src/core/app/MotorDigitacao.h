#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class Digita;

// The keystroke checking of a typing session, free of widgets: the main window forwards the input
// box's key down, key press and change, and applies the answer.
//
// Both the passage and the typed text are kept with every line end replaced by a numbered marker
// ([1] after the first line, [2] after the second, ...). Enter appends the same marker to the typed
// text and moves both check positions onto it, so a line typed too short or too long never shifts the
// comparison of the lines after it. Positions are 1-based, as the counters the student sees.
class MotorDigitacao {
public:
    // Key codes of the key-down handler.
    static constexpr int kTeclaEsquerda = 37;
    // Character codes of the key-press handler.
    static constexpr int kBackspace = 8;
    static constexpr int kEnter = 13;

    enum class Cor { Nenhuma, Azul, Preto };

    // What the window must do after a key press.
    struct RespostaTecla {
        bool descartar = false; // the character must not reach the input box
        bool recusadaTrava = false; // refused by lock mode: flash LblErros bright red
        bool mostrarErros = false; // LblErros shows NumeroTexto(Erros)
        bool tocarSom = false; // start the warning sound (restart it if playing)
        bool avisoCapsLock = false; // the "Muitos erros seguidos..." message
        bool mostrarToques = false; // LblToques shows NumeroTexto(toquesMostrados)
        int toquesMostrados = 0;
        Cor cor = Cor::Nenhuma; // colour one character of the passage ...
        int posicaoCor = -1; // ... at this 0-based position of the display
        bool finalizar = false; // the passage is done: run the finish
    };

    // What the window must do after the input box changed.
    struct RespostaMudanca {
        bool mostrarErros = false;
        bool tocarSom = false;
        // The character compared: its 0-based position in TextoMarcado (-1 when nothing was
        // compared, as after a Backspace) and whether the typed one agreed.
        int posicaoConferida = -1;
        bool certo = false;
    };

    explicit MotorDigitacao(const Digita &digita);

    // Builds TextoMarcado from the passage (CR LF pairs become markers) and empties TextoDigitado.
    void MarcarTexto(const QString &passagem);
    // The passage's lines (without CR LF); line 0 becomes the current one.
    void MontarLinhas(const QString &passagem);
    // The engine's part of a session start: markers from 1, positions at 1, counters reset.
    // `focoDigita`: the input box holds the focus at this moment (the keystroke counter then starts
    // at 0 instead of 1).
    void Zerar(const QString &passagem, bool focoDigita);

    // Key down. True when the key is to be cancelled.
    bool TeclaDesce(int codigoTecla) const;

    // Key press of character code `k`, before the input box inserts it. `caret` is the input box's
    // caret position before the key takes effect; `capsVermelho` tells whether the CAPS LOCK
    // indicator shows its red phase at this moment.
    RespostaTecla TeclaPressionada(int k, int caret, bool capsVermelho);

    // The input box's text changed because of the last key that passed TeclaPressionada.
    RespostaMudanca Mudanca();

    // The passage's character at a 0-based position of TextoMarcado, a line end ('\n') for every
    // character of a marker; nothing past the end.
    QChar Esperado(int posicaoMarcado) const;
    // How many characters of the passage (a line end counting one) the check position has passed;
    // the Enter that finishes the passage passes its line end too.
    int Coberto() const;

    // The whole-text caps warning, as the message box shows it.
    static QString MensagemCapsLock();

    // Session fields (read by the window and the tests).
    QString TextoMarcado;
    QString TextoDigitado;
    int PosTexto = 1;
    int PosDigitado = 1;
    int NumMarca = 1;
    int LinhaAtual = 0;
    int Toques = 1;
    int Erros = 0;
    int ErrosSeguidos = 0;
    int UltimaTecla = 0;
    // The passage's lines; only their count and the current one (LinhaAtual) matter.
    QStringList LstDigita;

    static QString Marca(int numero);

private:
    bool PrefixoConfere(QChar k) const;
    // A Backspace that takes back the line break of the last Enter takes back the whole Enter.
    bool DesfazerEnter();

    // Where each Enter of the session left the engine, the last one on top: the marker's start in
    // TextoDigitado (0-based) and the check positions before the Enter. Only the marker right before
    // the check position can be erased, so a stack is enough.
    struct Enter {
        int inicioMarca;
        int posTexto;
        int posDigitado;
    };
    QList<Enter> enters_;
    // For each character of TextoMarcado, the passage's character at that place ('\n' for a marker)
    // and its position in the passage with line ends counting one.
    QString esperados_;
    QList<int> posicoesPassagem_;

    const Digita &digita_;
};
