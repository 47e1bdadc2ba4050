// Loads 9,999 students into a grid set up like the registry editor's (12 lines, five columns,
// titles hidden) through BoxNew2 / AddEnd, then scrolls from end to end by single steps and by
// pages through the vertical scroll bar. Prints the load time and the median and maximum time of
// one scroll step, first for the grid's own repaint (cell texts and colours), then including the
// painting of the widget. Run with QT_QPA_PLATFORM=offscreen.

#include "common/Twips.h"
#include "controls/BoxList/BoxList.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QScrollBar>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kRegistros = 9999;

const char *const kNomes[] = {"ANA PAULA SOUZA", "BRUNO LIMA",  "CARLA DIAS",   "DANIEL ROCHA",
                              "EDUARDA MELO",    "FABIO NUNES", "GISELE PRADO", "HEITOR CAMPOS"};

double Ms(const QElapsedTimer &t)
{
    return double(t.nsecsElapsed()) / 1e6;
}

void Configurar(BoxList &g)
{
    g.resize(Twips::px(7200 + 330), 100);
    g.Config(&g, QStringLiteral("Tahoma"), 10, 12, RGB(104, 150, 213), RGB(104, 150, 213), RGB(255, 255, 255),
             RGB(0, 0, 150), RGB(255, 255, 255));
    g.Title(QStringLiteral("Cód"), 6);
    g.Title(QStringLiteral("Nome"), 31);
    g.Title(QStringLiteral("Senha"), 12);
    g.Title(QStringLiteral("Classe"), 6, 2);
    g.Title(QStringLiteral("Exerc"), 5);
    g.Activate(false);
    g.show();
    QApplication::processEvents();
}

// One row as the registry editor adds it: code, name as stored (30 characters), the password
// as stars, class and exercise with leading zeros.
void AdicionarAluno(BoxList &g, int codigo)
{
    g.Add(QStringLiteral("%1").arg(codigo, 4, 10, QChar(u'0')));
    g.Add(QStringLiteral("%1 %2").arg(QLatin1String(kNomes[codigo % 8])).arg(codigo).leftJustified(30));
    g.Add(QStringLiteral("****"));
    g.Add(QStringLiteral("%1").arg(codigo % 6 + 1, 2, 10, QChar(u'0')));
    g.Add(QStringLiteral("%1").arg(codigo % 47, 3, 10, QChar(u'0')));
}

struct Medida {
    double mediana = 0;
    double maximo = 0;
    int passos = 0;
};

Medida Resumo(std::vector<double> tempos)
{
    Medida m;
    if (tempos.empty())
        return m;
    std::sort(tempos.begin(), tempos.end());
    m.mediana = tempos[tempos.size() / 2];
    m.maximo = tempos.back();
    m.passos = int(tempos.size());
    return m;
}

// Moves the scroll bar from one end to the other and back by `passo`, timing each move.
Medida Rolar(BoxList &g, int passo, bool pintar)
{
    QScrollBar *barra = g.VBar();
    std::vector<double> tempos;
    QElapsedTimer t;
    for (int sentido : {1, -1}) {
        for (;;) {
            const int atual = barra->value();
            const int alvo = std::clamp(atual + sentido * passo, 0, barra->maximum());
            if (alvo == atual)
                break;
            t.start();
            barra->setValue(alvo);
            if (pintar)
                g.repaint();
            tempos.push_back(Ms(t));
        }
    }
    return Resumo(tempos);
}

// Labels padded by characters, not bytes, so that accented ones line up.
QByteArray Rotulo(const char *nome)
{
    return QString::fromUtf8(nome).leftJustified(36).toUtf8();
}

void Imprimir(const char *nome, const Medida &m)
{
    std::printf("%s mediana %7.3f ms   máximo %7.3f ms   (%d passos)\n", Rotulo(nome).constData(), m.mediana,
                m.maximo, m.passos);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);

    BoxList g;
    Configurar(g);
    QElapsedTimer t;
    t.start();
    g.Clear();
    for (int codigo = 1; codigo <= kRegistros; ++codigo) {
        AdicionarAluno(g, codigo);
        g.BoxNew2();
    }
    g.AddEnd();
    g.Selected(g.ListCount() - 1);
    const double carga = Ms(t);

    std::printf("Grade com %d alunos, 12 linhas, 5 colunas\n", g.ListCount());
    std::printf("%s %9.1f ms\n", Rotulo("carga (BoxNew2 + AddEnd + Selected)").constData(), carga);

    g.VBar()->setValue(0);
    Imprimir("passo de 1 linha", Rolar(g, 1, false));
    Imprimir("passo de 1 página", Rolar(g, 12, false));
    Imprimir("passo de 1 linha, com pintura", Rolar(g, 1, true));
    Imprimir("passo de 1 página, com pintura", Rolar(g, 12, true));

    // For comparison: the same load committing each row with BoxNew, which repaints every time.
    BoxList h;
    Configurar(h);
    t.start();
    for (int codigo = 1; codigo <= kRegistros; ++codigo) {
        AdicionarAluno(h, codigo);
        h.BoxNew();
    }
    std::printf("%s %9.1f ms\n", Rotulo("carga com BoxNew (referência)").constData(), Ms(t));
    return 0;
}
