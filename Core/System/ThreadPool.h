#pragma once
// Runs background tasks, each on a thread of its own. There are slot-count task slots, handed
// out in index order 0, 1, 2 ...; only JoinAll frees them, so at most slot-count tasks start
// between two joins, even when earlier ones have already ended. No idle workers are kept.
//
// Threads: RunTask, JoinAll and the destructor belong to the main thread. A task announces its
// end with a message (the message queue is locked), and the main thread joins on that message.
// A slot record is written by the main thread before its thread starts and by that thread
// while it runs; the main thread reads it again only after joining.
#include "Core/SystemComponent.h"
#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace Core
{
// What a task does.
enum TaskKind : u32
{
    // First pass of an asset batch: the argument is the batch name; the task ends by posting an
    // AssetThreadDoneMessage that carries it.
    TaskAssetBatchFirstPass = 1,
};

// One task slot.
struct ThreadData
{
    u32 kind = 0;
    // The task's own copy of its argument (for an asset batch, the name), so the caller's string
    // need not outlive the call.
    std::string argument;
    u32 extra = 0;
    // True while no task runs in the slot: false from RunTask until the task ends.
    std::atomic<bool> done{true};
};

namespace System
{
class ThreadPool : public SystemComponent
{
public:
    // The error-report text of a refused task.
    static constexpr const char* RefusalText = "Attempted to use more threads than avalible.";
    // A thread count beyond this is taken as this many slots: each task is an operating-system
    // thread, and a count from the command line must not make Initialize allocate without end.
    static constexpr u32 MaxSlotCount = 1024;

    // The worker-thread count of the launch options; a negative count means no slots.
    explicit ThreadPool(s32 threadCount);
    // Joins every thread still running: a joinable thread must not be destroyed.
    ~ThreadPool() override;

    static ThreadPool* Instance() { return s_instance; }

    const std::string& GetName() const override { return m_name; }
    void Update(f32) override {}
    // Creates the slot records (the flag word is not used).
    void Initialize(u32 launchFlags) override;

    // Starts the task on a new thread in the next free slot. False when it is refused (no free
    // slot, or no thread could be started): the refusal goes to the engine's error sink and
    // nothing runs.
    bool RunTask(u32 kind, const std::string& argument, u32 extra);
    // Waits for every started thread in start order, then frees all slots.
    void JoinAll();

    u32 GetSlotCount() const { return m_slotCount; }
    u32 GetNextFreeSlot() const { return m_nextFreeSlot; }
    // The slot record of that index, or null past the slots.
    const ThreadData* GetSlot(u32 index) const;

private:
    static void RunTaskEntry(ThreadData* slot);
    void Refuse();

    std::vector<std::thread> m_threads; // started threads, in start order
    std::vector<std::unique_ptr<ThreadData>> m_slots;
    u32 m_nextFreeSlot = 0;
    u32 m_slotCount = 0;

    static ThreadPool* s_instance;
};
} // namespace System
} // namespace Core
