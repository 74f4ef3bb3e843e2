#include "Core/System/ThreadPool.h"
#include "Core/Engine.h"
#include "Core/ErrorReport.h"
#include "Core/Log.h"
#include "Core/Messages/Assets/AssetThreadDoneMessage.h"
#include "Core/System/AssetLoaderSystem.h"
#include <system_error>

namespace Core
{
namespace System
{
ThreadPool* ThreadPool::s_instance = nullptr;

namespace
{
constexpr s32 RefusalLevel = 0;
// Tasks post as nobody in particular.
constexpr u32 TaskSenderId = 0;
} // namespace

ThreadPool::ThreadPool(s32 threadCount)
{
    m_name = "ThreadPoolSystem";
    if (threadCount > 0)
        m_slotCount = static_cast<u32>(threadCount);
    s_instance = this;
}

ThreadPool::~ThreadPool()
{
    JoinAll();
    if (s_instance == this)
        s_instance = nullptr;
}

void ThreadPool::Initialize(u32)
{
    if (m_slotCount > MaxSlotCount)
    {
        Log() << "ThreadPoolSystem: a thread count of " << m_slotCount << " is taken as "
              << MaxSlotCount << " task slots\n";
        m_slotCount = MaxSlotCount;
    }
    m_slots.clear();
    m_slots.reserve(m_slotCount);
    for (u32 i = 0; i < m_slotCount; ++i)
        m_slots.push_back(std::make_unique<ThreadData>());
}

bool ThreadPool::RunTask(u32 kind, const std::string& argument, u32 extra)
{
    // Slots exist only after Initialize; until then every task is refused.
    if (m_nextFreeSlot >= m_slots.size())
    {
        Refuse();
        return false;
    }

    ThreadData* slot = m_slots[m_nextFreeSlot].get();
    slot->kind = kind;
    slot->argument = argument;
    slot->extra = extra;
    slot->done = false;
    try
    {
        m_threads.emplace_back(&ThreadPool::RunTaskEntry, slot);
    }
    catch (const std::system_error& error)
    {
        // The slot stays free: nothing runs in it.
        slot->done = true;
        Log() << "ThreadPoolSystem: no thread could be started (" << error.what() << ")\n";
        Refuse();
        return false;
    }
    ++m_nextFreeSlot;
    return true;
}

void ThreadPool::JoinAll()
{
    const std::thread::id self = std::this_thread::get_id();
    for (std::thread& thread : m_threads)
    {
        // A task never joins its own pool; a thread without a joinable state has nothing to
        // wait for. Either would be a program fault, so it is logged and stepped over.
        if (!thread.joinable() || thread.get_id() == self)
        {
            Log() << "ThreadPoolSystem: a task thread could not be joined\n";
            if (thread.joinable())
                thread.detach();
            continue;
        }
        thread.join();
    }
    m_threads.clear();
    m_nextFreeSlot = 0;
}

const ThreadData* ThreadPool::GetSlot(u32 index) const
{
    return index < m_slots.size() ? m_slots[index].get() : nullptr;
}

void ThreadPool::Refuse()
{
    if (g_Engine != nullptr)
        g_Engine->LogError(ErrorReport(RefusalText, RefusalLevel));
    else
        Log() << "Error report (level " << RefusalLevel << "): " << RefusalText << '\n';
}

void ThreadPool::RunTaskEntry(ThreadData* slot)
{
    if (slot->kind == TaskAssetBatchFirstPass)
    {
        const std::string& batchName = slot->argument;
        if (!batchName.empty())
        {
            if (AssetLoaderSystem* loader = AssetLoaderSystem::Instance())
                loader->StageFirstPass(batchName);
            else
                Log() << "ThreadPoolSystem: no asset loader exists; batch " << batchName
                      << " was not read\n";
        }
        // Posted whether or not anything was read: the main thread joins on it.
        Message* doneMessage = new AssetThreadDoneMessage(TaskSenderId, batchName);
        if (g_Engine != nullptr)
            g_Engine->SendMessage(doneMessage, 0.0f);
        else
            DestroyMessage(doneMessage);
    }
    // Other kinds have no work defined.
    slot->done = true;
}
} // namespace System
} // namespace Core
