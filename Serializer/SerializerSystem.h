#pragma once
// Turns object definitions into game objects. Owns the definition manager (loaded by
// Initialize from the asset folders), creates objects by archetype name, applies definitions to
// objects, answers object-create and object-destroy messages and reloads every definition file
// on F8. Creating and applying take the core's one road from a definition to an object
// (Core/Objects/ObjectFromDefinition.h).
//
// Every operation below is static and tolerates a missing system: while none exists there are
// no definitions, so objects are created without components (and the missing definition is
// reported). Main thread only.
#include "Core/SystemComponent.h"
#include "Platform/KeyCodes.h"
#include <string>

class Allocator;
class GameObject;
namespace tinyxml2
{
class XMLElement;
}

namespace Serializer
{
class ObjectDefinition;
class ObjectDefinitionManager;

namespace System
{
class SerializerSystem : public SystemComponent
{
public:
    // The developer key that reloads every definition.
    static constexpr u32 ReloadKey = Platform::Keys::F8;

    SerializerSystem();
    // Unloads every definition and destroys the manager.
    ~SerializerSystem() override;

    static SerializerSystem* Instance() { return s_instance; }

    const std::string& GetName() const override
    {
        static const std::string name = "SerializerSystem";
        return name;
    }
    void Update(f32) override {}
    // Creates the definition manager and loads every definition; the flag word is not used.
    void Initialize(u32 launchFlags) override;
    // Object create (1) and destroy (2) messages; F8 pressed reloads every definition.
    void HandleMessage(Message* message) override;

    // Creates an object named after the archetype under the given id, records its creator (and
    // the script that asked for it) and applies the archetype's definition. Null (logged by the
    // factory) when the id is 0 or in use, or when no engine exists.
    static GameObject* CreateObject(u32 creatorId, const std::string& archetype, u32 objectId,
                                    u32 creatingScriptId = 0);
    // An element with child nodes is an inline definition: its first child element and that
    // element's siblings are the components. Otherwise (null element, or one without children)
    // the definition named after the object is applied; a name no category holds is reported
    // as "Invalid object definition: <name>" and leaves the object as it is.
    static void ApplyDefinition(GameObject& object, const tinyxml2::XMLElement* element);
    // Adds the definition's components to the object; a definition that did not parse adds
    // nothing (logged).
    static void ApplyDefinitionAsset(GameObject& object, const ObjectDefinition& definition);
    // True when the object category (not the particle ones) holds a definition of that name.
    static bool HasObjectDefinition(const std::string& name);
    // Destroys the object at once; an unknown id does nothing.
    static void DestroyObject(u32 objectId);

private:
    // The manager this system made (null before Initialize) and where its memory came from:
    // the engine's allocator, or null for the heap.
    ObjectDefinitionManager* m_manager;
    Allocator* m_managerAllocator;

    static SerializerSystem* s_instance;
};
} // namespace System
} // namespace Serializer
