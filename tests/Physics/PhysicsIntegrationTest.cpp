// Covers: PhysicsSystem, RigidBodyComponent, SphereColliderComponent, FixedJointComponent.
// Physics in the running engine: objects from definition files in a temporary asset tree are
// pulled together by a joint through the frame loop, and the contact reaches both objects as
// CollideMessages, in order, written to the "-out" log.
#include "Core/Components/TransformComponent.h"
#include "Core/CoreRegistration.h"
#include "Core/Engine.h"
#include "Core/Messages/Physics/CollideMessage.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Physics/PhysicsRegistration.h"
#include "Serializer/SerializerRegistration.h"
#include "Serializer/SerializerSystem.h"
#include "tests/Support/ProbeComponent.h"
#include "tests/Support/TempFiles.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

using Serializer::System::SerializerSystem;

TEST(PhysicsIntegration, AJointPullsABallIntoAWallAndBothHearOfIt)
{
    TempFolder folder;
    folder.Write("assets/Objects/Ball.xml",
                 "<?xml version=\"1.0\"?>\n<Ball><TransformComponent><position X=\"12.5\" "
                 "Y=\"0\" Z=\"0\"/></TransformComponent><SphereColliderComponent><e>1</e>"
                 "<c>1</c><m>0</m><r>0.5</r></SphereColliderComponent><RigidBodyComponent>"
                 "<mass>1</mass></RigidBodyComponent><FixedJointComponent><f32>50</f32>"
                 "<f32>0</f32></FixedJointComponent></Ball>\n");
    folder.Write("assets/Objects/Wall.xml",
                 "<?xml version=\"1.0\"?>\n<Wall><TransformComponent><position X=\"10\" Y=\"0\" "
                 "Z=\"0\"/></TransformComponent><AABoxColliderComponent><e>1</e><c>2</c><m>0</m>"
                 "<size X=\"2\" Y=\"2\" Z=\"2\"/></AABoxColliderComponent></Wall>\n");

    std::vector<bool> ballHeard; // the new-contact flag of each message to the ball
    u32 ballId = 0;
    u32 wallId = 0;
    {
        Engine engine;
        const char* arguments[] = {"quillmere", "-out", "physics.log"};
        engine.ParseCommandLine(3, arguments);
        Core::RegisterCore(engine);
        Serializer::RegisterSerializer(engine);
        Physics::RegisterPhysics(engine);
        engine.Initialize();

        GameObject* ball = SerializerSystem::CreateObject(0, "Ball", Engine::GenerateId());
        GameObject* wall = SerializerSystem::CreateObject(0, "Wall", Engine::GenerateId());
        ASSERT_NE(ball, nullptr);
        ASSERT_NE(wall, nullptr);
        ballId = ball->GetId();
        wallId = wall->GetId();
        auto* probe = new ProbeComponent();
        probe->onMessage = [&ballHeard, wallId](ProbeComponent&, Message* message)
        {
            if (const auto* collide = dynamic_cast<CollideMessage*>(message))
            {
                EXPECT_EQ(collide->otherObjectId, wallId);
                ballHeard.push_back(collide->newContact);
            }
        };
        ball->AddComponent(probe);

        for (int frame = 0; frame < 30; ++frame)
            engine.StepFrame(0.02f);
        EXPECT_LT(ball->GetComponent<TransformComponent>()->position.x, 11.5f);
    }

    ASSERT_GE(ballHeard.size(), 2u);
    EXPECT_TRUE(ballHeard.front());
    EXPECT_FALSE(ballHeard.back());

    const std::string log = ReadFile("physics.log");
    const std::string ball = "Ball:" + std::to_string(ballId);
    const std::string wall = "Wall:" + std::to_string(wallId);
    const std::size_t wallFirst = log.find("A (" + wall + ") colliding with B (" + ball + ")");
    const std::size_t ballSecond = log.find("A (" + ball + ") colliding with B (" + wall + ")");
    ASSERT_NE(wallFirst, std::string::npos) << log;
    ASSERT_NE(ballSecond, std::string::npos);
    // The box is A of a sphere-box report, so the wall's message comes first.
    EXPECT_LT(wallFirst, ballSecond);
    EXPECT_NE(log.find("ACat: 2 and AMask: 0 with BCat: 1 and BMask: 0"), std::string::npos);
}
