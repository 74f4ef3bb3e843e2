#pragma once
// The state behind the Tw calls and the inspector: bars with their entries and groups, the types,
// the queued callbacks, the pointer and input queues, the installed renderer and error sink.
//
// Ownership: a bar owns its nodes. A node removed (or a bar deleted) while callbacks run or a
// frame is drawn goes to a graveyard and is freed when that ends, so nothing that called out
// holds a freed node; at any other time it is freed at once. Queued actions name nodes by a
// serial number that is never reused, so an action whose entry went away is skipped.
#include "TweakBar/BarInspector.h"
#include "TweakBar/BarRenderer.h"
#include "TweakBar/TypeTable.h"
#include <cstddef>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace TweakBar
{
struct BarNode
{
    EntryKind kind = EntryKind::Variable;
    std::string name;
    EntrySettings settings;
    bool opened = false;
    // The group holding the node; null at the bar's top level.
    BarNode* parent = nullptr;
    // A group's contents in order.
    std::vector<BarNode*> children;
    TwType type = TW_TYPE_UNDEF;
    TwSetVarCallback set = nullptr;
    TwGetVarCallback get = nullptr;
    TwButtonCallback button = nullptr;
    void* clientData = nullptr;
    unsigned int serial = 0;
};

// A value buffer aligned for any type a callback may write.
class ValueBytes
{
public:
    explicit ValueBytes(size_t size = 0);
    unsigned char* Data() { return reinterpret_cast<unsigned char*>(m_storage.data()); }
    size_t Size() const { return m_size; }

private:
    std::vector<std::max_align_t> m_storage;
    size_t m_size;
};

// Where a (possibly struct member) entry's value lies in its variable's value.
struct ValueSlot
{
    BarNode* node = nullptr;
    TwType type = TW_TYPE_UNDEF;
    size_t offset = 0;
    const EntrySettings* settings = nullptr;
};
} // namespace TweakBar

struct CTwBar
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
    unsigned int placement = 0;
    std::vector<std::unique_ptr<TweakBar::BarNode>> nodes;
    std::vector<TweakBar::BarNode*> top;
};

namespace TweakBar
{
class BarLayer
{
public:
    static BarLayer& Get();

    // Failures: each sets the last error and writes one line to the sink; answers false.
    void ClearError() { m_hasError = false; }
    bool Fail(const char* call, const std::string& what);
    const char* LastError() const { return m_hasError ? m_lastError.c_str() : nullptr; }
    void SetSink(ErrorSink sink) { m_sink = sink; }

    LayerState& State() { return m_state; }
    TypeTable& Types() { return m_types; }
    void SetRenderer(const RendererTable& table) { m_renderer = table; }
    const RendererTable& Renderer() const { return m_renderer; }

    CTwBar* NewBar(const std::string& name);
    void DeleteBar(CTwBar* bar);
    void DeleteAllBars();
    CTwBar* FindBar(const std::string& name);
    bool IsLive(const CTwBar* bar) const;
    const std::vector<std::unique_ptr<CTwBar>>& Bars() const { return m_bars; }

    BarNode* FindNode(CTwBar& bar, const std::string& name);
    // A new entry at the end of the bar's top level; null (failure reported) on a taken name.
    BarNode* AddNode(const char* call, CTwBar& bar, EntryKind kind, const char* name);
    // Removes a node and everything in it; a group left empty vanishes.
    void RemoveNode(CTwBar& bar, BarNode* node);
    // group "" is the top level.
    bool MoveToGroup(CTwBar& bar, BarNode* node, const std::string& group, std::string& error);

    // TwDefine; call names the caller in failure lines.
    bool Define(const char* call, const char* definition);
    std::string GlobalSetting(const std::string& key) const;

    // Resolves "variable" or "variable.member.member".
    bool Resolve(CTwBar& bar, const std::string& path, ValueSlot& slot);
    // The whole variable's value through its get callback (strings: text).
    bool ReadVariable(BarNode& node, ValueBytes& bytes, std::string& text);
    void QueueClick(BarNode& node);
    void QueueSet(BarNode& node, ValueBytes bytes, std::string text);
    void RunQueued();
    size_t QueuedCount() const { return m_queue.size(); }

    // A drawing pass: removed nodes wait until it ends.
    void BeginDeferral() { ++m_deferral; }
    void EndDeferral();

    // Input.
    bool OnMouseMotion(int x, int y);
    bool OnMouseButton(int button, bool down);
    bool OnMouseWheel(int position);
    bool OnKey(int key, bool down);
    bool OnCharacter(unsigned int character);
    PendingInput TakeInput();
    void ReportFrame(const std::vector<ScreenArea>& areas, bool editsText);
    // Entry areas of the frame being drawn; a new frame starts an empty table.
    void ReportEntry(const std::string& key, const ScreenArea& area) { m_entryAreas[key] = area; }
    bool EntryArea(const std::string& key, ScreenArea& area) const;
    void StartFrameAreas() { m_entryAreas.clear(); }
    void ResetInput();

private:
    struct QueuedAction
    {
        unsigned int serial = 0;
        bool click = false;
        ValueBytes bytes;
        std::string text;
    };

    bool DefineBar(CTwBar& bar, const std::string& key, const std::string& value,
                   std::string& error);
    bool DefineNode(CTwBar& bar, BarNode& node, const std::string& key, const std::string& value,
                    std::string& error);
    void Detach(CTwBar& bar, BarNode* node);
    void VanishIfEmpty(CTwBar& bar, BarNode* group);
    void Bury(CTwBar& bar, BarNode* node);
    void FreeGraveyard();
    bool OverDrawnBar() const;

    LayerState m_state;
    TypeTable m_types;
    RendererTable m_renderer;
    ErrorSink m_sink = nullptr;
    bool m_hasError = false;
    std::string m_lastError;

    std::vector<std::unique_ptr<CTwBar>> m_bars;
    std::unordered_map<unsigned int, BarNode*> m_live;
    unsigned int m_nextSerial = 1;
    std::map<std::string, std::string> m_global;
    std::deque<QueuedAction> m_queue;
    int m_deferral = 0;
    std::vector<std::unique_ptr<BarNode>> m_deadNodes;
    std::vector<std::unique_ptr<CTwBar>> m_deadBars;

    int m_mouseX = 0;
    int m_mouseY = 0;
    int m_wheelPosition = 0;
    int m_wheelSteps = 0;
    std::deque<InputTransition> m_buttons;
    std::deque<InputTransition> m_keys;
    std::vector<unsigned int> m_characters;
    // Buttons pressed over a bar: the pointer belongs to the bars until they are released.
    std::map<int, bool> m_dragging;
    std::vector<ScreenArea> m_drawnAreas;
    bool m_editsText = false;
    std::map<std::string, ScreenArea> m_entryAreas;
};
} // namespace TweakBar
