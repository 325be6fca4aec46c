#include "device/rx_line_assembler.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using m47::device::LineConsumer;
using m47::device::RxLineAssembler;

namespace {

// Records what each consumer and the log tap saw, in the order they saw it.
struct Recorder {
    RxLineAssembler rx;
    std::vector<std::string> calls; // "<consumer index>:<line>" and "log:<text>"

    Recorder()
    {
        rx.SetLogTap([this](std::string_view text) { calls.push_back("log:" + std::string(text)); });
        for (std::size_t i = 0; i < m47::device::kLineConsumerCount; ++i) {
            rx.SetConsumer(static_cast<LineConsumer>(i), [this, i](char* line) {
                calls.push_back(std::to_string(i) + ":" + line);
                line[0] = 'X'; // a consumer that scribbles on its line must not affect the others
            });
        }
    }

    std::vector<std::string> Dispatched(std::size_t consumer) const
    {
        std::vector<std::string> lines;
        const std::string prefix = std::to_string(consumer) + ":";
        for (const auto& c : calls) {
            if (c.rfind(prefix, 0) == 0)
                lines.push_back(c.substr(prefix.size()));
        }
        return lines;
    }
};

std::vector<std::string> OneLineToAll(const std::string& line, const std::string& logged)
{
    return {"log:" + logged, "0:" + line, "1:" + line, "2:" + line, "3:" + line};
}

} // namespace

TEST(RxLineAssembler, DropsCrAndNulAnywhereAndReterminatesWithCrLf)
{
    Recorder r;
    r.rx.Feed(std::string_view("AB\rC\0D\n", 7));
    EXPECT_EQ(r.calls, OneLineToAll("ABCD\r\n", "ABCD"));
    EXPECT_EQ(r.rx.PendingLength(), 0u);
}

TEST(RxLineAssembler, LoneLineFeedDispatchesAnEmptyLine)
{
    Recorder r;
    r.rx.Feed("\n");
    EXPECT_EQ(r.calls, OneLineToAll("\r\n", ""));
}

TEST(RxLineAssembler, LineSplitOverNotificationsIsDispatchedOnceWhole)
{
    Recorder r;
    r.rx.Feed("$GPGGA,1234");
    EXPECT_TRUE(r.calls.empty());
    EXPECT_EQ(r.rx.PendingText(), "$GPGGA,1234");
    r.rx.Feed("56*7A\r");
    EXPECT_TRUE(r.calls.empty());
    r.rx.Feed("\n");
    EXPECT_EQ(r.calls, OneLineToAll("$GPGGA,123456*7A\r\n", "$GPGGA,123456*7A"));
}

TEST(RxLineAssembler, TwoLinesInOneChunkReachEveryConsumerInOrderBeforeTheNextLine)
{
    Recorder r;
    r.rx.Feed("one\r\ntwo\r\nthr");
    std::vector<std::string> expected = OneLineToAll("one\r\n", "one");
    const auto second = OneLineToAll("two\r\n", "two");
    expected.insert(expected.end(), second.begin(), second.end());
    EXPECT_EQ(r.calls, expected);
    EXPECT_EQ(r.rx.PendingText(), "thr");
}

TEST(RxLineAssembler, LinesUpTo82CharactersAreDispatchedLongerOnesOnlyLogged)
{
    const std::string line82(82, 'a');
    const std::string line83(83, 'b');
    Recorder r;
    r.rx.Feed(line82 + "\r\n" + line83 + "\r\n");
    std::vector<std::string> expected = OneLineToAll(line82 + "\r\n", line82);
    expected.push_back("log:" + line83);
    EXPECT_EQ(r.calls, expected);
}

TEST(RxLineAssembler, EndlessLineIsBoundedThenDroppedAndTheNextLineStartsClean)
{
    Recorder r;
    const std::string flood(1'000'000, '7');
    for (int i = 0; i < 10; ++i)
        r.rx.Feed(flood);
    EXPECT_EQ(r.rx.PendingLength(), 10'000'000u);
    EXPECT_EQ(r.rx.PendingText().size(), RxLineAssembler::kMaxStoredLength);
    r.rx.Feed("\nok\n");
    std::vector<std::string> expected{"log:" + std::string(RxLineAssembler::kMaxStoredLength, '7')};
    const auto ok = OneLineToAll("ok\r\n", "ok");
    expected.insert(expected.end(), ok.begin(), ok.end());
    EXPECT_EQ(r.calls, expected);
}

TEST(RxLineAssembler, HighBytesStayInTheLine)
{
    Recorder r;
    r.rx.Feed("\xB0\xFF\n");
    EXPECT_EQ(r.Dispatched(3), std::vector<std::string>{"\xB0\xFF\r\n"});
}

