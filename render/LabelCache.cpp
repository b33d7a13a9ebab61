// SPDX-License-Identifier: MIT
#include "render/LabelCache.h"

#include <cstdio>

LabelCache::LabelCache(size_t maxEntries, size_t maxBytes) : maxEntries_(maxEntries), maxBytes_(maxBytes) {}

std::string LabelCache::key(const std::string& text, int size, double ratio) {
    char prefix[48];
    std::snprintf(prefix, sizeof prefix, "%d/%.4f/", size, ratio);
    return prefix + text;
}

std::shared_ptr<const LabelBitmap> LabelCache::find(const std::string& text, int size, double ratio) {
    const auto it = index_.find(key(text, size, ratio));
    if (it == index_.end()) return nullptr;
    order_.splice(order_.begin(), order_, it->second);
    return it->second->bitmap;
}

void LabelCache::insert(const std::string& text, int size, double ratio, std::shared_ptr<const LabelBitmap> bitmap) {
    if (!bitmap) return;
    std::string k = key(text, size, ratio);
    const auto it = index_.find(k);
    if (it != index_.end()) {
        bytes_ -= it->second->bitmap->coverage.size();
        order_.erase(it->second);
        index_.erase(it);
    }
    bytes_ += bitmap->coverage.size();
    order_.push_front(Entry{k, std::move(bitmap)});
    index_.emplace(std::move(k), order_.begin());
    evict();
}

void LabelCache::clear() {
    order_.clear();
    index_.clear();
    bytes_ = 0;
}

void LabelCache::evict() {
    // The newest entry stays even when it alone is over the byte budget.
    while (order_.size() > 1 && (order_.size() > maxEntries_ || bytes_ > maxBytes_)) {
        bytes_ -= order_.back().bitmap->coverage.size();
        index_.erase(order_.back().key);
        order_.pop_back();
    }
}
