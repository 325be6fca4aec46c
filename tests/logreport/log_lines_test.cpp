#include "logreport/log_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace m47::logreport;

namespace {

// A line whose text says where it belongs, so a line stored in the wrong place shows.
std::string NumberedLine(std::size_t i, std::size_t length)
{
    std::string line = std::to_string(i) + ":";
    line.resize(length, static_cast<char>('a' + i % 26));
    return line;
}

void ExpectLines(const LogLines& log, const std::vector<std::string>& expected)
{
    ASSERT_EQ(log.Count(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        ASSERT_EQ(log.Line(i), expected[i]) << "line " << i;
}

} // namespace

TEST(LogLines, KeepsEveryLineAsReceived)
{
    const std::vector<std::string> lines{
        "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47",
        "",                          // a lone CR LF from the device
        std::string(5000, 'X'),      // far beyond a sentence: kept in full
        "\xB3\x73\xBD\x75 \x80\xFF", // code-page bytes pass unchanged
        std::string("A\0B", 3),      // whatever bytes a line holds
        "",
    };
    LogLines log;
    for (const std::string& line : lines)
        log.Append(line);
    ExpectLines(log, lines);
    EXPECT_EQ(log.LongestLength(), 5000u);
    EXPECT_EQ(log.Line(lines.size()), "");
}

TEST(LogLines, LinesStayIntactAcrossTextBlocks)
{
    // Enough lines to fill several blocks, with one line larger than a block in between.
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < 30000; ++i)
        lines.push_back(NumberedLine(i, 40 + i % 90));
    lines.insert(lines.begin() + 12000, std::string(LogLines::kBlockSize + 7, '#'));
    LogLines log;
    for (const std::string& line : lines)
        log.Append(line);
    ExpectLines(log, lines);
    EXPECT_EQ(log.LongestLength(), LogLines::kBlockSize + 7);
}

TEST(LogLines, ClearRemovesEveryLineAndStartsAfresh)
{
    LogLines log;
    for (std::size_t i = 0; i < 20000; ++i)
        log.Append(NumberedLine(i, 80));
    const std::size_t filled = log.MemoryBytes();
    log.Clear();
    EXPECT_TRUE(log.Empty());
    EXPECT_EQ(log.Line(0), "");
    EXPECT_EQ(log.LongestLength(), 0u);
    EXPECT_LT(log.MemoryBytes(), filled / 100);

    log.Append("$PCVN,R,TXT,PROD. INFO. END*4A");
    ExpectLines(log, {"$PCVN,R,TXT,PROD. INFO. END*4A"});
}
