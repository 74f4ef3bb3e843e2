#pragma once
// A system that records the type and sender of every message it receives, and the batch name of
// every asset-thread-done message, for tests of the thread pool and the asset loader.
#include "Core/Messages/Assets/AssetThreadDoneMessage.h"
#include "Core/SystemComponent.h"
#include <algorithm>
#include <string>
#include <vector>

class RecordingSystem : public SystemComponent
{
public:
    RecordingSystem() { m_name = "RecordingSystem"; }

    const std::string& GetName() const override { return m_name; }
    void Update(f32) override {}
    void Initialize(u32) override {}
    void HandleMessage(Message* message) override
    {
        types.push_back(message->type);
        senders.push_back(message->senderId);
        if (message->type == AssetThreadDoneMessage::Type)
            doneBatches.push_back(static_cast<AssetThreadDoneMessage*>(message)->batchName);
    }
    void Register(GameObjectComponent*) override {}
    void Unregister(GameObjectComponent*) override {}
    bool RunTests(int) override { return true; }

    std::size_t CountOf(u32 type) const
    {
        return static_cast<std::size_t>(std::count(types.begin(), types.end(), type));
    }

    std::vector<u32> types;
    std::vector<u32> senders; // beside types
    std::vector<std::string> doneBatches;
};
