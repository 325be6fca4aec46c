// The pure rules of port discovery: COM-number mapping, friendly names, the table and its order,
// and the reading of list items.
#include "serial/port_naming.h"

#include <gtest/gtest.h>

namespace {

TEST(PortNaming, DeviceNodesMapToStableComNumbers)
{
    struct Case {
        const char* node;
        int com;
    };
    for (const Case& c :
         {Case{"ttyS0", 1}, Case{"ttyS31", 32}, Case{"ttyUSB0", 33}, Case{"ttyUSB1", 34},
          Case{"ttyUSB63", 96}, Case{"ttyACM0", 97}, Case{"ttyACM63", 160}, Case{"ttyS32", -1},
          Case{"ttyUSB64", -1}, Case{"ttyUSB01", -1}, Case{"ttyUSB", -1}, Case{"ttyUSB1x", -1},
          Case{"tty0", -1}, Case{"console", -1}, Case{"ptmx", -1}, Case{"ttyS99999999999", -1}}) {
        EXPECT_EQ(ComNumberOfNode(QString::fromLatin1(c.node)), c.com) << c.node;
        if (c.com > 0) {
            EXPECT_EQ(NodeOfComNumber(c.com), QString::fromLatin1(c.node));
        }
    }
    EXPECT_EQ(NodeOfComNumber(200), QString());
    EXPECT_EQ(NodeOfComNumber(0), QString());
}

TEST(PortNaming, PortNamesAreReadOnlyInTheirExactForm)
{
    struct Case {
        const char* name;
        int com;
    };
    for (const Case& c :
         {Case{"\\\\.\\COM1", 1}, Case{"\\\\.\\COM255", 255}, Case{"COM34", 34}, Case{"Com2", 2},
          Case{"\\\\.\\COM256", -1}, Case{"\\\\.\\COM0", -1}, Case{"\\\\.\\COM07", -1}, Case{"COM", -1},
          Case{"COM3x", -1}, Case{"/dev/ttyUSB0", -1}, Case{"\\\\.\\COM99999999999999", -1}}) {
        EXPECT_EQ(ComNumberOfDeviceName(QString::fromLatin1(c.name)), c.com) << c.name;
    }
    EXPECT_EQ(ComDeviceName(12), "\\\\.\\COM12");
}

TEST(PortNaming, FriendlyNamesCarryTheirPortAndStayBounded)
{
    EXPECT_EQ(FriendlyName("FT232R USB UART", 34, "USB Serial Port"), "FT232R USB UART (COM34)");
    EXPECT_EQ(FriendlyName("", 33, "USB Serial Port"), "USB Serial Port (COM33)");
    EXPECT_EQ(FriendlyName("  \x01"
                           "Bad\tname\x7f \n",
                           200, "x"),
              "Bad name (COM200)");
    EXPECT_EQ(FriendlyName("Veldra M47 Simulator (COM200)", 200, "x"), "Veldra M47 Simulator (COM200)");
    const QString huge = FriendlyName(QString(500, u'A'), 201, "x");
    EXPECT_LE(huge.size(), kMaxFriendlyNameLength);
    EXPECT_TRUE(huge.endsWith(" (COM201)"));
}

TEST(PortNaming, TableKeepsEnumerationOrderAndOnlyComNames)
{
    const std::vector<TFoundPort> ports = {
        {1, "Communications Port (COM1)", "/dev/ttyS0"},
        {2, "Printer Port LPT1", "/dev/lp0"},
        {34, "FT232R USB UART (COM34)", "/dev/ttyUSB1"},
    };
    const TPortTable table = BuildPortTable(ports);
    ASSERT_EQ(table.Count, 2);
    EXPECT_EQ(table.Names[0], "Communications Port (COM1)");
    EXPECT_EQ(table.Names[1], "FT232R USB UART (COM34)");

    std::vector<TFoundPort> many(300, TFoundPort{5, "Port (COM5)", ""});
    EXPECT_EQ(BuildPortTable(many).Count, kMaxPorts);
}

TEST(PortNaming, ListIsSortedByNameNotByNumber)
{
    TPortTable table;
    for (const char* name : {"Zeta Adapter (COM1)", "alpha adapter (COM40)", "Alpha Adapter (COM34)"})
        table.Names[static_cast<std::size_t>(table.Count++)] = QString::fromLatin1(name);
    EXPECT_EQ(SortedPortNames(table),
              (QStringList{"Alpha Adapter (COM34)", "alpha adapter (COM40)", "Zeta Adapter (COM1)"}));
}

TEST(PortNaming, MergeKeepsPresentDevicesAheadOfVirtualOnesOfTheSameNumber)
{
    const auto merged = MergePorts({{34, "USB (COM34)", "/dev/ttyUSB1"}, {1, "UART (COM1)", "/dev/ttyS0"}},
                                   {{200, "Sim (COM200)", "v/COM200"}, {34, "Clash (COM34)", "v/COM34"}});
    ASSERT_EQ(merged.size(), 3u);
    EXPECT_EQ(merged[0].ComNumber, 1);
    EXPECT_EQ(merged[1].FriendlyName, "USB (COM34)");
    EXPECT_EQ(merged[2].ComNumber, 200);
}

TEST(PortNaming, ConnectedPortIsFoundOnlyByItsExactNumber)
{
    TPortTable table;
    table.Names[0] = "Communications Port (COM1)";
    table.Count = 1;
    EXPECT_TRUE(PortTableHolds(table, 1));
    EXPECT_FALSE(PortTableHolds(table, 12));
    table.Names[0] = "USB Serial Port (COM12)";
    EXPECT_FALSE(PortTableHolds(table, 1));
    EXPECT_TRUE(PortTableHolds(table, 12));
}

// One reading of the item text, three rules: the probe, the port choice and the connection's
// port number differ only in what they accept.
TEST(PortNaming, ListItemsAreReadLikeTheProbeThePortChoiceAndTheConnection)
{
    struct Case {
        const char* item;
        int probe;
        int choice;
        int connection;
    };
    for (const Case& c :
         {Case{"FT232R USB UART (COM34)", 34, 34, 34}, Case{"Veldra M47 Simulator (COM200)", 200, 200, 200},
          Case{"- NOT SELECTED -", -1, -1, 1},
          Case{"COMMON Adapter (COM5)", 5, -1, 1}, // the first "COM" counts
          Case{"COM3 bridge (COM9)", 9, 3, 3}, Case{"Adapter (COM0)", 0, -1, 1},
          Case{"Adapter (COM255)", 255, 255, 255}, Case{"Adapter (COM256)", 256, -1, 1},
          Case{"Adapter (COM-4)", 0, -1, 1}, Case{"Adapter (COM99999999999999)", 999999, -1, 1},
          Case{"Adapter (COM)", 0, -1, 1}, Case{"", -1, -1, 1}}) {
        const QString item = QString::fromLatin1(c.item);
        EXPECT_EQ(ProbeComNumber(item), c.probe) << c.item;
        EXPECT_EQ(SelectedComNumber(item), c.choice) << c.item;
        EXPECT_EQ(ConnectionPortNumber(item), c.connection) << c.item;
    }
}

} // namespace
