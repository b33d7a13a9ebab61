// SPDX-License-Identifier: MIT
#include <iostream>

#include <QtCore/QElapsedTimer>
#include <QtCore/QStringList>

#include "app/cli/CommandLine.h"
#include "app/window/GuiMain.h"

int main(int argc, char* argv[]) {
    QElapsedTimer sinceStart;
    sinceStart.start();
    // Equations stream through at tens of thousands per second: no stdio sync, and
    // no flush of the output before every read (the analyse loop flushes when input runs dry).
    std::ios::sync_with_stdio(false);
    std::cin.tie(nullptr);

    QStringList args;
    for (int i = 0; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
    SetWindowLauncher([&argc, argv, &sinceStart](const QString& file, bool measureStartup) {
        if (!HaveDisplay()) {
            std::cerr << "kvr: no display to open the window on (neither DISPLAY nor WAYLAND_DISPLAY is set); "
                         "run it in a desktop session or under xvfb-run, or use a subcommand (see kvr --help)\n";
            return 2;
        }
        return RunGui(argc, argv, file, measureStartup ? &sinceStart : nullptr);
    });
    return RunCommandLine(args, std::cin, std::cout, std::cerr);
}
