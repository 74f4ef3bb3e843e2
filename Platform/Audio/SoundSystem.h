#pragma once
// The audio layer's system: one OpenAL Soft output (a device, or the loopback device when there
// is none), 64 voices, the channel groups and the sounds. Every call answers a LayerResult
// (0 OK). Main thread only: OpenAL's current context is the system's from each call on.
//
// Output: Init opens the default device (or the one named by SetOutputDevice). When that fails,
// or SetOutput asked for OutputSilent, it opens the loopback device instead and Update renders
// it by the wall clock and throws the mix away, so sounds run their course and finish without a
// sound card. OutputLoopback opens the loopback device and leaves rendering to the caller
// (RenderLoopback), which is how tests check what is mixed.
//
// Voices: a sample may play on any number of voices at once; a stream has one voice, and
// playing it again restarts it there and leaves the old handle stale. Streams are fed in Update
// (so Update must run at least every StreamBufferSeconds / StreamBufferCount), loop by seeking
// their decoder back to the start, and start again after an underrun.
//
// Where OpenAL can map buffers (AL_SOFTX_map_buffer), a stream plays from one buffer of
// StreamBufferCount segments that its source loops over: the buffer stays mapped, and Update
// decodes into every segment the play cursor has left, so streaming makes no OpenAL call that
// allocates. Elsewhere each segment is a buffer of its own, queued on the source again whenever
// it has played. On the loopback output the layer renders itself, a stream that Update has not
// fed in time stops at the end of its fresh samples (rather than playing old ones again) until
// the next Update.
//
// Reports: what goes wrong without a failing result (a file that ends before its header says,
// a stream whose decoder fails midway) is handed, one line each, to the report function.
#include "Platform/Audio/Channel.h"
#include "Platform/Audio/ChannelGroup.h"
#include "Platform/Audio/LayerResult.h"
#include "Platform/Audio/Sound.h"
#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct ALCdevice_struct;
struct ALCcontext_struct;

namespace Audio
{
namespace Layer
{
class SoundSystem
{
public:
    static constexpr int VoiceCount = 64;
    static constexpr std::uint32_t Version = 0x00010000;
    // The mixing rate of the loopback device.
    static constexpr int LoopbackRate = 48000;
    // Samples longer than this are cut: effects are short, and a long file is a mistake.
    static constexpr int MaxSampleSeconds = 60;
    // Buffers queued per stream, and the default size of each in bytes.
    static constexpr int StreamBufferCount = 4;
    static constexpr std::uint32_t DefaultStreamBufferBytes = 65536;
    // The silent device renders at most this much wall-clock time per Update, so a long stall
    // (a debugger, a slow load) does not turn into a long render.
    static constexpr double MaxSilentRenderSeconds = 0.5;

    using ReportFunction = std::function<void(const std::string& line)>;

    // A new system; Init opens its output.
    static int Create(SoundSystem** system);

    int GetVersion(std::uint32_t& version) const;
    // The output devices OpenAL lists (0 when it lists none).
    int GetNumDrivers(int& count) const;
    int SetOutput(int outputType);
    // A device name to open instead of the default one (before Init).
    int SetOutputDevice(const std::string& deviceName);
    // The layer mixes in software and in stereo whatever the device: caps 0, stereo.
    int GetDriverCaps(int driver, std::uint32_t& caps, int& speakerMode) const;
    int SetSpeakerMode(int speakerMode);
    int SetDSPBufferSize(std::uint32_t length, int count);
    int Init(int maxChannels, std::uint32_t flags);
    // Feeds the streams, retires finished voices and, on the silent device, renders the time
    // passed since the last call.
    int Update();
    // Frees every sound and group left and closes the output; the pointer is invalid afterwards.
    int Release();

    int CreateChannelGroup(ChannelGroup** group);
    // Bytes per stream buffer for streams created from now on.
    int SetStreamBufferSize(std::uint32_t bytes, std::uint32_t unit);
    // Whether streams may play from mapped buffers where OpenAL offers them (the default);
    // false keeps every stream on queued buffers. Before Init.
    int SetStreamMapping(bool enabled);
    // True when streams started from now on play from mapped buffers.
    bool GetStreamMapping() const { return m_mapStreams; }
    // A sample decoded whole (at most MaxSampleSeconds).
    int CreateSound(const std::string& path, std::uint32_t mode, Sound** sound);
    // A stream read from the file while it plays.
    int CreateStream(const std::string& path, std::uint32_t mode, Sound** sound);
    // The same from a copy of bytes in memory; the label names them in reports.
    int CreateSoundFromMemory(const void* data, std::size_t size, const std::string& label,
                              Sound** sound);
    int CreateStreamFromMemory(const void* data, std::size_t size, const std::string& label,
                               Sound** sound);
    // Why the last of the four calls above that failed did (the result code only tells the
    // kind): "not found", "too long: ...", "not a sound file (...)", "unsupported channels:
    // ...", "unsupported sample rate: ...", or what else stopped it.
    const std::string& GetLastFailure() const { return m_lastFailure; }
    // Starts the sound on a free voice (paused when asked), at full volume, no group, the
    // sound's own rate, not looping. ResultNoFreeVoice when all voices are busy.
    int PlaySound(Sound* sound, bool paused, Channel& channel);

    // True when the output is the loopback device (silent or rendered by the caller).
    bool IsLoopback() const { return m_loopback; }
    // Renders `frames` stereo float frames of the mix into `out` (loopback output only).
    int RenderLoopback(float* out, std::size_t frames);
    // Voices that exist now (playing or paused).
    int GetVoicesInUse() const;

