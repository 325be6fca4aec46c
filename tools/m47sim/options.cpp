#include "options.h"

#include "replay.h"

#include <charconv>
#include <cmath>
#include <functional>
#include <string_view>

namespace m47sim {

namespace {

struct Option {
    const char* name;
    const char* argument; // nullptr: a flag
    const char* help;
    std::function<bool(CommandLine&, const std::string&)> apply;
};

bool ToInt(const std::string& text, long low, long high, long& value)
{
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size() && value >= low && value <= high;
}

bool ToDouble(const std::string& text, double low, double high, double& value)
{
    try {
        size_t used = 0;
        value = std::stod(text, &used);
        return used == text.size() && std::isfinite(value) && value >= low && value <= high;
    } catch (const std::exception&) {
        return false;
    }
}

std::optional<std::chrono::milliseconds> Seconds(const std::string& text)
{
    double seconds = 0;
    if (!ToDouble(text, 0.0, 86400.0, seconds))
        return std::nullopt;
    return std::chrono::milliseconds(std::lround(seconds * 1000.0));
}

bool SetSeconds(std::chrono::milliseconds& target, const std::string& text)
{
    const auto value = Seconds(text);
    if (value)
        target = *value;
    return value.has_value();
}

bool SetBaud(int& code, const std::string& text, bool nmeaPort)
{
    long rate = 0;
    if (!ToInt(text, 0, 1000000, rate))
        return false;
    const auto found = BaudCodeOfRate(static_cast<int>(rate));
    if (!found || (nmeaPort && !IsNmeaBaudCode(*found)))
        return false;
    code = *found;
    return true;
}

bool SetText(std::string& target, const std::string& text, size_t maxLength)
{
    // Texts end up inside sentences: no framing characters, and short enough for one line.
    if (text.size() > maxLength || text.find_first_of("*$!\r\n,") != std::string::npos)
        return false;
    target = text;
    return true;
}

const std::vector<Option>& Options()
{
    using L = CommandLine;
    using S = const std::string&;
    static const std::vector<Option> options = {
        {"--com", "N", "COM number to publish, 1..255 (default 200)",
         [](L& l, S v) {
             long n;
             return ToInt(v, 1, 255, n) && ((l.simulator.comNumber = static_cast<int>(n)), true);
         }},
        {"--name", "TEXT", "friendly port name; \" (COMn)\" is added (default \"Veldra M47 Simulator\")",
         [](L& l, S v) {
             l.simulator.friendlyName = v;
             return !v.empty();
         }},
        {"--ports-dir", "DIR",
         "virtual-port folder (default $M47_PORTS_DIR, else $XDG_RUNTIME_DIR/veldra-m47/ports)",
         [](L& l, S v) {
             l.simulator.portsFolder = v;
             return !v.empty();
         }},
        {"--firmware", "TEXT", "firmware version reported as FIRMWARE= (default \"M47 V1.05.12\")",
         [](L& l, S v) { return SetText(l.state.firmware, v, 40); }},
        {"--serial", "TEXT", "serial number reported as SERIAL NO.= (default \"M47A2612000047\")",
         [](L& l, S v) { return SetText(l.state.serialNumber, v, 40); }},
        {"--rs232-baud", "RATE",
         "RS-232 port rate: 115200, 57600, 38400, 19200, 9600 or 4800 (default 38400)",
         [](L& l, S v) { return SetBaud(l.state.rs232BaudCode, v, false); }},
        {"--nmea-baud", "RATE", "NMEA port rate: 38400, 9600 or 4800 (default 38400)",
         [](L& l, S v) { return SetBaud(l.state.nmeaBaudCode, v, true); }},
        {"--gps-disabled", nullptr, "internal GPS switched off (GPS_DISABLE=ON: no GNSS sentences, no VDO)",
         [](L& l, S) {
             l.state.gpsDisabled = true;
             return true;
         }},
        {"--gps-nav-status", "N", "GPS mode: 5 at sea level, 4 altitude higher than 500 m (default 5)",
         [](L& l, S v) {
             long n;
             return ToInt(v, 4, 5, n) && ((l.state.gpsNavStatus = static_cast<int>(n)), true);
         }},
        {"--no-network-module", nullptr, "no network module fitted (ETH_MODULE=OFF, AT lines ignored)",
         [](L& l, S) {
             l.state.network.fitted = false;
             return true;
         }},
        {"--net-version", "TEXT", "network module firmware, answer of AT+VER (default V1.2.2)",
         [](L& l, S v) { return SetText(l.state.network.version, v, 40); }},
        {"--net-ip", "A.B.C.D", "network module address, first group of AT+SYSIP (default 192.168.1.254)",
         [](L& l, S v) { return SetText(l.state.network.address, v, 15); }},
        {"--net-mask", "A.B.C.D", "second group of the AT+SYSIP answer (default 255.255.255.0)",
         [](L& l, S v) { return SetText(l.state.network.netmask, v, 15); }},
        {"--net-name", "TEXT", "network module name, answer of AT+DEVNAME (default M47-NET)",
         [](L& l, S v) { return SetText(l.state.network.deviceName, v, 40); }},
        {"--mmsi", "N", "own ship MMSI in the VDO reports (default 416000047)",
         [](L& l, S v) {
             long n;
             return ToInt(v, 1, 999999999, n) &&
                    ((l.device.streams.ownMmsi = static_cast<uint32_t>(n)), true);
         }},
        {"--latitude", "DEG", "own ship's start latitude, north positive (default 25.0415)",
         [](L& l, S v) { return ToDouble(v, -80.0, 80.0, l.device.streams.own.latitude); }},
        {"--longitude", "DEG", "own ship's start longitude, east positive (default 121.7622)",
         [](L& l, S v) { return ToDouble(v, -180.0, 180.0, l.device.streams.own.longitude); }},
        {"--speed", "KNOTS", "own ship's speed over ground (default 12.3)",
         [](L& l, S v) { return ToDouble(v, 0.0, 102.2, l.device.streams.own.speed); }},
        {"--course", "DEG", "own ship's start course over ground (default 84)",
         [](L& l, S v) { return ToDouble(v, 0.0, 359.9, l.device.streams.own.course); }},
        {"--silent", nullptr, "no streams at all; the device still answers",
         [](L& l, S) {
             l.device.streams.gnss = l.device.streams.ais = false;
             return true;
         }},
        {"--no-gnss", nullptr, "no GNSS sentences",
         [](L& l, S) {
             l.device.streams.gnss = false;
             return true;
         }},
        {"--no-ais", nullptr, "no VDM or VDO sentences",
         [](L& l, S) {
             l.device.streams.ais = false;
             return true;
         }},
        {"--gps-only", nullptr, "GPS satellites only (default GPS and GLONASS)",
         [](L& l, S) {
             l.device.streams.glonass = false;
             return true;
         }},
        {"--no-fix", nullptr, "the GPS has no position (RMC status V, GGA quality 0, GSA mode 1)",
         [](L& l, S) {
             l.device.streams.fix = false;
             return true;
         }},
        {"--empty-sector", "DEG",
         "no AIS target heard whose bearing from the own ship lies from DEG to DEG + 30 degrees true",
         [](L& l, S v) {
             double start = 0.0;
             return ToDouble(v, 0.0, 359.9, start) && ((l.device.streams.emptySector = start), true);
         }},
        {"--period", "SECONDS", "time between two epochs of the streams (default 1)",
         [](L& l, S v) {
             return SetSeconds(l.device.streams.period, v) && l.device.streams.period.count() > 0;
         }},
        {"--replay", "FILE", "send the lines of a saved log (\"#\" comments skipped) instead of the streams",
         [](L& l, S v) {
             l.replayPath = v;
             return !v.empty();
         }},
        {"--replay-fast", nullptr, "replay as fast as the port takes the lines (default: the log's own pace)",
         [](L& l, S) {
             l.replayFast = true;
             return true;
         }},
        {"--replay-loop", nullptr, "start the log over at its end",
         [](L& l, S) {
             l.replayLoop = true;
             return true;
         }},
        {"--reply-delay", "SECONDS", "delay before answers to queries and commands (default 0.15)",
         [](L& l, S v) { return SetSeconds(l.device.replyDelay, v); }},
        {"--restart-pause", "SECONDS", "how long the port is away when the device restarts (default 3)",
         [](L& l, S v) { return SetSeconds(l.simulator.restartPause, v); }},
        {"--no-identify", nullptr, "fault: never answer the identification query",
         [](L& l, S) {
             l.device.answerIdentification = false;
             return true;
         }},
        {"--ignore-programming", nullptr,
         "fault: answer programming sentences with the restart but keep every setting",
         [](L& l, S) {
             l.device.takeProgramming = false;
             return true;
         }},
        {"--fault", "LIST",
         "faults, comma-separated: noise (random bytes), nul (NUL bytes), cr (stray CRs), "
         "checksum (wrong checksums), long (over-long lines), split (writes cut at random bytes)",
         [](L& l, S v) {
             std::string_view rest = v;
             while (!rest.empty()) {
                 const auto comma = rest.find(',');
                 if (!EnableFault(l.simulator.faults, rest.substr(0, comma)))
                     return false;
                 rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
             }
             return true;
         }},
        {"--fault-rate", "P", "share of lines a fault hits, 0..1 (default 0.2)",
         [](L& l, S v) { return ToDouble(v, 0.0, 1.0, l.simulator.faults.rate); }},
        {"--seed", "N", "seed of the fault randomness (default 47)",
         [](L& l, S v) {
             long n;
             return ToInt(v, 0, 0xFFFFFFFFL, n) &&
                    ((l.simulator.faults.seed = static_cast<uint32_t>(n)), true);
         }},
        {"--flood", nullptr, "fault: send epoch after epoch as fast as the port takes them",
         [](L& l, S) {
             l.device.streams.flood = true;
             return true;
         }},
        {"--vanish-after", "SECONDS", "fault: unplug the port this long after the start",
         [](L& l, S v) { return (l.simulator.vanishAfter = Seconds(v)).has_value(); }},
        {"--vanish-for", "SECONDS", "come back this long after unplugging (default: stay away until SIGUSR1)",
         [](L& l, S v) { return (l.simulator.vanishFor = Seconds(v)).has_value(); }},
        {"--transcript", "FILE", "record every byte received, with timestamps, into FILE",
         [](L& l, S v) {
             l.simulator.transcriptPath = v;
             return !v.empty();
         }},
        {"--help", nullptr, "show this help",
         [](L& l, S) {
             l.help = true;
             return true;
         }},
    };
    return options;
}

} // namespace

std::optional<CommandLine> ParseCommandLine(const std::vector<std::string>& args, std::string& error)
{
    CommandLine line;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string name = args[i] == "-h" ? "--help" : args[i];
        const Option* option = nullptr;
        for (const auto& o : Options())
            if (name == o.name)
                option = &o;
        if (!option) {
            error = "unknown option " + args[i];
            return std::nullopt;
        }
        std::string value;
        if (option->argument) {
            if (++i >= args.size()) {
                error = name + " needs " + option->argument;
                return std::nullopt;
            }
            value = args[i];
        }
        if (!option->apply(line, value)) {
            error = "bad value for " + name + ": " + value;
            return std::nullopt;
        }
    }
    return line;
}

