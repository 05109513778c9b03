// The table of positions seen: a position's key and the most redeals left
// it was reached with, in one flat array probed in turn. The searches look
// up and add a key for every position they try, so the table keeps no node
// per entry and grows by doubling, at most half full.
#pragma once

#include <cstdint>
#include <vector>

namespace vexa::solving {

class SeenTable {
public:
    // The redeals kept for key, or null.
    const std::int32_t* Find(std::uint64_t key) const
    {
        if (key == Empty) return hasEmpty_ ? &emptyValue_ : nullptr;
        if (keys_.empty()) return nullptr;
        for (std::size_t at = Slot(key);; at = (at + 1) & mask_) {
            if (keys_[at] == key) return &values_[at];
            if (keys_[at] == Empty) return nullptr;
        }
    }
    // The redeals kept for key, added as 0 when it was not there.
    std::int32_t& operator[](std::uint64_t key)
    {
        if (key == Empty) {
            if (!hasEmpty_) {
                hasEmpty_ = true;
                emptyValue_ = 0;
                ++size_;
            }
            return emptyValue_;
        }
        if (2 * (size_ + 1) > keys_.size()) Grow();
        std::size_t at = Slot(key);
        for (; keys_[at] != key; at = (at + 1) & mask_)
            if (keys_[at] == Empty) {
                keys_[at] = key;
                values_[at] = 0;
                ++size_;
                break;
            }
        return values_[at];
    }
    void clear()
    {
        keys_.clear();
        values_.clear();
        mask_ = 0;
        size_ = 0;
        hasEmpty_ = false;
    }
    std::size_t size() const { return size_; }
    std::size_t Bytes() const { return keys_.size() * (sizeof(std::uint64_t) + sizeof(std::int32_t)); }

private:
    static constexpr std::uint64_t Empty = 0;
    std::size_t Slot(std::uint64_t key) const { return static_cast<std::size_t>(key * 0x9e3779b97f4a7c15ull >> 20) & mask_; }
    void Grow()
    {
        std::vector<std::uint64_t> keys(keys_.empty() ? 1024 : 2 * keys_.size(), Empty);
        std::vector<std::int32_t> values(keys.size(), 0);
        keys.swap(keys_);
        values.swap(values_);
        mask_ = keys_.size() - 1;
        for (std::size_t i = 0; i < keys.size(); ++i) {
            if (keys[i] == Empty) continue;
            std::size_t at = Slot(keys[i]);
            while (keys_[at] != Empty) at = (at + 1) & mask_;
            keys_[at] = keys[i];
            values_[at] = values[i];
        }
    }

    std::vector<std::uint64_t> keys_;
    std::vector<std::int32_t> values_;
    std::size_t mask_ = 0;
    std::size_t size_ = 0;
    bool hasEmpty_ = false;
    std::int32_t emptyValue_ = 0;
};

}  // namespace vexa::solving
