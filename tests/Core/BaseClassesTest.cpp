// Covers: SystemComponent, GameObjectComponent.
// Ids and default behaviour of the system and component base classes. The stand-ins below
// override only what the base classes require, so the defaults are the base classes' own.
#include "Core/Engine.h"
#include "Core/Messages/Message.h"
#include "Core/Objects/GameObjectComponent.h"
#include "Core/SystemComponent.h"
#include <gtest/gtest.h>

namespace
{
class QuietSystem : public SystemComponent
{
public:
    const std::string& GetName() const override
    {
        static const std::string name = "QuietSystem";
        return name;
    }
    void Update(f32) override {}
    void Initialize(u32) override {}
    void Register(GameObjectComponent* component) override { m_components.Add(component); }
};

class PlainComponent : public GameObjectComponent
{
public:
    explicit PlainComponent(bool assignId) : GameObjectComponent(assignId) {}
    u32 GetType() const override { return 1; }
    const std::string& GetName() const override
    {
        static const std::string name = "PlainComponent";
        return name;
    }
    void Deserialize(Serializer::XmlReader&) override {}
    void Serialize(Serializer::XmlWriter&) override {}
};
} // namespace

TEST(BaseClasses, SystemsAndComponentsShareOneIdCounter)
{
    QuietSystem system;
    PlainComponent component(true);
    EXPECT_EQ(component.GetId(), system.GetId() + 1);
    EXPECT_EQ(component.GetOwner(), 0u);
    EXPECT_EQ(Engine::GetLastId(), component.GetId());
}

TEST(BaseClasses, ComponentWithoutIdTakesNone)
{
    const u32 before = Engine::GetLastId();
    PlainComponent component(false);
    EXPECT_EQ(component.GetId(), 0u);
    EXPECT_EQ(Engine::GetLastId(), before);
}

TEST(BaseClasses, DefaultsDoNothingAndPass)
{
    QuietSystem system;
    system.IdleUpdate(0.5f); // the base idle update has no effect
    EXPECT_TRUE(system.RunTests(-1));
    PlainComponent component(true);
    system.Register(&component);
    ASSERT_EQ(system.GetComponents().size(), 1u);
    EXPECT_EQ(system.GetComponents().front(), &component);

    // Messages and unregistering are ignored unless a class says otherwise.
    Message message(0, 1, 0, sizeof(Message));
    system.HandleMessage(&message);
    system.Unregister(&component);
    EXPECT_EQ(system.GetComponents().size(), 1u);
    component.HandleMessage(&message);
    component.Shutdown();
    EXPECT_EQ(component.GetOwner(), 0u);
}
