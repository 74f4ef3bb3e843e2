#include "Graphics/Components/CursorComponent.h"
#include "Core/Components/SystemRegistration.h"
#include "Core/Reflection/HashTypeName.h"

QUILL_DEFINE_TYPE_RECORD(Graphics::CursorComponent, &TypeRecordOf<GameObjectComponent>(), false)

namespace Graphics
{
CursorComponent::CursorComponent()
    : GameObjectComponent(true), viewPoint(0.0f, 0.0f, 0.0f, 1.0f),
      groundPoint(0.0f, 0.0f, 0.0f, 1.0f), ray()
{
    Core::RegisterWithSystem(SystemName, this);
}

CursorComponent::~CursorComponent()
{
    Core::UnregisterFromSystem(SystemName, this);
}

u32 CursorComponent::GetType() const
{
    static const u32 typeId = HashTypeName(GetTypeName().c_str());
    return typeId;
}

void CursorComponent::Shutdown()
{
    Core::UnregisterFromSystem(SystemName, this);
}
} // namespace Graphics
