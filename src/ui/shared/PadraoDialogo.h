#pragma once

#include "common/Cores.h"
#include "shared/Arte.h"

#include <QObject>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <functional>

class FlatButton;
class Gradiente;
class QDialog;
class QLabel;
class QLineEdit;
class QWidget;

// What the small dialogs of the program (login, password dialogs, configuration) share: their look
// and the way their entry checks follow the focus.
namespace PadraoDialogo {

// The gradient every dialog is painted with.
constexpr Cor kCorInicial = RGB(219, 234, 252);
constexpr Cor kCorFinal = RGB(158, 192, 244);
// The size of the dialogs' buttons, in pixels (the faces are drawn at this size).
constexpr QSize kTamanhoBotao(88, 27);

// Title, a fixed size, the main window's icon, the dialogs' font and the gradient background,
// which the gradient control repaints by itself on every resize of the window.
Gradiente *Preparar(QDialog *janela, const QString &titulo, QSize tamanho);

// A label that lets the window's background show through it.
QLabel *Rotulo(QWidget *janela, const QString &texto, QRect onde, const QString &nome = {});

// A text box. A password box shows "*" for every character and takes at most 10 of them.
QLineEdit *Caixa(QWidget *janela, const QString &nome, QRect onde, const QString &dica = {}, bool senha = false);

// A flat button dressed as every window dresses them (four faces, icon, caption).
FlatButton *Botao(QWidget *janela, const QString &nome, const QString &caption, Arte::Icone icone, QPoint onde,
                  const QString &dica = {});

// Selects the whole text of a box (start 0, length = text length), as a box does when the focus
// arrives on it.
void SelecionarTudo(QLineEdit *caixa);

// Moves the focus to `alvo` as the program does after a refused entry. While the window is not the
// active one yet (just shown, or a message box is over it) no focus event arrives, so the control's
// focus action (AoFocar) is run here instead; it runs once either way.
void Focar(QWidget *alvo);

} // namespace PadraoDialogo

// Runs an action each time a control receives the focus (Tab, Enter turned into Tab, a click, the
// program), after the control's own focus handling, so the action may move the focus elsewhere.
// The focus coming back to where it was when the window becomes active again (a message box closed,
// the user switched windows) is not an arrival: otherwise a check that fails and shows a message
// would run again as soon as the message closed.
class AoFocar : public QObject {
    Q_OBJECT

public:
    // Owned by `alvo`.
    AoFocar(QWidget *alvo, std::function<void()> acao);

    // The action, run now.
    void Executar();
    // How many times the action ran (Focar uses it to know whether the focus event came).
    int Execucoes() const { return execucoes_; }

    // The AoFocar of a control, if it has one.
    static AoFocar *De(QWidget *alvo);

protected:
    bool eventFilter(QObject *objeto, QEvent *evento) override;

private:
    QWidget *alvo_;
    std::function<void()> acao_;
    bool pendente_ = false;
    int execucoes_ = 0;
};
