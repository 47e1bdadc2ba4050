#pragma once

#include <QtGlobal>

#include <optional>

// The faces a button is painted in (the argument of FlatButton::DesenhaBotao).
enum class EstadoBotao : int {
    Normal = 0, // shown, resized, a property set, focus lost, pointer gone
    Up = 1, // the raised face; the program never asks for it
    Down = 2, // mouse button down, first half of the click flash
    High = 3, // focus gained, pointer over the button, mouse button up, end of the flash
};

// Which of the button's pictures makes its face.
enum class FaceBotao {
    Nenhuma,
    UpPicture,
    DownPicture,
    HighPicture,
    EnFalsePic,
    BackGround,
};

// Where the caption and the icon go, in the button's own units (twips).
struct PosicaoBotao {
    qint16 captionLeft = 0;
    qint16 captionTop = 0;
    // Only meaningful when the button carries an icon; otherwise the icon stays where it was.
    bool moveImagem = false;
    double imagemLeft = 0;
    double imagemTop = 0;
};

// The rules of FlatButton that need no widget: which picture a state shows, where caption and icon
// go, and the small state machines of hovering, pressing, losing the focus and being disabled.
class ModeloFlatButton {
public:
    // What the widget has to do after a pointer event: paint a face and/or raise MouseOver.
    struct Reacao {
        std::optional<EstadoBotao> pintar;
        std::optional<bool> mouseOver;
    };

    // The face of a state. Style 0 is the flat look (BackGround when idle, UpPicture when
    // highlighted); any other value is the raised look (UpPicture idle, HighPicture highlighted).
    // A disabled button shows EnFalsePic whatever the state.
    static FaceBotao Face(EstadoBotao estado, qint32 style, bool enabled = true);

    // Only the Normal paint sets the face colour; the other states keep the colour last set.
    static bool DefineCorDeFundo(EstadoBotao estado) { return estado == EstadoBotao::Normal; }

    // Icon and caption centred as one block on a face of w × h; the icon is centred vertically on
    // its own. The caption goes right against the icon (captions that carry an icon begin with a
    // blank for that reason). The sums are floating point; the caption's place is rounded to whole
    // units, halves to the even neighbour, and kept in 16 bits (clamped there).
    static PosicaoBotao Centralizar(double w, double h, double larguraTexto, double alturaTexto, bool comFigura,
                                    double larguraFigura, double alturaFigura);

    // Pointer and mouse buttons. `PonteiroDentro` / `PonteiroFora` are what the button learns when
    // the pointer comes over it or leaves it.
    Reacao PonteiroDentro();
    Reacao PonteiroFora();
    Reacao Pressionar();
    // `dentro`: the pointer is over the button at release. A release inside also counts as the
    // pointer having come over the button, so hovering resumes without waiting for another move.
    Reacao Soltar(bool dentro);

    // PerdeFoco: true when this call must paint (only the first call in the button's life does).
    bool PerdeFoco();

    // The Enabled setter arms the disabling; a disabled paint blocks input only when armed, and
    // arms it for the next time. So a button loaded disabled keeps taking input until its second
    // disabled paint, while one disabled through the property is blocked at once.
    void ArmarDesabilitar() { desabilitarArmado_ = true; }
    // A disabled paint: returns true when the button's input must be switched off now.
    bool PintarDesabilitado();

    // Loading resets the run-time fields.
    void Reiniciar() { *this = ModeloFlatButton(); }

    bool Pressionado() const { return pressionado_; }
    bool MouseSobre() const { return mouseSobre_; }
    bool DesabilitarArmado() const { return desabilitarArmado_; }

private:
    bool pressionado_ = false;
    bool mouseSobre_ = false;
    bool desabilitarArmado_ = false;
    int contaPerdeFoco_ = 0;
};
