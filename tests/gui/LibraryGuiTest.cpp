// SPDX-License-Identifier: MIT
// The Configuration dialog, the settings it keeps, and the Candidates page.
#include <gtest/gtest.h>

#include <QtCore/QSettings>
#include <QtCore/QTemporaryDir>
#include <QtCore/QTimer>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QPushButton>

#include "app/window/CCandidatesDialog.h"
#include "app/window/CConfigurationDialog.h"
#include "app/LibrarySettings.h"
#include "app/PrecisionGuard.h"
#include "mathex/SmartNumber.h"

namespace {

// Each test starts from an empty settings store and the default precision.
class ConfigurationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QSettings("ORBITLAB", "KVR").remove("Configuration");
        MathEx::SetDisplayPrecision(2);
    }
    void TearDown() override { QSettings("ORBITLAB", "KVR").remove("Configuration"); }

    static void press(CConfigurationDialog& dialog, QDialogButtonBox::StandardButton which)
    {
        QTest::mouseClick(dialog.findChild<QDialogButtonBox*>("buttons")->button(which), Qt::LeftButton);
    }

    PrecisionGuard precision;
};

TEST_F(ConfigurationTest, FirstStartShowsTheSampleLibraryAndPrecisionTwo)
{
    EXPECT_EQ(StoredLibraryFolder(), "");
    EXPECT_EQ(StoredPrecision(), 2);
    EXPECT_EQ(LibraryFolder(), SampleLibraryFolder());
    CConfigurationDialog dialog;
    EXPECT_EQ(dialog.windowTitle(), "Configuration");
    EXPECT_EQ(dialog.pathEdit()->text(), SampleLibraryFolder());
    EXPECT_EQ(dialog.precisionEdit()->text(), "2");
    EXPECT_EQ(dialog.browseButton()->text(), "...");
}

// OK stores both and the precision applies at once; the next start restores it.
TEST_F(ConfigurationTest, OkStoresBothSettingsAndStartUpRestoresThePrecision)
{
    QTemporaryDir folder;
    CConfigurationDialog dialog;
    dialog.show();
    dialog.pathEdit()->setText(folder.path());
    dialog.precisionEdit()->setText("4");
    press(dialog, QDialogButtonBox::Ok);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(MathEx::DisplayPrecision(), 4);
    EXPECT_EQ(QSettings("ORBITLAB", "KVR").value("Configuration/DefaultLibPath").toString(), folder.path());
    EXPECT_EQ(QSettings("ORBITLAB", "KVR").value("Configuration/Precision").toInt(), 4);
    EXPECT_EQ(LibraryFolder(), folder.path());

    MathEx::SetDisplayPrecision(2);  // a new process
    RestoreDisplayPrecision();
    EXPECT_EQ(MathEx::DisplayPrecision(), 4);
}

// Stored values from elsewhere are held to what the engine prints.
TEST_F(ConfigurationTest, StoredPrecisionIsHeldInRange)
{
    const struct {
        QVariant stored;
        int read;
    } rows[] = {{7, 7}, {0, 0}, {99, 17}, {-3, 0}, {"many", 2}, {QVariant(), 2}};
    for (const auto& row : rows) {
        QSettings("ORBITLAB", "KVR").setValue("Configuration/Precision", row.stored);
        EXPECT_EQ(StoredPrecision(), row.read) << row.stored.toString().toStdString();
    }
}

TEST_F(ConfigurationTest, EmptyPrecisionIsRefusedAndTheDialogStaysOpen)
{
    CConfigurationDialog dialog;
    dialog.show();
    dialog.precisionEdit()->clear();
    QString message;
    QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            message = box->text();
            box->accept();
        }
    });
    press(dialog, QDialogButtonBox::Ok);
    EXPECT_EQ(message, "Please enter an integer.");
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(MathEx::DisplayPrecision(), 2);
    EXPECT_FALSE(QSettings("ORBITLAB", "KVR").contains("Configuration/Precision"));
}

TEST_F(ConfigurationTest, PrecisionTakesDigitsOnly)
{
    CConfigurationDialog dialog;
    dialog.show();
    dialog.precisionEdit()->clear();
    QTest::keyClicks(dialog.precisionEdit(), "a1-b.2 ");
    EXPECT_EQ(dialog.precisionEdit()->text(), "12");
}

