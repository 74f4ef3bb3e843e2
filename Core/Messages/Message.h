#pragma once
// Base class of every message. A message is created in memory from the engine's bucket
// allocator (operator new below), posted with Engine::SendMessage, and from then on belongs to
// the message system, which destroys it and returns `size` bytes after delivery.
// Addressing, first rule that applies: target object, else target group, else the named
// system, else every system ("No System").
#include "Core/Messages/MessageStamp.h"
#include "Core/Messages/SystemName.h"
#include "Math/Types.h"
#include <cstddef>
#include <iosfwd>
#include <string>

class Message
{
public:
    // The target-system text of a message that names no system.
    static const std::string NoSystem;

    // Object-addressed form (group 0, no system).
    Message(u32 senderId, u32 type, u32 targetObjectId, u32 size);
    // System-addressed form (object and group 0).
    Message(u32 senderId, u32 type, const std::string& targetSystem, u32 size);
    virtual ~Message();

    virtual std::string ToString() const;
    // Writes the text ToString answers to the stream. The message log writes every text through
    // here into a stream it reuses, so a kind logged many times a frame overrides this to write
    // its parts straight to the stream (and answers ToString from it): its line then takes
    // nothing from the heap.
    virtual void WriteText(std::ostream& stream) const;

    f64 GetTimeStamp() const { return timeStamp.Seconds(); }
    void SetTimeStamp(f64 stamp) { timeStamp = MessageStamp(stamp); }

    // Types left out of the message log because they are sent every frame or carry input.
    static bool IsQuietType(u32 type);

    // Message memory comes from the engine's allocator (the heap when no engine exists).
    static void* operator new(std::size_t size);
    static void operator delete(void* block, std::size_t size);

    u32 senderId;
    u32 type;
    u32 targetGroupId;
    u32 targetObjectId;
    SystemName targetSystem; // reads as a const std::string&
    f32 delay;
    u32 size;
    MessageStamp timeStamp; // reads as f64 seconds
    u32 id;

private:
    // The public constructors take the id first and hand it on: the counter's atomic increment
    // waits for every earlier store to finish, and the new message's memory, seldom cached, is
    // then written after it rather than before.
    Message(u32 messageId, u32 senderId, u32 type, u32 targetObjectId, u32 size);
    Message(u32 messageId, u32 senderId, u32 type, const std::string& targetSystem, u32 size);
};

// The message-log line: time stamp, " Sec :: ", text, the delay when positive, a newline;
// nothing for quiet types.
std::ostream& operator<<(std::ostream& stream, const Message& message);

// The next id of the process-wide message counter (starts at 1, never reused).
u32 NextMessageId();

// Runs the destructor and returns the memory of a message the caller owns.
void DestroyMessage(Message* message);
