#include "Core/PropertyModel/PropertyCallbacks.h"
#include "Core/PropertyModel/PropertyEnum.h"
#include "Core/PropertyModel/PropertyMember.h"
#include "Math/Types.h"
#include "TweakBar/TweakBar.h"
#include <cstring>
#include <string>

namespace Tools
{
namespace
{
// Colours are 0 to 1 in memory and 0 to 255 on screen.
constexpr f32 ChannelScale = 255.0f;
constexpr std::size_t ScalarBytes = 4;
constexpr std::size_t Float3Count = 3;
constexpr std::size_t Float4Count = 4;

void* Bound(void* clientData)
{
    return static_cast<PropertyMember*>(clientData)->GetBoundValue();
}
} // namespace

void GetBoolCallback(void* value, void* clientData)
{
    *static_cast<bool*>(value) = *static_cast<const bool*>(Bound(clientData));
}

void SetBoolCallback(const void* value, void* clientData)
{
    *static_cast<bool*>(Bound(clientData)) = *static_cast<const bool*>(value);
}

void GetScalarCallback(void* value, void* clientData)
{
    std::memcpy(value, Bound(clientData), ScalarBytes);
}

void SetScalarCallback(const void* value, void* clientData)
{
    std::memcpy(Bound(clientData), value, ScalarBytes);
}

void GetFloat3Callback(void* value, void* clientData)
{
    std::memcpy(value, Bound(clientData), Float3Count * sizeof(f32));
}

void SetFloat3Callback(const void* value, void* clientData)
{
    std::memcpy(Bound(clientData), value, Float3Count * sizeof(f32));
}

void GetFloat4Callback(void* value, void* clientData)
{
    std::memcpy(value, Bound(clientData), Float4Count * sizeof(f32));
}

void SetFloat4Callback(const void* value, void* clientData)
{
    std::memcpy(Bound(clientData), value, Float4Count * sizeof(f32));
}

void GetColorChannelCallback(void* value, void* clientData)
{
    *static_cast<f32*>(value) = *static_cast<const f32*>(Bound(clientData)) * ChannelScale;
}

void SetColorChannelCallback(const void* value, void* clientData)
{
    *static_cast<f32*>(Bound(clientData)) = *static_cast<const f32*>(value) / ChannelScale;
}

void GetStringCallback(void* value, void* clientData)
{
    TwCopyStdStringToLibrary(*static_cast<std::string*>(value),
                             *static_cast<const std::string*>(Bound(clientData)));
}

void SetStringCallback(const void* value, void* clientData)
{
    *static_cast<std::string*>(Bound(clientData)) = *static_cast<const std::string*>(value);
}

void GetEnumCallback(void* value, void* clientData)
{
    const NamedValue* record = static_cast<const NamedValue*>(Bound(clientData));
    std::memcpy(value, &record->value, sizeof(record->value));
}

void SetEnumCallback(const void* value, void* clientData)
{
    const PropertyEnum* entry = static_cast<const PropertyEnum*>(clientData);
    NamedValue* record = static_cast<NamedValue*>(entry->GetBoundValue());
    std::memcpy(&record->value, value, sizeof(record->value));
    record->name = entry->LabelOf(record->value);
}
} // namespace Tools
