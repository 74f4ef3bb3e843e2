#pragma once
// The stage of the physics tests: an engine with the core and physics registered, its message
// system and its physics system, and objects built from inline component XML the way object
// definitions build them.
#include "Core/CoreRegistration.h"
#include "Core/Engine.h"
#include "Core/Messages/Physics/CollideMessage.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Core/System/MessageSystem.h"
#include "Physics/PhysicsRegistration.h"
#include "Physics/PhysicsSystem.h"
#include "tests/Support/QueuedMessages.h"
#include <string>
#include <tinyxml2.h>
#include <vector>

struct PhysicsWorld
{
    PhysicsWorld()
    {
        Core::RegisterCore(engine);
        Physics::RegisterPhysics(engine);
        engine.AddSystem("MessagingSystem");
        physics = static_cast<Physics::System::PhysicsSystem*>(engine.AddSystem("PhysicsSystem"));
        messages = Core::System::MessageSystem::Instance();
    }

    // An object whose components are read from the XML (component elements in order).
    GameObject* Make(const std::string& components, const std::string& name = "Thing")
    {
        tinyxml2::XMLDocument document;
        document.Parse(("<" + name + ">" + components + "</" + name + ">").c_str());
        GameObject* object = factory.CreateObject(name, Engine::GenerateId());
        object->Deserialize(document.RootElement()->FirstChildElement());
        return object;
    }

    // What one step posted, as (receiver, other, normal, new) records.
    struct Contact
    {
        u32 receiver;
        u32 other;
        Math::Vector4 normal;
        bool isNew;
    };
    std::vector<Contact> StepContacts()
    {
        physics->Step(Physics::System::PhysicsSystem::FixedStep);
        return TakeContacts();
    }
    std::vector<Contact> TakeContacts()
    {
        QueuedMessages queued(*messages);
        std::vector<Contact> contacts;
        for (std::size_t i = 0; i < queued.size(); ++i)
        {
            if (const auto* collide = queued.As<CollideMessage>(i))
                contacts.push_back(Contact{collide->targetObjectId, collide->otherObjectId,
                                           collide->normal, collide->newContact});
        }
        return contacts;
    }

    Engine engine;
    GameFactory& factory = *engine.GetFactory();
    Physics::System::PhysicsSystem* physics = nullptr;
    Core::System::MessageSystem* messages = nullptr;
};

// Component XML of the shapes used throughout the tests.
inline std::string TransformAt(f32 x, f32 y, f32 z)
{
    return "<TransformComponent><position X=\"" + std::to_string(x) + "\" Y=\"" +
           std::to_string(y) + "\" Z=\"" + std::to_string(z) + "\"/></TransformComponent>";
}
inline std::string ColliderBase(u32 category = 0, u32 mask = 0)
{
    return "<enabled>1</enabled><Category>" + std::to_string(category) + "</Category><Mask>" +
           std::to_string(mask) + "</Mask>";
}
inline std::string Sphere(f32 radius, u32 category = 0, u32 mask = 0)
{
    return "<SphereColliderComponent>" + ColliderBase(category, mask) + "<radius>" +
           std::to_string(radius) + "</radius></SphereColliderComponent>";
}
inline std::string Box(f32 x, f32 y, f32 z)
{
    return "<AABoxColliderComponent>" + ColliderBase() + "<size X=\"" + std::to_string(x) +
           "\" Y=\"" + std::to_string(y) + "\" Z=\"" + std::to_string(z) +
           "\"/></AABoxColliderComponent>";
}
inline std::string Body(f32 mass)
{
    return "<RigidBodyComponent><mass>" + std::to_string(mass) + "</mass></RigidBodyComponent>";
}