    void SetReportFunction(ReportFunction report) { m_report = std::move(report); }

private:
    friend class Channel;
    friend class ChannelGroup;
    friend class Sound;

    struct Voice
    {
        unsigned int source = 0;
        std::uint32_t generation = 1;
        bool active = false;
        bool paused = false;
        // alSourcePlay has been called since the voice started.
        bool started = false;
        Sound* sound = nullptr;
        // The sample buffer on the source, kept there after the voice retires: a sound played
        // again on it needs no new binding (OpenAL allocates a record for every one). Cleared
        // before the sound is released, and while a stream plays.
        unsigned int bound = 0;
        ChannelGroup* group = nullptr;
        float volume = 1.0f;
        float frequency = 0.0f;
        std::uint32_t mode = ModeLoopOff;
        int loopCount = 0;
        // Streams: the buffers, and whether the decoder has nothing more to give.
        std::array<unsigned int, StreamBufferCount> buffers{};
        bool streamEnded = false;
        std::uint64_t passFrames = 0;
        // Mapped streams: the voice's looping buffer (kept with the voice from stream to stream,
        // stored anew only when a stream needs another format, rate or length), its persistent
        // mapping, and what it was stored for.
        unsigned int ring = 0;
        std::int16_t* ringSamples = nullptr;
        int ringChannels = 0;
        int ringRate = 0;
        std::size_t ringSegmentFrames = 0;
        // The stream now playing plays from the ring.
        bool mapped = false;
        // Positions counted in frames since the stream started: how far the play cursor has
        // moved, how far decoded samples reach, and how far the ring is silenced after the
        // stream's last frame. The cursor's place in the ring when last read.
        std::uint64_t ringPlayed = 0;
        std::uint64_t ringWritten = 0;
        std::uint64_t ringSilenced = 0;
        std::size_t ringCursor = 0;
        // The cursor reached the end of the fresh samples before Update came (loopback output
        // only): the source is paused there until the next Update.
        bool ringStalled = false;
    };

    SoundSystem();
    ~SoundSystem();

    bool MakeCurrent() const;
    bool OpenDevice();
    bool OpenLoopback();
    int MakeSound(std::unique_ptr<SoundDecoder> decoder, const std::string& label, bool stream,
                  Sound** sound);
    // CreateSound and CreateStream, and their FromMemory forms: the decoder opened, then
    // MakeSound.
    int MakeSoundFromFile(const std::string& path, bool stream, Sound** sound);
    int MakeSoundFromMemory(const void* data, std::size_t size, const std::string& label,
                            bool stream, Sound** sound);

    // The voice a handle names, or null when the handle is null, stale or its voice finished.
    Voice* Resolve(const Channel& channel);
    const Voice* Resolve(const Channel& channel) const;
    // Retires the voice when it has played out; answers whether it still exists.
    bool Refresh(Voice& voice);
    void Retire(Voice& voice);
    // Takes the samples off the voice's source.
    void Unbind(Voice& voice);
    void ApplyGain(const Voice& voice) const;
    void ApplyLooping(Voice& voice) const;
    bool Looping(const Voice& voice) const;
    // Decodes up to `frames` frames (at most the sound's buffer) of the stream into its pcm,
    // looping and reporting as the voice asks; answers the frames decoded (0: nothing left).
    std::size_t DecodeStream(Voice& voice, std::size_t frames);
    // Stream feeding: fills and queues a buffer; false when the stream has nothing left.
    bool FillStreamBuffer(Voice& voice, unsigned int buffer);
    void FeedStream(Voice& voice);
    // Mapped streams: stores and maps the voice's ring for its sound (false when OpenAL
    // refuses), reads how far the cursor moved, refills what it left, and restarts a stalled one.
    bool PrepareRing(Voice& voice);
    void AdvanceRing(Voice& voice);
    void WriteRing(Voice& voice);
    void FeedRing(Voice& voice);
    void DeleteRing(Voice& voice);
    // Output frames the loopback may render before a mapped stream runs out of fresh samples;
    // pauses the streams that have run out.
    std::size_t LimitToFreshStreams(std::size_t frames);
    void RenderChunks(float* out, std::size_t frames, bool advance);
    // Rewinds the stream's decoder, skips `skipFrames` and queues fresh buffers.
    void RestartStream(Voice& voice, std::size_t skipFrames = 0);
    void RenderSilent();
    void Report(const std::string& line) const;

    void ForgetSound(Sound* sound);
    void ForgetGroup(ChannelGroup* group);

    ALCdevice_struct* m_device;
    ALCcontext_struct* m_context;
    bool m_initialized;
    bool m_loopback;
    bool m_renderByClock;
    int m_outputType;
    std::string m_deviceName;
    std::uint32_t m_streamBufferBytes;
    // Streams play from mapped buffers (asked for, and OpenAL has the functions and took them).
    bool m_mapStreams;
    // OpenAL plays sources on the direct channels (AL_SOFT_direct_channels): mono samples are
    // widened to stereo for them. Asked once, at Init, not on every play.
    bool m_directChannels;
    std::array<Voice, VoiceCount> m_voices;
    std::vector<Sound*> m_sounds;
    std::vector<ChannelGroup*> m_groups;
    std::vector<float> m_scratch;
    // Stream samples widened from mono to stereo on their way to OpenAL.
    std::vector<std::int16_t> m_widened;
    std::chrono::steady_clock::time_point m_lastRender;
    ReportFunction m_report;
    std::string m_lastFailure;
};
} // namespace Layer
} // namespace Audio
