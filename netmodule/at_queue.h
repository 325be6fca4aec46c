#pragma once
// The waiting AT queries: a ring of job slots with a write and a read index. One slot always
// stays free, so 19 jobs can wait; a job offered to a full ring is dropped without notice.

#include <array>
#include <cstdint>

namespace m47::netmodule {

// One query to the network module and its send bookkeeping.
struct AtJob {
    std::int32_t query = 0;       // query code (AtQuery table); 0 = no job
    std::uint8_t RetriesLeft = 0; // further sends allowed after the first
    std::int32_t ticks = 0;       // timer ticks since the last send
    std::int32_t TickLimit = 0;   // ticks after which the send counts as unanswered
    bool sent = false;            // sent and not yet re-armed
    bool done = false;            // finished; cleared on the tick that sees it
};

class AtQueue
{
public:
    static constexpr std::uint16_t kCapacity = 20;
    static constexpr int kMaxWaiting = kCapacity - 1;

    // False when the ring was full and the job was dropped.
    bool Push(const AtJob& job);
    // The oldest waiting job, taken out of the ring; a job with query 0 when the ring is empty.
    AtJob Pop();
    void Clear();

    int Count() const { return (write_ + kCapacity - read_) % kCapacity; }
    bool Empty() const { return Count() == 0; }
    bool Full() const { return Count() == kMaxWaiting; }

private:
    std::array<AtJob, kCapacity> slots_{};
    std::uint16_t write_ = 0;
    std::uint16_t read_ = 0;
};

} // namespace m47::netmodule
