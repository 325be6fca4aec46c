#pragma once
// Turns the device's byte stream into text lines and hands each one to the four line consumers.
//
//   bytes:  $GPGSV,3,1,...*7A CR LF $PCVN,R,TXT,PROD. INFO. END*.. CR LF
//   line:   "$GPGSV,3,1,...*7A\r\n"  -> log tap (without CR LF), then consumers 1..4
//
// NUL and CR bytes are dropped wherever they occur, LF ends a line. Every line goes to the log
// tap; a line of at most 82 characters is re-terminated with CR LF and given to the consumers in
// their fixed order, each with its own copy, all copies taken before the first consumer runs.
// Longer lines reach only the log tap. The line in progress survives between notifications
// and connections.

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace m47::device {

// Consumers, in the order they see each line.
enum class LineConsumer : std::size_t {
    GpsStatus,      // UpdateGpsStatus
    Identification, // AdvanceIdentification
    Configuration,  // ParseConfigurationLine
    AtReply,        // HandleAtReply
};
inline constexpr std::size_t kLineConsumerCount = 4;

class RxLineAssembler
{
public:
    // Longest line text (without CR LF) that is dispatched to the consumers.
    static constexpr std::size_t kMaxDispatchLength = 82;
    // Each consumer's line buffer: the line, CR, LF and NUL, with room for the sentence library
    // to lengthen the line in place (it marks empty fields and may grow a line to 98 characters).
    static constexpr std::size_t kLineBufferSize = 100;
    // An over-long line is kept for the log only up to this many characters; the rest of it is
    // counted (so the line is still recognised as too long) but not stored.
    static constexpr std::size_t kMaxStoredLength = 4096;
    // Bytes asked for per read; a larger notified count is read in several pieces.
    static constexpr std::size_t kReadPieceSize = 4999;

    using LineBuffer = std::array<char, kLineBufferSize>;
    // Gets a NUL-terminated line ending in CR LF, in a buffer of kLineBufferSize bytes that
    // belongs to this consumer alone for the duration of the call.
    using Consumer = std::function<void(char* line)>;
    // Gets the text of every finished line, without CR LF, cut at kMaxStoredLength.
    using LogTap = std::function<void(std::string_view text)>;
    // Reads up to `size` bytes into `buffer`; returns the number read, 0 or less for none.
    using ReadFunction = std::function<int(char* buffer, int size)>;

    void SetConsumer(LineConsumer slot, Consumer consumer);
    void SetLogTap(LogTap tap);

    // The receive notification: reads `count` bytes through `read` in pieces of at most
    // kReadPieceSize and feeds them in order. Stops early when a read returns nothing.
    // Returns the number of bytes read.
    std::size_t Receive(std::size_t count, const ReadFunction& read);

    // Feeds received bytes. Safe to call from within a consumer: such bytes are queued and
    // assembled after the line being dispatched and the rest of the current bytes, in order.
    void Feed(std::string_view bytes);

    // The line assembled so far (cut at kMaxStoredLength) and its full length.
    std::string_view PendingText() const { return line_; }
    std::size_t PendingLength() const { return lineLength_; }

private:
    void Assemble(char byte);
    void FinishLine();

    std::array<Consumer, kLineConsumerCount> consumers_;
    LogTap logTap_;
    std::string line_;           // RxLine, at most kMaxStoredLength characters
    std::size_t lineLength_ = 0; // characters received since the last LF, stored or not
    std::string queued_;         // bytes waiting to be assembled
    bool assembling_ = false;
};

} // namespace m47::device
