// Datilux: a touch-typing trainer for schools. The main window is the program; its data files live in
// its data folder (the program's own folder unless told otherwise).

#include "access/TestaSenha.h"
#include "app/Acessibilidade.h"
#include "app/FrmTecloria.h"
#include "app/Traco.h"
#include "common/ArquivoDados.h"
#include "common/Digita.h"
#include "common/Mensagem.h"
#include "common/PastaDados.h"
#include "common/Plataforma.h"
#include "config/Traducoes.h"
#include "shared/Logotipo.h"

#include <QApplication>

#include <fontconfig/fontconfig.h>

#include <sys/stat.h>

#include <memory>
#include <optional>
#include <thread>

namespace {

// The data folder of this run: `--dados DIR`, DATILUX_DADOS, the installation's default or the
// program's folder. A folder the program cannot use is said before any window opens.
std::optional<QString> PrepararPastaDados()
{
    // Every file the program creates (data files, lock files) is shared with the folder's group and
    // with nobody else, whatever umask the account brings: in a lab, the teacher and the students
    // are different accounts of one group.
    umask(S_IRWXO);
    const QString pasta =
        PastaDados::Escolher(QCoreApplication::arguments(), qEnvironmentVariable("DATILUX_DADOS"),
                             QStringLiteral(DATILUX_PASTA_DADOS), QCoreApplication::applicationDirPath());
    if (const QString problema = PastaDados::Problema(pasta); !problema.isEmpty()) {
        qWarning().noquote() << problema;
        Mensagem::Critico(nullptr, problema);
        return std::nullopt;
    }
    // What a write cut short by a crash left behind, old enough that nobody is still writing it.
    ArquivoDados::LimparTemporarios(pasta);
    return pasta;
}

} // namespace

int main(int argc, char *argv[])
{
    // On X11 a key repaints a few small cells (the typed character, the passage's colour, a counter).
    // Through shared memory, Qt first waits for the X server to finish reading the last frame before it
    // paints into an overlapping area: a round trip per key, and the slow keys' main cause when the
    // server is busy. Sent through the connection, those few hundred bytes cost less than the wait.
    // Whoever sets the variable keeps their choice.
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM"))
        qputenv("QT_XCB_NO_MITSHM", "1");
    // The font configuration (its files and the font caches) is a good part of the start, and nothing
    // before the login needs a font: it is read on another core while Qt connects to the display.
    std::thread fontes([] { FcInit(); });
    const std::unique_ptr<QApplication> aplicacao(Traco::CriarAplicacao(argc, argv));
    QApplication &app = *aplicacao;
    fontes.join();
    // The login's picture is drawn on another core while the main window is made and reaches the
    // screen.
    const TestaSenha::FundoAdiantado fundoLogin;
    Traco::Marcar("aplicacao");
    QApplication::setApplicationName(QStringLiteral("Datilux"));
    QApplication::setApplicationVersion(QStringLiteral("1.53"));
    QApplication::setWindowIcon(Logotipo::Icone());
    // The colour chooser and the standard buttons speak Portuguese, as every other window does.
    Traducoes::Instalar(app);
    Acessibilidade::Instalar();
    // The program's windows manage their own lifetime: closing the main window ends the program even
    // while the help window is still open.
    app.setQuitOnLastWindowClosed(false);

    const std::optional<QString> pasta = PrepararPastaDados();
    if (!pasta)
        return 1;
    Digita digita(*pasta);
    Plataforma plataforma(Plataforma::ArquivoSom());

    Traco::Marcar("pasta");
    FrmTecloria janela(digita, plataforma, FrmTecloria::Montagem::Progressiva);
    Traco::Marcar("janela");
    QObject::connect(&janela, &FrmTecloria::Encerrado, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    janela.show();
    Traco::Marcar("mostrada");
    return app.exec();
}
