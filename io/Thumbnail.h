// SPDX-License-Identifier: MIT
#pragma once
// The document's thumbnail: the graph squeezed to exactly 256 × 256 pixels
// (the aspect ratio is not kept) as a PNG file in memory, and back.
#include <string>
#include <string_view>

#include <QtCore/QByteArray>
#include <QtGui/QImage>

constexpr int kThumbnailSide = 256;

// PNG bytes of the scaled picture; empty when the picture is null or the
// encoder fails.
QByteArray MakeThumbnail(const QImage& picture);

// The document's "image" text: MakeThumbnail's bytes in the document's Base64
// lines; empty when there is no thumbnail.
std::string EncodeThumbnail(const QImage& picture);

// The picture of a thumbnail in the document's Base64 text; a null image when
// the bytes are not a picture.
QImage DecodeThumbnail(std::string_view base64Text);
