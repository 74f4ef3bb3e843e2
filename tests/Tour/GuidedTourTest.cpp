// Covers: Engine, SerializerSystem, MessageSystem, TransformComponent.
// A first walk through the engine for a newcomer: the program's own pieces, put together the
// way the game does it, follow one object from its XML definition to a message it receives.
//
// 1. The engine owns everything: systems are created by name through the system factory, in
//    the fixed order of Engine::Initialize (here only the ones this walk needs).
// 2. Game objects are made from XML object definitions under assets/Objects by the serializer
//    system; each element of a definition is one component, created from the component pools.
// 3. Nothing calls a component directly: a message is posted through the engine, queued by the
//    message system and delivered in its next update to the components of the target object.
#include "Core/Components/TransformComponent.h"
#include "Core/CoreRegistration.h"
#include "Core/Engine.h"
#include "Core/Messages/Gameplay/PositionSetMessage.h"
#include "Core/Messages/Object/ObjectDestroyMessage.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Core/System/MessageSystem.h"
#include "Serializer/SerializerRegistration.h"
#include "Serializer/SerializerSystem.h"
#include <gtest/gtest.h>

TEST(GuidedTour, AnObjectFromXmlReceivesAMessage)
{
    // The engine, its factories and the systems the walk needs, created by name.
    Engine engine;
    Core::RegisterCore(engine);
    Serializer::RegisterSerializer(engine);
    for (const char* name : {"LogSystem", "MessagingSystem", "FileSystem", "SerializerSystem"})
        ASSERT_NE(engine.AddSystem(name), nullptr) << name;

    // An object from the "Player" definition: its components come in file order.
    const u32 playerId = Engine::GenerateId();
    GameObject* player = Serializer::System::SerializerSystem::CreateObject(0, "Player", playerId);
    ASSERT_NE(player, nullptr);
    EXPECT_EQ(player->GetName(), "Player");
    auto* transform = player->GetComponent<TransformComponent>();
    ASSERT_NE(transform, nullptr);

    // A message to the object: queued now, delivered in the message system's next update.
    engine.SendMessage(new PositionSetMessage(0, Math::Vector4(3.0f, 0.0f, -2.0f, 1.0f), playerId),
                       0.0f);
    EXPECT_FLOAT_EQ(transform->position.x, 0.0f);
    engine.StepFrame(1.0f / 60.0f);
    EXPECT_FLOAT_EQ(transform->position.x, 3.0f);
    EXPECT_FLOAT_EQ(transform->position.z, -2.0f);

    // Destroying is a message to every system (the serializer system acts on it); the game
    // factory then no longer knows the id.
    engine.SendMessage(new ObjectDestroyMessage(0, playerId, 0), 0.0f);
    engine.StepFrame(1.0f / 60.0f);
    EXPECT_EQ(engine.GetFactory()->FindObject(playerId), nullptr);
}
