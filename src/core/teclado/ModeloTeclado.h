#pragma once

#include <QChar>
#include <QHash>
#include <QList>
#include <QString>

// The keyboard a student types on, as the on-screen keyboard draws it: where each key is, which
// finger types it, and which keys (in order) give a character. Two layouts: the Brazilian ABNT2
// and US-International, for labs with such keyboards. Qt Core only.
class ModeloTeclado {
public:
    static inline const QString kChaveMostrar = QStringLiteral("TecladoNaTela");
    static inline const QString kChaveLayout = QStringLiteral("TecladoLayout");
    static inline const QString kAbnt2 = QStringLiteral("abnt2");
    static inline const QString kUsIntl = QStringLiteral("us-intl");

    // Left hand little finger to right hand little finger; the thumbs share the space bar.
    enum class Dedo {
        MinimoEsq,
        AnelarEsq,
        MedioEsq,
        IndicadorEsq,
        Polegar,
        IndicadorDir,
        MedioDir,
        AnelarDir,
        MinimoDir
    };
    enum class Mao { Esquerda, Direita };

    struct Tecla {
        QString nome; // "a", "ShiftEsq", "Enter", "´"...
        QString rotulo; // what is printed on the key ("A", "Shift", "´ `")
        QChar normal; // the character it types alone (null: none, or a dead key's accent below)
        QChar comShift;
        bool morta = false; // a dead key: its accent waits for the next key
        QChar mortaShift; // the accent with Shift, when Shift changes it
        int linha = 0; // 0 (digits) to 4 (space bar)
        double x = 0; // left edge and width, in key units
        double largura = 1;
        double altura = 1; // in rows (the ISO Enter spans two)
        Dedo dedo = Dedo::Polegar;
    };

    // One step of typing a character: the key, with Shift (on the opposite hand) or not.
    struct Passo {
        int tecla = -1;
        int shift = -1; // the Shift key to hold, -1: none
        friend bool operator==(const Passo &, const Passo &) = default;
    };

    // Any other name than kUsIntl is ABNT2.
    explicit ModeloTeclado(const QString &layout = kAbnt2);

    const QString &Layout() const { return layout_; }
    const QList<Tecla> &Teclas() const { return teclas_; }
    int Indice(const QString &nome) const;
    static Mao MaoDe(Dedo d) { return d < Dedo::Polegar ? Mao::Esquerda : Mao::Direita; }

    // How `c` is typed: one step, or two for an accented letter (the dead key, then the letter); a
    // line end is Enter. Empty when the layout cannot type `c`.
    QList<Passo> Sequencia(QChar c) const;
    // The key that types `c` alone or as the last step (for the flash of a wrong key); -1: none.
    int TeclaDe(QChar c) const;

private:
    void Linha(int linha, double x, const QList<Tecla> &teclas);
    QList<Passo> Calcular(QChar c) const;
    QString layout_;
    QList<Tecla> teclas_;
    // Each character's steps, worked out the first time it is asked for (it is asked at every key).
    mutable QHash<QChar, QList<Passo>> sequencias_;
};
