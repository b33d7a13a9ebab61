// SPDX-License-Identifier: MIT
#pragma once
// What the candidate list and `kvr info` read of a document besides its
// signature: the thumbnail in "image", streamed from the start of the file and
// stopped at the end of that element.
#include <string>

#include <QtCore/QByteArray>

// The PNG bytes of the document's first "image" element (decoded from its
// Base64 lines); false, with the reason in `error` when given, when the file
// cannot be read or has no such element. The bytes are not checked as PNG.
bool ReadDocumentThumbnail(const std::string& path, QByteArray& png, std::string* error = nullptr);
