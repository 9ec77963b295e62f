#include "viewer/CommandLine.h"
#include "viewer/qt/Startup.h"

#include <QApplication>

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char* argv[])
{
    // The arguments are the names the system gives them; they are read
    // before any window, so that --help and a mistake need no display.
    const zuninfo::CommandLine commandLine = zuninfo::ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (commandLine.action != zuninfo::CommandLine::Action::Run) {
        (commandLine.action == zuninfo::CommandLine::Action::UsageError ? std::cerr : std::cout) << commandLine.text;
        return commandLine.exitCode;
    }

    // Qt is given none of them: a monster file may be named like one of
    // Qt's own options.
    int qtArgc = 1;
    QApplication application(qtArgc, argv);
    QApplication::setApplicationName(QStringLiteral("zuninfo-viewer"));
    // The installed menu entry (packaging/), so that docks and window lists
    // show the window under the program's own name and icon.
    QGuiApplication::setDesktopFileName(QString::fromLatin1(zuninfo::kDesktopId));
    return zuninfo::RunViewer(commandLine.options);
}
