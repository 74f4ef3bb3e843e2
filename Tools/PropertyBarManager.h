#pragma once
// The editor bars as named assets in one category (index 0). LoadAll sets the layer's global
// look and has each editor create its bar: the property editor, the particle editor, then the
// graphics system's performance bar.
//
// Main thread only.
#include "Core/Assets/AssetManager.h"
#include "Tools/PropertyBar.h"
#include "Tools/PropertyBarParam.h"

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
    PropertyEditor* m_propertyEditor;
    ParticleEditor* m_particleEditor;
};
} // namespace System
} // namespace Tools
