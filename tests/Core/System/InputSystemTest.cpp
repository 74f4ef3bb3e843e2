// The input system on a fake window layer: raw events go in through the layer's translation,
// what the input system posts is read from the message system's queue (already translated).
#include "Core/System/InputSystem.h"
#include "Core/CoreServices.h"
#include "Core/Messages/Graphics/WindowResizeMessage.h"
#include "Core/Messages/Input/ControllerStickMessage.h"
#include "Core/Messages/Input/InputActionMessage.h"
#include "Core/Messages/Input/InputCursorMessage.h"
#include "Core/Messages/Input/InputMoveMessage.h"
#include "Core/Messages/Input/KeyboardMessage.h"
#include "Core/Messages/Input/MouseWheelMessage.h"
#include "Core/Messages/Input/NaturalKeyboardMessage.h"
#include "Core/Messages/Object/ObjectVisibilityMessage.h"
#include "tests/Platform/Support/FakeWindowLayer.h"
#include "tests/Support/ProbeComponent.h"
#include "tests/Support/QueuedMessages.h"
#include "tests/Support/RecordingEngineTest.h"
#include <GLFW/glfw3.h>
#include <cmath>
#include <limits>

using Core::System::InputSystem;

namespace
{
bool g_paused = false;
u32 g_cursorObject = 0;
std::vector<bool> g_cursorCalls;

bool IsPaused()
{
    return g_paused;
}
u32 CursorObject()
{
    return g_cursorObject;
}
void RecordCursor(bool visible)
{
    g_cursorCalls.push_back(visible);
}

class InputSystemTest : public RecordingEngineTest
{
protected:
    void SetUp() override
    {
        RecordingEngineTest::SetUp();
        g_paused = false;
        g_cursorObject = 0;
        g_cursorCalls.clear();
        Core::Services().isPaused.Install(&IsPaused);
        Core::Services().setMouseCursorVisible.Install(&RecordCursor);
        Core::Services().cursorObjectId.Install(&CursorObject);
        InputSystem::SetCursorPosition(Math::Vector2());
        engine->GetSystemFactory().Register<InputSystem>("InputSystem");
    }
    void TearDown() override
    {
        RecordingEngineTest::TearDown();
        Core::Services().isPaused.Remove(&IsPaused);
        Core::Services().setMouseCursorVisible.Remove(&RecordCursor);
        Core::Services().cursorObjectId.Remove(&CursorObject);
    }
    // Creates the system and announces the window, which attaches its handlers to the layer.
    void Start()
    {
        layer.open = true;
        input = static_cast<InputSystem*>(engine->AddSystem("InputSystem"));
        ASSERT_NE(input, nullptr);
        WindowResizeMessage resize(0, Math::Vector2(1024.0f, 768.0f), 0u);
        input->HandleMessage(&resize);
    }
    // The keyboard messages of the queue, as (key, state).
    std::vector<std::pair<u32, u32>> Keys()
    {
        QueuedMessages queued(*messages);
        std::vector<std::pair<u32, u32>> keys;
        for (std::size_t i = 0; i < queued.size(); ++i)
            if (auto* key = queued.As<KeyboardMessage>(i))
                keys.emplace_back(key->keyCode, key->state);
        return keys;
    }
    using Pairs = std::vector<std::pair<u32, u32>>;

    FakeWindowLayer layer;
    InputSystem* input = nullptr;
};
} // namespace

TEST_F(InputSystemTest, AHeldKeyIsPressedThenHeldEveryUpdateThenReleased)
{
    Start();
    layer.OnKey(GLFW_KEY_Z, GLFW_PRESS);
    EXPECT_EQ(Keys(), (Pairs{{'Z', KS_TRIGGER}}));
    layer.OnKey(GLFW_KEY_Z, GLFW_REPEAT);
    input->Update(0.01f);
    input->Update(0.01f);
    EXPECT_EQ(Keys(), (Pairs{{'Z', KS_PRESSED}, {'Z', KS_PRESSED}}));
    layer.OnKey(GLFW_KEY_Z, GLFW_RELEASE);
    input->Update(0.01f);
    EXPECT_EQ(Keys(), (Pairs{{'Z', KS_RELEASE}}));

    // Enter is typed text as well; the key itself becomes actions 9 and 1.
    layer.OnKey(GLFW_KEY_ENTER, GLFW_PRESS);
    QueuedMessages queued(*messages);
    ASSERT_EQ(queued.size(), 3u);
    auto* typed = queued.As<NaturalKeyboardMessage>(0);
    ASSERT_NE(typed, nullptr);
    EXPECT_EQ(typed->character, 294u);
    EXPECT_EQ(typed->targetSystem, "InputSystem");
}

