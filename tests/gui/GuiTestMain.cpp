// Widget tests need a QApplication; listing the tests must not, so that the
// build can list them without a display.
#include <gtest/gtest.h>

#include <QtWidgets/QApplication>
#include <cstring>
#include <memory>

int main(int argc, char** argv)
{
    bool listing = false;
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--gtest_list_tests") == 0) listing = true;
    ::testing::InitGoogleTest(&argc, argv);
    std::unique_ptr<QApplication> app;
    if (!listing) app = std::make_unique<QApplication>(argc, argv);
    return RUN_ALL_TESTS();
}
