#include "common/Plataforma.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QSoundEffect>

#ifdef DATILUX_COM_X11
#include <QtGui/qguiapplication_platform.h>
#include <X11/XKBlib.h>
#endif

Plataforma::Plataforma(QString arquivoSom)
    : arquivoSom_(std::move(arquivoSom))
{
}

Plataforma::~Plataforma() = default;

bool Plataforma::CapsLockAtivo()
{
#ifdef DATILUX_COM_X11
    if (auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr) {
        if (Display *d = x11->display()) {
            XkbStateRec estado;
            if (XkbGetState(d, XkbUseCoreKbd, &estado) == Success)
                return (estado.locked_mods & LockMask) != 0;
        }
    }
#endif
    return capsVisto_;
}

void Plataforma::ObservarTecla(const QKeyEvent &evento)
{
    const QString t = evento.text();
    if (t.size() != 1 || !t[0].isLetter() || t[0].toUpper() == t[0].toLower())
        return;
    const bool shift = evento.modifiers().testFlag(Qt::ShiftModifier);
    capsVisto_ = t[0].isUpper() != shift;
}

void Plataforma::TocarAviso()
{
    if (!som_) {
        if (!QFileInfo::exists(arquivoSom_))
            return;
        som_ = std::make_unique<QSoundEffect>();
        som_->setSource(QUrl::fromLocalFile(arquivoSom_));
    }
    if (som_->status() == QSoundEffect::Error)
        return;
    som_->stop();
    som_->play();
}

void Plataforma::AbrirEndereco(const QUrl &endereco)
{
    QDesktopServices::openUrl(endereco);
}
