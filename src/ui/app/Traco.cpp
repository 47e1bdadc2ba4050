#include "app/Traco.h"

#include <QEvent>
#include <QFile>
#include <QSocketNotifier>
#include <QTextStream>

#include <chrono>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <vector>

namespace {

struct Registro {
    qint64 ns;
    const char *oque;
    const char *quem; // class of the receiver; static strings only, so stamping never allocates
    int tipo; // the event's type; 0 for a stamp of the program's own
    bool saida;
};

bool ativo = false;
std::vector<Registro> registros;
int sinalTerminar[2] = {-1, -1};

// The benchmark ends a traced run with SIGTERM: the program quits through its event loop, so that the
// timeline gets written.
void AoTerminar(int)
{
    const char c = 1;
    [[maybe_unused]] const ssize_t n = write(sinalTerminar[1], &c, 1);
}

qint64 Agora()
{
    // The monotonic clock, which the benchmark's key sender reads too.
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

bool Interessa(QEvent::Type t)
{
    switch (t) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::InputMethod:
    case QEvent::UpdateRequest:
    case QEvent::Paint:
    case QEvent::LayoutRequest:
    case QEvent::Timer:
    case QEvent::MetaCall:
    case QEvent::Resize:
    case QEvent::Expose: return true;
    default: return false;
    }
}

class AplicacaoComTraco : public QApplication {
public:
    using QApplication::QApplication;

    ~AplicacaoComTraco() override { Gravar(); }

    bool notify(QObject *receptor, QEvent *evento) override
    {
        const QEvent::Type tipo = evento->type();
        if (!Interessa(tipo))
            return QApplication::notify(receptor, evento);
        const char *quem = receptor->metaObject()->className();
        registros.push_back({Agora(), "", quem, int(tipo), false});
        const bool r = QApplication::notify(receptor, evento);
        registros.push_back({Agora(), "", quem, int(tipo), true});
        return r;
    }

private:
    static void Gravar()
    {
        QFile arquivo(qEnvironmentVariable("DATILUX_TRACO"));
        if (!arquivo.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return;
        QTextStream s(&arquivo);
        // One line per stamp: microseconds of the monotonic clock, '>' on entry or '<' on exit, the
        // event's type (0: a stamp of the program's own), the receiver's class or the stamp's name.
        for (const Registro &r : registros)
            s << r.ns / 1000 << ' ' << (r.saida ? '<' : '>') << ' ' << r.tipo << ' ' << (r.tipo ? r.quem : r.oque)
              << '\n';
    }
};

} // namespace

namespace Traco {

QApplication *CriarAplicacao(int &argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("DATILUX_TRACO"))
        return new QApplication(argc, argv);
    ativo = true;
    registros.reserve(1 << 20);
    Marcar("main");
    auto *app = new AplicacaoComTraco(argc, argv);
    if (socketpair(AF_UNIX, SOCK_STREAM, 0, sinalTerminar) == 0) {
        auto *aviso = new QSocketNotifier(sinalTerminar[0], QSocketNotifier::Read, app);
        QObject::connect(aviso, &QSocketNotifier::activated, app, &QCoreApplication::quit);
        signal(SIGTERM, AoTerminar);
    }
    return app;
}

void Marcar(const char *oque)
{
    if (ativo)
        registros.push_back({Agora(), oque, "", 0, false});
}

bool Ativo()
{
    return ativo;
}

} // namespace Traco