TEST_F(ConfigurationTest, CancelChangesNothing)
{
    CConfigurationDialog dialog;
    dialog.show();
    dialog.pathEdit()->setText("/somewhere/else");
    dialog.precisionEdit()->setText("9");
    press(dialog, QDialogButtonBox::Cancel);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(MathEx::DisplayPrecision(), 2);
    EXPECT_FALSE(QSettings("ORBITLAB", "KVR").contains("Configuration/Precision"));
    EXPECT_FALSE(QSettings("ORBITLAB", "KVR").contains("Configuration/DefaultLibPath"));
}

// "..." opens the chooser at the folder shown; a chosen folder replaces it,
// a cancelled chooser leaves it.
TEST_F(ConfigurationTest, BrowseOpensTheChooserAtTheShownFolder)
{
    CConfigurationDialog dialog;
    dialog.show();
    dialog.pathEdit()->setText("/first");
    QStringList initials;
    QString answer = "/chosen";
    dialog.setFolderChooser([&](QWidget*, const QString& initial) {
        initials << initial;
        return answer;
    });
    QTest::mouseClick(dialog.browseButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.pathEdit()->text(), "/chosen");
    answer.clear();
    QTest::mouseClick(dialog.browseButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.pathEdit()->text(), "/chosen");
    EXPECT_EQ(initials, QStringList({"/first", "/chosen"}));
}

// Keeping the sample library stores no folder, so the lessons follow KVR.
TEST_F(ConfigurationTest, KeepingTheSampleLibraryStoresNoFolder)
{
    CConfigurationDialog dialog;
    dialog.show();
    press(dialog, QDialogButtonBox::Ok);
    EXPECT_EQ(QSettings("ORBITLAB", "KVR").value("Configuration/DefaultLibPath", "unset").toString(), "");
    EXPECT_EQ(LibraryFolder(), SampleLibraryFolder());
}

std::vector<Candidate> SomeCandidates(int n)
{
    std::vector<Candidate> out;
    for (int i = 0; i < n; ++i) {
        QImage picture;
        if (i != 1) {  // the second has no picture
            picture = QImage(256, 128, QImage::Format_RGB32);
            picture.fill(QColor(40 * i, 100, 200));
        }
        out.push_back({0.25 * i, "lesson" + std::to_string(i) + ".kvr", picture});
    }
    return out;
}

TEST(CandidatesPage, ListsTextsAndPicturesInOrder)
{
    CCandidatesDialog page;
    page.resize(260, 700);
    page.show();
    page.refresh(SomeCandidates(5));
    QListWidget* list = page.list();
    EXPECT_EQ(list->objectName(), "candidatesList");
    EXPECT_EQ(list->iconSize(), QSize(200, 200));
    ASSERT_EQ(list->count(), 5);
    EXPECT_EQ(list->item(0)->text(), "[1] lesson0.kvr [score: 0.000000]");
    EXPECT_EQ(list->item(4)->text(), "[5] lesson4.kvr [score: 1.000000]");
    const QImage icon = list->item(0)->icon().pixmap(200, 200).toImage();
    EXPECT_EQ(icon.size(), QSize(200, 200));
    EXPECT_EQ(QColor(icon.pixel(100, 100)), QColor(0, 100, 200));  // the picture, centred
    EXPECT_EQ(qAlpha(icon.pixel(100, 10)), 0);                     // above it: nothing
    const QPixmap blank = CCandidatesDialog::iconPicture(QImage());
    EXPECT_EQ(qAlpha(blank.toImage().pixel(100, 100)), 0);

    page.refresh(SomeCandidates(2));  // a new search replaces the list
    EXPECT_EQ(list->count(), 2);
}

TEST(CandidatesPage, NamesAsTheFolderHoldsThem)
{
    const Candidate c{0.5, "\xc3\xa9t\xc3\xa9 %s.kvr", QImage()};
    EXPECT_EQ(CCandidatesDialog::itemText(2, c), QString::fromUtf8("[3] \xc3\xa9t\xc3\xa9 %s.kvr [score: 0.500000]"));
}

TEST(CandidatesPage, DoubleClickAsksToOpenThatCandidate)
{
    CCandidatesDialog page;
    page.resize(260, 900);
    page.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&page));
    page.refresh(SomeCandidates(3));
    QList<int> opened;
    QObject::connect(&page, &CCandidatesDialog::candidateActivated, [&](int i) { opened << i; });
    QListWidget* list = page.list();
    QApplication::processEvents();  // the list lays its items out
    auto doubleClick = [list](QPoint at) {
        // A double click arrives after the first click of the pair.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    };
    doubleClick(list->visualItemRect(list->item(1)).center());
    doubleClick(QPoint(10, list->viewport()->height() - 3));  // below the last item: nothing
    EXPECT_EQ(opened, QList<int>({1}));
}

}  // namespace
