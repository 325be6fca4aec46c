#pragma once
// The order in which the target table gives up entries: the entry with the oldest last-seen
// stamp, the lowest entry among equal stamps. Kept as it changes, so that the choice costs no
// walk over the table:
//
//   stamp buckets, oldest first:  [t=100: 7 3] <-> [t=101: 1 9 4] <-> [t=103: 2]
//   the oldest bucket's entries also as bits:  ...0010001000   -> lowest set bit: entry 3
//
// Every stamp is the PC clock's second, so an update lands in the newest bucket or a new one
// after it, and a freed entry (stamp 0) in the oldest. The clock may be set back: a stamp
// between the oldest and the newest is filed in its place, found from the bucket used last.
// The bits are rebuilt only when another bucket has become the oldest, once for its entries.

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>

namespace nmea {

template <std::size_t Entries>
class EvictionOrder
{
    static_assert(Entries < 0xFFFF);

public:
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

    EvictionOrder() { Clear(); }

    void Clear()
    {
        for (std::size_t i = 0; i < Entries; ++i) {
            entries_[i] = Entry{kNil, kNil, kNil};
            buckets_[i].newer = static_cast<std::uint16_t>(i + 1 < Entries ? i + 1 : kNil);
        }
        freeBuckets_ = 0;
        oldest_ = newest_ = lastUsed_ = kNil;
        ClearBits();
    }

    // Files an entry that is not filed yet.
    void Insert(std::size_t entry, std::uint32_t stamp)
    {
        const std::uint16_t b = BucketFor(stamp);
        Bucket& bucket = buckets_[b];
        entries_[entry] = Entry{b, kNil, bucket.first};
        if (bucket.first != kNil)
            entries_[bucket.first].before = static_cast<std::uint16_t>(entry);
        bucket.first = static_cast<std::uint16_t>(entry);
        if (b == bitsBucket_)
            SetBit(entry);
        lastUsed_ = b;
    }

    // Takes a filed entry out; nothing happens for one that is not filed.
    void Erase(std::size_t entry)
    {
        const Entry e = entries_[entry];
        if (e.bucket == kNil)
            return;
        Bucket& bucket = buckets_[e.bucket];
        (e.before != kNil ? entries_[e.before].after : bucket.first) = e.after;
        if (e.after != kNil)
            entries_[e.after].before = e.before;
        entries_[entry] = Entry{kNil, kNil, kNil};
        if (e.bucket == bitsBucket_)
            ClearBit(entry);
        if (bucket.first == kNil)
            FreeBucket(e.bucket);
    }

    // Files a filed entry again under a new stamp.
    void Move(std::size_t entry, std::uint32_t stamp)
    {
        const std::uint16_t b = entries_[entry].bucket;
        if (b != kNil && buckets_[b].stamp == stamp)
            return;
        Erase(entry);
        Insert(entry, stamp);
    }

    // The entry with the oldest stamp, the lowest among equal ones; kNone when none is filed.
    std::size_t Oldest()
    {
        if (oldest_ == kNil)
            return kNone;
        if (bitsBucket_ != oldest_) {
            ClearBits();
            for (std::uint16_t e = buckets_[oldest_].first; e != kNil; e = entries_[e].after)
                SetBit(e);
            bitsBucket_ = oldest_;
        }
        const int word = std::countr_zero(usedWords_);
        return static_cast<std::size_t>(word) * 64 +
               static_cast<std::size_t>(std::countr_zero(bits_[static_cast<std::size_t>(word)]));
    }

private:
    static constexpr std::uint16_t kNil = 0xFFFF;
    static constexpr std::size_t kWords = (Entries + 63) / 64;
    static_assert(kWords <= 64, "one word marks the words in use");

    struct Entry {
        std::uint16_t bucket; // kNil: not filed
        std::uint16_t before; // neighbours within the bucket, in no particular order
        std::uint16_t after;
    };

    struct Bucket {
        std::uint32_t stamp = 0;
        std::uint16_t older = kNil;
        std::uint16_t newer = kNil; // also links the free buckets
        std::uint16_t first = kNil; // an entry of the bucket
    };

    // The bucket of `stamp`, made and linked in its place when there is none. A new second
    // lands at the newest end, a freed entry's zero stamp at the oldest; only a clock set back
    // between the two walks, from the bucket used last.
    std::uint16_t BucketFor(std::uint32_t stamp)
    {
        if (newest_ == kNil)
            return NewBucket(stamp, kNil, kNil);
        if (stamp >= buckets_[newest_].stamp)
            return stamp == buckets_[newest_].stamp ? newest_ : NewBucket(stamp, newest_, kNil);
        if (stamp <= buckets_[oldest_].stamp)
            return stamp == buckets_[oldest_].stamp ? oldest_ : NewBucket(stamp, kNil, oldest_);
        std::uint16_t at = lastUsed_;
        if (buckets_[at].stamp <= stamp) {
            while (buckets_[buckets_[at].newer].stamp <= stamp)
                at = buckets_[at].newer;
            return buckets_[at].stamp == stamp ? at : NewBucket(stamp, at, buckets_[at].newer);
        }
        while (buckets_[buckets_[at].older].stamp >= stamp)
            at = buckets_[at].older;
        return buckets_[at].stamp == stamp ? at : NewBucket(stamp, buckets_[at].older, at);
    }

    std::uint16_t NewBucket(std::uint32_t stamp, std::uint16_t older, std::uint16_t newer)
    {
        const std::uint16_t b = freeBuckets_; // never exhausted: one bucket per filed entry at most
        freeBuckets_ = buckets_[b].newer;
        buckets_[b] = Bucket{stamp, older, newer, kNil};
        (older != kNil ? buckets_[older].newer : oldest_) = b;
        (newer != kNil ? buckets_[newer].older : newest_) = b;
        return b;
    }

    void FreeBucket(std::uint16_t b)
    {
        const Bucket bucket = buckets_[b];
        (bucket.older != kNil ? buckets_[bucket.older].newer : oldest_) = bucket.newer;
        (bucket.newer != kNil ? buckets_[bucket.newer].older : newest_) = bucket.older;
        if (lastUsed_ == b)
            lastUsed_ = bucket.newer != kNil ? bucket.newer : bucket.older;
        if (bitsBucket_ == b)
            bitsBucket_ = kNil; // its bits are all clear already
        buckets_[b].newer = freeBuckets_;
        freeBuckets_ = b;
    }

    void ClearBits()
    {
        bits_.fill(0);
        usedWords_ = 0;
        bitsBucket_ = kNil;
    }

    void SetBit(std::size_t entry)
    {
        bits_[entry / 64] |= std::uint64_t{1} << (entry % 64);
        usedWords_ |= std::uint64_t{1} << (entry / 64);
    }

    void ClearBit(std::size_t entry)
    {
        std::uint64_t& word = bits_[entry / 64];
        word &= ~(std::uint64_t{1} << (entry % 64));
        if (word == 0)
            usedWords_ &= ~(std::uint64_t{1} << (entry / 64));
    }

    std::array<Entry, Entries> entries_;
    std::array<Bucket, Entries> buckets_;
    std::uint16_t freeBuckets_ = kNil;
    std::uint16_t oldest_ = kNil;
    std::uint16_t newest_ = kNil;
    std::uint16_t lastUsed_ = kNil;   // where the search for a stamp's bucket starts
    std::uint16_t bitsBucket_ = kNil; // the bucket whose entries bits_ marks
    std::array<std::uint64_t, kWords> bits_{};
    std::uint64_t usedWords_ = 0; // bit w: bits_[w] is not zero
};

} // namespace nmea
