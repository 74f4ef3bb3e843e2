#include "Core/Actions/Action.h"
#include "Core/Engine.h"
#include "Core/Messages/Object/ActionMessage.h"
#include "Core/Messages/PostNew.h"

namespace
{
// Announcements come from no object and go to every system.
constexpr u32 NoSender = 0;
constexpr u32 NoTarget = 0;

void Announce(u32 kind, Action* action)
{
    if (g_Engine != nullptr)
        Core::PostNew<ActionMessage>("Action", 0.0f, NoSender, kind, action, NoTarget);
}
} // namespace

Action::Action(u16 lanes, bool blocking)
    : m_lanes(lanes), m_blocking(blocking), m_adopted(false), m_state(NotStarted)
{
}

Action::~Action()
{
    // An action that no list took never ran for anyone: nothing to announce.
    if (m_adopted)
        Announce(ActionMessage::FinishType, this);
}

void Action::Update(f32, GameObject&)
{
    Finish();
}

void Action::Start()
{
    if (m_state != NotStarted)
        return;
    m_state = Running;
    Announce(ActionMessage::StartType, this);
}

bool Action::Advance(f32 seconds, f32& remaining, f32& fraction)
{
    // A zero remaining time gives an infinite f (or NaN for a zero step); neither is below 1.
    const f32 f = seconds / remaining;
    if (m_state == Running && f < 1.0f)
    {
        remaining -= seconds;
        fraction = f > 0.0f ? f : 0.0f;
        return true;
    }
    fraction = 1.0f;
    Finish();
    return false;
}
