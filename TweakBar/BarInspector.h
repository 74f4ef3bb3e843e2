#pragma once
// Reading the bars and acting as their user. Tests read what a bar shows and click, set and
// toggle its entries; the renderer draws from the same views and feeds the user's actions
// through the same calls, so a test that acts here takes the road a click takes.
//
// Actions are queued: Click and the Set calls run their callbacks at the next TwDraw (or
// RunQueuedCallbacks), after the drawing pass. Toggle of a group and SetOpened change the group
// at once, as they run no callback.
//
// Entries are named by their identifier in the bar; a struct variable's member is named
// "variable.member" (nested members "variable.member.member"). Main thread only.
#include "TweakBar/BarRenderer.h"
#include "TweakBar/TweakBar.h"
#include <string>
#include <vector>

namespace TweakBar
{
enum class EntryKind
{
    Variable,
    Button,
    Separator,
    Group,
};

// What one entry shows. For a group, children lists its contents in order; for a struct
// variable, children lists its members (kind Variable, named "variable.member").
struct EntryView
{
    EntryKind kind = EntryKind::Variable;
    std::string name;
    // The label, or the name when no label was given.
    std::string label;
    std::string help;
    TwType type = TW_TYPE_UNDEF;
    bool readOnly = false;
    bool visible = true;
    bool opened = false;
    // From the definition; hasRange tells whether min and max were given.
    bool hasRange = false;
    double min = 0.0;
    double max = 0.0;
    double step = 0.0;
    // Decimals shown; -1 when none was given.
    int precision = -1;
    std::vector<EntryView> children;
};

struct BarView
{
    std::string name;
    std::string label;
    std::string help;
    bool visible = true;
    bool iconified = false;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    int color[3] = {0, 0, 0};
    int alpha = 0;
    int valuesWidth = 0;
    // Counts position and size changes made by definitions, so a renderer knows when to place
    // the bar again rather than keep where the user dragged it.
    unsigned int placement = 0;
    // Top-level entries in order.
    std::vector<EntryView> entries;
};

// What a type code stands for.
enum class TypeKind
{
    Undefined,
    BuiltIn,
    Enumeration,
    Struct,
};

struct StructMemberView
{
    std::string name;
    TwType type = TW_TYPE_UNDEF;
    size_t offset = 0;
    std::string definition;
};

struct TypeView
{
    TypeKind kind = TypeKind::Undefined;
    std::string name;
    size_t size = 0;
    std::vector<TwEnumVal> values;         // enumerations; labels stay valid until the type changes
    std::vector<StructMemberView> members; // structs
};

// Bar names in creation order.
std::vector<std::string> BarNames();
// False when there is no such bar.
bool InspectBar(const std::string& barName, BarView& view);
// An entry anywhere in the bar (groups included); false when there is none.
bool InspectEntry(const std::string& barName, const std::string& entryName, EntryView& view);
bool DescribeType(TwType type, TypeView& view);
// The code of an enumeration or struct type by name; TW_TYPE_UNDEF when unknown.
TwType FindType(const std::string& name);

// Values through the get callback. Numbers: bools (0 or 1), integers, floats and enumerations.
// Floats: colours (4) and directions (3); count is the number wanted. Text: strings, and the
// label of an enumeration's value. False when the entry has no such value.
bool ReadNumber(const std::string& barName, const std::string& entryName, double& value);
bool ReadFloats(const std::string& barName, const std::string& entryName, float* values, int count);
bool ReadText(const std::string& barName, const std::string& entryName, std::string& text);

// Queued actions; false (and a line to the error sink) when the entry cannot take it: unknown,
// read-only, or of another kind. Numbers are clamped to the entry's range.
bool Click(const std::string& barName, const std::string& buttonName);
bool SetNumber(const std::string& barName, const std::string& entryName, double value);
bool SetFloats(const std::string& barName, const std::string& entryName, const float* values,
               int count);
bool SetText(const std::string& barName, const std::string& entryName, const std::string& text);
// A boolean variable: queues the opposite of its value. A group: opens or closes it at once.
bool Toggle(const std::string& barName, const std::string& entryName);
bool SetOpened(const std::string& barName, const std::string& groupName, bool opened);

// Where the last drawn frame showed an entry, in pixels from the window's top left; false when
// it was not drawn (no renderer, a hidden bar, a closed group).
bool DrawnArea(const std::string& barName, const std::string& entryName, ScreenArea& area);

// Runs the queued callbacks in order, then frees removed entries. TwDraw calls it after its
// drawing pass; tests without a window call it directly.
void RunQueuedCallbacks();
// Actions waiting for the next run.
size_t QueuedCallbackCount();
} // namespace TweakBar
