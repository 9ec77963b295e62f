// The floor the viewer's start-up is compared with: an empty QMainWindow,
// built the same way. Prints the time of its first paint and its peak
// resident memory as one JSON line, then exits.
#include "Probe.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QMainWindow window;
    window.resize(523, 476);
    FirstPaint painted(&window, [] { PrintPaintedAndExit("peak_kib"); });
    window.show();
    return QApplication::exec();
}
