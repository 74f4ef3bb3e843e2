#pragma once
// The editor-bar layer's calls: the engine's bars of editable values. The layer keeps bars,
// entries and groups as data (TweakBar/BarInspector.h reads them and simulates the user); a
// renderer installed through TweakBar/BarRenderer.h draws them. Without a renderer the layer
// still works as data, and TwDraw only runs the queued callbacks.
//
// Conventions of the layer:
// - Type codes: the built-in value types below; enumerations and structs get codes from
//   TweakBar::UserTypeBase up, one per new name (redefining a name keeps its code).
// - A variable's value is reached only through its get and set callbacks; a null set callback
//   makes the entry read-only.
// - Callbacks run after the drawing pass of TwDraw, in the order the user caused them, and an
//   entry removed meanwhile is freed only after that: a button may rebuild its own bar.
// - Entries are placed with "group=" in TwDefine: the entry moves to the end of that group,
//   which is created on demand; a group left empty vanishes.
// - Input arrives in the engine's key numbering (Platform/KeyCodes.h) and button numbering.
//
// Main thread only. Failures answer 0 (or null), set TwGetLastError and write one line to the
// installed error sink.
#include <cstddef>
#include <string>

// An editor value type code; 0 means undefined.
typedef int TwType;

// The built-in value types, numbered as the engine's reflected types record them.
enum ETwType
{
    TW_TYPE_UNDEF = 0,
    TW_TYPE_BOOLCPP = 1,
    TW_TYPE_BOOL8 = 2,
    TW_TYPE_CHAR = 5,
    TW_TYPE_INT8 = 6,
    TW_TYPE_UINT8 = 7,
    TW_TYPE_INT16 = 8,
    TW_TYPE_UINT16 = 9,
    TW_TYPE_INT32 = 10,
    TW_TYPE_UINT32 = 11,
    TW_TYPE_FLOAT = 12,
    TW_TYPE_DOUBLE = 13,
    // Four floats, red, green, blue and alpha from 0 to 1.
    TW_TYPE_COLOR4F = 16,
    // Three floats of a direction.
    TW_TYPE_DIR3F = 21,
    // A std::string; the get callback fills the layer's string with TwCopyStdStringToLibrary.
    TW_TYPE_STDSTRING = 30,
};

struct CTwBar;
typedef CTwBar TwBar;

// value points at a value of the variable's type; clientData is what TwAddVarCB was given.
typedef void (*TwSetVarCallback)(const void* value, void* clientData);
typedef void (*TwGetVarCallback)(void* value, void* clientData);
typedef void (*TwButtonCallback)(void* clientData);
// Writes a one-line summary of a struct value; not used by this layer (structs show their
// members), accepted for the calls' shape.
typedef void (*TwSummaryCallback)(char* summary, size_t maxLength, const void* value,
                                  void* clientData);

// One value of an enumeration and the text shown for it.
struct TwEnumVal
{
    int Value;
    const char* Label;
};

// One member of a struct type: its name, type, byte offset and a definition such as
// "label='X' min=0 max=1 step=0.1 precision=2".
struct TwStructMember
{
    const char* Name;
    TwType Type;
    size_t Offset;
    const char* DefString;
};

// The graphics libraries the layer can draw with; only OpenGL is used.
enum ETwGraphAPI
{
    TW_OPENGL = 1,
};

// How TwGetParam hands a parameter back.
enum ETwParamValueType
{
    TW_PARAM_INT32 = 0,
    TW_PARAM_FLOAT = 1,
    TW_PARAM_DOUBLE = 2,
    TW_PARAM_CSTRING = 3,
};

namespace TweakBar
{
// First code of enumeration and struct types.
constexpr TwType UserTypeBase = 1000;
// Kept for the callers that named the first enumeration code so.
constexpr TwType EnumTypeBase = UserTypeBase;

// What the layer knows of its frame: whether it is started, the window size and the frames
// drawn.
struct LayerState
{
    bool initialized = false;
    int windowWidth = 0;
    int windowHeight = 0;
    unsigned int drawCount = 0;
};
const LayerState& GetLayerState();

// Where the layer's failure lines go (one line each, naming the call); null sends them nowhere.
// The graphics system installs one that writes to the log while it exists.
typedef void (*ErrorSink)(const char* line);
void SetErrorSink(ErrorSink sink);
} // namespace TweakBar

