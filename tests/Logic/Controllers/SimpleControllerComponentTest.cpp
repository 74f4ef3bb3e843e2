// Covers: SimpleControllerComponent, StanceComponent, HUDComponent.
// The player controller: input mapping with and without game controllers, alternates, cooldown
// polling and the skill icons, run and idle, stance hand-off, pause and the arena bound.
#include "Logic/Controllers/SimpleControllerComponent.h"
#include "Core/Components/ObjectMountsComponent.h"
#include "Core/Components/TransformComponent.h"
#include "Core/Messages/Gameplay/SetPlayerNumberMessage.h"
#include "Core/Messages/Graphics/AnimationSwapMessage.h"
#include "Core/Messages/Graphics/WindowResizeMessage.h"
#include "Core/Messages/Input/InputActionMessage.h"
#include "Core/Messages/Input/InputCodes.h"
#include "Core/Messages/Input/InputCursorMessage.h"
#include "Core/Messages/Input/InputMoveMessage.h"
#include "Core/Messages/UserInterface/GameStateMessage.h"
#include "Core/System/InputSystem.h"
#include "GameState/GameStateSystem.h"
#include "GameState/HUDComponent.h"
#include "Graphics/Assets/MaterialManager.h"
#include "Logic/Effects/KnockbackEffectComponent.h"
#include "Logic/Movement/MoveComponent.h"
#include "Logic/Stances/StanceComponent.h"
#include "tests/Logic/LogicWorld.h"
#include "tests/Platform/Support/FakeWindowLayer.h"
#include "tests/Support/QueuedMessages.h"
#include <cmath>
#include <vector>

namespace
{
// Each ability script counts its fires and its cooldown questions; "canFire" and "cooled"
// decide its answers.
const char* const AbilityScript = "fired = 0 asked = 0 canFire = true cooled = false\n"
                                  "function ActivateAbility(id) if canFire then fired = fired + "
                                  "1 end return canFire end\n"
                                  "function IsCooledDown() asked = asked + 1 return cooled end\n";

const char* const IconNames[] = {"HealthBarSkillOneOn",   "HealthBarSkillOneOff",
                                 "HealthBarSkillTwoOn",   "HealthBarSkillTwoOff",
                                 "HealthBarSkillThreeOn", "HealthBarSkillThreeOff",
                                 "HealthBarSkillFourOn",  "HealthBarSkillFourOff"};

class PlayerWorld : public LogicWorld
{
protected:
    void SetUp() override
    {
        Start();
        for (const char* icon : IconNames)
            materials.Load(icon, 0);
        WriteScript("Ability.lua", AbilityScript);
        std::string hud;
        for (int element = 0; element < 6; ++element)
            hud += "<HUDComponent><Material>Default</Material></HUDComponent>";
        Make("HealthBarCharacter", "<TransformComponent/>" + hud);
    }

    // A character with that many abilities and the given stances; player 0.
    Logic::SimpleControllerComponent* Hero(int abilities,
                                           const std::string& stances = "<BeaconStanceComponent/>")
    {
        std::string xml = "<TransformComponent/><ObjectMountsComponent><HealthBarCharacter/>"
                          "</ObjectMountsComponent>";
        for (int i = 0; i < abilities; ++i)
            xml += "<AbilityComponent><filename>Ability.lua</filename><scriptName>slot" +
                   std::to_string(i) + "</scriptName></AbilityComponent>";
        xml += "<StaticMoveComponent><f32>1</f32></StaticMoveComponent>" + stances +
               "<SimpleControllerComponent><s32>0</s32></SimpleControllerComponent>";
        // Definitions are read once per name: every hero gets a name of its own.
        hero = Make("Hero" + std::to_string(++heroes), xml);
        controller = hero->GetComponent<Logic::SimpleControllerComponent>();
        EXPECT_EQ(controller->GetAbilityCount(), static_cast<u32>(abilities)) << log.Text();
        return controller;
    }

