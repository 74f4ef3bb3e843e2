#pragma once
// Takes what the message system has queued, in order, for tests of what a post turned into.
// The messages are destroyed with the collection.
#include "Core/Messages/Message.h"
#include "Core/System/MessageSystem.h"
#include <vector>

class QueuedMessages
{
public:
    explicit QueuedMessages(Core::System::MessageSystem& system)
    {
        while (Message* message = system.PopFront())
            m_messages.push_back(message);
    }
    ~QueuedMessages()
    {
        for (Message* message : m_messages)
            DestroyMessage(message);
    }
    QueuedMessages(const QueuedMessages&) = delete;
    QueuedMessages& operator=(const QueuedMessages&) = delete;

    std::size_t size() const { return m_messages.size(); }
    Message* operator[](std::size_t i) const { return m_messages[i]; }
    // The i-th message as its class; null when it is of another class.
    template <class T> T* As(std::size_t i) const
    {
        return i < m_messages.size() ? dynamic_cast<T*>(m_messages[i]) : nullptr;
    }
    std::size_t CountOf(u32 type) const
    {
        std::size_t count = 0;
        for (Message* message : m_messages)
            count += message->type == type ? 1 : 0;
        return count;
    }

private:
    std::vector<Message*> m_messages;
};
