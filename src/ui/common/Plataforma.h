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
    // `arquivoSom`: full path of the warning sound (ArquivoSom() in a real run).
    explicit Plataforma(QString arquivoSom);
    virtual ~Plataforma();
    Plataforma(const Plataforma &) = delete;
    Plataforma &operator=(const Plataforma &) = delete;

    // True while CAPS LOCK is toggled on: the keyboard's lock state on X11, otherwise what the last
    // key event let us infer.
    virtual bool CapsLockAtivo();

    // Starts the warning sound, or restarts it when it is still playing. A missing file, sound module
    // or sound device plays nothing and reports nothing. The sound module (ModuloSom()) is loaded on
    // the first warning only.
    virtual void TocarAviso();

    // The program's own files, never the data folder's: code that a student could put in a shared
    // data folder must not run inside a teacher's session. Beside the executable (a build tree, a
    // copy in a folder of its own), else where an installation under a prefix puts them
    // (bin/../lib/datilux, bin/../share/datilux); that second place is the answer when neither exists.
    static QString ModuloSom(); // datilux-som.so
    static QString ModuloGraficos(); // datilux-graficos.so (Qt Charts, for "Meu desempenho")
    static QString ModuloImpressao(); // datilux-impressao.so (Qt Print Support, for the class report)
    static QString ModuloResultados(); // datilux-resultados.so (Qt SQL, the results store)
    static QString ArquivoSom(); // Aviso.wav

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
