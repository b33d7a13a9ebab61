// SPDX-License-Identifier: MIT
#pragma once
// The library's reads of real documents: the signature from the "feature"
// element, the picture from the "image" element. Both take absolute paths
// and are safe on several threads at once.
#include <string>
#include <string_view>

#include "io/Library.h"

FeatureReader DocumentFeatureReader();
ThumbnailReader DocumentThumbnailReader();

// The signature of a document as ReadDocumentFeature gives it, read fast when
// the file starts as KVR writes documents (declaration, "KVR", "version",
// then "feature" with its values as plain numbers and no white space or
// markup between them): only the bytes up to the end of "feature" are read
// and parsed in place. Any other file goes to ReadDocumentFeature.
bool ReadLibraryFeature(const std::string& path, CFeature& feature);

// The fast path alone, on the first bytes of a file: true with `feature` set
// when they hold a complete "feature" in the layout KVR writes; false when
// the full reader must decide (another layout, or the bytes end too soon).
bool ReadWrittenFeature(std::string_view head, CFeature& feature);
