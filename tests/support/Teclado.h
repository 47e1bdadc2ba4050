#pragma once

// Typing into a window as a person does, one key after another into whatever has the focus.

#include <QApplication>
#include <QHash>
#include <QInputMethodEvent>
#include <QTest>
#include <QWidget>

inline QWidget *Foco()
{
    return QApplication::focusWidget();
}

// Shows the window and waits until it is active, with the focus on `foco`.
inline bool Mostrar(QWidget *janela, QWidget *foco)
{
    janela->show();
    janela->activateWindow();
    return QTest::qWaitForWindowActive(janela) && QTest::qWaitFor([foco] { return Foco() == foco; });
}

// Special characters of a script: '\n' Enter, '\t' Tab, '\v' Shift+Tab, '\b' Backspace, '\x1b' Escape,
// '↓' Down, '←' Left, '\x01' Ctrl+A, '\x16' Ctrl+V, '⎀' Shift+Insert; and, given the window, '×' its title bar's close button and "{Nome}" a mouse
// click on its control of that name. Characters beyond ASCII arrive as dead keys deliver them: the
// accent shown as a composition, then the letter as an input-method commit.
inline void Teclar(const QString &roteiro, QWidget *janela = nullptr)
{
    static const QHash<QChar, std::pair<Qt::Key, Qt::KeyboardModifiers>> especiais{
        {u'\n', {Qt::Key_Return, Qt::NoModifier}},     {u'\t', {Qt::Key_Tab, Qt::NoModifier}},
        {u'\v', {Qt::Key_Backtab, Qt::ShiftModifier}}, {u'\b', {Qt::Key_Backspace, Qt::NoModifier}},
        {u'\x1b', {Qt::Key_Escape, Qt::NoModifier}},   {u'↓', {Qt::Key_Down, Qt::NoModifier}},
        {u'\x01', {Qt::Key_A, Qt::ControlModifier}},   {u'←', {Qt::Key_Left, Qt::NoModifier}},
        {u'\x16', {Qt::Key_V, Qt::ControlModifier}},   {u'⎀', {Qt::Key_Insert, Qt::ShiftModifier}},
    };
    for (qsizetype i = 0; i < roteiro.size(); ++i) {
        const QChar c = roteiro[i];
        if (janela && c == u'{') {
            const qsizetype fim = roteiro.indexOf(u'}', i);
            QWidget *alvo = janela->findChild<QWidget *>(roteiro.mid(i + 1, fim - i - 1));
            QVERIFY2(alvo, qPrintable(roteiro.mid(i, fim - i + 1)));
            QTest::mouseClick(alvo, Qt::LeftButton);
            i = fim;
            continue;
        }
        if (janela && c == u'×') {
            QVERIFY(janela->close());
            continue;
        }
        QWidget *foco = QApplication::focusWidget();
        QVERIFY2(foco, "nothing has the focus");
        if (const auto e = especiais.constFind(c); e != especiais.constEnd())
            QTest::keyClick(foco, e->first, e->second);
        else if (c.unicode() < 0x80)
            QTest::keyClick(foco, c.toLatin1());
        else {
            QInputMethodEvent composicao(QStringLiteral("´"), {});
            QCoreApplication::sendEvent(foco, &composicao);
            QInputMethodEvent e;
            e.setCommitString(QString(c));
            QCoreApplication::sendEvent(foco, &e);
        }
    }
}
