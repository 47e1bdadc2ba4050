#pragma once

#include <QFont>
#include <QString>

#include <vector>

// One line of text laid out once for a font, keeping the x of every character's left edge, so that a
// view can repaint a single character without laying out or drawing the rest of the line.
class LinhaTexto {
public:
    LinhaTexto() = default;
    LinhaTexto(const LinhaTexto &) = delete;
    LinhaTexto &operator=(const LinhaTexto &) = delete;

    const QString &Texto() const { return texto_; }
    int Tamanho() const { return int(texto_.size()); }

    // Sets the text and lays it out in `fonte`.
    void Definir(const QString &texto, const QFont &fonte);
    // Adds one character at the end, laid out in the same font: the same edges as Definir would give,
    // measuring again only the last few (a typed key costs the same at the end of a long line as at
    // its start).
    void Acrescentar(QChar c, const QFont &fonte);
    // Lays the same text out again (the font changed).
    void Diagramar(const QFont &fonte);

    // Left edge of character i; X(Tamanho()) is the end of the text.
    qreal X(int i) const { return xs_[size_t(qBound(0, i, Tamanho()))]; }
    qreal Largura() const { return X(Tamanho()); }
    // The character edge nearest to x.
    int Coluna(qreal x) const;
    // The characters a horizontal span [esquerda, direita] reaches: [de, ate).
    std::pair<int, int> Alcance(qreal esquerda, qreal direita) const;

private:
    // The edges from `de` on, from a fresh layout of the whole text.
    void Medir(const QFont &fonte, int de);

    QString texto_;
    std::vector<qreal> xs_{0.0};
    // Whether every character is of a script whose shaping only reaches a few characters back (Latin,
    // Greek, Cyrillic, no combining marks): then a character added at the end moves no earlier edge.
    bool local_ = true;
};
