#pragma once
// The line settings as the component keeps them: the fields of the platform's device control block
// that the component sets, plus the time-outs that steer its reads and writes.
#include <cstdint>

struct TLineSettings {
    std::uint32_t BaudRate = 9600; // bit/s
    std::uint8_t Parity = 0;       // 0 none, 1 odd, 2 even, 3 mark, 4 space
    std::uint8_t StopBits = 0;     // 0 one, 1 one and a half, 2 two
    std::uint8_t ByteSize = 8;     // 4..8
    // Special characters. Only XonChar and XoffChar reach the driver (VSTART, VSTOP); a tty has
    // no error, end-of-file or event character in raw mode, so the other three are kept only.
    char XonChar = 17;
    char XoffChar = 19;
    char ErrorChar = 0;
    char EofChar = 0;
    char EvtChar = 0;
    // Flow-control thresholds: the tty layer has none to set; kept only.
    std::uint16_t XonLim = 1024;
    std::uint16_t XoffLim = 1024;
    bool fParity = false;           // input parity check (INPCK)
    bool fDsrSensitivity = false;   // no tty equivalent; kept only
    bool fTXContinueOnXoff = false; // no tty equivalent; kept only
    bool fErrorChar = false;        // no tty equivalent; kept only
    bool fNull = false;             // no tty equivalent; kept only
};

// Milliseconds, with the meaning of the platform's time-out record.
struct TCommTimeouts {
    std::uint32_t ReadIntervalTimeout = 0;
    std::uint32_t ReadTotalTimeoutMultiplier = 0;
    std::uint32_t ReadTotalTimeoutConstant = 0;
    std::uint32_t WriteTotalTimeoutMultiplier = 0;
    std::uint32_t WriteTotalTimeoutConstant = 0;
};

// The device status record: bytes waiting in the input and output queues. The hold flags have
// no tty equivalent and stay 0.
struct TComStat {
    std::uint32_t Flags = 0;
    std::uint32_t cbInQue = 0;
    std::uint32_t cbOutQue = 0;
};

// Device error flags reported to OnError.
enum : int {
    CE_RXOVER = 0x0001,
    CE_OVERRUN = 0x0002,
    CE_RXPARITY = 0x0004,
    CE_FRAME = 0x0008,
    CE_BREAK = 0x0010,
    CE_IOE = 0x0400, // the device hung up or failed (adapter pulled out)
};
