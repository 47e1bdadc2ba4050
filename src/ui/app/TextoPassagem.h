#pragma once

#include "common/Cores.h"

#include <QAbstractScrollArea>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class LinhaTexto;

// The passage display: read-only, one line per passage line, painted by the program itself.
//
// The passage is coloured one character at a time as the student types. Each line is laid out once
// (its glyphs shaped and kept); colouring a character changes one colour and repaints the
// character's own cell, so a key costs the same on the longest passage as on the shortest, and far
// less than a general text editor's repaint of the whole line.
class TextoPassagem : public QAbstractScrollArea {
    Q_OBJECT

public:
    explicit TextoPassagem(QWidget *pai = nullptr);
    ~TextoPassagem() override;

    // The passage as the course keeps it (CR LF after every line).
    void DefinirTexto(const QString &passagemCrLf);
    const QString &Texto() const { return passagem_; }

    // Colours the one character at display position `posicao` (a line break counts one) and keeps
    // the line the student is on in view.
    void Colorir(int posicao, Cor cor);
    // Colours the whole passage.
    void ColorirTudo(Cor cor);
    // The colour of the character at a display position.
    Cor CorEm(int posicao) const;

    // Whether line `linha` (0-based) shows whole in the display, and the first line showing.
    bool LinhaVisivel(int linha) const;
    int PrimeiraLinhaVisivel() const;
    int QuantidadeLinhas() const { return int(linhas_.size()); }

protected:
    void paintEvent(QPaintEvent *evento) override;
    void resizeEvent(QResizeEvent *evento) override;
    void changeEvent(QEvent *evento) override;
    void keyPressEvent(QKeyEvent *evento) override;

private:
    struct Linha;
    friend struct Linha;

    void Diagramar();
    void Medir();
    void AjustarBarras();
    // The line and column of a display position.
    std::pair<int, int> Local(int posicao) const;
    QRect RetanguloDe(int linha, int coluna) const;
    void MostrarLinha(int linha);
    int AlturaLinha() const { return altura_; }

    QString passagem_;
    std::vector<std::unique_ptr<Linha>> linhas_;
    // First display position of each line.
    std::vector<int> inicios_;
    Cor corBase_ = 0;
    int altura_ = 1;
    int ascendente_ = 0;
    int largura_ = 0;
    static constexpr int kMargem = 4;
};
