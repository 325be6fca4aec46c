// libFuzzer target: arbitrary received lines and timer ticks through the network tab, its AT
// engine and StoreModuleValue.
//
// Bytes 0x01 to 0x08 are the window's steps; every other byte is line text, assembled as the
// receive path does it (a line ends at LF, CR and NUL vanish, lines above 82 characters are
// dropped) and handed to HandleAtReply with CR LF. Each finished line also goes straight to
// StoreModuleValue, unbounded, as the answer of the query its length picks.
//
//   01 tick (connected)   02 tick (no connection)   03 NETWORK page over USB   04 over RS-232
//   05 leave              06 link clicked           07 module query            08 swap PC list
//
// After every step the engine's and the tab's texts must be terminated inside their fields, the
// ring must hold at most 19 jobs, and every byte written must be one of the known lines.

#include "netmodule/network_tab.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

using namespace m47::netmodule;

namespace {

constexpr std::size_t kMaxLine = 82;

struct FuzzAddresses final : LocalAddressSource {
    bool many = false; // more addresses than the table holds
    std::vector<Ipv4Address> LocalIpv4Addresses() const override
    {
        if (many)
            return std::vector<Ipv4Address>(40, Ipv4Address{192, 168, 1, 7});
        return {{10, 0, 0, 5}, {192, 168, 1, 20}};
    }
};

template <std::size_t N>
void RequireTerminated(const char (&text)[N])
{
    if (std::memchr(text, '\0', N) == nullptr)
        __builtin_trap();
}

bool IsKnownWrite(std::string_view bytes)
{
    if (bytes == kEnterConfigModeSentence || bytes == kLeaveConfigModeSentence)
        return true;
    for (const AtQuery& q : kAtQueries) {
        if (bytes == q.line)
            return true;
    }
    return false;
}

void Check(const NetworkTab& tab, const m47::device::DeviceInfo& device, const NetworkTabEffects& e)
{
    for (const std::string& w : e.writes) {
        if (!IsKnownWrite(w))
            __builtin_trap();
    }
    const AtEngine& engine = tab.Engine();
    if (engine.Queue().Count() > AtQueue::kMaxWaiting || tab.ConfigModeTicks() < 0 ||
        tab.LocalAddresses().LocalAddressCount > static_cast<int>(LocalAddressTable::kMaxAddresses))
        __builtin_trap();
    RequireTerminated(engine.Reply().value);
    RequireTerminated(engine.Reply().CommandText);
    RequireTerminated(tab.ModuleInfo().ModuleVersionText);
    RequireTerminated(tab.ModuleInfo().ModuleDeviceName);
    RequireTerminated(device.NetworkFirmwareVersion);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    m47::device::DeviceInfo device{};
    FuzzAddresses addresses;
    NetworkTab tab(device, addresses);
    tab.ResetAtEngine();
    tab.ClearNetworkModuleInfo();

    std::string line;
    const auto step = [&](const NetworkTabEffects& e) { Check(tab, device, e); };
    for (std::size_t i = 0; i < size; ++i) {
        const char c = static_cast<char>(data[i]);
        switch (c) {
        case '\x01': step(tab.TimerEthernetRoutineTimer(true)); continue;
        case '\x02': step(tab.TimerEthernetRoutineTimer(false)); continue;
        case '\x03': step(tab.EnterNetworkPage(false, true)); continue;
        case '\x04': step(tab.EnterNetworkPage(true, true)); continue;
        case '\x05': step(tab.LeaveNetworkConfigMode(true)); continue;
        case '\x06':
            if (const auto request = tab.LabelEthernetSettingButtonClick(true))
                step(request->effects);
            continue;
        case '\x07':
            tab.ButtonCMD1Click();
            step({});
            continue;
        case '\x08': addresses.many = !addresses.many; continue;
        case '\r':
        case '\0': continue;
        case '\n': break;
        default: line.push_back(c); continue;
        }
        const std::string received = line + "\r\n";
        if (line.size() <= kMaxLine)
            step(tab.HandleAtReply(received));
        NetworkTabEffects direct;
        tab.StoreModuleValue(static_cast<std::int32_t>(1 + line.size() % 3), received, direct);
        step(direct);
        line.clear();
    }
    return 0;
}
