// SPDX-License-Identifier: MIT
#include "app/window/GuiMain.h"

#include <QtWidgets/QApplication>
#include <QtCore/QElapsedTimer>
#include <QtCore/QLocale>
#include <cstdio>
#include <cstdlib>

#include "app/window/CKVRView.h"
#include "app/window/CMainFrame.h"
#include "app/LibrarySettings.h"
#include "app/window/Translations.h"

bool HaveDisplay()
{
    auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value && *value;
    };
    // Qt's own fallbacks (the offscreen platform) cannot make the graph's OpenGL context.
    return set("DISPLAY") || set("WAYLAND_DISPLAY");
}

int RunGui(int& argc, char** argv, const QString& file, const QElapsedTimer* startup)
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName("ORBITLAB");
    QApplication::setApplicationName("KVR");
    QApplication::setApplicationVersion(QStringLiteral(KVR_VERSION));
    // The launcher, the icon and the metainfo are installed under this id; Wayland
    // compositors and docks match the window to them by it.
    QGuiApplication::setDesktopFileName(QStringLiteral(KVR_APP_ID));
    InstallTranslations(app, QLocale());
    RestoreDisplayPrecision();
    CMainFrame frame;
    if (startup) {
        QObject::connect(frame.view(), &CKVRView::framePainted, &frame, [startup] {
            std::printf("first frame after %lld ms\n", static_cast<long long>(startup->elapsed()));
            std::fflush(stdout);
            QCoreApplication::exit(0);
        }, Qt::QueuedConnection);
    }
    frame.show();
    if (!file.isEmpty()) frame.openFile(file);
    return QApplication::exec();
}
