#pragma once
// A screen element that a page can select, highlight, press and slide in and out. Its page keeps
// it under its button name and, when its grid cell is 0 to 11, in that cell of the grid that
// controllers move through. Pressing it calls the page script's function of its function name
// with the player's number (0 for the mouse).
//
// Written form, read in this order: "FunctionName", "ButtonName", "gridIndex", "ScaleFactor"
// (two numbers), "MaterialHover", "MaterialClick" (material names; an unknown name falls back
// to "Default"). Written back: the button name, as one element named "string". Its element
// members are set by the page that creates it.
//
// Its type id is the hash of its own name, so a look-up by the element's type id does not find
// a button.
#include "GameState/HUDComponent.h"

namespace GameState
{
class ButtonComponent : public HUDComponent
{
public:
    // Cells of the page grid: 4 rows of 3, cell = row * 3 + column.
    static constexpr s16 GridCells = 12;
    static constexpr s16 NoCell = -1;

    ButtonComponent();

    static const std::string& GetTypeName()
    {
        static const std::string name = "ButtonComponent";
        return name;
    }
    u32 GetType() const override;
    const std::string& GetName() const override { return GetTypeName(); }
    void Deserialize(Serializer::XmlReader& reader) override;
    void Serialize(Serializer::XmlWriter& writer) override;

    // The hover material while highlighted.
    const Graphics::Material* GetShownMaterial() const override;
    void SetHoverMaterial(const std::string& name);
    void SetClickMaterial(const std::string& name);
    const Graphics::Material* GetHoverMaterial() const { return m_hoverMaterial; }
    const Graphics::Material* GetClickMaterial() const { return m_clickMaterial; }

    // Highlighted buttons are drawn at scale times the scale factor.
    void Highlight();
    void Unhighlight();
    bool IsHighlighted() const { return m_highlighted; }

    // One step of the slide, t the frame time: the delay runs out first, then the offset
    // approaches 0 (the page is current) or runs away below 0 (the page was replaced).
    // Answers false when the button has slid out of a replaced page.
    bool Slide(f32 seconds, bool pageIsCurrent);

    void SetFunction(const std::string& function) { functionName = function; }

    std::string buttonName;
    std::string functionName;
    s16 gridIndex;
    Math::Vector2 scaleFactor;

private:
    const Graphics::Material* m_hoverMaterial; // owned by the material manager
    const Graphics::Material* m_clickMaterial;
    bool m_highlighted;
};
} // namespace GameState

QUILL_DECLARE_TYPE_RECORD(GameState::ButtonComponent)
