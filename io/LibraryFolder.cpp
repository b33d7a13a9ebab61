// SPDX-License-Identifier: MIT
#include "io/LibraryFolder.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>

bool IsDocumentName(const std::string& name) {
    static constexpr char kExtension[] = ".kvr";
    constexpr std::size_t n = sizeof kExtension - 1;
    if (name.size() <= n) return false;
    for (std::size_t i = 0; i < n; ++i) {
        char c = name[name.size() - n + i];
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
        if (c != kExtension[i]) return false;
    }
    return true;
}

std::optional<std::vector<LibraryFile>> ListLibraryFolder(const std::string& folder) {
    if (folder.empty()) return std::nullopt;
    DIR* dir = opendir(folder.c_str());
    if (!dir) return std::nullopt;
    const int fd = dirfd(dir);
    std::vector<LibraryFile> files;
    while (const dirent* e = readdir(dir)) {
        if (e->d_type != DT_REG && e->d_type != DT_LNK && e->d_type != DT_UNKNOWN) continue;
        std::string name(e->d_name);
        if (!IsDocumentName(name)) continue;
        struct stat st;
        // Stamps come from the file itself, through a link when the entry is one.
        if (fstatat(fd, e->d_name, &st, 0) != 0 || !S_ISREG(st.st_mode)) continue;
        files.push_back({std::move(name), std::int64_t(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec,
                         std::int64_t(st.st_size)});
    }
    closedir(dir);
    std::sort(files.begin(), files.end(), [](const LibraryFile& a, const LibraryFile& b) { return a.name < b.name; });
    return files;
}

std::string LibraryPath(const std::string& folder, const std::string& name) {
    if (!folder.empty() && folder.back() == '/') return folder + name;
    return folder + "/" + name;
}
