// m47ctl's list, identify and read against virtual devices, and how it ends when the device
// does not answer or its port does not come back.
#include "ctl_fixture.h"

#include <QJsonArray>

namespace {

const std::string kQuery = "$PTST,,,,,16*28\r\n";
const std::string kEnterModule = "$PDBG,163,1,,,,,,*14\r\n";
const std::string kLeaveModule = "$PDBG,163,0,,,,,,*15\n";

using CtlConnection = CtlFixture;

TEST_F(CtlConnection, ListsThePortsWithTheirNumbersAndNames)
{
    StartDevice(241);
    StartDevice(205, {"--name", "Bench Unit"});
    const CtlRun run = Run({"list", "--json"});
    ASSERT_EQ(run.status, 0) << run.err;
    const QJsonArray ports = run.Json().value(QStringLiteral("ports")).toArray();
    ASSERT_EQ(ports.size(), 2) << run.out;
    // In the window's order: by name.
    EXPECT_EQ(ports[0].toObject().value(QStringLiteral("name")).toString(), QStringLiteral("Bench Unit (COM205)"));
    EXPECT_EQ(ports[0].toObject().value(QStringLiteral("com")).toInt(), 205);
    EXPECT_EQ(ports[1].toObject().value(QStringLiteral("name")).toString(),
              QStringLiteral("Veldra M47 Simulator (COM241)"));
    EXPECT_TRUE(ports[1].toObject().value(QStringLiteral("path")).toString().endsWith(QStringLiteral("/COM241")));

    const CtlRun human = Run({"list"});
    EXPECT_EQ(human.status, 0);
    EXPECT_NE(human.out.find("COM241\tVeldra M47 Simulator (COM241)\t"), std::string::npos) << human.out;
}

TEST_F(CtlConnection, IdentifiesAsTheWindowDoesAndReadsTheModule)
{
    StartDevice(241, {"--rs232-baud", "9600", "--nmea-baud", "4800", "--gps-disabled", "--gps-nav-status", "4"});
    StartDevice(242, {"--no-network-module", "--serial", "B-0002"});

    const pid_t identify = Start({"identify", "--port", "COM241", "--json"});
    const pid_t bare = Start({"read", "--port", "COM242", "--network", "--json"});
    const CtlRun run = Finish(identify);
    ASSERT_EQ(run.status, 0) << run.err;
    const QJsonObject info = run.Json();
    EXPECT_EQ(info.value(QStringLiteral("port")).toString(), QStringLiteral("COM241"));
    EXPECT_EQ(info.value(QStringLiteral("firmware")).toString(), QStringLiteral("M47 V1.05.12"));
    EXPECT_EQ(info.value(QStringLiteral("rs232_baud")).toInt(), 9600);
    EXPECT_EQ(info.value(QStringLiteral("nmea_baud")).toInt(), 4800);
    EXPECT_EQ(info.value(QStringLiteral("gps")).toString(), QStringLiteral("off"));
    EXPECT_EQ(info.value(QStringLiteral("gps_mode")).toString(), QStringLiteral("high"));
    EXPECT_TRUE(info.value(QStringLiteral("network_module")).toBool());
    // The first query and the read-back's; identify leaves the module alone.
    EXPECT_EQ(Received(241, kQuery), 2u);
    EXPECT_EQ(Received(241, kEnterModule), 0u);

    const CtlRun without = Finish(bare);
    ASSERT_EQ(without.status, 0) << without.err;
    EXPECT_EQ(without.Json().value(QStringLiteral("serial_number")).toString(), QStringLiteral("B-0002"));
    EXPECT_FALSE(without.Json().value(QStringLiteral("network_module")).toBool());
    EXPECT_FALSE(without.Json().contains(QStringLiteral("network")));
    EXPECT_EQ(Received(242, kEnterModule), 0u);

    const CtlRun module = Run({"read", "--port", "COM241", "--network", "--json"});
    ASSERT_EQ(module.status, 0) << module.err;
    const QJsonObject network = module.Json().value(QStringLiteral("network")).toObject();
    EXPECT_EQ(network.value(QStringLiteral("version")).toString(), QStringLiteral("V1.2.2"));
    EXPECT_EQ(network.value(QStringLiteral("address")).toString(), QStringLiteral("192.168.1.254"));
    EXPECT_EQ(Received(241, kEnterModule), 1u);
    EXPECT_EQ(Received(241, "AT+VER\n"), 1u);
    EXPECT_EQ(Received(241, kLeaveModule), 1u);
}

TEST_F(CtlConnection, GivesUpAfterEightQueriesOnTheSeventeenthTick)
{
    StartDevice(243, {"--no-identify"});
    const auto started = std::chrono::steady_clock::now();
    const CtlRun run = Run({"identify", "--port", "COM243"});
    const auto took = std::chrono::steady_clock::now() - started;
    EXPECT_EQ(run.status, 4);
    EXPECT_NE(run.err.find("COM243"), std::string::npos) << run.err;
    EXPECT_TRUE(run.out.empty());
    EXPECT_EQ(Received(243, kQuery), 8u);
    EXPECT_GE(took, std::chrono::seconds(16));
}

TEST_F(CtlConnection, APortThatDoesNotComeBackAfterTheRestartEndsWithStatus3)
{
    // Away far longer than the nine seconds the reconnect waits.
    StartDevice(245, {"--restart-pause", "60"});
    const CtlRun run = Run({"program", "--port", "COM245", "--gps", "off"});
    EXPECT_EQ(run.status, 3);
    EXPECT_NE(run.err.find("COM245: the port did not come back"), std::string::npos) << run.err;
    EXPECT_EQ(Received(245, "$PDBG,50,1,52,5,,,,*17\r\n"), 1u);
}

TEST_F(CtlConnection, NamesThePortAndTheReasonWhenItIsNotThere)
{
    const CtlRun missing = Run({"identify", "--port", "COM250"});
    EXPECT_EQ(missing.status, 3);
    EXPECT_NE(missing.err.find("COM250: no such port"), std::string::npos) << missing.err;

    for (const std::vector<std::string>& wrong :
         {std::vector<std::string>{}, {"identify"}, {"frobnicate"}, {"identify", "--port", "COM256"},
          {"program", "--port", "COM1"}, {"program", "--port", "COM1", "--nmea", "57600"},
          {"program", "--port", "COM1", "--restore", "baud", "--gps", "on"}, {"identify", "--port", "1", "--gps", "on"},
          {"read", "--port", "1", "--interface", "wifi"}}) {
        EXPECT_EQ(Run(wrong).status, 2) << (wrong.empty() ? "" : wrong[0]);
    }
    const CtlRun help = Run({"--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* status : {"  0  ", "  1  ", "  2  ", "  3  ", "  4  "})
        EXPECT_NE(help.out.find(status), std::string::npos) << status;
}

} // namespace
