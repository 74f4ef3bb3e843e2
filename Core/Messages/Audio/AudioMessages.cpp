// The audio family.
#include "Core/Messages/Audio/AudioEffectMessage.h"
#include "Core/Messages/Audio/AudioFadeMessage.h"
#include "Core/Messages/Audio/AudioMusicMessage.h"
#include "Core/Messages/Audio/AudioResponseOnSelect.h"
#include "Core/Messages/Audio/AudioSystemMessage.h"
#include "Core/Messages/Audio/LoadMusicMessage.h"
#include "Core/Messages/Audio/LoadSoundEffectMessage.h"

AudioSystemMessage::AudioSystemMessage(u32 senderId, u32 action, f32 value, u32 targetObjectId)
    : Message(senderId, Type, targetObjectId, sizeof(AudioSystemMessage)), action(action),
      value(value)
{
}

std::string AudioSystemMessage::ToString() const
{
    return "Audio System";
}

AudioMusicMessage::AudioMusicMessage(u32 senderId, const std::string& audioName, u32 action,
                                     u32 targetObjectId)
    : Message(senderId, Type, targetObjectId, sizeof(AudioMusicMessage)), audioName(audioName),
      action(action)
{
}

std::string AudioMusicMessage::ToString() const
{
    return "Audio Music";
}

AudioEffectMessage::AudioEffectMessage(u32 senderId, const std::string& audioName, u32 action,
                                       u32 targetObjectId)
    : Message(senderId, Type, targetObjectId, sizeof(AudioEffectMessage)), audioName(audioName),
      action(action)
{
}

std::string AudioEffectMessage::ToString() const
{
    return "Audio Effect";
}

AudioFadeMessage::AudioFadeMessage(u32 senderId, const std::string& audioName, f32 fadeTime,
                                   f32 targetVolume, bool pauseAfterFade, u32 targetObjectId)
    : Message(senderId, Type, targetObjectId, sizeof(AudioFadeMessage)), audioName(audioName),
      fadeTime(fadeTime), targetVolume(targetVolume), pauseAfterFade(pauseAfterFade)
{
}

std::string AudioFadeMessage::ToString() const
{
    return "Audio Fade";
}

LoadSoundEffectMessage::LoadSoundEffectMessage(u32 senderId, const std::string& fileName,
                                               const std::string& audioName,
                                               const std::string& targetSystem)
    : Message(senderId, Type, targetSystem, sizeof(LoadSoundEffectMessage)), fileName(fileName),
      audioName(audioName)
{
}

std::string LoadSoundEffectMessage::ToString() const
{
    return "Audio Load Sound Effect";
}

LoadMusicMessage::LoadMusicMessage(u32 senderId, const std::string& fileName,
                                   const std::string& audioName, const std::string& targetSystem)
    : Message(senderId, Type, targetSystem, sizeof(LoadMusicMessage)), fileName(fileName),
      audioName(audioName)
{
}

std::string LoadMusicMessage::ToString() const
{
    return "Audio Load Music";
}

AudioResponseOnSelect::AudioResponseOnSelect(u32 senderId, u32 targetObjectId)
    : Message(senderId, Type, targetObjectId, sizeof(AudioResponseOnSelect))
{
}

std::string AudioResponseOnSelect::ToString() const
{
    return "Audio Response: OnSelect";
}
