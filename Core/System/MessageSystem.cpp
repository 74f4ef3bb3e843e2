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

// When a post is made, for the numbering's order: the processor's cycle counter, the same on
// every core. A post that follows another thread's through a synchronisation so reads a later
// count, unless the two are a few dozen instructions apart (the processor may read the counter
// a little ahead of the instructions before it). 0 where there is no such counter.
u64 PostTime()
{
#if defined(__x86_64__) || defined(__i386__)
    return __builtin_ia32_rdtsc();
#else
    return 0;
#endif
}
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

void MessageSystem::Queue::Push(Message* message)
{
    items.push_back({message, PostedMessage::Numbered | message->id});
}

Message* MessageSystem::Queue::Pop()
{
    if (head == items.size())
        return nullptr;
    const PostedMessage& entry = items[head++];
    Message* message = entry.message;
    message->id = entry.Id();
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
        // A message made on the main thread (or before the system existed) keeps its id.
        const u64 key = message->id != 0 ? PostedMessage::Numbered | message->id
                                         : PostTime() & ~PostedMessage::Numbered;
        (isObjectMessage ? buffer->objects : buffer->queued).Push({message, key});
        return;
    }
    if (message->id == 0)
    {
        // Made on another thread and handed over: numbered now, after what is posted.
        NumberPosts();
        message->id = NextMessageId();
    }
    (isObjectMessage ? m_objectMessages : m_queue).Push(message);
}

u32 MessageSystem::IdForNewMessage()
{
    if (BufferForThisThread() != nullptr)
        return 0;
    NumberPosts();
    return NextMessageId();
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

void MessageSystem::NumberPosts()
{
    // Every list's published entries, merged by their cycle-counter readings (each list keeps
    // its own order), take the next ids one after another, messages that had an id already
    // aside, and join the numbered messages of their kind. The entries are read after the
    // lengths, and only then do the blocks go back. The buffers are read through their own list,
    // which a new thread extends at the front.
    m_segments.clear();
    m_runs.clear();
    m_cursors.clear();
    for (MessagePostBuffer* buffer = m_newestBuffer.load(std::memory_order_acquire);
         buffer != nullptr; buffer = buffer->previous)
    {
        for (PostList* list : {&buffer->queued, &buffer->objects})
        {
            const std::size_t first = m_segments.size();
            const auto [lastBlock, lastCount] = list->Peek(m_segments);
            if (m_segments.size() == first)
                continue;
            m_runs.push_back({list, lastBlock, lastCount});
            m_cursors.push_back({m_segments[first].begin, m_segments[first].end, first + 1,
                                 m_segments.size(), list == &buffer->objects});
        }
    }
    if (m_cursors.empty())
        return;

    // The entries join the numbered lists with their readings; `m_sweptKinds` keeps the order
    // across the two lists, in which the ids are then given.
    m_sweptKinds.clear();
    const std::size_t queuedFrom = m_numbered[0].size();
    const std::size_t objectsFrom = m_numbered[1].size();
    u32 unnumbered = 0;
    std::size_t live = m_cursors.size();
    Cursor* const cursors = m_cursors.data();
    while (live != 0)
    {
        // An entry that has its id goes at once; otherwise the earliest reading.
        std::size_t best = 0;
        u64 bestKey = cursors[0].next->IsNumbered() ? 0 : cursors[0].next->key;
        for (std::size_t i = 1; i < live && bestKey != 0; ++i)
        {
            const u64 key = cursors[i].next->IsNumbered() ? 0 : cursors[i].next->key;
            if (key < bestKey)
            {
                best = i;
                bestKey = key;
            }
        }
        Cursor& cursor = cursors[best];
        unnumbered += cursor.next->IsNumbered() ? 0 : 1;
        m_numbered[cursor.objects ? 1 : 0].push_back(*cursor.next++);
        m_sweptKinds.push_back(cursor.objects ? 1 : 0);
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
    for (const Run& run : m_runs)
        run.list->Release(run.lastBlock, run.lastCount);

    u32 id = TakeMessageIds(unnumbered);
    PostedMessage* next[2] = {m_numbered[0].data() + queuedFrom,
                              m_numbered[1].data() + objectsFrom};
    for (const u08 kind : m_sweptKinds)
    {
        PostedMessage& entry = *next[kind]++;
        if (!entry.IsNumbered())
            entry.key = PostedMessage::Numbered | id++;
    }
}

void MessageSystem::Collect(bool objects)
{
    // The numbered messages of the kind and the queue's own entries, each in its order, are
    // merged by id: of the two next entries the smaller id goes first.
    NumberPosts();
    std::vector<PostedMessage>& numbered = m_numbered[objects ? 1 : 0];
    if (numbered.empty())
        return;
    Queue& queue = objects ? m_objectMessages : m_queue;
    if (queue.Size() == 0)
    {
        // The numbered messages are the queue; their storage changes places with the queue's.
        queue.Clear();
        std::swap(queue.items, numbered);
        return;
    }
    const PostedMessage* own = queue.items.data() + queue.head;
    const PostedMessage* const ownEnd = queue.items.data() + queue.items.size();
    const PostedMessage* other = numbered.data();
    const PostedMessage* const otherEnd = other + numbered.size();
    m_merged.clear();
    while (own != ownEnd && other != otherEnd)
        m_merged.push_back(own->Id() < other->Id() ? *own++ : *other++);
    m_merged.insert(m_merged.end(), own, ownEnd);
    m_merged.insert(m_merged.end(), other, otherEnd);
    std::swap(queue.items, m_merged);
    queue.head = 0;
    m_merged.clear();
    numbered.clear();
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
    return m_walk.Size() + m_queue.Size() + m_numbered[0].size() + BufferedCount(false);
}

std::size_t MessageSystem::GetObjectMessageCount() const
{
    return m_objectWalk.Size() + m_objectMessages.Size() + m_numbered[1].size() +
           BufferedCount(true);
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
            __builtin_prefetch(m_walk.items[m_walk.head + PrefetchAhead].message, 1);
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
