#pragma once
// Helpers of the message texts (ToString): the parts of a text put together, and the names of
// the objects a text mentions. A text is made on the main thread when its message is delivered,
// and the objects it names may be gone by then: each lookup answers false for a missing object
// (or when no engine or game factory exists) and leaves its output alone.
#include "Math/Types.h"
#include <sstream>
#include <string>

class GameObject;

namespace MessageText
{
// The parts one after another, each written as an output stream writes it.
template <typename... Parts> std::string Compose(const Parts&... parts)
{
    std::ostringstream text;
    (text << ... << parts);
    return text.str();
}

// The object's label, its name then ":" then its id ("Golem:12").
bool FindObjectLabel(u32 objectId, std::string& label);
// The object a text names, or null when it is gone. With WriteLabel, for texts written straight
// to a stream (Message::WriteText), which copy no name.
const GameObject* FindNamedObject(u32 objectId);
void WriteLabel(std::ostream& stream, const GameObject& object);
bool FindObjectName(u32 objectId, std::string& name);
} // namespace MessageText
