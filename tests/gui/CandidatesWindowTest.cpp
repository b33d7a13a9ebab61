// SPDX-License-Identifier: MIT
// The library in the window: the Candidates page fills after an equation is
// entered, a big folder is read without holding up the window, and the
// Configuration command rescans. Documents are faked: a file lists the
// primitive types of its equations ("2 6").
#include <gtest/gtest.h>

#include <QtCore/QElapsedTimer>
#include <QtCore/QSettings>
#include <QtCore/QTemporaryDir>
#include <QtCore/QThread>
#include <QtCore/QTimer>
#include <QtTest/QSignalSpy>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QProgressBar>
#include <fstream>

#include "app/window/CCandidatesDialog.h"
#include "app/window/CConfigurationDialog.h"
#include "app/window/CKVRView.h"
#include "app/window/CMainFrame.h"
#include "app/window/LibraryScanner.h"

namespace {

bool FakeRead(const std::string& path, CFeature& feature)
{
    std::ifstream in(path);
    int type = 0;
    while (in >> type) {
        FeatureElement e;
        e.type = type;
        feature.elements.push_back(e);
    }
    return in.eof();
}

QImage FakePicture(const std::string&)
{
    QImage picture(256, 256, QImage::Format_RGB32);
    picture.fill(Qt::yellow);
    return picture;
}

class CandidatesWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QSettings("ORBITLAB", "KVR").setValue("Configuration/DefaultLibPath", library.path());
        frame = std::make_unique<CMainFrame>();
        frame->libraryScanner().setReaders(&FakeRead, &FakePicture);
        frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    }
    void TearDown() override
    {
        frame.reset();
        QSettings("ORBITLAB", "KVR").remove("Configuration");
    }
    void write(const QString& name, const char* content)
    {
        std::ofstream(library.filePath(name).toStdString()) << content;
    }
    void enter(const QString& equation)
    {
        frame->entryEdit()->setText(equation);
        frame->enterEquation();
    }
    QListWidget* list() { return frame->candidatesPage()->list(); }

    QTemporaryDir library;
    std::unique_ptr<CMainFrame> frame;
};

TEST_F(CandidatesWindowTest, EnteringAnEquationListsTheFiveClosest)
{
    const char* contents[7] = {"2", "2 2", "6", "2 6", "11 12 13", "1", "2 2 2"};
    for (int i = 0; i < 7; ++i) write(QString("doc%1.kvr").arg(i), contents[i]);
    frame->libraryScanner().loadLibrary(library.path());
    frame->libraryScanner().waitForScan();
    EXPECT_EQ(list()->count(), 0);  // nothing searched yet
    enter("y = x^2 - 1");
    ASSERT_EQ(list()->count(), 5);
    EXPECT_TRUE(list()->item(0)->text().startsWith("[1] doc0.kvr [score: "));
    for (int i = 0; i < 5; ++i) EXPECT_TRUE(list()->item(i)->text().startsWith(QString("[%1] ").arg(i + 1)));
    EXPECT_FALSE(list()->item(0)->icon().isNull());
}

// A folder that takes a while to read: loadLibrary returns at once, the
// window keeps handling events and shows progress, and an equation entered
// meanwhile gets its candidates when the read is done.
TEST_F(CandidatesWindowTest, BigFolderIsReadWithoutHoldingUpTheWindow)
{
    for (int i = 0; i < 400; ++i) write(QString("doc%1.kvr").arg(i, 3, 10, QChar('0')), "2");
    frame->libraryScanner().setReaders(
        [](const std::string& path, CFeature& f) {
            QThread::usleep(5000);  // 400 files: a second or two in all
            return FakeRead(path, f);
        },
        &FakePicture);
    LibraryScanner& scanner = frame->libraryScanner();
    QSignalSpy changed(&scanner, &LibraryScanner::libraryChanged);
    scanner.loadLibrary(library.path());
    EXPECT_TRUE(scanner.scanning()) << "the reading goes on after loadLibrary returns";
    enter("y = x^2");
    int ticks = 0;  // while the documents are read
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { ticks += scanner.scanning(); });
    timer.start(10);
    bool sawProgress = false;
    auto* progress = frame->findChild<QProgressBar*>("libraryProgress");
    ASSERT_NE(progress, nullptr);
    QObject::connect(&scanner, &LibraryScanner::progress, [&](int done, int) { sawProgress = sawProgress || done > 0; });
    // Done when the 400 documents are in (a scan the window's own timer
    // started first is served before, and changes nothing).
    while (scanner.library().entries().size() < 400u && changed.wait(20000)) {
    }
    EXPECT_GE(ticks, 3);  // the event loop ran while the documents were read
    EXPECT_TRUE(sawProgress);
    EXPECT_FALSE(progress->isVisible());
    EXPECT_EQ(frame->libraryScanner().library().entries().size(), 400u);
    EXPECT_EQ(list()->count(), 5);
}

// A request made while a scan runs is not dropped: the newest is served when
// the running scan is done, and its folder is listed afresh.
TEST_F(CandidatesWindowTest, ARequestDuringAScanIsServedAfterIt)
{
    LibraryScanner& scanner = frame->libraryScanner();
    scanner.waitForScan();  // whatever the window's own timer started
    scanner.setReaders(
        [](const std::string& path, CFeature& f) {
            QThread::usleep(20000);
            return FakeRead(path, f);
        },
        &FakePicture);
    for (int i = 0; i < 5; ++i) write(QString("early%1.kvr").arg(i), "2");
    scanner.loadLibrary(library.path());
    ASSERT_TRUE(scanner.scanning());
    write("late.kvr", "6");  // after the running scan listed the folder
    scanner.loadLibrary(library.path());
    scanner.waitForScan();
    EXPECT_FALSE(scanner.scanning());
    EXPECT_EQ(scanner.library().entries().size(), 6u);
    EXPECT_EQ(scanner.library().entries().count("late.kvr"), 1u);
}

// OK in the Configuration dialog rescans the chosen folder and searches again.
TEST_F(CandidatesWindowTest, ConfigurationRescansTheChosenFolder)
{
    write("first.kvr", "2");
    frame->libraryScanner().loadLibrary(library.path());
    frame->libraryScanner().waitForScan();
    enter("y = x^2");
    ASSERT_EQ(list()->count(), 1);

    QTemporaryDir other;
    std::ofstream(other.filePath("second.kvr").toStdString()) << "2";
    std::ofstream(other.filePath("third.kvr").toStdString()) << "6";
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<CConfigurationDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->pathEdit()->setText(other.path());
        dialog->accept();
    });
    frame->command("configuration")->trigger();
    frame->libraryScanner().waitForScan();
    EXPECT_EQ(frame->libraryScanner().library().folder(), other.path().toStdString());
    ASSERT_EQ(list()->count(), 2);
    EXPECT_TRUE(list()->item(0)->text().startsWith("[1] second.kvr"));
}

}  // namespace
