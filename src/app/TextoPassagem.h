#pragma once

#include "common/Cores.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCharFormat>

// The passage display: read-only, one paragraph per passage line, undo switched off, laid out line
// by line (a plain-text layout), so colouring a character relays out and repaints its own line only:
// it costs the same on the longest passage as on the shortest.
class TextoPassagem : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit TextoPassagem(QWidget *pai = nullptr);

    // The passage as the course keeps it (CR LF after every line).
    void DefinirTexto(const QString &passagemCrLf);
    const QString &Texto() const { return passagem_; }

    // Colours the one character at display position `posicao` (a line break counts one) and keeps
    // its line in view.
    void Colorir(int posicao, Cor cor);
    // Colours the whole passage.
    void ColorirTudo(Cor cor);
    // Whether line `bloco` (0-based) shows whole in the display, and the first line showing.
    bool LinhaVisivel(int bloco) const;
    int PrimeiraLinhaVisivel() const { return firstVisibleBlock().blockNumber(); }
    // The colour of the character at a display position.
    Cor CorEm(int posicao) const;

private:
    void MostrarLinhaDe(int bloco);

    QString passagem_;
    QTextCharFormat formato_;
};