    s32 Global(u32 position, const char* name)
    {
        s32 value = -1;
        controller->GetAbilityScript(position)->GetGlobalInt(name, value);
        return value;
    }
    void SetGlobal(u32 position, const char* name, bool value)
    {
        lua_State* state = controller->GetAbilityScript(position)->GetState();
        lua_pushboolean(state, value ? 1 : 0);
        lua_setglobal(state, name);
    }
    void Action(u32 action, u32 state, u32 player = 0)
    {
        InputActionMessage message(0, player, action, state, 0);
        controller->HandleMessage(&message);
    }
    void Move(u32 state, const Math::Vector2& direction = Math::Vector2(1.0f, 0.0f))
    {
        InputMoveMessage message(0, 0, direction, state, 0);
        controller->HandleMessage(&message);
    }
    std::vector<std::string> Icons()
    {
        const u32 bar =
            hero->GetComponent<ObjectMountsComponent>()->FindMountByName("HealthBarCharacter");
        std::vector<std::string> names;
        for (GameObjectComponent* c :
             Find(bar)->GetComponents(ComponentTypeId<GameState::HUDComponent>()))
            names.push_back(static_cast<GameState::HUDComponent*>(c)->GetMaterialName());
        return {names.begin() + 2, names.end()};
    }
    // The animations asked for since the last call, in order.
    std::vector<std::string> Animations()
    {
        QueuedMessages queued(*Core::System::MessageSystem::Instance());
        std::vector<std::string> names;
        for (std::size_t i = 0; i < queued.size(); ++i)
            if (auto* swap = queued.As<AnimationSwapMessage>(i))
                names.push_back(swap->animationName);
        return names;
    }

    Graphics::MaterialManager materials;
    int heroes = 0;
    GameObject* hero = nullptr;
    Logic::SimpleControllerComponent* controller = nullptr;
};

TEST_F(PlayerWorld, KeyboardSelectsWithOneToFourFiresOnThePressOfZero)
{
    Hero(4);
    struct Step
    {
        u32 action, state;
        u32 selected;
        s32 firedOfSelected;
        bool unhandled;
    };
    const Step steps[] = {
        {0, KS_PRESSED, 0, 0, false}, {0, KS_RELEASE, 0, 0, false}, {0, KS_TRIGGER, 0, 1, false},
        {3, KS_TRIGGER, 2, 0, false}, {3, KS_PRESSED, 2, 0, false}, {0, KS_TRIGGER, 2, 1, false},
        {9, KS_PRESSED, 2, 1, false}, {9, KS_TRIGGER, 2, 1, true},  {1, KS_TRIGGER, 0, 1, false},
        {5, KS_TRIGGER, 0, 1, false}, // four abilities: no alternates, no line
    };
    for (const Step& step : steps)
    {
        SCOPED_TRACE(std::to_string(step.action) + " " + GetKeyStateName(step.state));
        const std::size_t lines = log.Count("Unhandled Ability Action");
        Action(step.action, step.state);
        EXPECT_EQ(controller->GetSelected(), step.selected);
        EXPECT_EQ(Global(step.selected, "fired"), step.firedOfSelected);
        EXPECT_EQ(log.Count("Unhandled Ability Action") - lines, step.unhandled ? 1u : 0u);
    }
    Action(0, KS_TRIGGER, 1);
    EXPECT_EQ(Global(0, "fired"), 1) << "another player's input";
}

TEST_F(PlayerWorld, AGamepadButtonSelectsOnEveryRepeatAndFiresOnlyOnThePress)
{
    FakeWindowLayer layer;
    layer.open = true;
    auto* input = static_cast<Core::System::InputSystem*>(engine->AddSystem("InputSystem"));
    ASSERT_NE(input, nullptr);
    WindowResizeMessage resize(0, Math::Vector2(1024.0f, 768.0f), 0u);
    input->HandleMessage(&resize);
    layer.PlugController(0);
    input->Update(0.01f);
    ASSERT_EQ(input->GetControllerCount(), 1u);
    Hero(3);

    Action(2, KS_TRIGGER);
    Action(1, KS_TRIGGER);
    for (int repeat = 0; repeat < 3; ++repeat)
    {
        Action(2, KS_PRESSED);
        EXPECT_EQ(controller->GetSelected(), 1u);
    }
    EXPECT_EQ(Global(1, "fired"), 1);
    EXPECT_EQ(Global(0, "fired"), 1);
    Action(4, KS_TRIGGER);
    EXPECT_EQ(controller->GetSelected(), 1u) << "slot 3 is beyond three abilities";
    const std::size_t lines = log.Count("Unhandled Ability Action");
    Action(0, KS_TRIGGER);
    Action(5, KS_PRESSED);
    EXPECT_EQ(log.Count("Unhandled Ability Action") - lines, 2u);
    EXPECT_EQ(Global(1, "fired"), 1);
}

TEST_F(PlayerWorld, SwapsExchangeAlternatesButNotTheirReadyBits)
{
    struct Case
    {
        int abilities;
        std::vector<u32> order; // the script positions after one swap
    };
    const Case cases[] = {{5, {0, 4, 2, 3, 1}},
                          {6, {0, 4, 5, 3, 1, 2}},
                          {7, {0, 4, 5, 6, 1, 2, 3}},
                          {8, {0, 1, 2, 3, 4, 5, 6, 7}}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.abilities);
        Hero(c.abilities);
        const std::vector<Scripting::LuaComponent*> before = controller->GetAbilityScripts();
        Action(2, KS_TRIGGER);
        Action(0, KS_TRIGGER); // position 1 is no longer ready
        Action(5, KS_TRIGGER);
        for (std::size_t i = 0; i < c.order.size(); ++i)
            EXPECT_EQ(controller->GetAbilityScript(static_cast<u32>(i)), before[c.order[i]]) << i;
        EXPECT_FALSE(controller->IsReady(1));
        Action(5, KS_TRIGGER);
        EXPECT_EQ(controller->GetAbilityScripts(), before) << "a second swap gives them back";
    }
}

