#pragma once

#include <QDialog>
#include <QImage>

class QFrame;
class QLabel;
class QScrollBar;

// The help viewer: the help page as one tall picture inside a white frame, scrolled by the scroll bar
// at the frame's right edge. The scroll bar counts in twips: its maximum is the page's height in twips,
// and at value v the page's top edge is v twips above the frame's top, so the maximum scrolls the
// page right out of view. Not modal: the main window stays usable while it is open.
class Ajuda : public QDialog {
    Q_OBJECT

public:
    static inline const QString kTitulo = QStringLiteral("Ajuda");
    // The frame (PicShape), in twips.
    static constexpr int kFrameEsquerda = 120;
    static constexpr int kFrameTopo = 120;
    static constexpr int kFrameLargura = 9255;
    static constexpr int kFrameAltura = 6015;
    // Scroll bar steps, in twips.
    static constexpr int kPassoPequeno = 100;
    static constexpr int kPassoGrande = 300;
    // One notch of the mouse wheel over the page, in twips: about three lines of text.
    static constexpr int kPassoRoda = 900;

    explicit Ajuda(QWidget *pai = nullptr);
    ~Ajuda() override;

    // Shows the help window of `pai`, opening one if none is open (it is destroyed when closed), or
    // bringing the open one to the front.
    static Ajuda *Abrir(QWidget *pai);

    // The help page rendered at the given width in pixels, as tall as its text needs.
    static QImage DesenharPagina(int largura);

protected:
    bool eventFilter(QObject *objeto, QEvent *evento) override;
    void paintEvent(QPaintEvent *evento) override;

private:
    void VScroll_Change(int valor);

    QFrame *PicShape = nullptr;
    QLabel *PicAjuda = nullptr;
    QScrollBar *VScroll = nullptr;
};
