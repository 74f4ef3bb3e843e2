#include "Core/Messages/Message.h"
#include "Core/Engine.h"
#include "Core/Memory/Allocator.h"
#include "Core/Messages/MessageTypes.h"
#include <atomic>
#include <new>
#include <ostream>

const std::string Message::NoSystem = "No System";

namespace
{
// A line of its own: every thread that builds a message increments it.
alignas(64) std::atomic<u32> g_nextMessageId{1};

struct QuietRange
{
    u32 first;
    u32 last;
};

// Frequent or input-carrying types that the message log leaves out, by family (MessageTypes.h):
// self-test to remove component; actions and game state; raw input, abstract input and camera
// cycle and mount; window resize and set visible; animation play, swap and speed; text
// construct; audio, script and gameplay up to orientation set; the editor family. The numbers
// inside these ranges that belong to no message (29, 36, 41, 60 to 62, 68, 70, 72, 78) are
// quiet too.
constexpr QuietRange QuietTypes[] = {{0, 5},   {12, 15}, {25, 38}, {41, 43}, {46, 48},
                                     {51, 51}, {60, 76}, {78, 78}, {91, 94}};
} // namespace

u32 NextMessageId()
{
    return g_nextMessageId.fetch_add(1, std::memory_order_relaxed);
}

Message::Message(u32 sender, u32 messageType, u32 targetObject, u32 messageSize)
    : Message(NextMessageId(), sender, messageType, targetObject, messageSize)
{
}

Message::Message(u32 sender, u32 messageType, const std::string& system, u32 messageSize)
    : Message(NextMessageId(), sender, messageType, system, messageSize)
{
}

Message::Message(u32 messageId, u32 sender, u32 messageType, u32 targetObject, u32 messageSize)
    : senderId(sender), type(messageType), targetGroupId(0), targetObjectId(targetObject),
      targetSystem(SystemName::Constant(NoSystem)), delay(0.0f), size(messageSize),
      timeStamp(MessageStamp::Now()), id(messageId)
{
}

Message::Message(u32 messageId, u32 sender, u32 messageType, const std::string& system,
                 u32 messageSize)
    : senderId(sender), type(messageType), targetGroupId(0), targetObjectId(0),
      targetSystem(system), delay(0.0f), size(messageSize), timeStamp(MessageStamp::Now()),
      id(messageId)
{
}

Message::~Message() = default;

std::string Message::ToString() const
{
    if (type == MT_SELF_TEST)
        return "Unknown Message";
    return "NO OUTPUT SPECIFIED FOR MESSAGE :: TYPE " + std::to_string(type);
}

void Message::WriteText(std::ostream& stream) const
{
    stream << ToString();
}

bool Message::IsQuietType(u32 messageType)
{
    for (const QuietRange& range : QuietTypes)
    {
        if (messageType >= range.first && messageType <= range.last)
            return true;
    }
    return false;
}

void* Message::operator new(std::size_t size)
{
    // Straight to the allocator's inlined thread-cache path (what Engine::Allocate calls):
    // every message comes through here. Messages are freed on the main thread, so a thread
    // that posts many takes back blocks last written there: the next one is fetched at once.
    Allocator* allocator = g_Engine != nullptr ? g_Engine->GetAllocator() : nullptr;
    void* block = allocator != nullptr ? allocator->Allocate(static_cast<u32>(size), true)
                                       : ::operator new(size);
    if (block == nullptr)
        throw std::bad_alloc();
    return block;
}

void Message::operator delete(void* block, std::size_t size)
{
    if (block == nullptr)
        return;
    if (g_Engine != nullptr)
        g_Engine->Free(block, static_cast<u32>(size));
    else
        ::operator delete(block);
}

std::ostream& operator<<(std::ostream& stream, const Message& message)
{
    if (Message::IsQuietType(message.type))
        return stream;
    stream << message.GetTimeStamp() << " Sec :: ";
    message.WriteText(stream);
    if (message.delay > 0.0f)
        stream << ". Delay: " << message.delay;
    stream << '\n';
    return stream;
}

void DestroyMessage(Message* message)
{
    // The virtual destructor plus the class's sized operator delete return exactly `size`.
    delete message;
}
