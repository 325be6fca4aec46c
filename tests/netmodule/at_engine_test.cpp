#include "netmodule/at_engine.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

using namespace m47::netmodule;

namespace {

// Records every value offered and answers with `result`.
struct RecordingStore final : ModuleValueStore {
    int result = kValueAccepted;
    std::vector<std::pair<std::int32_t, std::string>> calls;
    int StoreModuleValue(std::int32_t query, std::string_view value) override
    {
        calls.emplace_back(query, std::string(value));
        return result;
    }
};

using Sends = std::vector<std::pair<int, std::string>>; // tick, bytes written on it

// An engine in configuration mode; lines arrive between ticks, keyed by the tick they follow.
struct EngineRun {
    AtEngine engine;
    RecordingStore store;
    std::vector<std::string> memo;

    EngineRun() { engine.SetConfigMode(true); }

    void Receive(std::string_view line)
    {
        if (auto m = engine.HandleAtReply(line, store))
            memo.push_back(*m);
    }

    Sends Run(int ticks, const std::multimap<int, std::string>& after = {})
    {
        Sends sends;
        for (int tick = 1; tick <= ticks; ++tick) {
            if (const auto bytes = engine.AtEngineTick(); !bytes.empty())
                sends.emplace_back(tick, std::string(bytes));
            const auto [from, to] = after.equal_range(tick);
            for (auto it = from; it != to; ++it)
                Receive(it->second);
        }
        return sends;
    }
};

const std::string kVer = "AT+VER\n";
const std::string kSysIp = "AT+SYSIP\n";

} // namespace

struct TimingCase {
    const char* name;
    int storeResult;
    std::multimap<int, std::string> after; // lines received after the tick
    Sends sends;
};

// Version then address queued; ticks counted from the tick that sends the first query.
TEST(AtEngineTiming, SendsRetriesAndNextQueryFollowTheTicks)
{
    const TimingCase cases[] = {
        {"unanswered: twice 600 ms apart, next 1.2 s after the first send",
         kValueAccepted,
         {},
         {{1, kVer}, {7, kVer}, {13, kSysIp}, {19, kSysIp}}},
        {"answered between ticks 2 and 3: next query on tick 4",
         kValueAccepted,
         {{2, ">AT+VER\r\n"}, {2, "+ok=V1.2.2\r\n"}},
         {{1, kVer}, {4, kSysIp}, {10, kSysIp}}},
        {"+err ends the job like an answer",
         kValueAccepted,
         {{2, ">AT+VER\r\n"}, {2, "+err\r\n"}},
         {{1, kVer}, {4, kSysIp}, {10, kSysIp}}},
        {"bare +ok keeps waiting",
         kValueAccepted,
         {{2, ">AT+VER\r\n"}, {2, "+ok\r\n"}},
         {{1, kVer}, {7, kVer}, {13, kSysIp}, {19, kSysIp}}},
        {"value without echo is ignored",
         kValueAccepted,
         {{2, "+ok=V1.2.2\r\n"}},
         {{1, kVer}, {7, kVer}, {13, kSysIp}, {19, kSysIp}}},
        {"the echo of another query does not count",
         kValueAccepted,
         {{2, ">AT+SYSIP\r\n"}, {2, "+ok=V1.2.2\r\n"}},
         {{1, kVer}, {7, kVer}, {13, kSysIp}, {19, kSysIp}}},
        {"answer to the second send",
         kValueAccepted,
         {{8, ">AT+VER\r\n"}, {8, "+ok=V1.2.2\r\n"}},
         {{1, kVer}, {7, kVer}, {10, kSysIp}, {16, kSysIp}}},
        {"the second send waits for a fresh echo",
         kValueAccepted,
         {{2, ">AT+VER\r\n"}, {8, "+ok=V1.2.2\r\n"}},
         {{1, kVer}, {7, kVer}, {13, kSysIp}, {19, kSysIp}}},
        {"a refused value leaves the job running",
         kValueRefused,
         {{2, ">AT+VER\r\n"}, {2, "+ok=V1.2.2\r\n"}},
         {{1, kVer}, {7, kVer}, {13, kSysIp}, {19, kSysIp}}},
    };
    for (const TimingCase& c : cases) {
        EngineRun run;
        run.store.result = c.storeResult;
        run.engine.QueueAtQuery(kQueryVersion);
        run.engine.QueueAtQuery(kQueryAddress);
        EXPECT_EQ(run.Run(30, c.after), c.sends) << c.name;
        EXPECT_EQ(run.engine.CurrentJob().query, 0) << c.name;
    }
}

struct ReplyCase {
    const char* name;
    std::vector<std::string> lines; // after the echo of AT+VER
    int storeResult;
    std::vector<std::string> memo;
    std::vector<std::pair<std::int32_t, std::string>> stored;
    bool jobDone;
};

