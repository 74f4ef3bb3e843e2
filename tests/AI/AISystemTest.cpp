// The AI system and its world state: tracked kinds and their order, removal by swapping in the
// last entry, the damage fraction, hostility, KillAIMessage, a component joining during the
// walk, and the hooks it serves to the game rules and the scripts.
#include "AI/Behaviors/RandomBehaviorComponent.h"
#include "AI/Spawning/AISpawnComponent.h"
#include "Core/Messages/Gameplay/KillAIMessage.h"
#include "Logic/LogicServices.h"
#include "tests/AI/AIWorld.h"
#include <vector>

namespace
{
using AI::WorldStateEntry;

std::vector<u32> EntryIds(const AI::WorldStateComponent& world)
{
    std::vector<u32> ids;
    for (const WorldStateEntry& entry : world.GetEntries())
        ids.push_back(entry.objectId);
    return ids;
}

TEST_F(AIWorld, WorldStateTracksPlayersFirstThenEnemiesAndSwapsInTheLastOnRemoval)
{
    GameObject* enemyA = Enemy(5, 0, "");
    GameObject* golem = Player(0, 0, "CharacterGolem");
    GameObject* enemyB = Enemy(6, 0, "", "CharacterAITank");
    GameObject* mage = Player(1, 0, "CharacterMage");
    GameObject* stranger = Player(2, 0, "CharacterStranger");
    GameObject* enemyC = Enemy(7, 0, "", "CharacterAIFlock");
    // A tracked name without a health container gets no entry (tried again next refresh).
    GameObject* bare = Make("CharacterAISpeedy", At(3, 3) + "<AIControllerComponent/>");
    ASSERT_NE(bare, nullptr);
    Tick(0.1f);
    EXPECT_EQ(EntryIds(World()), (std::vector<u32>{golem->GetId(), mage->GetId(), enemyA->GetId(),
                                                   enemyB->GetId(), enemyC->GetId()}));
    std::vector<s32> kinds;
    for (const WorldStateEntry& entry : World().GetEntries())
        kinds.push_back(entry.kind);
    EXPECT_EQ(kinds, (std::vector<s32>{0, 2, 4, 6, 8}));
    EXPECT_EQ(WorldStateEntry::KindFromArchetype(*stranger), WorldStateEntry::UntrackedKind);
    EXPECT_EQ(World().GetEntries()[0].damageFraction, WorldStateEntry::NoDamage);

    // Refresh copies the position and health; the damage fraction stays -1 without a container.
    Transform(*enemyB).SetPosition(Math::Point4(9, 0, 9, 1));
    enemyB->GetComponent<Logic::HealthContainerComponent>()->Add(-25.0f);
    Tick(0.1f);
    const WorldStateEntry* tank = World().Find(enemyB->GetId());
    ASSERT_NE(tank, nullptr);
    EXPECT_EQ(tank->position, Math::Point4(9, 0, 9, 1));
    EXPECT_FLOAT_EQ(tank->healthFraction, 0.75f);
    EXPECT_EQ(tank->damageFraction, WorldStateEntry::NoDamage);

    // The mage leaves from the middle: the last entry takes its slot.
    Factory().DestroyObject(mage->GetId());
    Tick(0.1f);
    EXPECT_EQ(EntryIds(World()), (std::vector<u32>{golem->GetId(), enemyC->GetId(), enemyA->GetId(),
                                                   enemyB->GetId()}));
}

TEST_F(AIWorld, WorldStateReadsTheDamageFractionAndAZeroMaximum)
{
    GameObject* enemy = Make("CharacterAIRanged",
                             At(0, 0) + Health(5, 0) +
                                 "<DamageContainerComponent><f32>30</f32><f32>0</f32><f32>60</f32>"
                                 "</DamageContainerComponent><AIControllerComponent/>");
    ASSERT_NE(enemy, nullptr);
    Tick(0.1f);
    const WorldStateEntry* entry = World().Find(enemy->GetId());
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->kind, 5);
    EXPECT_EQ(entry->healthFraction, 0.0f) << "a maximum of 0 gives fraction 0";
    EXPECT_FLOAT_EQ(entry->damageFraction, 0.5f);
}

