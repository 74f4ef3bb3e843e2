#include "Core/CoreServices.h"
#include "Core/Messages/Input/ControllerButtonMessage.h"
#include "Core/Messages/Input/ControllerStickMessage.h"
#include "Core/Messages/Input/InputActionMessage.h"
#include "Core/Messages/Input/InputCursorMessage.h"
#include "Core/Messages/Input/InputMoveMessage.h"
#include "Core/Messages/Input/KeyboardMessage.h"
#include "Core/Messages/Input/MouseButtonMessage.h"
#include "Core/Messages/Input/MouseMoveMessage.h"
#include "tests/Support/QueuedMessages.h"
#include "tests/Support/RecordingEngineTest.h"

namespace
{
class InputTranslationTest : public RecordingEngineTest
{
protected:
    void Post(Message* message) { messages->Post(message); }

    // The actions the queue holds, as (action, state) pairs, in order.
    static std::vector<std::pair<u32, u32>> Actions(const QueuedMessages& queued)
    {
        std::vector<std::pair<u32, u32>> actions;
        for (std::size_t i = 0; i < queued.size(); ++i)
            if (auto* action = queued.As<InputActionMessage>(i))
                actions.emplace_back(action->action, action->state);
        return actions;
    }
    using Pairs = std::vector<std::pair<u32, u32>>;
};

bool g_cursorShown = true;
int g_cursorCalls = 0;
void RecordCursor(bool visible)
{
    g_cursorShown = visible;
    ++g_cursorCalls;
}
} // namespace

TEST_F(InputTranslationTest, KeysThatSteerBecomeActionsAndMovesAtOnce)
{
    auto* space = new KeyboardMessage(7, 32, KS_TRIGGER, 0);
    space->SetTimeStamp(2.5);
    Post(space);
    {
        QueuedMessages queued(*messages);
        EXPECT_EQ(Actions(queued), (Pairs{{9, KS_TRIGGER}, {1, KS_TRIGGER}}));
        EXPECT_EQ(queued.size(), 2u) << "no keyboard message remains";
        EXPECT_DOUBLE_EQ(queued[0]->GetTimeStamp(), 2.5);
        EXPECT_EQ(queued[0]->senderId, messages->GetId());
    }
    Post(new KeyboardMessage(0, 'Q', KS_PRESSED, 0));
    Post(new KeyboardMessage(0, '1', KS_RELEASE, 0));
    Post(new KeyboardMessage(0, 293, KS_TRIGGER, 0)); // Tab
    {
        QueuedMessages queued(*messages);
        EXPECT_EQ(Actions(queued), (Pairs{{1, KS_PRESSED}, {1, KS_RELEASE}, {5, KS_TRIGGER}}));
    }
    Post(new KeyboardMessage(0, 257, KS_TRIGGER, 0)); // Escape
    Post(new KeyboardMessage(0, 268, KS_TRIGGER, 0)); // F11
    Post(new KeyboardMessage(0, 285, KS_PRESSED, 0)); // Left
    {
        QueuedMessages queued(*messages);
        ASSERT_EQ(queued.size(), 4u);
        EXPECT_EQ(queued.As<InputActionMessage>(0)->action, 8u);
        EXPECT_EQ(queued.As<KeyboardMessage>(1)->keyCode, 257u) << "Escape also stays a key";
        EXPECT_EQ(queued.As<KeyboardMessage>(2)->keyCode, 268u) << "function keys stay keys";
        auto* move = queued.As<InputMoveMessage>(3);
        ASSERT_NE(move, nullptr);
        EXPECT_EQ(move->direction, Math::Vector2(-1.0f, 0.0f));
        EXPECT_EQ(move->state, static_cast<u32>(KS_PRESSED));
    }
    // A plain message under the keyboard's type has no key to read: it travels as it is.
    Post(new Message(0, MT_KEYBOARD, 0u, sizeof(Message)));
    QueuedMessages queued(*messages);
    ASSERT_EQ(queued.size(), 1u);
    EXPECT_EQ(queued[0]->type, static_cast<u32>(MT_KEYBOARD));
}

TEST_F(InputTranslationTest, MouseButtonsAndMovementBecomeActionsMovesAndCursorMoves)
{
    // No window hooks: the window is 1024 x 768, its centre (512, 384).
    Post(new MouseButtonMessage(0, Math::Vector2(512.0f, 384.0f), 1, KS_TRIGGER, 0));
    Post(new MouseButtonMessage(0, Math::Vector2(612.0f, 284.0f), 1, KS_PRESSED, 0));
    Post(new MouseButtonMessage(0, Math::Vector2(), 0, KS_TRIGGER, 0));
    Post(new MouseButtonMessage(0, Math::Vector2(), 2, KS_RELEASE, 0));
    Post(new MouseButtonMessage(0, Math::Vector2(), 4, KS_TRIGGER, 0));
    Post(new MouseMoveMessage(0, Math::Vector2(), Math::Vector2(3.0f, -2.0f), 0));
    QueuedMessages queued(*messages);
    ASSERT_EQ(queued.size(), 6u);
    EXPECT_EQ(queued.As<InputMoveMessage>(0)->direction, Math::Vector2(0.0f, 0.0f));
    EXPECT_EQ(queued.As<InputMoveMessage>(1)->direction, Math::Vector2(100.0f, 100.0f))
        << "from the centre, y upwards";
    EXPECT_EQ(queued.As<InputActionMessage>(2)->action, 0u);
    EXPECT_EQ(queued.As<InputActionMessage>(3)->action, 1u);
    EXPECT_EQ(queued.As<MouseButtonMessage>(4)->button, 4u) << "unknown buttons travel as they are";
    auto* cursor = queued.As<InputCursorMessage>(5);
    ASSERT_NE(cursor, nullptr);
    EXPECT_EQ(cursor->movement, Math::Vector2(3.0f, -2.0f));
    EXPECT_EQ(cursor->targetSystem, "InputSystem");
}

