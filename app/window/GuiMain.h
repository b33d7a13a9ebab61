// SPDX-License-Identifier: MIT
#pragma once
// Starts the window. Kept apart from main.cpp so that the subcommands never
// need a display.
#include <QtCore/QString>

// Whether a desktop session is there to show a window in.
bool HaveDisplay();

class QElapsedTimer;

// Runs the application with its main window until it closes; opens `file`
// when it is not empty. Returns the exit status. With `startup`, prints the
// milliseconds it shows at the first painted frame of the graph and quits.
int RunGui(int& argc, char** argv, const QString& file, const QElapsedTimer* startup = nullptr);
