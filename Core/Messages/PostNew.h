#pragma once
// The one way to make and post a message. PostNew makes a T from the engine's allocator and
// hands it to the engine with the delay; when no memory can be had, TryNewMessage logs the
// failure naming the part and nothing is posted: the caller goes on without that message.
// Without an engine the message is destroyed undelivered. A message that needs more than its
// constructor (a field set afterwards) is made with TryNewMessage and handed to PostMessage.
#include "Core/Messages/TryNewMessage.h"
#include "Math/Types.h"
#include <utility>

class Message;

namespace Core
{
// Hands the message to the engine with the delay. A null message posts nothing; without an
// engine the message is destroyed.
void PostMessage(Message* message, f32 delay = 0.0f);

template <class T, class... Args> void PostNew(const char* part, f32 delay, Args&&... args)
{
    PostMessage(TryNewMessage<T>(part, std::forward<Args>(args)...), delay);
}
} // namespace Core
