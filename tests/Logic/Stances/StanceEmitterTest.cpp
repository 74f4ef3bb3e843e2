// Covers: StanceComponent, MoveComponent, EmitterComponent, PulseTrapComponent.
// Stances and the move components they drive; the script emitter, the pulse trap and the
// recharging container.
#include "Core/Components/TransformComponent.h"
#include "Core/Messages/Gameplay/SetEmitterCountMessage.h"
#include "Core/Messages/Gameplay/SetEmitterIntervalMessage.h"
#include "Core/Messages/Input/InputCursorMessage.h"
#include "Core/Messages/Input/InputMoveMessage.h"
#include "Logic/Abilities/PulseTrapComponent.h"
#include "Logic/Containers/ManaContainerComponent.h"
#include "Logic/Emitters/EmitterComponent.h"
#include "Logic/Movement/MoveComponent.h"
#include "Logic/Stances/SlowStanceComponent.h"
#include "Math/MathUtils.h"
#include "Physics/PhysicsServices.h"
#include "Physics/RigidBodyComponent.h"
#include "tests/Logic/LogicWorld.h"
#include <cmath>
#include <vector>

namespace
{
// Quarter turn about y: +z becomes +x.
const Math::Quaternion FacingX(std::sqrt(0.5f), 0.0f, std::sqrt(0.5f), 0.0f);

class MoveWorld : public LogicWorld
{
protected:
    void SetUp() override { Start(); }
    // An object with a transform, the move component and the stance.
    GameObject* Walker(const std::string& move, const std::string& stance)
    {
        // Definitions are read once per name: every walker gets a name of its own.
        walker =
            Make("Walker" + std::to_string(++walkers), "<TransformComponent/>" + move + stance);
        transform = walker->GetComponent<TransformComponent>();
        mover = walker->GetComponent<Logic::MoveComponent>();
        stanceOf = walker->GetComponent<Logic::StanceComponent>();
        return walker;
    }
    void MoveInput(f32 x, f32 y)
    {
        InputMoveMessage message(0, 0, Math::Vector2(x, y), KS_PRESSED, 0);
        stanceOf->HandleMove(message);
    }

    int walkers = 0;
    bool FacesX() const
    {
        const Math::Vector4 forward = transform->GetOrientation().Rotate(Math::Vector4(0, 0, 1, 0));
        return std::fabs(forward.x - 1.0f) < 1e-5f;
    }

    GameObject* walker = nullptr;
    TransformComponent* transform = nullptr;
    Logic::MoveComponent* mover = nullptr;
    Logic::StanceComponent* stanceOf = nullptr;
};

TEST_F(MoveWorld, StancesAddMovesUnlessTheBeaconStandsAndTheSlowOneFacesItsWay)
{
    struct Case
    {
        std::string stance, ownField;
        bool triggered;
        Math::Vector4 direction;
        bool turns;
    };
    const Math::Vector4 right(1, 0, 0, 0);
    const Math::Vector4 none(0, 0, 0, 0);
    const std::string archer = "<orientation W=\"1\" X=\"0\" Y=\"0\" Z=\"0\"/>";
    const std::string beacon = "<triggeredPosition X=\"1\" Y=\"2\" Z=\"3\"/>";
    const Case cases[] = {{"ArcherStanceComponent", archer, false, right, false},
                          {"ArcherStanceComponent", archer, true, right, false},
                          {"BeaconStanceComponent", beacon, false, right, false},
                          {"BeaconStanceComponent", beacon, true, none, false},
                          {"SlowStanceComponent", "<f32>1</f32>", false, right, true}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.stance + (c.triggered ? " triggered" : ""));
        Walker("<StaticMoveComponent><f32>1</f32></StaticMoveComponent>",
               "<" + c.stance + ">" + c.ownField + "<triggered>" + (c.triggered ? "1" : "0") +
                   "</triggered></" + c.stance + ">");
        EXPECT_EQ(stanceOf->IsTriggered(), c.triggered);
        MoveInput(1.0f, 0.0f);
        EXPECT_EQ(mover->GetDirection(), c.direction);
        EXPECT_EQ(FacesX(), c.turns);
        InputCursorMessage cursor(0, 0, Math::Vector2(5, 5), 0);
        stanceOf->HandleCursor(cursor);
        EXPECT_EQ(FacesX(), c.turns) << "without cameras the cursor changes nothing";
    }
    // The flat direction of an input (x, y) is (x, 0, -y): screen up is -z.
    EXPECT_EQ(Logic::StanceComponent::FlatDirection(Math::Vector2(2, 3)),
              Math::Vector4(2, 0, -3, 0));
}

