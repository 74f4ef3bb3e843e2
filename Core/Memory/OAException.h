#pragma once
// What an object pool throws when it is misused or cannot grow. Thrown and caught by value; the
// engine's free wrapper logs what() and carries on.
#include "Math/Types.h"
#include <string>
#include <utility>

namespace Core
{
class OAException
{
public:
    // Codes are stable: callers and logs tell failures apart by them. Code 1 is not used.
    enum ErrorCode : u32
    {
        E_NO_MEMORY = 0,       // a new page could not be had from the heap
        E_BAD_ADDRESS = 2,     // the address lies in none of the pool's pages
        E_BAD_BOUNDARY = 3,    // the address is inside a page but not the start of a slot
        E_MULTIPLE_FREE = 4,   // the object is not in use
        E_CORRUPTED_BLOCK = 5, // a guard byte before or after the object was overwritten
    };

    OAException(u32 errorCode, std::string message)
        : m_errorCode(errorCode), m_message(std::move(message))
    {
    }
    virtual ~OAException() = default;

    virtual const char* what() const { return m_message.c_str(); }
    u32 code() const { return m_errorCode; }

private:
    u32 m_errorCode;
    std::string m_message;
};
} // namespace Core
