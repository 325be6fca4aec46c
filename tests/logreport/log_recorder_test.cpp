// The recorder on a fake clock: the file's lines and receive times, the once-a-second flush,
// and a write failure that ends the recording with the reason and keeps what was written.
#include "logreport/log_recorder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace m47::logreport;
using namespace std::chrono_literals;

namespace {

// 2026-12-11 10:15:03.125 UTC.
const UtcTime kStart = std::chrono::sys_days{std::chrono::year{2026} / 12 / 11} + 10h + 15min + 3s + 125ms;

std::string FileText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class Recorder : public testing::Test
{
protected:
    void TearDown() override { std::remove(path.c_str()); }
    std::string path = testing::TempDir() + "m47_recorder_" + std::to_string(getpid()) + ".log";
    LogRecorder recorder;
};

} // namespace

TEST(ReceiveStamps, FormattedInUtcWithMillisecondsAndReadBack)
{
    EXPECT_EQ(ReceiveStamp(kStart), "2026-12-11T10:15:03.125Z ");
    EXPECT_EQ(ReceiveStamp(kStart + 999us), "2026-12-11T10:15:03.125Z ") << "cut, not rounded";
    EXPECT_EQ(ReceiveStamp(std::chrono::sys_days{std::chrono::year{2024} / 2 / 29} + 23h + 59min + 59s + 7ms),
              "2024-02-29T23:59:59.007Z ");
    EXPECT_EQ(ParseReceiveStamp("2026-12-11T10:15:03.125Z $GPGGA"),
              std::chrono::floor<std::chrono::milliseconds>(kStart));
    for (const char* bad : {"2026-12-11T10:15:03.125Z", "2026-12-11T10:15:03.125Z_$GP", "2026-13-11T10:15:03.125Z x",
                            "2026-02-30T10:15:03.125Z x", "2026-12-11T24:15:03.125Z x", "2026-12-11 10:15:03.125Z x",
                            "2026-12-1xT10:15:03.125Z x", "$GPGGA,101503.00,2502.4904,N,12145.7358,E,1"})
        EXPECT_FALSE(ParseReceiveStamp(bad)) << bad;
}

TEST_F(Recorder, EveryLineOnDiskAfterItsReceiveTime)
{
    ASSERT_FALSE(recorder.Start(path, kStart));
    EXPECT_FALSE(recorder.Record("$GPRMC,101503.00,A,2502.4904,N,12145.7358,E,12.3,84.1,111226,,,A*6C", kStart));
    EXPECT_FALSE(recorder.Record("", kStart + 16ms)) << "an empty line is a line";
    EXPECT_FALSE(recorder.Record("!AIVDM,1,1,,A,15RTgt0PAso;90TKcjM8h6g208CQ,0*4A", kStart + 1s + 875ms));
    EXPECT_FALSE(recorder.Stop());
    EXPECT_FALSE(recorder.Recording());
    EXPECT_EQ(recorder.LinesRecorded(), 3u);
    EXPECT_EQ(FileText(path), "2026-12-11T10:15:03.125Z $GPRMC,101503.00,A,2502.4904,N,12145.7358,E,12.3,84.1,"
                              "111226,,,A*6C\n"
                              "2026-12-11T10:15:03.141Z \n"
                              "2026-12-11T10:15:05.000Z !AIVDM,1,1,,A,15RTgt0PAso;90TKcjM8h6g208CQ,0*4A\n");
}

