#include "app/CaixaDigitacao.h"

#include "common/Plataforma.h"

#include <QKeyEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>

CaixaDigitacao::CaixaDigitacao(Receptor &receptor, Plataforma &plataforma, QWidget *pai)
    : QPlainTextEdit(pai)
    , receptor_(receptor)
    , plataforma_(plataforma)
{
    setUndoRedoEnabled(false);
    setAcceptDrops(false);
    setTabChangesFocus(true);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setContextMenuPolicy(Qt::NoContextMenu);
    // Both scroll bars always, so that the first line too long or too many never changes the layout
    // in the middle of typing.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Only the edits of a keystroke are typing: the composition of a dead key on screen, or the box
    // being emptied for a new session, change the document without being one.
    connect(document(), &QTextDocument::contentsChange, this, [this](int, int removidos, int inseridos) {
        if (editando_ && (removidos > 0 || inseridos > 0))
            receptor_.TxtDigita_Change();
    });
}

void CaixaDigitacao::Limpar()
{
    clear();
}

int CaixaDigitacao::Caret() const
{
    return textCursor().position();
}

int CaixaDigitacao::TamanhoCrLf() const
{
    // One character per line break in the document; CR LF counts two.
    return document()->characterCount() - 1 + (document()->blockCount() - 1);
}

int CaixaDigitacao::CodigoTecla(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab: return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Escape: return 27;
    case Qt::Key_PageUp: return 33;
    case Qt::Key_PageDown: return 34;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_Delete: return 46;
    default:
        if ((qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) || (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z))
            return qtKey;
        return 0;
    }
}

namespace {

bool Imprimivel(QChar c)
{
    return c.unicode() >= 32 && c.unicode() != 127 && c.isPrint();
}

// Editing commands that are not typing: they would change the box behind the engine's back.
bool EdicaoProibida(const QKeyEvent *e)
{
    return e->matches(QKeySequence::Paste) || e->matches(QKeySequence::Cut) || e->matches(QKeySequence::Undo)
        || e->matches(QKeySequence::Redo) || e->matches(QKeySequence::DeleteStartOfWord)
        || e->matches(QKeySequence::DeleteEndOfWord) || e->matches(QKeySequence::DeleteEndOfLine)
        || e->matches(QKeySequence::DeleteCompleteLine) || e->matches(QKeySequence::InsertLineSeparator);
}

} // namespace

void CaixaDigitacao::Digitar(int k)
{
    if (receptor_.TxtDigita_KeyPress(k))
        return;
    // The handler may have ended the session (and disabled the box) without refusing the key.
    if (!isEnabled())
        return;
    const Editando editando(editando_);
    if (k == 8)
        textCursor().deletePreviousChar();
    else if (k == 13)
        insertPlainText(QStringLiteral("\n"));
    else
        insertPlainText(QString(QChar(char16_t(k))));
    // Keep the line's shaped glyphs between repaints (see the passage display).
    if (QTextLayout *layout = textCursor().block().layout(); layout && !layout->cacheEnabled())
        layout->setCacheEnabled(true);
    ensureCursorVisible();
}


void CaixaDigitacao::keyPressEvent(QKeyEvent *e)
{
    plataforma_.ObservarTecla(*e);
    e->accept();
    if (receptor_.TxtDigita_KeyDown(CodigoTecla(e->key())))
        return;
    if (EdicaoProibida(e))
        return;

    const Qt::KeyboardModifiers mods = e->modifiers();
    const int key = e->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        Digitar(13);
        return;
    }
    if (key == Qt::Key_Backspace) {
        if (mods & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
            return;
        Digitar(8);
        return;
    }
    const QString texto = e->text();
    const bool comando = mods & (Qt::ControlModifier | Qt::MetaModifier);
    if (!texto.isEmpty() && !comando && Imprimivel(texto[0])) {
        for (QChar c : texto) {
            if (Imprimivel(c))
                Digitar(c.unicode());
        }
        return;
    }
    // Caret movement, selection and the rest: the box's own handling, which inserts nothing.
    if (!comando && !texto.isEmpty() && !Imprimivel(texto[0]) && key != Qt::Key_Delete && key != Qt::Key_Tab
        && key != Qt::Key_Backtab)
        return;
    const Editando editando(editando_);
    QPlainTextEdit::keyPressEvent(e);
}

void CaixaDigitacao::inputMethodEvent(QInputMethodEvent *e)
{
    const QString confirmado = e->commitString();
    for (QChar c : confirmado) {
        if (Imprimivel(c))
            Digitar(c.unicode());
    }
    // The composition in progress (a dead key waiting for its letter) is shown as usual.
    QInputMethodEvent resto(e->preeditString(), e->attributes());
    QPlainTextEdit::inputMethodEvent(&resto);
    e->accept();
}

void CaixaDigitacao::focusInEvent(QFocusEvent *e)
{
    QPlainTextEdit::focusInEvent(e);
    receptor_.TxtDigita_GotFocus();
}

void CaixaDigitacao::focusOutEvent(QFocusEvent *e)
{
    QPlainTextEdit::focusOutEvent(e);
    // A menu opening over the window does not take the box's focus away.
    if (e->reason() != Qt::PopupFocusReason)
        receptor_.TxtDigita_LostFocus();
}

bool CaixaDigitacao::canInsertFromMimeData(const QMimeData *) const
{
    return false;
}

void CaixaDigitacao::insertFromMimeData(const QMimeData *)
{
}

void CaixaDigitacao::contextMenuEvent(QContextMenuEvent *e)
{
    e->accept();
}
