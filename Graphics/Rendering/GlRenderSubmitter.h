#pragma once
// The render queue's submitter that draws with OpenGL: programs, model buffers, material
// textures and the object uniforms of the shaders ("ModelMatrix" transposed, "NormalMatrix" as
// it is, so that the shaders receive the inverse transpose; "WorldMatrixArray" transposed).
// Uniform names a program does not use are skipped by OpenGL. Main thread only, with a context.
#include "Graphics/Rendering/RenderSubmitter.h"

namespace Graphics
{
class GlRenderSubmitter : public RenderSubmitter
{
public:
    void SetBlending(bool transparent) override;
    void UseProgram(const ShaderProgram* program) override;
    void SetForwardUniforms() override;
    void SetCameraUniforms(const CameraComponent* camera) override;
    void BindModel(const Model& model) override;
    void UnbindModel(const Model& model) override;
    void BindMaterial(const Material& material) override;
    void UnbindMaterial(const Material& material) override;
    void SetObjectUniforms(const RenderComponent& component, const Math::Matrix4& model,
                           const Math::Matrix4& normal) override;
    void SetBoneMatrices(const Math::Matrix4* matrices, u32 count) override;
    void Draw(const Model& model) override;

    u32 GetProgramHandle() const { return m_program; }

private:
    u32 m_program = 0;
};
} // namespace Graphics
