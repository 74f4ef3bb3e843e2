#pragma once
// Takes every posted message, keeps object messages (destroy object, add or remove a component)
// in a list of their own and the rest in a queue, counts delays down once per update and
// delivers due messages to an object, a group, one system or every system. Delivered messages
// are destroyed and their memory returned to the engine's allocator.
// Post may be called from any thread. The main thread (the one that created the system) posts
// straight into the queues; every other thread appends to lists of its own (ThreadPostBuffers),
// which the update takes and merges with the queue by message id. Update and the clear
// operations run on the main thread and hold no lock while a message is delivered, so handlers
// may post. Only the messages queued when an update begins are looked at in it; object messages
// posted during the main walk are carried out by the same update's second walk. The queues and
// the threads' lists keep their storage from update to update: once warm, posting and
// delivering allocate nothing. Raw input is translated on its way in (InputTranslation).
#include "Core/System/InputTranslation.h"
#include "Core/System/MessageQueue.h"
#include "Core/System/ThreadPostBuffers.h"
#include "Core/SystemComponent.h"
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

    const std::string& GetName() const override { return m_name; }
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
    // As ClearQueue, but messages of the spared type stay queued (in their order) for the next
    // update: a state change empties the queue while a background batch may still be finishing.
    void ClearQueueSparing(u32 sparedType);
    // Destroys every message of the object-message list.
    void ClearObjectMessages();

    // Queues a message from any thread: the main thread's straight into the queue or the object
    // list, another thread's into its post buffer.
    void Accept(Message* message);
    // Queues a message on the main thread (a delayed message waiting for its next update).
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

private:
    // Takes the frame time off the message's delay; requeues it or delivers and destroys it.
    void CountDown(Message* message, f32 seconds);
    void DispatchToObject(Message* message);
    void DispatchToGroup(Message* message);
    void DispatchToSystem(Message* message);
    void Discard(Message* message);
    Message* DetachObjectMessage();

    ThreadPostBuffers m_postBuffers; // the other threads' posts
    MessageQueue m_queue;
    MessageQueue m_objectMessages;
    MessageQueue m_walk;              // the main walk in progress
    MessageQueue m_objectWalk;        // the object-message walk in progress
    std::vector<u32> m_groupSnapshot; // member ids of the group deliveries in progress
    InputTranslation m_inputTranslation{*this};

    static MessageSystem* s_instance;
};
} // namespace System
} // namespace Core
