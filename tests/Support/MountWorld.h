#pragma once
// The stage of the mount, typing and orbit tests: the recording engine with the core's
// components, object definitions of the stage's own (files in a scratch asset folder, loaded by a
// definition manager that is the instance while the stage lives, as the serializer system's is in
// the game), and stand-in systems that keep what registers with them.
#include "Core/Assets/ObjectDefinitionManager.h"
#include "Core/Components/ObjectMountsComponent.h"
#include "Core/Components/TransformComponent.h"
#include "Core/CoreRegistration.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Xml/XmlReader.h"
#include "tests/Support/RecordingEngineTest.h"
#include "tests/Support/TempFiles.h"
#include <algorithm>
#include <memory>
#include <string>
#include <tinyxml2.h>

// A system known only by its name that keeps what registers with it, by address, as the
// graphics system does with bone mounts and orbits.
class StandInSystem : public SystemComponent
{
public:
    explicit StandInSystem(const std::string& name) { m_name = name; }

    const std::string& GetName() const override { return m_name; }
    void Update(f32) override {}
    void Initialize(u32) override {}
    void Register(GameObjectComponent* component) override { m_components.Add(component); }
    void Unregister(GameObjectComponent* component) override { m_components.Remove(component); }
};

// A definition manager that is the instance while it lives.
class StageDefinitions : public Serializer::ObjectDefinitionManager
{
public:
    StageDefinitions() { s_instance = this; }
    ~StageDefinitions() override
    {
        if (s_instance == this)
            s_instance = nullptr;
    }
};

class MountWorld : public RecordingEngineTest
{
protected:
    void SetUp() override
    {
        RecordingEngineTest::SetUp();
        Core::RegisterCoreComponents(engine->GetFactory()->GetComponentFactory());
        assets = std::make_unique<TempFolder>("quill-mounts");
        assets->MakeFolder("assets/Objects");
        definitions = std::make_unique<StageDefinitions>();
        definitions->LoadAll(0);
    }
    void TearDown() override
    {
        // The manager's memory came from the engine's allocator.
        definitions.reset();
        assets.reset();
        RecordingEngineTest::TearDown();
    }

    // Defines `name` with the components given as XML.
    void Define(const std::string& name, const std::string& components)
    {
        assets->Write("assets/Objects/" + name + ".xml",
                      "<" + name + ">" + components + "</" + name + ">");
        definitions->LoadAll(0);
    }

    // Adds a stand-in system of that name to the engine and returns it.
    StandInSystem* AddStandIn(const char* name)
    {
        static std::string lastName;
        lastName = name;
        engine->GetSystemFactory().Register(
            name,
            [](const LaunchOptions&) -> SystemComponent* { return new StandInSystem(lastName); },
            []() -> SystemComponent* { return nullptr; });
        return static_cast<StandInSystem*>(engine->AddSystem(name));
    }

    GameFactory& Factory() { return *engine->GetFactory(); }
    std::unique_ptr<TempFolder> assets;
    std::unique_ptr<StageDefinitions> definitions;
    // An object built from the XML of its components.
    GameObject* Build(const std::string& name, const std::string& components)
    {
        GameObject* object = Factory().CreateObject(name, Engine::GenerateId());
        tinyxml2::XMLDocument document(true, tinyxml2::COLLAPSE_WHITESPACE);
        const std::string text = "<" + name + ">" + components + "</" + name + ">";
        EXPECT_EQ(document.Parse(text.c_str()), tinyxml2::XML_SUCCESS) << text;
        object->Deserialize(document.RootElement()->FirstChildElement());
        return object;
    }
    template <class T> T* Find(GameObject* object)
    {
        if (object == nullptr)
            return nullptr;
        for (const GameObject::ComponentEntry& entry : object->GetComponentList())
        {
            if (auto* found = dynamic_cast<T*>(entry.component))
                return found;
        }
        return nullptr;
    }
    TransformComponent* TransformOf(u32 id)
    {
        return Find<TransformComponent>(Factory().FindObject(id));
    }

    static std::string TransformAt(f32 x, f32 y, f32 z, f32 turnY = 0.0f)
    {
        return "<TransformComponent><position X=\"" + std::to_string(x) + "\" Y=\"" +
               std::to_string(y) + "\" Z=\"" + std::to_string(z) + "\"/><orientation X=\"0\" Y=\"" +
               std::to_string(turnY) + "\" Z=\"0\"/></TransformComponent>";
    }
};
