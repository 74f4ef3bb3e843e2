#include "Platform/Audio/LayerResult.h"

namespace Audio
{
namespace Layer
{
const char* ResultText(int result)
{
    switch (result)
    {
    case ResultOk:
        return "no error";
    case ResultInvalidHandle:
        return "invalid or finished handle";
    case ResultInvalidParam:
        return "invalid parameter";
    case ResultFileNotFound:
        return "file not found";
    case ResultFormat:
        return "unreadable sound data";
    case ResultNoFreeVoice:
        return "no free voice";
    case ResultDevice:
        return "no output could be opened";
    case ResultNotReady:
        return "system not initialised";
    case ResultOutputFormat:
        return "output format not supported";
    default:
        return "unknown error";
    }
}
} // namespace Layer
} // namespace Audio
