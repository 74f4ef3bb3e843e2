#pragma once
// A thing in the world: an id, the id of the object that created it, the group it is in, the
// name of the definition it was made from, and an ordered list of components that give it all
// of its behaviour. The object owns its components: it shuts them down and returns them to the
// component pools when it is destroyed, last added first.
//
// Objects are made and destroyed only by the game factory, in memory from the engine's
// allocator. Main thread only.
//
// Component ids are taken from the same counter as object ids, so a component created before
// its object (a lower id) can be added but is then neither found nor removed by id.
#include "Core/Objects/ComponentTypeId.h"
#include "Math/Types.h"
#include <string>
#include <vector>

class GameFactory;
class GameObjectComponent;
class Message;
namespace tinyxml2
{
class XMLDocument;
class XMLElement;
} // namespace tinyxml2

class GameObject
{
public:
    struct ComponentEntry
    {
        u32 typeId; // the component's GetType when it was added (a family's id for members)
        GameObjectComponent* component;
    };
    using ComponentList = std::vector<ComponentEntry>;

    GameObject();
    // Shuts down and destroys every component, the last added first.
    ~GameObject();
    GameObject(const GameObject&) = delete;
    GameObject& operator=(const GameObject&) = delete;

    // Appends the component and makes this object its owner; returns the component.
    GameObjectComponent* AddComponent(GameObjectComponent* component);
    // Shuts down and destroys the component with that id; an unknown id does nothing.
    void RemoveComponent(u32 componentId);
    // The first component stored under the type id (a family's id finds its members).
    GameObjectComponent* GetComponent(u32 typeId) const;
    // The first component that is a T, looked up under T's stored id (ComponentTypeId.h), so a
    // family member is found among its family's entries; null when the object has none.
    template <typename T> T* GetComponent() const;
    // Every component stored under the type id, in the order they were added.
    std::vector<GameObjectComponent*> GetComponents(u32 typeId) const;
    // The same into the caller's vector (emptied first): a caller that keeps its vector takes
    // nothing from the heap once the vector has grown, as per-frame code must.
    void GetComponents(u32 typeId, std::vector<GameObjectComponent*>& found) const;
    GameObjectComponent* GetComponentById(u32 componentId) const;
    // The components in the order they were added, for callers that walk them all.
    const ComponentList& GetComponentList() const { return m_components; }
    // Changes whenever a component is added or removed. Numbers come from one counter for all
    // objects, so a list state is never numbered twice: a cache of components keyed on the
    // object's address and this number cannot mistake a new object at an old address for the
    // old one.
    u64 GetComponentListVersion() const { return m_componentListVersion; }

    // Add-component (type 4) and remove-component (type 5) messages change the list; every
    // other message goes to each component in list order.
    void HandleMessage(Message* message);

    // Creates, adds and reads one component per element, from this element and its following
    // siblings, in document order. Defined with the XML serializer. Unknown component types, a
    // second component of one type and member values that do not parse are logged, naming the
    // file of the innermost SourceFileScope.
    void Deserialize(const tinyxml2::XMLElement* firstComponentElement);

    // While it lives, the file that components being read come from (for the log lines of
    // Deserialize on this thread); scopes nest.
    class SourceFileScope
    {
    public:
        explicit SourceFileScope(const std::string& file);
        ~SourceFileScope();
        SourceFileScope(const SourceFileScope&) = delete;
        SourceFileScope& operator=(const SourceFileScope&) = delete;

    private:
        const std::string* m_previous;
    };
    // Writes an element named after the object holding one element per component, appended to
    // the parent (the document itself when parent is null). Defined with the XML serializer.
    void Serialize(tinyxml2::XMLDocument& document, tinyxml2::XMLElement* parent) const;
    // Writes one component as an element named after its type name, appended to the parent.
    // Defined with the XML serializer.
    static void SerializeComponent(tinyxml2::XMLDocument& document, tinyxml2::XMLElement* parent,
                                   GameObjectComponent& component);

    u32 GetId() const { return m_id; }
    const std::string& GetName() const { return m_name; }
    u32 GetCreatorId() const { return m_creatorId; }
    void SetCreatorId(u32 creatorId) { m_creatorId = creatorId; }
    // The script component whose engine call asked for the object (an ability's object knows
    // the ability that fired it); 0 when no script did.
    u32 GetCreatingScriptId() const { return m_creatingScriptId; }
    void SetCreatingScriptId(u32 scriptId) { m_creatingScriptId = scriptId; }
    u32 GetGroup() const { return m_groupId; }
    // Only the factory's group operations and AI code that moves objects between groups.
    void SetGroup(u32 groupId) { m_groupId = groupId; }

private:
    friend class GameFactory;

    // Shuts down and destroys every component, last added first, through the given factory
    // (null: components not from a factory are deleted).
    void DestroyComponents(GameFactory* factory);
    // Index of the first component with that id, or the list size.
    std::size_t FindById(u32 componentId) const;
    // Gives the list a number never used before.
    void ComponentListChanged();

    ComponentList m_components;
    u64 m_componentListVersion;
    u32 m_creatorId;
    u32 m_creatingScriptId;
    u32 m_id;
    u32 m_groupId;
    std::string m_name;
};

template <typename T> T* GameObject::GetComponent() const
{
    const u32 typeId = ComponentTypeId<T>();
    for (const ComponentEntry& entry : m_components)
    {
        // Entries under T's id are T's family; the cast picks the members that are a T.
        if (entry.typeId != typeId)
            continue;
        if (T* component = dynamic_cast<T*>(entry.component))
            return component;
    }
    return nullptr;
}
