// Key to repaint inside the program: the real main window, a student logged in, whole passages
// typed one key at a time through the window system's key path. Each key is timed from the key event
// to the end of the repaint it causes (the engine, the passage colouring, the input box's insertion
// and the paint). The shortest and the longest passage of the course, in normal and in lock mode.

#include "access/ArquivoAlunos.h"
#include "access/ArquivoDatilux.h"
#include "access/TestaSenha.h"
#include "app/CaixaDigitacao.h"
#include "app/FrmTecloria.h"
#include "common/Digita.h"
#include "common/Formatos.h"
#include "config/ArquivoConfig.h"
#include "exercises/Biblioteca.h"
#include "resultados/ModuloResultados.h"
#include "support/DialogoModal.h"
#include "support/PlataformaTeste.h"
#include "teclado/ModeloTeclado.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

struct Passagem {
    int classe;
    int indice;
    QString texto;
};

// The shortest and the longest real exercise of the course.
std::pair<Passagem, Passagem> Extremos()
{
    Passagem curta{0, 0, QString()};
    Passagem longa{0, 0, QString()};
    for (int c = 1; c <= Biblioteca::kClasses; ++c) {
        for (int i = 0; i < Biblioteca::QuantidadeExercicios(c); ++i) {
            const QString t = Biblioteca::Texto(c, i).value_or(QString());
            if (curta.texto.isEmpty() || t.size() < curta.texto.size())
                curta = {c, i, t};
            if (t.size() > longa.texto.size())
                longa = {c, i, t};
        }
    }
    return {curta, longa};
}

// Paint events reaching the window's widgets: proof that the repaint happened inside the timing.
struct ContaPinturas : QObject {
    int pinturas = 0;
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::Paint)
            ++pinturas;
        return false;
    }
};

struct Medida {
    std::vector<double> ms; // every key
    std::vector<double> digitando; // every key but the Enter that ends the passage
    std::vector<double> fim; // the Enter that ends the passage (the finish runs in it)
    int semPintura = 0;
};

