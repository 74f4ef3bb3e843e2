#include "Core/Actions/GraphicsActionHooks.h"

namespace Core
{
namespace
{
GraphicsActionHooks s_hooks;
} // namespace

void SetGraphicsActionHooks(const GraphicsActionHooks& hooks)
{
    s_hooks = hooks;
}

const GraphicsActionHooks& GetGraphicsActionHooks()
{
    return s_hooks;
}
} // namespace Core
