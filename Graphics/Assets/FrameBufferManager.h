#pragma once
// The render targets (frame-buffer objects), one category of targets added by name and size.
// The deferred renderer adds its six targets at start-up, before any asset batch is loaded; an
// asset batch's "FBO" section then asks for the manager's own "ShadowBuffer" of
// ShadowBufferSize, which the renderer's larger one of the same name has taken already, so the
// renderer's stays. Loading by name does nothing. Main thread only, with a context.
#include "Core/Assets/AssetManager.h"
#include "Graphics/Assets/FrameBufferObject.h"

namespace Graphics
{
class FrameBufferManager : public AssetManager<FrameBufferObject, FrameBufferParam>
{
public:
    static constexpr const char* EnumName = "FBO";
    static constexpr const char* ShadowBufferName = "ShadowBuffer";
    static constexpr u32 ShadowBufferSize = 1028;

    FrameBufferManager();
    ~FrameBufferManager() override;

    static FrameBufferManager* Instance() { return s_instance; }

    // Adds the "ShadowBuffer" target unless one exists (the argument is not used).
    void LoadAll(u32 category) override;
    void Load(const std::string&, u32) override {}
    // Render targets have no folder.
    std::string GetDirectory(bool) override { return std::string(); }

private:
    static FrameBufferManager* s_instance;
};
} // namespace Graphics