TEST(RxLineAssembler, ConsumerMayLengthenItsLineTo98Characters)
{
    // The sentence library marks empty fields in place and may grow a line to 98 characters.
    RxLineAssembler rx;
    std::vector<std::string> seen;
    rx.SetConsumer(LineConsumer::GpsStatus, [&](char* line) {
        std::fill(line, line + 98, 'x');
        line[98] = '\0';
    });
    rx.SetConsumer(LineConsumer::Identification, [&](char* line) { seen.push_back(line); });
    const std::string commas(82, ',');
    rx.Feed(commas + "\n");
    EXPECT_EQ(seen, std::vector<std::string>{commas + "\r\n"});
}

TEST(RxLineAssembler, UnsetConsumersKeepTheOthersInPlace)
{
    RxLineAssembler rx;
    std::vector<std::string> seen;
    rx.SetConsumer(LineConsumer::Configuration, [&](char* line) { seen.push_back(line); });
    rx.Feed("x\n");
    EXPECT_EQ(seen, std::vector<std::string>{"x\r\n"});
}

TEST(RxLineAssembler, BytesFedFromAConsumerFollowTheCurrentChunkInOrder)
{
    RxLineAssembler rx;
    std::vector<std::string> seen;
    bool fed = false;
    rx.SetConsumer(LineConsumer::Identification, [&](char* line) {
        seen.push_back(line);
        if (!fed) {
            fed = true;
            rx.Feed("later\n"); // e.g. bytes read while the identification step waits
        }
    });
    rx.Feed("first\nsecond\n");
    EXPECT_EQ(seen, (std::vector<std::string>{"first\r\n", "second\r\n", "later\r\n"}));
}

TEST(RxLineAssembler, ConsumerThatThrowsLeavesTheAssemblerUsable)
{
    RxLineAssembler rx;
    std::vector<std::string> seen;
    rx.SetConsumer(LineConsumer::AtReply, [&](char* line) {
        seen.push_back(line);
        if (seen.size() == 1)
            throw std::runtime_error("Port not open");
    });
    EXPECT_THROW(rx.Feed("a\nb\n"), std::runtime_error);
    rx.Feed("c\n");
    EXPECT_EQ(seen, (std::vector<std::string>{"a\r\n", "c\r\n"}));
}

// A driver queue the receive notification reads from.
struct FakePort {
    std::string queue;
    std::vector<int> requests;
    int Read(char* buffer, int size)
    {
        requests.push_back(size);
        const auto n = std::min<std::size_t>(queue.size(), static_cast<std::size_t>(size));
        queue.copy(buffer, n);
        queue.erase(0, n);
        return static_cast<int>(n);
    }
};

TEST(RxLineAssembler, LargeNotifiedCountIsReadInPiecesWithoutLossOrReordering)
{
    FakePort port;
    std::string expected;
    for (int i = 0; i < 1000; ++i) {
        const std::string line = "$GPTXT,line " + std::to_string(i);
        port.queue += line + "\r\n";
        expected += line + "\r\n";
    }
    const std::size_t count = port.queue.size();
    ASSERT_GT(count, 2 * RxLineAssembler::kReadPieceSize);

    RxLineAssembler rx;
    std::string seen;
    rx.SetConsumer(LineConsumer::GpsStatus, [&](char* line) { seen += line; });
    const auto read = rx.Receive(count, [&](char* b, int n) { return port.Read(b, n); });

    EXPECT_EQ(read, count);
    EXPECT_EQ(seen, expected);
    for (int request : port.requests)
        EXPECT_LE(request, static_cast<int>(RxLineAssembler::kReadPieceSize));
}

TEST(RxLineAssembler, ReadThatReturnsNothingEndsTheNotificationAndKeepsTheLine)
{
    RxLineAssembler rx;
    rx.Feed("partial");
    for (int result : {0, -1}) {
        int calls = 0;
        EXPECT_EQ(rx.Receive(100,
                             [&](char*, int) {
                                 ++calls;
                                 return result;
                             }),
                  0u);
        EXPECT_EQ(calls, 1);
    }
    EXPECT_EQ(rx.Receive(0,
                         [](char*, int) -> int {
                             ADD_FAILURE();
                             return 0;
                         }),
              0u);
    EXPECT_EQ(rx.PendingText(), "partial");
}

TEST(RxLineAssembler, ShortReadIsFollowedUpUntilTheCountIsRead)
{
    FakePort port{"abc\ndef\n", {}};
    RxLineAssembler rx;
    std::vector<std::string> seen;
    rx.SetConsumer(LineConsumer::GpsStatus, [&](char* line) { seen.push_back(line); });
    const auto read = rx.Receive(8, [&](char* b, int n) { return port.Read(b, std::min(n, 3)); });
    EXPECT_EQ(read, 8u);
    EXPECT_EQ(seen, (std::vector<std::string>{"abc\r\n", "def\r\n"}));
}
