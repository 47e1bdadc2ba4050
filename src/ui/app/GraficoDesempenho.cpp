// The chart of "Meu desempenho", in a module of its own: the program loads it when the window first
// opens, so Qt Charts (and the OpenGL and QML libraries it brings) are only in memory once a student
// asks for the chart, never at start-up.

#include <QChart>
#include <QChartView>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QLineSeries>
#include <QList>
#include <QValueAxis>

#include <algorithm>

extern "C" {

// Speed (left axis, keystrokes per minute) and accuracy (right axis, percent) of each session, over
// the sessions' finishing times. `quando`, `ppm` and `precisao` have one entry per session; a NaN
// is a session without that figure. Never null; `pai` owns the widget.
Q_DECL_EXPORT QWidget *DatiluxGraficoCriar(QWidget *pai, const QList<QDateTime> &quando, const QList<double> &ppm,
                                           const QList<double> &precisao)
{
    auto *velocidade = new QLineSeries;
    velocidade->setName(QStringLiteral("Velocidade (toques/min)"));
    auto *acerto = new QLineSeries;
    acerto->setName(QStringLiteral("Precisão (%)"));
    double maximo = 10;
    for (qsizetype i = 0; i < quando.size(); ++i) {
        const double x = double(quando[i].toMSecsSinceEpoch());
        if (i < ppm.size() && ppm[i] == ppm[i]) {
            velocidade->append(x, ppm[i]);
            maximo = std::max(maximo, ppm[i]);
        }
        if (i < precisao.size() && precisao[i] == precisao[i])
            acerto->append(x, precisao[i]);
    }

    auto *grafico = new QChart;
    grafico->addSeries(velocidade);
    grafico->addSeries(acerto);
    grafico->legend()->setAlignment(Qt::AlignBottom);
    grafico->setMargins(QMargins(4, 4, 4, 4));

    auto *tempo = new QDateTimeAxis;
    tempo->setFormat(QStringLiteral("dd/MM"));
    tempo->setTickCount(6);
    grafico->addAxis(tempo, Qt::AlignBottom);
    auto *eixoPpm = new QValueAxis;
    eixoPpm->setRange(0, maximo * 1.1);
    eixoPpm->setLabelFormat(QStringLiteral("%d"));
    eixoPpm->applyNiceNumbers();
    grafico->addAxis(eixoPpm, Qt::AlignLeft);
    auto *eixoPrecisao = new QValueAxis;
    eixoPrecisao->setRange(0, 100);
    eixoPrecisao->setLabelFormat(QStringLiteral("%d%%"));
    grafico->addAxis(eixoPrecisao, Qt::AlignRight);
    velocidade->attachAxis(tempo);
    velocidade->attachAxis(eixoPpm);
    acerto->attachAxis(tempo);
    acerto->attachAxis(eixoPrecisao);
    if (!quando.isEmpty())
        tempo->setRange(quando.first(), quando.size() > 1 ? quando.last() : quando.first().addDays(1));

    auto *vista = new QChartView(grafico, pai);
    vista->setObjectName(QStringLiteral("GrfDesempenho"));
    vista->setRenderHint(QPainter::Antialiasing);
    return vista;
}

} // extern "C"
