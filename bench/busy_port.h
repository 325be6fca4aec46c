#pragma once
// Traffic of a busy port or coast station, made from a real AIS capture: the capture again and
// again, each copy with its senders renamed, so that the target table fills and keeps evicting.
//
//   !AIVDM,1,1,,A,15RTgt0PAso;90TKcjM8h6g208CQ,0*4A
//                  `----' payload characters 1..6 hold the MMSI (bits 8..37)
//
// Only the first sentence of a message carries the MMSI; its checksum is written anew. Lines
// that fail their checksum or do not armour an MMSI are copied unchanged, so the capture's
// malformed lines stay malformed.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace bench {

// The line (with its CR LF) with the MMSI of its message replaced, or the line unchanged
// when it is not the first sentence of a well-formed VDM or VDO.
std::string WithMmsi(const std::string& line, std::uint32_t mmsi);
// The MMSI the line's message carries, when WithMmsi would replace it.
bool ReadMmsi(const std::string& line, std::uint32_t& mmsi);

struct BusyTraffic {
    std::vector<std::string> lines;
    std::size_t distinctMmsis = 0;
};

// `count` lines: copy k of the capture renames each sender by variant k mod `variants`.
BusyTraffic BusyPortTraffic(const std::vector<std::string>& capture, std::size_t count,
                            std::uint32_t variants);

} // namespace bench
