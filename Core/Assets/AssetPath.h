#pragma once
// The one check every asset name passes before it becomes a path below its folder: a model,
// texture, font, material, sound, script, shader, effect or batch is named relative to its
// kind's folder under assets/, and a name that climbs out of it ("../x", "a/../../x") or starts
// from the root ("/etc/x") is refused, whatever kind of asset it names. '\' counts as '/'.
#include <string>

namespace Core
{
// True when the name stays inside the folder it is taken relative to.
bool IsAssetPathInside(const std::string& name);
// The same, logging one line when it does not:
//     "Error [<part>]: <what> "<name>" refused: its path leaves the asset folder"
bool CheckAssetPath(const std::string& part, const std::string& what, const std::string& name);
} // namespace Core
