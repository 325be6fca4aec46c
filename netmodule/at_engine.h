#pragma once
// The AT command engine: queries to the network module, sent one at a time on the 100 ms timer,
// sent a second time when unanswered, and the received lines classified as their answers.
//
//   tool:    AT+VER LF
//   device:  >AT+VER CR LF          echo of the command, prefixed with ">"
//            +ok=V1.2.2 CR LF       "+ok=" and a value, a bare "+ok", "+err", or plain text
//
// The engine writes to no port: a tick returns the bytes to send, and an accepted answer value
// goes to the ModuleValueStore, which shows and keeps it.

#include "netmodule/at_queue.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace m47::netmodule {

// The queries the module understands, by code. Each line ends in a single LF, no CR.
struct AtQuery {
    std::int32_t code;
    std::string_view command; // command text, also what the device echoes after ">"
    std::string_view line;    // what is sent
};
inline constexpr std::int32_t kQueryVersion = 1;
inline constexpr std::int32_t kQueryAddress = 2;
inline constexpr std::int32_t kQueryDeviceName = 3;
inline constexpr std::array<AtQuery, 3> kAtQueries{{
    {kQueryVersion, "AT+VER", "AT+VER\n"},
    {kQueryAddress, "AT+SYSIP", "AT+SYSIP\n"},
    {kQueryDeviceName, "AT+DEVNAME", "AT+DEVNAME\n"},
}};
// The table entry of `code`, or null for a code the module does not know.
const AtQuery* FindAtQuery(std::int32_t code);

// Every queued job may be sent twice and waits five ticks after each send.
inline constexpr std::uint8_t kJobRetries = 1;
inline constexpr std::int32_t kJobTickLimit = 5;

enum class AtReplyKind : std::int32_t { None, String, OK, OK_String, Err };
// The label shown for a kind in MemoEthernetRx: "None", "String", "OK", "OK_String", "Err".
std::string_view AtReplyKindLabel(AtReplyKind kind);

// The answer to the query in flight.
struct AtReply {
    std::int32_t query = 0;    // code of the query last sent; 0 = no answer awaited
    char CommandText[30] = {}; // its command text, no line end
    bool EchoSeen = false;     // the device's echo of the command has arrived
    AtReplyKind kind = AtReplyKind::None;
    char value[100] = {}; // value of the last answer line, CR LF included, cut to 99
};

// Takes an answer value (its CR LF included) for the query of that code.
inline constexpr int kValueAccepted = 0;
inline constexpr int kValueRefused = -1;
class ModuleValueStore
{
public:
    virtual ~ModuleValueStore() = default;
    // kValueAccepted, or kValueRefused when the value has the wrong form (nothing is changed).
    virtual int StoreModuleValue(std::int32_t query, std::string_view value) = 0;
};

class AtEngine
{
public:
    // Mode off, queue emptied, current job and answer cleared.
    void ResetAtEngine();
    void SetConfigMode(bool active) { ConfigModeActive = active; }
    bool IsConfigMode() const { return ConfigModeActive; }

    // Appends a job for `code`; dropped when 19 jobs wait, and for a code not in kAtQueries.
    void QueueAtQuery(std::int32_t code);

    // One 100 ms step. Returns the bytes to write to the device now, empty for none. It runs
    // whether or not the mode is on or a port is open.
    std::string_view AtEngineTick();

    // Marks the current job done; the next tick clears it.
    void FinishAtJob();

    // Classifies one received line (ending in CR LF) while the mode is on and a query is in
    // flight. Returns the line for MemoEthernetRx ("<label>=<value>"), if the line was an answer
    // that is shown.
    std::optional<std::string> HandleAtReply(std::string_view line, ModuleValueStore& store);

    const AtJob& CurrentJob() const { return current_; }
    const AtReply& Reply() const { return reply_; }
    const AtQueue& Queue() const { return queue_; }

private:
    bool ConfigModeActive = false;
    AtQueue queue_;
    AtJob current_;
    AtReply reply_;
};

} // namespace m47::netmodule
