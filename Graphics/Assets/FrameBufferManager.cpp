#include "Graphics/Assets/FrameBufferManager.h"

namespace Graphics
{
FrameBufferManager* FrameBufferManager::s_instance = nullptr;

FrameBufferManager::FrameBufferManager()
{
    m_categories[0].name = EnumName;
    s_instance = this;
}

FrameBufferManager::~FrameBufferManager()
{
    UnloadAll();
    if (s_instance == this)
        s_instance = nullptr;
}

void FrameBufferManager::LoadAll(u32)
{
    FrameBufferParam param;
    param.width = ShadowBufferSize;
    param.height = ShadowBufferSize;
    // A fresh target is left bound by its Load; drawing goes on into the window.
    if (Add(ShadowBufferName, param, 0) != nullptr)
        FrameBufferObject::BindDefault();
}
} // namespace Graphics
