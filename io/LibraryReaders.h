#pragma once
// The library's reads of real documents: the signature from the "feature"
// element, the picture from the "image" element. Both take absolute paths
// and are safe on a worker thread.
#include "io/Library.h"

FeatureReader DocumentFeatureReader();
ThumbnailReader DocumentThumbnailReader();
