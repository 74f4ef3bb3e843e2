#pragma once
// Type 95: a worker finished the first pass of an asset batch. It names no object, group or
// system, so every system receives it; the asset loader then loads the second pass.
#include "Core/Messages/Message.h"
#include "Core/Messages/MessageTypes.h"

class AssetThreadDoneMessage : public Message
{
public:
    static constexpr u32 Type = MT_ASSET_THREAD_DONE;

    AssetThreadDoneMessage(u32 senderId, const std::string& batchName);

    std::string ToString() const override;

    std::string batchName;
};
