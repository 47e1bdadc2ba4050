/* janelax11: time from a program's start to its windows on an X server.
 *
 * Starts COMMAND (with the environment it was given) and looks at the server's window tree whenever a
 * window is created, mapped, reparented or renamed, for the first viewable window whose title matches
 * each PATTERN in turn (POSIX extended regular expressions). Driven by the server's events, the watch
 * costs the program measured nothing while it starts: no polling, no helper process.
 *
 * The time given is when the window became what the pattern asks: the last of the map events of the
 * window and of the windows holding it, and of its title's and owner's changes, each stamped when it
 * came off the connection. Reading the tree takes round trips, and while the program floods the server
 * with its first frame a walk can take 10 to 30 ms: the moment the walk ends would add that to the
 * program's time.
 *
 * Usage: janelax11 TIMEOUT_MS PATTERN [PATTERN...] -- COMMAND [ARG...]
 * A pattern that starts with '@' matches dialogs only (windows that stand over another: WM_TRANSIENT_FOR).
 * Prints, for each pattern, the milliseconds from the start to its window (or -1), and leaves the
 * program running until it is sent SIGTERM itself: then it ends the program and waits for it. */

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <sys/select.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <regex.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

// Last: it defines min and max as macros.
#include <X11/Xlibint.h>
#undef min
#undef max

static double agora_ms()
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

static Atom netWmName, utf8;

// When each window was last mapped, and when its title or owner last changed, as read off the wire.
static std::map<Window, double> mapeada, mudada;
static Bool (*converterOriginal)(Display *, XEvent *, xEvent *) = nullptr;

static Bool converter(Display *d, XEvent *e, xEvent *fio)
{
    const Bool r = converterOriginal(d, e, fio);
    if (r && e->type == MapNotify)
        mapeada[e->xmap.window] = agora_ms();
    else if (r && e->type == PropertyNotify
             && (e->xproperty.atom == netWmName || e->xproperty.atom == XA_WM_NAME
                 || e->xproperty.atom == XA_WM_TRANSIENT_FOR))
        mudada[e->xproperty.window] = agora_ms();
    return r;
}

static std::string titulo(Display *d, Window w)
{
    Atom tipo;
    int formato;
    unsigned long n, resto;
    unsigned char *dados = nullptr;
    std::string r;
    if (XGetWindowProperty(d, w, netWmName, 0, 1024, False, utf8, &tipo, &formato, &n, &resto, &dados) == Success
        && dados) {
        r.assign(reinterpret_cast<char *>(dados), n);
        XFree(dados);
        return r;
    }
    char *nome = nullptr;
    if (XFetchName(d, w, &nome) && nome) {
        r = nome;
        XFree(nome);
    }
    return r;
}

// The moment W and the windows above it (CADEIA) all were as they are now; 0 when unknown.
static double desde(Window w, const std::vector<Window> &cadeia)
{
    double t = 0;
    const auto ver = [&t](const std::map<Window, double> &m, Window x) {
        if (const auto it = m.find(x); it != m.end() && it->second > t)
            t = it->second;
    };
    ver(mudada, w);
    ver(mapeada, w);
    for (Window x : cadeia)
        ver(mapeada, x);
    return t;
}

static bool procurar(Display *d, Window w, const regex_t &padrao, bool dialogo, std::vector<Window> &cadeia,
                     double &quando)
{
    Window raiz, pai, *filhos = nullptr;
    unsigned int n = 0;
    if (!XQueryTree(d, w, &raiz, &pai, &filhos, &n))
        return false;
    bool achou = false;
    for (unsigned int i = 0; i < n && !achou; i++) {
        XWindowAttributes a;
        if (!XGetWindowAttributes(d, filhos[i], &a) || a.map_state != IsViewable)
            continue;
        const std::string t = titulo(d, filhos[i]);
        Window sobre = None;
        if (a.width > 10 && a.height > 10 && !t.empty() && regexec(&padrao, t.c_str(), 0, nullptr, 0) == 0
            && (!dialogo || (XGetTransientForHint(d, filhos[i], &sobre) && sobre != None))) {
            achou = true;
            quando = desde(filhos[i], cadeia);
        } else {
            cadeia.push_back(filhos[i]);
            achou = procurar(d, filhos[i], padrao, dialogo, cadeia, quando);
            cadeia.pop_back();
        }
    }
    if (filhos)
        XFree(filhos);
    return achou;
}

