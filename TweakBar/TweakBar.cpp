#include "TweakBar/TweakBar.h"
#include "TweakBar/BarLayer.h"
#include <algorithm>
#include <cstdint>
#include <cstring>

using TweakBar::BarLayer;
using TweakBar::EntryKind;

namespace
{
BarLayer& Layer()
{
    BarLayer& layer = BarLayer::Get();
    layer.ClearError();
    return layer;
}

// The bar behind a handle, or null (failure reported) for a handle of no live bar.
CTwBar* LiveBar(BarLayer& layer, const char* call, TwBar* bar)
{
    if (!layer.IsLive(bar))
    {
        layer.Fail(call, "no such bar (deleted, or never made)");
        return nullptr;
    }
    return bar;
}

// Reports a failure and answers the failing result of the Tw calls.
int Refuse(BarLayer& layer, const char* call, const std::string& what)
{
    layer.Fail(call, what);
    return 0;
}

// Applies an entry's initial definition, given without its target.
int DefineNew(BarLayer& layer, const char* call, CTwBar& bar, const char* name, const char* def)
{
    if (def == nullptr || def[0] == '\0')
        return 1;
    // Quoted with backquotes: bar and entry names may hold blanks or quotes of the other kinds.
    const std::string text = "`" + bar.name + "`/`" + name + "` " + def;
    return layer.Define(call, text.c_str()) ? 1 : 0;
}
} // namespace

const TweakBar::LayerState& TweakBar::GetLayerState()
{
    return BarLayer::Get().State();
}

void TweakBar::SetErrorSink(ErrorSink sink)
{
    BarLayer::Get().SetSink(sink);
}

int TwInit(ETwGraphAPI graphAPI, void*)
{
    BarLayer& layer = Layer();
    if (graphAPI != TW_OPENGL)
        return Refuse(layer, "TwInit", "only OpenGL is supported");
    if (layer.State().initialized)
        return 1;
    if (layer.Renderer().start != nullptr && !layer.Renderer().start())
        return Refuse(layer, "TwInit", "the renderer could not start; the bars stay undrawn");
    layer.State().initialized = true;
    return 1;
}

int TwTerminate()
{
    BarLayer& layer = Layer();
    const bool wasStarted = layer.State().initialized;
    if (wasStarted && layer.Renderer().stop != nullptr)
        layer.Renderer().stop();
    layer.DeleteAllBars();
    layer.ResetInput();
    layer.State() = TweakBar::LayerState();
    return wasStarted ? 1 : 0;
}

int TwWindowSize(int width, int height)
{
    BarLayer& layer = Layer();
    if (width < 0 || height < 0)
        return Refuse(layer, "TwWindowSize",
                      "negative size " + std::to_string(width) + " x " + std::to_string(height));
    layer.State().windowWidth = width;
    layer.State().windowHeight = height;
    return 1;
}

int TwDraw()
{
    BarLayer& layer = Layer();
    if (!layer.State().initialized)
        return 0;
    ++layer.State().drawCount;
    if (layer.Renderer().draw != nullptr)
    {
        layer.BeginDeferral();
        layer.StartFrameAreas();
        layer.Renderer().draw();
        layer.EndDeferral();
    }
    layer.RunQueued();
    return 1;
}

TwBar* TwNewBar(const char* barName)
{
    BarLayer& layer = Layer();
    if (barName == nullptr || barName[0] == '\0')
    {
        layer.Fail("TwNewBar", "a bar needs a name");
        return nullptr;
    }
    if (std::string(barName) == "GLOBAL" || layer.FindBar(barName) != nullptr)
    {
        layer.Fail("TwNewBar", std::string("the name '") + barName + "' is taken");
        return nullptr;
    }
    return layer.NewBar(barName);
}

int TwDeleteBar(TwBar* bar)
{
    BarLayer& layer = Layer();
    if (LiveBar(layer, "TwDeleteBar", bar) == nullptr)
        return 0;
    layer.DeleteBar(bar);
    return 1;
}

TwBar* TwGetBarByName(const char* barName)
{
    return barName != nullptr ? Layer().FindBar(barName) : nullptr;
}

const char* TwGetBarName(const TwBar* bar)
{
    BarLayer& layer = Layer();
    return layer.IsLive(bar) ? bar->name.c_str() : nullptr;
}

