#pragma once
// The editor bars as named assets in one category (index 0). LoadAll sets the layer's global
// look and has each editor create its bar: the property editor, the particle editor, then the
// graphics performance bar, made here since the graphics system cannot reach the tools above it.
//
// Main thread only.
#include "Core/Assets/AssetManager.h"
#include "Tools/PropertyBar.h"
#include "Tools/PropertyBarParam.h"

namespace Graphics
{
namespace System
{
class GraphicsSystem;
}
} // namespace Graphics

namespace Tools
{
class ParticleEditor;
class PropertyEditor;

namespace System
{
class PropertyBarManager : public AssetManager<PropertyBar, PropertyBarParam>
{
public:
    static constexpr u32 BarCategory = 0;
    static constexpr const char* GlobalDefinition =
        " GLOBAL iconpos=topright fontstyle=fixed fontsize=1 fontresizable=false ";

    // The editors whose bars LoadAll creates; either may be null.
    PropertyBarManager(PropertyEditor* propertyEditor, ParticleEditor* particleEditor);

    void LoadAll(u32 launchFlags) override;
    // Bars are made by the editors through Add, never loaded by name.
    void Load(const std::string&, u32) override {}

private:
    static constexpr const char* PerformanceBarName = "GrPerformance";
    static constexpr f32 PerformanceBarWidth = 240.0f;
    static constexpr f32 PerformanceBarHeight = 176.0f;
    // Placed from the right edge: the property editor's bar takes the top left corner, and a
    // performance bar there would cover its title.
    static constexpr s32 PerformanceBarFromRight = 1;

    // "GrPerformance": the frame statistics of the graphics system, read-only.
    void CreatePerformanceBar(Graphics::System::GraphicsSystem& graphics);

    PropertyEditor* m_propertyEditor;
    ParticleEditor* m_particleEditor;
};
} // namespace System
} // namespace Tools
