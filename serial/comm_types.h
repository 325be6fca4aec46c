#pragma once
// Enumerations, sets and event handler types of the serial component.
#include "line_settings.h"

#include <cstdint>
#include <functional>
#include <initializer_list>

class QObject;

enum TBaudRate : std::uint8_t {
    br110,
    br300,
    br600,
    br1200,
    br2400,
    br4800,
    br9600,
    br14400,
    br19200,
    br38400,
    br56000,
    br57600,
    br115200,
    br128000,
    br256000
};
enum TParity : std::uint8_t { paNone, paOdd, paEven, paMark, paSpace };
enum TStopBits : std::uint8_t { sb10, sb15, sb20 };
enum TDataBits : std::uint8_t { da4, da5, da6, da7, da8 };
enum TFlowControl : std::uint8_t { fcNone, fcCTS, fcDTR, fcSoftware, fcDefault };
enum TCommOption : std::uint8_t { coParityCheck, coDsrSensitivity, coIgnoreXOff, coErrorChar, coNullStrip };
enum TCommEventType : std::uint8_t {
    evBreak,
    evCts,
    evDsr,
    evError,
    evRing,
    evRlsd,
    evRxChar,
    evRxFlag,
    evTxEmpty
};

// Event bits of a delivered event mask.
enum : std::uint32_t {
    EV_RXCHAR = 0x0001,
    EV_RXFLAG = 0x0002,
    EV_TXEMPTY = 0x0004,
    EV_CTS = 0x0008,
    EV_DSR = 0x0010,
    EV_RLSD = 0x0020,
    EV_BREAK = 0x0040,
    EV_ERR = 0x0080,
    EV_RING = 0x0100,
};

// Bit rate in bit/s of each TBaudRate, by ordinal.
inline constexpr std::uint32_t kBitRates[] = {110,   300,   600,   1200,  2400,   4800,   9600,  14400,
                                              19200, 38400, 56000, 57600, 115200, 128000, 256000};

// Event bit of each TCommEventType, by ordinal.
inline constexpr std::uint32_t kEventBits[] = {EV_BREAK, EV_CTS,    EV_DSR,    EV_ERR,    EV_RING,
                                               EV_RLSD,  EV_RXCHAR, EV_RXFLAG, EV_TXEMPTY};

// A set of enumeration values, one bit per ordinal, stored in Bits.
template <typename E, typename Bits>
class TEnumSet
{
public:
    constexpr TEnumSet() = default;
    constexpr TEnumSet(std::initializer_list<E> values)
    {
        for (E v : values)
            Include(v);
    }
    static constexpr TEnumSet FirstN(int count)
    {
        TEnumSet s;
        s.bits_ = static_cast<Bits>((1u << count) - 1u);
        return s;
    }
    constexpr bool Contains(E v) const { return (bits_ >> static_cast<unsigned>(v)) & 1u; }
    constexpr TEnumSet& Include(E v)
    {
        bits_ = static_cast<Bits>(bits_ | (1u << static_cast<unsigned>(v)));
        return *this;
    }
    constexpr TEnumSet& Exclude(E v)
    {
        bits_ = static_cast<Bits>(bits_ & ~(1u << static_cast<unsigned>(v)));
        return *this;
    }
    constexpr bool Empty() const { return bits_ == 0; }
    constexpr Bits Raw() const { return bits_; }
    friend constexpr bool operator==(TEnumSet, TEnumSet) = default;

private:
    Bits bits_ = 0;
};

using TCommEventTypes = TEnumSet<TCommEventType, std::uint16_t>;
using TCommOptions = TEnumSet<TCommOption, std::uint8_t>;

inline constexpr TCommEventTypes kAllCommEvents = TCommEventTypes::FirstN(9);

// The event bits of a set of event types: 0x1FF for all nine.
constexpr std::uint32_t EventMaskOf(TCommEventTypes events)
{
    std::uint32_t mask = 0;
    for (unsigned i = 0; i < 9; ++i)
        if (events.Contains(static_cast<TCommEventType>(i)))
            mask |= kEventBits[i];
    return mask;
}

// Handlers; Sender is always the component.
using TNotifyEvent = std::function<void(QObject* Sender)>;
using TCommErrorEvent = std::function<void(QObject* Sender, int Errors)>;
using TCommRxCharEvent = std::function<void(QObject* Sender, std::uint32_t Count)>;
using TCommStatEvent = std::function<void(QObject* Sender, std::uint32_t Status, TComStat ComStat)>;