int TwAddVarCB(TwBar* bar, const char* name, TwType type, TwSetVarCallback setCallback,
               TwGetVarCallback getCallback, void* clientData, const char* def)
{
    BarLayer& layer = Layer();
    if (LiveBar(layer, "TwAddVarCB", bar) == nullptr)
        return 0;
    if (!layer.Types().IsKnown(type))
        return Refuse(layer, "TwAddVarCB",
                      bar->name + "/" + (name != nullptr ? name : "") + ": unknown type " +
                          std::to_string(type));
    if (getCallback == nullptr)
        return Refuse(layer, "TwAddVarCB",
                      bar->name + "/" + (name != nullptr ? name : "") + ": no get callback");
    TweakBar::BarNode* node = layer.AddNode("TwAddVarCB", *bar, EntryKind::Variable, name);
    if (node == nullptr)
        return 0;
    node->type = type;
    node->set = setCallback;
    node->get = getCallback;
    node->clientData = clientData;
    return DefineNew(layer, "TwAddVarCB", *bar, name, def);
}

int TwAddButton(TwBar* bar, const char* name, TwButtonCallback callback, void* clientData,
                const char* def)
{
    BarLayer& layer = Layer();
    if (LiveBar(layer, "TwAddButton", bar) == nullptr)
        return 0;
    TweakBar::BarNode* node = layer.AddNode("TwAddButton", *bar, EntryKind::Button, name);
    if (node == nullptr)
        return 0;
    node->button = callback;
    node->clientData = clientData;
    return DefineNew(layer, "TwAddButton", *bar, name, def);
}

int TwAddSeparator(TwBar* bar, const char* name, const char* def)
{
    BarLayer& layer = Layer();
    if (LiveBar(layer, "TwAddSeparator", bar) == nullptr)
        return 0;
    TweakBar::BarNode* node = layer.AddNode("TwAddSeparator", *bar, EntryKind::Separator, name);
    if (node == nullptr)
        return 0;
    // A separator shows no text unless a definition gives one.
    node->settings.label.clear();
    return DefineNew(layer, "TwAddSeparator", *bar, name, def);
}

int TwRemoveVar(TwBar* bar, const char* name)
{
    BarLayer& layer = Layer();
    if (LiveBar(layer, "TwRemoveVar", bar) == nullptr)
        return 0;
    TweakBar::BarNode* node = name != nullptr ? layer.FindNode(*bar, name) : nullptr;
    if (node == nullptr)
        return Refuse(layer, "TwRemoveVar",
                      "bar '" + bar->name + "' has no entry '" + (name != nullptr ? name : "") +
                          "'");
    layer.RemoveNode(*bar, node);
    return 1;
}

int TwRemoveAllVars(TwBar* bar)
{
    BarLayer& layer = Layer();
    if (LiveBar(layer, "TwRemoveAllVars", bar) == nullptr)
        return 0;
    for (TweakBar::BarNode* node : std::vector<TweakBar::BarNode*>(bar->top))
        layer.RemoveNode(*bar, node);
    return 1;
}

int TwDefine(const char* def)
{
    return Layer().Define("TwDefine", def) ? 1 : 0;
}

TwType TwDefineEnum(const char* name, const TwEnumVal* enumValues, unsigned int nbValues)
{
    BarLayer& layer = Layer();
    std::string error;
    const TwType type = layer.Types().DefineEnum(name, enumValues, nbValues, error);
    if (type == TW_TYPE_UNDEF)
        layer.Fail("TwDefineEnum", error);
    return type;
}

TwType TwDefineStruct(const char* name, const TwStructMember* structMembers, unsigned int nbMembers,
                      size_t structSize, TwSummaryCallback, void*)
{
    BarLayer& layer = Layer();
    std::string error;
    const TwType type =
        layer.Types().DefineStruct(name, structMembers, nbMembers, structSize, error);
    if (type == TW_TYPE_UNDEF)
        layer.Fail("TwDefineStruct", error);
    return type;
}

const char* TwGetLastError()
{
    return BarLayer::Get().LastError();
}

void TwCopyStdStringToLibrary(std::string& destinationLibraryString,
                              const std::string& sourceClientString)
{
    destinationLibraryString = sourceClientString;
}

int TwEventKeyGLFW(int key, int action)
{
    BarLayer& layer = BarLayer::Get();
    if (!layer.State().initialized)
        return 0;
    return layer.OnKey(key, action != 0) ? 1 : 0;
}

int TwEventCharGLFW(int character, int action)
{
    BarLayer& layer = BarLayer::Get();
    if (!layer.State().initialized || action == 0 || character <= 0)
        return 0;
    return layer.OnCharacter(static_cast<unsigned int>(character)) ? 1 : 0;
}

int TwEventMouseButtonGLFW(int button, int action)
{
    BarLayer& layer = BarLayer::Get();
    if (!layer.State().initialized)
        return 0;
    return layer.OnMouseButton(button, action != 0) ? 1 : 0;
}

int TwMouseMotion(int x, int y)
{
    BarLayer& layer = BarLayer::Get();
    if (!layer.State().initialized)
        return 0;
    return layer.OnMouseMotion(x, y) ? 1 : 0;
}

