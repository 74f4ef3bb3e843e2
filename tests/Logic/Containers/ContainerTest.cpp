// Covers: ContainerComponent, HealthContainerComponent, ExperienceContainerComponent.
// Containers: the clamped change, toughness, experience and its level-up calls into Lua, the
// lifetime's end, health bars and death.
#include "Core/Components/ObjectMountsComponent.h"
#include "GameState/HUDComponent.h"
#include "Graphics/Assets/MaterialManager.h"
#include "Logic/Abilities/AbilityComponent.h"
#include "Logic/Containers/ExperienceContainerComponent.h"
#include "Logic/Containers/HealthContainerComponent.h"
#include "Logic/Containers/LifetimeContainerComponent.h"
#include "Logic/Containers/ToughnessContainerComponent.h"
#include "Logic/Effects/HealthEffectComponent.h"
#include "Xml/XmlReader.h"
#include "Xml/XmlWriter.h"
#include "tests/Logic/LogicWorld.h"
#include <tinyxml2.h>
#include <vector>

namespace
{
using Logic::ContainerComponent;

// A container component's XML: current, minimum, maximum, then anything more.
std::string Values(f32 current, f32 minimum, f32 maximum, const std::string& more = "")
{
    return "<f32>" + std::to_string(current) + "</f32><f32>" + std::to_string(minimum) +
           "</f32><f32>" + std::to_string(maximum) + "</f32>" + more;
}

TEST(Container, AddClampsToTheBounds)
{
    struct Case
    {
        f32 minimum, maximum, current, delta, expected;
    };
    const Case cases[] = {
        {0, 100, 90, 20, 100}, {0, 100, 90, -150, 0}, {0, 100, 90, -5, 85},
        {10, 5, 0, 3, 10},     {10, 5, 0, -30, 10},   {10, 5, 0, 100, 10},
    };
    for (const Case& c : cases)
    {
        Logic::ToughnessContainerComponent container;
        container.SetMinimumStorage(c.minimum);
        container.SetMaximumStorage(c.maximum);
        container.currentStorage_ = c.current;
        container.Add(c.delta);
        EXPECT_EQ(container.GetCurrentStorage(), c.expected)
            << c.minimum << ".." << c.maximum << " " << c.current << " + " << c.delta;
    }
}

TEST(Container, ToughnessGivesTheDamageFactor)
{
    const std::pair<f32, f32> cases[] = {{0.0f, 10.0f}, {4.0f, 0.25f}, {0.000001f, 10.0f}};
    for (const auto& [toughness, factor] : cases)
    {
        Logic::ToughnessContainerComponent container;
        container.SetMaximumStorage(100.0f);
        container.Add(toughness);
        EXPECT_FLOAT_EQ(container.GetDamageFactor(), factor) << toughness;
    }
}

TEST(Container, AKindReadsAndWritesTheBaseRowsBeforeItsOwn)
{
    tinyxml2::XMLDocument document;
    ASSERT_EQ(document.Parse(("<T>" + Values(4, 0, 10, "<f32>0.5</f32>") + "</T>").c_str()),
              tinyxml2::XML_SUCCESS);
    Logic::ToughnessContainerComponent container;
    Serializer::XmlReader reader(document.RootElement(), true);
    container.Deserialize(reader);
    EXPECT_EQ(container.GetCurrentStorage(), 4.0f);
    EXPECT_EQ(container.GetMaximumStorage(), 10.0f);
    EXPECT_EQ(container.GetDamageFactor(), 0.5f) << "the kind's row is read after the base's";

    tinyxml2::XMLElement* written = document.NewElement("T");
    Serializer::XmlWriter writer(document, written);
    container.Serialize(writer);
    u32 elements = 0;
    for (const tinyxml2::XMLElement* e = written->FirstChildElement(); e != nullptr;
         e = e->NextSiblingElement())
        ++elements;
    EXPECT_EQ(elements, 4u);
}

class ContainerWorld : public LogicWorld
{
};

TEST_F(ContainerWorld, ExperienceLevelsUpAndCallsLevelUpOnEveryAbility)
{
    WriteScript("Counter.lua", "levelUps = 0\ncharacter = 0\n"
                               "function LevelUp(id) levelUps = levelUps + 1 character = id end\n");
    Start();
    const std::string ability = "<AbilityComponent><filename>Counter.lua</filename>"
                                "<scriptName>Counter</scriptName></AbilityComponent>";
    GameObject* hero =
        Make("Hero", ability + ability + "<ExperienceContainerComponent>" +
                         Values(0, 0, 100,
                                "<s32>0</s32><s32>2</s32>"
                                "<experienceToNextLevel.0>10</experienceToNextLevel.0>"
                                "<experienceToNextLevel.1>20</experienceToNextLevel.1>") +
                         "</ExperienceContainerComponent>");
    ASSERT_NE(hero, nullptr);
    auto* experience = hero->GetComponent<Logic::ExperienceContainerComponent>();
    ASSERT_NE(experience, nullptr) << log.Text();
    ASSERT_EQ(experience->GetLevelCount(), 2);

    auto levelUps = [&]()
    {
        s32 total = 0;
        for (GameObjectComponent* c :
             hero->GetComponents(ComponentTypeId<Logic::AbilityComponent>()))
        {
            s32 count = 0;
            static_cast<Logic::AbilityComponent*>(c)->GetScript()->GetGlobalInt("levelUps", count);
            total += count;
        }
        return total;
    };
    experience->Add(25.0f);
    EXPECT_EQ(experience->GetLevel(), 1);
    EXPECT_FLOAT_EQ(experience->GetThresholds()[1], 5.0f);
    EXPECT_EQ(levelUps(), 2) << "one call per ability";
    s32 character = 0;
    hero->GetComponent<Logic::AbilityComponent>()->GetScript()->GetGlobalInt("character",
                                                                             character);
    EXPECT_EQ(static_cast<u32>(character), hero->GetId()) << "each is told whose level rose";
    EXPECT_EQ(experience->GetCurrentStorage(), 0.0f);

    experience->Add(30.0f); // the last level, and 25 over
    EXPECT_EQ(experience->GetLevel(), 2);
    EXPECT_EQ(levelUps(), 4);
    EXPECT_FLOAT_EQ(experience->GetCurrentStorage(), 25.0f);
    experience->Add(30.0f); // every level done: the base rule
    EXPECT_FLOAT_EQ(experience->GetCurrentStorage(), 55.0f);
    EXPECT_EQ(levelUps(), 4);
}

TEST_F(ContainerWorld, ExperienceCountsAreCheckedAgainstTheFile)
{
    Start();
    GameObject* negative = Make("Negative", "<ExperienceContainerComponent>" +
                                                Values(0, 0, 10, "<s32>0</s32><s32>-3</s32>") +
                                                "</ExperienceContainerComponent>");
    EXPECT_EQ(negative->GetComponent<Logic::ExperienceContainerComponent>()->GetLevelCount(), 0);
    GameObject* short_ =
        Make("Short", "<ExperienceContainerComponent>" +
                          Values(0, 0, 10, "<s32>0</s32><s32>5</s32><f32>7</f32>") +
                          "</ExperienceContainerComponent>");
    const auto* experience = short_->GetComponent<Logic::ExperienceContainerComponent>();
    EXPECT_EQ(experience->GetThresholds(), std::vector<f32>{7.0f});
    EXPECT_TRUE(log.Contains("object " + std::to_string(short_->GetId()) +
                             " names 5 levels but holds 1 thresholds"))
        << log.Text();
}

TEST_F(ContainerWorld, LifetimeDestroysItsObjectInTheFourthFrame)
{
    Start();
    GameObject* bolt = Make("Bolt", "<LifetimeContainerComponent>" + Values(0, 0, 2) +
                                        "</LifetimeContainerComponent>");
    const u32 id = bolt->GetId();
    for (int frame = 1; frame <= 4; ++frame)
    {
        Tick(0.5f);
        Deliver();
        EXPECT_EQ(Find(id) == nullptr, frame == 4) << "frame " << frame;
    }
}

// An enemy with a health bar of two elements (the bar and its frame) and a test controller.
class HealthWorld : public LogicWorld
{
protected:
    void SetUp() override
    {
        Start();
        materials.Load("HealthBarEnemy", 0);
        materials.Load("Default", 0);
        const std::string element = "<HUDComponent><Material>%s</Material>"
                                    "<Scale X=\"1\" Y=\"1\"/></HUDComponent>";
        auto withMaterial = [&](const std::string& name)
        {
            std::string xml = element;
            return xml.replace(xml.find("%s"), 2, name);
        };
        Make("HealthBarEnemy", withMaterial("HealthBarEnemy") + withMaterial("Frame"));
        enemy = Make("Enemy", "<TransformComponent/><ObjectMountsComponent><HealthBarEnemy/>"
                              "</ObjectMountsComponent><ControllerProbe/>"
                              "<HealthContainerComponent>" +
                                  Values(100, 0, 100) + "</HealthContainerComponent>");
        ASSERT_NE(enemy, nullptr);
        health = enemy->GetComponent<Logic::HealthContainerComponent>();
        const u32 barId =
            enemy->GetComponent<ObjectMountsComponent>()->FindMountByName("HealthBarEnemy");
        ASSERT_NE(Find(barId), nullptr);
        for (GameObjectComponent* c :
             Find(barId)->GetComponents(ComponentTypeId<GameState::HUDComponent>()))
            elements.push_back(static_cast<GameState::HUDComponent*>(c));
        ASSERT_EQ(elements.size(), 2u);
    }

