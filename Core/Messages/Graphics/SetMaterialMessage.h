#pragma once
// Type 45: draws the target with the named material.
#include "Core/Messages/Message.h"
#include "Core/Messages/MessageTypes.h"

class SetMaterialMessage : public Message
{
public:
    static constexpr u32 Type = MT_SET_MATERIAL;

    SetMaterialMessage(u32 senderId, const std::string& materialName, u32 targetObjectId);

    std::string ToString() const override;

    std::string materialName;
};
