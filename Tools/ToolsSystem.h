#pragma once
// The system of the run-time editing tools. It owns the property editor, the particle editor
// and the bar manager, and defines the reflected struct types when it starts.
//
// Messages: 33 (movement) detaches the property editor and 35 (action 0 pressed) picks an
// object under the cursor, both unless the editor is kept open; 91 and 92 attach and detach
// the property editor; 93 and 94 attach and detach the particle editor (93 also attaches the
// property editor to the object, kept open).
//
// While it lives it lends the component panels their actions (Core/PropertyModel/PropertyGroup.h:
// "Delete", "Copy", the particle bar's refill, the property editor's rebuild) and serves the
// core hooks that place the bars again when the window changes size and that drop the property
// editor's entries of a component being destroyed.
//
// Main thread only.
#include "Core/Messages/Input/InputCodes.h"
#include "Core/SystemComponent.h"
#include <memory>
#include <string>

class GameObjectComponent;

namespace Tools
{
class ParticleEditor;
class PropertyEditor;

namespace System
{
class PropertyBarManager;

class ToolsSystem : public SystemComponent
{
public:
    // The input action that picks.
    static constexpr u32 PickAction = IA_FIRE;

    ToolsSystem();
    ~ToolsSystem() override;
    ToolsSystem(const ToolsSystem&) = delete;
    ToolsSystem& operator=(const ToolsSystem&) = delete;

    // The one tools system of the process, or null while none exists.
    static ToolsSystem* Instance() { return s_instance; }

    const std::string& GetName() const override
    {
        static const std::string name = "ToolsSystem";
        return name;
    }
    // Defines the struct types, creates both editors and the bar manager and makes the bars.
    void Initialize(u32 launchFlags) override;
    // Performs requested refreshes, shows the components added to the edited object and
    // notices an edited object that disappeared.
    void Update(f32 seconds) override;
    void HandleMessage(Message* message) override;

    // Null before Initialize.
    PropertyEditor* GetPropertyEditor() const { return m_propertyEditor.get(); }
    ParticleEditor* GetParticleEditor() const { return m_particleEditor.get(); }
    PropertyBarManager* GetBarManager() const { return m_barManager.get(); }

    // The options buttons' actions: remove the component from its object, or add a second
    // component of its type with its serialized values; both refresh the property editor.
    static void DeleteComponent(GameObjectComponent& component);
    static void CopyComponent(GameObjectComponent& component);

private:
    std::unique_ptr<PropertyEditor> m_propertyEditor;
    std::unique_ptr<ParticleEditor> m_particleEditor;
    std::unique_ptr<PropertyBarManager> m_barManager;

    static ToolsSystem* s_instance;
};
} // namespace System
} // namespace Tools