TEST_F(MoveWorld, TheSlowStanceScalesTheModifierBackAndForthUnlessItsFactorIsZero)
{
    struct Case
    {
        f32 factor;
        f32 onModifier;
    };
    for (const Case& c : {Case{0.5f, 0.5f}, Case{0.0f, 1.0f}})
    {
        SCOPED_TRACE(c.factor);
        Walker("<StaticMoveComponent><f32>1</f32></StaticMoveComponent>",
               "<SlowStanceComponent><f32>" + std::to_string(c.factor) +
                   "</f32></SlowStanceComponent>");
        stanceOf->Toggle();
        EXPECT_EQ(mover->GetMoveModifier(), c.onModifier);
        stanceOf->Toggle();
        EXPECT_EQ(mover->GetMoveModifier(), 1.0f);
    }
}

TEST_F(MoveWorld, FacingIgnoresHeightAndKeepsTheOrientationForTinyVectors)
{
    Walker("<StaticMoveComponent><f32>1</f32></StaticMoveComponent>",
           "<SlowStanceComponent><f32>1</f32></SlowStanceComponent>");
    MoveInput(1.0f, 0.0f);
    mover->SetDirection(Math::Vector4(1, 5, 0, 0));
    MoveInput(0.0f, 0.0f);
    EXPECT_TRUE(FacesX()) << "the height is dropped";
    mover->SetDirection(Math::Vector4(0.000001f, 0, 0, 0));
    MoveInput(0.0f, 0.0f);
    EXPECT_TRUE(FacesX()) << "too short to turn";
}

TEST_F(MoveWorld, TheStaticMoverStepsAlongItsFacingOnlyWhileInputIsPending)
{
    Walker("<StaticMoveComponent><f32>2</f32></StaticMoveComponent>", "");
    mover->SetDirection(Math::Vector4(5, 0, 0, 0));
    mover->Update(0.5f);
    EXPECT_EQ(transform->GetPosition(), Math::Point4(0, 0, 1, 1)) << "along +z, not +x";
    mover->Update(0.5f);
    EXPECT_EQ(transform->GetPosition(), Math::Point4(0, 0, 1, 1)) << "the input was used up";
}

TEST_F(MoveWorld, TheForceMoverPushesTheSumOfItsInputAndFacesTheVelocity)
{
    Walker("<RigidBodyComponent><f32>1</f32></RigidBodyComponent>"
           "<ForceMoveComponent><f32>10</f32></ForceMoveComponent>",
           "<ArcherStanceComponent/>");
    auto* body = walker->GetComponent<Physics::RigidBodyComponent>();
    ASSERT_NE(body, nullptr) << log.Text();
    struct Case
    {
        std::vector<Math::Vector2> inputs;
        Math::Vector4 force;
    };
    const f32 half = 10.0f * std::sqrt(0.5f);
    const Case cases[] = {{{{0.5f, 0}, {0.25f, 0}}, Math::Vector4(7.5f, 0, 0, 0)},
                          {{{1, 0}, {0, -1}}, Math::Vector4(half, 0, half, 0)},
                          {{}, Math::Vector4(0, 0, 0, 0)}};
    transform->SetOrientation(FacingX);
    for (const Case& c : cases)
    {
        body->ClearAccumulators();
        for (const Math::Vector2& input : c.inputs)
            MoveInput(input.x, input.y);
        mover->Update(0.1f);
        EXPECT_NEAR(body->forceAccumulator.x, c.force.x, 1e-5f);
        EXPECT_NEAR(body->forceAccumulator.z, c.force.z, 1e-5f);
        EXPECT_TRUE(mover->GetDirection().IsZero());
        EXPECT_EQ(transform->GetOrientation(), FacingX) << "a body at rest keeps its facing";
    }
    body->SetVelocity(Math::Vector4(0, 0, 3, 0));
    mover->Update(0.1f);
    EXPECT_EQ(transform->GetOrientation(), Math::Quaternion());
}

