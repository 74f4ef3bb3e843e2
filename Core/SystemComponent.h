#pragma once
// Base class of every system. The engine drives systems only through these virtuals, in
// creation order: Update (or IdleUpdate on frames where graphics does not render), Initialize
// once with the launch flag word, HandleMessage for broadcast and addressed messages.
// Systems live on the main thread. A system overrides GetName, Update and Initialize and only
// those of the others it uses: by default a system ignores messages and components and passes
// its self-test.
#include "Core/System/RegisteredList.h"
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

    virtual const std::string& GetName() const = 0;
    virtual void Update(f32 seconds) = 0;
    // Called instead of Update on the frames in which the graphics system does not render.
    virtual void IdleUpdate(f32 seconds);
    virtual void Initialize(u32 launchFlags) = 0;
    virtual void HandleMessage(Message* message);
    // A component files itself with the system that drives it, and leaves before it is
    // destroyed.
    virtual void Register(GameObjectComponent* component);
    virtual void Unregister(GameObjectComponent* component);
    // Self-test hook of a test run: answers whether the system's own checks passed. The depth
    // is the report depth of the caller (the testing system passes -1); a system without tests
    // passes.
    virtual bool RunTests(int depth);

    u32 GetId() const { return m_id; }
    const std::list<GameObjectComponent*>& GetComponents() const { return m_components.Items(); }

protected:
    // Registered, not owned; joining order, constant-time removal (Core/System/RegisteredList.h).
    Core::RegisteredList<GameObjectComponent> m_components;
    std::string m_name;
    u32 m_id;
};
