#pragma once
// A component for tests of game objects and the game factory: answers a chosen type id, records
// its Shutdown and the messages it receives, and runs optional hooks from both. Its name is
// registered with no component factory, so it lives on the ordinary heap.
#include "Core/Messages/Message.h"
#include "Core/Objects/GameObjectComponent.h"
#include <functional>
#include <vector>

class ProbeComponent : public GameObjectComponent
{
public:
    static constexpr u32 DefaultType = 0x50524F42;

    explicit ProbeComponent(u32 typeId = DefaultType, std::vector<u32>* shutdownLog = nullptr)
        : GameObjectComponent(true), m_typeId(typeId), m_shutdownLog(shutdownLog)
    {
        ++alive;
    }
    ~ProbeComponent() override { --alive; }

    u32 GetType() const override { return m_typeId; }
    const std::string& GetName() const override
    {
        static const std::string name = "ProbeComponent";
        return name;
    }
    void Shutdown() override
    {
        if (m_shutdownLog != nullptr)
            m_shutdownLog->push_back(GetId());
        if (onShutdown)
            onShutdown(*this);
    }
    void Deserialize(Serializer::XmlReader&) override {}
    void Serialize(Serializer::XmlWriter&) override {}
    void HandleMessage(Message* message) override
    {
        received.push_back(message->type);
        if (onMessage)
            onMessage(*this, message);
    }

    // Probes constructed and not yet destroyed, across all tests of a run.
    static inline int alive = 0;

    std::function<void(ProbeComponent&)> onShutdown;
    std::function<void(ProbeComponent&, Message*)> onMessage;
    std::vector<u32> received;

private:
    u32 m_typeId;
    std::vector<u32>* m_shutdownLog;
};