TEST_F(PlayerWorld, AFiredAbilityShowsItsOffIconUntilItsScriptSaysItIsCooled)
{
    Hero(4);
    controller->Update(0.1f);
    EXPECT_EQ(Icons(), (std::vector<std::string>{"HealthBarSkillOneOn", "HealthBarSkillTwoOn",
                                                 "HealthBarSkillThreeOn", "HealthBarSkillFourOn"}));
    SetGlobal(3, "canFire", false);
    Action(4, KS_TRIGGER);
    Action(0, KS_TRIGGER);
    EXPECT_TRUE(controller->IsReady(3)) << "a refused fire changes nothing";
    Action(3, KS_TRIGGER);
    Action(0, KS_TRIGGER);
    for (int frame = 0; frame < 2; ++frame)
        controller->Update(0.1f);
    EXPECT_EQ(Icons()[2], "HealthBarSkillThreeOff");
    EXPECT_EQ(Icons()[3], "HealthBarSkillFourOn");
    EXPECT_EQ(Global(2, "asked"), 2);
    EXPECT_EQ(Global(3, "asked"), 0) << "ready abilities are not asked";
    SetGlobal(2, "cooled", true);
    for (int frame = 0; frame < 2; ++frame)
        controller->Update(0.1f);
    EXPECT_EQ(Icons()[2], "HealthBarSkillThreeOn");
    EXPECT_EQ(Global(2, "asked"), 3);
}

TEST_F(PlayerWorld, RunStartsOnceAndIdleEndsIt)
{
    Hero(1);
    struct Step
    {
        u32 state;
        std::vector<std::string> animations;
        bool moving;
    };
    const Step steps[] = {{KS_TRIGGER, {"Run"}, true},   {KS_PRESSED, {}, true},
                          {KS_RELEASE, {"Idle"}, false}, {KS_PRESSED, {"Run"}, true},
                          {KS_PRESSED, {}, true},        {KS_RELEASE, {"Idle"}, false}};
    Animations();
    for (const Step& step : steps)
    {
        Move(step.state);
        EXPECT_EQ(Animations(), step.animations) << GetKeyStateName(step.state);
        EXPECT_EQ(controller->IsMoving(), step.moving);
    }
    const auto* move = hero->GetComponent<Logic::MoveComponent>();
    EXPECT_EQ(move->GetDirection(), Math::Vector4(4, 0, 0, 0)) << "all but the releases";
}

