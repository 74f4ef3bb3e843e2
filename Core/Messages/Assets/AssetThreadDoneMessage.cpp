// The asset-loading message.
#include "Core/Messages/Assets/AssetThreadDoneMessage.h"

namespace
{
// Every system receives it: no object, no group, no system name.
constexpr u32 NoTarget = 0;
} // namespace

AssetThreadDoneMessage::AssetThreadDoneMessage(u32 senderId, const std::string& batchName)
    : Message(senderId, Type, NoTarget, sizeof(AssetThreadDoneMessage)), batchName(batchName)
{
}

std::string AssetThreadDoneMessage::ToString() const
{
    return "Finished loading " + batchName;
}
