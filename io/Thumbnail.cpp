// SPDX-License-Identifier: MIT
#include "io/Thumbnail.h"

#include <climits>

#include <QtCore/QBuffer>

#include "io/Base64Lines.h"

#include <algorithm>

QByteArray MakeThumbnail(const QImage& picture) {
    if (picture.isNull()) return {};
    // A square from the picture's centre, so that the graph keeps its aspect
    // (a circle stays round): the view shows equal units along both axes.
    const int side = std::min(picture.width(), picture.height());
    const QImage square = picture.copy((picture.width() - side) / 2, (picture.height() - side) / 2, side, side);
    const QImage scaled = square.scaled(kThumbnailSide, kThumbnailSide, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !scaled.save(&buffer, "PNG")) return {};
    return bytes;
}

std::string EncodeThumbnail(const QImage& picture) {
    const QByteArray png = MakeThumbnail(picture);
    return EncodeBase64Lines(reinterpret_cast<const unsigned char*>(png.constData()), size_t(png.size()));
}

QImage DecodeThumbnail(std::string_view base64Text) {
    const std::vector<unsigned char> bytes = DecodeBase64Lines(base64Text);
    if (bytes.empty() || bytes.size() > size_t(INT_MAX)) return {};
    return QImage::fromData(bytes.data(), int(bytes.size()), "PNG");
}
