#include "TweakBar/BarInspector.h"
#include "TweakBar/BarLayer.h"
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

namespace TweakBar
{
namespace
{
template <typename T> double Load(const unsigned char* at)
{
    T value;
    std::memcpy(&value, at, sizeof(T));
    return static_cast<double>(value);
}

// Rounds and clamps to what T holds, so that a value out of range saturates.
template <typename T> void StoreInteger(unsigned char* at, double number)
{
    const double low = static_cast<double>(std::numeric_limits<T>::lowest());
    const double high = static_cast<double>(std::numeric_limits<T>::max());
    const T value = static_cast<T>(std::min(std::max(std::round(number), low), high));
    std::memcpy(at, &value, sizeof(T));
}

template <typename T> void StoreFloat(unsigned char* at, double number)
{
    const T value = static_cast<T>(number);
    std::memcpy(at, &value, sizeof(T));
}

bool IsEnum(TwType type)
{
    return BarLayer::Get().Types().FindEnum(type) != nullptr;
}

bool LoadNumber(TwType type, const unsigned char* at, double& number)
{
    switch (type)
    {
    case TW_TYPE_BOOLCPP:
        number = Load<bool>(at);
        return true;
    case TW_TYPE_BOOL8:
    case TW_TYPE_INT8:
        number = Load<int8_t>(at);
        return true;
    case TW_TYPE_CHAR:
    case TW_TYPE_UINT8:
        number = Load<uint8_t>(at);
        return true;
    case TW_TYPE_INT16:
        number = Load<int16_t>(at);
        return true;
    case TW_TYPE_UINT16:
        number = Load<uint16_t>(at);
        return true;
    case TW_TYPE_INT32:
        number = Load<int32_t>(at);
        return true;
    case TW_TYPE_UINT32:
        number = Load<uint32_t>(at);
        return true;
    case TW_TYPE_FLOAT:
        number = Load<float>(at);
        return true;
    case TW_TYPE_DOUBLE:
        number = Load<double>(at);
        return true;
    default:
        if (!IsEnum(type))
            return false;
        number = Load<int32_t>(at);
        return true;
    }
}

bool StoreNumber(TwType type, unsigned char* at, double number)
{
    switch (type)
    {
    case TW_TYPE_BOOLCPP:
    {
        const bool value = number != 0.0;
        std::memcpy(at, &value, sizeof(bool));
        return true;
    }
    case TW_TYPE_BOOL8:
        StoreInteger<int8_t>(at, number != 0.0 ? 1.0 : 0.0);
        return true;
    case TW_TYPE_INT8:
        StoreInteger<int8_t>(at, number);
        return true;
    case TW_TYPE_CHAR:
    case TW_TYPE_UINT8:
        StoreInteger<uint8_t>(at, number);
        return true;
    case TW_TYPE_INT16:
        StoreInteger<int16_t>(at, number);
        return true;
    case TW_TYPE_UINT16:
        StoreInteger<uint16_t>(at, number);
        return true;
    case TW_TYPE_INT32:
        StoreInteger<int32_t>(at, number);
        return true;
    case TW_TYPE_UINT32:
        StoreInteger<uint32_t>(at, number);
        return true;
    case TW_TYPE_FLOAT:
        StoreFloat<float>(at, number);
        return true;
    case TW_TYPE_DOUBLE:
        StoreFloat<double>(at, number);
        return true;
    default:
        if (!IsEnum(type))
            return false;
        StoreInteger<int32_t>(at, number);
        return true;
    }
}

int FloatCount(TwType type)
{
    if (type == TW_TYPE_COLOR4F)
        return 4;
    if (type == TW_TYPE_DIR3F)
        return 3;
    return 0;
}

// The slot of an entry named in a bar; false when either is missing.
bool Locate(const std::string& barName, const std::string& entryName, ValueSlot& slot)
{
    BarLayer& layer = BarLayer::Get();
    CTwBar* bar = layer.FindBar(barName);
    return bar != nullptr && layer.Resolve(*bar, entryName, slot);
}

// Reads the variable behind a slot; bytes then hold the whole variable.
bool ReadSlot(const ValueSlot& slot, ValueBytes& bytes, std::string& text)
{
    return BarLayer::Get().ReadVariable(*slot.node, bytes, text);
}

bool IsReadOnly(const ValueSlot& slot)
{
    return slot.node->set == nullptr || slot.node->settings.readOnly || slot.settings->readOnly;
}

// A writable variable slot, or a failure line naming what stands in the way.
bool Writable(const char* call, const std::string& barName, const std::string& entryName,
              ValueSlot& slot)
{
    BarLayer& layer = BarLayer::Get();
    if (!Locate(barName, entryName, slot))
        return layer.Fail(call, "no entry '" + entryName + "' in bar '" + barName + "'");
    if (slot.node->kind != EntryKind::Variable)
        return layer.Fail(call, barName + "/" + entryName + " is not a variable");
    if (IsReadOnly(slot))
        return layer.Fail(call, barName + "/" + entryName + " is read-only");
    return true;
}

void Describe(const BarNode& node, const EntrySettings& settings, EntryView& view)
{
    view.kind = node.kind;
    view.label =
        settings.label.empty() && node.kind != EntryKind::Separator ? node.name : settings.label;
    view.help = settings.help;
    view.visible = settings.visible;
    view.hasRange = settings.hasMin && settings.hasMax;
    view.min = settings.min;
    view.max = settings.max;
    view.step = settings.step;
    view.precision = settings.precision;
}

void AddStructMembers(TwType type, const std::string& prefix, bool readOnly, EntryView& view)
{
    const StructType* structType = BarLayer::Get().Types().FindStruct(type);
    if (structType == nullptr)
        return;
    for (const StructMemberType& member : structType->members)
    {
        EntryView child;
        child.kind = EntryKind::Variable;
        child.name = prefix + "." + member.name;
        child.type = member.type;
        const EntrySettings& settings = member.settings;
        child.label = settings.label;
        child.help = settings.help;
        child.visible = settings.visible;
        child.readOnly = readOnly || settings.readOnly;
        child.hasRange = settings.hasMin && settings.hasMax;
        child.min = settings.min;
        child.max = settings.max;
        child.step = settings.step;
        child.precision = settings.precision;
        AddStructMembers(member.type, child.name, child.readOnly, child);
        view.children.push_back(std::move(child));
    }
}

void Describe(const BarNode& node, EntryView& view)
{
    view = EntryView();
    view.name = node.name;
    Describe(node, node.settings, view);
    view.type = node.type;
    view.opened = node.opened;
    view.readOnly =
        node.kind == EntryKind::Variable && (node.set == nullptr || node.settings.readOnly);
    for (const BarNode* child : node.children)
    {
        EntryView childView;
        Describe(*child, childView);
        view.children.push_back(std::move(childView));
    }
    if (node.kind == EntryKind::Variable)
        AddStructMembers(node.type, node.name, view.readOnly, view);
}

double Clamp(const EntrySettings& settings, double number)
{
    if (settings.hasMin)
        number = std::max(number, settings.min);
    if (settings.hasMax)
        number = std::min(number, settings.max);
    return number;
}
} // namespace

std::vector<std::string> BarNames()
{
    std::vector<std::string> names;
    for (const std::unique_ptr<CTwBar>& bar : BarLayer::Get().Bars())
        names.push_back(bar->name);
    return names;
}

bool InspectBar(const std::string& barName, BarView& view)
{
    const CTwBar* bar = BarLayer::Get().FindBar(barName);
    if (bar == nullptr)
        return false;
    view = BarView();
    view.name = bar->name;
    view.label = bar->label;
    view.help = bar->help;
    view.visible = bar->visible;
    view.iconified = bar->iconified;
    view.x = bar->x;
    view.y = bar->y;
    view.width = bar->width;
    view.height = bar->height;
    std::copy(bar->color, bar->color + 3, view.color);
    view.alpha = bar->alpha;
    view.valuesWidth = bar->valuesWidth;
    view.placement = bar->placement;
    for (const BarNode* node : bar->top)
    {
        EntryView entry;
        Describe(*node, entry);
        view.entries.push_back(std::move(entry));
    }
    return true;
}

bool InspectEntry(const std::string& barName, const std::string& entryName, EntryView& view)
{
    ValueSlot slot;
    if (!Locate(barName, entryName, slot))
        return false;
    Describe(*slot.node, view);
    if (slot.settings == &slot.node->settings)
        return true;
    // A struct member: the member's own view from its parent's list.
    std::vector<const EntryView*> pending(1, &view);
    while (!pending.empty())
    {
        const EntryView* current = pending.back();
        pending.pop_back();
        if (current->name == entryName)
        {
            EntryView found = *current;
            view = std::move(found);
            return true;
        }
        for (const EntryView& child : current->children)
            pending.push_back(&child);
    }
    return false;
}

bool DescribeType(TwType type, TypeView& view)
{
    const TypeTable& types = BarLayer::Get().Types();
    view = TypeView();
    view.size = types.SizeOf(type);
    if (types.IsBuiltIn(type))
    {
        view.kind = TypeKind::BuiltIn;
        return true;
    }
    if (const EnumType* enumType = types.FindEnum(type))
    {
        view.kind = TypeKind::Enumeration;
        view.name = enumType->name;
        for (size_t i = 0; i < enumType->values.size(); ++i)
            view.values.push_back(TwEnumVal{enumType->values[i], enumType->labels[i].c_str()});
        return true;
    }
    if (const StructType* structType = types.FindStruct(type))
    {
        view.kind = TypeKind::Struct;
        view.name = structType->name;
        for (const StructMemberType& member : structType->members)
            view.members.push_back(
                StructMemberView{member.name, member.type, member.offset, member.definition});
        return true;
    }
    return false;
}

TwType FindType(const std::string& name)
{
    return BarLayer::Get().Types().FindByName(name);
}

bool ReadNumber(const std::string& barName, const std::string& entryName, double& value)
{
    ValueSlot slot;
    ValueBytes bytes;
    std::string text;
    return Locate(barName, entryName, slot) && slot.type != TW_TYPE_STDSTRING &&
           ReadSlot(slot, bytes, text) && LoadNumber(slot.type, bytes.Data() + slot.offset, value);
}

bool ReadFloats(const std::string& barName, const std::string& entryName, float* values, int count)
{
    ValueSlot slot;
    ValueBytes bytes;
    std::string text;
    if (!Locate(barName, entryName, slot) || count < 0 || count > FloatCount(slot.type) ||
        !ReadSlot(slot, bytes, text))
        return false;
    std::memcpy(values, bytes.Data() + slot.offset, sizeof(float) * static_cast<size_t>(count));
    return true;
}

bool ReadText(const std::string& barName, const std::string& entryName, std::string& text)
{
    ValueSlot slot;
    ValueBytes bytes;
    if (!Locate(barName, entryName, slot) || !ReadSlot(slot, bytes, text))
        return false;
    if (slot.type == TW_TYPE_STDSTRING)
        return true;
    const EnumType* enumType = BarLayer::Get().Types().FindEnum(slot.type);
    if (enumType == nullptr)
        return false;
    double number = 0.0;
    LoadNumber(slot.type, bytes.Data() + slot.offset, number);
    text.clear();
    for (size_t i = 0; i < enumType->values.size(); ++i)
    {
        if (enumType->values[i] == static_cast<int>(number))
            text = enumType->labels[i];
    }
    return true;
}

bool Click(const std::string& barName, const std::string& buttonName)
{
    BarLayer& layer = BarLayer::Get();
    ValueSlot slot;
    if (!Locate(barName, buttonName, slot) || slot.node->kind != EntryKind::Button)
        return layer.Fail("Click", "no button '" + buttonName + "' in bar '" + barName + "'");
    layer.QueueClick(*slot.node);
    return true;
}

bool SetNumber(const std::string& barName, const std::string& entryName, double value)
{
    ValueSlot slot;
    if (!Writable("SetNumber", barName, entryName, slot))
        return false;
    ValueBytes bytes;
    std::string text;
    if (slot.type == TW_TYPE_STDSTRING || !ReadSlot(slot, bytes, text) ||
        !StoreNumber(slot.type, bytes.Data() + slot.offset, Clamp(*slot.settings, value)))
        return BarLayer::Get().Fail("SetNumber", barName + "/" + entryName + " holds no number");
    BarLayer::Get().QueueSet(*slot.node, std::move(bytes), std::string());
    return true;
}

bool SetFloats(const std::string& barName, const std::string& entryName, const float* values,
               int count)
{
    ValueSlot slot;
    if (!Writable("SetFloats", barName, entryName, slot))
        return false;
    ValueBytes bytes;
    std::string text;
    if (count < 0 || count > FloatCount(slot.type) || !ReadSlot(slot, bytes, text))
        return BarLayer::Get().Fail("SetFloats", barName + "/" + entryName + " holds no " +
                                                     std::to_string(count) + " floats");
    std::memcpy(bytes.Data() + slot.offset, values, sizeof(float) * static_cast<size_t>(count));
    BarLayer::Get().QueueSet(*slot.node, std::move(bytes), std::string());
    return true;
}

bool SetText(const std::string& barName, const std::string& entryName, const std::string& text)
{
    ValueSlot slot;
    if (!Writable("SetText", barName, entryName, slot))
        return false;
    BarLayer& layer = BarLayer::Get();
    if (slot.type == TW_TYPE_STDSTRING)
    {
        layer.QueueSet(*slot.node, ValueBytes(), text);
        return true;
    }
    // An enumeration takes the value whose label is the text.
    const EnumType* enumType = layer.Types().FindEnum(slot.type);
    if (enumType != nullptr)
    {
        for (size_t i = 0; i < enumType->labels.size(); ++i)
        {
            if (enumType->labels[i] == text)
                return SetNumber(barName, entryName, enumType->values[i]);
        }
    }
    return layer.Fail("SetText", barName + "/" + entryName + " takes no text '" + text + "'");
}

bool Toggle(const std::string& barName, const std::string& entryName)
{
    ValueSlot slot;
    if (Locate(barName, entryName, slot) && slot.node->kind == EntryKind::Group)
        return SetOpened(barName, entryName, !slot.node->opened);
    double value = 0.0;
    if (Locate(barName, entryName, slot) &&
        (slot.type == TW_TYPE_BOOLCPP || slot.type == TW_TYPE_BOOL8) &&
        ReadNumber(barName, entryName, value))
        return SetNumber(barName, entryName, value != 0.0 ? 0.0 : 1.0);
    return BarLayer::Get().Fail("Toggle", barName + "/" + entryName + " is no flag and no group");
}

bool SetOpened(const std::string& barName, const std::string& groupName, bool opened)
{
    ValueSlot slot;
    if (!Locate(barName, groupName, slot) || slot.node->kind != EntryKind::Group)
        return BarLayer::Get().Fail("SetOpened",
                                    "no group '" + groupName + "' in bar '" + barName + "'");
    slot.node->opened = opened;
    return true;
}

bool DrawnArea(const std::string& barName, const std::string& entryName, ScreenArea& area)
{
    return BarLayer::Get().EntryArea(barName + "/" + entryName, area);
}

void RunQueuedCallbacks()
{
    BarLayer::Get().RunQueued();
}

size_t QueuedCallbackCount()
{
    return BarLayer::Get().QueuedCount();
}
} // namespace TweakBar
