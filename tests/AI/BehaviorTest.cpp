// Covers: SeekBehaviorComponent, FleeBehaviorComponent, AttackBehaviorComponent, ....
// Behaviours and the AI controller: the distance boundaries of Seek and Flee, when the target
// is read again, turn-limited steering, Attack's first shot and its sound, the Random behaviour's
// swap, and disabling.
#include "AI/Behaviors/AttackBehaviorComponent.h"
#include "AI/Behaviors/FleeBehaviorComponent.h"
#include "AI/Behaviors/RandomBehaviorComponent.h"
#include "AI/Behaviors/SeekBehaviorComponent.h"
#include "AI/Behaviors/WanderBehaviorComponent.h"
#include "Audio/AudioRegistration.h"
#include "Core/Messages/Object/ObjectCreateMessage.h"
#include "tests/AI/AIWorld.h"
#include "tests/Support/QueuedMessages.h"
#include <cmath>

namespace
{
// Seek or Flee: MaxAngle, targets players, speeds 1 to 2, the distances, engaged.
std::string Chase(const std::string& kind, f32 minDistance, f32 maxDistance, bool engaged,
                  f32 maxAngle = 180.0f)
{
    std::ostringstream text;
    text << "<" << kind << "><f32>" << maxAngle << "</f32><bool>1</bool><f32>1</f32><f32>2</f32>"
         << "<f32>" << minDistance << "</f32><f32>" << maxDistance << "</f32><bool>"
         << (engaged ? 1 : 0) << "</bool></" << kind << ">";
    return text.str();
}
const std::string AttackXml = "<AttackBehaviorComponent><f32>0</f32><bool>1</bool>"
                              "<string>Shot</string><f32>2</f32></AttackBehaviorComponent>";

class BehaviorWorld : public AIWorld
{
public:
    void Place(GameObject& object, f32 x, f32 y, f32 z)
    {
        Transform(object).SetPosition(Math::Point4(x, y, z, 1));
    }
};

TEST_F(BehaviorWorld, SeekStopsOnlyBelowMinDistanceAndStartsOnlyBeyondMaxDistance)
{
    GameObject* player = Player(0, 0);
    GameObject* enemy = Enemy(0, 0, Chase("SeekBehaviorComponent", 2, 4, true) + AttackXml);
    auto* seek = Get<AI::SeekBehaviorComponent>(*enemy);
    auto* attack = Get<AI::AttackBehaviorComponent>(*enemy);
    ASSERT_TRUE(seek != nullptr && attack != nullptr);
    enemy->GetComponent<AI::AIControllerComponent>()->SetTarget(player->GetId());
    EXPECT_EQ(attack->GetTarget(), 0u) << "the controller sets chasers only";

    // Exactly MinDistance away (the height is ignored): still running at the target.
    Place(*player, 0, 10, 2);
    seek->Step(0.1f);
    EXPECT_TRUE(seek->IsEngaged());
    EXPECT_GE(Move(*enemy).moveValue_, 1.0f);
    EXPECT_EQ(Move(*enemy).direction_, Math::Vector4(0, 0, 1, 0));
    EXPECT_FLOAT_EQ(seek->GetTimer(), 0.1f);

    Place(*player, 0, 0, 1.9f);
    seek->Step(0.1f);
    EXPECT_FALSE(seek->IsEngaged());
    EXPECT_EQ(Move(*enemy).moveValue_, 0.0f);
    EXPECT_EQ(attack->GetTarget(), player->GetId()) << "standing, it attacks";

    // Exactly MaxDistance: it stays; beyond: it runs again and the attack stops.
    Place(*player, -4, 0, 0);
    seek->Step(0.1f);
    EXPECT_FALSE(seek->IsEngaged());
    Place(*player, -4.5f, 0, 0);
    seek->Step(0.1f);
    EXPECT_TRUE(seek->IsEngaged());
    EXPECT_EQ(Move(*enemy).direction_, Math::Vector4(-1, 0, 0, 0));
    EXPECT_EQ(Transform(*enemy).GetOrientation().Rotate(Math::Vector4(0, 0, 1, 0)),
              Math::Vector4(-1, 0, 0, 0));
    EXPECT_EQ(attack->GetTarget(), 0u);

    // A target on top with MinDistance 0 skips steering instead of losing the facing.
    seek->MinDistance = 0.0f;
    Place(*player, 0, 0, 0);
    seek->Step(0.1f);
    EXPECT_EQ(Transform(*enemy).GetOrientation().Rotate(Math::Vector4(0, 0, 1, 0)),
              Math::Vector4(-1, 0, 0, 0));
}

TEST_F(BehaviorWorld, FleeEngagesOnlyBelowMinDistanceAndStopsOnlyBeyondMaxDistance)
{
    GameObject* player = Player(0, 0);
    GameObject* enemy = Enemy(0, 0, Chase("FleeBehaviorComponent", 2, 4, false) + AttackXml);
    auto* flee = Get<AI::FleeBehaviorComponent>(*enemy);
    auto* attack = Get<AI::AttackBehaviorComponent>(*enemy);
    ASSERT_TRUE(flee != nullptr && attack != nullptr);
    flee->SetTarget(player->GetId());

    Place(*player, 0, 0, 2);
    flee->Step(0.1f);
    EXPECT_FALSE(flee->IsEngaged()) << "exactly MinDistance is not too near";
    EXPECT_EQ(attack->GetTarget(), player->GetId()) << "a runner shoots in every step";

    Place(*player, 0, 0, 1.5f);
    flee->Step(0.1f);
    EXPECT_TRUE(flee->IsEngaged());
    EXPECT_EQ(Move(*enemy).direction_, Math::Vector4(0, 0, -1, 0)) << "slow: straight away";
    EXPECT_EQ(Transform(*enemy).GetOrientation().Rotate(Math::Vector4(0, 0, 1, 0)),
              Math::Vector4(0, 0, -1, 0))
        << "it faces where it runs";

    Place(*player, 0, 0, 4);
    flee->Step(0.1f);
    EXPECT_TRUE(flee->IsEngaged()) << "exactly MaxDistance keeps it running";
    EXPECT_GT(Move(*enemy).moveValue_, 0.0f);
    Place(*player, 0, 0, 4.5f);
    flee->Step(0.1f);
    EXPECT_FALSE(flee->IsEngaged());
    EXPECT_EQ(Move(*enemy).moveValue_, 0.0f);
    EXPECT_EQ(Move(*enemy).direction_, Math::Vector4(0, 0, 0, 0));
}

TEST_F(BehaviorWorld, TheTargetIsReadAgainOnlyWhenItIsAnotherObjectOrItsComponentsChange)
{
    GameObject* player = Player(0, 10);
    GameObject* enemy = Enemy(0, 0, Chase("SeekBehaviorComponent", 1, 2, true));
    GameObject* shot = Make("Shot", At(5, 5));
    auto* seek = Get<AI::SeekBehaviorComponent>(*enemy);
    ASSERT_NE(seek, nullptr);
    const u32 target = player->GetId();
    seek->SetTarget(target);
    seek->Step(0.1f);
    seek->Step(0.1f);
    EXPECT_EQ(seek->GetTargetListWalks(), 1u);

    // Another object's end: the target is found again by id, its list is not walked again.
    Factory().DestroyObject(shot->GetId());
    Place(*player, 10, 0, 0);
    seek->Step(0.1f);
    EXPECT_EQ(seek->GetTargetListWalks(), 1u);
    EXPECT_EQ(Move(*enemy).direction_, Math::Vector4(1, 0, 0, 0));

    // A new object under the target's id, wherever its memory lies, is read afresh.
    Factory().DestroyObject(target);
    GameObject* successor = Factory().CreateObject("CharacterGolem", target);
    ASSERT_NE(successor, nullptr);
    successor->AddComponent(Factory().CreateComponent("TransformComponent"));
    Place(*successor, 0, 0, -10);
    seek->Step(0.1f);
    EXPECT_EQ(seek->GetTargetListWalks(), 2u);
    EXPECT_EQ(Move(*enemy).direction_, Math::Vector4(0, 0, -1, 0));

    // Dying changes the list: the walk finds the death effect and the chase no longer steers.
    successor->AddComponent(Factory().CreateComponent("DeathEffectComponent"));
    Place(*successor, -10, 0, 0);
    seek->Step(0.1f);
    seek->Step(0.1f);
    EXPECT_EQ(seek->GetTargetListWalks(), 3u);
    EXPECT_EQ(Move(*enemy).direction_, Math::Vector4(0, 0, -1, 0));
}

TEST_F(BehaviorWorld, TurnLimitedSteeringTurnsAtMostMaxAngleAndBrakesOnSharpTurns)
{
    GameObject* player = Player(0, 0);
    GameObject* enemy = Enemy(0, 0, Chase("FleeBehaviorComponent", 2, 40, true, 0.0f));
    auto* flee = Get<AI::FleeBehaviorComponent>(*enemy);
    ASSERT_NE(flee, nullptr);
    flee->SetTarget(player->GetId());
    Place(*player, -1, 0, 0); // away is +x, a quarter turn from the current direction
    Move(*enemy).direction_ = Math::Vector4(0, 0, 1, 0);
    Move(*enemy).moveValue_ = 10.0f;
    for (f32 expected : {9.8f, 9.604f})
    {
        flee->Step(0.1f);
        EXPECT_FLOAT_EQ(Move(*enemy).moveValue_, expected) << "2 % slower per step";
        EXPECT_EQ(Move(*enemy).direction_, Math::Vector4(0, 0, 1, 0)) << "MaxAngle 0: no turn";
    }

    flee->MaxAngle = 30.0f;
    flee->Step(0.1f);
    const f32 half = 0.5f, cosine = std::sqrt(3.0f) * 0.5f;
    EXPECT_EQ(Move(*enemy).direction_, Math::Vector4(half, 0, cosine, 0))
        << "30 degrees towards +x";
    EXPECT_FLOAT_EQ(Move(*enemy).moveValue_, 9.604f * 0.98f);
}

TEST_F(BehaviorWorld, AttackFiresInTheFirstStepWithATargetAndAimsTheShot)
{
    Make("Shot", At(0, 0) + "<ConstantMoveComponent><f32>0</f32></ConstantMoveComponent>");
    GameObject* player = Player(3, 4);
    GameObject* enemy = Enemy(0, 0, AttackXml);
    auto* attack = Get<AI::AttackBehaviorComponent>(*enemy);
    ASSERT_NE(attack, nullptr);
    auto* messages = Core::System::MessageSystem::Instance();

    for (int step = 0; step < 3; ++step)
        attack->Step(10.0f);
    EXPECT_FLOAT_EQ(attack->GetFireTimer(), 2.0f) << "no target: the clock waits full";
    const std::size_t before = messages->GetQueueSize() + messages->GetObjectMessageCount();
    attack->SetTarget(player->GetId());
    const u32 shotId = Engine::GetLastId() + 1;
    attack->Step(0.01f);
    EXPECT_EQ(messages->GetQueueSize() + messages->GetObjectMessageCount() - before, 2u)
        << "a creation and a direction";
    attack->Step(0.01f);
    EXPECT_EQ(messages->GetQueueSize() + messages->GetObjectMessageCount() - before, 2u);
    Deliver();
    GameObject* shot = Find(shotId);
    ASSERT_NE(shot, nullptr);
    EXPECT_EQ(shot->GetCreatorId(), enemy->GetId());
    EXPECT_EQ(Move(*shot).direction_, Math::Vector4(3, 0, 4, 0)) << "not normalised";

    // A target gone: the attack drops it and sends the chasers after a player.
    Factory().DestroyObject(player->GetId());
    attack->Step(2.5f);
    EXPECT_EQ(attack->GetTarget(), 0u);
}

TEST_F(BehaviorWorld, AShotSoundsThroughTheFirstAbilityOfTheAudioResponse)
{
    Audio::RegisterAudio(*engine);
    WriteScript("Audio/Shooter.lua", "function GetAudioCount() return 0 end\n"
                                     "function OnLoad() end\n"
                                     "function OnAbility0() Engine.Output('bang') end\n");
    Make("Shot", At(0, 0));
    GameObject* player = Player(3, 4);
    GameObject* enemy = Enemy(0, 0,
                              AttackXml + "<AudioResponseComponent><Script>Audio/Shooter.lua"
                                          "</Script></AudioResponseComponent>");
    auto* attack = Get<AI::AttackBehaviorComponent>(*enemy);
    ASSERT_NE(attack, nullptr);
    attack->Step(1.0f); // no target yet: the clock waits full
    attack->SetTarget(player->GetId());
    attack->Step(0.01f);
    attack->Step(0.01f);
    EXPECT_EQ(log.Count("bang"), 1u) << log.Text();
}

TEST_F(BehaviorWorld, RandomRemovesThePreviousChildAndAddsANewOneInOneStep)
{
    GameObject* enemy = Enemy(0, 0, "<RandomBehaviorComponent/>");
    auto* random = Get<AI::RandomBehaviorComponent>(*enemy);
    ASSERT_NE(random, nullptr);
    random->Step(5.0f);
    EXPECT_EQ(random->GetChildId(), 0u) << "swaps only after more than five seconds";
    random->Step(0.5f);
    const u32 first = random->GetChildId();
    ASSERT_NE(first, 0u);
    Deliver();
    ASSERT_NE(enemy->GetComponentById(first), nullptr);

    auto* messages = Core::System::MessageSystem::Instance();
    const std::size_t before = messages->GetQueueSize() + messages->GetObjectMessageCount();
    random->Step(5.5f);
    EXPECT_EQ(messages->GetQueueSize() + messages->GetObjectMessageCount() - before, 2u);
    const u32 second = random->GetChildId();
    Deliver();
    EXPECT_EQ(enemy->GetComponentById(first), nullptr);
    const GameObjectComponent* child = enemy->GetComponentById(second);
    ASSERT_NE(child, nullptr);
    EXPECT_NE(dynamic_cast<const AI::BehaviorComponent*>(child), nullptr) << child->GetName();
}

TEST_F(BehaviorWorld, ARandomChaserAtThePlayersSideShootsAtItsAttacksPace)
{
    // A chaser that stood and ran again at one and the same distance switched at every step
    // while the player stood about that far, and every switch handed its attack the target
    // afresh, which fires at once: a bolt every other frame instead of one per interval.
    Make("Shot", At(0, 0) + "<ConstantMoveComponent><f32>0</f32></ConstantMoveComponent>");
    GameObject* player = Player(0, 3);
    GameObject* enemy = Enemy(0, 0, "<RandomBehaviorComponent/>" + AttackXml);
    auto* random = Get<AI::RandomBehaviorComponent>(*enemy);
    auto* controller = enemy->GetComponent<AI::AIControllerComponent>();
    ASSERT_TRUE(random != nullptr && controller != nullptr);
    AI::SeekBehaviorComponent* seek = nullptr;
    for (int swap = 0; swap < 50 && seek == nullptr; ++swap)
    {
        random->Step(5.5f);
        Deliver();
        seek = Get<AI::SeekBehaviorComponent>(*enemy);
    }
    ASSERT_NE(seek, nullptr) << "the seeded draws make a chaser";
    controller->SetTarget(player->GetId());
    controller->Update(0.1f);
    ASSERT_TRUE(seek->IsEngaged());
    {
        QueuedMessages steering(*Core::System::MessageSystem::Instance());
    }

    // Two seconds, the attack's interval, with the player 0.9 and 1.1 units off in turn.
    std::size_t shots = 0;
    for (int step = 0; step < 20; ++step)
    {
        Place(*player, 0, 0, step % 2 == 0 ? 0.9f : 1.1f);
        controller->Update(0.1f);
        const QueuedMessages posted(*Core::System::MessageSystem::Instance());
        shots += posted.CountOf(ObjectCreateMessage::Type);
    }
    EXPECT_GE(shots, 1u) << "standing by the player, it shoots";
    EXPECT_LE(shots, 2u);
}

TEST_F(BehaviorWorld, DisablingTheControllerStopsEveryBehaviourAndItsSteps)
{
    GameObject* player = Player(0, 10);
    GameObject* enemy = Enemy(0, 0,
                              Chase("SeekBehaviorComponent", 1, 2, false) +
                                  "<WanderBehaviorComponent><f32>10</f32><bool>1</bool><f32>1</f32>"
                                  "<f32>2</f32><f32>0</f32></WanderBehaviorComponent>");
    auto* controller = enemy->GetComponent<AI::AIControllerComponent>();
    auto* seek = Get<AI::SeekBehaviorComponent>(*enemy);
    ASSERT_TRUE(controller != nullptr && seek != nullptr);
    controller->SetTarget(player->GetId());
    controller->Update(0.1f);
    EXPECT_TRUE(seek->IsEngaged());
    EXPECT_GT(Move(*enemy).moveValue_, 0.0f);

    controller->SetDisabled(true);
    EXPECT_FALSE(seek->IsEngaged());
    EXPECT_EQ(Move(*enemy).moveValue_, 0.0f);
    controller->Update(0.1f);
    EXPECT_EQ(Move(*enemy).moveValue_, 0.0f) << "a disabled controller steps nothing";
}
} // namespace