TEST_F(MoveWorld, TheForceMoverWithoutInputLeavesARestingBodyAtRest)
{
    // A body comes to rest when physics puts it to sleep, which zeroes its drift; a zero push
    // woke it every frame, so a character that had moved kept drifting (at half its speed each
    // second) and kept turning along the drift for some twenty seconds, away from the pointer.
    Walker("<RigidBodyComponent><f32>1</f32></RigidBodyComponent>"
           "<ForceMoveComponent><f32>10</f32></ForceMoveComponent>",
           "<ArcherStanceComponent/>");
    auto* body = walker->GetComponent<Physics::RigidBodyComponent>();
    ASSERT_NE(body, nullptr) << log.Text();
    body->SetAwake(false);
    mover->Update(0.1f);
    EXPECT_FALSE(body->IsAwake()) << "nothing pushed, nothing woken";
    MoveInput(1, 0);
    mover->Update(0.1f);
    EXPECT_TRUE(body->IsAwake()) << "a push wakes it";
}

TEST_F(MoveWorld, PhysicsReadsTheTriggeredStancesOfAnObject)
{
    GameObject* both = Make("Both", "<ArcherStanceComponent><Quaternion/><bool>1</bool>"
                                    "</ArcherStanceComponent><BeaconStanceComponent/>");
    EXPECT_EQ(Physics::Services().archerStanceState(both->GetId()), 1u);
    EXPECT_EQ(Physics::Services().beaconStanceState(both->GetId()), 0u);
    EXPECT_EQ(Physics::Services().archerStanceState(0), 0u) << "no object";
}

class EmitterWorld : public LogicWorld
{
protected:
    void SetUp() override
    {
        Start();
        WriteScript("Emit.lua", "owner = 0 emits = 0 intervals = 0 lastZ = 0\n"
                                "function SetOwner(id) owner = id end\n"
                                "function OnEmit(x, y, z) emits = emits + 1 lastZ = z end\n"
                                "function OnEmitInterval(x, y, z) intervals = intervals + 1 end\n");
    }
    Logic::EmitterComponent* Emitter(const std::string& count, const std::string& interval,
                                     bool active)
    {
        object = Make("Fountain", "<TransformComponent><position X=\"0\" Y=\"0\" Z=\"7\"/>"
                                  "</TransformComponent><EmitterComponent><file>Emit.lua</file>" +
                                      count + "<f32>" + interval + "</f32><bool>" +
                                      (active ? "1" : "0") + "</bool></EmitterComponent>");
        emitter = object->GetComponent<Logic::EmitterComponent>();
        script = Scripting::System::LuaSystem::Instance()->FindScript("Emit.lua");
        return emitter;
    }
    s32 Global(const char* name)
    {
        s32 value = -1;
        script->GetGlobalInt(name, value);
        return value;
    }

    GameObject* object = nullptr;
    Logic::EmitterComponent* emitter = nullptr;
    Scripting::LuaComponent* script = nullptr;
};

