#include "viewer/qt/Startup.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("zuninfo-viewer"));
    // The installed menu entry (packaging/), so that docks and window lists
    // show the window under the program's own name and icon.
    QGuiApplication::setDesktopFileName(QString::fromLatin1(zuninfo::kDesktopId));
    return zuninfo::RunViewer();
}
