#include "Core/System/MessageSystem.h"
#include "Core/Engine.h"
#include "Core/ErrorReport.h"
#include "Core/Log.h"
#include "Core/Messages/Message.h"
#include "Core/Messages/MessageTypes.h"
#include "Core/Messages/Object/AddComponentMessage.h"
#include "Core/Messages/UserInterface/GameStateMessage.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Core/Objects/GameObjectComponent.h"
#include <vector>

namespace Core
{
namespace System
{
struct MessagePostBuffer
{
    Core::SpinLock lock;
    std::vector<Message*> queued;
    std::vector<Message*> objects;
    std::atomic<bool> owned{false}; // a running thread posts into it
};

namespace
{
std::atomic<u64> g_nextGeneration{1};

// The calling thread's post buffer and the system it belongs to. The thread's end hands the
// buffer back to its system, which gives it to the next new posting thread.
struct ThreadPostSlot
{
    u64 generation = 0;
    std::shared_ptr<MessagePostBuffer> buffer;

    void Release()
    {
        if (buffer != nullptr)
            buffer->owned.store(false, std::memory_order_release);
        buffer.reset();
    }
    ~ThreadPostSlot() { Release(); }
};
thread_local ThreadPostSlot t_postSlot;

// One run of the merge: the next message and the end.
struct Cursor
{
    Message* const* next;
    Message* const* end;
};
} // namespace

MessageSystem* MessageSystem::s_instance = nullptr;

Message* MessageSystem::Queue::Pop()
{
    if (head == items.size())
        return nullptr;
    Message* message = items[head++];
    if (head == items.size())
        Clear();
    return message;
}

void MessageSystem::Queue::Clear()
{
    items.clear();
    head = 0;
}

MessageSystem::MessageSystem()
    : m_mainThread(std::this_thread::get_id()),
      m_generation(g_nextGeneration.fetch_add(1, std::memory_order_relaxed))
{
    m_name = "MessagingSystem";
    s_instance = this;
}

MessageSystem::~MessageSystem()
{
    // A destroyed message may post another (a component shut down by its undelivered
    // add-component message, say); clear until both lists stay empty.
    do
    {
        ClearQueue();
        ClearObjectMessages();
    } while (GetQueueSize() > 0 || GetObjectMessageCount() > 0);
    if (s_instance == this)
        s_instance = nullptr;
}

void MessageSystem::Initialize(u32)
{
    // Messages posted before this system existed (the log's exit request, say) arrive now.
    if (g_Engine == nullptr)
        return;
    for (auto& [message, delay] : g_Engine->TakeHeldMessages())
    {
        message->delay = delay;
        Post(message);
    }
}

bool MessageSystem::IsObjectMessageType(u32 type)
{
    return type == MT_OBJECT_DESTROY || type == MT_ADD_COMPONENT || type == MT_REMOVE_COMPONENT;
}

void MessageSystem::Post(Message* message)
{
    if (message == nullptr)
        return;
    // Raw input becomes the abstract input messages at once. It comes from the window layer's
    // callbacks, which run on the main thread inside the buffer swap.
    if (TranslateInput(message))
        return;
    Accept(message);
}

void MessageSystem::Accept(Message* message)
{
    const bool isObjectMessage = IsObjectMessageType(message->type);
    if (MessagePostBuffer* buffer = BufferForThisThread())
    {
        std::lock_guard<Core::SpinLock> lock(buffer->lock);
        (isObjectMessage ? buffer->objects : buffer->queued).push_back(message);
        return;
    }
    (isObjectMessage ? m_objectMessages : m_queue).Push(message);
}

MessagePostBuffer* MessageSystem::BufferForThisThread()
{
    ThreadPostSlot& slot = t_postSlot;
    if (slot.generation == m_generation)
        return slot.buffer.get();

    // The thread's first post to this system.
    slot.Release();
    slot.generation = m_generation;
    if (std::this_thread::get_id() == m_mainThread)
        return nullptr;
    std::lock_guard<std::mutex> lock(m_buffersMutex);
    for (const BufferPointer& buffer : m_buffers)
    {
        if (!buffer->owned.load(std::memory_order_acquire))
        {
            slot.buffer = buffer;
            break;
        }
    }
    if (slot.buffer == nullptr)
    {
        slot.buffer = std::make_shared<MessagePostBuffer>();
        m_buffers.push_back(slot.buffer);
    }
    slot.buffer->owned.store(true, std::memory_order_relaxed);
    return slot.buffer.get();
}

void MessageSystem::Collect(bool objects)
{
    std::lock_guard<std::mutex> lock(m_buffersMutex);
    m_collected.clear();
    m_runs.clear();
    for (const BufferPointer& buffer : m_buffers)
    {
        std::lock_guard<Core::SpinLock> bufferLock(buffer->lock);
        std::vector<Message*>& posted = objects ? buffer->objects : buffer->queued;
        if (posted.empty())
            continue;
        const std::size_t first = m_collected.size();
        m_collected.insert(m_collected.end(), posted.begin(), posted.end());
        posted.clear();
        m_runs.emplace_back(first, m_collected.size());
    }
    MergeCollected(objects ? m_objectMessages : m_queue);
}

void MessageSystem::MergeCollected(Queue& queue)
{
    if (m_runs.empty())
        return;
    // Each run keeps its own order; between runs the smaller id goes first.
    Cursor cursors[MaxMergedRuns];
    std::size_t runs = 0;
    auto merge = [&]
    {
        for (;;)
        {
            std::size_t best = runs;
            for (std::size_t i = 0; i < runs; ++i)
            {
                if (cursors[i].next != cursors[i].end &&
                    (best == runs || (*cursors[i].next)->id < (*cursors[best].next)->id))
                    best = i;
            }
            if (best == runs)
                return;
            m_merged.push_back(*cursors[best].next++);
        }
    };
    m_merged.clear();
    if (queue.Size() != 0)
        cursors[runs++] = {queue.items.data() + queue.head,
                           queue.items.data() + queue.items.size()};
    for (const auto& [first, last] : m_runs)
    {
        if (runs == MaxMergedRuns)
        {
            // Many posting threads: merge in rounds.
            merge();
            std::swap(queue.items, m_merged);
            queue.head = 0;
            m_merged.clear();
            runs = 0;
            cursors[runs++] = {queue.items.data(), queue.items.data() + queue.items.size()};
        }
        cursors[runs++] = {m_collected.data() + first, m_collected.data() + last};
    }
    merge();
    std::swap(queue.items, m_merged);
    queue.head = 0;
    m_merged.clear();
}

void MessageSystem::Enqueue(Message* message)
{
    m_queue.Push(message);
}

Message* MessageSystem::PopFront()
{
    if (m_walk.Size() != 0)
        return m_walk.Pop();
    if (m_queue.Size() == 0)
        Collect(false);
    return m_queue.Pop();
}

std::size_t MessageSystem::BufferedCount(bool objects) const
{
    std::lock_guard<std::mutex> lock(m_buffersMutex);
    std::size_t count = 0;
    for (const BufferPointer& buffer : m_buffers)
    {
        std::lock_guard<Core::SpinLock> bufferLock(buffer->lock);
        count += objects ? buffer->objects.size() : buffer->queued.size();
    }
    return count;
}

std::size_t MessageSystem::GetQueueSize() const
{
    return m_walk.Size() + m_queue.Size() + BufferedCount(false);
}

std::size_t MessageSystem::GetObjectMessageCount() const
{
    return m_objectWalk.Size() + m_objectMessages.Size() + BufferedCount(true);
}

Message* MessageSystem::DetachObjectMessage()
{
    if (m_objectWalk.Size() != 0)
        return m_objectWalk.Pop();
    if (m_objectMessages.Size() == 0)
        Collect(true);
    return m_objectMessages.Pop();
}

void MessageSystem::QueueDerived(Message* derived, const Message* source)
{
    if (derived == nullptr)
        return;
    if (source != nullptr)
    {
        derived->targetGroupId = source->targetGroupId;
        derived->targetObjectId = source->targetObjectId;
        derived->targetSystem = source->targetSystem;
        derived->delay = source->delay;
        derived->timeStamp = source->timeStamp;
    }
    Core::Log() << *derived;
    Accept(derived);
}

void MessageSystem::Update(f32 seconds)
{
    // The walk takes the queue's storage and leaves it the walk's (empty) storage of last time:
    // messages requeued or posted meanwhile go to the queue, for the next update.
    Collect(false);
    std::swap(m_walk, m_queue);
    while (Message* message = m_walk.Pop())
        CountDown(message, seconds);

    // Object messages posted during the main walk are carried out now, behind every due
    // queued message; a delayed one waits in the main queue from now on.
    Collect(true);
    std::swap(m_objectWalk, m_objectMessages);
    while (Message* message = m_objectWalk.Pop())
        CountDown(message, seconds);
}

void MessageSystem::CountDown(Message* message, f32 seconds)
{
    message->delay -= seconds;
    if (message->delay > 0.0f)
    {
        Enqueue(message);
        return;
    }
    Dispatch(message);
    Discard(message);
}

void MessageSystem::Dispatch(Message* message)
{
    Core::Log() << *message;
    if (message->targetObjectId != 0)
        DispatchToObject(message);
    else if (message->targetGroupId != 0)
        DispatchToGroup(message);
    else if (message->targetSystem != Message::NoSystem)
        DispatchToSystem(message);
    else if (g_Engine != nullptr)
    {
        // A handler may create a system, which appends to (and may reallocate) the list: walk
        // by index the systems that existed when the delivery began.
        const Engine::SystemList& systems = g_Engine->GetSystems();
        const std::size_t count = systems.size();
        for (std::size_t i = 0; i < count; ++i)
            systems[i]->HandleMessage(message);
    }
}

void MessageSystem::DispatchToObject(Message* message)
{
    GameFactory* factory = g_Engine != nullptr ? g_Engine->GetFactory() : nullptr;
    GameObject* object =
        factory != nullptr ? factory->FindObject(message->targetObjectId) : nullptr;
    if (object != nullptr)
    {
        object->HandleMessage(message);
        return;
    }
    if (message->type == MT_ADD_COMPONENT)
    {
        // The carried component is shut down and destroyed with the message itself.
        auto* add = static_cast<AddComponentMessage*>(message);
        std::string text = "Tried to add a component to an object that doesn't exist (";
        if (add->component != nullptr)
            text += std::to_string(add->component->GetType()) + ": " + add->component->GetName();
        text += ")";
        if (g_Engine != nullptr)
            g_Engine->LogError(ErrorReport(text, 0));
    }
    if (g_Engine != nullptr)
    {
        g_Engine->LogError(
            ErrorReport("Sent a message to an object that could not be located. (TYPE:" +
                            std::to_string(static_cast<s32>(message->type)) + ")",
                        0));
    }
}

void MessageSystem::DispatchToGroup(Message* message)
{
    GameFactory* factory = g_Engine != nullptr ? g_Engine->GetFactory() : nullptr;
    if (factory == nullptr)
        return;
    // Handlers may change the group: walk a snapshot of the member ids and deliver to each
    // member that still exists and still belongs to the group. The snapshots share one buffer
    // (a handler that dispatches again stacks its own behind this one), so a group delivery
    // allocates nothing once the buffer has grown to the largest group.
    const u32 group = message->targetGroupId;
    const std::size_t first = m_groupSnapshot.size();
    const auto end = factory->GetGroupEnd(group); // no handler runs while the snapshot is taken
    for (auto it = factory->GetGroupBegin(group); it != end; ++it)
        m_groupSnapshot.push_back((*it)->GetId());
    const std::size_t last = m_groupSnapshot.size();
    for (std::size_t i = first; i < last; ++i)
    {
        GameObject* member = factory->FindObject(m_groupSnapshot[i]);
        if (member != nullptr && member->GetGroup() == group)
            member->HandleMessage(message);
    }
    m_groupSnapshot.resize(first);
}

void MessageSystem::DispatchToSystem(Message* message)
{
    SystemComponent* system =
        g_Engine != nullptr ? g_Engine->GetSystem(message->targetSystem) : nullptr;
    if (system == nullptr)
    {
        Core::Log() << "Error [MessageSystem]: dropped a message of type " << message->type
                    << " for a system that does not exist (" << message->targetSystem << ")\n";
        return;
    }
    system->HandleMessage(message);
}

void MessageSystem::Discard(Message* message)
{
    DestroyMessage(message);
}

void MessageSystem::ClearQueue()
{
    while (GetQueueSize() > 0)
    {
        Message* message = PopFront();
        if (message == nullptr)
            break;
        Discard(message);
    }
}

void MessageSystem::ClearQueueSparing(u32 sparedType)
{
    std::vector<Message*> spared;
    while (GetQueueSize() > 0)
    {
        Message* message = PopFront();
        if (message == nullptr)
            break;
        if (message->type == sparedType)
            spared.push_back(message);
        else
            Discard(message);
    }
    for (Message* message : spared)
        Enqueue(message);
}

void MessageSystem::ClearObjectMessages()
{
    while (Message* message = DetachObjectMessage())
        Discard(message);
}

bool MessageSystem::RunTests(int)
{
    if (g_Engine == nullptr)
        return true;
    g_Engine->SendMessage(new Message(m_id, MT_SELF_TEST, m_name, sizeof(Message)), 0.0f);
    g_Engine->SendMessage(new GameStateMessage(m_id, GSM_EXIT, m_name), 0.0f);
    return true;
}
} // namespace System
} // namespace Core
