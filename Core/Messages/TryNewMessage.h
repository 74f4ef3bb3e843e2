#pragma once
// Creates a message from the engine's allocator, or answers null when no memory can be had: the
// failure is logged naming the part, and the caller skips that one message and goes on.
#include "Core/Log.h"
#include "Core/Memory/OAException.h"
#include <new>
#include <utility>

template <class T, class... Args> T* TryNewMessage(const char* part, Args&&... args)
{
    try
    {
        return new T(std::forward<Args>(args)...);
    }
    catch (const Core::OAException& exception)
    {
        Core::Log() << "Error [" << part << "]: no memory for a message: " << exception.what()
                    << '\n';
    }
    catch (const std::bad_alloc&)
    {
        Core::Log() << "Error [" << part << "]: no memory for a message\n";
    }
    return nullptr;
}
