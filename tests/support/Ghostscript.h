// SPDX-License-Identifier: MIT
#pragma once
// Reads PostScript pages with Ghostscript, so tests check what a printer
// would make of a page rather than the text of it.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

namespace ghostscript {

inline bool Available() { return std::system("command -v gs >/dev/null 2>&1") == 0; }

inline std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline std::string TempPath(const std::string& name) {
    return (std::filesystem::temp_directory_path() / ("kvr-test-" + std::to_string(::getpid()) + "-" + name)).string();
}

// Runs the page through Ghostscript's null device; "" when it reads without
// an error, otherwise what Ghostscript said.
inline std::string Errors(const std::string& path) {
    const std::string log = path + ".log";
    const std::string command =
        "gs -q -dBATCH -dNOPAUSE -dSAFER -sDEVICE=nullpage '" + path + "' >'" + log + "' 2>&1";
    const int status = std::system(command.c_str());
    std::string text = Slurp(log);
    std::filesystem::remove(log);
    if (status == 0) return "";
    return text.empty() ? "gs failed" : text;
}

// A page rendered in grey, 72 dots per inch unless asked (one pixel per
// point), row 0 at the top of the sheet. 0 is black ink, 255 white paper. An
// encapsulated picture lies at the lower left of a sheet of Ghostscript's own.
struct Raster {
    int width = 0, height = 0;
    double dotsPerPoint = 1;
    std::vector<unsigned char> pixels;

    bool valid() const { return width > 0 && height > 0; }
    // The grey at a page point (points from the lower left corner of the sheet).
    int at(double px, double py) const {
        const int col = int(px * dotsPerPoint), row = height - 1 - int(py * dotsPerPoint);
        if (col < 0 || row < 0 || col >= width || row >= height) return 255;
        return pixels[size_t(row) * size_t(width) + size_t(col)];
    }
};

// The box round everything inked on the page (points, from the sheet's
// lower-left corner), from Ghostscript's bounding-box device.
struct Box {
    double left = 0, bottom = 0, right = -1, top = -1;
    bool valid() const { return right > left && top > bottom; }
};

inline Box InkBox(const std::string& path) {
    const std::string log = path + ".bbox";
    const std::string command = "gs -q -dBATCH -dNOPAUSE -dSAFER -sDEVICE=bbox '" + path + "' >'" + log + "' 2>&1";
    Box box;
    if (std::system(command.c_str()) == 0) {
        const std::string text = Slurp(log);
        const size_t at = text.find("%%HiResBoundingBox: ");
        if (at != std::string::npos)
            std::sscanf(text.c_str() + at, "%%%%HiResBoundingBox: %lf %lf %lf %lf", &box.left, &box.bottom, &box.right,
                        &box.top);
    }
    std::filesystem::remove(log);
    return box;
}

inline Raster Render(const std::string& path, int dotsPerInch = 72) {
    const std::string pgm = path + ".pgm";
    const std::string command = "gs -q -dBATCH -dNOPAUSE -dSAFER -r" + std::to_string(dotsPerInch) +
                                " -sDEVICE=pgmraw -sOutputFile='" + pgm + "' '" + path + "' >/dev/null 2>&1";
    Raster raster;
    raster.dotsPerPoint = dotsPerInch / 72.0;
    if (std::system(command.c_str()) != 0) return raster;
    std::ifstream in(pgm, std::ios::binary);
    // The header: magic, width, height, maximum, with '#' comment lines between.
    auto token = [&in]() {
        std::string t;
        while (in >> t && t[0] == '#') std::getline(in, t);
        return t;
    };
    const std::string magic = token();
    raster.width = std::atoi(token().c_str());
    raster.height = std::atoi(token().c_str());
    const int maxValue = std::atoi(token().c_str());
    in.get();  // the single white space before the pixels
    if (magic != "P5" || maxValue != 255) return Raster{};
    raster.pixels.resize(size_t(raster.width) * size_t(raster.height));
    in.read(reinterpret_cast<char*>(raster.pixels.data()), std::streamsize(raster.pixels.size()));
    if (!in) return Raster{};
    in.close();
    std::filesystem::remove(pgm);
    return raster;
}

}  // namespace ghostscript
