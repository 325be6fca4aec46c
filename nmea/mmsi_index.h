#pragma once
// Which entries of the target table hold an MMSI: a fixed open-addressing table of (MMSI,
// entry) pairs with linear probing, at most half full, so a look-up reads a slot or two.
//
//   slot:   | MMSI 32 | entry 16 |       home slot = top bits of MMSI x 2654435769
//
// Deletion moves the following pairs of the probe run back instead of leaving tombstones, so
// look-ups stay short however often targets come and go. An MMSI may be held by more than one
// entry (a hand-built table, or an entry freed with MMSI 0); a look-up then names the lowest.

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>

namespace nmea {

template <std::size_t Entries>
class MmsiIndex
{
    static_assert(Entries < 0xFFFF);

public:
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

    MmsiIndex() { Clear(); }

    void Clear() { slots_.fill(Slot{0, kEmpty}); }

    void Insert(std::uint32_t mmsi, std::size_t entry)
    {
        std::size_t at = Home(mmsi);
        while (slots_[at].entry != kEmpty)
            at = Next(at);
        slots_[at] = Slot{mmsi, static_cast<std::uint16_t>(entry)};
    }

    // Removes the pair; nothing happens when it is not held.
    void Erase(std::uint32_t mmsi, std::size_t entry)
    {
        std::size_t hole = Home(mmsi);
        while (slots_[hole].entry != kEmpty && !(slots_[hole].mmsi == mmsi && slots_[hole].entry == entry))
            hole = Next(hole);
        if (slots_[hole].entry == kEmpty)
            return;
        // Pull back every later pair of the run whose home slot does not lie after the hole.
        for (std::size_t at = Next(hole); slots_[at].entry != kEmpty; at = Next(at)) {
            const std::size_t home = Home(slots_[at].mmsi);
            const bool homeAfterHole = hole < at ? (home > hole && home <= at) : (home > hole || home <= at);
            if (!homeAfterHole) {
                slots_[hole] = slots_[at];
                hole = at;
            }
        }
        slots_[hole].entry = kEmpty;
    }

    // The lowest entry holding the MMSI, or kNone.
    std::size_t Find(std::uint32_t mmsi) const
    {
        std::size_t found = kNone;
        for (std::size_t at = Home(mmsi); slots_[at].entry != kEmpty; at = Next(at)) {
            if (slots_[at].mmsi == mmsi && slots_[at].entry < found)
                found = slots_[at].entry;
        }
        return found;
    }

private:
    static constexpr std::uint16_t kEmpty = 0xFFFF;
    static constexpr std::size_t kSlots = std::bit_ceil(2 * Entries);
    static constexpr int kSlotBits = std::countr_zero(kSlots);

    struct Slot {
        std::uint32_t mmsi;
        std::uint16_t entry; // kEmpty: free slot
    };

    static std::size_t Home(std::uint32_t mmsi) { return (mmsi * 2654435769u) >> (32 - kSlotBits); }
    static std::size_t Next(std::size_t at) { return (at + 1) & (kSlots - 1); }

    std::array<Slot, kSlots> slots_;
};

} // namespace nmea