// Types the passage `vezes` times over (a new session each time, the first one a warm-up that is not
// counted), so that short and long passages give samples of comparable size.
// `figuras`: the live speed and accuracy labels follow the keys, as in the program; without them,
// the window as it was before it had them (same binary, so that both are measured in one run).
// `teclado`: the on-screen keyboard shown below the input box, following the keys.
Medida Digitar(const Passagem &p, bool trava, int vezes, bool figuras = true, bool teclado = false)
{
    QTemporaryDir dir;
    Digita digita(dir.path());
    QString erro;
    ArquivoDatilux::GravarConfig(digita, ArquivoDatilux::kChaveMostrarSenha, QStringLiteral("1"), erro);
    ArquivoDatilux::GravarConfig(digita, ModeloTeclado::kChaveMostrar, teclado ? QStringLiteral("1") : QString(),
                                 erro);
    ConfigRec rec;
    rec.Travar = trava ? 1 : 0;
    rec.Som = 0;
    ArquivoConfig::Gravar(digita.Caminho(ArquivoConfig::kNomeArquivo), rec, erro);
    {
        ArquivoAlunos alunos;
        alunos.Abrir(digita.Caminho(ArquivoAlunos::kNomeArquivo), erro);
        Aluno a;
        a.Codigo = QStringLiteral("0001");
        a.Nome = QStringLiteral("ALUNA");
        a.Senha = QStringLiteral("x");
        a.Classe = qint16(p.classe);
        a.Exercicio = qint16(p.indice + 1);
        alunos.Gravar(a, erro);
    }

    PlataformaTeste plataforma;
    AoAbrirModal<TestaSenha>([](TestaSenha *login) {
        auto *codigo = login->findChild<QLineEdit *>(QStringLiteral("TxtCodigo"));
        (void)QTest::qWaitFor([codigo] { return codigo->hasFocus(); });
        for (const char *t : {"1", "\r", "x", "\r", "\r"}) {
            QWidget *foco = QApplication::focusWidget();
            if (t[0] == '\r')
                QTest::keyClick(foco, Qt::Key_Return);
            else
                QTest::keyClicks(foco, QString::fromLatin1(t));
        }
    });
    FrmTecloria janela(digita, plataforma);
    janela.DefinirLarguraTela(1024);
    janela.show();
    (void)QTest::qWaitFor(
        [&] { return digita.NomeUsuario == QStringLiteral("ALUNA") && janela.ExercicioCarregado(); });
    janela.activateWindow();
    (void)QTest::qWaitForWindowActive(&janela);
    QWindow *w = janela.windowHandle();
    if (!figuras) {
        QObject::disconnect(&janela.Controle(), &ControleDigitacao::FigurasMudaram, &janela, nullptr);
        janela.findChild<QWidget *>(QStringLiteral("Figuras"))->hide();
    }

    ContaPinturas conta;
    for (QWidget *filho : janela.findChildren<QWidget *>())
        filho->installEventFilter(&conta);

    Medida m;
    QString roteiro = p.texto;
    roteiro.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QElapsedTimer relogio;
    for (int vez = 0; vez <= vezes; ++vez) {
        QTest::keyClick(w, Qt::Key_C, Qt::ControlModifier);
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        for (int i = 0; i < roteiro.size(); ++i) {
            const QChar c = roteiro[i];
            const Qt::Key tecla = c == u'\n'  ? Qt::Key_Return
                                  : c == u' ' ? Qt::Key_Space
                                              : Qt::Key(c.toUpper().unicode());
            const QString texto = c == u'\n' ? QStringLiteral("\r") : QString(c);
            const int antes = conta.pinturas;
            relogio.start();
            QTest::sendKeyEvent(QTest::Press, w, tecla, texto, Qt::NoModifier);
            // Until the repaint the key caused has been done (or the key caused none).
            do {
                QCoreApplication::sendPostedEvents();
                QCoreApplication::processEvents(QEventLoop::AllEvents);
            } while (conta.pinturas == antes && relogio.nsecsElapsed() < 50'000'000);
            const qint64 ns = relogio.nsecsElapsed();
            QTest::sendKeyEvent(QTest::Release, w, tecla, texto, Qt::NoModifier);
            if (vez == 0)
                continue;
            if (conta.pinturas == antes)
                ++m.semPintura;
            m.ms.push_back(double(ns) / 1e6);
            (i + 1 == roteiro.size() ? m.fim : m.digitando).push_back(double(ns) / 1e6);
        }
        if (janela.EmDigitacao())
            std::fprintf(stderr, "the passage did not finish: %d errors\n", janela.Motor().Erros);
        if (janela.Motor().Erros != 0)
            std::fprintf(stderr, "unexpected errors: %d\n", janela.Motor().Erros);
    }
    janela.close();
    return m;
}

