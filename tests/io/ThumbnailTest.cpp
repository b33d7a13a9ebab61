// SPDX-License-Identifier: MIT
// Thumbnails: exactly 256 × 256 whatever the picture, a square from its
// centre (so the graph keeps its aspect), and back from the document's Base64 text.
#include <gtest/gtest.h>

#include <QtGui/QColor>
#include <QtGui/QImage>
#include <QtGui/QPainter>

#include "io/Base64Lines.h"
#include "io/Thumbnail.h"

namespace {

// Left half red, right half blue: squeezing keeps the halves.
QImage Halves(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QPainter painter(&image);
    painter.fillRect(0, 0, width / 2, height, Qt::red);
    return image;
}

std::string ToText(const QByteArray& bytes) {
    return EncodeBase64Lines(reinterpret_cast<const unsigned char*>(bytes.constData()), size_t(bytes.size()));
}

TEST(Thumbnail, AnyPictureBecomesExactly256Square) {
    const QSize sizes[] = {{640, 480}, {100, 1000}, {256, 256}, {1, 1}, {3000, 20}};
    for (const QSize& s : sizes) {
        const QByteArray png = MakeThumbnail(Halves(s.width(), s.height()));
        ASSERT_FALSE(png.isEmpty());
        EXPECT_TRUE(png.startsWith("\x89PNG"));
        const QImage back = DecodeThumbnail(ToText(png));
        ASSERT_FALSE(back.isNull());
        EXPECT_EQ(back.size(), QSize(256, 256)) << s.width() << "x" << s.height();
        if (s.width() >= 4) {
            EXPECT_EQ(QColor(back.pixel(10, 128)), QColor(Qt::red));
            EXPECT_EQ(QColor(back.pixel(245, 128)), QColor(Qt::blue));
        }
    }
}

// A circle on the view stays a circle in the library, whatever the window's shape.
TEST(Thumbnail, ACircleStaysRound) {
    for (const QSize size : {QSize(1000, 750), QSize(600, 900), QSize(1280, 400)}) {
        QImage view(size, QImage::Format_RGB32);
        view.fill(Qt::white);
        QPainter painter(&view);
        painter.setPen(QPen(Qt::black, 3));
        const int r = std::min(size.width(), size.height()) / 4;
        painter.drawEllipse(QPoint(size.width() / 2, size.height() / 2), r, r);
        painter.end();
        const QImage thumb = DecodeThumbnail(ToText(MakeThumbnail(view)));
        ASSERT_FALSE(thumb.isNull());
        int left = 256, right = -1, top = 256, bottom = -1;
        for (int y = 0; y < thumb.height(); ++y)
            for (int x = 0; x < thumb.width(); ++x)
                if (QColor(thumb.pixel(x, y)).value() < 128) {
                    left = std::min(left, x), right = std::max(right, x);
                    top = std::min(top, y), bottom = std::max(bottom, y);
                }
        ASSERT_GE(right, left);
        EXPECT_NEAR(double(right - left) / double(bottom - top), 1.0, 0.05) << size.width() << "x" << size.height();
    }
}

TEST(Thumbnail, DocumentTextRoundTrips) {
    const std::string text = EncodeThumbnail(Halves(640, 480));
    EXPECT_NE(text.find("\r\n"), std::string::npos);
    EXPECT_EQ(text.find("\r\n"), 76u) << "19 groups to a line";
    const QImage back = DecodeThumbnail(text);
    ASSERT_EQ(back.size(), QSize(256, 256));
    EXPECT_EQ(QColor(back.pixel(10, 10)), QColor(Qt::red));
}

TEST(Thumbnail, NothingToShowGivesNothing) {
    EXPECT_TRUE(MakeThumbnail(QImage()).isEmpty());
    EXPECT_TRUE(EncodeThumbnail(QImage()).empty());
    EXPECT_TRUE(DecodeThumbnail("").isNull());
    EXPECT_TRUE(DecodeThumbnail("bm90IGEgcGljdHVyZQ==").isNull());
}

}  // namespace
