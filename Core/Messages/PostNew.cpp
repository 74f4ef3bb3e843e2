#include "Core/Messages/PostNew.h"
#include "Core/Engine.h"
#include "Core/Messages/Message.h"

namespace Core
{
void PostMessage(Message* message, f32 delay)
{
    if (message == nullptr)
        return;
    if (g_Engine != nullptr)
        g_Engine->SendMessage(message, delay);
    else
        DestroyMessage(message);
}
} // namespace Core
