#pragma once
// The SYSTEM CHECK page: AIS reports counted per radio channel, and the page's rows with the
// image each row shows.
//
//   !AIVDM,1,1,,A,13aGhtw0R<OJf=6LgQ?Ad1FF05`L,0*..   channel A  -> RxCountA
//   !AIVDM,1,1,,B,...  or  !AIVDM,1,1,,,...           B or other -> RxCountB
//   !AIVDO,...                                        own ship   -> not counted
//
// Row texts that come from the device are its bytes as received (single-byte text in the code
// page of the current language); the page's own texts are ASCII.

#include <cstdint>
#include <string>

namespace m47::device {
struct DeviceInfo;
}
namespace nmea {
struct SentenceRecord;
}

namespace m47::diagnostics {

struct RxCounters {
    std::int32_t RxCountA = 0; // decoded reports on channel A
    std::int32_t RxCountB = 0; // on channel B or with any other channel character
};

// Counts one "!" sentence of the AIS group that completed a decoded message (the channel of its
// last fragment). VDO is never counted. True when a counter changed.
bool CountRxReport(RxCounters& counters, const nmea::SentenceRecord& record);

// Pictures of ImageListSysChk.
enum CheckImage : int {
    ciFailed = 0, // red cross
    ciPassed = 1, // green check mark
    ciNoData = 2, // orange warning triangle: nothing received yet
};

struct SystemCheckRows {
    std::string firmwareVersion;        // lblValFwVer
    std::string serialNumber;           // lblValProdSN
    std::string gps;                    // lblValGps
    std::string networkFirmwareVersion; // LabelNetworkFirmwareVersoinData
    std::string rxCountA;               // lblValRxCntA
    std::string rxCountB;               // lblValRxCntB
    CheckImage firmwareImage;           // ImageChkFwVer
    CheckImage serialNumberImage;       // ImageChkProdSN
    CheckImage rxImage;                 // ImageChkRx
    CheckImage networkImage;            // ImageNetworkFirmwareVersion
    CheckImage gpsImage;                // ImageChkGps

    bool operator==(const SystemCheckRows&) const = default;
};

// What a system check refresh shows, from the device's read-back values, the GNSS position flag
// and the counters.
SystemCheckRows ShowSystemCheck(const device::DeviceInfo& info, bool positionValid,
                                const RxCounters& counters);

// Refresh: counters to zero and the device's received-flags cleared (its texts stay), so the
// next refresh shows dashes until the device answers again.
void ClearSystemCheck(RxCounters& counters, device::DeviceInfo& info);

} // namespace m47::diagnostics
