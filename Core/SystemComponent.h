#pragma once
// Base class of every system. The engine drives systems only through these virtuals, in
// creation order: Update (or IdleUpdate on frames where graphics does not render), Initialize
// once with the launch flag word, HandleMessage for broadcast and addressed messages.
// Systems live on the main thread.
#include "Math/Types.h"
#include <list>
#include <string>

class GameObjectComponent;
class Message;

class SystemComponent
{
public:
    SystemComponent();
    virtual ~SystemComponent();

    virtual std::string GetName() = 0;
    virtual void Update(f32 seconds) = 0;
    // Called instead of Update on the frames in which the graphics system does not render.
    virtual void IdleUpdate(f32 seconds);
    virtual void Initialize(u32 launchFlags) = 0;
    virtual void HandleMessage(Message* message) = 0;
    virtual void Register(GameObjectComponent* component) = 0;
    virtual void Unregister(GameObjectComponent* component) = 0;
    // Self-test hook of a test run; a system without tests passes.
    virtual bool RunTests() = 0;

    u32 GetId() const { return m_id; }
    const std::list<GameObjectComponent*>& GetComponents() const { return m_components; }

protected:
    std::list<GameObjectComponent*> m_components; // registered, not owned
    std::string m_name;
    u32 m_id;
};
