// SPDX-License-Identifier: MIT
// `kvr render-labels`: one picture of labels one under another, and the
// errors of its arguments.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>
#include <QtGui/QImage>

#include "CommandRun.h"
#include "app/cli/RenderLabelsCommand.h"

namespace {

struct LabelsRun {
    int status;
    std::string err;
};

LabelsRun RunLabels(const QStringList& args) {
    std::istringstream in;
    std::ostringstream out, err;
    const int status = RunRenderLabels(args, in, out, err);
    return {status, err.str()};
}

TEST(RenderLabelsCommand, LabelsOneUnderAnother) {
    QTemporaryDir dir;
    const QString one = dir.filePath(QStringLiteral("one.png"));
    const QString three = dir.filePath(QStringLiteral("three.png"));
    const QString twice = dir.filePath(QStringLiteral("twice.png"));
    ASSERT_EQ(RunLabels({one, QStringLiteral("y = x^2")}).status, 0);
    ASSERT_EQ(RunLabels({three, QStringLiteral("y = x^2"), QStringLiteral("y = 1/(x+1)"), QStringLiteral("y = sqrt(x)")})
                  .status,
              0);
    ASSERT_EQ(RunLabels({QStringLiteral("--scale"), QStringLiteral("2"), twice, QStringLiteral("y = x^2")}).status, 0);
    const QImage a(one), b(three), c(twice);
    ASSERT_FALSE(a.isNull());
    ASSERT_FALSE(b.isNull());
    EXPECT_GT(b.height(), 2 * a.height());
    EXPECT_NEAR(c.width(), 2 * a.width(), 4);
    // Ink on white.
    int dark = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) dark += qGray(a.pixel(x, y)) < 100;
    EXPECT_GT(dark, 20);
    EXPECT_EQ(qGray(a.pixel(0, 0)), 255);
}

// Equations are drawn as a textbook prints them; --latex draws the text as
// it is.
TEST(RenderLabelsCommand, EquationsReadLikeATextbook) {
    QTemporaryDir dir;
    const QString textbook = dir.filePath(QStringLiteral("textbook.png"));
    const QString latex = dir.filePath(QStringLiteral("latex.png"));
    ASSERT_EQ(RunLabels({textbook, QStringLiteral("y = 2*x + 1")}).status, 0);
    ASSERT_EQ(RunLabels({QStringLiteral("--latex"), latex, QStringLiteral("y=2 \\cdot x+1")}).status, 0);
    EXPECT_LT(QImage(textbook).width(), QImage(latex).width());
}

// Every equation of the label page and of the sample lessons typesets.
TEST(RenderLabelsCommand, EverySampleEquation) {
    QTemporaryDir dir;
    const QString page = dir.filePath(QStringLiteral("page.png"));
    QStringList args{QStringLiteral("--input"), QStringLiteral(KVR_TEST_DATA "/labels.txt"), page};
    const QDir sources(QStringLiteral(KVR_TEST_DATA "/../../library/sources"));
    for (const QString& name : sources.entryList({QStringLiteral("*.kvrs")})) {
        QFile file(sources.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text)) << name.toStdString();
        while (!file.atEnd()) {
            const QString line = QString::fromUtf8(file.readLine()).trimmed();
            if (line.startsWith(QLatin1String("type "))) args << line.mid(5);
        }
    }
    ASSERT_GT(args.size(), 20);
    const LabelsRun run = RunLabels(args);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(run.err.empty()) << run.err;
    EXPECT_FALSE(QImage(page).isNull());
}

TEST(RenderLabelsCommand, Errors) {
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("x.png"));
    ExpectRefused(&RunRenderLabels,
                  {
                      {{}, 2, "expected OUT.png"},
                      {{out}, 2, "no TEXT"},
                      {{QStringLiteral("y = x"), out}, 2, "must end in .png"},
                      {{QStringLiteral("--scale"), QStringLiteral("9"), out, QStringLiteral("y=x")}, 2, "--scale"},
                      {{QStringLiteral("--bogus"), out, QStringLiteral("y=x")}, 2, "unknown option '--bogus'"},
                      {{out, QStringLiteral("y = = 2")}, 1, "does not parse"},
                      {{QStringLiteral("/no/such/folder/x.png"), QStringLiteral("y=x")}, 1, "cannot write"},
                      {{QStringLiteral("--input"), QStringLiteral("/no/such/file"), out}, 2, "cannot open"},
                  });
    // LaTeX as it is, garbage included, never fails.
    EXPECT_EQ(RunLabels({QStringLiteral("--latex"), out, QStringLiteral("}{\\frac{")}).status, 0);
}

}  // namespace
