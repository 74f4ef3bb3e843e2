#include "Serializer/SerializerRegistration.h"
#include "Core/Assets/AssetManagerSection.h"
#include "Core/Assets/FileSystem.h"
#include "Core/Assets/ObjectDefinitionManager.h"
#include "Core/Engine.h"
#include "Core/System/AssetLoaderSystem.h"
#include "Core/SystemFactory.h"
#include "Serializer/SerializerSystem.h"

namespace Serializer
{
void RegisterSerializer(Engine& engine)
{
    SystemFactory& factory = engine.GetSystemFactory();
    factory.Register<System::FileSystem>("FileSystem");
    factory.Register<System::SerializerSystem>("SerializerSystem");
    // Asset batches reach the object definitions through the "Object" section.
    Core::System::AssetLoaderSystem::RegisterSection(
        "Object", std::make_shared<Core::AssetManagerSection<ObjectDefinitionManager>>(
                      &ObjectDefinitionManager::Instance));
}
} // namespace Serializer
