#include "app/GuiMain.h"

#include <QtWidgets/QApplication>
#include <cstdlib>

#include "app/CMainFrame.h"
#include "app/LibrarySettings.h"

bool HaveDisplay()
{
    auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value && *value;
    };
    // A platform chosen explicitly (a test's offscreen run) needs no display.
    return set("DISPLAY") || set("WAYLAND_DISPLAY") || set("QT_QPA_PLATFORM");
}

int RunGui(int& argc, char** argv, const QString& file)
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName("ORBITLAB");
    QApplication::setApplicationName("KVR");
    QApplication::setApplicationVersion(QStringLiteral(KVR_VERSION));
    RestoreDisplayPrecision();
    CMainFrame frame;
    frame.show();
    (void)file;  // documents arrive with the document work
    return QApplication::exec();
}
