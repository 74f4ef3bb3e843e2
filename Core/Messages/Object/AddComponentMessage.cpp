#include "Core/Messages/Object/AddComponentMessage.h"
#include "Core/Engine.h"
#include "Core/ErrorReport.h"
#include "Core/Log.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObjectComponent.h"

namespace
{
// Level of the addressing report (a message to a missing object is level 0).
constexpr s32 AddressingReportLevel = 1;
} // namespace

AddComponentMessage::AddComponentMessage(u32 senderId, GameObjectComponent* carried,
                                         u32 targetObjectId, u32 check)
    : Message(senderId, Type, targetObjectId, sizeof(AddComponentMessage)), component(carried),
      checkId(check)
{
    if (checkId != 0 && checkId != targetObjectId && g_Engine != nullptr)
    {
        g_Engine->LogError(ErrorReport("Object Destination does not match the object you want",
                                       AddressingReportLevel));
    }
}

AddComponentMessage::~AddComponentMessage()
{
    if (component == nullptr)
        return;
    component->Shutdown();
    GameFactory* factory = Engine::Factory();
    if (factory == nullptr)
    {
        // Without the factory the component's pool is gone too; leaving the block alone is
        // the only safe choice.
        Core::Log() << "Error [AddComponentMessage]: no game factory to destroy the undelivered "
                    << component->GetName() << " component; it was shut down only\n";
        component = nullptr;
        return;
    }
    factory->DestroyComponent(component);
    component = nullptr;
}

std::string AddComponentMessage::ToString() const
{
    const std::string typeName = component != nullptr ? component->GetName() : "(none)";
    return std::to_string(senderId) + " wants to add component of type " + typeName + " to " +
           std::to_string(targetObjectId);
}