// Starts the layer (and the installed renderer) for a graphics library; the device is not used
// with OpenGL. 1 on success; a second call while started answers 1 and changes nothing.
int TwInit(ETwGraphAPI graphAPI, void* device);
// Stops the renderer and deletes every bar; 1 when it was started. Enumeration and struct types
// stay, as the asset managers define theirs whether the layer runs or not.
int TwTerminate();
// The size of the window the bars are drawn in; 1 on success.
int TwWindowSize(int width, int height);
// Draws every visible bar, then runs the queued callbacks and frees removed entries; 1 when the
// layer is started, and then it does nothing else before TwInit.
int TwDraw();

// A new, empty bar; null when a bar of that name exists or the name is empty. Bars and types are
// data: they may be made before TwInit.
TwBar* TwNewBar(const char* barName);
// Deletes a bar and its entries (freed after any running drawing pass); 1 on success.
int TwDeleteBar(TwBar* bar);
TwBar* TwGetBarByName(const char* barName);
const char* TwGetBarName(const TwBar* bar);

// Adds a variable reached through callbacks; a null set callback makes it read-only. The name is
// the entry's identifier within the bar. def is applied as by TwDefine. 1 on success.
int TwAddVarCB(TwBar* bar, const char* name, TwType type, TwSetVarCallback setCallback,
               TwGetVarCallback getCallback, void* clientData, const char* def);
int TwAddButton(TwBar* bar, const char* name, TwButtonCallback callback, void* clientData,
                const char* def);
int TwAddSeparator(TwBar* bar, const char* name, const char* def);
// Removes a variable, button or separator (a group vanishes with its last entry); 1 on success.
int TwRemoveVar(TwBar* bar, const char* name);
int TwRemoveAllVars(TwBar* bar);

// Applies definitions: "GLOBAL key=value ...", "bar key=value ..." or "bar/entry key=value ...".
// Values are single words, numbers (exponents allowed) or text quoted with ', " or `. Bar keys:
// label, help, position, size, color, alpha, visible, iconified, valueswidth. Entry keys: label,
// help, group, visible, readonly, opened (groups), min, max, step, precision. 1 when every item
// was applied.
int TwDefine(const char* def);
// Defines an enumeration (labels copied) and returns its code; redefining a name replaces its
// values and keeps its code, so entries of that type stay valid. 0 on failure.
TwType TwDefineEnum(const char* name, const TwEnumVal* enumValues, unsigned int nbValues);
// Defines a struct type whose members are shown as sub-entries; same naming rules as enums.
TwType TwDefineStruct(const char* name, const TwStructMember* structMembers, unsigned int nbMembers,
                      size_t structSize, TwSummaryCallback summaryCallback,
                      void* summaryClientData);
// Reads a parameter of a bar (varName null) or of an entry or group ("opened", "visible",
// "readonly", "label", "help", "group", "min", "max", "step", "precision", "position", "size",
// "color", "alpha", "valueswidth"). Answers the number of values written, 0 on failure.
int TwGetParam(TwBar* bar, const char* varName, const char* paramName,
               ETwParamValueType paramValueType, unsigned int outValueMaxCount, void* outValues);
// The last failure's text; null when the last call succeeded.
const char* TwGetLastError();
// Fills a string of the layer from a client's string, from within a get callback.
void TwCopyStdStringToLibrary(std::string& destinationLibraryString,
                              const std::string& sourceClientString);

// Input offered to the bars in the engine's key and button numbering (actions: 1 press,
// 0 release). Each answers 1 when the bars used the event (the caller then drops it): mouse
// events over a drawn bar or during a drag that began on one, keys while a bar edits text.
int TwEventKeyGLFW(int key, int action);
int TwEventCharGLFW(int character, int action);
int TwEventMouseButtonGLFW(int button, int action);
int TwMouseMotion(int x, int y);
// The wheel position is the running sum of scroll steps.
int TwMouseWheel(int position);
