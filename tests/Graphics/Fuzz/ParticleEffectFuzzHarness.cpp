#include "tests/Graphics/Fuzz/ParticleEffectFuzzHarness.h"
#include "Core/CoreRegistration.h"
#include "Core/Engine.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Core/SystemFactory.h"
#include "Graphics/Assets/TextureManager.h"
#include "Graphics/Particles/ParticleEffectSystem.h"
#include "Graphics/Particles/ParticleEmitterComponent.h"
#include "Graphics/Particles/ParticleRegistration.h"
#include "Math/MathUtils.h"
#include "tests/Support/RecordingSystem.h"
#include <cstdlib>
#include <memory>
#include <string>
#include <tinyxml2.h>

namespace
{
using Graphics::ParticleEmitterComponent;
using Graphics::System::ParticleEffectSystem;

constexpr float StepTime = 1.0f / 30.0f;
// Steps while the object lives, and at most this many more for its finishing copies (ten
// seconds of play); particles that would outlive that are destroyed with the effects.
constexpr int LivingSteps = 12;
constexpr int FinishingSteps = 300;

struct SheetName
{
    const char* name;
    unsigned frames;
    unsigned across;
};
// The shipped particle textures, with the smoke sheet's 4 x 4 frames.
const SheetName Textures[] = {
    {"SoftDot", 1, 1}, {"Spark", 1, 1}, {"Star", 1, 1}, {"Ring", 1, 1}, {"Smoke", 16, 4}};

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

void CheckEmitters(const ParticleEffectSystem::EntryMap& map)
{
    for (const auto& object : map)
        for (const auto& entry : object.second)
            for (const ParticleEmitterComponent* emitter : entry.second.emitters)
            {
                const Graphics::ParticlePool& pool = emitter->GetPool();
                Check(pool.GetLiveCount() <= pool.GetCapacity());
                Check(emitter->GetRenderCount() <= pool.GetLiveCount());
            }
}
} // namespace

void RunParticleEffectFuzzInput(const std::uint8_t* data, std::size_t size)
{
    tinyxml2::XMLDocument document;
    if (document.Parse(reinterpret_cast<const char*>(data), size) != tinyxml2::XML_SUCCESS ||
        document.RootElement() == nullptr)
        return;

    Math::SeedRand(1);
    auto engine = std::make_unique<Engine>();
    g_Engine = engine.get();
    Core::RegisterCore(*engine);
    // The first system outlives the allocator; a stand-in takes its place.
    engine->GetSystemFactory().Register(
        "RecordingSystem",
        [](const LaunchOptions&) -> SystemComponent* { return new RecordingSystem(); },
        []() -> SystemComponent* { return nullptr; });
    engine->AddSystem("RecordingSystem");
    Graphics::RegisterParticles(*engine);
    auto* system =
        static_cast<ParticleEffectSystem*>(engine->AddSystem(ParticleEffectSystem::SystemName));
    system->Initialize(0);
    {
        Graphics::TextureManager textures;
        for (const SheetName& sheet : Textures)
        {
            Graphics::TextureParam param;
            param.staged = std::make_shared<Graphics::TextureData>();
            param.staged->totalFrames = sheet.frames;
            param.staged->framesPerRow = sheet.across;
            textures.Add(sheet.name, param, Graphics::TextureManager::ParticleCategory);
        }

        GameObject* object = engine->GetFactory()->CreateObject("Fuzz", Engine::GenerateId());
        object->Deserialize(document.RootElement()->FirstChildElement());
        for (int step = 0; step < LivingSteps; ++step)
        {
            system->Update(StepTime);
            CheckEmitters(system->GetRegistered());
        }
        // Written back, component by component.
        tinyxml2::XMLDocument written;
        object->Serialize(written, nullptr);

        const u32 id = object->GetId();
        engine->GetFactory()->DestroyObject(id);
        Check(system->GetRegistered().count(id) == 0);
        for (int step = 0; step < FinishingSteps && !system->GetEffects().empty(); ++step)
        {
            system->Update(StepTime);
            CheckEmitters(system->GetEffects());
        }
        system->DestroyParticleEffects();
        Check(system->GetEffects().empty());
    }
    engine.reset();
    g_Engine = nullptr;
}
