// The graphics system's debug view (F2): what the forward pass draws on top of the scene while
// the debug-draw flag is on.
#include "Core/CoreServices.h"
#include "Graphics/Components/LightComponent.h"
#include "Graphics/GraphicsSystem.h"
#include "Graphics/Particles/ParticleEffectSystem.h"
#include "Graphics/Rendering/DebugDrawQueue.h"
#include "Graphics/Rendering/DebugShapeDrawer.h"
#include "Graphics/Rendering/GlDebugVertexSink.h"
#include "Graphics/System/CameraSystem.h"
#include "Math/Matrix4.h"
#include "Scripting/LuaComponent.h"
#include "Scripting/LuaSystem.h"
#include <GL/glew.h>

namespace Graphics
{
namespace System
{
namespace
{
const char* const GeometryScriptFile = "Debug/GeometryDebug.lua";
const char* const GeometryScriptName = "geo";
const char* const GeometryScriptFunction = "DrawDebug";
} // namespace

void GraphicsSystem::DrawDebug()
{
    if (!m_rendererReady || m_debugSink == nullptr || m_debugQueue == nullptr)
        return;
    glDisable(GL_TEXTURE_2D);
    ClearShaderProgram();
    // Immediate mode reads no vertex array of ours.
    glBindVertexArray(0);
    // World-space shapes through the active camera; without a camera system the identity
    // shows normalised device coordinates.
    const CameraSystem* cameras = CameraSystem::Instance();
    GlDebugVertexSink::LoadCamera(cameras != nullptr ? cameras->GetView() : Math::Matrix4(),
                                  cameras != nullptr ? cameras->GetProjection() : Math::Matrix4());

    // The emitters' outlines are queued here, once per drawn frame, so they are drawn with
    // the rest of the queue whether or not the emitter has live particles.
    if (ParticleEffectSystem* particles = ParticleEffectSystem::Instance())
        particles->QueueDebugShapes(*m_debugQueue);
    m_debugQueue->Draw(*m_debugSink);
    Core::Services().drawPhysicsDebug();
    DrawGeometryDebugScript();
    DebugShapeDrawer::DrawAxes();
    // The lights' own views: point lights, then spot lights. Drawing changes no list.
    for (ComponentList list : {PointLightComponents, SpotLightComponents})
    {
        for (GameObjectComponent* component : m_lists[list])
        {
            if (auto* light = dynamic_cast<LightComponent*>(component))
                light->DebugDraw();
        }
    }
    glEnable(GL_TEXTURE_2D);
}

void GraphicsSystem::DrawGeometryDebugScript()
{
    Scripting::System::LuaSystem* lua = Scripting::System::LuaSystem::Instance();
    if (lua == nullptr)
        return;
    if (m_reloadGeometryScript)
    {
        m_reloadGeometryScript = false;
        // A reload replaces the old script of that name; the Lua system owns the new one (a file
        // that does not load is reported by the script component and leaves none).
        lua->RemoveScript(GeometryScriptName);
        lua->LoadScript(GeometryScriptFile, GeometryScriptName);
    }
    // Looked up by name every time: the Lua system may have destroyed it in between.
    if (Scripting::LuaComponent* script = lua->FindScript(GeometryScriptName))
        script->Call(GeometryScriptFunction);
}
} // namespace System
} // namespace Graphics
