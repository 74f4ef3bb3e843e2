#include "Tools/PropertyBarManager.h"
#include "Core/Log.h"
#include "Core/PropertyModel/PropertyCallbacks.h"
#include "Graphics/GraphicsSystem.h"
#include "Tools/ParticleEditor.h"
#include "Tools/PropertyEditor.h"
#include "TweakBar/TweakBar.h"

namespace Tools
{
namespace System
{
PropertyBarManager::PropertyBarManager(PropertyEditor* propertyEditor,
                                       ParticleEditor* particleEditor)
    : m_propertyEditor(propertyEditor), m_particleEditor(particleEditor)
{
}

void PropertyBarManager::LoadAll(u32)
{
    TwDefine(GlobalDefinition);
    if (m_propertyEditor != nullptr)
        m_propertyEditor->CreateBar(*this);
    if (m_particleEditor != nullptr)
        m_particleEditor->CreateBar(*this);
    if (Graphics::System::GraphicsSystem* graphics = Graphics::System::GraphicsSystem::Instance())
        CreatePerformanceBar(*graphics);
}

void PropertyBarManager::CreatePerformanceBar(Graphics::System::GraphicsSystem& graphics)
{
    PropertyBarParam param;
    param.position[0] = 0.0f;
    param.position[1] = 0.0f;
    param.size[0] = PerformanceBarWidth;
    param.size[1] = PerformanceBarHeight;
    param.label = "Graphics Performance";
    param.help = "Tracks graphics performance statistics.";
    param.horizontalAlignment = PerformanceBarFromRight;
    PropertyBar* bar = Add(PerformanceBarName, param, BarCategory);
    if (bar == nullptr)
    {
        Core::Log() << "Error [PropertyBarManager]: the bar " << PerformanceBarName
                    << " could not be made\n";
        return;
    }
    // Read-only: no set callback.
    Graphics::System::GraphicsSystem::FrameStatistics& statistics = graphics.GetFrameStatistics();
    bar->AddUnsigned("Polygons", &statistics.polygons, nullptr, nullptr, &GetScalarCallback);
    bar->AddUnsigned("Animations", &statistics.animations, nullptr, nullptr, &GetScalarCallback);
    bar->AddUnsigned("Static", &statistics.staticModels, nullptr, nullptr, &GetScalarCallback);
    bar->AddUnsigned("Effects", &statistics.effects, nullptr, nullptr, &GetScalarCallback);
    bar->AddUnsigned("Particles", &statistics.particles, nullptr, nullptr, &GetScalarCallback);
    // The entries sit in the bar's root group, shown open under its label.
    bar->SetKey("opened", "1");
    bar->ApplyDefinition();
}
} // namespace System
} // namespace Tools
