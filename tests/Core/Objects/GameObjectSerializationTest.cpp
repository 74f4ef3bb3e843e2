// Covers: GameObject, ComponentFactory, TransformComponent, XmlReader, XmlWriter.
// A game object's XML form: written, then read back into a fresh object through the component
// factory, it has the same components in the same order with the same members.
#include "Core/Components/TransformComponent.h"
#include "Core/CoreRegistration.h"
#include "Core/Engine.h"
#include "Core/Objects/ComponentFactory.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Core/Objects/GameObjectComponent.h"
#include "Math/Point4.h"
#include "Xml/MathValueXml.h"
#include "Xml/PlainValueXml.h"
#include "Xml/XmlFile.h"
#include "Xml/XmlReader.h"
#include "Xml/XmlWriter.h"
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <tinyxml2.h>
#include <vector>

namespace
{
// A component that reads and writes a few members through the serializer, and counts the
// elements its reader still saw after its own members (there should be none).
class XmlProbeComponent : public GameObjectComponent
{
public:
    XmlProbeComponent() : GameObjectComponent(true), count(0), speed(1.0f) {}

    static const std::string& GetTypeName()
    {
        static const std::string name = "XmlProbeComponent";
        return name;
    }
    u32 GetType() const override { return 0x584D4C50; }
    const std::string& GetName() const override { return GetTypeName(); }
    void Shutdown() override {}
    void Deserialize(Serializer::XmlReader& reader) override
    {
        Serializer::ReadInt(reader, count, "count");
        Serializer::ReadElement(reader, speed, "speed");
        Serializer::ReadString(reader, label, "label");
        Serializer::ReadPoint4(reader, target, "target");
        for (; reader.CurrentElement(); reader.NextElement())
            ++strayElements;
    }
    void Serialize(Serializer::XmlWriter& writer) override
    {
        Serializer::WriteInt(writer, count, "count");
        Serializer::WriteFloat(writer, speed, "speed");
        Serializer::WriteString(writer, label, "label");
        Serializer::WriteVector3(writer, target, "target");
    }
    void HandleMessage(Message*) override {}

    int count;
    float speed;
    std::string label;
    Math::Point4 target;
    int strayElements = 0;
};

struct World
{
    World()
    {
        Core::RegisterCore(engine);
        factory.GetComponentFactory().Register<XmlProbeComponent>(ComponentFactory::CorePool);
    }

    GameObject* Create(const std::string& name)
    {
        return factory.CreateObject(name, Engine::GenerateId());
    }

    Engine engine;
    GameFactory& factory = *engine.GetFactory();
};

std::vector<std::string> ComponentNames(const GameObject& object)
{
    std::vector<std::string> names;
    for (const GameObject::ComponentEntry& entry : object.GetComponentList())
        names.push_back(entry.component->GetName());
    return names;
}

template <typename T> T* ComponentAt(const GameObject& object, std::size_t index)
{
    return dynamic_cast<T*>(object.GetComponentList().at(index).component);
}

std::string Print(const tinyxml2::XMLDocument& document)
{
    tinyxml2::XMLPrinter printer(nullptr, true);
    document.Print(&printer);
    return printer.CStr();
}
} // namespace

