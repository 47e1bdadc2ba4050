// The warning sound, in a module of its own: the program loads it with the first warning, so Qt
// Multimedia and the sound system's libraries are only in memory once a sound is wanted.

#include <QCoreApplication>
#include <QSoundEffect>
#include <QString>
#include <QUrl>

extern "C" {

// A player for the WAV file at `caminho`. Never null. It lives as long as the application, which
// deletes it on the way out.
Q_DECL_EXPORT void *DatiluxSomCriar(const QString &caminho)
{
    auto *som = new QSoundEffect(QCoreApplication::instance());
    som->setSource(QUrl::fromLocalFile(caminho));
    return som;
}

// Starts the sound, or restarts it when it is still playing. A file or device that failed plays
// nothing.
Q_DECL_EXPORT void DatiluxSomTocar(void *som)
{
    auto *efeito = static_cast<QSoundEffect *>(som);
    if (!efeito || efeito->status() == QSoundEffect::Error)
        return;
    efeito->stop();
    efeito->play();
}

} // extern "C"
