#include "viewer/Startup.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("zuninfo-viewer"));
    return RunViewer();
}