TEST_F(InputSystemTest, LosingFocusPressesEscapeOnceAndNotWhilePaused)
{
    Start();
    layer.focused = false;
    input->Update(0.01f);
    input->Update(0.01f);
    EXPECT_EQ(Keys(), (Pairs{{257, KS_TRIGGER}}));
    layer.focused = true;
    input->Update(0.01f);
    g_paused = true;
    layer.focused = false;
    input->Update(0.01f);
    EXPECT_TRUE(Keys().empty());
}

TEST_F(InputSystemTest, TheCursorMovesByAtMostHalfTheWindowAndStaysInside)
{
    Start();
    InputCursorMessage far(0, 0, Math::Vector2(5000.0f, -10.0f), 0u);
    input->HandleMessage(&far);
    EXPECT_EQ(InputSystem::GetCursorPosition(), Math::Vector2(512.0f, 0.0f));
    EXPECT_EQ(layer.cursorX, 512);
    input->HandleMessage(&far);
    EXPECT_EQ(InputSystem::GetCursorPosition(), Math::Vector2(1024.0f, 0.0f));
    input->HandleMessage(&far);
    EXPECT_EQ(layer.cursorX, 1024);
    {
        QueuedMessages handedOn(*messages); // the next test looks at these
    }

    // Mouse movement travels as a cursor message to this system, relative to the cursor.
    layer.OnCursorPosition(1000.4, 10.0);
    QueuedMessages queued(*messages);
    ASSERT_EQ(queued.size(), 1u);
    EXPECT_EQ(queued.As<InputCursorMessage>(0)->movement, Math::Vector2(-24.0f, 10.0f));
}

TEST_F(InputSystemTest, TheCursorMovementIsHandedOnToEveryoneOnceAndTheCopyMovesNothing)
{
    // The player's controller (a logic component) faces the pointer only if the movement
    // reaches it too, not the input system alone.
    Start();
    InputCursorMessage moved(0, 0, Math::Vector2(40.0f, 30.0f), 0u);
    moved.targetSystem = "InputSystem";
    input->HandleMessage(&moved);
    EXPECT_EQ(InputSystem::GetCursorPosition(), Math::Vector2(40.0f, 30.0f));
    QueuedMessages queued(*messages);
    ASSERT_EQ(queued.size(), 1u);
    auto* copy = queued.As<InputCursorMessage>(0);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->targetSystem, Message::NoSystem);
    EXPECT_EQ(copy->targetObjectId, 0u);
    EXPECT_EQ(copy->player, 0u);
    EXPECT_EQ(copy->movement, Math::Vector2(40.0f, 30.0f));

    input->HandleMessage(copy);
    EXPECT_EQ(InputSystem::GetCursorPosition(), Math::Vector2(40.0f, 30.0f));
    EXPECT_EQ(QueuedMessages(*messages).size(), 0u);
}

TEST_F(InputSystemTest, TheWheelReportsChangesOfItsWholeStepPosition)
{
    Start();
    layer.OnScroll(0.0, 2.0);
    layer.OnScroll(0.0, 0.25);
    layer.OnScroll(0.0, -3.0);
    QueuedMessages queued(*messages);
    ASSERT_EQ(queued.size(), 2u);
    auto* up = queued.As<MouseWheelMessage>(0);
    auto* down = queued.As<MouseWheelMessage>(1);
    EXPECT_EQ(up->steps, 2u);
    EXPECT_EQ(up->direction, 1);
    EXPECT_EQ(down->steps, 3u);
    EXPECT_EQ(down->direction, 0);
}

