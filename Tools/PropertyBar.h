#pragma once
// An editor bar as a named asset of the bar manager, and the root group of its own entries.
//
// Loading names the bar after its asset name and a program-wide counter ("PropertyEditor0"
// for the first bar made), creates its root group "Global", opens the bar with the layer and
// writes the bar's definition (label, help, position, size, colour, alpha) from the record.
// Reloading places it again for the current window size. The editors look their bar up by
// name on every use, so nothing keeps a bar pointer across frames.
//
// Main thread only.
#include "Core/Assets/AssetManager.h"
#include "Core/PropertyModel/PropertyBarDefinition.h"
#include "Core/PropertyModel/PropertyGroup.h"
#include "Tools/PropertyBarParam.h"

namespace Tools
{
// Where a bar of the record's size and position stands in a window of width x height.
struct BarPlacement
{
    f32 x;
    f32 y;
};
BarPlacement PlaceBar(const PropertyBarParam& param, s32 windowWidth, s32 windowHeight);

class PropertyBar : public PropertyBarDefinition,
                    public PropertyGroup,
                    public Asset<PropertyBarParam>
{
public:
    PropertyBar();
    ~PropertyBar() override;

    // The bar itself is never removed as an entry: Unload closes it.
    void Remove() override {}
    void Build() override;

    bool Load() override;
    void Unload() override;
    bool Reload() override;

    // Sets a key of the bar's own definition and applies it at once.
    void SetBarKey(const std::string& key, const std::string& value);
    // Removes and destroys every entry; the bar stays open.
    void RemoveEntries() { PropertyGroup::Remove(); }
    const std::string& GetAssetName() const { return m_name; }

private:
    void WriteBarDefinition();
};
} // namespace Tools
