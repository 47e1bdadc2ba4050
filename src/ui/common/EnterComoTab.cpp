#include "common/EnterComoTab.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMetaMethod>
#include <QWidget>

EnterComoTab::EnterComoTab(QWidget *janela, bool setasComoTab)
    : QObject(janela)
    , janela_(janela)
    , setas_(setasComoTab)
{}

EnterComoTab *EnterComoTab::Instalar(QWidget *janela, bool setasComoTab)
{
    auto *filtro = new EnterComoTab(janela, setasComoTab);
    qApp->installEventFilter(filtro);
    return filtro;
}

void EnterComoTab::Tab(QWidget *janela, bool paraTras)
{
    QWidget *foco = QApplication::focusWidget();
    if (!foco || foco->window() != janela->window())
        foco = janela;
    QKeyEvent tab(QEvent::KeyPress, paraTras ? Qt::Key_Backtab : Qt::Key_Tab,
                  paraTras ? Qt::ShiftModifier : Qt::NoModifier);
    QCoreApplication::sendEvent(foco, &tab);
}

bool EnterComoTab::eventFilter(QObject *alvo, QEvent *evento)
{
    if (evento->type() != QEvent::KeyPress || !alvo->isWidgetType())
        return false;
    auto *w = static_cast<QWidget *>(alvo);
    if (w->window() != janela_)
        return false;
    auto *tecla = static_cast<QKeyEvent *>(evento);
    if (tecla->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier | Qt::MetaModifier))
        return false;

    const int k = tecla->key();
    const bool enter = k == Qt::Key_Return || k == Qt::Key_Enter;
    const bool seta = setas_ && (k == Qt::Key_Up || k == Qt::Key_Down);
    if (!enter && !seta)
        return false;

    // A focused flat button handles its own keys: Enter clicks it, arrows move the focus themselves.
    for (QObject *o = w; o && o != janela_; o = o->parent()) {
        if (o->inherits("FlatButton"))
            return false;
    }

    if (enter) {
        for (QObject *o = w; o && o != janela_; o = o->parent()) {
            const int metodo = o->metaObject()->indexOfMethod("ProcessarEnter(QObject*)");
            if (metodo >= 0) {
                bool continuar = true;
                o->metaObject()->method(metodo).invoke(o, Qt::DirectConnection, Q_RETURN_ARG(bool, continuar),
                                                       Q_ARG(QObject *, alvo));
                if (!continuar)
                    return true;
                break;
            }
        }
    }
    Tab(janela_, k == Qt::Key_Up);
    return true;
}
