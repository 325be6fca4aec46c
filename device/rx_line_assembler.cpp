#include "device/rx_line_assembler.h"

#include <algorithm>
#include <utility>

namespace m47::device {

void RxLineAssembler::SetConsumer(LineConsumer slot, Consumer consumer)
{
    consumers_.at(static_cast<std::size_t>(slot)) = std::move(consumer);
}

void RxLineAssembler::SetLogTap(LogTap tap)
{
    logTap_ = std::move(tap);
}

std::size_t RxLineAssembler::Receive(std::size_t count, const ReadFunction& read)
{
    std::array<char, kReadPieceSize> piece;
    std::size_t total = 0;
    std::size_t remaining = count;
    while (remaining > 0) {
        const int want = static_cast<int>(std::min(remaining, piece.size()));
        const int got = read(piece.data(), want);
        if (got < 1)
            break;
        const auto n = static_cast<std::size_t>(std::min(got, want));
        Feed(std::string_view(piece.data(), n));
        total += n;
        remaining -= n;
    }
    return total;
}

void RxLineAssembler::Feed(std::string_view bytes)
{
    queued_.append(bytes);
    if (assembling_)
        return; // a consumer fed us; the outer call assembles these bytes after its own
    // Should a consumer throw, the rest of the bytes is dropped and the next call starts clean.
    struct Done {
        RxLineAssembler& self;
        ~Done()
        {
            self.queued_.clear();
            self.assembling_ = false;
        }
    } done{*this};
    assembling_ = true;
    // Index access: a consumer may append to queued_ and move its storage.
    for (std::size_t i = 0; i < queued_.size(); ++i)
        Assemble(queued_[i]);
}

void RxLineAssembler::Assemble(char byte)
{
    switch (byte) {
    case '\0':
    case '\r': return;
    case '\n': FinishLine(); return;
    default:
        if (line_.size() < kMaxStoredLength)
            line_.push_back(byte);
        ++lineLength_;
    }
}

void RxLineAssembler::FinishLine()
{
    // Take the line out first so a consumer that feeds more bytes starts a fresh one.
    const std::string text = std::exchange(line_, {});
    const std::size_t length = std::exchange(lineLength_, 0);

    if (logTap_)
        logTap_(text);
    if (length > kMaxDispatchLength)
        return;

    std::array<LineBuffer, kLineConsumerCount> copies{};
    for (auto& copy : copies) {
        std::copy(text.begin(), text.end(), copy.begin());
        copy[text.size()] = '\r';
        copy[text.size() + 1] = '\n';
    }
    for (std::size_t i = 0; i < kLineConsumerCount; ++i) {
        if (consumers_[i])
            consumers_[i](copies[i].data());
    }
}

} // namespace m47::device
