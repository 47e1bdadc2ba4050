#include "common/Plataforma.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLibrary>

#ifdef DATILUX_COM_X11
#include <QtGui/qguiapplication_platform.h>
#include <X11/XKBlib.h>
#endif

Plataforma::Plataforma(QString arquivoSom)
    : arquivoSom_(std::move(arquivoSom))
{}

// The module is not unloaded (QLibrary leaves it loaded): the player may still be finishing a sound.
Plataforma::~Plataforma() = default;

namespace {

QString ArquivoDaInstalacao(const QString &nome, const char *pastaRelativa)
{
    const QDir programa(QCoreApplication::applicationDirPath());
    if (QFileInfo::exists(programa.filePath(nome)))
        return programa.filePath(nome);
    return QDir::cleanPath(programa.filePath(QString::fromUtf8(pastaRelativa) + u'/' + nome));
}

} // namespace

QString Plataforma::ModuloSom()
{
    return ArquivoDaInstalacao(QStringLiteral("datilux-som.so"), DATILUX_MODULOS_RELATIVO);
}

QString Plataforma::ModuloGraficos()
{
    return ArquivoDaInstalacao(QStringLiteral("datilux-graficos.so"), DATILUX_MODULOS_RELATIVO);
}

QString Plataforma::ModuloImpressao()
{
    return ArquivoDaInstalacao(QStringLiteral("datilux-impressao.so"), DATILUX_MODULOS_RELATIVO);
}

QString Plataforma::ModuloResultados()
{
    return ArquivoDaInstalacao(QStringLiteral("datilux-resultados.so"), DATILUX_MODULOS_RELATIVO);
}

QString Plataforma::ArquivoSom()
{
    return ArquivoDaInstalacao(QStringLiteral("Aviso.wav"), DATILUX_COMPARTILHADO_RELATIVO);
}

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
    if (!moduloTentado_) {
        moduloTentado_ = true;
        if (!QFileInfo::exists(arquivoSom_))
            return;
        auto modulo = std::make_unique<QLibrary>(ModuloSom());
        using Criar = void *(*)(const QString &);
        auto criar = reinterpret_cast<Criar>(modulo->resolve("DatiluxSomCriar"));
        tocar_ = reinterpret_cast<void (*)(void *)>(modulo->resolve("DatiluxSomTocar"));
        if (!criar || !tocar_) {
            tocar_ = nullptr;
            return;
        }
        som_ = criar(arquivoSom_);
        modulo_ = std::move(modulo);
    }
    if (tocar_ && som_)
        tocar_(som_);
}

void Plataforma::AbrirEndereco(const QUrl &endereco)
{
    QDesktopServices::openUrl(endereco);
}
