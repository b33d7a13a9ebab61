// SPDX-License-Identifier: MIT
#pragma once
// What the library scan sees of a folder: the documents in it with the
// stamps that tell whether they changed since they were last read.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct LibraryFile {
    std::string name;      // as the folder lists it, bytes as they are (no folder part)
    std::int64_t mtimeNs;  // modification time, nanoseconds since the epoch
    std::int64_t size;     // bytes

    bool sameStamp(const LibraryFile& other) const { return mtimeNs == other.mtimeNs && size == other.size; }
};

// Whether a file name is a document's: ends with ".kvr", in any case (lessons
// copied from other systems are often "LESSON.KVR"), with something before it.
bool IsDocumentName(const std::string& name);

// The regular files of `folder` with a document's name (symbolic links
// followed), in byte-wise order of their names. Folders, devices, pipes and
// sockets named like documents are left out, since opening one could block or
// read forever. Nothing when the folder cannot be listed.
std::optional<std::vector<LibraryFile>> ListLibraryFolder(const std::string& folder);

// folder + "/" + name; the scan never changes the working directory.
std::string LibraryPath(const std::string& folder, const std::string& name);
