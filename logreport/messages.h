#pragma once
// The texts the log and report handlers show: the questions with their captions and buttons,
// the send failure notice, and the two captions of the logging switch.

#include <string_view>

namespace m47::logreport {

struct Question {
    enum class Buttons { OkCancel, YesNo };
    std::string_view text;
    std::string_view caption;
    Buttons buttons;
};

inline constexpr Question kClearLogQuestion{"Are you sure to clear log?", "Warning",
                                            Question::Buttons::OkCancel};
inline constexpr Question kOverwriteLogQuestion{"File already exists. Do you want to overwrite?", "WARNING",
                                                Question::Buttons::YesNo};
inline constexpr Question kSaveReportQuestion{"Do you want to save report?", "Save",
                                              Question::Buttons::OkCancel};
inline constexpr Question kOverwriteReportQuestion{kOverwriteLogQuestion.text, "Warning",
                                                   Question::Buttons::YesNo};

// Shown with an OK button and the stop icon when the console's send fails.
struct Notice {
    std::string_view text;
    std::string_view caption;
};
inline constexpr Notice kSendFailedNotice{"Send message error", "error"};

// The logging switch spbtnEnableLog: its Tag is the logging flag.
struct LogSwitchState {
    int tag;
    bool down;
    std::string_view caption;
};
inline constexpr LogSwitchState kLoggingOff{0, false, "Start Log"};
inline constexpr LogSwitchState kLoggingOn{1, true, "Stop Log"};

// A click turns logging on from Tag 0 and off from any other Tag; the log keeps its lines.
constexpr LogSwitchState LogSwitchAfterClick(int tag)
{
    return tag == 0 ? kLoggingOn : kLoggingOff;
}

} // namespace m47::logreport
