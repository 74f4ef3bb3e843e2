#include "TweakBar/BarInspector.h"

// Inspection answers nothing until the bar data exists.
namespace TweakBar
{
std::vector<std::string> BarNames()
{
    return {};
}
bool InspectBar(const std::string&, BarView&)
{
    return false;
}
bool InspectEntry(const std::string&, const std::string&, EntryView&)
{
    return false;
}
bool DescribeType(TwType, TypeView&)
{
    return false;
}
TwType FindType(const std::string&)
{
    return TW_TYPE_UNDEF;
}
bool ReadNumber(const std::string&, const std::string&, double&)
{
    return false;
}
bool ReadFloats(const std::string&, const std::string&, float*, int)
{
    return false;
}
bool ReadText(const std::string&, const std::string&, std::string&)
{
    return false;
}
bool Click(const std::string&, const std::string&)
{
    return false;
}
bool SetNumber(const std::string&, const std::string&, double)
{
    return false;
}
bool SetFloats(const std::string&, const std::string&, const float*, int)
{
    return false;
}
bool SetText(const std::string&, const std::string&, const std::string&)
{
    return false;
}
bool Toggle(const std::string&, const std::string&)
{
    return false;
}
bool SetOpened(const std::string&, const std::string&, bool)
{
    return false;
}
void RunQueuedCallbacks() {}
size_t QueuedCallbackCount()
{
    return 0;
}
} // namespace TweakBar
