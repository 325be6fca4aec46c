#pragma once
// What the window offers while recording and replaying, and the texts it shows.
//
//   idle:       Record to File...  Replay Log...            Connect
//   connected:  Record to File...                           Disconnect
//   recording:  Stop Recording     Replay Log... (when idle) "REC" shown
//   replaying:  Record to File...  Stop Replay              Connect disabled, nothing sent
//
// A replay runs only while no device is connected, so the replayed lines are the only ones in
// the receive path and the window never writes to a port meanwhile.

#include "logreport/replay_pacer.h"

#include <array>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

namespace m47::logreport {

struct RecordReplayMenu {
    bool record;        // Record to File...
    bool stopRecording; // Stop Recording
    bool replay;        // Replay Log...
    bool stopReplay;    // Stop Replay
    bool connect;       // the Connect button
    bool recIndicator;  // "REC" in the top panel
};

RecordReplayMenu MenuFor(bool connected, bool recording, bool replaying);

// "m47-20261211-101503.log" for the PC's local time.
std::string RecordingFileName(const std::tm& local);

// The replay speeds offered, in the order of the speed choice.
struct SpeedChoice {
    std::string_view caption;
    ReplaySpeed speed;
};
inline constexpr std::array<SpeedChoice, 4> kSpeedChoices = {
    {{"1x", 1}, {"4x", 4}, {"16x", 16}, {"Max", kAsFastAsPossible}}};
// The item of `speed`; nothing for a speed not offered.
std::optional<int> SpeedChoiceIndex(ReplaySpeed speed);
// "1", "4", "16" or "max", as the command line gives it.
std::optional<ReplaySpeed> ParseSpeed(std::string_view text);

inline constexpr std::string_view kRecordingFileFilter = "Recorded Log (*.log)";
inline constexpr std::string_view kReplayFileFilter = "Log Files (*.log *.txt *.TXT *.nmea);;All Files (*)";
inline constexpr std::string_view kRecIndicator = "REC";
inline constexpr std::string_view kRecordingCaption = "Record";
inline constexpr std::string_view kReplayCaption = "Replay";

// The message when a recording cannot start.
std::string RecordingRefusedText(std::string_view path, std::string_view reason);
// The message when a failed write ends a recording; the file keeps what was written.
std::string RecordingStoppedText(std::string_view path, std::string_view reason);
// The message when a log cannot be opened for replay.
std::string ReplayFailedText(std::string_view path);

} // namespace m47::logreport
