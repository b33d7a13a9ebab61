#include "io/LibraryReaders.h"

// Until the document reader joins the build, no file gives a signature.
FeatureReader DocumentFeatureReader()
{
    return [](const std::string&, CFeature&) { return false; };
}

ThumbnailReader DocumentThumbnailReader()
{
    return [](const std::string&) { return QImage(); };
}