TEST_F(InputSystemTest, ControllersAreFoundAtAnyIdPolledAndRemovedWhenGone)
{
    Start();
    EXPECT_EQ(input->GetActivePlayers(), 0) << "keyboard and mouse";
    layer.PlugController(5);
    input->Update(0.01f);
    EXPECT_EQ(log->Count("Input System Update::Controller Conntected!"), 1u);
    EXPECT_EQ(input->GetControllerCount(), 1u);
    EXPECT_EQ(input->GetActivePlayers(), 1);
    EXPECT_EQ(g_cursorCalls, std::vector<bool>{false});
    EXPECT_EQ(messages->GetQueueSize(), 0u) << "no cursor object yet: nothing to hide";

    // A held button of controller 5 is re-sent every update; a stick inside the dead zone once.
    layer.joysticks[5].buttons[0] = 1;
    layer.joysticks[5].axes[0] = 0.8f;
    input->Update(0.01f);
    {
        QueuedMessages queued(*messages);
        ASSERT_EQ(queued.size(), 3u);
        EXPECT_EQ(queued.As<InputMoveMessage>(0)->player, 5u);
        EXPECT_EQ(queued.As<InputActionMessage>(1)->state, static_cast<u32>(KS_TRIGGER));
        EXPECT_EQ(queued.As<InputActionMessage>(2)->state, static_cast<u32>(KS_PRESSED));
    }
    layer.joysticks[5].axes[0] = 0.5f;
    input->Update(0.01f);
    input->Update(0.01f);
    {
        QueuedMessages queued(*messages);
        EXPECT_EQ(queued.CountOf(MT_INPUT_MOVE), 1u) << "back in the dead zone: reported once";
        EXPECT_EQ(queued.As<InputMoveMessage>(0)->direction, Math::Vector2(0.0f, 0.0f));
    }

    g_cursorObject = 42;
    layer.joysticks.erase(5);
    input->Update(InputSystem::ControllerCheckInterval);
    EXPECT_EQ(log->Count("Input System Update::Controller Disconnected!"), 1u);
    EXPECT_EQ(input->GetControllerCount(), 0u);
    EXPECT_TRUE(g_cursorCalls.back()) << "the mouse cursor shows again";
    QueuedMessages queued(*messages);
    auto* shown = queued.As<ObjectVisibilityMessage>(queued.size() - 1);
    ASSERT_NE(shown, nullptr);
    EXPECT_TRUE(shown->visible);
    EXPECT_EQ(shown->targetObjectId, 42u);
}

TEST_F(InputSystemTest, StickValuesThatAreNotFiniteAreDroppedAndTheRestClampedToOne)
{
    Start();
    layer.PlugController(2);
    input->Update(0.01f);
    messages->ClearQueue();

    layer.joysticks[2].axes[0] = std::numeric_limits<f32>::quiet_NaN();
    layer.joysticks[2].axes[1] = std::numeric_limits<f32>::infinity();
    layer.joysticks[2].axes[3] = -std::numeric_limits<f32>::infinity();
    input->Update(0.01f);
    EXPECT_EQ(QueuedMessages(*messages).CountOf(MT_INPUT_MOVE), 0u) << "nothing to read: no move";

    layer.joysticks[2].axes[0] = 1e30f;
    layer.joysticks[2].axes[1] = -1e30f;
    input->Update(0.01f);
    QueuedMessages queued(*messages);
    ASSERT_EQ(queued.CountOf(MT_INPUT_MOVE), 2u);
    for (std::size_t i = 0; i < queued.size(); ++i)
        if (const auto* move = queued.As<InputMoveMessage>(i))
        {
            EXPECT_LE(std::fabs(move->direction.x), 1.0f);
            EXPECT_LE(std::fabs(move->direction.y), 1.0f);
            EXPECT_EQ(std::fabs(move->direction.x) + std::fabs(move->direction.y), 1.0f);
        }
}

TEST_F(InputSystemTest, TypedTextReachesEachRegisteredComponentAndUnregisterTakesOnlyOne)
{
    Start();
    ProbeComponent first;
    ProbeComponent second;
    first.SetOwner(9);
    second.SetOwner(9);
    input->Register(&first);
    input->Register(&second);
    input->Unregister(&first);
    NaturalKeyboardMessage typed(0, 'a', KS_TRIGGER, "InputSystem");
    input->HandleMessage(&typed);
    EXPECT_TRUE(first.received.empty());
    EXPECT_EQ(second.received.size(), 1u) << "its neighbour on the same object stays";
    input->Unregister(&second);
}
