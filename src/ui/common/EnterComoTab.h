#pragma once

#include <QObject>

class QWidget;

// The dialogs' keyboard pattern: the window sees keys before its controls and turns Enter into Tab
// (and, where asked, Up into Shift+Tab and Down into Tab), so Enter walks through the boxes to the OK
// button. A focused FlatButton keeps its own keys (Enter and Space click it).
//
// A control that has something of its own to do with Enter before the focus moves on (a combo
// confirming its choice) offers an invokable `bool ProcessarEnter(QObject *alvo)`; it runs first.
class EnterComoTab : public QObject {
    Q_OBJECT

public:
    static EnterComoTab *Instalar(QWidget *janela, bool setasComoTab = false);

    // Moves the focus from the window's focused control to the next (or previous) one, as Tab does.
    static void Tab(QWidget *janela, bool paraTras = false);

protected:
    bool eventFilter(QObject *alvo, QEvent *evento) override;

private:
    EnterComoTab(QWidget *janela, bool setasComoTab);

    QWidget *janela_;
    bool setas_;
};
