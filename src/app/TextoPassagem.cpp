#include "app/TextoPassagem.h"

#include "common/CorQt.h"

#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

TextoPassagem::TextoPassagem(QWidget *pai)
    : QPlainTextEdit(pai)
{
    setReadOnly(true);
    setUndoRedoEnabled(false);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setContextMenuPolicy(Qt::NoContextMenu);
    // A read-only passage shows no caret.
    setCursorWidth(0);
}

void TextoPassagem::DefinirTexto(const QString &passagemCrLf)
{
    passagem_ = passagemCrLf;
    QString plano = passagemCrLf;
    plano.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    // The line break after the last line is never typed (the last Enter ends the passage): shown, it
    // would only add an empty line and a scroll bar.
    if (plano.endsWith(u'\n'))
        plano.chop(1);
    setPlainText(plano);
    // Keep each line's shaped glyphs: without it every repaint of a line shapes its text again.
    for (QTextBlock b = document()->begin(); b.isValid(); b = b.next())
        b.layout()->setCacheEnabled(true);
}

void TextoPassagem::Colorir(int posicao, Cor cor)
{
    QTextDocument *doc = document();
    if (posicao < 0 || posicao >= doc->characterCount() - 1)
        return;
    QTextCursor c(doc);
    c.setPosition(posicao);
    c.setPosition(posicao + 1, QTextCursor::KeepAnchor);
    formato_.setForeground(CorQt(cor));
    c.mergeCharFormat(formato_);
    MostrarLinhaDe(c.blockNumber());
}

void TextoPassagem::MostrarLinhaDe(int bloco)
{
    // The line being typed stays in view. When it leaves the view, the passage turns a page: that line
    // goes to the top with the line before it still showing, and the lines to come below it.
    if (!LinhaVisivel(bloco))
        verticalScrollBar()->setValue(qMax(0, bloco - 1));
}

bool TextoPassagem::LinhaVisivel(int bloco) const
{
    const QRectF r = blockBoundingGeometry(document()->findBlockByNumber(bloco)).translated(contentOffset());
    return r.top() >= 0 && r.bottom() <= viewport()->height();
}

void TextoPassagem::ColorirTudo(Cor cor)
{
    QTextCursor c(document());
    c.select(QTextCursor::Document);
    formato_.setForeground(CorQt(cor));
    c.mergeCharFormat(formato_);
    verticalScrollBar()->setValue(0);
}

Cor TextoPassagem::CorEm(int posicao) const
{
    QTextCursor c(document());
    c.setPosition(posicao + 1);
    return CorDe(c.charFormat().foreground().color());
}
