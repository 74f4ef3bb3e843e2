#include "Graphics/Rendering/OverlayPass.h"
#include "Core/Components/TransformComponent.h"
#include "Core/Engine.h"
#include "Core/Log.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Graphics/Assets/Font.h"
#include "Graphics/Assets/Material.h"
#include "Graphics/Assets/Model.h"
#include "Graphics/Assets/ModelManager.h"
#include "Graphics/Assets/ShaderProgram.h"
#include "Graphics/Assets/ShaderProgramManager.h"
#include "Graphics/Assets/Texture.h"
#include "Graphics/Components/CameraComponent.h"
#include "Graphics/Components/TextComponent.h"
#include "Graphics/GraphicsSystem.h"
#include "Graphics/Rendering/OverlayLayout.h"
#include "Graphics/Rendering/OverlayServices.h"
#include "Graphics/System/CameraSystem.h"
#include <GL/glew.h>
#include <algorithm>
#include <cfloat>

namespace Graphics
{
namespace
{
const char* const LogName = "OverlayPass";
constexpr u32 ModelCategory = 0;
// Below this determinant a model matrix has no normal matrix.
constexpr f32 InverseTolerance = 1e-5f;
constexpr f32 NoFade[3] = {1.0f, 1.0f, 1.0f};
// Floating texts stand this many pixels apart from each other and from the bars.
constexpr f32 TextGap = 4.0f;
// Below this many pixels to a unit upwards (a camera looking straight down) a text is not lifted.
constexpr f32 LeastPixelsPerUnit = 0.01f;

void SetMatrix(u32 program, const char* name, const Math::Matrix4& matrix, GLboolean transpose)
{
    const GLint location = glGetUniformLocation(program, name);
    if (location >= 0)
        glUniformMatrix4fv(location, 1, transpose, matrix.m);
}

void SetFloat(u32 program, const char* name, f32 value)
{
    const GLint location = glGetUniformLocation(program, name);
    if (location >= 0)
        glUniform1f(location, value);
}

void SetColour(u32 program, const Math::ColorRGBA& colour)
{
    const GLint location = glGetUniformLocation(program, "DiffuseColor");
    const f32 values[4] = {colour.r, colour.g, colour.b, colour.a};
    if (location >= 0)
        glUniform4fv(location, 1, values);
}

// "ModelMatrix" (model layout, so transposed on upload) and its inverse as "NormalMatrix".
void SetModel(u32 program, const Math::Matrix4& model)
{
    SetMatrix(program, "ModelMatrix", model, GL_TRUE);
    Math::Matrix4 inverse;
    model.Inverse(inverse, InverseTolerance);
    SetMatrix(program, "NormalMatrix", inverse, GL_FALSE);
}

// The unit square (0, 0)-(1, 1) over the whole viewport, no view, no fade.
void SetScreenSpace(u32 program)
{
    const Math::Matrix4 identity;
    SetMatrix(program, "ProjectionMatrix", Math::Matrix4::Orthographic(1.0f, 1.0f, 0.0f, 1.0f),
              GL_FALSE);
    SetMatrix(program, "ViewMatrix", identity, GL_FALSE);
    SetMatrix(program, "ViewInverse", identity, GL_FALSE);
    const GLint fade = glGetUniformLocation(program, "Fade");
    if (fade >= 0)
        glUniform3fv(fade, 1, NoFade);
}

void DrawIndices(u32 count)
{
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(count), GL_UNSIGNED_INT, nullptr);
}

GameObject* FindObject(u32 objectId)
{
    GameFactory* factory = Engine::Factory();
    return factory != nullptr && objectId != 0 ? factory->FindObject(objectId) : nullptr;
}

// A text whose glyphs can be drawn: buffers made and something laid out.
bool CanDraw(const TextComponent* text)
{
    return text != nullptr && text->HasBuffers() && text->GetIndexCount() > 0;
}

// Where a world point lands on the window (pixels upwards from the bottom left); false behind
// the camera.
bool ToWindow(const Math::Matrix4& viewProjection, const Math::Vector4& point, f32 width,
              f32 height, Math::Vector2& pixel)
{
    const Math::Vector4 clip = viewProjection * point;
    if (!(clip.w > 0.0f))
        return false;
    pixel = Math::Vector2((clip.x / clip.w + 1.0f) / 2.0f * width,
                          (clip.y / clip.w + 1.0f) / 2.0f * height);
    return true;
}
} // namespace

OverlayPass::OverlayPass()
    : m_reportedQuadProgram(false), m_reportedTextProgram(false), m_reportedQuadModel(false)
{
}

