/* teclax11: time from a real key event to the first repaint on screen, on an X server.
 *
 * For every character of TEXT it sends a key press through the XTEST extension and waits for the
 * first DAMAGE report on the target window: the moment the program's new pixels reach the server.
 * Between keys it pauses (the program is idle when the next key arrives, as under a person's fingers).
 *
 * Usage: teclax11 WINDOW_ID TEXT [PAUSE_MS]      ('\n' in TEXT is Return)
 * Prints one line per key (the character, the microseconds to the repaint, and the moment the key was sent
 * in microseconds of the monotonic clock, to match against the program's own timeline), then: n, p50,
 * p90, p99, max in ms. */

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>
#include <X11/keysym.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>
#include <vector>

static double agora_us()
{
    // steady_clock is the system's monotonic clock, the one the program's timeline reads.
    return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

static KeySym simbolo(char c)
{
    if (c == '\n')
        return XK_Return;
    if (c == ' ')
        return XK_space;
    return (KeySym)(unsigned char)c;
}

static int precisa_shift(char c)
{
    return (c >= 'A' && c <= 'Z') || (c && strchr("!@#$%^&*()_+{}|:\"<>?~", c));
}

static void esvaziar(Display *d, Damage dano)
{
    XDamageSubtract(d, dano, None, None);
    XSync(d, False);
    while (XPending(d)) {
        XEvent e;
        XNextEvent(d, &e);
    }
    XDamageSubtract(d, dano, None, None);
    XSync(d, False);
}

int main(int argc, char **argv)
{
    if (argc < 3) {
        fprintf(stderr, "usage: teclax11 WINDOW_ID TEXT [PAUSE_MS]\n");
        return 2;
    }
    const Window janela = strtoul(argv[1], 0, 0);
    const char *texto = argv[2];
    const int pausa_ms = argc > 3 ? atoi(argv[3]) : 60;
    Display *d = XOpenDisplay(0);
    if (!d) {
        fprintf(stderr, "no display\n");
        return 2;
    }
    int base_eventos, base_erros;
    if (!XDamageQueryExtension(d, &base_eventos, &base_erros)) {
        fprintf(stderr, "no DAMAGE extension\n");
        return 2;
    }
    Damage dano = XDamageCreate(d, janela, XDamageReportNonEmpty);
    XSync(d, False);
    const KeyCode shift = XKeysymToKeycode(d, XK_Shift_L);

    const size_t n = strlen(texto);
    std::vector<double> lat;
    int perdidas = 0;
    for (size_t i = 0; i < n; i++) {
        const char c = texto[i];
        const KeyCode tecla = XKeysymToKeycode(d, simbolo(c));
        if (!tecla)
            continue;
        const int comShift = precisa_shift(c);
        usleep(pausa_ms * 1000);
        esvaziar(d, dano);
        if (comShift)
            XTestFakeKeyEvent(d, shift, True, 0);
        const double t0 = agora_us();
        XTestFakeKeyEvent(d, tecla, True, 0);
        XFlush(d);
        double visto = -1;
        while (agora_us() - t0 < 500000) {
            while (XPending(d)) {
                XEvent e;
                XNextEvent(d, &e);
                if (e.type == base_eventos + XDamageNotify && visto < 0)
                    visto = agora_us() - t0;
            }
            if (visto >= 0)
                break;
            usleep(50);
        }
        XTestFakeKeyEvent(d, tecla, False, 0);
        if (comShift)
            XTestFakeKeyEvent(d, shift, False, 0);
        XFlush(d);
        if (visto < 0) {
            perdidas++;
            continue;
        }
        lat.push_back(visto);
        printf("%c %.0f %.0f\n", c == '\n' ? '|' : c, visto, t0);
    }
    const size_t k = lat.size();
    if (!k) {
        printf("no repaint seen (missed %d)\n", perdidas);
        return 1;
    }
    std::sort(lat.begin(), lat.end());
    printf("n=%zu missed=%d p50=%.2fms p90=%.2fms p99=%.2fms max=%.2fms\n", k, perdidas, lat[k / 2] / 1e3,
           lat[k * 9 / 10] / 1e3, lat[(k * 99) / 100] / 1e3, lat[k - 1] / 1e3);
    XCloseDisplay(d);
    return 0;
}
