// Natural typing: a typed character reaches every other component of the object once, an
// object that is gone ignores typing, two typing components on one object leave the input
// system each on its own, and without an input system nothing is registered at all.
#include "Core/Components/NaturalTypingComponent.h"
#include "Core/CoreRegistration.h"
#include "Core/Messages/Input/InputCodes.h"
#include "Core/Messages/Input/NaturalKeyboardMessage.h"
#include "Core/System/InputSystem.h"
#include "tests/Support/MountWorld.h"
#include "tests/Support/ProbeComponent.h"
#include <gtest/gtest.h>
#include <utility>

class NaturalTypingTest : public MountWorld
{
protected:
    void SetUp() override
    {
        MountWorld::SetUp();
        engine->GetSystemFactory().Register<Core::System::InputSystem>("InputSystem");
        input = engine->AddSystem("InputSystem");
    }
    // The input system's road: a message to the system, which hands it to each registered
    // component.
    void Type(u32 character)
    {
        engine->SendMessage(new NaturalKeyboardMessage(0, character, KS_TRIGGER, "InputSystem"),
                            0.0f);
        messages->Update(0.0f);
    }

    SystemComponent* input = nullptr;
};

TEST_F(NaturalTypingTest, ATypedCharacterReachesEveryOtherComponentOnce)
{
    GameObject* field = Factory().CreateObject("TextField", Engine::GenerateId());
    std::vector<std::pair<u32, u32>> seen; // character and state, per delivery
    auto* before = new ProbeComponent();
    auto* after = new ProbeComponent();
    field->AddComponent(before);
    field->AddComponent(Factory().CreateComponent("NaturalTypingComponent"));
    field->AddComponent(after);
    for (ProbeComponent* probe : {before, after})
    {
        probe->onMessage = [&seen](ProbeComponent&, Message* message)
        {
            const auto* key = static_cast<NaturalKeyboardMessage*>(message);
            seen.emplace_back(key->character, key->state);
        };
    }
    ASSERT_EQ(input->GetComponents().size(), 1u);

    Type('a');
    const std::pair<u32, u32> a(97u, static_cast<u32>(KS_TRIGGER));
    EXPECT_EQ(seen, (std::vector<std::pair<u32, u32>>{a, a})) << "one delivery per component";

    // What is addressed to the object itself is not passed round a second time.
    NaturalKeyboardMessage direct(0, 'c', KS_TRIGGER, Message::NoSystem);
    direct.targetObjectId = field->GetId();
    field->HandleMessage(&direct);
    EXPECT_EQ(seen.size(), 4u);

    // A typing component whose object is gone hears nothing and forwards nothing.
    GameObjectComponent* orphan = Factory().CreateComponent("NaturalTypingComponent");
    orphan->SetOwner(Engine::GetLastId() + 1000);
    Factory().DestroyObject(field->GetId());
    EXPECT_EQ(input->GetComponents(), std::list<GameObjectComponent*>{orphan});
    seen.clear();
    Type('b');
    EXPECT_TRUE(seen.empty());
    orphan->Shutdown();
    Factory().DestroyComponent(orphan);
    EXPECT_TRUE(input->GetComponents().empty());
}

TEST_F(NaturalTypingTest, TwoOnOneObjectLeaveEachOnItsOwnAndRecordCopiesStayOut)
{
    GameObject* field = Build("TextField", "<NaturalTypingComponent/><NaturalTypingComponent/>");
    ASSERT_EQ(input->GetComponents().size(), 2u);
    field->RemoveComponent(field->GetComponentList()[0].component->GetId());
    ASSERT_EQ(input->GetComponents().size(), 1u);
    GameObjectComponent* remaining = field->GetComponentList()[0].component;
    EXPECT_EQ(input->GetComponents().front(), remaining);

    Core::RegisterCoreTypeRecords();
    const TypeRecord& record = TypeRecordOf<NaturalTypingComponent>();
    EXPECT_EQ(record.GetBase(), &TypeRecordOf<GameObjectComponent>());
    alignas(NaturalTypingComponent) unsigned char block[sizeof(NaturalTypingComponent)];
    auto* copy = static_cast<NaturalTypingComponent*>(record.GetConstruct()(block, remaining));
    EXPECT_EQ(copy->GetOwner(), field->GetId());
    EXPECT_EQ(copy->GetId(), remaining->GetId());
    EXPECT_EQ(input->GetComponents().size(), 1u) << "a record copy is not registered";
    record.GetDestroy()(copy);
    EXPECT_EQ(input->GetComponents().front(), remaining) << "its end takes out no one else";
}

class NaturalTypingWithoutInputTest : public MountWorld
{
};

TEST_F(NaturalTypingWithoutInputTest, ComponentsAreMadeAndDestroyedAllTheSame)
{
    GameObject* field = Build("TextField", "<NaturalTypingComponent/>");
    ASSERT_EQ(field->GetComponentList().size(), 1u);
    const u32 id = field->GetId();
    Factory().DestroyObject(id);
    EXPECT_EQ(Factory().FindObject(id), nullptr);
}
