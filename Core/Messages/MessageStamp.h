#pragma once
// When a message was made, in seconds of the engine's frame timer. A message built while the
// engine runs keeps the processor's cycle counter since the timer started and turns it into
// seconds only when the stamp is read (few stamps are: the message log and a few handlers read
// them); a stamp may also be set in seconds outright. Eight bytes: a counter reading is kept as a
// negative NaN whose payload is the cycle count plus one; any other value is the seconds
// themselves. A reading converts at the counter's latest measured rate, the same as a
// FrameTimer::GetStampSeconds taken when the message was made to well under a microsecond.
#include "Math/Types.h"

class MessageStamp
{
public:
    MessageStamp() = default; // 0 seconds
    // Any value; a NaN is kept as the plain quiet NaN.
    MessageStamp(f64 seconds);

    // Now on the engine's frame timer; 0 without an engine.
    static MessageStamp Now();

    f64 Seconds() const;
    operator f64() const { return Seconds(); }

private:
    u64 m_bits = 0; // the bits of 0.0
};
