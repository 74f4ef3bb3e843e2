#include "Audio/AudioRegistration.h"
#include "Audio/AudioResponseComponent.h"
#include "Audio/AudioSystem.h"
#include "Audio/MusicComponent.h"
#include "Audio/SoundEffectComponent.h"
#include "Core/Engine.h"
#include "Core/Objects/ComponentFactory.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Reflection/TypeRegistry.h"
#include "Core/SystemFactory.h"

namespace Audio
{
void RegisterAudio(Engine& engine)
{
    engine.GetSystemFactory().Register<System::AudioSystem>(System::AudioSystem::SystemName);
    engine.GetFactory()->GetComponentFactory().Register<AudioResponseComponent>(
        ComponentFactory::AudioPool);
    AddTypeRecord<MusicComponent>();
    AddTypeRecord<SoundEffectComponent>();
}

} // namespace Audio