TEST(AtEngineReplies, LinesAfterTheEchoAreClassified)
{
    const ReplyCase cases[] = {
        {"value with +ok=",
         {"+ok=V1.2.2\r\n"},
         kValueAccepted,
         {"OK_String=V1.2.2\r\n"},
         {{1, "V1.2.2\r\n"}},
         true},
        {"plain text is the value itself",
         {"M47 NET 1.3\r\n"},
         kValueAccepted,
         {"String=M47 NET 1.3\r\n"},
         {{1, "M47 NET 1.3\r\n"}},
         true},
        {"bare +ok shows an empty value and waits", {"+ok\r\n"}, kValueAccepted, {"OK="}, {}, false},
        {"+err shows and stores nothing", {"+err\r\n"}, kValueAccepted, {}, {}, true},
        {"bare +ok keeps the value of a refused line",
         {"junk\r\n", "+ok\r\n"},
         kValueRefused,
         {"String=junk\r\n", "OK=junk\r\n"},
         {{1, "junk\r\n"}},
         false},
        {"lines after an accepted value need a new echo",
         {"+ok=V1\r\n", "+ok=V2\r\n"},
         kValueAccepted,
         {"OK_String=V1\r\n"},
         {{1, "V1\r\n"}},
         true},
        {"+ok= is found anywhere; four leading characters go",
         {"xx+ok=V1\r\n"},
         kValueAccepted,
         {"OK_String=k=V1\r\n"},
         {{1, "k=V1\r\n"}},
         true},
    };
    for (const ReplyCase& c : cases) {
        EngineRun run;
        run.store.result = c.storeResult;
        run.engine.QueueAtQuery(kQueryVersion);
        run.Run(1);
        run.Receive("junk before the echo >AT+VER\r\n");
        for (const std::string& line : c.lines)
            run.Receive(line);
        EXPECT_EQ(run.memo, c.memo) << c.name;
        EXPECT_EQ(run.store.calls, c.stored) << c.name;
        EXPECT_EQ(run.engine.CurrentJob().done, c.jobDone) << c.name;
    }
}

TEST(AtEngineReplies, NothingIsReadOutsideTheModeOrWithoutAQuery)
{
    EngineRun idle; // mode on, nothing sent yet
    idle.Receive(">AT+VER\r\n");
    idle.Receive("+ok=V1.2.2\r\n");

    EngineRun off;
    off.engine.QueueAtQuery(kQueryVersion);
    off.Run(1);
    off.engine.SetConfigMode(false);
    off.Receive(">AT+VER\r\n");
    off.Receive("+ok=V1.2.2\r\n");

    for (const EngineRun* run : {&idle, &off}) {
        EXPECT_TRUE(run->memo.empty());
        EXPECT_TRUE(run->store.calls.empty());
        EXPECT_FALSE(run->engine.Reply().EchoSeen);
    }
}

TEST(AtEngineReplies, LongLinesAreCutToTheValueField)
{
    EngineRun run;
    run.engine.QueueAtQuery(kQueryVersion);
    run.Run(1);
    run.Receive(">AT+VER\r\n");
    const std::string longLine = "+ok=" + std::string(300, 'v') + "\r\n";
    run.Receive(longLine);
    ASSERT_EQ(run.store.calls.size(), 1u);
    EXPECT_EQ(run.store.calls[0].second, std::string(sizeof(AtReply::value) - 1, 'v'));
    EXPECT_EQ(run.memo[0], "OK_String=" + std::string(sizeof(AtReply::value) - 1, 'v'));
}

TEST(AtEngineQueue, NineteenWaitTheTwentiethIsDropped)
{
    EngineRun run;
    for (int i = 0; i < AtQueue::kMaxWaiting; ++i)
        run.engine.QueueAtQuery(kQueryVersion);
    run.engine.QueueAtQuery(kQueryDeviceName); // twentieth
    EXPECT_EQ(run.engine.Queue().Count(), 19);
    const Sends sends = run.Run(19 * 12 + 12);
    EXPECT_EQ(sends.size(), 2u * 19);
    for (const auto& send : sends)
        EXPECT_EQ(send.second, kVer) << "tick " << send.first;
}

TEST(AtEngineQueue, RingWrapsAroundItsSlots)
{
    AtQueue queue;
    std::vector<std::int32_t> taken;
    // Three rounds of 15 in, 15 out cross the end of the ring twice.
    for (int round = 0; round < 3; ++round) {
        for (int i = 0; i < 15; ++i)
            EXPECT_TRUE(queue.Push(AtJob{round * 100 + i, 1, 0, 5, false, false}));
        for (int i = 0; i < 15; ++i)
            taken.push_back(queue.Pop().query);
    }
    EXPECT_TRUE(queue.Empty());
    EXPECT_EQ(queue.Pop().query, 0);
    ASSERT_EQ(taken.size(), 45u);
    for (std::size_t k = 0; k < taken.size(); ++k)
        EXPECT_EQ(taken[k], static_cast<std::int32_t>(k / 15 * 100 + k % 15));
}

TEST(AtEngineQueue, OnlyKnownQueriesAreQueued)
{
    AtEngine engine;
    for (std::int32_t code : {0, 4, -1, 1000})
        engine.QueueAtQuery(code);
    EXPECT_TRUE(engine.Queue().Empty());
    engine.QueueAtQuery(kQueryDeviceName);
    EXPECT_EQ(engine.AtEngineTick(), "AT+DEVNAME\n");
    EXPECT_STREQ(engine.Reply().CommandText, "AT+DEVNAME");
}

TEST(AtEngineReset, LeavingTheModeWithAQueryQueuedSendsNothingMore)
{
    EngineRun run;
    run.engine.QueueAtQuery(kQueryVersion);
    run.engine.QueueAtQuery(kQueryAddress);
    EXPECT_EQ(run.Run(3), (Sends{{1, kVer}}));
    run.engine.ResetAtEngine();
    EXPECT_FALSE(run.engine.IsConfigMode());
    EXPECT_TRUE(run.Run(30).empty());
    EXPECT_EQ(run.engine.Reply().query, 0);
}
