#pragma once
// Type 10: makes the target orbit around a point about an axis.
#include "Core/Messages/Message.h"
#include "Core/Messages/MessageTypes.h"
#include "Math/Vector4.h"

class SetOrbitAroundMessage : public Message
{
public:
    static constexpr u32 Type = MT_SET_ORBIT_AROUND;

    SetOrbitAroundMessage(u32 senderId, const Math::Vector4& point, const Math::Vector4& axis,
                          u32 targetObjectId);

    std::string ToString() const override;

    Math::Vector4 point;
    Math::Vector4 axis;
};
