#pragma once

#include <QFont>
#include <QPixmap>
#include <QSize>
#include <QString>

class FlatButton;

// The program's own button artwork, drawn with QPainter: the four faces of a button and the small
// icons the windows put beside their captions.
namespace Arte {

enum class Face {
    Up, // raised: soft vertical shading, rounded corners
    High, // highlighted (pointer over it, or focused): lighter, warm accent
    Down, // pressed
    Desabilitada, // greyed
};

// 16 × 16 icons.
enum class Icone {
    Nenhum,
    Ok, // check mark
    Cancelar, // cross
    Sair, // door with an arrow going out
    Comecar, // play
    Finalizar, // stop square
    Proximo, // arrow to the right
    Carregar, // open folder
    Incluir, // plus
    Alterar, // pencil
    Excluir, // waste bin
    Escolher, // paint palette
    Ajuda, // question mark
};

constexpr int kLadoIcone = 16;

// A face of the given size (in pixels). Outside the rounded corners the picture is transparent,
// so the button's BackColor shows there.
QPixmap DesenharFace(Face face, QSize tamanho);

// The icon, or a null picture for Icone::Nenhum.
QPixmap DesenharIcone(Icone icone);

// The caption font of every button: "MS Sans Serif" 8.25 pt (a sans-serif fallback where the
// family is missing).
QFont FonteBotao();

} // namespace Arte

// Sets a button up as every window of the program uses it: Style 1 with the four faces at
// `tamanho` (which becomes the button's size), the default colours, the button font, the icon
// and the caption. A caption that goes with an icon gets its leading blank if it lacks one; when the
// caption would not fit beside the icon the font is made a little smaller.
void PrepararBotao(FlatButton *botao, const QString &caption, Arte::Icone icone, QSize tamanho);
