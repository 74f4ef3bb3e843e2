#pragma once
// The particle editor's save of one component as a definition file of its own: a document
// whose root is named after the save name and holds the component's element, written to the
// category's folder and added to the definition manager. Saves never overwrite: a name already
// filed or already on disk gets the first free decimal counter, and a name that could leave the
// folder ('/', '\' or "..") is refused with a log line. Any other name is cleaned as the particle
// editor cleans its effect names (Serializer::CleanXmlName; a log line says so when that changes
// it). The file is written whole or not at all (Platform/AtomicFile.h), and a save counts only
// when the file reads back as a definition. Main thread only.
#include "Math/Types.h"
#include <string>

class GameObjectComponent;

namespace Graphics
{
// The name saved under, or "" when nothing was saved (each failure logged). An empty name
// becomes the default name.
std::string SaveParticleDefinition(GameObjectComponent& component, const std::string& name,
                                   const std::string& defaultName, u32 category);
} // namespace Graphics
