#pragma once
// Base class of every component. Game objects, the message system, the serializer and the editor
// drive components only through these virtuals. A component is created by the component
// factory, owned by one game object (owner id), shut down just before it is destroyed.
#include "Core/Messages/PostNew.h"
#include "Math/Types.h"
#include <string>
#include <utility>

class GameObject;
class Message;
namespace Serializer
{
class XmlReader;
class XmlWriter;
} // namespace Serializer
namespace Tools
{
class PropertyGroup;
}
class TypeRecord;

class GameObjectComponent
{
public:
    // Every component class passes true, so every component has an id of its own.
    explicit GameObjectComponent(bool assignId);
    virtual ~GameObjectComponent();

    // Type id: the cached hash of the type name; family members answer their family's id.
    virtual u32 GetType() const = 0;
    virtual const std::string& GetName() const = 0;
    // Called just before the component is destroyed; components unregister from systems here.
    // Nothing by default.
    virtual void Shutdown();
    // Reads members from a reader standing on the first member element of the component.
    virtual void Deserialize(Serializer::XmlReader& reader) = 0;
    // Writes members into the component's element.
    virtual void Serialize(Serializer::XmlWriter& writer) = 0;
    virtual void BuildEditor(Tools::PropertyGroup& group);
    // Messages addressed to the owner; ignored by default.
    virtual void HandleMessage(Message* message);
    // Whether an object is meant to carry several components of this kind (a character's
    // abilities, a health bar's elements); a definition that repeats any other kind is reported.
    virtual bool MayRepeat() const { return false; }

    u32 GetId() const { return m_id; }
    u32 GetOwner() const { return m_owner; }
    void SetOwner(u32 owner) { m_owner = owner; }
    // The owning object, found through the engine's factory; null while the component has no
    // owner, or when there is no engine or no such object.
    GameObject* GetOwnerObject() const;

protected:
    // Makes a T and posts it with no delay (Core/Messages/PostNew.h): a failure to get memory is
    // logged under this component's name and nothing is posted.
    template <class T, class... Args> void PostNew(Args&&... args) const
    {
        Core::PostNew<T>(GetName().c_str(), 0.0f, std::forward<Args>(args)...);
    }

    u32 m_owner;
    u32 m_id;
};

// The record every component class's type record names as its base (Core/Reflection).
template <typename T> TypeRecord& TypeRecordOf();
template <> TypeRecord& TypeRecordOf<GameObjectComponent>();
