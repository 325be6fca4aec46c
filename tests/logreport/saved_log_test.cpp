#include "logreport/saved_log.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace m47::logreport;

namespace {

struct SavedLogCase {
    const char* name;
    std::vector<std::string> lines;
    std::string file;
};

class SavedLog : public testing::TestWithParam<SavedLogCase>
{
};

std::string Saved(const LogLines& log, std::size_t* pieces = nullptr)
{
    std::string file;
    const bool done = WriteSavedLog(log, [&](std::string_view bytes) {
        if (pieces)
            ++*pieces;
        file.append(bytes);
        return true;
    });
    EXPECT_TRUE(done);
    return file;
}

} // namespace

TEST_P(SavedLog, EveryLineEndsInCrLf)
{
    LogLines log;
    for (const std::string& line : GetParam().lines)
        log.Append(line);
    std::size_t pieces = 0;
    EXPECT_EQ(Saved(log, &pieces), GetParam().file);
    if (GetParam().lines.empty()) {
        EXPECT_EQ(pieces, 0u) << "an empty log hands over no bytes at all";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, SavedLog,
    testing::Values(SavedLogCase{"Empty", {}, ""},
                    SavedLogCase{"OneLine", {"$PTST,,,,,16*28"}, "$PTST,,,,,16*28\r\n"},
                    SavedLogCase{"EmptyLines", {"", "", "$A"}, "\r\n\r\n$A\r\n"},
                    SavedLogCase{"LastLineEmpty", {"$A", ""}, "$A\r\n\r\n"},
                    SavedLogCase{"OverLong", {std::string(300, 'Z')}, std::string(300, 'Z') + "\r\n"}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(SavedLog, LargeLogComesInPiecesInOrder)
{
    LogLines log;
    std::string expected;
    for (int i = 0; i < 5000; ++i) {
        const std::string line = "!AIVDM,1,1,,A,line " + std::to_string(i) + ",0*00";
        log.Append(line);
        expected += line + "\r\n";
    }
    std::size_t pieces = 0;
    EXPECT_EQ(Saved(log, &pieces), expected);
    EXPECT_GT(pieces, 1u);
}

TEST(SavedLog, RefusedPieceStopsTheWriting)
{
    LogLines log;
    for (int i = 0; i < 5000; ++i)
        log.Append(std::string(70, 'x'));
    int calls = 0;
    EXPECT_FALSE(WriteSavedLog(log, [&](std::string_view) { return ++calls < 2; }));
    EXPECT_EQ(calls, 2);
}
