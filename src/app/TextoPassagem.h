#pragma once

#include "common/Cores.h"

#include <QTextCharFormat>
#include <QTextEdit>

// The passage display: read-only, one paragraph per passage line, undo switched off, so colouring a
// character costs the same on the longest passage as on the shortest.
class TextoPassagem : public QTextEdit {
    Q_OBJECT

public:
    explicit TextoPassagem(QWidget *pai = nullptr);

    // The passage as the course keeps it (CR LF after every line).
    void DefinirTexto(const QString &passagemCrLf);
    const QString &Texto() const { return passagem_; }

    // Colours the one character at display position `posicao` (a line break counts one).
    void Colorir(int posicao, Cor cor);
    // Colours the whole passage.
    void ColorirTudo(Cor cor);
    // The colour of the character at a display position (for tests and the benchmark).
    Cor CorEm(int posicao) const;

private:
    QString passagem_;
    QTextCharFormat formato_;
};
