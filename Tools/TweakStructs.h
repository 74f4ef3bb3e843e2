#pragma once
// Turns the reflected types of the type registry into the bar layer's struct types, so that a
// composite member (a position, a colour) can be shown as one entry. Run once while the tools
// system starts, after the registry is filled and the bar layer started.
//
// A member whose type has no editor code even after its own struct is defined (a 64-bit
// number, a type without members) is left out; a type with only such members gets no struct.
// A struct member is named by its key and labelled with the member's editor name.
#include <string>

class TypeRecord;

namespace Tools
{
// Every record of the registry, in name order.
void DefineAllTweakStructs();
// One record (the name is not used); nothing when it has no members or already has a code.
void DefineTweakStruct(const std::string& name, TypeRecord& record);
} // namespace Tools
