// The print module: lays a report out on A4 pages for the printer, its preview and PDF files.
// Loaded on first use, so that Qt Print Support (and the printing system's client libraries it
// brings) cost nothing to a session that never prints.

#include "relatorio/Impressao.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QSaveFile>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kEspacoColuna = 1.2; // in units of the font's average character width

void PrepararPagina(QPagedPaintDevice *d)
{
    d->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(12, 12, 12, 12),
                                 QPageLayout::Millimeter));
}

} // namespace

extern "C" {

Q_DECL_EXPORT int DatiluxRelatorioPaginar(QPagedPaintDevice *dispositivo, const PaginasRelatorio &r)
{
    QPainter p;
    if (!p.begin(dispositivo))
        return 0;
    const QRectF area(QPointF(0, 0), QSizeF(p.viewport().size()));

    QFont corpo(QStringLiteral("DejaVu Sans"));
    corpo.setPointSizeF(8.5);
    QFont negrito = corpo;
    negrito.setBold(true);
    QFont titulo = corpo;
    titulo.setPointSizeF(13);
    titulo.setBold(true);
    // The painter's own metrics: the preview paints through an engine of its own, whose resolution
    // the device's metrics would not match.
    const auto medidas = [&p](const QFont &f) {
        p.setFont(f);
        return QFontMetricsF(p.fontMetrics());
    };
    const QFontMetricsF mCorpo = medidas(corpo), mNegrito = medidas(negrito), mTitulo = medidas(titulo);

    // Column widths from the widest heading or cell, shrunk together when they do not fit; a cell
    // still too wide is cut with an ellipsis.
    const int n = int(r.colunas.size());
    const double espaco = mCorpo.averageCharWidth() * kEspacoColuna;
    QList<double> largura(n, 0);
    for (int c = 0; c < n; ++c) {
        largura[c] = mNegrito.horizontalAdvance(r.colunas[c]);
        for (const QStringList &l : r.linhas)
            if (c < l.size())
                largura[c] = std::max(largura[c], mCorpo.horizontalAdvance(l[c]));
        largura[c] += espaco * 1.5; // half a space of slack: a text exactly as wide as its cell is not cut
    }
    double total = 0;
    for (double w : largura)
        total += w;
    if (total > area.width()) {
        for (double &w : largura)
            w *= area.width() / total;
    } else if (n > 0) {
        // Room to spare goes to the widest text column (the names).
        int elastica = -1;
        for (int c = 0; c < n; ++c)
            if (!(c < r.direita.size() && r.direita[c]) && (elastica < 0 || largura[c] > largura[elastica]))
                elastica = c;
        largura[elastica < 0 ? n - 1 : elastica] += area.width() - total;
    }

    const double altLinha = mCorpo.height() * 1.35;
    const double topo = mTitulo.height() + mCorpo.height() * 1.5;
    const double altCabecalho = mNegrito.height() * 1.6;
    const double rodape = mCorpo.height() * 2;
    const int porPagina = std::max(1, int((area.height() - topo - altCabecalho - rodape) / altLinha));
    const int paginas = std::max(1, int((r.linhas.size() + porPagina - 1) / porPagina));

    const auto celula = [&](const QRectF &ret, const QString &texto, bool direita, const QFontMetricsF &m) {
        const QRectF dentro = ret.adjusted(espaco / 2, 0, -espaco / 2, 0);
        p.drawText(dentro, int(Qt::AlignVCenter | (direita ? Qt::AlignRight : Qt::AlignLeft)),
                   m.elidedText(texto, Qt::ElideRight, dentro.width()));
    };
    for (int pagina = 0; pagina < paginas; ++pagina) {
        if (pagina > 0)
            dispositivo->newPage();
        p.setFont(titulo);
        p.drawText(QRectF(area.left(), area.top(), area.width(), mTitulo.height()),
                   Qt::AlignLeft | Qt::AlignVCenter, r.titulo);
        p.setFont(corpo);
        p.drawText(QRectF(area.left(), area.top(), area.width(), mTitulo.height()),
                   Qt::AlignRight | Qt::AlignVCenter, r.data);

        double y = area.top() + topo;
        double x = area.left();
        p.setFont(negrito);
        for (int c = 0; c < n; ++c) {
            celula(QRectF(x, y, largura[c], altCabecalho), r.colunas[c], c < r.direita.size() && r.direita[c],
                   mNegrito);
            x += largura[c];
        }
        y += altCabecalho;
        p.setPen(QPen(Qt::black, 0));
        p.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));

        p.setFont(corpo);
        const int primeira = pagina * porPagina;
        const int ultima = std::min(int(r.linhas.size()), primeira + porPagina);
        for (int i = primeira; i < ultima; ++i) {
            if ((i - primeira) % 2 == 1)
                p.fillRect(QRectF(area.left(), y, area.width(), altLinha), QColor(238, 238, 238));
            x = area.left();
            for (int c = 0; c < n && c < r.linhas[i].size(); ++c) {
                celula(QRectF(x, y, largura[c], altLinha), r.linhas[i][c], c < r.direita.size() && r.direita[c],
                       mCorpo);
                x += largura[c];
            }
            y += altLinha;
        }
        p.drawText(QRectF(area.left(), area.bottom() - mCorpo.height(), area.width(), mCorpo.height()),
                   Qt::AlignRight | Qt::AlignVCenter,
                   QStringLiteral("Página %1 de %2").arg(pagina + 1).arg(paginas));
    }
    p.end();
    return paginas;
}

Q_DECL_EXPORT bool DatiluxRelatorioImprimir(QWidget *pai, const PaginasRelatorio &r)
{
    QPrinter impressora(QPrinter::HighResolution);
    PrepararPagina(&impressora);
    impressora.setDocName(r.titulo);
    QPrintPreviewDialog previa(&impressora, pai);
    previa.setObjectName(QStringLiteral("PreviaImpressao"));
    previa.setWindowTitle(QStringLiteral("Imprimir - %1").arg(r.titulo));
    QObject::connect(&previa, &QPrintPreviewDialog::paintRequested, &previa,
                     [&r](QPrinter *p) { DatiluxRelatorioPaginar(p, r); });
    previa.resize(900, 640);
    previa.exec();
    return true;
}

Q_DECL_EXPORT bool DatiluxRelatorioSalvarPdf(const PaginasRelatorio &r, const QString &arquivo, QString &erro)
{
    // Through QSaveFile: a failed export leaves an older file of that name whole.
    QSaveFile saida(arquivo);
    int paginas = 0;
    if (saida.open(QIODevice::WriteOnly)) {
        QPdfWriter pdf(&saida);
        pdf.setTitle(r.titulo);
        pdf.setCreator(QStringLiteral("Datilux"));
        pdf.setResolution(300);
        PrepararPagina(&pdf);
        paginas = DatiluxRelatorioPaginar(&pdf, r);
    }
    if (paginas == 0 || !saida.commit()) {
        erro = QStringLiteral("Não foi possível gravar o arquivo %1: %2").arg(arquivo, saida.errorString());
        return false;
    }
    return true;
}

} // extern "C"
