#include "DialogoModal.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>

void AoAbrirModal(const QString &tipo, std::function<void(QWidget *)> acao, int limiteMs)
{
    auto *timer = new QTimer(qApp);
    auto relogio = std::make_shared<QElapsedTimer>();
    relogio->start();
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, timer, [=]() {
        QWidget *w = QApplication::activeModalWidget();
        // Shown is not enough: until the window is active, the keys of the action would still go to
        // the window below it.
        const bool serve = w && w->isVisible() && QApplication::activeWindow() == w
                           && (tipo.isEmpty() || QString::fromLatin1(w->metaObject()->className()) == tipo);
        if (serve) {
            timer->stop();
            timer->deleteLater();
            acao(w);
            return;
        }
        if (relogio->elapsed() > limiteMs) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start();
}
