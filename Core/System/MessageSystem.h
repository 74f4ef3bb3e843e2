#pragma once
// Takes every posted message, keeps object messages (destroy object, add or remove a component)
// in a list of their own and the rest in a queue, counts delays down once per update and
// delivers due messages to an object, a group, one system or every system. Delivered messages
// are destroyed and their memory returned to the engine's allocator.
// Post may be called from any thread. The main thread (the one that created the system) posts
// straight into the queues; every other thread appends to lists of its own, which only it writes
// and only the main thread reads: a post writes the entry and then publishes the list's new
// length, with no lock and no atomic read-modify-write. The update takes what each thread has
// published, merging it with the queue by message id, so messages from several threads arrive
// in the order of their ids and each thread's in the order it posted them; the lists' blocks
// then go back to their thread for reuse. Update and the clear operations run on the main
// thread and hold no lock while a message is delivered, so handlers may post. Only the messages
// queued when an update begins are looked at in it; object messages posted during the main walk
// are carried out by the same update's second walk. The queues and the threads' lists keep
// their storage from update to update: once warm, posting and delivering allocate nothing.
#include "Core/Memory/SpinLock.h"
#include "Core/Messages/Input/InputCodes.h"
#include "Core/SystemComponent.h"
#include <atomic>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

class Message;

namespace Core
{
namespace System
{
// What one posting thread has posted since the last collection (MessageSystem.cpp).
struct MessagePostBuffer;
// One of a posting thread's two lists (object messages and the others), and a block of it.
struct PostList;
struct PostBlock;
// A message posted by a thread other than the main one, with its id: the collection merges by
// id without reading the message itself.
struct PostedMessage
{
    u32 id;
    Message* message;
};

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

    // Replaces raw input (keys, mouse buttons and movement, controller buttons and sticks) by
    // the abstract input messages at once, inside Post, on the posting thread
    // (InputTranslation.cpp). True when the raw message has been dealt with (queued or
    // destroyed); false for other types.
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

    // A first-in first-out list in a vector that keeps its storage: taken from `head`, emptied
    // (not freed) once every entry is taken.
    struct Queue
    {
        std::vector<Message*> items;
        std::size_t head = 0;

        std::size_t Size() const { return items.size() - head; }
        void Push(Message* message) { items.push_back(message); }
        Message* Pop();
        void Clear();
    };
    using BufferPointer = std::shared_ptr<MessagePostBuffer>;
    // A stretch of published entries within one block.
    struct Segment
    {
        const PostedMessage* begin;
        const PostedMessage* end;
    };
    // What one collection takes from one list: segments [firstSegment, endSegment) of
    // m_segments, ending at `lastBlock`'s entry `lastCount`.
    struct Run
    {
        PostList* list;
        std::size_t firstSegment;
        std::size_t endSegment;
        PostBlock* lastBlock;
        u32 lastCount;
    };
    // One run of the merge: the next entry, the end of its segment, the run's next segment and
    // its end.
    struct Cursor
    {
        const PostedMessage* next;
        const PostedMessage* end;
        std::size_t segment;
        std::size_t endSegment;
    };
    // The calling thread's post buffer, or null on the main thread.
    MessagePostBuffer* BufferForThisThread();
    // Moves what the threads posted into the object list or (objects false) the queue.
    void Collect(bool objects);
    // The collected runs merged by id into `queue`, whose own entries count as one more run.
    void MergeCollected(Queue& queue);
    // Messages waiting in the post buffers: object messages or the others.
    std::size_t BufferedCount(bool objects) const;

    const std::thread::id m_mainThread;
    const u64 m_generation; // tells this system's post buffers from an earlier system's
    Queue m_queue;
    Queue m_objectMessages;
    Queue m_walk;       // the main walk in progress
    Queue m_objectWalk; // the object-message walk in progress
    // Guards the buffers' ownership (a new posting thread takes a free buffer or adds one). The
    // main thread reads the buffers without it, from the newest through their `previous` links:
    // a buffer is published whole and never removed while the system lives.
    Core::SpinLock m_buffersLock;
    std::vector<BufferPointer> m_buffers;
    std::atomic<MessagePostBuffer*> m_newestBuffer{nullptr};
    // Collection scratch, kept between updates: the segments and runs taken, the merge's
    // cursors and the merged queue.
    std::vector<Segment> m_segments;
    std::vector<Run> m_runs;
    std::vector<Cursor> m_cursors;
    std::vector<Message*> m_merged;
    std::vector<u32> m_groupSnapshot; // member ids of the group deliveries in progress
    // Key states of the translation, kept for the whole run: one shared by the four stick
    // axes, one for the trigger.
    u32 m_stickState = KS_RELEASE;
    u32 m_triggerState = KS_RELEASE;

    static MessageSystem* s_instance;
};
} // namespace System
} // namespace Core