double Percentil(std::vector<double> v, double q)
{
    std::sort(v.begin(), v.end());
    const size_t i = std::min(v.size() - 1, size_t(q * double(v.size() - 1) + 0.5));
    return v[i];
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ModuloResultados::caminhoModulo = QStringLiteral(DATILUX_MODULO_RESULTADOS);
    // "CLASS EXERCISE" on the command line: that passage only, in normal mode, once (for profiling).
    if (argc == 3) {
        const int classe = QString::fromLocal8Bit(argv[1]).toInt();
        const int indice = QString::fromLocal8Bit(argv[2]).toInt() - 1;
        const Passagem p{classe, indice, Biblioteca::Texto(classe, indice).value_or(QString())};
        const Medida m = Digitar(p, false, 1);
        std::printf("class %d exercise %d: %zu keys, p50 %.3f ms\n", classe, indice + 1, m.ms.size(),
                    Percentil(m.ms, 0.5));
        return 0;
    }
    const auto [curta, longa] = Extremos();
    std::printf("key to repaint, %s platform, whole passages typed key by key (each passage typed over\n"
                "and over, a new session each time, until at least 2,000 keys are measured)\n",
                qPrintable(QGuiApplication::platformName()));
    double p99[2][2] = {};
    int n = 0;
    for (const Passagem *p : {&curta, &longa}) {
        const int linhas = int(p->texto.count(QStringLiteral("\r\n")));
        for (bool trava : {false, true}) {
            const int vezes = qMax(1, int(2000 / p->texto.size()) + 1);
            const Medida m = Digitar(*p, trava, vezes);
            p99[n][trava] = Percentil(m.digitando, 0.99);
            std::printf("class %d exercise %d (%lld characters, %d lines), %-6s mode:\n"
                        "  all %zu keys:            p50 %.3f ms, p99 %.3f ms, max %.3f ms%s\n"
                        "  typing (no finish):     p50 %.3f ms, p99 %.3f ms, max %.3f ms\n"
                        "  the Enter that finishes: median %.3f ms\n",
                        p->classe, p->indice + 1, static_cast<long long>(p->texto.size()), linhas,
                        trava ? "lock" : "normal", m.ms.size(), Percentil(m.ms, 0.5), Percentil(m.ms, 0.99),
                        *std::max_element(m.ms.begin(), m.ms.end()),
                        m.semPintura ? qPrintable(QStringLiteral(" (%1 keys without a repaint)").arg(m.semPintura))
                                     : "",
                        Percentil(m.digitando, 0.5), p99[n][trava],
                        *std::max_element(m.digitando.begin(), m.digitando.end()), Percentil(m.fim, 0.5));
        }
        ++n;
    }
    std::printf("typing p99 of the longest passage / of the shortest: normal %.2f, lock %.2f\n",
                p99[1][0] / p99[0][0], p99[1][1] / p99[0][1]);

    // The cost of the live figures: the longest passage in normal mode without and with them,
    // alternated three times so that both see the same machine.
    std::printf("live speed and accuracy labels, class %d exercise %d, normal mode (typing keys):\n", longa.classe,
                longa.indice + 1);
    std::vector<double> sem, com;
    for (int rodada = 0; rodada < 3; ++rodada) {
        for (bool figuras : {false, true}) {
            const Medida m = Digitar(longa, false, qMax(1, int(2000 / longa.texto.size()) + 1), figuras);
            (figuras ? com : sem).insert((figuras ? com : sem).end(), m.digitando.begin(), m.digitando.end());
        }
    }
    std::printf("  without: p50 %.3f ms, p99 %.3f ms (%zu keys)\n  with:    p50 %.3f ms, p99 %.3f ms (%zu keys)\n",
                Percentil(sem, 0.5), Percentil(sem, 0.99), sem.size(), Percentil(com, 0.5), Percentil(com, 0.99),
                com.size());

    // The cost of the on-screen keyboard, measured the same way.
    std::printf("on-screen keyboard, class %d exercise %d, normal mode (typing keys):\n", longa.classe,
                longa.indice + 1);
    sem.clear(), com.clear();
    for (int rodada = 0; rodada < 3; ++rodada) {
        for (bool teclado : {false, true}) {
            const Medida m = Digitar(longa, false, qMax(1, int(2000 / longa.texto.size()) + 1), true, teclado);
            (teclado ? com : sem).insert((teclado ? com : sem).end(), m.digitando.begin(), m.digitando.end());
        }
    }
    std::printf("  hidden: p50 %.3f ms, p99 %.3f ms (%zu keys)\n  shown:  p50 %.3f ms, p99 %.3f ms (%zu keys)\n",
                Percentil(sem, 0.5), Percentil(sem, 0.99), sem.size(), Percentil(com, 0.5), Percentil(com, 0.99),
                com.size());
    return 0;
}
