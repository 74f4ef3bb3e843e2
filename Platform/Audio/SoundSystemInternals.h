#pragma once
// What the files of the sound system share: the sample format and the mapped-buffer functions.
// SoundSystem.cpp holds the system (devices, start, update, shutdown), SoundSystemSounds.cpp the
// sounds (decoding, uploads, streams and their rings), SoundSystemChannels.cpp the voices that
// channels play on.
#include <AL/al.h>
#include <AL/alext.h>

namespace Audio
{
namespace Layer
{
namespace SoundSystemDetail
{
constexpr int StereoChannels = 2;
constexpr int BytesPerSample = 2;

// Buffers an application maps and writes in place (OpenAL Soft's experimental
// AL_SOFTX_map_buffer, which alext.h does not declare).
using ALbitfieldSOFT = unsigned int;
constexpr ALbitfieldSOFT MapWriteBit = 0x2;
constexpr ALbitfieldSOFT MapPersistentBit = 0x4;
using BufferStorageFunction = void(AL_APIENTRY*)(ALuint buffer, ALenum format, const ALvoid* data,
                                                 ALsizei size, ALsizei frequency,
                                                 ALbitfieldSOFT flags);
using MapBufferFunction = void*(AL_APIENTRY*)(ALuint buffer, ALsizei offset, ALsizei length,
                                              ALbitfieldSOFT access);
using UnmapBufferFunction = void(AL_APIENTRY*)(ALuint buffer);
using FlushMappedBufferFunction = void(AL_APIENTRY*)(ALuint buffer, ALsizei offset, ALsizei length);

struct MapBufferFunctions
{
    BufferStorageFunction storage = nullptr;
    MapBufferFunction map = nullptr;
    UnmapBufferFunction unmap = nullptr;
    FlushMappedBufferFunction flush = nullptr;

    // With the system's context current.
    bool Load()
    {
        if (!alIsExtensionPresent("AL_SOFTX_map_buffer"))
            return false;
        storage = reinterpret_cast<BufferStorageFunction>(alGetProcAddress("alBufferStorageSOFT"));
        map = reinterpret_cast<MapBufferFunction>(alGetProcAddress("alMapBufferSOFT"));
        unmap = reinterpret_cast<UnmapBufferFunction>(alGetProcAddress("alUnmapBufferSOFT"));
        flush = reinterpret_cast<FlushMappedBufferFunction>(
            alGetProcAddress("alFlushMappedBufferSOFT"));
        return storage != nullptr && map != nullptr && unmap != nullptr && flush != nullptr;
    }
};

// Loaded by Init, with the system's context current.
MapBufferFunctions& MapBuffer();

constexpr const char* QueuedStreamsLine =
    "Audio layer: OpenAL cannot map stream buffers here; streams fall back to queued buffers";
} // namespace SoundSystemDetail
} // namespace Layer
} // namespace Audio
