#pragma once
// The stage of the particle tests: an engine with the core and the particles registered, the
// particle effect system, and a texture manager holding two particle textures read from memory
// (no OpenGL): "Dot", one frame, and "Sheet", 16 frames four across. Objects are made from XML
// text; the generator is reseeded for every test.
#include "Core/Components/TransformComponent.h"
#include "Graphics/Assets/TextureManager.h"
#include "Graphics/Particles/ParticleEffectSystem.h"
#include "Graphics/Particles/ParticleEmitterComponent.h"
#include "Graphics/Particles/ParticleRegistration.h"
#include "Graphics/Particles/ParticleSystemComponent.h"
#include "Math/MathUtils.h"
#include "Xml/XmlReader.h"
#include "tests/Support/LogCapture.h"
#include "tests/Support/RecordingSystem.h"
#include "tests/Support/World.h"
#include <memory>
#include <string>
#include <tinyxml2.h>

struct ParticleWorld
{
    static constexpr u32 SheetFrames = 16;
    static constexpr u32 SheetAcross = 4;

    ParticleWorld()
    {
        Math::SeedRand(1);
        // The engine's first system outlives its allocator (the log's place in the game), so a
        // stand-in takes that place and the particle system goes before the allocator.
        world.engine.GetSystemFactory().Register(
            "RecordingSystem",
            [](const LaunchOptions&) -> SystemComponent* { return new RecordingSystem(); },
            []() -> SystemComponent* { return nullptr; });
        world.engine.AddSystem("RecordingSystem");
        Graphics::RegisterParticles(world.engine);
        system = static_cast<Graphics::System::ParticleEffectSystem*>(
            world.engine.AddSystem(Graphics::System::ParticleEffectSystem::SystemName));
        system->Initialize(0);
        textures = std::make_unique<Graphics::TextureManager>();
        AddTexture("Dot", 1, 1);
        AddTexture("Sheet", SheetFrames, SheetAcross);
    }

    void AddTexture(const std::string& name, u32 frames, u32 across)
    {
        Graphics::TextureParam param;
        param.path = name + ".png";
        param.staged = std::make_shared<Graphics::TextureData>();
        param.staged->image.width = 1;
        param.staged->image.height = 1;
        param.staged->totalFrames = frames;
        param.staged->framesPerRow = across;
        textures->Add(name, param, Graphics::TextureManager::ParticleCategory);
    }

    // An object with the components of the XML (the component elements, no root).
    GameObject* Make(const std::string& components, const std::string& name = "Effect")
    {
        GameObject* object = world.Create(name);
        Read(object, components);
        return object;
    }
    // Adds and reads the components of the XML on the object.
    void Read(GameObject* object, const std::string& components)
    {
        tinyxml2::XMLDocument document;
        const std::string text = "<Object>" + components + "</Object>";
        document.Parse(text.c_str());
        object->Deserialize(document.RootElement()->FirstChildElement());
    }
    // Reads a component of the object again from XML (its member elements).
    static void Reread(GameObjectComponent& component, const std::string& members);

    template <typename T> static T* First(GameObject* object)
    {
        for (const GameObject::ComponentEntry& entry : object->GetComponentList())
        {
            if (T* component = dynamic_cast<T*>(entry.component))
                return component;
        }
        return nullptr;
    }

    void Step(u32 steps = 1, f32 dt = 1.0f / 30.0f)
    {
        for (u32 i = 0; i < steps; ++i)
            system->Update(dt);
    }

    LogCapture log;
    World world;
    Graphics::System::ParticleEffectSystem* system = nullptr;
    std::unique_ptr<Graphics::TextureManager> textures;
};

// XML pieces the tests put together.
namespace ParticleXml
{
inline std::string Transform(f32 x = 0.0f, f32 y = 0.0f, f32 z = 0.0f)
{
    return "<TransformComponent><position X=\"" + std::to_string(x) + "\" Y=\"" +
           std::to_string(y) + "\" Z=\"" + std::to_string(z) +
           "\"/><orientation X=\"0\" Y=\"0\" Z=\"0\"/><scale X=\"1\" Y=\"1\" Z=\"1\"/>"
           "</TransformComponent>";
}

// Data of that name with a fixed lifetime and colour; extra member elements may follow.
inline std::string Data(const std::string& name, const std::string& texture = "Dot",
                        f32 life = 1.0f, const std::string& extra = "")
{
    const std::string age = std::to_string(life);
    return "<ParticleSystemComponent><ParticleData>" + name + "</ParticleData><ParticleTexture>" +
           texture + "</ParticleTexture><ParticleAge X=\"" + age + "\" Y=\"" + age + "\"/>" +
           extra + "</ParticleSystemComponent>";
}

// A point emitter of that data; the member elements after the data name follow as given.
inline std::string Point(const std::string& data, const std::string& members)
{
    return "<PointEmitterComponent><ParticleData>" + data + "</ParticleData>" + members +
           "</PointEmitterComponent>";
}

inline std::string Count(f32 minimum, f32 capacity)
{
    return "<ParticleCount X=\"" + std::to_string(minimum) + "\" Y=\"" + std::to_string(capacity) +
           "\"/>";
}

inline std::string Rate(f32 low, f32 high)
{
    return "<EmissionRate X=\"" + std::to_string(low) + "\" Y=\"" + std::to_string(high) + "\"/>";
}
} // namespace ParticleXml

inline void ParticleWorld::Reread(GameObjectComponent& component, const std::string& members)
{
    tinyxml2::XMLDocument document;
    const std::string text = "<C>" + members + "</C>";
    document.Parse(text.c_str());
    Serializer::XmlReader reader(document.RootElement(), true);
    component.Deserialize(reader);
}
