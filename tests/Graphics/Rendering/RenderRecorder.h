#pragma once
// A render submitter that records what the queue asks for, in order, instead of drawing: the
// headless queue tests read the calls, the benchmark counts them. Reserve before a measured run
// so that recording allocates nothing.
#include "Graphics/Rendering/RenderSubmitter.h"
#include "Math/Matrix4.h"
#include <vector>

class RenderRecorder : public Graphics::RenderSubmitter
{
public:
    enum class Kind
    {
        Blending,
        Program,
        ForwardUniforms,
        CameraUniforms,
        BindModel,
        UnbindModel,
        BindMaterial,
        UnbindMaterial,
        ObjectUniforms,
        Bones,
        Draw,
    };
    struct Call
    {
        Kind kind;
        const void* subject; // the asset, component or camera; null for none
        u32 value;           // blending: 1 transparent; bones: the count
    };

    void SetBlending(bool transparent) override
    {
        Record(Kind::Blending, nullptr, transparent ? 1 : 0);
    }
    void UseProgram(const Graphics::ShaderProgram* program) override
    {
        Record(Kind::Program, program, 0);
    }
    void SetForwardUniforms() override { Record(Kind::ForwardUniforms, nullptr, 0); }
    void SetCameraUniforms(const Graphics::CameraComponent* camera) override
    {
        Record(Kind::CameraUniforms, camera, 0);
    }
    void BindModel(const Graphics::Model& model) override { Record(Kind::BindModel, &model, 0); }
    void UnbindModel(const Graphics::Model& model) override
    {
        Record(Kind::UnbindModel, &model, 0);
    }
    void BindMaterial(const Graphics::Material& material) override
    {
        Record(Kind::BindMaterial, &material, 0);
    }
    void UnbindMaterial(const Graphics::Material& material) override
    {
        Record(Kind::UnbindMaterial, &material, 0);
    }
    void SetObjectUniforms(const Graphics::RenderComponent& component, const Math::Matrix4& model,
                           const Math::Matrix4&) override
    {
        lastModelMatrix = model;
        Record(Kind::ObjectUniforms, &component, 0);
    }
    void SetBoneMatrices(const Math::Matrix4*, u32 count) override
    {
        Record(Kind::Bones, nullptr, count);
    }
    void Draw(const Graphics::Model& model) override { Record(Kind::Draw, &model, 0); }

    // The subjects of the calls of one kind, in order.
    std::vector<const void*> Subjects(Kind kind) const
    {
        std::vector<const void*> subjects;
        for (const Call& call : calls)
        {
            if (call.kind == kind)
                subjects.push_back(call.subject);
        }
        return subjects;
    }
    std::size_t Count(Kind kind) const
    {
        std::size_t count = 0;
        for (const Call& call : calls)
            count += call.kind == kind ? 1 : 0;
        return count;
    }

    std::vector<Call> calls;
    // Off: calls are only counted (the benchmark's steady frames).
    bool keep = true;
    std::size_t counted = 0;
    Math::Matrix4 lastModelMatrix;

private:
    void Record(Kind kind, const void* subject, u32 value)
    {
        ++counted;
        if (keep)
            calls.push_back(Call{kind, subject, value});
    }
};
