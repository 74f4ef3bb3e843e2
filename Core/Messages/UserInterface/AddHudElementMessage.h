#pragma once
// Type 17: adds a heads-up-display element to the current page. Both alignments are flag words
// of Core/TextAlignment.h.
#include "Core/Messages/Message.h"
#include "Core/Messages/MessageTypes.h"

class AddHudElementMessage : public Message
{
public:
    static constexpr u32 Type = MT_ADD_HUD_ELEMENT;

    AddHudElementMessage(u32 senderId, u32 elementId, const std::string& materialName,
                         const std::string& text, f32 x, f32 y, u32 screenAlignment,
                         u32 elementAlignment, u32 targetObjectId);

    std::string ToString() const override;

    std::string materialName;
    std::string text;
    u32 elementId;
    f32 x;
    f32 y;
    u32 screenAlignment;  // where on the screen the position is measured from
    u32 elementAlignment; // which point of the element stands at the position
};