TEST_F(EmitterWorld, EachIntervalEmitsItsCountThenOnceMore)
{
    Emitter("<Vector2 X=\"-2\" Y=\"-2\"/>", "1", true);
    ASSERT_NE(script, nullptr) << log.Text();
    EXPECT_EQ(Global("owner"), static_cast<s32>(object->GetId()));
    EXPECT_EQ(emitter->GetCountRange(), Math::Vector2(2, 2)) << "absolute values";
    struct Step
    {
        f32 seconds;
        s32 emits, intervals;
    };
    const Step steps[] = {{0.5f, 0, 0}, {0.5f, 2, 1}, {1.5f, 4, 2}, {0.5f, 4, 2}};
    for (const Step& step : steps)
    {
        emitter->Update(step.seconds);
        EXPECT_EQ(Global("emits"), step.emits);
        EXPECT_EQ(Global("intervals"), step.intervals);
    }
    EXPECT_EQ(Global("lastZ"), 7) << "the owner's position";
    SetEmitterIntervalMessage interval(0, 0.25f, object->GetId());
    emitter->HandleMessage(&interval);
    emitter->Update(0.0f);
    EXPECT_EQ(Global("intervals"), 3) << "the new interval counts at the next comparison";

    emitter->SetActive(false);
    emitter->Update(5.0f);
    EXPECT_EQ(Global("intervals"), 3) << "inactive";
}

TEST_F(EmitterWorld, MoreThanTwoHundredFiftySixEmissionsAreClampedAndLogged)
{
    Emitter("<Vector2 X=\"300\" Y=\"300\"/>", "1", true);
    ASSERT_NE(script, nullptr) << log.Text();
    emitter->Update(1.0f);
    EXPECT_EQ(Global("emits"), 256);
    EXPECT_TRUE(log.Contains("[EmitterComponent]: object " + std::to_string(object->GetId()) +
                             " asked for 300 emissions"))
        << log.Text();
    SetEmitterCountMessage count(0, 1e30f, NAN, object->GetId());
    emitter->HandleMessage(&count);
    emitter->Update(1.0f);
    EXPECT_EQ(Global("emits"), 256 + 256) << "out-of-range counts are clamped too";

    Factory().DestroyObject(object->GetId());
    EXPECT_EQ(Scripting::System::LuaSystem::Instance()->FindScript("Emit.lua"), nullptr)
        << "the emitter removes its script";
}

// A trap that counts its pulses.
class CountingTrap : public Logic::PulseTrapComponent
{
public:
    void Pulse() override { ++pulses; }
    int pulses = 0;
};

TEST(PulseTrap, PulsesAtMostOncePerUpdateAndKeepsTheRest)
{
    CountingTrap trap;
    struct Step
    {
        f32 seconds;
        int pulses;
        f32 timer;
    };
    const Step steps[] = {{1.0f, 0, 1.0f}, {1.5f, 1, 1.5f}, {0.0f, 2, 0.5f}, {0.0f, 2, 0.5f}};
    for (const Step& step : steps)
    {
        trap.Update(step.seconds);
        EXPECT_EQ(trap.pulses, step.pulses) << step.seconds;
        EXPECT_FLOAT_EQ(trap.GetTimer(), step.timer);
    }
}

TEST_F(EmitterWorld, AFullRechargeContainerGathersNoTime)
{
    // Mana 10 of 10, one second per refill of 3.
    GameObject* mage = Make("Mage", "<ManaContainerComponent><f32>10</f32><f32>0</f32><f32>10</f32>"
                                    "<f32>1</f32><f32>3</f32></ManaContainerComponent>");
    auto* mana = mage->GetComponent<Logic::ManaContainerComponent>();
    ASSERT_NE(mana, nullptr);
    mana->Update(5.0f);
    mana->Add(-6.0f);
    struct Step
    {
        f32 seconds, current;
    };
    for (const Step& step : {Step{0.5f, 4.0f}, Step{0.5f, 7.0f}, Step{2.5f, 10.0f}, Step{9, 10}})
    {
        mana->Update(step.seconds);
        EXPECT_EQ(mana->GetCurrentStorage(), step.current) << step.seconds;
    }
}
} // namespace
