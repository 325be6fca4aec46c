// Decoding a message and updating the target table allocate nothing once the state exists.
// The test program counts allocations through counting_allocator.cpp.

#include "ais_test_support.h"

#include "counting_allocator.h"
#include "nmea/sentence_library.h"

#include <gtest/gtest.h>

#include <memory>

namespace nmea {
namespace {

TEST(AisAllocation, NoneWhileDecodingCaptures)
{
    std::vector<std::string> lines;
    std::vector<test::CapturedPayload> payloads;
    for (const char* capture : {"gpsd/test/sample.aivdm", "pyais/nmea_data_sample.txt"}) {
        for (const std::string& line : test::ReadLines(test::TestDataPath(capture))) {
            if (!line.empty() && line[0] != '#' && line.size() <= 82) {
                lines.push_back(line + "\r\n");
            }
        }
        const auto more = test::ReadCapture(test::TestDataPath(capture));
        payloads.insert(payloads.end(), more.begin(), more.end());
    }
    auto state = std::make_unique<AisState>();
    auto library = std::make_unique<SentenceLibrary>();

    const long before = test::AllocationCount();
    ASSERT_GT(before, 0); // the counting allocator is in use
    int decoded = 0;
    for (const test::CapturedPayload& p : payloads) {
        if (Dearmour(p.payload, p.fillBits, state->bits) &&
            DecodeAisFields(state->layouts, state->bits, state->message)) {
            decoded += UpdateTarget(state->targets, state->message, 'A', 0, false) >= 0;
        }
    }
    int accepted = 0;
    for (const std::string& line : lines) {
        accepted += library->ProcessSentence(line);
    }
    EXPECT_EQ(test::AllocationCount() - before, 0);
    EXPECT_GT(decoded, 500);
    EXPECT_GT(accepted, 500);
}

} // namespace
} // namespace nmea
