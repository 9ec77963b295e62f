#include "viewer/Startup.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("zuninfo-viewer"));
    // The installed menu entry and icon (packaging/), so that docks and
    // window lists show the window under the program's own name and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.zuninfo.Viewer"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("io.github.zuninfo.Viewer")));
    return RunViewer();
}
