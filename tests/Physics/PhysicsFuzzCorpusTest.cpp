// Covers: PhysicsSystem.
// Replays the object-reader fuzz target's saved corpus with the physics components known and two
// physics steps while each object exists: hostile definitions (drag 0, negative masses, huge or
// missing sizes, no transform) read, move and collide without harm.
#include "Physics/PhysicsSystem.h"
#include "tests/Core/Fuzz/ObjectReaderFuzzHarness.h"
#include "tests/Physics/PhysicsWorld.h"
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>

namespace
{
void StepTwice(GameObject&)
{
    Physics::System::PhysicsSystem* physics = Physics::System::PhysicsSystem::Instance();
    physics->Step(Physics::System::PhysicsSystem::FixedStep);
    physics->Step(Physics::System::PhysicsSystem::FixedStep);
    physics->DrawDebug();
}
} // namespace

TEST(PhysicsFuzzCorpus, EverySavedInputReadsAndStepsClean)
{
    PhysicsWorld world;
    int inputs = 0;
    for (const auto& entry : std::filesystem::directory_iterator(QUILL_FUZZ_CORPUS_DIR))
    {
        SCOPED_TRACE(entry.path().string());
        std::ifstream file(entry.path(), std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(file)),
                                std::istreambuf_iterator<char>());
        RunObjectReaderFuzzInput(world.factory, reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                 bytes.size(), &StepTwice);
        world.messages->ClearQueue();
        ++inputs;
    }
    EXPECT_GT(inputs, 0);
    EXPECT_TRUE(world.physics->GetColliders().empty());
    EXPECT_TRUE(world.physics->GetRigidBodies().empty());
    EXPECT_TRUE(world.physics->GetForceRegistry().empty());
}
