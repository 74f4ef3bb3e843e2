#pragma once
// Object names for message texts. A text is made on the main thread when its message is
// delivered, and the objects it names may be gone by then: each lookup answers false for a
// missing object (or when no engine or game factory exists) and leaves its output alone.
#include "Math/Types.h"
#include <string>

namespace MessageText
{
// The object's label, its name then ":" then its id ("Golem:12").
bool FindObjectLabel(u32 objectId, std::string& label);
bool FindObjectName(u32 objectId, std::string& name);
} // namespace MessageText
