// Ids and default behaviour of the system and component base classes.
#include "Core/Engine.h"
#include "Core/Objects/GameObjectComponent.h"
#include "Core/SystemComponent.h"
#include <gtest/gtest.h>

namespace
{
class QuietSystem : public SystemComponent
{
public:
    std::string GetName() override { return "QuietSystem"; }
    void Update(f32) override {}
    void Initialize(u32) override {}
    void HandleMessage(Message*) override {}
    void Register(GameObjectComponent* component) override { m_components.push_back(component); }
    void Unregister(GameObjectComponent*) override {}
    bool RunTests() override { return true; }
};

class PlainComponent : public GameObjectComponent
{
public:
    explicit PlainComponent(bool assignId) : GameObjectComponent(assignId) {}
    u32 GetType() override { return 1; }
    std::string GetName() override { return "PlainComponent"; }
    void Shutdown() override {}
    void Deserialize(Serializer::XmlReader&) override {}
    void Serialize(Serializer::XmlWriter&) override {}
    void HandleMessage(Message*) override {}
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
    EXPECT_TRUE(system.RunTests());
    PlainComponent component(true);
    system.Register(&component);
    ASSERT_EQ(system.GetComponents().size(), 1u);
    EXPECT_EQ(system.GetComponents().front(), &component);
}
