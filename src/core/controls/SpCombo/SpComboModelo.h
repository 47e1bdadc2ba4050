#pragma once

// What the drop-down combo decides without any widget: the incremental search, which typed characters
// drop the list down, the key codes its events carry, its geometry in twips and its enabling rule.
// SpCombo (the widget) asks this for every decision and only moves Qt widgets around.

#include "common/Cores.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace SpComboModelo {

// Key codes of the KeyDown/KeyUp events (the keyboard's virtual key numbers).
constexpr qint16 kTeclaEnter = 13;
constexpr qint16 kTeclaCima = 38;
constexpr qint16 kTeclaBaixo = 40;

// Bits of the Button argument of the mouse events.
constexpr qint16 kBotaoEsquerdo = 1;
constexpr qint16 kBotaoDireito = 2;
constexpr qint16 kBotaoMeio = 4;

// Geometry, in twips.
constexpr int kAlturaMinima = 280; // closed control, built-in arrow images only
constexpr int kVaoLista = 35; // gap between the text box and the dropped list
constexpr int kSetaLargura = 285; // the arrow button: a 19 x 17 pixel image
constexpr int kSetaAltura = 255;
constexpr int kSetaTopo = 10;
constexpr int kSetaRecuo = 20; // from the right edge of the text box

// Load defaults of the properties.
constexpr Cor kBackColorPadrao = RGB(255, 255, 255);
constexpr Cor kForeColorPadrao = 0;
constexpr bool kDefButtonPadrao = false;
constexpr bool kEnabledPadrao = true;
constexpr qint16 kListHeightPadrao = 1590;

// The search only looks at as many items as a 16-bit counter can reach.
constexpr int kMaxItensBusca = 32767;

// Upper case one character at a time, so that the text never changes length ("ß" stays "ß").
QString Maiusculas(const QString &s);

// The item the incremental search selects when c is typed into a text box holding `conteudo` (its
// content before c goes in): the first item, in list order, whose first (length of conteudo + 1)
// characters equal conteudo followed by c, compared in upper case after TiraAcentos (so only the first
// 131 characters count on either side). No match returns the number of items, an index the list does
// not have, so the caller's selection stays where it was.
int BuscaIncremental(const QStringList &itens, const QString &conteudo, QChar c);

// A letter "a" to "z" or "A" to "Z" or a digit "0" to "9" drops a closed list down; nothing else does
// (accented letters, blanks and punctuation search without opening).
bool AbreComCaractere(qint16 KeyAscii);

// The KeyAscii of a typed character: its Windows-1252 byte when the code page has it, else its
// Unicode value. Caractere() is the way back.
qint16 CodigoCaractere(QChar c);
QChar Caractere(qint16 KeyAscii);

// Where the parts go for a control of the given size (all in twips).
struct Geometria {
    int altura = 0; // the control's height after the minimum-height rule
    int largura = 0; // the control's width: the text box always fills it
    int setaEsquerda = 0; // left edge of the arrow button
    int listaTopo = 0; // top of the list: below the text box and the gap
    int alturaAberta = 0; // the control's height with the list dropped down
};
Geometria CalcularGeometria(int largura, int altura, int listHeight, bool defButton);

// The enabling step of the refresh. A combo that was loaded disabled keeps taking input until its
// second refresh; disabling through the property arms the rule first, so it takes effect at once.
enum class Habilitacao { Habilitar, Desabilitar, Manter };
Habilitacao RegraEnabled(bool enabled, bool &desabilitarArmado);

} // namespace SpComboModelo
