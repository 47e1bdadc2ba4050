#pragma once

#include "controls/Gradiente/ModeloGradiente.h"

#include <QImage>
#include <QPointer>
#include <QVariantMap>
#include <QWidget>

// Gives the window it sits on a vertical gradient background, from CorInicial at the top to
// CorFinal at the bottom. The control itself is a small marker, hidden once it has painted.
//
// By default it follows the window: every resize of the window repaints the gradient, so a window
// needs no code of its own for it. After changing the colours, call FormGradiente().
class Gradiente : public QWidget {
    Q_OBJECT
    Q_PROPERTY(Cor CorInicial READ CorInicial WRITE DefinirCorInicial)
    Q_PROPERTY(Cor CorFinal READ CorFinal WRITE DefinirCorFinal)

public:
    static constexpr Cor kCorInicialPadrao = ModeloGradiente::kCorInicialPadrao;
    static constexpr Cor kCorFinalPadrao = ModeloGradiente::kCorFinalPadrao;
    static constexpr Cor kCorInicialJanelas = ModeloGradiente::kCorInicialJanelas;
    // The marker's size, which the control always keeps.
    static constexpr int kLadoTwips = 375;
    // Width of the strip of colours the window's background repeats.
    static constexpr int kLarguraFaixa = 64;

    // A new control has the colours of a design that stores nothing (as Carregar({})).
    explicit Gradiente(QWidget *pai = nullptr);
    ~Gradiente() override;

    // Setting a colour does not repaint.
    Cor CorInicial() const { return modelo_.CorInicial(); }
    void DefinirCorInicial(Cor cor) { modelo_.DefinirCorInicial(cor); }
    Cor CorFinal() const { return modelo_.CorFinal(); }
    void DefinirCorFinal(Cor cor) { modelo_.DefinirCorFinal(cor); }

    // Paints the gradient as the background of the parent window, for its present height.
    void FormGradiente();

    // See ModeloGradiente::ValorMaior.
    qint16 ValorMaior(const qint16 &X1, const qint16 &X2, const qint16 &X3)
    {
        return modelo_.ValorMaior(X1, X2, X3);
    }
    qint16 IndiceMaior() const { return modelo_.IndiceMaior(); }

    // Whether every resize of the parent window repaints the gradient (on by default).
    void AcompanharJanela(bool acompanhar = true);

    // A colour equal to its default is not stored; an empty design gives the defaults. Loading
    // reads the colours without painting.
    QVariantMap Salvar() const;
    void Carregar(const QVariantMap &propriedades);
    static QStringList OrdemPropriedades();

protected:
    bool event(QEvent *evento) override;
    bool eventFilter(QObject *objeto, QEvent *evento) override;
    void paintEvent(QPaintEvent *evento) override;

private:
    void Vigiar(QWidget *janela);

    ModeloGradiente modelo_;
    bool acompanhar_ = true;
    QPointer<QWidget> vigiada_;
    // What was last put on the parent, so that a resize that changes only the width costs nothing.
    qint64 chaveImagem_ = 0;
    int alturaPintada_ = -1;
    Cor inicialPintada_ = 0;
    Cor finalPintada_ = 0;
};
