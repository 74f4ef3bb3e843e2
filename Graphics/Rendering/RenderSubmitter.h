#pragma once
// What the render queue asks of whoever draws: bind a program, a model and a material, set the
// uniforms of one object and draw it. The OpenGL path (GlRenderSubmitter) makes the calls; tests
// and the benchmark install a recorder instead, so the queue's grouping and order are checked
// without a context. Every call is made on the main thread during a pass.
#include "Math/Types.h"

namespace Math
{
class Matrix4;
}

namespace Graphics
{
class CameraComponent;
class Material;
class Model;
class RenderComponent;
class ShaderProgram;

class RenderSubmitter
{
public:
    virtual ~RenderSubmitter() = default;

    // Opaque and skinned trees: no blending, depth writes on. Transparent tree: alpha blending,
    // depth writes off (the forward pass turns them on again).
    virtual void SetBlending(bool transparent) = 0;
    // Makes the program current; null makes no program current (program 0).
    virtual void UseProgram(const ShaderProgram* program) = 0;
    // The forward routine's per-program uniforms: camera, lights, shadow map and texel size.
    virtual void SetForwardUniforms() = 0;
    // The camera uniforms of one camera, for the passes that draw with a program of their own.
    virtual void SetCameraUniforms(const CameraComponent* camera) = 0;
    virtual void BindModel(const Model& model) = 0;
    virtual void UnbindModel(const Model& model) = 0;
    virtual void BindMaterial(const Material& material) = 0;
    virtual void UnbindMaterial(const Material& material) = 0;
    // The model matrix (model layout) and its inverse, and the component's bloom, intensity and
    // alpha values.
    virtual void SetObjectUniforms(const RenderComponent& component, const Math::Matrix4& model,
                                   const Math::Matrix4& normal) = 0;
    // The skinning matrices of a skinned model (one per bone).
    virtual void SetBoneMatrices(const Math::Matrix4* matrices, u32 count) = 0;
    // Draws the model's triangles with what is bound.
    virtual void Draw(const Model& model) = 0;
};
} // namespace Graphics
