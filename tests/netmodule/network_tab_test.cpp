#include "netmodule/network_tab.h"

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>
#include <utility>
#include <vector>

using namespace m47::netmodule;
using m47::device::DeviceInfo;

namespace {

struct FakeAddresses final : LocalAddressSource {
    std::vector<Ipv4Address> list;
    std::vector<Ipv4Address> LocalIpv4Addresses() const override { return list; }
};

const std::string kEnter = "$PDBG,163,1,,,,,,*14\r\n";
const std::string kLeave = "$PDBG,163,0,,,,,,*15\n";
const std::string kVer = "AT+VER\n";
const std::string kSysIp = "AT+SYSIP\n";

// The module behind the device: in its configuration mode it echoes each AT line and answers.
struct FakeModule {
    bool configMode = false;
    std::vector<std::string> Answer(const std::string& written)
    {
        if (written == kEnter || written == kLeave) {
            configMode = written == kEnter;
            return {};
        }
        if (!configMode)
            return {};
        const std::string command = written.substr(0, written.size() - 1);
        const std::string value = command == "AT+VER"     ? "+ok=V1.2.2\r\n"
                                  : command == "AT+SYSIP" ? "+ok=192.168.1.254,255.255.255.0\r\n"
                                                          : "+err\r\n";
        return {">" + command + "\r\n", value};
    }
};

// The window's side: applies every effect and keeps what it shows and what went out.
struct Page {
    DeviceInfo device{};
    FakeAddresses addresses;
    NetworkTab tab{device, addresses};
    std::vector<std::pair<int, std::string>> writes; // tick, bytes
    std::vector<std::string> tx, rx;
    std::string firmwareCaption = "None";
    std::string addressCaption = "None";
    bool linkEnabled = true;
    int tick = 0;

    Page()
    {
        std::memset(&device, 0, sizeof device);
        addresses.list = {{10, 0, 0, 5}, {192, 168, 1, 20}};
        tab.ResetAtEngine();
        tab.ClearNetworkModuleInfo();
    }

    void Apply(const NetworkTabEffects& e)
    {
        for (const std::string& w : e.writes)
            writes.emplace_back(tick, w);
        tx.insert(tx.end(), e.txLines.begin(), e.txLines.end());
        rx.insert(rx.end(), e.rxLines.begin(), e.rxLines.end());
        firmwareCaption = e.firmwareVersion.value_or(firmwareCaption);
        addressCaption = e.address.value_or(addressCaption);
        linkEnabled = e.linkEnabled.value_or(linkEnabled);
    }

    // Timer ticks; with a module, what it answers to a tick's writes arrives before the next.
    void Ticks(int n, bool connectionOpen = true, FakeModule* module = nullptr)
    {
        for (int i = 0; i < n; ++i) {
            ++tick;
            const std::size_t before = writes.size();
            Apply(tab.TimerEthernetRoutineTimer(connectionOpen));
            if (module == nullptr)
                continue;
            for (std::size_t k = before; k < writes.size(); ++k)
                for (const std::string& line : module->Answer(writes[k].second))
                    Apply(tab.HandleAtReply(line));
        }
    }

    std::vector<std::string> WrittenBytes() const
    {
        std::vector<std::string> bytes;
        for (const auto& w : writes)
            bytes.push_back(w.second);
        return bytes;
    }
};

unsigned ChecksumBetweenDollarAndStar(const std::string& sentence)
{
    unsigned sum = 0;
    for (std::size_t i = 1; sentence[i] != '*'; ++i)
        sum ^= static_cast<unsigned char>(sentence[i]);
    return sum;
}

} // namespace

TEST(ConfigModeSentences, SentExactlyAsStoredWithTheirRealChecksums)
{
    EXPECT_EQ(kEnterConfigModeSentence, kEnter);
    EXPECT_EQ(kLeaveConfigModeSentence, kLeave);
    EXPECT_EQ(kEnterConfigModeSentence.size(), 22u);
    EXPECT_EQ(kLeaveConfigModeSentence.size(), 21u);
    EXPECT_EQ(ChecksumBetweenDollarAndStar(kEnter), 0x14u);
    EXPECT_EQ(ChecksumBetweenDollarAndStar(kLeave), 0x15u);
}

