#pragma once
// The stage of the action tests: an engine with a recording system, the message system and the
// action-list system, objects with a transform and an action list, and a way to hand an action
// to an object as scripts do (a kind-12 message). Announcements (kinds 13 and 14) go to every
// system, so the recorder counts them once the message system has delivered them.
#include "Core/Actions/Action.h"
#include "Core/Components/ActionListComponent.h"
#include "Core/Components/TransformComponent.h"
#include "Core/CoreRegistration.h"
#include "Core/Messages/Object/ActionMessage.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Core/System/ActionListSystem.h"
#include "tests/Support/RecordingEngineTest.h"
#include <string>

class ActionWorld : public RecordingEngineTest
{
protected:
    void SetUp() override
    {
        RecordingEngineTest::SetUp();
        Core::RegisterCoreComponents(engine->GetFactory()->GetComponentFactory());
        engine->GetSystemFactory().Register<Core::System::ActionListSystem>("ActionListSystem");
        lists = static_cast<Core::System::ActionListSystem*>(engine->AddSystem("ActionListSystem"));
    }

    GameFactory& Factory() { return *engine->GetFactory(); }

    // An object with the named components, in that order.
    GameObject* Make(std::initializer_list<const char*> components)
    {
        GameObject* object = Factory().CreateObject("Thing", Engine::GenerateId());
        for (const char* name : components)
            object->AddComponent(Factory().CreateComponent(name));
        return object;
    }
    template <class T> T* Find(GameObject* object)
    {
        for (const GameObject::ComponentEntry& entry : object->GetComponentList())
        {
            if (auto* found = dynamic_cast<T*>(entry.component))
                return found;
        }
        return nullptr;
    }

    // Delivers the action to the object's components as a kind-12 message would.
    void Give(GameObject* object, Action* action)
    {
        ActionMessage add(0, ActionMessage::AddType, action, object->GetId());
        object->HandleMessage(&add);
    }
    // One frame: every list steps, then the announcements are delivered.
    void Frame(f32 seconds)
    {
        lists->Update(seconds);
        messages->Update(0.0f);
    }
    std::size_t Starts() const { return recorder->CountOf(ActionMessage::StartType); }
    std::size_t Finishes() const { return recorder->CountOf(ActionMessage::FinishType); }

    Core::System::ActionListSystem* lists = nullptr;
};
