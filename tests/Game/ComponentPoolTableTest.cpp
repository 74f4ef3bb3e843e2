// Covers: ComponentFactory.
// Every component class the game can create by name, with every subsystem registered as the game
// registers them, comes from the pool of its group: the pool of the subsystem its record's
// namespace names, but for the few classes another subsystem drives.
#include "Core/Engine.h"
#include "Core/Objects/ComponentFactory.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Reflection/TypeRegistry.h"
#include "Game/Registration.h"
#include <gtest/gtest.h>
#include <map>
#include <string>

namespace
{
// The pool of each subsystem, by the namespace of its records ("" for the core's).
const std::map<std::string, ComponentFactory::PoolId> PoolOfNamespace = {
    {"", ComponentFactory::CorePool},           {"Graphics", ComponentFactory::GraphicsPool},
    {"Physics", ComponentFactory::PhysicsPool}, {"Audio", ComponentFactory::AudioPool},
    {"Logic", ComponentFactory::LogicPool},     {"GameState", ComponentFactory::GameStatePool},
    {"AI", ComponentFactory::AIPool},
};

// The classes that live in the pool of the subsystem that drives them.
const std::map<std::string, ComponentFactory::PoolId> PoolOfDrivenClass = {
    {"ObjectBoneMountsComponent", ComponentFactory::GraphicsPool},
    {"OrbitComponent", ComponentFactory::GraphicsPool},
    {"HUDComponent", ComponentFactory::LogicPool},
    {"AIAttackAbilityComponent", ComponentFactory::AIPool},
};

// The namespace of the record named after the class; false when there is no such record.
bool NamespaceOfClass(const std::string& typeName, std::string& space)
{
    for (auto it = TypeRegistryBegin(); it != TypeRegistryEnd(); ++it)
    {
        const std::string& name = it->first;
        if (name == typeName)
        {
            space.clear();
            return true;
        }
        const std::string suffix = "::" + typeName;
        if (name.size() > suffix.size() &&
            name.compare(name.size() - suffix.size(), std::string::npos, suffix) == 0)
        {
            space = name.substr(0, name.size() - suffix.size());
            return true;
        }
    }
    return false;
}
} // namespace

TEST(ComponentPoolTable, EveryClassComesFromThePoolOfItsGroup)
{
    Engine engine;
    Game::RegisterSubsystems(engine);
    InitializeTypeRegistry();
    const ComponentFactory& factory = engine.GetFactory()->GetComponentFactory();
    ASSERT_FALSE(factory.GetEntries().empty());

    for (const ComponentFactory::Entry& entry : factory.GetEntries())
    {
        SCOPED_TRACE(entry.typeName);
        const auto driven = PoolOfDrivenClass.find(entry.typeName);
        if (driven != PoolOfDrivenClass.end())
        {
            EXPECT_EQ(entry.pool, driven->second);
            continue;
        }
        std::string space;
        ASSERT_TRUE(NamespaceOfClass(entry.typeName, space)) << "no record";
        const auto group = PoolOfNamespace.find(space);
        ASSERT_NE(group, PoolOfNamespace.end()) << "namespace '" << space << "'";
        EXPECT_EQ(entry.pool, group->second);
    }
    for (const auto& [typeName, pool] : PoolOfDrivenClass)
        EXPECT_NE(factory.FindEntry(typeName), nullptr) << typeName << " is not registered";
}
