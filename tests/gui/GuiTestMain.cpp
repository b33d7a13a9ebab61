// SPDX-License-Identifier: MIT
// Widget tests need a QApplication; listing the tests must not, so that the
// build can list them without a display.
#include <gtest/gtest.h>

#include <QtCore/QTemporaryDir>
#include <QtWidgets/QApplication>
#include <cstring>
#include <memory>

int main(int argc, char** argv)
{
    bool listing = false;
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--gtest_list_tests") == 0) listing = true;
    ::testing::InitGoogleTest(&argc, argv);
    // Settings (window geometry, recent files, library folder) go to a
    // folder of the run's own, never to the user's.
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    std::unique_ptr<QApplication> app;
    if (!listing) {
        app = std::make_unique<QApplication>(argc, argv);
        QApplication::setOrganizationName("ORBITLAB");
        QApplication::setApplicationName("KVR");
    }
    return RUN_ALL_TESTS();
}