TEST(WorldStateEntry, HostilityFollowsTheKinds)
{
    auto hostile = [](s32 a, s32 b)
    {
        WorldStateEntry first, second;
        first.kind = a;
        second.kind = b;
        return first.IsHostileTo(second);
    };
    for (s32 enemy = 4; enemy <= 8; ++enemy)
    {
        for (s32 player = 0; player <= 2; ++player)
        {
            EXPECT_TRUE(hostile(enemy, player)) << enemy << " to " << player;
            EXPECT_TRUE(hostile(player, enemy)) << player << " to " << enemy;
        }
        EXPECT_FALSE(hostile(enemy, enemy));
    }
    EXPECT_TRUE(hostile(3, 0)) << "kind 3 would be hostile to players";
    EXPECT_FALSE(hostile(0, 3)) << "but not the other way round";
    EXPECT_FALSE(hostile(0, 1));
    EXPECT_FALSE(hostile(9, 0));
    EXPECT_FALSE(hostile(10, 0));
    EXPECT_FALSE(hostile(0, 9));
}

TEST_F(AIWorld, KillAIRemovesTheOwnersOfControllersAndSpawnersAfterOneMessageUpdate)
{
    GameObject* player = Player(0, 0);
    GameObject* enemy = Enemy(3, 0, "");
    GameObject* spawner =
        Make("Spawner", At(0, 0) + "<AISpawnComponent><string>Nothing</string><s32>1</s32>"
                                   "<f32>3</f32><f32>10</f32></AISpawnComponent>");
    // An object with both is destroyed once.
    GameObject* both =
        Make("Both", At(0, 0) + "<AIControllerComponent/><AISpawnComponent><string>Nothing"
                                "</string><s32>1</s32><f32>3</f32><f32>10</f32>"
                                "</AISpawnComponent>");
    const u32 ids[] = {enemy->GetId(), spawner->GetId(), both->GetId()};
    EXPECT_EQ(AISys().GetAIControllers().size(), 2u);
    EXPECT_EQ(AISys().CountSpawners(), 2u);

    auto* messages = Core::System::MessageSystem::Instance();
    const std::size_t before = messages->GetQueueSize() + messages->GetObjectMessageCount();
    KillAIMessage kill(0, "AISystem");
    AISys().HandleMessage(&kill);
    EXPECT_EQ(messages->GetQueueSize() + messages->GetObjectMessageCount() - before, 3u)
        << "one destroy per object";
    messages->Update(0.0f);
    for (u32 id : ids)
        EXPECT_EQ(Find(id), nullptr) << id;
    EXPECT_NE(Find(player->GetId()), nullptr);
    EXPECT_EQ(AISys().GetAIControllers().size(), 0u);
    EXPECT_EQ(AISys().CountSpawners(), 0u);
    EXPECT_EQ(AISys().GetCount(), 0u) << "every component left with its object";
}

// A component that makes a Random behaviour's child during the walk, as a swap does.
TEST_F(AIWorld, AComponentJoiningDuringTheWalkIsVisitedByIt)
{
    GameObject* enemy = Enemy(0, 0, "<RandomBehaviorComponent/>");
    ASSERT_NE(enemy, nullptr);
    const std::size_t before = AISys().GetCount();
    Tick(5.5f);
    auto* random = Get<AI::RandomBehaviorComponent>(*enemy);
    ASSERT_NE(random, nullptr);
    EXPECT_NE(random->GetChildId(), 0u);
    EXPECT_EQ(AISys().GetCount(), before + 1) << "the child joined during the walk";
    Deliver();
    EXPECT_NE(enemy->GetComponentById(random->GetChildId()), nullptr);
}

TEST_F(AIWorld, HooksServeTheGameRules)
{
    GameObject* player = Player(0, 0);
    GameObject* first = Enemy(3, 0,
                              "<SeekBehaviorComponent><f32>0</f32><bool>1</bool>"
                              "<f32>1</f32><f32>2</f32><f32>1</f32><f32>2</f32>"
                              "<bool>0</bool></SeekBehaviorComponent>");
    Enemy(4, 0, "");
    EXPECT_EQ(Logic::Services().aiControllerCount(), 2u);
    Logic::Services().setAIControllerTargets(player->GetId());
    auto* seek = Get<AI::BehaviorComponent>(*first);
    ASSERT_NE(seek, nullptr);
    EXPECT_EQ(seek->GetTarget(), player->GetId());
}
} // namespace