void OverlayPass::Draw(int windowWidth, int windowHeight)
{
    if (windowWidth <= 0 || windowHeight <= 0)
        return;
    const f32 width = static_cast<f32>(windowWidth);
    const f32 height = static_cast<f32>(windowHeight);
    glDisable(GL_DEPTH_TEST);
    glViewport(0, 0, windowWidth, windowHeight);
    if (const Model* quad = FindQuad())
    {
        // The page is laid out first: the floating texts keep clear of its bars and icons, and
        // are drawn under the page, whose closing line ("Victory", "Defeat") is above all.
        m_quads.clear();
        GetOverlayServices().collectPageQuads(m_quads, width, height);
        DrawWorldTexts(*quad, width, height);
        // After the texts, which bind buffers of their own.
        quad->BindVertexFormat();
        if (const u32 program = UseQuadProgram())
            DrawPage(program, *quad, width, height);
        DrawCursor(*quad, width, height);
        quad->UnbindVertexFormat();
    }
    glEnable(GL_DEPTH_TEST);
    if (System::GraphicsSystem* graphics = System::GraphicsSystem::Instance())
        graphics->ClearShaderProgram();
    else
        ShaderProgram::UseNone();
}

const Model* OverlayPass::FindQuad()
{
    const ModelManager* models = ModelManager::Instance();
    const Model* quad = models != nullptr ? models->Find(QuadModel, ModelCategory) : nullptr;
    if (quad == nullptr)
        ReportMissing("model \"Quad\"", m_reportedQuadModel);
    return quad;
}

u32 OverlayPass::UseQuadProgram()
{
    const ShaderProgramManager* programs = ShaderProgramManager::Instance();
    const ShaderProgram* program =
        programs != nullptr ? programs->Find(QuadProgram, ShaderProgramFile::Static) : nullptr;
    const u32 handle = program != nullptr ? program->Use() : 0u;
    if (handle == 0)
    {
        ReportMissing("program \"TexturedNoLighting\" (Static)", m_reportedQuadProgram);
        return 0;
    }
    SetScreenSpace(handle);
    return handle;
}

void OverlayPass::DrawPage(u32 program, const Model& quad, f32 width, f32 height)
{
    // The bars and icons over world objects first, so that the page's own elements lie over
    // them.
    for (const OverlayQuad& element : m_quads)
    {
        if (element.followsObject)
            DrawQuad(element, program, quad);
    }
    for (const OverlayQuad& element : m_quads)
    {
        if (!element.followsObject)
            DrawQuad(element, program, quad);
    }
    // Every quad of the page lies under every text of the page.
    for (const OverlayQuad& element : m_quads)
        DrawPageText(element, program, width, height);
}

void OverlayPass::DrawQuad(const OverlayQuad& element, u32 program, const Model& quad) const
{
    if (element.material == nullptr || element.alpha == 0.0f)
        return;
    element.material->Bind(program);
    SetModel(program, OverlayLayout::QuadModel(element.centre, element.size));
    SetFloat(program, "Alpha", element.alpha);
    SetColour(program, element.colour);
    DrawIndices(quad.GetIndexCount());
    Material::UnbindAll();
}

void OverlayPass::DrawPageText(const OverlayQuad& element, u32 program, f32 width, f32 height) const
{
    if (element.alpha == 0.0f)
        return;
    const GameObject* object = FindObject(element.objectId);
    const TextComponent* text = object != nullptr ? object->GetComponent<TextComponent>() : nullptr;
    if (!CanDraw(text) || text->GetFont() == nullptr || text->GetFont()->GetTexture() == nullptr)
        return;
    const Texture& fontTexture = *text->GetFont()->GetTexture();
    const Math::Vector2 scale = OverlayLayout::PageTextScale(
        static_cast<f32>(fontTexture.GetWidth()), static_cast<f32>(fontTexture.GetHeight()), width,
        height, element.scale);
    text->Bind(program);
    SetColour(program, text->color);
    SetModel(program, OverlayLayout::QuadModel(element.centre, scale));
    SetFloat(program, "Alpha", element.alpha);
    DrawIndices(text->GetIndexCount());
    text->Unbind();
}

