// Covers: AISpawnComponent, SpawnChildrenComponent.
// Enemy spawning: a spawner's waves over its lifetime and its removal, the offsets and delays of
// a wave, the log line, the written lifetime, and splitting enemies with their death.
#include "AI/Spawning/AISpawnComponent.h"
#include "AI/Spawning/SpawnChildrenComponent.h"
#include "Core/Messages/Gameplay/PositionSetMessage.h"
#include "Core/Messages/Object/ObjectCreateMessage.h"
#include "Xml/XmlFile.h"
#include "tests/AI/AIWorld.h"
#include <cmath>
#include <regex>
#include <tinyxml2.h>
#include <vector>

namespace
{
constexpr const char* WaveLine = "spawned a wave of";

std::string Spawner(s32 count, f32 interval, f32 lifetime)
{
    std::ostringstream text;
    text << "<AISpawnComponent><string>Nothing</string><s32>" << count << "</s32><f32>" << interval
         << "</f32><f32>" << lifetime << "</f32></AISpawnComponent>";
    return text.str();
}

class SpawnWorld : public AIWorld
{
public:
    // Takes every queued message off the message system.
    std::vector<Message*> TakeQueued()
    {
        std::vector<Message*> taken;
        while (Message* message = Core::System::MessageSystem::Instance()->PopFront())
            taken.push_back(message);
        return taken;
    }
    static void Destroy(std::vector<Message*>& messages)
    {
        for (Message* message : messages)
            DestroyMessage(message);
        messages.clear();
    }
};

TEST_F(SpawnWorld, ASpawnerMakesWavesAtThreeSixAndNineAndLeavesAtTen)
{
    GameObject* spawner = Make("Spawner", At(0, 0) + Spawner(1, 3, 10));
    ASSERT_NE(Get<AI::AISpawnComponent>(*spawner), nullptr);
    std::vector<f32> waves;
    const f32 step = 0.05f;
    for (int frame = 1; frame <= 200 && AISys().CountSpawners() != 0; ++frame)
    {
        const std::size_t before = log.Count(WaveLine);
        AISys().Update(step);
        if (log.Count(WaveLine) != before)
            waves.push_back(static_cast<f32>(frame) * step);
        Deliver();
        if (AISys().CountSpawners() == 0)
        {
            EXPECT_NEAR(static_cast<f32>(frame) * step, 10.0f, step * 1.5f);
        }
    }
    ASSERT_EQ(waves.size(), 3u) << log.Text();
    for (std::size_t i = 0; i < waves.size(); ++i)
        EXPECT_NEAR(waves[i], 3.0f * static_cast<f32>(i + 1), step * 1.5f);
    EXPECT_EQ(AISys().CountSpawners(), 0u);
    EXPECT_NE(Find(spawner->GetId()), nullptr) << "the spawner leaves, its object stays";

    GameObject* spent = Make("Spent", At(0, 0) + Spawner(1, 3, 0));
    AISys().Update(0.0f);
    Deliver();
    EXPECT_EQ(Get<AI::AISpawnComponent>(*spent), nullptr) << "lifetime 0: gone at once";
    EXPECT_EQ(log.Count(WaveLine), 3u) << "and no wave";
}

TEST_F(SpawnWorld, AWaveLiesOnTheGroundAroundTheSpawnerWithOneDelayPerObject)
{
    GameObject* spawner = Make("Spawner", At(10, -20) + Spawner(200, 1, 5));
    Transform(*spawner).SetPosition(Math::Point4(10, 7, -20, 1));
    auto* component = Get<AI::AISpawnComponent>(*spawner);
    ASSERT_NE(component, nullptr);
    TakeQueued();
    component->SpawnWave();
    std::vector<Message*> messages = TakeQueued();
    ASSERT_EQ(messages.size(), 400u);
    std::vector<f32> delays;
    for (std::size_t i = 0; i < messages.size(); i += 2)
    {
        auto* create = dynamic_cast<ObjectCreateMessage*>(messages[i]);
        auto* place = dynamic_cast<PositionSetMessage*>(messages[i + 1]);
        ASSERT_TRUE(create != nullptr && place != nullptr);
        EXPECT_EQ(create->archetype, "Nothing");
        EXPECT_EQ(place->targetObjectId, create->objectId);
        EXPECT_EQ(place->delay, create->delay) << "a pair arrives together";
        EXPECT_GE(create->delay, 0.0f);
        EXPECT_LE(create->delay, AI::AISpawnComponent::WaveSpread);
        delays.push_back(create->delay);
        const f32 x = place->position.x - 10.0f, z = place->position.z + 20.0f;
        EXPECT_EQ(place->position.y, 0.0f);
        EXPECT_LE(std::fabs(x), 3.0f + 1e-4f);
        EXPECT_LE(std::fabs(z), 3.0f + 1e-4f);
        EXPECT_GE(std::fabs(x) + std::fabs(z), 3.0f - 1e-4f) << x << ", " << z;
    }
    Destroy(messages);
    std::sort(delays.begin(), delays.end());
    EXPECT_GT(delays.back() - delays.front(), 0.5f) << "each object draws its own delay";

    // The log line, exactly.
    const std::regex line("(^|\\n)[0-9.e+-]+ Spawner:" + std::to_string(spawner->GetId()) +
                          " spawned a wave of 200 Nothing\\n($|[^\\n])");
    EXPECT_TRUE(std::regex_search(log.Text(), line)) << log.Text();
}

TEST_F(SpawnWorld, TheWrittenSpawnerKeepsItsRemainingLifetime)
{
    GameObject* spawner = Make("Spawner", At(0, 0) + Spawner(2, 4, 10));
    auto* component = Get<AI::AISpawnComponent>(*spawner);
    ASSERT_NE(component, nullptr);
    component->Update(2.5f);
    tinyxml2::XMLDocument document;
    GameObject::SerializeComponent(document, nullptr, *component);
    tinyxml2::XMLPrinter printer;
    document.Print(&printer);
    GameObject* copy = Make("Copy", At(0, 0) + printer.CStr());
    auto* copied = Get<AI::AISpawnComponent>(*copy);
    ASSERT_NE(copied, nullptr) << printer.CStr();
    EXPECT_EQ(copied->GetArchetype(), "Nothing");
    EXPECT_EQ(copied->GetCount(), 2);
    EXPECT_FLOAT_EQ(copied->GetInterval(), 4.0f);
    EXPECT_FLOAT_EQ(copied->GetLifetime(), 7.5f);

    Make("Broken", At(0, 0) + Spawner(1, 0, 5));
    EXPECT_EQ(log.Count("Error [AISpawnComponent]: object Broken:"), 1u) << log.Text();
}

TEST_F(SpawnWorld, ASplittingEnemySplitsAtTheThresholdAndStillDies)
{
    GameObject* enemy =
        Make("CharacterAIMelee", At(0, 0) + Health() +
                                     "<AIControllerComponent/><SpawnChildrenComponent>"
                                     "<string>Nothing</string><s32>2</s32><f32>0.5</f32>"
                                     "</SpawnChildrenComponent>");
    auto* health = enemy->GetComponent<Logic::HealthContainerComponent>();
    ASSERT_NE(health, nullptr);
    Transform(*enemy).SetPosition(Math::Point4(1, 4, 1, 1));
    TakeQueued();
    struct Step
    {
        f32 delta;
        std::size_t waves;  // child waves so far
        std::size_t queued; // messages posted by this change
    };
    // A wave: two children (create, position each) and an experience area (create, position).
    const Step steps[] = {{-40, 0, 0}, {-10, 1, 6}, {5, 1, 0}, {-6, 2, 6}};
    for (const Step& step : steps)
    {
        health->Add(step.delta);
        std::vector<Message*> messages = TakeQueued();
        EXPECT_EQ(log.Count(WaveLine), step.waves) << step.delta;
        EXPECT_EQ(messages.size(), step.queued) << step.delta;
        for (Message* message : messages)
        {
            if (auto* place = dynamic_cast<PositionSetMessage*>(message);
                place != nullptr && message->delay > 0.0f)
            {
                EXPECT_EQ(place->position.y, 4.0f) << "children appear at the parent's height";
                EXPECT_GE(message->delay, AI::SpawnChildrenComponent::MinDelay);
                EXPECT_LE(message->delay, AI::SpawnChildrenComponent::MinDelay +
                                              AI::SpawnChildrenComponent::DelaySpread);
            }
        }
        Destroy(messages);
    }
    EXPECT_NE(log.Text().find("spawned a wave of 2 Nothing\n\n"), std::string::npos);

    // At 0 it splits once more, then dies as any enemy: one experience area, destroyed.
    const u32 id = enemy->GetId();
    health->Add(-100.0f);
    EXPECT_EQ(log.Count(WaveLine), 3u);
    std::size_t areas = 0;
    for (Message* message : TakeQueued())
    {
        if (auto* create = dynamic_cast<ObjectCreateMessage*>(message))
            areas += create->archetype == "ObjectTestExperienceArea" ? 1 : 0;
        Core::System::MessageSystem::Instance()->Enqueue(message);
    }
    EXPECT_EQ(areas, 1u);
    Deliver();
    EXPECT_EQ(Find(id), nullptr);
}
} // namespace
