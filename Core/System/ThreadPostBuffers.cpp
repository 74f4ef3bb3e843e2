#include "Core/System/ThreadPostBuffers.h"
#include "Core/Messages/Message.h"
#include "Core/System/MessageQueue.h"
#include <mutex>
#include <utility>

namespace Core
{
namespace System
{
// A block of a posting thread's list: written in order by that thread alone and read by the
// main thread. About 4 KiB.
struct ThreadPostBuffers::PostBlock
{
    static constexpr u32 Capacity = 254;

    std::atomic<u32> m_count{0};             // entries written, published after each one
    std::atomic<PostBlock*> m_next{nullptr}; // the following block, linked once this one is full
    PostBlock* m_nextFree = nullptr;         // in a list of blocks waiting for reuse
    PostedMessage m_entries[Capacity];
};

// A list of blocks with one writer, the posting thread, and one reader, the main thread. The
// writer fills the newest block and publishes its length after each entry (a release store);
// when the block is full it links a block taken back from the reader (a new one only while the
// list grows). The reader takes every published entry at once and hands the blocks it has
// finished with back through `m_freed`, pushed as one chain per collection. Each side's fields
// lie on a line of their own.
struct ThreadPostBuffers::PostList
{
    // The posting thread's side.
    PostBlock* m_tail;            // the block being filled
    u32 m_written = 0;            // entries in it (the writer's own copy of its count)
    PostBlock* m_spare = nullptr; // blocks taken back from `m_freed`, not in use yet
    // The main thread's side.
    alignas(64) PostBlock* m_head; // the oldest block whose entries are not all taken
    u32 m_taken = 0;               // entries of `m_head` already taken
    // Blocks the main thread is done with, for the writer to take back whole.
    alignas(64) std::atomic<PostBlock*> m_freed{nullptr};

    PostList() : m_tail(new PostBlock), m_head(m_tail) {}
    ~PostList()
    {
        // Called once neither side uses the list: every block is on the chain from `m_head`,
        // on the spare list or on the freed list.
        for (PostBlock* block = m_head; block != nullptr;)
            delete std::exchange(block, block->m_next.load(std::memory_order_relaxed));
        for (PostBlock* list : {m_spare, m_freed.load(std::memory_order_acquire)})
        {
            while (list != nullptr)
                delete std::exchange(list, list->m_nextFree);
        }
    }
    PostList(const PostList&) = delete;
    PostList& operator=(const PostList&) = delete;

    // The writer's side: appends an entry and publishes it.
    void Push(const PostedMessage& entry)
    {
        if (m_written == PostBlock::Capacity)
            LinkBlock();
        m_tail->m_entries[m_written] = entry;
        m_tail->m_count.store(++m_written, std::memory_order_release);
    }

    void LinkBlock()
    {
        if (m_spare == nullptr)
            m_spare = m_freed.exchange(nullptr, std::memory_order_acquire);
        PostBlock* block = m_spare;
        if (block != nullptr)
        {
            m_spare = block->m_nextFree;
            block->m_nextFree = nullptr;
            block->m_count.store(0, std::memory_order_relaxed);
            block->m_next.store(nullptr, std::memory_order_relaxed);
        }
        else
            block = new PostBlock;
        // Publishes the block's reset along with the link.
        m_tail->m_next.store(block, std::memory_order_release);
        m_tail = block;
        m_written = 0;
    }

    // The reader's side: appends the stretches published and not yet taken to `segments` and
    // answers where they end (the block and its count), for Release once they are read.
    template <class SegmentList> std::pair<PostBlock*, u32> Peek(SegmentList& segments) const
    {
        PostBlock* block = m_head;
        u32 from = m_taken;
        for (;;)
        {
            const u32 count = block->m_count.load(std::memory_order_acquire);
            if (count > from)
                segments.push_back({block->m_entries + from, block->m_entries + count});
            if (count < PostBlock::Capacity)
                return {block, count};
            PostBlock* next = block->m_next.load(std::memory_order_acquire);
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
        u32 from = m_taken;
        for (PostBlock* block = m_head;;)
        {
            const u32 count = block->m_count.load(std::memory_order_acquire);
            total += count - from;
            if (count < PostBlock::Capacity)
                return total;
            block = block->m_next.load(std::memory_order_acquire);
            if (block == nullptr)
                return total;
            from = 0;
        }
    }

    // Everything up to entry `count` of `last` has been read: the blocks before it go back to
    // the writer in one chain.
    void Release(PostBlock* last, u32 count)
    {
        if (m_head != last)
        {
            PostBlock* first = m_head;
            PostBlock* end = m_head;
            while (end->m_next.load(std::memory_order_relaxed) != last)
            {
                PostBlock* next = end->m_next.load(std::memory_order_relaxed);
                end->m_nextFree = next;
                end = next;
            }
            PostBlock* top = m_freed.load(std::memory_order_relaxed);
            do
                end->m_nextFree = top;
            while (!m_freed.compare_exchange_weak(top, first, std::memory_order_release,
                                                  std::memory_order_relaxed));
            m_head = last;
        }
        m_taken = count;
    }
};

// What one posting thread has posted since the last collection.
struct ThreadPostBuffers::ThreadBuffer
{
    PostList m_queued;
    PostList m_objects;
    std::atomic<bool> m_owned{false}; // a running thread posts into it
    // The buffer made before this one (the list of buffers for the main thread to read without
    // a lock); set before the buffer is published and never changed.
    ThreadBuffer* m_previous = nullptr;
};

namespace
{
std::atomic<u64> g_nextGeneration{1};

// The calling thread's post buffer and the lists it belongs to. The thread's end hands the
// buffer back to its lists, which give it to the next new posting thread.
struct ThreadPostSlot
{
    u64 m_generation = 0;
    std::shared_ptr<ThreadPostBuffers::ThreadBuffer> m_buffer;