std::string HelpText()
{
    constexpr size_t kHelpColumn = 28;
    std::string text =
        "Usage: m47sim [OPTION]...\n"
        "A virtual Veldra M47 AIS receiver on a pseudo-terminal, published as a COM port in the\n"
        "virtual-port folder. Runs until stopped (SIGINT or SIGTERM); SIGUSR1 unplugs the port and,\n"
        "sent again, plugs it back.\n\n";
    for (const auto& o : Options()) {
        std::string head = std::string("  ") + o.name + (o.argument ? std::string(" ") + o.argument : "");
        if (head.size() < kHelpColumn)
            head.resize(kHelpColumn, ' ');
        else
            head += "\n" + std::string(kHelpColumn, ' ');
        text += head + o.help + "\n";
    }
    text += std::string("  -h").append(kHelpColumn - 4, ' ') + "same as --help\n";
    return text;
}

std::unique_ptr<Device> MakeDevice(const CommandLine& line, Clock::time_point start, std::string& error)
{
    auto device = std::make_unique<Device>(line.state, DeviceState{}, line.device, start);
    if (!line.replayPath.empty()) {
        auto replay = ReplaySource::Open(line.replayPath, line.replayFast, line.replayLoop);
        if (!replay) {
            error = "cannot read " + line.replayPath;
            return nullptr;
        }
        device->SetReplay(std::move(replay));
    }
    return device;
}

} // namespace m47sim