void OverlayPass::DrawWorldTexts(const Model& quad, f32 width, f32 height)
{
    System::GraphicsSystem* graphics = System::GraphicsSystem::Instance();
    if (graphics == nullptr)
        return;
    const u32 program = graphics->UseShaderProgram(TextProgram);
    if (program == 0)
    {
        ReportMissing("program \"Text2D\"", m_reportedTextProgram);
        return;
    }
    quad.BindVertexFormat();
    graphics->SetCameraUniforms(program);
    // What the texts keep clear of: the bars and icons, then each text laid out before.
    m_taken.clear();
    for (const OverlayQuad& element : m_quads)
    {
        if (element.followsObject && element.alpha > 0.0f)
            m_taken.push_back({(element.centre.x - element.size.x / 2.0f) * width,
                               (element.centre.y - element.size.y / 2.0f) * height,
                               (element.centre.x + element.size.x / 2.0f) * width,
                               (element.centre.y + element.size.y / 2.0f) * height});
    }
    const System::CameraSystem* cameras = System::CameraSystem::Instance();
    const CameraComponent* camera = cameras != nullptr ? cameras->GetActiveCamera() : nullptr;
    const Math::Matrix4 viewProjection =
        camera != nullptr
            ? System::CameraSystem::ViewProjection(camera->GetView(), camera->GetProjection())
            : Math::Matrix4();
    for (GameObjectComponent* component :
         graphics->GetComponents(System::GraphicsSystem::TextComponents))
    {
        auto* text = dynamic_cast<TextComponent*>(component);
        if (text == nullptr || !text->worldSpace || !CanDraw(text))
            continue;
        const GameObject* object = FindObject(text->GetOwner());
        const auto* transform =
            object != nullptr ? object->GetComponent<TransformComponent>() : nullptr;
        if (transform == nullptr)
            continue;
        const Math::Vector3& scale = transform->GetScale();
        Math::Matrix4 model = transform->GetTranslationMatrix();
        if (camera != nullptr)
            model = Math::Matrix4::Translation(Math::Vector4(
                        0.0f, LiftText(*text, model, scale, viewProjection, width, height), 0.0f,
                        0.0f)) *
                    model;
        text->Bind(program);
        SetColour(program, text->color);
        const GLint textScale = glGetUniformLocation(program, "TextScale");
        const f32 values[3] = {scale.x, scale.y, scale.z};
        if (textScale >= 0)
            glUniform3fv(textScale, 1, values);
        SetMatrix(program, "ModelMatrix", model, GL_TRUE);
        DrawIndices(text->GetIndexCount());
        text->Unbind();
    }
}

f32 OverlayPass::LiftText(TextComponent& text, const Math::Matrix4& model,
                          const Math::Vector3& scale, const Math::Matrix4& viewProjection,
                          f32 width, f32 height)
{
    // The text's glyph box, in its own units.
    const std::vector<TextComponent::Vertex>& vertices = text.GetVertices();
    const std::size_t count =
        std::min<std::size_t>(vertices.size(), static_cast<std::size_t>(text.GetIndexCount()) /
                                                   TextComponent::IndicesPerCharacter *
                                                   TextComponent::VerticesPerCharacter);
    if (count == 0)
        return 0.0f;
    f32 low[2] = {vertices[0].position[0], vertices[0].position[1]};
    f32 high[2] = {low[0], low[1]};
    for (std::size_t i = 1; i < count; ++i)
    {
        for (int axis = 0; axis < 2; ++axis)
        {
            low[axis] = std::min(low[axis], vertices[i].position[axis]);
            high[axis] = std::max(high[axis], vertices[i].position[axis]);
        }
    }
    const Math::Vector4 at = model * Math::Vector4(0.0f, 0.0f, 0.0f, 1.0f);
    Math::Vector2 pixel;
    OverlayLayout::Box box{FLT_MAX, FLT_MAX, -FLT_MAX, -FLT_MAX};
    for (const f32 x : {low[0], high[0]})
    {
        for (const f32 y : {low[1], high[1]})
        {
            if (!ToWindow(viewProjection,
                          Math::Vector4(at.x + x * scale.x, at.y + y * scale.y, at.z, 1.0f), width,
                          height, pixel))
                return 0.0f;
            box = {std::min(box.left, pixel.x), std::min(box.bottom, pixel.y),
                   std::max(box.right, pixel.x), std::max(box.top, pixel.y)};
        }
    }
    // How many pixels one unit upwards spans where the text stands.
    Math::Vector2 base;
    Math::Vector2 above;
    if (!ToWindow(viewProjection, Math::Vector4(at.x, at.y, at.z, 1.0f), width, height, base) ||
        !ToWindow(viewProjection, Math::Vector4(at.x, at.y + 1.0f, at.z, 1.0f), width, height,
                  above) ||
        above.y - base.y < LeastPixelsPerUnit)
        return 0.0f;
    text.overlayLift = OverlayLayout::LiftClear(box, text.overlayLift, m_taken, TextGap);
    m_taken.push_back(
        {box.left, box.bottom + text.overlayLift, box.right, box.top + text.overlayLift});
    return text.overlayLift / (above.y - base.y);
}

void OverlayPass::DrawCursor(const Model& quad, f32 width, f32 height)
{
    const System::CameraSystem* cameras = System::CameraSystem::Instance();
    const u32 cursor = cameras != nullptr ? cameras->GetCursorObjectId() : 0u;
    OverlayQuad element;
    if (cursor == 0 || !GetOverlayServices().elementQuad(cursor, element, width, height))
        return;
    if (const u32 program = UseQuadProgram())
    {
        quad.BindVertexFormat();
        DrawQuad(element, program, quad);
    }
}

void OverlayPass::ReportMissing(const char* what, bool& reported) const
{
    if (reported)
        return;
    reported = true;
    Core::Log() << "Error [" << LogName << "]: " << what
                << " is not loaded; the overlay skips what needs it\n";
}
} // namespace Graphics