    Graphics::MaterialManager materials;
    GameObject* enemy = nullptr;
    Logic::HealthContainerComponent* health = nullptr;
    std::vector<GameState::HUDComponent*> elements;
};

TEST_F(HealthWorld, EnemyBarShowsTheFractionAndHidesAtFullHealth)
{
    EXPECT_EQ(elements[0]->GetMaterialName(), "HealthBarEnemy");
    EXPECT_EQ(elements[1]->GetMaterialName(), "Default") << "an unknown material falls back";
    EXPECT_EQ(elements[0]->colour, Math::ColorRGBA(1, 1, 1, 1))
        << "an enemy's fill keeps its own red; only a character's is tinted green";
    for (const GameState::HUDComponent* element : elements)
        EXPECT_EQ(element->alpha, 0.0f) << "a bar mounted before the container starts hidden";
    struct Step
    {
        f32 delta, width, alpha;
    };
    const Step steps[] = {{-50, 0.125f, 1.0f}, {-25, 0.0625f, 1.0f}, {75, 0.25f, 0.0f}};
    for (const Step& step : steps)
    {
        health->Add(step.delta);
        EXPECT_FLOAT_EQ(elements[0]->displayScale.x, step.width) << step.delta;
        EXPECT_EQ(elements[1]->displayScale.x, 1.0f) << "other elements keep their width";
        for (const GameState::HUDComponent* element : elements)
            EXPECT_EQ(element->alpha, step.alpha) << step.delta;
    }
    health->SetMaximumStorage(0.0f);
    health->Add(0.0f);
    EXPECT_EQ(elements[0]->displayScale.x, 0.0f) << "no maximum: no bar";
}

TEST_F(HealthWorld, AnEnemyDiesOnceUnderTwoHitsInOneFrame)
{
    const u32 id = enemy->GetId();
    for (int hit = 0; hit < 2; ++hit)
    {
        auto* effect = static_cast<Logic::HealthEffectComponent*>(
            Factory().CreateComponent("HealthEffectComponent"));
        effect->Setup(1.0f, 80.0f, false, false);
        enemy->AddComponent(effect);
    }
    auto* messages = Core::System::MessageSystem::Instance();
    const std::size_t before = messages->GetQueueSize() + messages->GetObjectMessageCount();
    Tick(0.1f);
    EXPECT_EQ(health->GetCurrentStorage(), 0.0f);
    // One experience area (create, position) and one destruction.
    EXPECT_EQ(messages->GetQueueSize() + messages->GetObjectMessageCount() - before, 3u);
    Deliver();
    EXPECT_EQ(Find(id), nullptr);
    EXPECT_TRUE(log.Contains("Invalid object definition: ObjectTestExperienceArea")) << log.Text();
}
} // namespace
