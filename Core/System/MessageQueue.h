#pragma once
// A first-in first-out list of messages in a vector that keeps its storage: taken from the
// front, emptied (not freed) once every entry is taken. The message system's queues and walks.
#include <cstddef>
#include <utility>
#include <vector>

class Message;

namespace Core
{
namespace System
{
class MessageQueue
{
public:
    std::size_t Size() const { return m_items.size() - m_head; }
    void Push(Message* message) { m_items.push_back(message); }
    // The first entry, or null when the queue is empty.
    Message* Pop()
    {
        if (m_head == m_items.size())
            return nullptr;
        Message* message = m_items[m_head++];
        if (m_head == m_items.size())
            Clear();
        return message;
    }
    void Clear()
    {
        m_items.clear();
        m_head = 0;
    }
    // Fetches the message `ahead` places behind the front into the cache, when there is one.
    void Prefetch(std::size_t ahead) const
    {
        if (m_head + ahead < m_items.size())
            __builtin_prefetch(m_items[m_head + ahead]);
    }
    // The entries not taken yet.
    Message* const* Begin() const { return m_items.data() + m_head; }
    Message* const* End() const { return m_items.data() + m_items.size(); }
    // Takes `items` as the whole queue and hands back the old storage in its place.
    void SwapItems(std::vector<Message*>& items)
    {
        std::swap(m_items, items);
        m_head = 0;
    }

private:
    std::vector<Message*> m_items;
    std::size_t m_head = 0;
};
} // namespace System
} // namespace Core
