#pragma once
// Takes every posted message, keeps object messages (destroy object, add or remove a component)
// in a list of their own and the rest in a queue, counts delays down once per update and
// delivers due messages to an object, a group, one system or every system. Delivered messages
// are destroyed and their memory returned to the engine's allocator.
// Post may be called from any thread (lock order: post mutex, then queue mutex). Update and the
// clear operations run on the main thread and hold no lock while a message is delivered, so
// handlers may post. Only the messages queued when an update begins are looked at in it; object
// messages posted during the main walk are carried out by the same update's second walk.
#include "Core/Messages/Input/InputCodes.h"
#include "Core/SystemComponent.h"
#include <deque>
#include <list>
#include <mutex>
#include <vector>

class Message;

namespace Core
{
namespace System
{
class MessageSystem : public SystemComponent
{
public:
    MessageSystem();
    ~MessageSystem() override;

    static MessageSystem* Instance() { return s_instance; }

    std::string GetName() const override { return m_name; }
    void Update(f32 seconds) override;
    void Initialize(u32 launchFlags) override;
    // Posts two messages addressed to this system, which ignores them.
    bool RunTests(int depth) override;

    // The one entry for new messages (Engine::SendMessage stores the delay and calls this).
    void Post(Message* message);
    // Delivers one due message.
    void Dispatch(Message* message);
    // Destroys every queued message without delivering it.
    void ClearQueue();
    // Destroys every message of the object-message list.
    void ClearObjectMessages();

    void Enqueue(Message* message);
    // The first queued message, or null when the queue is empty.
    Message* PopFront();
    // Queues a message derived from `source` (input translation): it takes the source's
    // addressing, delay and time stamp and is written to the message log.
    void QueueDerived(Message* derived, const Message* source);

    std::size_t GetQueueSize() const;
    std::size_t GetObjectMessageCount() const;

    // Object messages: destroy object, add component, remove component.
    static bool IsObjectMessageType(u32 type);

    // Replaces raw input (keys, mouse buttons and movement, controller buttons and sticks) by
    // the abstract input messages at once, under the post mutex (InputTranslation.cpp). True
    // when the raw message has been dealt with (queued or destroyed); false for other types.
    bool TranslateInput(Message* message);
    void TranslateKeyboard(Message* message);
    void TranslateMouseButton(Message* message);
    void TranslateMouseMove(Message* message);
    void TranslateControllerButton(Message* message);
    void TranslateControllerStick(Message* message);

    // Stick values beyond this count as pushed; the trigger fires below its negative.
    static constexpr f32 StickThreshold = 0.55f;
    // The controller pad moves nothing before this frame (the first frames settle the pad).
    static constexpr u32 FirstPadFrame = 10;

private:
    // Takes the frame time off the message's delay; requeues it or delivers and destroys it.
    void CountDown(Message* message, f32 seconds);
    void DispatchToObject(Message* message);
    void DispatchToGroup(Message* message);
    void DispatchToSystem(Message* message);
    void Discard(Message* message);
    Message* DetachObjectMessage();

    mutable std::mutex m_queueMutex;
    std::deque<Message*> m_queue;
    std::list<Message*> m_objectMessages; // guarded by the post mutex
    mutable std::mutex m_postMutex;
    std::vector<u32> m_groupSnapshot; // member ids of the group deliveries in progress
    // Key states of the translation, kept for the whole run: one shared by the four stick
    // axes, one for the trigger.
    u32 m_stickState = KS_RELEASE;
    u32 m_triggerState = KS_RELEASE;

    static MessageSystem* s_instance;
};
} // namespace System
} // namespace Core