TEST(GameObjectSerialization, WrittenThenReadGivesTheSameComponentsInOrder)
{
    World world;
    GameObject* original = world.Create("Crate");
    auto* first =
        static_cast<XmlProbeComponent*>(world.factory.CreateComponent("XmlProbeComponent"));
    first->count = 3;
    first->speed = 2.5f;
    first->label = "first";
    first->target = Math::Point4(1, 2, 3, 1);
    original->AddComponent(first);
    auto* transform =
        static_cast<TransformComponent*>(world.factory.CreateComponent("TransformComponent"));
    transform->position = Math::Point4(-4, 5, 6.5f, 1);
    transform->orientation.FromEuler(30.0f, -45.0f, 60.0f);
    transform->scale = Math::Vector3(2, 2, 2);
    original->AddComponent(transform);
    auto* second =
        static_cast<XmlProbeComponent*>(world.factory.CreateComponent("XmlProbeComponent"));
    second->count = -7;
    second->label = "second";
    original->AddComponent(second);

    tinyxml2::XMLDocument document;
    original->Serialize(document, nullptr);
    const tinyxml2::XMLElement* objectElement = document.RootElement();
    ASSERT_NE(objectElement, nullptr);
    EXPECT_STREQ(objectElement->Name(), "Crate");

    GameObject* copy = world.Create("Crate");
    copy->Deserialize(objectElement->FirstChildElement());
    ASSERT_EQ(ComponentNames(*copy), ComponentNames(*original)) << Print(document);

    for (std::size_t index : {0u, 2u})
    {
        const XmlProbeComponent* read = ComponentAt<XmlProbeComponent>(*copy, index);
        const XmlProbeComponent* written = ComponentAt<XmlProbeComponent>(*original, index);
        ASSERT_NE(read, nullptr);
        EXPECT_EQ(read->count, written->count);
        EXPECT_EQ(read->speed, written->speed);
        EXPECT_EQ(read->label, written->label);
        EXPECT_EQ(read->target, written->target);
        EXPECT_EQ(read->strayElements, 0) << "each component reads only its own element";
        EXPECT_EQ(read->GetOwner(), copy->GetId());
    }
    const TransformComponent* readTransform = ComponentAt<TransformComponent>(*copy, 1);
    ASSERT_NE(readTransform, nullptr);
    EXPECT_EQ(readTransform->position, transform->position);
    EXPECT_EQ(readTransform->scale, transform->scale);
    Math::Matrix4 expected, actual;
    transform->orientation.ToMatrix4(expected);
    readTransform->orientation.ToMatrix4(actual);
    EXPECT_EQ(actual, expected);
    EXPECT_EQ(copy->GetComponent(transform->GetType()), readTransform);
}

TEST(GameObjectSerialization, ObjectWithoutComponentsIsOneEmptyElementUnderItsParent)
{
    World world;
    GameObject* object = world.Create("Marker");
    tinyxml2::XMLDocument document;
    tinyxml2::XMLElement* level = document.NewElement("Level");
    document.InsertEndChild(level);
    object->Serialize(document, level);
    object->Serialize(document, level);
    EXPECT_EQ(Print(document), "<Level><Marker/><Marker/></Level>");
}

TEST(GameObjectSerialization, UnknownComponentElementsAreSkipped)
{
    World world;
    const char* text = R"(<Thing>
        <NoSuchComponent><count>9</count></NoSuchComponent>
        <XmlProbeComponent><count>4</count><label>kept</label></XmlProbeComponent>
        <XmlProbeComponent/>
    </Thing>)";
    std::string error;
    auto document = Serializer::ParseXmlText(text, std::strlen(text), "thing", error);
    ASSERT_TRUE(document) << error;
    GameObject* object = world.Create("Thing");
    object->Deserialize(document->RootElement()->FirstChildElement());
    ASSERT_EQ(ComponentNames(*object),
              (std::vector<std::string>{"XmlProbeComponent", "XmlProbeComponent"}));
    const XmlProbeComponent* first = ComponentAt<XmlProbeComponent>(*object, 0);
    EXPECT_EQ(first->count, 4);
    EXPECT_EQ(first->speed, 1.0f) << "a member left out keeps its constructor default";
    EXPECT_EQ(first->label, "kept");
    EXPECT_EQ(ComponentAt<XmlProbeComponent>(*object, 1)->count, 0);
}

TEST(GameObjectSerialization, NoFirstElementAddsNothing)
{
    World world;
    GameObject* object = world.Create("Empty");
    object->Deserialize(nullptr);
    EXPECT_TRUE(object->GetComponentList().empty());
}
