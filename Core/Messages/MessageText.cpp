#include "Core/Messages/MessageText.h"
#include "Core/Engine.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"

namespace
{
GameObject* FindObject(u32 objectId)
{
    GameFactory* factory = Engine::Factory();
    return factory != nullptr ? factory->FindObject(objectId) : nullptr;
}
} // namespace

namespace MessageText
{
const GameObject* FindNamedObject(u32 objectId)
{
    return FindObject(objectId);
}

void WriteLabel(std::ostream& stream, const GameObject& object)
{
    stream << object.GetName() << ':' << object.GetId();
}

bool FindObjectLabel(u32 objectId, std::string& label)
{
    GameObject* object = FindObject(objectId);
    if (object == nullptr)
        return false;
    label = object->GetName() + ":" + std::to_string(object->GetId());
    return true;
}

bool FindObjectName(u32 objectId, std::string& name)
{
    GameObject* object = FindObject(objectId);
    if (object == nullptr)
        return false;
    name = object->GetName();
    return true;
}
} // namespace MessageText
