// A bounded history: the last `limit` items added, oldest first. Once it is
// full, adding an item reuses the storage of the oldest one, so a host that
// runs for a long time keeps a constant footprint.
#pragma once

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <vector>

#include "bridge/PIStringAbi.h"

namespace testhost {

template <typename T>
class History {
public:
    // What the hosts keep of each kind of history unless told otherwise.
    static constexpr std::size_t kDefaultLimit = 4096;

    class const_iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = T;
        using difference_type = std::ptrdiff_t;
        using pointer = const T*;
        using reference = const T&;

        const_iterator(const History* history, std::size_t position)
            : history_(history), position_(position) {}
        reference operator*() const { return (*history_)[position_]; }
        pointer operator->() const { return &(*history_)[position_]; }
        const_iterator& operator++() {
            ++position_;
            return *this;
        }
        bool operator==(const const_iterator& other) const { return position_ == other.position_; }
        bool operator!=(const const_iterator& other) const { return position_ != other.position_; }

    private:
        const History* history_;
        std::size_t position_;
    };

    // A limit of 0 keeps everything.
    explicit History(std::size_t limit = kDefaultLimit) : limit_(limit) {}

    // The slot of a new newest item: a fresh one while there is room, else
    // the oldest item, to be overwritten by the caller.
    T& add() {
        ++added_;
        if (limit_ == 0 || items_.size() < limit_) {
            return items_.emplace_back();
        }
        T& slot = items_[oldest_];
        if (++oldest_ == items_.size()) {
            oldest_ = 0;
        }
        return slot;
    }
    void push_back(const T& item) { add() = item; }

    // Keeps at most `limit` items from now on (0: all), dropping the oldest.
    void setLimit(std::size_t limit) {
        std::rotate(items_.begin(), items_.begin() + static_cast<std::ptrdiff_t>(oldest_), items_.end());
        oldest_ = 0;
        if (limit != 0 && items_.size() > limit) {
            items_.erase(items_.begin(), items_.end() - static_cast<std::ptrdiff_t>(limit));
        }
        limit_ = limit;
    }
    std::size_t limit() const { return limit_; }

    void clear() {
        items_.clear();
        oldest_ = 0;
        added_ = 0;
    }

    // The items kept, oldest first.
    std::size_t size() const { return items_.size(); }
    bool empty() const { return items_.empty(); }
    const T& operator[](std::size_t i) const { return items_[(oldest_ + i) % items_.size()]; }
    const T& back() const { return (*this)[items_.size() - 1]; }
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, items_.size()}; }

    // How many items were added since construction or clear(), dropped ones
    // included.
    std::size_t added() const { return added_; }

private:
    std::vector<T> items_;
    std::size_t oldest_ = 0;
    std::size_t limit_;
    std::size_t added_ = 0;
};

}  // namespace testhost