TEST_F(InputTranslationTest, ControllerButtonsGiveActionsAndThePadWaitsForFrameTen)
{
    Core::Services().setMouseCursorVisible.Install(&RecordCursor);
    g_cursorCalls = 0;

    Post(new ControllerButtonMessage(0, 3, 7, KS_TRIGGER, 0));  // Start
    Post(new ControllerButtonMessage(0, 3, 1, KS_TRIGGER, 0));  // B
    Post(new ControllerButtonMessage(0, 3, 13, KS_TRIGGER, 0)); // pad Left, too early
    Post(new ControllerButtonMessage(0, 3, 10, KS_TRIGGER, 0)); // pad Up, too early
    Post(new ControllerButtonMessage(0, 3, 14, KS_TRIGGER, 0)); // no engine number
    {
        QueuedMessages queued(*messages);
        ASSERT_EQ(queued.size(), 3u);
        auto* start = queued.As<InputActionMessage>(0);
        EXPECT_EQ(start->action, 10u);
        EXPECT_EQ(start->player, 3u);
        EXPECT_NE(start->ToString().find("ACTION_PAUSE"), std::string::npos);
        EXPECT_EQ(queued.As<InputActionMessage>(1)->action, 3u);
        EXPECT_EQ(queued.As<ControllerButtonMessage>(2)->button, 14u);
        EXPECT_EQ(g_cursorCalls, 1);
        EXPECT_FALSE(g_cursorShown) << "pad Up this early hides the mouse cursor";
    }
    for (int frame = 0; frame < 10; ++frame)
        engine->StepFrame(0.01f);
    Post(new ControllerButtonMessage(0, 3, 13, KS_TRIGGER, 0));
    QueuedMessages queued(*messages);
    ASSERT_EQ(queued.size(), 1u);
    EXPECT_EQ(queued.As<InputMoveMessage>(0)->direction, Math::Vector2(-1.0f, 0.0f));
    Core::Services().setMouseCursorVisible.Remove(&RecordCursor);
}

TEST_F(InputTranslationTest, SticksShareOneStateAndTheTriggerFiresOnlyWhenPulledNegative)
{
    for (f32 value : {0.3f, 0.9f, 0.95f})
        Post(new ControllerStickMessage(0, 0, 0, value, 0));
    Post(new ControllerStickMessage(0, 0, 3, 0.8f, 0)); // right Y: the shared state goes on
    Post(new ControllerStickMessage(0, 0, 1, 0.1f, 0)); // rest
    {
        QueuedMessages queued(*messages);
        ASSERT_EQ(queued.size(), 5u);
        const std::vector<std::pair<Math::Vector2, u32>> expected = {{{0.3f, 0.0f}, KS_RELEASE},
                                                                     {{0.9f, 0.0f}, KS_TRIGGER},
                                                                     {{0.95f, 0.0f}, KS_PRESSED},
                                                                     {{0.0f, -0.8f}, KS_PRESSED},
                                                                     {{0.0f, 0.1f}, KS_RELEASE}};
        for (std::size_t i = 0; i < expected.size(); ++i)
        {
            auto* move = queued.As<InputMoveMessage>(i);
            ASSERT_NE(move, nullptr) << i;
            EXPECT_EQ(move->direction, expected[i].first) << i;
            EXPECT_EQ(move->state, expected[i].second) << i;
        }
    }
    Post(new ControllerStickMessage(0, 2, 2, 0.8f, 0));
    EXPECT_EQ(messages->GetQueueSize(), 0u) << "the left trigger fires nothing";
    for (f32 value : {-0.8f, -0.9f, -0.1f})
        Post(new ControllerStickMessage(0, 2, 2, value, 0));
    Post(new ControllerStickMessage(0, 2, 5, 1.0f, 0));
    QueuedMessages queued(*messages);
    EXPECT_EQ(Actions(queued), (Pairs{{0, KS_TRIGGER}, {0, KS_PRESSED}, {0, KS_RELEASE}}));
    EXPECT_EQ(queued.As<InputActionMessage>(0)->player, 2u);
    EXPECT_EQ(queued.As<ControllerStickMessage>(3)->axis, 5u) << "other axes travel as they are";
}