// Identification read-back with the module present, against a module that answers at once.
TEST(NetworkPage, ReadBackShowsVersionAndAddressThenLeavesOnThe16thTick)
{
    Page page;
    FakeModule module;
    page.Apply(page.tab.EnterNetworkPage(false, true));
    module.Answer(kEnter);
    EXPECT_FALSE(page.linkEnabled);
    EXPECT_EQ(page.device.NetworkFirmwareReceived, 0);

    page.Ticks(20, true, &module);
    const std::vector<std::pair<int, std::string>> writes{{0, kEnter}, {1, kVer}, {3, kSysIp}, {16, kLeave}};
    EXPECT_EQ(page.writes, writes);
    EXPECT_EQ(page.firmwareCaption, "V1.2.2\r\n");
    EXPECT_EQ(page.addressCaption, "192.168.1.254");
    EXPECT_TRUE(page.linkEnabled);
    EXPECT_EQ(page.rx, (std::vector<std::string>{"OK_String=V1.2.2\r\n",
                                                 "OK_String=192.168.1.254,255.255.255.0\r\n"}));
    EXPECT_EQ(page.tx, (std::vector<std::string>{kEnter, "10.0.0.5", "192.168.1.20", kLeave}));
    // What the system check's network row shows.
    EXPECT_STREQ(page.device.NetworkFirmwareVersion, "V1.2.2\r\n");
    EXPECT_EQ(page.device.NetworkFirmwareReceived, 1);
    EXPECT_FALSE(page.tab.IsConfigMode());
    EXPECT_EQ(page.tab.ConfigModeTicks(), 0);
}

TEST(NetworkPage, EnteringTwiceSendsTheEnterSentenceOnceAndQueuesTheQueriesTwice)
{
    Page page;
    page.Apply(page.tab.EnterNetworkPage(false, true));
    page.Apply(page.tab.EnterNetworkPage(false, true));
    EXPECT_EQ(page.WrittenBytes(), (std::vector<std::string>{kEnter}));
    EXPECT_EQ(page.tab.Engine().Queue().Count(), 4);
}

TEST(NetworkPage, OverRs232TheModeIsLeftAtOnceAndNoQueryGoesOut)
{
    Page page;
    page.Apply(page.tab.EnterNetworkPage(true, true));
    EXPECT_EQ(page.WrittenBytes(), (std::vector<std::string>{kEnter, kLeave}));
    EXPECT_EQ(page.tx, (std::vector<std::string>{kEnter, kLeave}));
    page.Ticks(30);
    EXPECT_EQ(page.writes.size(), 2u);
    EXPECT_FALSE(page.tab.IsConfigMode());
}

TEST(NetworkPage, LeavingNeedsTheModeAndAnOpenConnection)
{
    struct Case {
        const char* name;
        bool enter;
        bool connectionOpen;
        std::vector<std::string> writes;
        bool modeAfter;
    };
    const Case cases[] = {
        {"exit or disconnection in the mode", true, true, {kEnter, kLeave}, false},
        {"connection already closed", true, false, {kEnter}, true},
        {"mode not on", false, true, {}, false},
    };
    for (const Case& c : cases) {
        Page page;
        if (c.enter)
            page.Apply(page.tab.ButtonEnterEthConfigModeClick());
        page.Apply(page.tab.LeaveNetworkConfigMode(c.connectionOpen));
        EXPECT_EQ(page.WrittenBytes(), c.writes) << c.name;
        EXPECT_EQ(page.tab.IsConfigMode(), c.modeAfter) << c.name;
    }
}

