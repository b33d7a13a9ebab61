// SPDX-License-Identifier: MIT
#pragma once
// Writing a file so that whoever opens it finds either the old file or the
// complete new one, never half of it: the bytes go into a new file beside
// it, are flushed to the disk, and the new file is then renamed over the old.
// Documents and every export are written this way.
#include <string>
#include <string_view>

// Writes `bytes` to `path`. Returns "" on success, otherwise why, in the
// system's words where the system refused ("No space left on device", "File
// too large"); the old file is then untouched and no temporary file is left.
// A path that names a folder or anything but a regular file is refused.
std::string WriteFileAtomically(const std::string& path, std::string_view bytes);
