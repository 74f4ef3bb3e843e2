// The decision component: its queues, the targets it takes, and finding its own world-state
// entry after the entries have moved.
#include "AI/DecisionComponent.h"
#include "Xml/XmlReader.h"
#include "tests/AI/AIWorld.h"
#include <tinyxml2.h>

namespace
{
TEST(DecisionQueue, PopsTheSmallestPriorityFirstAndHoldsTwoHundredFifty)
{
    AI::DecisionComponent::TargetQueue queue;
    const f32 priorities[] = {5, 3, 8, 1, 9, 2, 7};
    for (u32 i = 0; i < 7; ++i)
        EXPECT_TRUE(queue.Push(100 + i, priorities[i]));
    for (u32 expected : {103u, 105u, 101u, 100u, 106u, 102u, 104u})
        EXPECT_EQ(queue.Pop(), expected);
    EXPECT_EQ(queue.Pop(), 0u) << "empty";
    for (u32 i = 0; i < AI::DecisionComponent::QueueCapacity; ++i)
        EXPECT_TRUE(queue.Push(i + 1, static_cast<f32>(i)));
    EXPECT_FALSE(queue.Push(999, -5.0f)) << "full";
    EXPECT_EQ(queue.Pop(), 1u);
}

TEST_F(AIWorld, DecisionTakesTargetZeroAndFindsItsEntryAfterAReorder)
{
    WriteScript("Decide.lua", "function Update(dt) end\n");
    GameObject* first = Enemy(0, 0, "");
    GameObject* own = Enemy(1, 0, "");
    Enemy(2, 0, "");
    GameObject* last = Enemy(3, 0, "");
    auto* decision = static_cast<AI::DecisionComponent*>(
        own->AddComponent(Factory().CreateComponent("DecisionComponent")));
    ASSERT_NE(decision, nullptr);
    Tick(0.1f);
    decision->Update(0.1f);
    EXPECT_TRUE(decision->FoundOwnEntry());
    for (std::size_t queue = 0; queue < AI::DecisionComponent::QueueCount; ++queue)
        EXPECT_EQ(decision->GetCurrentTarget(queue), 0u);
    EXPECT_EQ(AISys().GetCount(), 4u) << "the decision component does not join the system";

    // The first leaves: the last entry moves into its slot, and the own entry is still found.
    Factory().DestroyObject(first->GetId());
    Tick(0.1f);
    ASSERT_EQ(World().GetEntries()[0].objectId, last->GetId());
    decision->Update(0.1f);
    EXPECT_TRUE(decision->FoundOwnEntry());
}
} // namespace

namespace
{
TEST_F(AIWorld, DecisionReadsItsScriptAndWritesItsName)
{
    WriteScript("Decide.lua", "function Update(dt) end\n");
    GameObject* enemy =
        Make("Thinker", "<DecisionComponent><f32>1.5</f32><f32>2</f32><bool>1</bool>"
                        "<string>Decide.lua</string></DecisionComponent>");
    auto* decision = Get<AI::DecisionComponent>(*enemy);
    ASSERT_NE(decision, nullptr);
    ASSERT_NE(decision->GetScript(), nullptr) << log.Text();
    tinyxml2::XMLDocument document;
    GameObject::SerializeComponent(document, nullptr, *decision);
    tinyxml2::XMLPrinter printer;
    document.Print(&printer);
    EXPECT_NE(std::string(printer.CStr()).find("Decide.lua"), std::string::npos) << printer.CStr();

    // Reading again replaces the script; one without a script element reports the missing file.
    const std::size_t scripts = Scripting::System::LuaSystem::Instance()->GetScriptCount();
    Make("Blank", "<DecisionComponent><f32>0</f32><f32>0</f32><bool>0</bool></DecisionComponent>");
    EXPECT_EQ(Scripting::System::LuaSystem::Instance()->GetScriptCount(), scripts)
        << "a script that did not load is not registered";
    const u32 first = decision->GetScript()->GetId();
    Serializer::XmlReader again(document.RootElement(), true);
    decision->Deserialize(again);
    ASSERT_NE(decision->GetScript(), nullptr);
    EXPECT_NE(decision->GetScript()->GetId(), first);
    EXPECT_EQ(Scripting::System::LuaSystem::Instance()->GetScriptCount(), scripts)
        << "the earlier script is gone";
}
} // namespace