TEST(NetworkPage, ReenteringRightAfterTheAutomaticLeaveGetsItsFull16Ticks)
{
    Page page;
    page.Apply(page.tab.EnterNetworkPage(false, true));
    page.Ticks(16);
    ASSERT_EQ(page.writes.back().second, kLeave);
    page.Apply(page.tab.EnterNetworkPage(false, true)); // before any tick outside the mode
    page.Ticks(15);
    EXPECT_TRUE(page.tab.IsConfigMode());
    page.Ticks(1);
    EXPECT_EQ(page.writes.back(), (std::pair<int, std::string>{32, kLeave}));
}

TEST(NetworkPage, WhileClosedTheLeaveWaitsAndComesWithTheFirstOpenTick)
{
    Page page;
    page.Apply(page.tab.EnterNetworkPage(false, false));
    page.Ticks(40, false);
    EXPECT_TRUE(page.tab.IsConfigMode());
    EXPECT_EQ(page.tab.ConfigModeTicks(), 40);
    page.Ticks(1, true);
    EXPECT_EQ(page.writes.back(), (std::pair<int, std::string>{41, kLeave}));
    EXPECT_FALSE(page.tab.IsConfigMode());
}

struct AddressCase {
    const char* name;
    std::string value;
    bool accepted;
    std::array<std::uint8_t, 8> bytes; // ModuleAddress afterwards
    const char* caption;               // LabelEthIP afterwards
    bool linkEnabled;
};

TEST(StoreModuleValue, AddressAnswerIsReadOnlyInItsExactForm)
{
    // Each case follows an accepted "1.2.3.4,5.6.7.8"; a refused value must leave it.
    const std::array<std::uint8_t, 8> earlier{1, 2, 3, 4, 5, 6, 7, 8};
    const AddressCase cases[] = {
        {"in the PC's group",
         "192.168.1.254,255.255.255.0\r\n",
         true,
         {192, 168, 1, 254, 255, 255, 255, 0},
         "192.168.1.254",
         true},
        {"fourth byte plays no part",
         "10.0.0.200,0.0.0.0\r\n",
         true,
         {10, 0, 0, 200, 0, 0, 0, 0},
         "10.0.0.200",
         true},
        {"third byte differs",
         "192.168.2.1,255.255.255.0\r\n",
         true,
         {192, 168, 2, 1, 255, 255, 255, 0},
         "192.168.2.1",
         false},
        {"numbers modulo 256",
         "300.168.1.2,256.-1.0.0\r\n",
         true,
         {44, 168, 1, 2, 0, 255, 0, 0},
         "44.168.1.2",
         false},
        {"spaces and letters read as atoi does",
         " 192. 168.1x.254,a.b.c.d\r\n",
         true,
         {192, 168, 1, 254, 0, 0, 0, 0},
         "192.168.1.254",
         true},
        {"five dots", "192.168.1.254,255.255.0\r\n", false, earlier, "1.2.3.4", false},
        {"seven dots", "192.168.1.254,255.255.255.0.1\r\n", false, earlier, "1.2.3.4", false},
        {"comma early", "192.168.1,254.255.255.255.0\r\n", false, earlier, "1.2.3.4", false},
        {"comma late", "192.168.1.254.255,255.0\r\n", false, earlier, "1.2.3.4", false},
        {"extra comma", "1,9.2.3.4,5.6.7\r\n", false, earlier, "1.2.3.4", false},
        {"comma before the line end", "1.2.3.4,5.6.7,8\r\n", false, earlier, "1.2.3.4", false},
        {"no carriage return", "1.2.3.4,5.6.7.8", false, earlier, "1.2.3.4", false},
        {"carriage return inside", "1.2\r.3.4,5.6.7.8\r\n", false, earlier, "1.2.3.4", false},
    };
    for (const AddressCase& c : cases) {
        Page page;
        page.Apply([&] {
            NetworkTabEffects e;
            EXPECT_EQ(page.tab.StoreModuleValue(kQueryAddress, "1.2.3.4,5.6.7.8\r\n", e), kValueAccepted);
            return e;
        }());
        NetworkTabEffects e;
        const int result = page.tab.StoreModuleValue(kQueryAddress, c.value, e);
        page.Apply(e);
        EXPECT_EQ(result, c.accepted ? kValueAccepted : kValueRefused) << c.name;
        EXPECT_EQ(page.tab.ModuleInfo().ModuleAddress, c.bytes) << c.name;
        EXPECT_EQ(page.addressCaption, c.caption) << c.name;
        EXPECT_EQ(page.linkEnabled, c.linkEnabled) << c.name;
        if (!c.accepted) {
            EXPECT_FALSE(e.address || e.linkEnabled || !e.txLines.empty()) << c.name;
        }
    }
}

