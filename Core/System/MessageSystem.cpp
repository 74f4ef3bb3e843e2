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
#include <algorithm>
#include <utility>
#include <vector>

namespace Core
{
namespace System
{
// A block of a posting thread's list: written in order by that thread alone and read by the
// main thread. About 4 KiB.
struct PostBlock
{
    static constexpr u32 Capacity = 254;

    std::atomic<u32> count{0};             // entries written, published after each one
    std::atomic<PostBlock*> next{nullptr}; // the following block, linked once this one is full
    PostBlock* nextFree = nullptr;         // in a list of blocks waiting for reuse
    PostedMessage entries[Capacity];
};

// A list of blocks with one writer, the posting thread, and one reader, the main thread. The
// writer fills the newest block and publishes its length after each entry (a release store);
// when the block is full it links a block taken back from the reader (a new one only while the
// list grows). The reader takes every published entry at once and hands the blocks it has
// finished with back through `freed`, pushed as one chain per collection. Each side's fields
// lie on a line of their own.
struct PostList
{
    // The posting thread's side.
    PostBlock* tail;            // the block being filled
    u32 written = 0;            // entries in it (the writer's own copy of its count)
    PostBlock* spare = nullptr; // blocks taken back from `freed`, not in use yet
    // The main thread's side.
    alignas(64) PostBlock* head; // the oldest block whose entries are not all taken
    u32 taken = 0;               // entries of `head` already taken
    // Blocks the main thread is done with, for the writer to take back whole.
    alignas(64) std::atomic<PostBlock*> freed{nullptr};

    PostList() : tail(new PostBlock), head(tail) {}
    ~PostList()
    {
        // Called once neither side uses the list: every block is on the chain from `head`, on
        // the spare list or on the freed list.
        for (PostBlock* block = head; block != nullptr;)
            delete std::exchange(block, block->next.load(std::memory_order_relaxed));
        for (PostBlock* list : {spare, freed.load(std::memory_order_acquire)})
        {
            while (list != nullptr)
                delete std::exchange(list, list->nextFree);
        }
    }
    PostList(const PostList&) = delete;
    PostList& operator=(const PostList&) = delete;

    // The writer's side: appends an entry and publishes it.
    void Push(const PostedMessage& entry)
    {
        if (written == PostBlock::Capacity)
            LinkBlock();
        tail->entries[written] = entry;
        tail->count.store(++written, std::memory_order_release);
    }

    void LinkBlock()
    {
        if (spare == nullptr)
            spare = freed.exchange(nullptr, std::memory_order_acquire);
        PostBlock* block = spare;
        if (block != nullptr)
        {
            spare = block->nextFree;
            block->nextFree = nullptr;
            block->count.store(0, std::memory_order_relaxed);
            block->next.store(nullptr, std::memory_order_relaxed);
        }
        else
            block = new PostBlock;
        // Publishes the block's reset along with the link.
        tail->next.store(block, std::memory_order_release);
        tail = block;
        written = 0;
    }

    // The reader's side: appends the stretches published and not yet taken to `segments` and
    // answers where they end (the block and its count), for Release once they are read.
    template <class SegmentList> std::pair<PostBlock*, u32> Peek(SegmentList& segments) const
    {
        PostBlock* block = head;
        u32 from = taken;
        for (;;)
        {
            const u32 count = block->count.load(std::memory_order_acquire);
            if (count > from)
                segments.push_back({block->entries + from, block->entries + count});
            if (count < PostBlock::Capacity)
                return {block, count};
            PostBlock* next = block->next.load(std::memory_order_acquire);
            if (next == nullptr)
                return {block, count};
            block = next;
            from = 0;
        }
    }

    // Entries published and not yet taken.
    std::size_t Published() const
    {
        std::size_t total = 0;
        u32 from = taken;
        for (PostBlock* block = head;;)
        {
            const u32 count = block->count.load(std::memory_order_acquire);
            total += count - from;
            if (count < PostBlock::Capacity)
                return total;
            block = block->next.load(std::memory_order_acquire);
            if (block == nullptr)
                return total;
            from = 0;
        }
    }

