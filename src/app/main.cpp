// Datilux: a touch-typing trainer for schools. The main window is the program; its folder is the
// folder of every data file.

#include "app/FrmTecloria.h"
#include "app/Logotipo.h"
#include "common/Digita.h"
#include "common/Plataforma.h"
#include "config/Traducoes.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Datilux"));
    QApplication::setApplicationVersion(QStringLiteral("1.53"));
    QApplication::setWindowIcon(Logotipo::Icone());
    // The colour chooser and the standard buttons speak Portuguese, as every other window does.
    Traducoes::Instalar(app);
    // The program's windows manage their own lifetime: closing the main window ends the program even
    // while the help window is still open.
    app.setQuitOnLastWindowClosed(false);

    Digita digita(QCoreApplication::applicationDirPath());
    Plataforma plataforma(digita.Caminho(QStringLiteral("Aviso.wav")));

    FrmTecloria janela(digita, plataforma);
    QObject::connect(&janela, &FrmTecloria::Encerrado, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    janela.show();
    return app.exec();
}