static volatile sig_atomic_t terminar = 0;
static void ao_terminar(int)
{
    terminar = 1;
}

static int erro_x(Display *, XErrorEvent *)
{
    return 0;
} // windows come and go while the tree is read

int main(int argc, char **argv)
{
    int separador = 0;
    for (int i = 1; i < argc; i++)
        if (!strcmp(argv[i], "--")) {
            separador = i;
            break;
        }
    if (argc < 5 || separador < 3 || separador + 1 >= argc) {
        fprintf(stderr, "usage: janelax11 TIMEOUT_MS PATTERN [PATTERN...] -- COMMAND [ARG...]\n");
        return 2;
    }
    const double limite = atof(argv[1]);
    std::vector<regex_t> padroes(separador - 2);
    std::vector<bool> dialogos(separador - 2);
    for (int i = 2; i < separador; i++) {
        dialogos[i - 2] = argv[i][0] == '@';
        if (regcomp(&padroes[i - 2], argv[i] + (dialogos[i - 2] ? 1 : 0), REG_EXTENDED | REG_NOSUB)) {
            fprintf(stderr, "bad pattern: %s\n", argv[i]);
            return 2;
        }
    }
    Display *d = XOpenDisplay(nullptr);
    if (!d) {
        fprintf(stderr, "no display\n");
        return 2;
    }
    XSetErrorHandler(erro_x);
    converterOriginal = XESetWireToEvent(d, MapNotify, converter);
    XESetWireToEvent(d, PropertyNotify, converter);
    netWmName = XInternAtom(d, "_NET_WM_NAME", False);
    utf8 = XInternAtom(d, "UTF8_STRING", False);
    signal(SIGTERM, ao_terminar);

    const double t0 = agora_ms();
    const pid_t filho = fork();
    if (filho == 0) {
        execvp(argv[separador + 1], argv + separador + 1);
        _exit(127);
    }
    // Events of every window: the root's children (window manager frames or, without one, the programs'
    // windows) and, below them, the windows they hold.
    const long mascara = SubstructureNotifyMask | PropertyChangeMask;
    XSelectInput(d, DefaultRootWindow(d), mascara);
    XSync(d, False);
    size_t k = 0;
    bool olhar = true;
    while (k < padroes.size() && agora_ms() - t0 < limite) {
        while (XPending(d)) {
            XEvent e;
            XNextEvent(d, &e);
            if (e.type == CreateNotify)
                XSelectInput(d, e.xcreatewindow.window, mascara);
            else if (e.type == ReparentNotify)
                XSelectInput(d, e.xreparent.window, mascara);
            if (e.type == CreateNotify || e.type == MapNotify || e.type == ReparentNotify
                || e.type == PropertyNotify || e.type == ConfigureNotify)
                olhar = true;
        }
        if (olhar) {
            olhar = false;
            std::vector<Window> cadeia;
            double quando = 0;
            while (k < padroes.size()
                   && procurar(d, DefaultRootWindow(d), padroes[k], dialogos[k], cadeia, quando)) {
                printf("%.1f\n", (quando > 0 ? quando : agora_ms()) - t0);
                fflush(stdout);
                k++;
            }
            continue;
        }
        fd_set fds;
        FD_ZERO(&fds);
        FD_SET(ConnectionNumber(d), &fds);
        timeval espera{0, 20000};
        select(ConnectionNumber(d) + 1, &fds, nullptr, nullptr, &espera);
        if (!XPending(d))
            olhar = true; // now and then, in case an event went unseen
    }
    for (; k < padroes.size(); k++)
        printf("-1\n");
    fflush(stdout);
    while (!terminar)
        pause();
    kill(filho, SIGTERM);
    int estado;
    waitpid(filho, &estado, 0);
    XCloseDisplay(d);
    return 0;
}
