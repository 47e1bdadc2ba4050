#pragma once

#include "teclado/ModeloTeclado.h"

#include <QPixmap>
#include <QSet>
#include <QWidget>

class QTimer;

// The on-screen keyboard: every key drawn by the program, coloured by the finger that types it;
// the key(s) of the next character stand out (Shift on the other hand, the dead key and then the
// letter of an accented one, numbered 1 and 2), and a wrong key flashes red. Only the keys that
// change are repainted.
class TecladoNaTela : public QWidget {
    Q_OBJECT

public:
    explicit TecladoNaTela(QWidget *pai = nullptr);

    void DefinirLayout(const QString &layout);
    const ModeloTeclado &Modelo() const { return modelo_; }

    // The next character to type (null: none, nothing stands out).
    void MostrarProximo(QChar c);
    // A key typed where another was expected: the key that types `digitado` flashes.
    void PiscarErro(QChar digitado);

    // What stands out now: each key's index and its step (1 or 2; 0 for a Shift to hold).
    const QHash<int, int> &Destacadas() const { return destacadas_; }
    int Piscando() const { return piscando_; }

    QSize sizeHint() const override;
    // The height that holds the keys at a given width.
    static int AlturaPara(int largura);

protected:
    void paintEvent(QPaintEvent *evento) override;

private:
    QRectF Retangulo(int tecla) const;
    void PrepararCamadas();
    void Atualizar(int tecla);

    ModeloTeclado modelo_;
    QChar proximo_;
    QHash<int, int> destacadas_;
    int piscando_ = -1;
    QTimer *apagar_ = nullptr;
    // The keyboard drawn in each look: plain, next key (also a Shift to hold), first and second
    // of two steps, wrong key.
    enum { kNormal, kProximo, kPrimeiro, kSegundo, kErro, kEstados };
    QPixmap camadas_[kEstados];
    QString camadasLayout_;
};
