#include "Audio/AudioResponseComponent.h"
#include "Audio/AudioSystem.h"
#include "Core/Components/SystemRegistration.h"
#include "Core/Messages/Audio/AudioResponseOnSelect.h"
#include "Core/Messages/Gameplay/DefeatMessage.h"
#include "Core/Messages/Gameplay/VictoryMessage.h"
#include "Scripting/LuaComponent.h"
#include "Xml/PlainValueXml.h"
#include "Xml/XmlReader.h"

QUILL_DEFINE_TYPE_RECORD(Audio::AudioResponseComponent, &TypeRecordOf<GameObjectComponent>(), false)

namespace Audio
{
using System::AudioSystem;

AudioResponseComponent::AudioResponseComponent() : GameObjectComponent(true), m_script(nullptr)
{
    Core::RegisterWithSystem(AudioSystem::SystemName, this);
}

AudioResponseComponent::~AudioResponseComponent()
{
    AudioSystem::ReleaseScript(m_script);
}

void AudioResponseComponent::Shutdown()
{
    Core::UnregisterFromSystem(AudioSystem::SystemName, this);
}

void AudioResponseComponent::Deserialize(Serializer::XmlReader& reader)
{
    std::string file;
    Serializer::ReadString(reader, file, "");
    // A second read replaces the first script.
    AudioSystem::ReleaseScript(m_script);
    // A script that does not load is reported by the script component; its sound list is
    // then empty and its functions are missing.
    m_script = Scripting::LuaComponent::CreateLoaded(file, file,
                                                     Scripting::LuaComponent::FailedLoad::Keep);
    if (m_script == nullptr)
        return;
    AudioSystem::PostSoundList(*m_script, GetId());
    m_script->Call("OnLoad");
}

void AudioResponseComponent::Serialize(Serializer::XmlWriter& writer)
{
    Serializer::WriteString(writer, m_script != nullptr ? m_script->GetScriptName() : "", "");
}

void AudioResponseComponent::HandleMessage(Message* message)
{
    if (message == nullptr)
        return;
    switch (message->type)
    {
    case VictoryMessage::Type:
        CallScript("OnVictory");
        break;
    case DefeatMessage::Type:
        CallScript("OnDefeat");
        break;
    case AudioResponseOnSelect::Type:
        CallScript("OnSelect");
        break;
    default:
        break;
    }
}

void AudioResponseComponent::CallScript(const char* function)
{
    if (m_script != nullptr)
        m_script->Call(function);
}
} // namespace Audio
