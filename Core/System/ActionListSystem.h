#pragma once
// Advances every registered action list once per frame, in registration order. Action lists
// register themselves when they are made and leave at Shutdown (Core/Components).
//
// What may change during a walk: a list step only posts messages, but a list may leave (or a
// new one join) while the walk is under way; the walk goes over a snapshot and passes over a
// list that left meanwhile. Lists that join are first stepped in the next frame.
// Main thread only.
#include "Core/SystemComponent.h"
#include <vector>

namespace Core
{
namespace System
{
class ActionListSystem : public SystemComponent
{
public:
    ActionListSystem();
    ~ActionListSystem() override;

    static ActionListSystem* Instance() { return s_instance; }

    const std::string& GetName() const override { return m_name; }
    // Steps every registered ActionListComponent by the frame time.
    void Update(f32 seconds) override;
    void Initialize(u32) override {}
    // Appends the component (an action list) to the walk.
    void Register(GameObjectComponent* component) override;
    // Removes this very component, in constant time.
    void Unregister(GameObjectComponent* component) override;

private:
    static ActionListSystem* s_instance;
};
} // namespace System
} // namespace Core
