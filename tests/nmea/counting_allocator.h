// Test programs that link counting_allocator.cpp replace the global allocation functions so a
// test can tell whether the library allocated while it worked.
#pragma once

namespace nmea::test {

// Calls of operator new (any form) since the program started.
long AllocationCount();

} // namespace nmea::test
