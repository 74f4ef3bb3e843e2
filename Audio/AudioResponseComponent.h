#pragma once
// Lets a game object answer game events with sounds chosen by a script of its own. The script
// lists the sounds to load (as the audio system's settings script does: "GetAudioCount",
// "GetAudioName", "GetAudioFilename", "GetAudioType") and has one global function per event.
// Game logic and AI call the event operations on an object that has the component; victory,
// defeat and selection arrive as messages (83, 84, 85). What an event plays is up to the
// script, which sends audio messages through the script API. A missing function is reported by
// the script as a "function" type error and nothing else happens.
//
// XML: one string element, whatever its tag: the script file below "assets/Scripts/".
#include "Core/Objects/ComponentTypeId.h"
#include "Core/Objects/GameObjectComponent.h"
#include "Core/Reflection/TypeRecord.h"
#include <string>

namespace Scripting
{
class LuaComponent;
}

namespace Audio
{
class AudioResponseComponent : public GameObjectComponent
{
public:
    // Registers with the audio system, which takes no note of this kind.
    AudioResponseComponent();
    ~AudioResponseComponent() override;
    AudioResponseComponent(const AudioResponseComponent&) = delete;
    AudioResponseComponent& operator=(const AudioResponseComponent&) = delete;

    QUILL_COMPONENT_TYPE(AudioResponseComponent)

    void Shutdown() override;
    // Loads the script named by the element, names the script after it, posts a load message
    // for each sound it lists (sent by this component) and calls its "OnLoad".
    void Deserialize(Serializer::XmlReader& reader) override;
    void Serialize(Serializer::XmlWriter& writer) override;
    // 83 "OnVictory", 84 "OnDefeat", 85 "OnSelect".
    void HandleMessage(Message* message) override;

    void OnAbility0() { CallScript("OnAbility0"); }
    void OnAbility1() { CallScript("OnAbility1"); }
    void OnAbility2() { CallScript("OnAbility2"); }
    void OnAbility3() { CallScript("OnAbility3"); }
    void OnDamaged() { CallScript("OnDamaged"); }
    void OnDeath() { CallScript("OnDeath"); }
    void OnFinalKill() { CallScript("OnFinalKill"); }
    void OnMove() { CallScript("OnMove"); }
    void OnRespawn() { CallScript("OnRespawn"); }

    // Null until Deserialize made it.
    Scripting::LuaComponent* GetScript() const { return m_script; }

private:
    void CallScript(const char* function);

    Scripting::LuaComponent* m_script;
};
} // namespace Audio

QUILL_DECLARE_TYPE_RECORD(Audio::AudioResponseComponent)
