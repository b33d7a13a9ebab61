// Thumbnails: exactly 256 × 256 whatever the picture, the same picture
// squeezed, and back from the document's Base64 text.
#include <gtest/gtest.h>

#include <QtGui/QColor>
#include <QtGui/QImage>
#include <QtGui/QPainter>

#include "render/Base64Lines.h"
#include "render/Thumbnail.h"

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
