// Replaces the global allocation functions to count calls. They stay out of line so the
// compiler does not pair an inlined new with the free inside a delete (-Wmismatched-new-delete).
#include "counting_allocator.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<long> allocations{0};
}

long nmea::test::AllocationCount()
{
    return allocations.load();
}

[[gnu::noinline]] void* operator new(std::size_t size)
{
    ++allocations;
    if (void* p = std::malloc(size == 0 ? 1 : size))
        return p;
    throw std::bad_alloc();
}

[[gnu::noinline]] void* operator new[](std::size_t size)
{
    return operator new(size);
}

[[gnu::noinline]] void operator delete(void* p) noexcept
{
    std::free(p);
}

[[gnu::noinline]] void operator delete[](void* p) noexcept
{
    std::free(p);
}

[[gnu::noinline]] void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}

[[gnu::noinline]] void operator delete[](void* p, std::size_t) noexcept
{
    std::free(p);
}
