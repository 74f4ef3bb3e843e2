// Covers: TypeRecord, ComponentFactory.
// The component records of the game, with every subsystem registered as the game registers
// them: every class the factory can create by name has its record below the component root (its
// registration makes it), and every record below the root reaches the root through registered
// bases. A few names have no class in the engine; their records exist all the same, with size 0.
#include "Core/Engine.h"
#include "Core/Objects/ComponentFactory.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObjectComponent.h"
#include "Core/Reflection/TypeRegistry.h"
#include "Game/Registration.h"
#include <gtest/gtest.h>
#include <map>
#include <string>

namespace
{
bool DescendsFromComponent(const TypeRecord& record)
{
    for (const TypeRecord* at = &record; at != nullptr; at = at->GetBase())
    {
        if (at == &TypeRecordOf<GameObjectComponent>())
            return true;
    }
    return false;
}

// The records below the component root, by name.
std::map<std::string, const TypeRecord*> ComponentRecords()
{
    std::map<std::string, const TypeRecord*> records;
    for (auto entry = TypeRegistryBegin(); entry != TypeRegistryEnd(); ++entry)
    {
        if (DescendsFromComponent(*entry->second))
            records[entry->first] = entry->second;
    }
    return records;
}

// The record named after the class, with or without its namespace.
const TypeRecord* RecordOfClass(const std::map<std::string, const TypeRecord*>& records,
                                const std::string& typeName)
{
    for (const auto& [name, record] : records)
    {
        if (name == typeName || (name.size() > typeName.size() + 2 &&
                                 name.compare(name.size() - typeName.size() - 2, std::string::npos,
                                              "::" + typeName) == 0))
            return record;
    }
    return nullptr;
}
} // namespace

TEST(ComponentRecordTree, EveryClassMadeByNameHasItsRecordBelowTheRoot)
{
    Engine engine;
    Game::RegisterSubsystems(engine);
    InitializeTypeRegistry();

    const std::map<std::string, const TypeRecord*> records = ComponentRecords();
    const ComponentFactory& factory = engine.GetFactory()->GetComponentFactory();
    ASSERT_FALSE(factory.GetEntries().empty());
    for (const ComponentFactory::Entry& entry : factory.GetEntries())
    {
        const TypeRecord* record = RecordOfClass(records, entry.typeName);
        if (record == nullptr)
            ADD_FAILURE() << entry.typeName << " has no record below the component root";
        else
            EXPECT_EQ(record->GetSize(), entry.size) << entry.typeName;
    }
}

TEST(ComponentRecordTree, EveryRecordReachesTheRootThroughRegisteredBases)
{
    Engine engine;
    Game::RegisterSubsystems(engine);
    InitializeTypeRegistry();

    const std::map<std::string, const TypeRecord*> records = ComponentRecords();
    for (const auto& [name, record] : records)
    {
        EXPECT_FALSE(record->IsPod()) << name;
        const TypeRecord* base = record->GetBase();
        if (record == &TypeRecordOf<GameObjectComponent>())
        {
            EXPECT_EQ(base, nullptr);
            continue;
        }
        ASSERT_NE(base, nullptr) << name;
        const auto found = records.find(base->GetName());
        EXPECT_TRUE(found != records.end() && found->second == base)
            << name << " names the base '" << base->GetName() << "', which is not registered";
    }
}
