// m47ctl programming virtual devices: each setting group sent as the window sends it, read back
// after the restart and verified; a device that ignores the sentence; a profile taken from one
// device and applied to another.
#include "ctl_fixture.h"

#include "device/command_sentences.h"

#include <QJsonArray>

namespace {

std::string Sentence(const char* text)
{
    return m47::device::CompleteCommand(text).value_or("");
}

struct ProgramCase {
    std::vector<std::string> args;
    const char* sentence; // what the device must have received, before completion
    const char* member;   // a member of the reported settings afterwards
    QJsonValue value;
};

using CtlProgram = CtlFixture;

TEST_F(CtlProgram, EachGroupIsSentReadBackAndVerified)
{
    const ProgramCase cases[] = {
        {{"--rs232", "9600", "--nmea", "4800"}, "$PDBG,43,4,41,5,,,,", "nmea_baud", 4800},
        // An unrequested value stays what the device reported: mode "high" below.
        {{"--gps", "off"}, "$PDBG,50,1,52,4,,,,", "gps", QStringLiteral("off")},
        {{"--restore", "baud,gps,network"}, "$PDBG,100,1,100,2,100,3,,", "rs232_baud", 38400},
    };
    // All three at once, each on its own device: the restarts take their nine seconds together.
    std::vector<pid_t> runs;
    for (int i = 0; i < 3; ++i) {
        StartDevice(211 + i, {"--rs232-baud", "19200", "--gps-nav-status", "4"});
        std::vector<std::string> args = {"program", "--port", "COM" + std::to_string(211 + i), "--json"};
        args.insert(args.end(), cases[i].args.begin(), cases[i].args.end());
        runs.push_back(Start(args));
    }
    for (int i = 0; i < 3; ++i) {
        const ProgramCase& c = cases[i];
        const CtlRun run = Finish(runs[static_cast<std::size_t>(i)]);
        EXPECT_EQ(run.status, 0) << c.sentence << ": " << run.err;
        const QJsonObject result = run.Json();
        EXPECT_TRUE(result.value(QStringLiteral("verified")).toBool()) << run.out;
        EXPECT_EQ(result.value(QStringLiteral("device")).toObject().value(QLatin1String(c.member)), c.value) << run.out;
        EXPECT_EQ(Received(211 + i, Sentence(c.sentence)), 1u) << c.sentence;
        // Reconnected and identified again: the first two queries and the two after the restart.
        EXPECT_EQ(Received(211 + i, "$PTST,,,,,16*28\r\n"), 4u) << c.sentence;
    }
}

TEST_F(CtlProgram, ADeviceThatKeepsItsSettingsIsAMismatch)
{
    StartDevice(214, {"--ignore-programming"});
    const CtlRun run = Run({"program", "--port", "COM214", "--rs232", "9600", "--json"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("COM214: not verified: RS-232 baud rate: programmed 9600, device reports 38400"),
              std::string::npos)
        << run.err;
    const QJsonArray differences = run.Json().value(QStringLiteral("differences")).toArray();
    ASSERT_EQ(differences.size(), 1) << run.out;
    EXPECT_EQ(differences[0].toObject().value(QStringLiteral("setting")).toString(),
              QStringLiteral("RS-232 baud rate"));
    // The NMEA rate went out as the device reported it.
    EXPECT_EQ(Received(214, Sentence("$PDBG,43,4,41,2,,,,")), 1u);
}

TEST_F(CtlProgram, AProfileFromOneDeviceIsAppliedToAnotherAndVerified)
{
    StartDevice(215, {"--rs232-baud", "57600", "--nmea-baud", "9600", "--gps-disabled"});
    StartDevice(216);
    const std::string profile = Path("unit.json");
    const CtlRun save = Run({"profile", "save", profile, "--port", "COM215"});
    ASSERT_EQ(save.status, 0) << save.err;
    const QJsonObject saved = QJsonDocument::fromJson(QByteArray::fromStdString(Slurp(profile))).object();
    EXPECT_EQ(saved.value(QStringLiteral("rs232_baud")).toInt(), 57600);
    EXPECT_EQ(saved.value(QStringLiteral("nmea_baud")).toInt(), 9600);
    EXPECT_EQ(saved.value(QStringLiteral("gps")).toString(), QStringLiteral("off"));
    EXPECT_EQ(saved.value(QStringLiteral("gps_mode")).toString(), QStringLiteral("sea"));

    const CtlRun apply = Run({"profile", "apply", profile, "--port", "COM216", "--json"});
    ASSERT_EQ(apply.status, 0) << apply.err;
    EXPECT_TRUE(apply.Json().value(QStringLiteral("verified")).toBool()) << apply.out;
    EXPECT_EQ(Received(216, Sentence("$PDBG,43,1,41,4,,,,")), 1u);
    EXPECT_EQ(Received(216, Sentence("$PDBG,50,1,52,5,,,,")), 1u);

    // Applied again, nothing differs and nothing is sent.
    const CtlRun again = Run({"profile", "apply", profile, "--port", "COM216"});
    EXPECT_EQ(again.status, 0) << again.err;
    EXPECT_EQ(Received(216, Sentence("$PDBG,43,1,41,4,,,,")), 1u);
}

TEST_F(CtlProgram, AProfileThatCannotBeReadIsAUsageError)
{
    const struct {
        const char* text;
        const char* reason;
    } bad[] = {
        {"{\"m47_profile\":1,\"rs232_baud\":2400,\"nmea_baud\":4800,\"gps\":\"on\",\"gps_mode\":\"sea\"}", "needs"},
        {"{\"m47_profile\":1,\"rs232_baud\":9600,\"nmea_baud\":57600,\"gps\":\"on\",\"gps_mode\":\"sea\"}", "needs"},
        {"{\"m47_profile\":1,\"rs232_baud\":9600,\"nmea_baud\":4800,\"gps\":\"yes\",\"gps_mode\":\"sea\"}", "needs"},
        {"{\"rs232_baud\":9600}", "not an M47 profile"},
        {"[1,2]", "not a JSON object"},
        {"{\"m47_profile\":1,", ""},
    };
    for (const auto& b : bad) {
        const std::string path = Path("bad.json");
        std::ofstream(path) << b.text;
        const CtlRun run = Run({"profile", "apply", path, "--port", "COM217"});
        EXPECT_EQ(run.status, 2) << b.text;
        EXPECT_NE(run.err.find(b.reason), std::string::npos) << b.text << ": " << run.err;
    }
    EXPECT_EQ(Run({"profile", "apply", Path("missing.json"), "--port", "COM217"}).status, 2);
}

} // namespace
