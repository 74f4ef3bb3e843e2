#pragma once
// The message system's lists for messages posted by threads other than the main one (the one
// that created the lists). Each posting thread appends to lists of its own, which only it writes
// and only the main thread reads: a post writes the entry and then publishes the list's new
// length, with no lock and no atomic read-modify-write. A collection takes what each thread has
// published, merging it with a queue by message id, so messages from several threads arrive in
// the order of their ids and each thread's in the order it posted them; the lists' blocks then
// go back to their thread for reuse. A thread's lists keep their storage from collection to
// collection, and a thread that ends hands them to the next new posting thread: once warm,
// posting and collecting allocate nothing.
#include "Core/Memory/SpinLock.h"
#include "Math/Types.h"
#include <atomic>
#include <cstddef>
#include <memory>
#include <thread>
#include <vector>

class Message;

namespace Core
{
namespace System
{
class MessageQueue;

class ThreadPostBuffers
{
public:
    ThreadPostBuffers();
    ~ThreadPostBuffers();
    ThreadPostBuffers(const ThreadPostBuffers&) = delete;
    ThreadPostBuffers& operator=(const ThreadPostBuffers&) = delete;

    // Appends a message to the calling thread's list of object messages or (objects false) of
    // the others; false, appending nothing, on the main thread.
    bool Post(Message* message, bool objects);
    // Main thread: moves what the threads posted into the object messages or the others into
    // `queue`, merged with its own entries by id.
    void Collect(bool objects, MessageQueue& queue);
    // Messages waiting in the lists: object messages or the others.
    std::size_t Count(bool objects) const;

    // A posted message with its id: the collection merges by id without reading the message
    // itself, which another processor wrote.
    struct PostedMessage
    {
        u32 m_id;
        Message* m_message;
    };
    // One of a posting thread's two lists, a block of it, and the pair.
    struct PostBlock;
    struct PostList;
    struct ThreadBuffer;

private:
    using BufferPointer = std::shared_ptr<ThreadBuffer>;
    // A stretch of published entries within one block.
    struct Segment
    {
        const PostedMessage* m_begin;
        const PostedMessage* m_end;
    };
    // What one collection takes from one list: segments [m_firstSegment, m_endSegment) of
    // m_segments, ending at `m_lastBlock`'s entry `m_lastCount`.
    struct Run
    {
        PostList* m_list;
        std::size_t m_firstSegment;
        std::size_t m_endSegment;
        PostBlock* m_lastBlock;
        u32 m_lastCount;
    };
    // One run of the merge: the next entry, the end of its segment, the run's next segment and
    // its end.
    struct Cursor
    {
        const PostedMessage* m_next;
        const PostedMessage* m_end;
        std::size_t m_segment;
        std::size_t m_endSegment;
    };

    // The calling thread's buffer, or null on the main thread.
    ThreadBuffer* BufferForThisThread();
    // A thread's first post to these lists: takes a free buffer or adds one.
    ThreadBuffer* AdoptBuffer();
    // The collected runs merged by id into `queue`, whose own entries count as one more run.
    void MergeCollected(MessageQueue& queue);

    const std::thread::id m_mainThread;
    const u64 m_generation; // tells these buffers from an earlier message system's
    // Guards the buffers' ownership (a new posting thread takes a free buffer or adds one). The
    // main thread reads the buffers without it, from the newest through their `previous` links:
    // a buffer is published whole and never removed while the lists live.
    Core::SpinLock m_buffersLock;
    std::vector<BufferPointer> m_buffers;
    std::atomic<ThreadBuffer*> m_newestBuffer{nullptr};
    // Collection scratch, kept between collections: the segments and runs taken, the merge's
    // cursors and the merged queue.
    std::vector<Segment> m_segments;
    std::vector<Run> m_runs;
    std::vector<Cursor> m_cursors;
    std::vector<Message*> m_merged;
};
} // namespace System
} // namespace Core