    // Everything up to entry `count` of `last` has been read: the blocks before it go back to
    // the writer in one chain.
    void Release(PostBlock* last, u32 count)
    {
        if (head != last)
        {
            PostBlock* first = head;
            PostBlock* end = head;
            while (end->next.load(std::memory_order_relaxed) != last)
            {
                PostBlock* next = end->next.load(std::memory_order_relaxed);
                end->nextFree = next;
                end = next;
            }
            PostBlock* top = freed.load(std::memory_order_relaxed);
            do
                end->nextFree = top;
            while (!freed.compare_exchange_weak(top, first, std::memory_order_release,
                                                std::memory_order_relaxed));
            head = last;
        }
        taken = count;
    }
};

struct MessagePostBuffer
{
    PostList queued;
    PostList objects;
    std::atomic<bool> owned{false}; // a running thread posts into it
    // The buffer made before this one (the system's list of buffers for the main thread to read
    // without a lock); set before the buffer is published and never changed.
    MessagePostBuffer* previous = nullptr;
};

namespace
{
std::atomic<u64> g_nextGeneration{1};
// How far ahead of the delivery the walk fetches messages.
constexpr std::size_t PrefetchAhead = 8;

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
        (isObjectMessage ? buffer->objects : buffer->queued).Push({message->id, message});
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
    std::lock_guard<Core::SpinLock> lock(m_buffersLock);
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
        slot.buffer->previous = m_newestBuffer.load(std::memory_order_relaxed);
        m_newestBuffer.store(slot.buffer.get(), std::memory_order_release);
    }
    slot.buffer->owned.store(true, std::memory_order_relaxed);
    return slot.buffer.get();
}

void MessageSystem::Collect(bool objects)
{
    // The entries are read after the lengths, and only then do the blocks go back. The buffers
    // are read through their own list, which a new thread extends at the front.
    m_segments.clear();
    m_runs.clear();
    for (MessagePostBuffer* buffer = m_newestBuffer.load(std::memory_order_acquire);
         buffer != nullptr; buffer = buffer->previous)
    {
        PostList& list = objects ? buffer->objects : buffer->queued;
        const std::size_t first = m_segments.size();
        const auto [lastBlock, lastCount] = list.Peek(m_segments);
        if (lastBlock != list.head || lastCount != list.taken)
            m_runs.push_back({&list, first, m_segments.size(), lastBlock, lastCount});
    }
    if (m_runs.empty())
        return;
    MergeCollected(objects ? m_objectMessages : m_queue);
    for (const Run& run : m_runs)
        run.list->Release(run.lastBlock, run.lastCount);
}

void MessageSystem::MergeCollected(Queue& queue)
{
    // Each run keeps its own order; between runs, and the queue's own entries (one more run),
    // the smaller id goes first. The runs' ids are read from their entries, not from the
    // messages, which other processors wrote; each entry is read once.
    m_cursors.clear();
    for (const Run& run : m_runs)
    {
        if (run.firstSegment != run.endSegment)
        {
            const Segment& segment = m_segments[run.firstSegment];
            m_cursors.push_back({segment.begin, segment.end, run.firstSegment + 1, run.endSegment});
        }
    }
    if (m_cursors.empty())
        return;
    if (queue.Size() == 0 && m_cursors.size() == 1)
    {
        // One thread posted and the queue is empty: its entries, in order, are the queue.
        queue.Clear();
        Cursor& cursor = m_cursors.front();
        for (;;)
        {
            for (const PostedMessage* entry = cursor.next; entry != cursor.end; ++entry)
                queue.items.push_back(entry->message);
            if (cursor.segment == cursor.endSegment)
                break;
            const Segment& segment = m_segments[cursor.segment++];
            cursor.next = segment.begin;
            cursor.end = segment.end;
        }
        return;
    }

    Message* const* own = queue.items.data() + queue.head;
    Message* const* const ownEnd = queue.items.data() + queue.items.size();
    m_merged.clear();
    std::size_t live = m_cursors.size();
    Cursor* const cursors = m_cursors.data();
    for (;;)
    {
        std::size_t best = live;
        u32 bestId = 0;
        for (std::size_t i = 0; i < live; ++i)
        {
            if (best == live || cursors[i].next->id < bestId)
            {
                best = i;
                bestId = cursors[i].next->id;
            }
        }
        if (own != ownEnd && (best == live || (*own)->id < bestId))
        {
            m_merged.push_back(*own++);
            continue;
        }
        if (best == live)
            break;
        Cursor& cursor = cursors[best];
        m_merged.push_back(cursor.next++->message);
        if (cursor.next != cursor.end)
            continue;
        if (cursor.segment != cursor.endSegment)
        {
            const Segment& segment = m_segments[cursor.segment++];
            cursor.next = segment.begin;
            cursor.end = segment.end;
        }
        else
            cursor = cursors[--live]; // this run is done
    }
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
    std::size_t count = 0;
    for (const MessagePostBuffer* buffer = m_newestBuffer.load(std::memory_order_acquire);
         buffer != nullptr; buffer = buffer->previous)
        count += (objects ? buffer->objects : buffer->queued).Published();
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
    {
        // Each message lies wherever its memory came from and is seldom still cached: the ones
        // a few places ahead are fetched while this one is delivered.
        if (m_walk.head + PrefetchAhead < m_walk.items.size())
            __builtin_prefetch(m_walk.items[m_walk.head + PrefetchAhead]);
        CountDown(message, seconds);
    }

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
    GameFactory* factory = Engine::Factory();
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
    GameFactory* factory = Engine::Factory();
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
        g_Engine != nullptr ? g_Engine->GetSystem(message->targetSystem.Text()) : nullptr;
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
