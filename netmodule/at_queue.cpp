#include "netmodule/at_queue.h"

namespace m47::netmodule {

bool AtQueue::Push(const AtJob& job)
{
    if (Full())
        return false;
    slots_[write_] = job;
    write_ = static_cast<std::uint16_t>((write_ + 1) % kCapacity);
    return true;
}

AtJob AtQueue::Pop()
{
    if (Empty())
        return {};
    const AtJob job = slots_[read_];
    read_ = static_cast<std::uint16_t>((read_ + 1) % kCapacity);
    return job;
}

void AtQueue::Clear()
{
    slots_ = {};
    write_ = 0;
    read_ = 0;
}

} // namespace m47::netmodule
