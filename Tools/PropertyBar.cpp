#include "Tools/PropertyBar.h"
#include "Graphics/GraphicsSystem.h"
#include "TweakBar/TweakBar.h"
#include <algorithm>

namespace Tools
{
namespace
{
// Makes tweak names unique across all bars of the process.
u32 g_barCounter = 0;

constexpr s32 AlignStart = 0;
constexpr s32 AlignEnd = 1;
constexpr s32 AlignCentre = 2;
constexpr const char* RootLabel = "Global";
constexpr const char* ValuesWidthItem = " valueswidth=100 ";

std::string Whole(f32 value)
{
    return std::to_string(static_cast<s32>(value));
}

std::string Pair(f32 a, f32 b)
{
    return Whole(std::max(a, 0.0f)) + " " + Whole(std::max(b, 0.0f));
}
} // namespace

BarPlacement PlaceBar(const PropertyBarParam& param, s32 windowWidth, s32 windowHeight)
{
    const f32 w = param.size[0];
    const f32 h = param.size[1];
    BarPlacement placed{param.position[0], param.position[1]};
    // Horizontal: 0 from the left, 1 from the right, 2 from the centre (integer halves).
    if (param.horizontalAlignment == AlignEnd)
        placed.x = static_cast<f32>(windowWidth) - w - param.position[0];
    else if (param.horizontalAlignment == AlignCentre)
        placed.x = static_cast<f32>(windowWidth / 2) - w / 2.0f + param.position[0];
    // Vertical: 1 from the top, 0 from the bottom, 2 from the centre.
    if (param.verticalAlignment == AlignStart)
        placed.y = static_cast<f32>(windowHeight) - h - param.position[1];
    else if (param.verticalAlignment == AlignCentre)
        placed.y = static_cast<f32>(windowHeight / 2) - h / 2.0f + param.position[1];
    return placed;
}

PropertyBar::PropertyBar() : PropertyGroup(static_cast<PropertyBarDefinition&>(*this), "") {}

PropertyBar::~PropertyBar()
{
    PropertyGroup::Remove();
    if (m_handle != nullptr)
        TwDeleteBar(m_handle);
}

void PropertyBar::Build()
{
    TwDefine(m_barDefinition.c_str());
    PropertyGroup::Build();
}

bool PropertyBar::Load()
{
    m_tweakName = m_name + std::to_string(g_barCounter++);
    StartRoot(RootLabel);
    if (m_handle == nullptr)
    {
        m_handle = TwNewBar(m_tweakName.c_str());
        Build();
    }
    WriteBarDefinition();
    return true;
}

void PropertyBar::Unload()
{
    PropertyGroup::Remove();
    if (m_handle != nullptr)
        TwDeleteBar(m_handle);
    m_handle = nullptr;
}

bool PropertyBar::Reload()
{
    const Graphics::System::GraphicsSystem* graphics = Graphics::System::GraphicsSystem::Instance();
    const BarPlacement placed =
        PlaceBar(m_param, graphics != nullptr ? graphics->GetWindowWidth() : 0,
                 graphics != nullptr ? graphics->GetWindowHeight() : 0);
    SetBarKey("position", Pair(placed.x, placed.y));
    return true;
}

void PropertyBar::SetBarKey(const std::string& key, const std::string& value)
{
    SetKeyIn(m_barDefinition, key, value);
    TwDefine(m_barDefinition.c_str());
}

void PropertyBar::WriteBarDefinition()
{
    m_barDefinition = m_tweakName + " ";
    if (!m_param.label.empty())
        SetBarKey("label", m_param.label);
    if (!m_param.help.empty())
        SetBarKey("help", m_param.help);
    Reload();
    SetBarKey("size", Pair(m_param.size[0], m_param.size[1]));
    SetBarKey("color", Whole(m_param.colour[0]) + " " + Whole(m_param.colour[1]) + " " +
                           Whole(m_param.colour[2]));
    SetBarKey("alpha", Whole(m_param.colour[3]));
    m_barDefinition += ValuesWidthItem + 1;
}
} // namespace Tools
