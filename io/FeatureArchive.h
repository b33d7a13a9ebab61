// SPDX-License-Identifier: MIT
#pragma once
// The graph's shape signature in documents: element "feature" holding "size"
// and one "element" per equation.
#include <string>

#include "sketch/CFeature.h"

class CXMLArchive;

// Storing writes `feature`; loading replaces its elements with those of the
// file's first "feature" element. A "size" larger than the elements present
// reads what is there.
void SerializeFeature(CXMLArchive& archive, CFeature& feature);

// What the library scan reads of a document: the "feature" element only,
// streamed from the start of the file and stopped at its end, so that the
// thumbnail and the equations after it are never read. False, with the
// reason in `error` when given, when the file cannot be read or holds no
// acceptable "feature" element; `feature` is then emptied.
bool ReadDocumentFeature(const std::string& path, CFeature& feature, std::string* error = nullptr);
