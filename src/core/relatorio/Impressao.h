#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class QPagedPaintDevice;
class QWidget;

// A report as the print module lays it out on pages: a title line and a date on top of every page,
// the column headings on every page, the page number ("Página 2 de 5") at the foot.
struct PaginasRelatorio {
    QString titulo;
    QString data;
    QStringList colunas;
    QList<bool> direita; // the column's cells aligned right (figures)
    QList<QStringList> linhas;
};

// The print module (datilux-impressao), loaded the first time a report is printed or saved: Qt
// Print Support and the printing system's libraries are not in memory before.
namespace Impressao {

// The report on `dispositivo`'s pages (A4, landscape, set by the caller); the number of pages.
using PaginarFn = int (*)(QPagedPaintDevice *dispositivo, const PaginasRelatorio &relatorio);
// The print preview, from which the user prints; false when the module could not show it.
using ImprimirFn = bool (*)(QWidget *pai, const PaginasRelatorio &relatorio);
// A PDF file at `arquivo`; false with the message when it could not be written.
using SalvarPdfFn = bool (*)(const PaginasRelatorio &relatorio, const QString &arquivo, QString &erro);

inline constexpr char kPaginar[] = "DatiluxRelatorioPaginar";
inline constexpr char kImprimir[] = "DatiluxRelatorioImprimir";
inline constexpr char kSalvarPdf[] = "DatiluxRelatorioSalvarPdf";

} // namespace Impressao