TEST_F(Recorder, LinesReachTheFileOnceASecondAndAtStop)
{
    ASSERT_FALSE(recorder.Start(path, kStart));
    EXPECT_FALSE(recorder.Record("$GPZDA,101503.00,11,12,2026,00,00*6B", kStart + 100ms));
    EXPECT_FALSE(recorder.Record("$GPZDA,101503.50,11,12,2026,00,00*6E", kStart + 900ms));
    EXPECT_EQ(FileText(path), "") << "held within the second";
    EXPECT_FALSE(recorder.Tick(kStart + 999ms));
    EXPECT_EQ(FileText(path), "");
    EXPECT_FALSE(recorder.Tick(kStart + 1s));
    const std::string firstSecond = FileText(path);
    EXPECT_EQ(std::count(firstSecond.begin(), firstSecond.end(), '\n'), 2);

    EXPECT_FALSE(recorder.Record("$GPZDA,101504.00,11,12,2026,00,00*6C", kStart + 1200ms));
    EXPECT_EQ(FileText(path), firstSecond);
    EXPECT_FALSE(recorder.Stop());
    EXPECT_EQ(FileText(path).size(), firstSecond.size() + kReceiveStampLength + 37);
}

TEST_F(Recorder, AFastStreamIsWrittenBeforeTheBufferGrowsPastItsLimit)
{
    ASSERT_FALSE(recorder.Start(path, kStart));
    const std::string line(80, 'x');
    const std::size_t perLine = kReceiveStampLength + line.size() + 1;
    for (std::size_t i = 0; i * perLine < 3 * LogRecorder::kBufferLimit; ++i)
        ASSERT_FALSE(recorder.Record(line, kStart)) << "the clock stands still";
    struct stat info{};
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_GE(static_cast<std::size_t>(info.st_size), 2 * LogRecorder::kBufferLimit);
    EXPECT_FALSE(recorder.Stop());
}

TEST_F(Recorder, AFileThatCannotBeCreatedIsRefusedWithTheReason)
{
    const auto failure = recorder.Start("/nonexistent-folder/m47.log", kStart);
    ASSERT_TRUE(failure);
    EXPECT_EQ(*failure, "No such file or directory");
    EXPECT_FALSE(recorder.Recording());
    EXPECT_FALSE(recorder.Record("$GPZDA", kStart)) << "not recording: nothing to fail";
}

TEST(RecorderOnAFullDisk, StopsWithTheReasonAtTheFirstWrite)
{
    if (access("/dev/full", W_OK) != 0)
        GTEST_SKIP() << "no /dev/full";
    LogRecorder recorder;
    ASSERT_FALSE(recorder.Start("/dev/full", kStart));
    EXPECT_FALSE(recorder.Record("$GPZDA,101503.00,11,12,2026,00,00*6B", kStart));
    const auto failure = recorder.Tick(kStart + 1s);
    ASSERT_TRUE(failure);
    EXPECT_EQ(*failure, "No space left on device");
    EXPECT_FALSE(recorder.Recording());
    EXPECT_FALSE(recorder.Record("$GPZDA,101504.00,11,12,2026,00,00*6C", kStart + 2s));
    EXPECT_FALSE(recorder.Stop());
}

// A file size limit stands for a file system that fills up while recording.
TEST_F(Recorder, AFailedWriteKeepsWhatReachedTheFileBefore)
{
    constexpr rlim_t kRoom = 4096;
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit tight = saved;
    tight.rlim_cur = kRoom;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tight), 0);

    ASSERT_FALSE(recorder.Start(path, kStart));
    EXPECT_FALSE(recorder.Record("$GPZDA,101503.00,11,12,2026,00,00*6B", kStart));
    EXPECT_FALSE(recorder.Tick(kStart + 1s));
    const std::string before = FileText(path);
    std::optional<std::string> failure;
    for (int i = 0; i < 200 && !failure; ++i)
        failure = recorder.Record(std::string(80, 'x'), kStart + 2s + std::chrono::seconds(i));

    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    ASSERT_TRUE(failure) << "the limit was never reached";
    EXPECT_EQ(*failure, "File too large");
    EXPECT_FALSE(recorder.Recording());
    const std::string after = FileText(path);
    EXPECT_EQ(after.substr(0, before.size()), before);
    EXPECT_LE(after.size(), kRoom);
}
