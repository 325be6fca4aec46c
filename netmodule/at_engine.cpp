#include "netmodule/at_engine.h"

#include "device/device_info.h"
#include "device/text_rules.h"

namespace m47::netmodule {

namespace {

constexpr std::array<std::string_view, 5> kKindLabels{"None", "String", "OK", "OK_String", "Err"};

// Whether `line` holds ">" immediately followed by `command`, anywhere.
bool ContainsEcho(std::string_view line, std::string_view command)
{
    for (auto at = line.find('>'); at != std::string_view::npos; at = line.find('>', at + 1)) {
        if (line.substr(at + 1, command.size()) == command)
            return true;
    }
    return false;
}

} // namespace

const AtQuery* FindAtQuery(std::int32_t code)
{
    for (const AtQuery& q : kAtQueries) {
        if (q.code == code)
            return &q;
    }
    return nullptr;
}

std::string_view AtReplyKindLabel(AtReplyKind kind)
{
    const auto index = static_cast<std::size_t>(kind);
    return index < kKindLabels.size() ? kKindLabels[index] : std::string_view{};
}

void AtEngine::ResetAtEngine()
{
    ConfigModeActive = false;
    queue_.Clear();
    current_ = {};
    reply_ = {};
}

void AtEngine::QueueAtQuery(std::int32_t code)
{
    // Only known codes are queued: an unknown one would have no line to send.
    if (FindAtQuery(code) == nullptr)
        return;
    AtJob job;
    job.query = code;
    job.RetriesLeft = kJobRetries;
    job.TickLimit = kJobTickLimit;
    queue_.Push(job);
}

std::string_view AtEngine::AtEngineTick()
{
    if (current_.query == 0) {
        if (queue_.Empty())
            return {};
        current_ = queue_.Pop();
    }
    std::string_view send;
    if (!current_.sent) {
        // A send, first or repeated, waits for a fresh echo and answer.
        reply_ = {};
        reply_.query = current_.query;
        const AtQuery* q = FindAtQuery(current_.query);
        device::SetText(reply_.CommandText, q->command);
        send = q->line;
        current_.sent = true;
    }
    if (++current_.ticks > current_.TickLimit) {
        current_.ticks = 0;
        if (current_.RetriesLeft > 0) {
            --current_.RetriesLeft;
            current_.sent = false;
        } else {
            current_.done = true;
        }
    }
    if (current_.done)
        current_.query = 0;
    return send;
}

void AtEngine::FinishAtJob()
{
    current_.done = true;
}

std::optional<std::string> AtEngine::HandleAtReply(std::string_view line, ModuleValueStore& store)
{
    using device::Contains;
    if (!ConfigModeActive || reply_.query == 0)
        return std::nullopt;
    if (ContainsEcho(line, reply_.CommandText)) {
        reply_.EchoSeen = true;
        return std::nullopt;
    }
    if (!reply_.EchoSeen)
        return std::nullopt;
    if (Contains(line, "+err")) {
        reply_.kind = AtReplyKind::Err;
        FinishAtJob();
        return std::nullopt;
    }
    if (Contains(line, "+ok=")) {
        // The module starts its line with "+ok="; the four characters go, the value stays.
        reply_.kind = AtReplyKind::OK_String;
        device::SetText(reply_.value, line.substr(4));
    } else if (Contains(line, "+ok")) {
        reply_.kind = AtReplyKind::OK; // the value keeps what an earlier line of the query left
    } else {
        reply_.kind = AtReplyKind::String;
        device::SetText(reply_.value, line);
    }
    const std::string_view value = reply_.value;
    std::string memo = std::string(AtReplyKindLabel(reply_.kind)).append("=").append(value);
    if (reply_.kind != AtReplyKind::OK && store.StoreModuleValue(reply_.query, value) == kValueAccepted) {
        reply_.EchoSeen = false;
        FinishAtJob();
    }
    return memo;
}

} // namespace m47::netmodule
