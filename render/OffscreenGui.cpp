#include "render/OffscreenGui.h"

#include <QtGui/QGuiApplication>

void EnsureGuiApplication()
{
    if (QCoreApplication::instance()) return;
    // Kept for the life of the process, as Qt expects of its application.
    static int argc = 3;
    static char name[] = "kvr", option[] = "-platform", platform[] = "offscreen";
    static char* argv[] = {name, option, platform, nullptr};
    static QGuiApplication* application = new QGuiApplication(argc, argv);
    (void)application;
}
