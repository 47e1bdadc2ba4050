#pragma once

#include <QString>
#include <QUrl>

#include <memory>

class QKeyEvent;
class QLibrary;

// The few services the program asks of the desktop: the CAPS LOCK state, the warning sound and
// opening an address with the desktop's default handler. Tests put a recording version in its place.
class Plataforma {
public:
    // `arquivoSom`: full path of the warning sound (Aviso.wav in the program's folder).
    explicit Plataforma(QString arquivoSom);
    virtual ~Plataforma();
    Plataforma(const Plataforma &) = delete;
    Plataforma &operator=(const Plataforma &) = delete;

    // True while CAPS LOCK is toggled on: the keyboard's lock state on X11, otherwise what the last
    // key event let us infer.
    virtual bool CapsLockAtivo();

    // Starts the warning sound, or restarts it when it is still playing. A missing file, sound module
    // or sound device plays nothing and reports nothing. The sound module (datilux-som, next to the
    // program) is loaded on the first warning only.
    virtual void TocarAviso();

    // The file name of the sound module in the program's folder.
    static QString ModuloSom();

    // Opens a web or mail address with the desktop's default handler, without waiting.
    virtual void AbrirEndereco(const QUrl &endereco);

    // Off X11: learn the CAPS LOCK state from a typed letter (upper case without Shift means on).
    void ObservarTecla(const QKeyEvent &evento);

private:
    QString arquivoSom_;
    // The sound module and its player, once the first warning asked for them.
    std::unique_ptr<QLibrary> modulo_;
    void *som_ = nullptr;
    void (*tocar_)(void *) = nullptr;
    bool moduloTentado_ = false;
    bool capsVisto_ = false;
};
