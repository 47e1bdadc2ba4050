#pragma once

#include <QApplication>

// A timeline of the key path for the latency benchmark's hunt for slow keys: with DATILUX_TRACO naming
// a file, every key, paint, repaint of a window (its paint and the flush to the screen), layout, timer
// and queued call is stamped on entry and exit with the system's monotonic clock (the same clock the
// benchmark's key sender reads), and the timeline is written to that file when the program ends.
// Without it nothing is stamped and the program runs on a plain QApplication.
namespace Traco {

// The application object of this run: the stamping one when DATILUX_TRACO is set.
QApplication *CriarAplicacao(int &argc, char **argv);
// One stamp of the program's own (a step that no event shows, such as the typing engine's check).
void Marcar(const char *oque);
bool Ativo();

} // namespace Traco
