#include "Core/System/RegisteredList.h"

#ifdef QUILL_WORK_COUNTERS
namespace Core
{
namespace
{
u64 s_steps = 0;
} // namespace

u64 RegisteredListSteps()
{
    return s_steps;
}

namespace Detail
{
void CountRegisteredListSteps(u64 steps)
{
    s_steps += steps;
}
} // namespace Detail
} // namespace Core
#endif