TEST_F(PlayerWorld, ADisabledControllerOnlyReleasesStancesAndStopsMoving)
{
    Hero(2, "<SlowStanceComponent><f32>0.5</f32></SlowStanceComponent>"
            "<BeaconStanceComponent/><ArcherStanceComponent/>");
    ASSERT_NE(controller->GetStance(), nullptr);
    EXPECT_EQ(controller->GetStance()->GetName(), "BeaconStanceComponent")
        << "the first that is no slow stance";
    std::vector<Logic::StanceComponent*> stances;
    for (GameObjectComponent* c : hero->GetComponents(ComponentTypeId<Logic::StanceComponent>()))
        stances.push_back(static_cast<Logic::StanceComponent*>(c));
    stances[0]->Toggle();
    stances[1]->Toggle();
    Move(KS_TRIGGER);
    controller->SetDisabled(true);
    EXPECT_FALSE(controller->IsMoving());

    for (u32 action = 1; action <= 5; ++action)
        Action(action, KS_TRIGGER);
    EXPECT_EQ(controller->GetSelected(), 0u);
    EXPECT_EQ(Global(0, "fired"), 0);
    Action(0, KS_RELEASE);
    for (const Logic::StanceComponent* stance : stances)
        EXPECT_FALSE(stance->IsTriggered()) << stance->GetName();
    Animations();
    Move(KS_TRIGGER);
    EXPECT_TRUE(Animations().empty());
    EXPECT_FALSE(controller->IsMoving());
}

TEST_F(PlayerWorld, WhileThePauseLastsEvenThePlayerNumberStays)
{
    Hero(1);
    engine->AddSystem("GameStateSystem");
    auto* states = GameState::System::GameStateSystem::Instance();
    ASSERT_NE(states, nullptr);
    GameStateMessage pause(0, GSM_PAUSE, 0);
    states->HandleMessage(&pause);
    SetPlayerNumberMessage number(0, 3, hero->GetId());
    controller->HandleMessage(&number);
    Action(0, KS_TRIGGER);
    EXPECT_EQ(controller->GetPlayerNumber(), 0);
    EXPECT_EQ(Global(0, "fired"), 0);
    GameStateMessage resume(0, GSM_RESUME, 0);
    states->HandleMessage(&resume);
    controller->HandleMessage(&number);
    EXPECT_EQ(controller->GetPlayerNumber(), 3);
}

TEST_F(PlayerWorld, TheArenaPullsBackOnlyBeyondFiftyFiveUnits)
{
    Hero(0);
    auto* transform = hero->GetComponent<TransformComponent>();
    const u32 effects = ComponentTypeId<Logic::EffectComponent>();
    const f32 side = 55.0f / std::sqrt(2.0f);
    transform->SetPosition(Math::Point4(side, 0.0f, side, 1.0f));
    controller->Update(0.1f);
    EXPECT_TRUE(hero->GetComponents(effects).empty()) << "55 units is inside";

    transform->SetPosition(Math::Point4(0.0f, 0.0f, -55.01f, 1.0f));
    controller->Update(0.1f);
    controller->Update(0.1f);
    const std::vector<GameObjectComponent*> added = hero->GetComponents(effects);
    ASSERT_EQ(added.size(), 2u) << "one every update outside";
    const auto* pull = dynamic_cast<Logic::KnockbackEffectComponent*>(added[0]);
    ASSERT_NE(pull, nullptr);
    EXPECT_FLOAT_EQ(pull->GetTargetPoint().z, -54.61f);
    EXPECT_EQ(pull->GetTargetPoint().w, 1.0f);
    EXPECT_FLOAT_EQ(pull->GetTimeToLast(), 0.05f);
    EXPECT_TRUE(pull->IsTemporary());
    EXPECT_FALSE(pull->IsApplied());
}
} // namespace
