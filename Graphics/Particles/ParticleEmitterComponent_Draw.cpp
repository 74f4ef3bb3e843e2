// The emitter's part of the particle pass: its draw records go to OpenGL as one point list.
#include "Graphics/Assets/Texture.h"
#include "Graphics/Particles/ParticleDrawState.h"
#include "Graphics/Particles/ParticleEmitterComponent.h"
#include "Graphics/Particles/ParticleSystemComponent.h"
#include <GL/glew.h>
#include <cstddef>

namespace Graphics
{
namespace
{
struct Attribute
{
    u32 location;
    GLint floats;
    std::size_t offset;
};
const Attribute Attributes[] = {
    {ParticleVertex::PositionLocation, 3, offsetof(ParticleVertex, position)},
    {ParticleVertex::ColorLocation, 4, offsetof(ParticleVertex, color)},
    {ParticleVertex::ScaleLocation, 1, offsetof(ParticleVertex, scale)},
    {ParticleVertex::RotationLocation, 1, offsetof(ParticleVertex, rotation)},
    {ParticleVertex::FrameLocation, 1, offsetof(ParticleVertex, frame)},
};

void UploadMatrix(u32 program, const char* name, const Math::Matrix4& matrix)
{
    const GLint location = glGetUniformLocation(program, name);
    if (location >= 0)
        glUniformMatrix4fv(location, 1, GL_TRUE, matrix.m);
}
} // namespace

void ParticleEmitterComponent::Draw(u32 program, ParticleDrawState& state)
{
    if (renderCount_ == 0 || particleSystem_ == nullptr || particleSystem_->GetTexture() == nullptr)
        return;
    // Sprites face the camera, or lie across the emission direction of the object's space.
    Math::Matrix4 facing = state.viewMatrix;
    if (normalFacing_)
    {
        const Math::Quaternion turn = Math::Quaternion::RotationBetween(
            Math::Vector4(0.0f, 0.0f, 1.0f, 0.0f), emitterDirection_);
        facing = turn.w * turn.w + turn.x * turn.x + turn.y * turn.y + turn.z * turn.z > 0.5f
                     ? Math::Matrix4::FromQuaternion(turn)
                     : Math::Matrix4::Identity();
    }
    UploadMatrix(program, "NormalOrientation", facing);
    particleSystem_->ApplyBlending();
    UploadMatrix(program, "ModelMatrix", modelMatrix_);
    glBindTexture(GL_TEXTURE_2D, particleSystem_->GetTexture()->GetHandle());
    const GLint diffuse = glGetUniformLocation(program, "DiffuseMap");
    if (diffuse >= 0)
        glUniform1i(diffuse, 0);

    glBindVertexArray(state.vertexArray);
    glBindBuffer(GL_ARRAY_BUFFER, state.vertexBuffer);
    // A fresh store each draw, so the driver never waits on the previous emitter's records.
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(sizeof(ParticleVertex) * renderCount_),
                 particles_.GetVertices(), GL_STREAM_DRAW);
    for (const Attribute& attribute : Attributes)
    {
        glEnableVertexAttribArray(attribute.location);
        glVertexAttribPointer(attribute.location, attribute.floats, GL_FLOAT, GL_FALSE,
                              static_cast<GLsizei>(sizeof(ParticleVertex)),
                              reinterpret_cast<const void*>(attribute.offset));
    }
    glDrawArrays(GL_POINTS, 0, static_cast<GLsizei>(renderCount_));
    for (const Attribute& attribute : Attributes)
        glDisableVertexAttribArray(attribute.location);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindVertexArray(0);

    ++state.effectsDrawn;
    state.particlesDrawn += renderCount_;
}
} // namespace Graphics
