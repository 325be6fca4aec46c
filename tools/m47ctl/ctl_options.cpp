#include "ctl_options.h"

#include "device/command_sentences.h"

#include <algorithm>
#include <charconv>
#include <functional>
#include <string_view>

namespace m47::ctl {

namespace {

bool ToInt(std::string_view text, int low, int high, int& value)
{
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size() && value >= low && value <= high;
}

// "COM200", "com200" or "200".
bool ToComNumber(std::string_view text, int& com)
{
    if (text.size() > 3 && std::equal(text.begin(), text.begin() + 3, "COM",
                                      [](char a, char b) { return (a & ~0x20) == b; }))
        text.remove_prefix(3);
    return ToInt(text, 1, 255, com);
}

bool ToRate(std::string_view text, std::optional<int>& rate, int (*itemOfRate)(int))
{
    int value = 0;
    if (!ToInt(text, 1, 1000000, value) || itemOfRate(value) < 0)
        return false;
    rate = value;
    return true;
}

bool ToChoice(std::string_view text, std::string_view set, std::string_view clear, std::optional<bool>& flag)
{
    if (text != set && text != clear)
        return false;
    flag = text == set;
    return true;
}

bool ToGroups(std::string_view text, std::array<bool, 3>& groups)
{
    constexpr std::string_view kGroups[] = {"baud", "gps", "network"};
    while (!text.empty()) {
        const auto comma = text.find(',');
        const std::string_view name = text.substr(0, comma);
        const auto* found = std::find(std::begin(kGroups), std::end(kGroups), name);
        if (found == std::end(kGroups))
            return false;
        groups[static_cast<std::size_t>(found - std::begin(kGroups))] = true;
        text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
    }
    return groups[0] || groups[1] || groups[2];
}

struct Option {
    const char* name;
    const char* argument; // nullptr: a flag
    const char* help;
    std::function<bool(CtlOptions&, std::string_view)> apply;
    bool programming = false; // only for program
};

const std::vector<Option>& Options()
{
    using O = CtlOptions;
    using V = std::string_view;
    static const std::vector<Option> options = {
        {"--port", "COMn", "the receiver's port, as m47ctl list shows it",
         [](O& o, V v) { return ToComNumber(v, o.comNumber); }},
        {"--interface", "usb|rs232", "how the receiver is cabled (default usb)",
         [](O& o, V v) {
             std::optional<bool> rs232;
             return ToChoice(v, "rs232", "usb", rs232) && ((o.rs232 = *rs232), true);
         }},
        {"--baud", "RATE", "the PC's rate over RS-232: 115200, 57600, 38400, 19200, 9600, 4800",
         // The window offers the PC the rates of the receiver's RS-232 port.
         [](O& o, V v) { return ToInt(v, 1, 1000000, o.pcBaudRate) && device::Rs232ItemOfRate(o.pcBaudRate) >= 0; }},
        {"--timeout", "SECONDS", "give up after this long (default 60)",
         [](O& o, V v) { return ToInt(v, 1, 86400, o.timeoutSeconds); }},
        {"--json", nullptr, "write the result as JSON", [](O& o, V) { return o.json = true; }},
        {"--verbose", nullptr, "trace every line sent and received, with its UTC time, on stderr",
         [](O& o, V) { return o.verbose = true; }},
        {"--network", nullptr, "read: also the network module's version and address",
         [](O& o, V) { return o.network = true; }},
        {"--rs232", "RATE", "program: the receiver's RS-232 rate, 115200 ... 4800",
         [](O& o, V v) { return ToRate(v, o.program.rs232BaudRate, device::Rs232ItemOfRate); }, true},
        {"--nmea", "RATE", "program: the receiver's NMEA rate, 38400, 9600 or 4800",
         [](O& o, V v) { return ToRate(v, o.program.nmeaBaudRate, device::NmeaItemOfRate); }, true},
        {"--gps", "on|off", "program: the internal GPS",
         [](O& o, V v) { return ToChoice(v, "on", "off", o.program.gpsEnabled); }, true},
        {"--gps-mode", "sea|high", "program: GPS mode, at sea level or altitude higher than 500 m",
         [](O& o, V v) { return ToChoice(v, "sea", "high", o.program.gpsAtSeaLevel); }, true},
        {"--restore", "GROUPS", "program: factory values of baud,gps,network (comma-separated)",
         [](O& o, V v) { return ToGroups(v, o.program.restore); }, true},
    };
    return options;
}

std::optional<Command> CommandOf(const std::vector<std::string>& args, std::size_t& next, CtlOptions& options)
{
    const struct {
        std::string_view word;
        Command command;
    } kCommands[] = {{"list", Command::List}, {"identify", Command::Identify}, {"read", Command::Read},
                     {"program", Command::Program}, {"help", Command::Help}, {"--help", Command::Help},
                     {"-h", Command::Help}};
    if (args.empty())
        return std::nullopt;
    next = 1;
    if (args[0] == "profile") {
        if (args.size() < 3 || (args[1] != "save" && args[1] != "apply"))
            return std::nullopt;
        options.profilePath = args[2];
        next = 3;
        return args[1] == "save" ? Command::ProfileSave : Command::ProfileApply;
    }
    for (const auto& c : kCommands)
        if (args[0] == c.word)
            return c.command;
    return std::nullopt;
}

// What the options together must make sense as, beyond each value.
std::string Inconsistency(const CtlOptions& o, bool programmingOptions)
{
    const ProgramRequest& p = o.program;
    if (o.command != Command::List && o.command != Command::Help && o.comNumber < 0)
        return "--port is needed";
    if (o.command != Command::Program && programmingOptions)
        return "settings are only for program";
    if (o.command == Command::Program && !p.ChangesBaudRates() && !p.ChangesGps() && !p.Restores())
        return "program needs --rs232, --nmea, --gps, --gps-mode or --restore";
    if (p.Restores() && (p.ChangesBaudRates() || p.ChangesGps()))
        return "--restore goes alone";
    if (o.network && o.command != Command::Read)
        return "--network is only for read";
    return {};
}

} // namespace

std::optional<CtlOptions> ParseArguments(const std::vector<std::string>& args, std::string& error)
{
    CtlOptions options;
    std::size_t i = 0;
    const auto command = CommandOf(args, i, options);
    if (!command) {
        error = args.empty() ? "no command given" : "unknown command " + args[0];
        return std::nullopt;
    }
    options.command = *command;
    bool programmingOptions = false;
    for (; i < args.size(); ++i) {
        const auto& table = Options();
        const auto found =
            std::find_if(table.begin(), table.end(), [&](const Option& o) { return args[i] == o.name; });
        if (found == table.end()) {
            error = "unknown option " + args[i];
            return std::nullopt;
        }
        std::string value;
        if (found->argument) {
            if (++i >= args.size()) {
                error = std::string(found->name) + " needs " + found->argument;
                return std::nullopt;
            }
            value = args[i];
        }
        if (!found->apply(options, value)) {
            error = "bad value for " + std::string(found->name) + ": " + value;
            return std::nullopt;
        }
        programmingOptions = programmingOptions || found->programming;
    }
    error = Inconsistency(options, programmingOptions);
    if (!error.empty())
        return std::nullopt;
    return options;
}

std::string HelpText()
{
    constexpr std::size_t kHelpColumn = 27; // where the commands' texts start too
    std::string text =
        "Usage: m47ctl COMMAND [OPTION]...\n"
        "Configures a Veldra M47 AIS receiver from a script, as the configurator window does.\n\n"
        "Commands:\n"
        "  list                     the serial ports, with their COM numbers and names\n"
        "  identify --port COMn     the product information\n"
        "  read --port COMn         the product information; with --network the network module's too\n"
        "  program --port COMn      sends the settings, waits for the restart, reads them back and\n"
        "                           verifies them\n"
        "  profile save FILE        writes the programmable settings to a JSON profile\n"
        "  profile apply FILE       programs and verifies a profile's settings\n\n"
        "Options:\n";
    for (const auto& o : Options()) {
        std::string head = std::string("  ") + o.name + (o.argument ? std::string(" ") + o.argument : "");
        head.resize(std::max(head.size() + 1, kHelpColumn), ' ');
        text += head + o.help + "\n";
    }
    text += "\nExit status:\n"
            "  0  done (program: the device reports every value as programmed)\n"
            "  1  device error, a value the device reports differs, or the profile cannot be written\n"
            "  2  wrong command line, or a profile that cannot be read\n"
            "  3  port not available: missing, refused, busy, or gone\n"
            "  4  time-out: the device did not answer in time\n"
            "Messages on stderr name the port and the reason.\n";
    return text;
}

} // namespace m47::ctl
