#include "TweakBar/BarLayer.h"
#include "TweakBar/DefineParser.h"
#include <algorithm>
#include <cstring>
#include <sstream>

namespace TweakBar
{
namespace
{
// A new bar's place and look until a definition says otherwise.
constexpr int DefaultBarX = 16;
constexpr int DefaultBarY = 16;
constexpr int DefaultBarWidth = 200;
constexpr int DefaultBarHeight = 320;
constexpr int DefaultBarColor[3] = {40, 40, 70};
constexpr int DefaultBarAlpha = 220;
constexpr int DefaultValuesWidth = 100;
// Input waiting for frames that do not come (bars hidden) is dropped past this many events.
constexpr size_t MaxQueuedInput = 64;
// GLOBAL keys the layer accepts; the renderer reads fontstyle and fontsize, the others only
// shape a look it draws its own way.
const char* const GlobalKeys[] = {"help",      "iconpos",     "iconalign",     "iconmargin",
                                  "fontsize",  "fontstyle",   "fontresizable", "fontscaling",
                                  "contained", "buttonalign", "overlap"};

bool ReadInts(const std::string& value, int* out, int count)
{
    std::istringstream stream(value);
    for (int i = 0; i < count; ++i)
    {
        std::string word;
        double number = 0.0;
        if (!(stream >> word) || !DefineParser::ReadNumber(word, number))
            return false;
        out[i] = static_cast<int>(number);
    }
    std::string rest;
    return !(stream >> rest);
}

template <typename Queue> void PushCapped(Queue& queue, const typename Queue::value_type& value)
{
    if (queue.size() >= MaxQueuedInput)
        queue.erase(queue.begin());
    queue.push_back(value);
}
} // namespace

ValueBytes::ValueBytes(size_t size)
    : m_storage((size + sizeof(std::max_align_t) - 1) / sizeof(std::max_align_t)), m_size(size)
{
}

BarLayer& BarLayer::Get()
{
    static BarLayer layer;
    return layer;
}

bool BarLayer::Fail(const char* call, const std::string& what)
{
    m_hasError = true;
    m_lastError = std::string(call) + ": " + what;
    if (m_sink != nullptr)
        m_sink(("Error [TweakBar]: " + m_lastError + "\n").c_str());
    return false;
}

CTwBar* BarLayer::NewBar(const std::string& name)
{
    auto bar = std::make_unique<CTwBar>();
    bar->name = name;
    bar->label = name;
    bar->x = DefaultBarX;
    bar->y = DefaultBarY;
    bar->width = DefaultBarWidth;
    bar->height = DefaultBarHeight;
    std::copy(std::begin(DefaultBarColor), std::end(DefaultBarColor), bar->color);
    bar->alpha = DefaultBarAlpha;
    bar->valuesWidth = DefaultValuesWidth;
    m_bars.push_back(std::move(bar));
    return m_bars.back().get();
}

void BarLayer::DeleteBar(CTwBar* bar)
{
    for (BarNode* node : std::vector<BarNode*>(bar->top))
        RemoveNode(*bar, node);
    auto found =
        std::find_if(m_bars.begin(), m_bars.end(),
                     [bar](const std::unique_ptr<CTwBar>& owned) { return owned.get() == bar; });
    if (found == m_bars.end())
        return;
    std::unique_ptr<CTwBar> owned = std::move(*found);
    m_bars.erase(found);
    if (m_deferral > 0)
        m_deadBars.push_back(std::move(owned));
}

void BarLayer::DeleteAllBars()
{
    while (!m_bars.empty())
        DeleteBar(m_bars.back().get());
    m_queue.clear();
}

CTwBar* BarLayer::FindBar(const std::string& name)
{
    for (const std::unique_ptr<CTwBar>& bar : m_bars)
    {
        if (bar->name == name)
            return bar.get();
    }
    return nullptr;
}

bool BarLayer::IsLive(const CTwBar* bar) const
{
    return bar != nullptr &&
           std::any_of(m_bars.begin(), m_bars.end(),
                       [bar](const std::unique_ptr<CTwBar>& owned) { return owned.get() == bar; });
}

BarNode* BarLayer::FindNode(CTwBar& bar, const std::string& name)
{
    for (const std::unique_ptr<BarNode>& node : bar.nodes)
    {
        if (node->name == name)
            return node.get();
    }
    return nullptr;
}

BarNode* BarLayer::AddNode(const char* call, CTwBar& bar, EntryKind kind, const char* name)
{
    if (name == nullptr || name[0] == '\0')
    {
        Fail(call, "bar '" + bar.name + "': an entry needs a name");
        return nullptr;
    }
    if (FindNode(bar, name) != nullptr)
    {
        Fail(call, "bar '" + bar.name + "' already has an entry '" + name + "'");
        return nullptr;
    }
    auto node = std::make_unique<BarNode>();
    node->kind = kind;
    node->name = name;
    node->settings.label = name;
    node->serial = m_nextSerial++;
    m_live[node->serial] = node.get();
    bar.top.push_back(node.get());
    bar.nodes.push_back(std::move(node));
    return bar.nodes.back().get();
}

void BarLayer::Detach(CTwBar& bar, BarNode* node)
{
    std::vector<BarNode*>& list = node->parent != nullptr ? node->parent->children : bar.top;
    list.erase(std::remove(list.begin(), list.end(), node), list.end());
    node->parent = nullptr;
}

void BarLayer::Bury(CTwBar& bar, BarNode* node)
{
    m_live.erase(node->serial);
    auto found =
        std::find_if(bar.nodes.begin(), bar.nodes.end(),
                     [node](const std::unique_ptr<BarNode>& owned) { return owned.get() == node; });
    if (found == bar.nodes.end())
        return;
    std::unique_ptr<BarNode> owned = std::move(*found);
    bar.nodes.erase(found);
    if (m_deferral > 0)
        m_deadNodes.push_back(std::move(owned));
}

void BarLayer::VanishIfEmpty(CTwBar& bar, BarNode* group)
{
    while (group != nullptr && group->children.empty())
    {
        BarNode* parent = group->parent;
        Detach(bar, group);
        Bury(bar, group);
        group = parent;
    }
}

void BarLayer::RemoveNode(CTwBar& bar, BarNode* node)
{
    BarNode* parent = node->parent;
    Detach(bar, node);
    // Contents first, deepest last: each is detached from a group that is still alive.
    std::vector<BarNode*> pending(1, node);
    while (!pending.empty())
    {
        BarNode* current = pending.back();
        pending.pop_back();
        pending.insert(pending.end(), current->children.begin(), current->children.end());
        current->children.clear();
        Bury(bar, current);
    }
    VanishIfEmpty(bar, parent);
}

bool BarLayer::MoveToGroup(CTwBar& bar, BarNode* node, const std::string& group, std::string& error)
{
    BarNode* target = nullptr;
    if (!group.empty())
    {
        target = FindNode(bar, group);
        if (target != nullptr && target->kind != EntryKind::Group)
        {
            error = "'" + group + "' is an entry, not a group";
            return false;
        }
        for (BarNode* above = target; above != nullptr; above = above->parent)
        {
            if (above == node)
            {
                error = "group '" + node->name + "' cannot go inside itself ('" + group + "')";
                return false;
            }
        }
        if (target == nullptr)
        {
            // Groups come into being when something is put in them.
            target = AddNode("TwDefine", bar, EntryKind::Group, group.c_str());
            if (target == nullptr)
                return false;
        }
    }
    BarNode* oldParent = node->parent;
    Detach(bar, node);
    node->parent = target;
    (target != nullptr ? target->children : bar.top).push_back(node);
    // Only now, with the node placed, may its old group vanish: the target is not empty.
    if (oldParent != target)
        VanishIfEmpty(bar, oldParent);
    return true;
}

bool BarLayer::DefineBar(CTwBar& bar, const std::string& key, const std::string& value,
                         std::string& error)
{
    bool flag = false;
    int numbers[3] = {0, 0, 0};
    if (key == "label")
        bar.label = value;
    else if (key == "help")
        bar.help = value;
    else if (key == "visible" && DefineParser::ReadBool(value, flag))
        bar.visible = flag;
    else if (key == "iconified" && DefineParser::ReadBool(value, flag))
        bar.iconified = flag;
    else if (key == "position" && ReadInts(value, numbers, 2))
    {
        bar.x = numbers[0];
        bar.y = numbers[1];
        ++bar.placement;
    }
    else if (key == "size" && ReadInts(value, numbers, 2) && numbers[0] >= 0 && numbers[1] >= 0)
    {
        bar.width = numbers[0];
        bar.height = numbers[1];
        ++bar.placement;
    }
    else if (key == "color" && ReadInts(value, numbers, 3))
        std::copy(numbers, numbers + 3, bar.color);
    else if (key == "alpha" && ReadInts(value, numbers, 1))
        bar.alpha = numbers[0];
    else if (key == "valueswidth" && ReadInts(value, numbers, 1) && numbers[0] >= 0)
        bar.valuesWidth = numbers[0];
    else
    {
        static const char* const known[] = {"label", "help",  "visible", "iconified",  "position",
                                            "size",  "color", "alpha",   "valueswidth"};
        const bool isKnown = std::any_of(std::begin(known), std::end(known),
                                         [&](const char* k) { return key == k; });
        error = isKnown ? "'" + value + "' is no value for " + key : "unknown key '" + key + "'";
        return false;
    }
    return true;
}

bool BarLayer::DefineNode(CTwBar& bar, BarNode& node, const std::string& key,
                          const std::string& value, std::string& error)
{
    if (key == "group")
        return MoveToGroup(bar, &node, value, error);
    if (key == "opened" && node.kind == EntryKind::Group)
    {
        bool flag = false;
        if (!DefineParser::ReadBool(value, flag))
        {
            error = "'" + value + "' is no value for opened";
            return false;
        }
        node.opened = flag;
        return true;
    }
    return ApplySetting(node.settings, key, value, error);
}

bool BarLayer::Define(const char* call, const char* definition)
{
    std::vector<DefineStatement> statements;
    std::string error;
    bool ok = DefineParser::Parse(definition, statements, error);
    if (!ok)
        Fail(call, "definition '" + std::string(definition != nullptr ? definition : "") +
                       "' not read: " + error);
    for (const DefineStatement& statement : statements)
    {
        if (statement.bar == "GLOBAL" && statement.entry.empty())
        {
            for (const DefineItem& item : statement.items)
            {
                const bool known = std::any_of(std::begin(GlobalKeys), std::end(GlobalKeys),
                                               [&](const char* k) { return item.key == k; });
                if (known)
                    m_global[item.key] = item.value;
                else
                    ok = Fail(call, "GLOBAL: unknown key '" + item.key + "'");
            }
            continue;
        }
        CTwBar* bar = FindBar(statement.bar);
        if (bar == nullptr)
        {
            ok = Fail(call, "no bar named '" + statement.bar + "'");
            continue;
        }
        BarNode* node = nullptr;
        if (!statement.entry.empty())
        {
            node = FindNode(*bar, statement.entry);
            if (node == nullptr)
            {
                ok = Fail(call, "bar '" + bar->name + "' has no entry '" + statement.entry + "'");
                continue;
            }
        }
        for (const DefineItem& item : statement.items)
        {
            // A node can vanish on the way: an empty group moved out of its own contents.
            if (node != nullptr && FindNode(*bar, statement.entry) != node)
                break;
            const bool applied = node != nullptr
                                     ? DefineNode(*bar, *node, item.key, item.value, error)
                                     : DefineBar(*bar, item.key, item.value, error);
            if (!applied)
                ok = Fail(call,
                          bar->name + (node != nullptr ? "/" + node->name : "") + ": " + error);
        }
    }
    return ok;
}

std::string BarLayer::GlobalSetting(const std::string& key) const
{
    auto found = m_global.find(key);
    return found != m_global.end() ? found->second : std::string();
}

bool BarLayer::Resolve(CTwBar& bar, const std::string& path, ValueSlot& slot)
{
    const size_t dot = path.find('.');
    BarNode* node = FindNode(bar, path.substr(0, dot));
    if (node == nullptr)
        return false;
    slot = ValueSlot();
    slot.node = node;
    slot.type = node->type;
    slot.settings = &node->settings;
    size_t at = dot;
    while (at != std::string::npos)
    {
        const size_t next = path.find('.', at + 1);
        const std::string memberName =
            path.substr(at + 1, next == std::string::npos ? std::string::npos : next - at - 1);
        const StructType* structType = m_types.FindStruct(slot.type);
        if (structType == nullptr)
            return false;
        const StructMemberType* member = nullptr;
        for (const StructMemberType& candidate : structType->members)
        {
            if (candidate.name == memberName)
                member = &candidate;
        }
        if (member == nullptr)
            return false;
        slot.offset += member->offset;
        slot.type = member->type;
        slot.settings = &member->settings;
        at = next;
    }
    return true;
}

bool BarLayer::ReadVariable(BarNode& node, ValueBytes& bytes, std::string& text)
{
    if (node.kind != EntryKind::Variable || node.get == nullptr)
        return false;
    if (node.type == TW_TYPE_STDSTRING)
    {
        text.clear();
        node.get(&text, node.clientData);
        return true;
    }
    const size_t size = m_types.SizeOf(node.type);
    if (size == 0)
        return false;
    bytes = ValueBytes(size);
    std::memset(bytes.Data(), 0, size);
    node.get(bytes.Data(), node.clientData);
    return true;
}

void BarLayer::QueueClick(BarNode& node)
{
    QueuedAction action;
    action.serial = node.serial;
    action.click = true;
    m_queue.push_back(std::move(action));
}

void BarLayer::QueueSet(BarNode& node, ValueBytes bytes, std::string text)
{
    QueuedAction action;
    action.serial = node.serial;
    action.bytes = std::move(bytes);
    action.text = std::move(text);
    m_queue.push_back(std::move(action));
}

void BarLayer::RunQueued()
{
    // A callback that draws or runs the queue itself finds it already taken.
    if (m_deferral > 0)
        return;
    BeginDeferral();
    std::deque<QueuedAction> actions;
    actions.swap(m_queue);
    for (QueuedAction& action : actions)
    {
        auto found = m_live.find(action.serial);
        if (found == m_live.end())
            continue;
        BarNode& node = *found->second;
        if (action.click)
        {
            if (node.button != nullptr)
                node.button(node.clientData);
        }
        else if (node.set != nullptr)
        {
            if (node.type == TW_TYPE_STDSTRING)
                node.set(&action.text, node.clientData);
            else
                node.set(action.bytes.Data(), node.clientData);
        }
    }
    EndDeferral();
}

void BarLayer::EndDeferral()
{
    if (--m_deferral == 0)
        FreeGraveyard();
}

void BarLayer::FreeGraveyard()
{
    m_deadNodes.clear();
    m_deadBars.clear();
}

bool BarLayer::OverDrawnBar() const
{
    return std::any_of(m_drawnAreas.begin(), m_drawnAreas.end(),
                       [this](const ScreenArea& area)
                       {
                           return m_mouseX >= area.x && m_mouseX < area.x + area.width &&
                                  m_mouseY >= area.y && m_mouseY < area.y + area.height;
                       });
}

bool BarLayer::OnMouseMotion(int x, int y)
{
    m_mouseX = x;
    m_mouseY = y;
    const bool dragging =
        std::any_of(m_dragging.begin(), m_dragging.end(),
                    [](const std::pair<const int, bool>& held) { return held.second; });
    return dragging || OverDrawnBar();
}

bool BarLayer::OnMouseButton(int button, bool down)
{
    PushCapped(m_buttons, InputTransition{button, down});
    if (down)
    {
        m_dragging[button] = OverDrawnBar();
        return m_dragging[button];
    }
    const bool wasDragging = m_dragging[button];
    m_dragging[button] = false;
    return wasDragging || OverDrawnBar();
}

bool BarLayer::OnMouseWheel(int position)
{
    const int steps = position - m_wheelPosition;
    m_wheelPosition = position;
    // Only turns over a bar scroll it; the others belong to the game.
    if (!OverDrawnBar())
        return false;
    m_wheelSteps += steps;
    return true;
}

bool BarLayer::OnKey(int key, bool down)
{
    PushCapped(m_keys, InputTransition{key, down});
    return m_editsText;
}

bool BarLayer::OnCharacter(unsigned int character)
{
    PushCapped(m_characters, character);
    return m_editsText;
}

PendingInput BarLayer::TakeInput()
{
    PendingInput input;
    input.mouseX = m_mouseX;
    input.mouseY = m_mouseY;
    input.wheelSteps = m_wheelSteps;
    m_wheelSteps = 0;
    if (!m_buttons.empty())
    {
        input.hasButtonTransition = true;
        input.buttonTransition = m_buttons.front();
        m_buttons.pop_front();
    }
    if (!m_keys.empty())
    {
        input.hasKeyTransition = true;
        input.keyTransition = m_keys.front();
        m_keys.pop_front();
    }
    input.characters.swap(m_characters);
    return input;
}

void BarLayer::ReportFrame(const std::vector<ScreenArea>& areas, bool editsText)
{
    m_drawnAreas = areas;
    m_editsText = editsText;
}

bool BarLayer::EntryArea(const std::string& key, ScreenArea& area) const
{
    auto found = m_entryAreas.find(key);
    if (found == m_entryAreas.end())
        return false;
    area = found->second;
    return true;
}

void BarLayer::ResetInput()
{
    m_entryAreas.clear();
    m_buttons.clear();
    m_keys.clear();
    m_characters.clear();
    m_dragging.clear();
    m_drawnAreas.clear();
    m_editsText = false;
    m_wheelSteps = 0;
}
} // namespace TweakBar