int TwMouseWheel(int position)
{
    BarLayer& layer = BarLayer::Get();
    if (!layer.State().initialized)
        return 0;
    return layer.OnMouseWheel(position) ? 1 : 0;
}

namespace
{
// Writes count numbers as the asked type; the number of values written.
int WriteNumbers(const double* numbers, int count, ETwParamValueType type, unsigned int maxCount,
                 void* out)
{
    const int written = std::min(count, static_cast<int>(maxCount));
    for (int i = 0; i < written; ++i)
    {
        if (type == TW_PARAM_INT32)
            static_cast<int32_t*>(out)[i] = static_cast<int32_t>(numbers[i]);
        else if (type == TW_PARAM_FLOAT)
            static_cast<float*>(out)[i] = static_cast<float>(numbers[i]);
        else if (type == TW_PARAM_DOUBLE)
            static_cast<double*>(out)[i] = numbers[i];
        else
            return 0;
    }
    return written;
}

int WriteText(const std::string& text, ETwParamValueType type, unsigned int maxCount, void* out)
{
    if (type != TW_PARAM_CSTRING || maxCount == 0)
        return 0;
    const size_t length = std::min(text.size(), static_cast<size_t>(maxCount) - 1);
    std::memcpy(out, text.data(), length);
    static_cast<char*>(out)[length] = '\0';
    return 1;
}
} // namespace

int TwGetParam(TwBar* bar, const char* varName, const char* paramName,
               ETwParamValueType paramValueType, unsigned int outValueMaxCount, void* outValues)
{
    BarLayer& layer = Layer();
    if (LiveBar(layer, "TwGetParam", bar) == nullptr)
        return 0;
    if (paramName == nullptr || outValues == nullptr || outValueMaxCount == 0)
        return Refuse(layer, "TwGetParam", bar->name + ": no parameter name or no room for it");
    const std::string param = paramName;
    const bool isText = param == "label" || param == "help" || param == "group";
    if (isText != (paramValueType == TW_PARAM_CSTRING))
        return Refuse(layer, "TwGetParam",
                      bar->name + ": '" + param + "' is not read as " +
                          (isText ? "a number" : "text"));
    double numbers[3] = {0.0, 0.0, 0.0};
    int count = 1;
    std::string text;
    if (varName == nullptr || varName[0] == '\0')
    {
        if (param == "label")
            text = bar->label;
        else if (param == "help")
            text = bar->help;
        else if (param == "visible")
            numbers[0] = bar->visible ? 1 : 0;
        else if (param == "iconified")
            numbers[0] = bar->iconified ? 1 : 0;
        else if (param == "position" || param == "size")
        {
            numbers[0] = param == "size" ? bar->width : bar->x;
            numbers[1] = param == "size" ? bar->height : bar->y;
            count = 2;
        }
        else if (param == "color")
        {
            std::copy(bar->color, bar->color + 3, numbers);
            count = 3;
        }
        else if (param == "alpha")
            numbers[0] = bar->alpha;
        else if (param == "valueswidth")
            numbers[0] = bar->valuesWidth;
        else
            return Refuse(layer, "TwGetParam", bar->name + ": unknown parameter '" + param + "'");
    }
    else
    {
        const TweakBar::BarNode* node = layer.FindNode(*bar, varName);
        if (node == nullptr)
            return Refuse(layer, "TwGetParam",
                          "bar '" + bar->name + "' has no entry '" + varName + "'");
        const TweakBar::EntrySettings& settings = node->settings;
        if (param == "label")
            text = settings.label;
        else if (param == "help")
            text = settings.help;
        else if (param == "group")
            text = node->parent != nullptr ? node->parent->name : std::string();
        else if (param == "opened" && node->kind == EntryKind::Group)
            numbers[0] = node->opened ? 1 : 0;
        else if (param == "visible")
            numbers[0] = settings.visible ? 1 : 0;
        else if (param == "readonly")
            numbers[0] =
                settings.readOnly || (node->kind == EntryKind::Variable && node->set == nullptr);
        else if (param == "min" && settings.hasMin)
            numbers[0] = settings.min;
        else if (param == "max" && settings.hasMax)
            numbers[0] = settings.max;
        else if (param == "step")
            numbers[0] = settings.step;
        else if (param == "precision")
            numbers[0] = settings.precision;
        else
            return Refuse(layer, "TwGetParam",
                          bar->name + "/" + varName + ": no parameter '" + param + "'");
    }
    if (isText)
        return WriteText(text, paramValueType, outValueMaxCount, outValues);
    return WriteNumbers(numbers, count, paramValueType, outValueMaxCount, outValues);
}
