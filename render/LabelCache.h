// SPDX-License-Identifier: MIT
#pragma once
// The most recently used label bitmaps, keyed by (text, size, device pixel
// ratio), so that a frame measures and draws each label from one typesetting.
// Bounded both in entries and in bytes; the least recently used go first.
#include <cstddef>
#include <list>
#include <memory>
#include <string>
#include <unordered_map>

#include "render/LabelBitmap.h"

class LabelCache {
public:
    LabelCache(size_t maxEntries, size_t maxBytes);

    // The cached bitmap, made most recent; null when absent.
    std::shared_ptr<const LabelBitmap> find(const std::string& text, int size, double ratio);
    void insert(const std::string& text, int size, double ratio, std::shared_ptr<const LabelBitmap> bitmap);
    void clear();

    size_t entries() const { return order_.size(); }
    size_t bytes() const { return bytes_; }

private:
    static std::string key(const std::string& text, int size, double ratio);
    void evict();

    struct Entry {
        std::string key;
        std::shared_ptr<const LabelBitmap> bitmap;
    };
    size_t maxEntries_;
    size_t maxBytes_;
    size_t bytes_ = 0;
    std::list<Entry> order_;  // most recent first
    std::unordered_map<std::string, std::list<Entry>::iterator> index_;
};
