#include "config/Traducoes.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace Traducoes {

bool Instalar(QCoreApplication &app)
{
    const QString pasta = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    auto *tradutor = new QTranslator(&app);
    // "qtbase" holds the widgets' texts; "qt" is the older catalogue that gathers all modules.
    for (const char *catalogo : {"qtbase_pt_BR", "qt_pt_BR"}) {
        if (tradutor->load(QString::fromLatin1(catalogo), pasta) && QCoreApplication::installTranslator(tradutor))
            return true;
    }
    delete tradutor;
    return false;
}

} // namespace Traducoes