    void Release()
    {
        if (m_buffer != nullptr)
            m_buffer->m_owned.store(false, std::memory_order_release);
        m_buffer.reset();
    }
    ~ThreadPostSlot() { Release(); }
};
thread_local ThreadPostSlot t_postSlot;
} // namespace

ThreadPostBuffers::ThreadPostBuffers()
    : m_mainThread(std::this_thread::get_id()),
      m_generation(g_nextGeneration.fetch_add(1, std::memory_order_relaxed))
{
}

ThreadPostBuffers::~ThreadPostBuffers() = default;

inline ThreadPostBuffers::ThreadBuffer* ThreadPostBuffers::BufferForThisThread()
{
    ThreadPostSlot& slot = t_postSlot;
    if (slot.m_generation == m_generation)
        return slot.m_buffer.get();
    return AdoptBuffer();
}

bool ThreadPostBuffers::Post(Message* message, bool objects)
{
    ThreadBuffer* buffer = BufferForThisThread();
    if (buffer == nullptr)
        return false;
    (objects ? buffer->m_objects : buffer->m_queued).Push({message->id, message});
    return true;
}

ThreadPostBuffers::ThreadBuffer* ThreadPostBuffers::AdoptBuffer()
{
    // The thread's first post to these lists.
    ThreadPostSlot& slot = t_postSlot;
    slot.Release();
    slot.m_generation = m_generation;
    if (std::this_thread::get_id() == m_mainThread)
        return nullptr;
    std::lock_guard<Core::SpinLock> lock(m_buffersLock);
    for (const BufferPointer& buffer : m_buffers)
    {
        if (!buffer->m_owned.load(std::memory_order_acquire))
        {
            slot.m_buffer = buffer;
            break;
        }
    }
    if (slot.m_buffer == nullptr)
    {
        slot.m_buffer = std::make_shared<ThreadBuffer>();
        m_buffers.push_back(slot.m_buffer);
        slot.m_buffer->m_previous = m_newestBuffer.load(std::memory_order_relaxed);
        m_newestBuffer.store(slot.m_buffer.get(), std::memory_order_release);
    }
    slot.m_buffer->m_owned.store(true, std::memory_order_relaxed);
    return slot.m_buffer.get();
}

void ThreadPostBuffers::Collect(bool objects, MessageQueue& queue)
{
    // The entries are read after the lengths, and only then do the blocks go back. The buffers
    // are read through their own list, which a new thread extends at the front.
    m_segments.clear();
    m_runs.clear();
    for (ThreadBuffer* buffer = m_newestBuffer.load(std::memory_order_acquire); buffer != nullptr;
         buffer = buffer->m_previous)
    {
        PostList& list = objects ? buffer->m_objects : buffer->m_queued;
        const std::size_t first = m_segments.size();
        const auto [lastBlock, lastCount] = list.Peek(m_segments);
        if (lastBlock != list.m_head || lastCount != list.m_taken)
            m_runs.push_back({&list, first, m_segments.size(), lastBlock, lastCount});
    }
    if (m_runs.empty())
        return;
    MergeCollected(queue);
    for (const Run& run : m_runs)
        run.m_list->Release(run.m_lastBlock, run.m_lastCount);
}

void ThreadPostBuffers::MergeCollected(MessageQueue& queue)
{
    // Each run keeps its own order; between runs, and the queue's own entries (one more run),
    // the smaller id goes first. The runs' ids are read from their entries, not from the
    // messages, which other processors wrote; each entry is read once.
    m_cursors.clear();
    for (const Run& run : m_runs)
    {
        if (run.m_firstSegment != run.m_endSegment)
        {
            const Segment& segment = m_segments[run.m_firstSegment];
            m_cursors.push_back(
                {segment.m_begin, segment.m_end, run.m_firstSegment + 1, run.m_endSegment});
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
            for (const PostedMessage* entry = cursor.m_next; entry != cursor.m_end; ++entry)
                queue.Push(entry->m_message);
            if (cursor.m_segment == cursor.m_endSegment)
                break;
            const Segment& segment = m_segments[cursor.m_segment++];
            cursor.m_next = segment.m_begin;
            cursor.m_end = segment.m_end;
        }
        return;
    }

    Message* const* own = queue.Begin();
    Message* const* const ownEnd = queue.End();
    m_merged.clear();
    std::size_t live = m_cursors.size();
    Cursor* const cursors = m_cursors.data();
    for (;;)
    {
        std::size_t best = live;
        u32 bestId = 0;
        for (std::size_t i = 0; i < live; ++i)
        {
            if (best == live || cursors[i].m_next->m_id < bestId)
            {
                best = i;
                bestId = cursors[i].m_next->m_id;
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
        m_merged.push_back(cursor.m_next++->m_message);
        if (cursor.m_next != cursor.m_end)
            continue;
        if (cursor.m_segment != cursor.m_endSegment)
        {
            const Segment& segment = m_segments[cursor.m_segment++];
            cursor.m_next = segment.m_begin;
            cursor.m_end = segment.m_end;
        }
        else
            cursor = cursors[--live]; // this run is done
    }
    queue.SwapItems(m_merged);
    m_merged.clear();
}

std::size_t ThreadPostBuffers::Count(bool objects) const
{
    std::size_t count = 0;
    for (const ThreadBuffer* buffer = m_newestBuffer.load(std::memory_order_acquire);
         buffer != nullptr; buffer = buffer->m_previous)
        count += (objects ? buffer->m_objects : buffer->m_queued).Published();
    return count;
}
} // namespace System
} // namespace Core
