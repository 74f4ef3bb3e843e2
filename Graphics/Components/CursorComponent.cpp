#include "Graphics/Components/CursorComponent.h"
#include "Core/Components/SystemRegistration.h"

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

void CursorComponent::Shutdown()
{
    Core::UnregisterFromSystem(SystemName, this);
}
} // namespace Graphics
