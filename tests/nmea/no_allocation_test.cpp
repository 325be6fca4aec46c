// After start-up the library must not allocate while it processes lines; the test program
// counts allocations through counting_allocator.cpp.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "counting_allocator.h"
#include "nmea/sentence_library.h"
#include "sentence_test_support.h"

namespace nmea {
namespace {

TEST(NoAllocation, ProcessingLinesAllocatesNothing)
{
    auto library = std::make_unique<SentenceLibrary>();
    const std::vector<std::string> lines = {
        test::Framed("$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,"),
        test::Framed("$GPGSV,2,1,08,01,40,083,46,02,17,308,41,12,07,344,39,14,22,228,45"),
        test::Framed("$PCVN,R,TXT,01,01,01,FIRMWARE=1.2.3"),
        test::Framed("$GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1"),
        "!AIVDM,2,1,1,A,55?MbV02;H;s<HtKR20EHE:0@T4@Dn2222222216L961O5Gf0NSQEp6ClRp8,0*1C\r\n",
        "!AIVDM,2,2,1,A,88888888880,2*25\r\n",
        "!AIVDO,1,1,,B,13`kvwO005wJnb0Lfo:@7P8F05`L,0*5B\r\n",
        "!AIVDM,1,1,,B,177KQJ5000G?tO`K>RA1wUbN0TKH,0*5C\r\n",
        "garbage\r\n",
    };
    const long before = test::AllocationCount();
    int accepted = 0;
    for (int round = 0; round < 3; ++round)
        for (const std::string& line : lines)
            accepted += library->ProcessSentence(line) ? 1 : 0;
    EXPECT_EQ(test::AllocationCount(), before);
    EXPECT_EQ(accepted, 3 * 7);
}

} // namespace
} // namespace nmea
