#pragma once
// The answers of every call of the audio layer: 0 is success, anything else a failure that the
// caller reports and goes on from. The layer never throws and never logs a failure that it
// also answers: what went wrong travels back as one of these codes.
//
// The numbers of the flags and modes the engine passes (output 2 "silent", mode 2 "loop",
// speaker mode 2 "stereo", result 53 "output format unsupported") are fixed here so that the
// engine can name them instead of writing numbers.
#include <cstdint>

namespace Audio
{
namespace Layer
{
enum LayerResult : int
{
    ResultOk = 0,
    ResultInvalidHandle = 1, // a null, stopped or finished channel, or a null object
    ResultInvalidParam = 2,  // an argument out of range (a negative frequency, say)
    ResultFileNotFound = 3,  // no regular file at the path, or one above the size limit
    ResultFormat = 4,        // the decoder could not read the data, or it holds no sound
    ResultNoFreeVoice = 5,   // every voice is busy
    ResultDevice = 6,        // neither the output device nor the silent one could be opened
    ResultNotReady = 7,      // the call needs a system that has been initialised
    ResultOutputFormat = 53, // the output refused the speaker mode asked for
};

// Output kinds for SoundSystem::SetOutput.
enum OutputType : int
{
    OutputAutomatic = 0, // the default device; the silent one when it cannot be opened
    OutputSilent = 2,    // no device: the mix is rendered on the wall clock and discarded
    OutputLoopback = 3,  // no device: the caller renders the mix itself (tests)
};

// Speaker modes; the layer mixes in stereo whatever is asked.
enum SpeakerMode : int
{
    SpeakerModeRaw = 0,
    SpeakerModeMono = 1,
    SpeakerModeStereo = 2,
};

// Sound and channel mode bits.
enum ModeFlags : std::uint32_t
{
    ModeDefault = 0x0,
    ModeLoopOff = 0x1,
    ModeLoopNormal = 0x2,
    ModeCreateSample = 0x200, // decode the whole sound into memory
};

// The text of a result, for reports.
const char* ResultText(int result);
} // namespace Layer
} // namespace Audio