TEST(StoreModuleValue, VersionAndNameAreCutToTheirFields)
{
    Page page;
    const std::string longVersion = std::string(60, 'v') + "\r\n";
    NetworkTabEffects e;
    EXPECT_EQ(page.tab.StoreModuleValue(kQueryVersion, longVersion, e), kValueAccepted);
    EXPECT_EQ(std::string(page.tab.ModuleInfo().ModuleVersionText), std::string(49, 'v'));
    EXPECT_EQ(std::string(page.device.NetworkFirmwareVersion), std::string(29, 'v'));
    EXPECT_EQ(page.device.NetworkFirmwareReceived, 1);
    EXPECT_EQ(e.firmwareVersion, std::string(29, 'v'));

    NetworkTabEffects nameEffects;
    EXPECT_EQ(page.tab.StoreModuleValue(kQueryDeviceName, std::string(70, 'n'), nameEffects), kValueAccepted);
    EXPECT_EQ(std::string(page.tab.ModuleInfo().ModuleDeviceName), std::string(49, 'n'));
    EXPECT_FALSE(nameEffects.firmwareVersion || nameEffects.address || nameEffects.linkEnabled);
}

TEST(LocalAddresses, AtMost32AreTakenInTheirOrder)
{
    Page page;
    page.addresses.list.assign(40, Ipv4Address{172, 16, 0, 1});
    page.addresses.list[32] = {192, 168, 1, 20}; // the 33rd, never taken
    NetworkTabEffects e;
    page.tab.StoreModuleValue(kQueryAddress, "192.168.1.254,255.255.255.0\r\n", e);
    EXPECT_EQ(page.tab.LocalAddresses().LocalAddressCount, 32);
    EXPECT_EQ(e.txLines.size(), 32u);
    EXPECT_EQ(e.txLines.front(), "172.16.0.1");
    EXPECT_EQ(e.linkEnabled, false);
}

TEST(WebPageLink, OpensTheModulesPageAskingFirstWhenOutsideTheGroup)
{
    struct Case {
        const char* name;
        std::vector<Ipv4Address> pc;
        bool deviceReady;
        std::optional<bool> confirm; // none: the click does nothing
    };
    const Case cases[] = {
        {"same group", {{192, 168, 1, 20}}, true, false},
        {"other group", {{192, 168, 7, 20}}, true, true},
        {"no address at all", {}, true, true},
        {"device not ready", {{192, 168, 1, 20}}, false, std::nullopt},
    };
    for (const Case& c : cases) {
        Page page;
        page.addresses.list = c.pc;
        NetworkTabEffects e;
        page.tab.StoreModuleValue(kQueryAddress, "192.168.1.254,255.255.255.0\r\n", e);
        const auto request = page.tab.LabelEthernetSettingButtonClick(c.deviceReady);
        ASSERT_EQ(request.has_value(), c.confirm.has_value()) << c.name;
        if (!request)
            continue;
        EXPECT_EQ(request->confirmOtherGroup, *c.confirm) << c.name;
        EXPECT_EQ(request->address, "http://192.168.1.254") << c.name;
        EXPECT_EQ(request->effects.txLines.size(), c.pc.size()) << c.name;
    }
}

TEST(RawModuleLine, TextThenLineFeedThenZeroByte)
{
    EXPECT_EQ(RawModuleLine("AT+DEVNAME"), std::string("AT+DEVNAME\n\0", 12));
    EXPECT_EQ(RawModuleLine(""), std::string("\n\0", 2));
}
