#include "Tools/PropertyBarManager.h"
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
        graphics->CreatePerformanceBar();
}
} // namespace System
} // namespace Tools
