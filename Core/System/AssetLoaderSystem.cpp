#include "Core/System/AssetLoaderSystem.h"
#include "Core/Assets/AssetPath.h"
#include "Core/Engine.h"
#include "Core/Log.h"
#include "Core/Messages/Assets/AssetThreadDoneMessage.h"
#include "Core/Messages/Message.h"
#include "Core/Messages/MessageTypes.h"
#include "Core/Messages/PostNew.h"
#include "Core/System/ThreadPool.h"
#include "Xml/XmlFile.h"
#include <cstring>
#include <map>
#include <set>
#include <tinyxml2.h>

namespace Core
{
namespace System
{
AssetLoaderSystem* AssetLoaderSystem::s_instance = nullptr;

// The order is the order of the file: each pass searches forward from its first section. The
// three texture sections share the texture manager, whose categories are default 0, font 1 and
// particle 2; every other manager keeps its assets in category 0.
const AssetLoaderSystem::Section AssetLoaderSystem::Sections[SectionCount] = {
    {"TextureDefault", 0, 1},
    {"TextureParticle", 2, 1},
    {"TextureFont", 1, 1},
    {"Material", 0, 1},
    {"Font", 0, 1},
    {"Model", 0, 2},
    {"Shader", 0, 2},
    {"ShaderProgram", 0, 2},
    {"FBO", 0, 2},
    {"Object", 0, 2},
};

namespace
{
// Entry texts with a meaning of their own.
const char* const NothingEntry = "NONE";
const char* const EverythingEntry = "ALL";
// Pass two finalises the assets of the managers behind these sections.
const char* const TextureSection = "TextureDefault";
const char* const ModelSection = "Model";
constexpr u32 FirstPass = 1;
constexpr u32 SecondPass = 2;
// The extra argument the background task carries (the loader does not read it).
constexpr u32 BackgroundExtra = 1;
const char* const BatchExtension = ".xml";

struct SectionTable
{
    std::mutex mutex;
    std::map<std::string, std::shared_ptr<AssetSectionHandler>> handlers;
};

SectionTable& Table()
{
    static SectionTable table;
    return table;
}

// What one section of a batch file asks for.
struct SectionEntries
{
    enum Kind
    {
        Nothing,
        Everything,
        Named,
    };
    Kind kind = Nothing;
    std::vector<std::string> names;
};

bool IsSectionName(const char* name)
{
    for (const AssetLoaderSystem::Section& section : AssetLoaderSystem::Sections)
    {
        if (std::strcmp(section.name, name) == 0)
            return true;
    }
    return false;
}

const char* TextOf(const tinyxml2::XMLElement* element)
{
    const char* text = element->GetText();
    return text != nullptr ? text : "";
}

// A section's loading that could not be staged: done on the main thread at commit time.
class DeferredSectionLoad : public StagedAsset
{
public:
    DeferredSectionLoad(const char* section, std::string name, u32 category, bool everything)
        : m_section(section), m_name(std::move(name)), m_category(category),
          m_everything(everything)
    {
    }

    void Commit() override
    {
        std::shared_ptr<AssetSectionHandler> handler = AssetLoaderSystem::FindSection(m_section);
        if (handler == nullptr || !handler->HasManager())
        {
            Log() << "AssetLoaderSystem: the manager of section " << m_section
                  << " is gone; its assets were not loaded\n";
            return;
        }
        if (m_everything)
            handler->LoadAll(m_category);
        else
            handler->Load(m_name, m_category);
    }

private:
    const char* m_section;
    std::string m_name;
    u32 m_category;
    bool m_everything;
};
} // namespace

// One parsed batch file and the reading position of the current pass.
class AssetLoaderSystem::BatchFile
{
public:
    explicit BatchFile(const std::string& name)
        : m_name(name), m_path(std::string(BatchFolder) + name + BatchExtension)
    {
        if (!CheckAssetPath("AssetLoaderSystem", "batch", name))
            return;
        std::string error;
        m_document = Serializer::LoadXmlFile(m_path, error);
        if (m_document == nullptr)
        {
            Log() << "Error [AssetLoaderSystem]: batch " << m_name << " not loaded: " << error
                  << '\n';
            return;
        }
        const tinyxml2::XMLElement* root = m_document->FirstChildElement();
        if (root == nullptr)
        {
            Log() << "Error [AssetLoaderSystem]: batch file " << m_path
                  << " has no root element; nothing loaded\n";
            return;
        }
        m_first = root->FirstChildElement();
        m_cursor = m_first;
        m_open = true;
    }

    bool IsOpen() const { return m_open; }
    const std::string& GetName() const { return m_name; }
    const std::string& GetPath() const { return m_path; }

    // Each pass reads from the first section on.
    void Rewind() { m_cursor = m_first; }

    // Searches forward from the cursor for the section; when found, reads its entries and moves
    // the cursor past them. A missing section is logged and leaves the cursor where it was, so
    // the sections after it are still found.
    bool ReadSection(const char* section, SectionEntries& entries)
    {
        const tinyxml2::XMLElement* element = m_cursor;
        while (element != nullptr && std::strcmp(element->Name(), section) != 0)
            element = element->NextSiblingElement();
        if (element == nullptr)
        {
            Log() << "Error [AssetLoaderSystem]: section " << section << " not found in " << m_path
                  << "; nothing of it loaded\n";
            return false;
        }

        entries = SectionEntries();
        const std::string first = TextOf(element);
        if (first == NothingEntry || first == EverythingEntry)
        {
            entries.kind =
                first == NothingEntry ? SectionEntries::Nothing : SectionEntries::Everything;
            m_taken.insert(element);
            m_cursor = element->NextSiblingElement();
            return true;
        }

        entries.kind = SectionEntries::Named;
        for (; element != nullptr && std::strcmp(element->Name(), section) == 0;
             element = element->NextSiblingElement())
        {
            m_taken.insert(element);
            const std::string name = TextOf(element);
            if (name.empty())
                Log() << "Error [AssetLoaderSystem]: an empty " << section << " entry in " << m_path
                      << " was skipped\n";
            else if (CheckAssetPath("AssetLoaderSystem",
                                    std::string(section) + " entry of " + m_path, name))
                entries.names.push_back(name);
        }
        m_cursor = element;
        return true;
    }

    // The last section ends the batch: a section element after it that no pass has read (the
    // first pass reads its sections wherever they stand) is never read. Logs one line when there
    // are such elements (other elements are skipped as between sections); call once the last
    // section has been read.
    void ReportIgnoredTail() const
    {
        u32 count = 0;
        const tinyxml2::XMLElement* first = nullptr;
        for (const tinyxml2::XMLElement* element = m_cursor; element != nullptr;
             element = element->NextSiblingElement())
        {
            if (m_taken.count(element) != 0 || !IsSectionName(element->Name()))
                continue;
            ++count;
            if (first == nullptr)
                first = element;
        }
        if (count == 0)
            return;
        Log() << "Error [AssetLoaderSystem]: " << m_path << ": " << count
              << " section element(s) after the " << Sections[SectionCount - 1].name
              << " section (the first is " << first->Name()
              << ") are ignored; it is a batch's last section\n";
    }

private:
    std::string m_name;
    std::string m_path;
    std::unique_ptr<tinyxml2::XMLDocument> m_document;
    const tinyxml2::XMLElement* m_first = nullptr;
    const tinyxml2::XMLElement* m_cursor = nullptr;
    // The section elements either pass has read.
    std::set<const tinyxml2::XMLElement*> m_taken;
    bool m_open = false;
};

// A first pass read on a task thread, waiting for its completion message.
struct AssetLoaderSystem::StagedBatch
{
    std::unique_ptr<BatchFile> file;
    StagedAssetList assets;
    // The sections read, whose editor enumerations are rebuilt at commit; `loaded` is false
    // for a section that said "NONE".
    struct SectionRead
    {
        const Section* section;
        bool loaded;
    };
    std::vector<SectionRead> sections;
};

namespace
{
// The section's manager, or null (with the log line) when it has none.
std::shared_ptr<AssetSectionHandler> ManagerFor(const AssetLoaderSystem::Section& section,
                                                const std::string& path)
{
    std::shared_ptr<AssetSectionHandler> handler = AssetLoaderSystem::FindSection(section.name);
    if (handler != nullptr && handler->HasManager())
        return handler;
    Log() << "AssetLoaderSystem: no asset manager for section " << section.name << " of " << path
          << "; skipped\n";
    return nullptr;
}

void LogSectionLoaded(const std::string& batch, const AssetLoaderSystem::Section& section,
                      const AssetSectionHandler& handler)
{
    Log() << "AssetLoaderSystem: " << batch << ": " << section.name << " holds "
          << handler.GetAssetCount(section.category) << " assets in category " << section.category
          << '\n';
}
} // namespace

AssetLoaderSystem::AssetLoaderSystem()
{
    m_name = "AssetLoaderSystem";
    s_instance = this;
}

AssetLoaderSystem::~AssetLoaderSystem()
{
    if (ThreadPool* pool = ThreadPool::Instance())
        pool->JoinAll();
    {
        std::lock_guard<std::mutex> lock(m_stagedMutex);
        m_staged.clear();
    }
    if (s_instance == this)
        s_instance = nullptr;
}

void AssetLoaderSystem::Initialize(u32)
{
    LoadBatch(DefaultBatch);
}

void AssetLoaderSystem::RegisterSection(const std::string& section,
                                        std::shared_ptr<AssetSectionHandler> handler)
{
    SectionTable& table = Table();
    std::lock_guard<std::mutex> lock(table.mutex);
    table.handlers[section] = std::move(handler);
}

void AssetLoaderSystem::ClearSections()
{
    SectionTable& table = Table();
    std::lock_guard<std::mutex> lock(table.mutex);
    table.handlers.clear();
}

std::shared_ptr<AssetSectionHandler> AssetLoaderSystem::FindSection(const std::string& section)
{
    SectionTable& table = Table();
    std::lock_guard<std::mutex> lock(table.mutex);
    auto entry = table.handlers.find(section);
    return entry != table.handlers.end() ? entry->second : nullptr;
}

void AssetLoaderSystem::LoadBatch(std::string name)
{
    if (!name.empty())
    {
        BatchFile file(name);
        LoadFirstPass(file);
        LoadSecondPass(file);
        return;
    }
    PostBatchLoaded();
}

bool AssetLoaderSystem::LoadBatchInBackground(const std::string& name)
{
    ThreadPool* pool = ThreadPool::Instance();
    if (pool != nullptr && pool->RunTask(TaskAssetBatchFirstPass, name, BackgroundExtra))
        return true;
    Log() << "AssetLoaderSystem: batch " << name
          << " could not be loaded in the background; loading it now\n";
    LoadBatch(name);
    return false;
}

void AssetLoaderSystem::StageFirstPass(const std::string& name)
{
    auto batch = std::make_unique<StagedBatch>();
    batch->file = std::make_unique<BatchFile>(name);
    ReadFirstPass(*batch->file, *batch);
    std::lock_guard<std::mutex> lock(m_stagedMutex);
    m_staged.push_back(std::move(batch));
}

std::size_t AssetLoaderSystem::GetStagedBatchCount() const
{
    std::lock_guard<std::mutex> lock(m_stagedMutex);
    return m_staged.size();
}

void AssetLoaderSystem::HandleMessage(Message* message)
{
    if (message == nullptr || message->type != AssetThreadDoneMessage::Type)
        return;
    const std::string name = static_cast<AssetThreadDoneMessage*>(message)->batchName;

    // The task that posted this has ended or is about to: wait for it (and any other task).
    if (ThreadPool* pool = ThreadPool::Instance())
        pool->JoinAll();
    std::unique_ptr<StagedBatch> batch = TakeStagedBatch(name);
    if (name.empty())
        return;

    if (batch != nullptr)
    {
        CommitFirstPass(*batch);
    }
    else
    {
        // The task found no loader to read for it: the first pass is done here instead.
        batch = std::make_unique<StagedBatch>();
        batch->file = std::make_unique<BatchFile>(name);
        LoadFirstPass(*batch->file);
    }
    LoadSecondPass(*batch->file);
    Log() << "Finished Loading " << name << '\n';
}

std::unique_ptr<AssetLoaderSystem::StagedBatch>
AssetLoaderSystem::TakeStagedBatch(const std::string& name)
{
    std::lock_guard<std::mutex> lock(m_stagedMutex);
    for (auto entry = m_staged.begin(); entry != m_staged.end(); ++entry)
    {
        if ((*entry)->file->GetName() == name)
        {
            std::unique_ptr<StagedBatch> batch = std::move(*entry);
            m_staged.erase(entry);
            return batch;
        }
    }
    return nullptr;
}

void AssetLoaderSystem::LoadFirstPass(BatchFile& file)
{
    if (!file.IsOpen())
        return;
    file.Rewind();
    for (const Section& section : Sections)
    {
        if (section.pass == FirstPass)
            LoadSection(file, section);
    }
}

void AssetLoaderSystem::ReadFirstPass(BatchFile& file, StagedBatch& batch)
{
    if (!file.IsOpen())
        return;
    file.Rewind();
    for (const Section& section : Sections)
    {
        if (section.pass != FirstPass)
            continue;
        SectionEntries entries;
        if (!file.ReadSection(section.name, entries))
            continue;
        std::shared_ptr<AssetSectionHandler> handler = ManagerFor(section, file.GetPath());
        if (handler == nullptr)
            continue;

        if (entries.kind == SectionEntries::Everything)
        {
            if (!handler->StageAll(section.category, batch.assets))
                batch.assets.push_back(std::make_unique<DeferredSectionLoad>(
                    section.name, std::string(), section.category, true));
        }
        else if (entries.kind == SectionEntries::Named)
        {
            for (const std::string& name : entries.names)
            {
                if (!handler->Stage(name, section.category, batch.assets))
                    batch.assets.push_back(std::make_unique<DeferredSectionLoad>(
                        section.name, name, section.category, false));
            }
        }
        batch.sections.push_back({&section, entries.kind != SectionEntries::Nothing});
    }
}

void AssetLoaderSystem::CommitFirstPass(StagedBatch& batch)
{
    for (std::unique_ptr<StagedAsset>& asset : batch.assets)
        asset->Commit();
    batch.assets.clear();

    for (const StagedBatch::SectionRead& read : batch.sections)
    {
        std::shared_ptr<AssetSectionHandler> handler = FindSection(read.section->name);
        if (handler == nullptr || !handler->HasManager())
            continue;
        handler->DefineEditorEnum(read.section->name, read.section->category);
        if (read.loaded)
            LogSectionLoaded(batch.file->GetName(), *read.section, *handler);
    }
    batch.sections.clear();
}

void AssetLoaderSystem::LoadSecondPass(BatchFile& file)
{
    if (file.IsOpen())
    {
        file.Rewind();
        // Textures read in pass one get their graphics objects before models refer to them.
        if (std::shared_ptr<AssetSectionHandler> textures = FindSection(TextureSection))
        {
            if (textures->HasManager())
                textures->FinalizeAll();
        }
        for (const Section& section : Sections)
        {
            if (section.pass != SecondPass)
                continue;
            LoadSection(file, section);
            if (std::strcmp(section.name, ModelSection) != 0)
                continue;
            if (std::shared_ptr<AssetSectionHandler> models = FindSection(ModelSection))
            {
                if (models->HasManager())
                    models->FinalizeAll();
            }
        }
    }
    PostBatchLoaded();
}

void AssetLoaderSystem::PostBatchLoaded()
{
    if (g_Engine == nullptr)
    {
        Log() << "AssetLoaderSystem: no engine to post the batch-loaded message to\n";
        return;
    }
    Core::PostNew<Message>("AssetLoaderSystem", 0.0f, m_id, MT_ASSET_BATCH_LOADED, 0u,
                           sizeof(Message));
}

void AssetLoaderSystem::LoadSection(BatchFile& file, const Section& section)
{
    SectionEntries entries;
    if (!file.ReadSection(section.name, entries))
        return;
    if (&section == &Sections[SectionCount - 1])
        file.ReportIgnoredTail();
    std::shared_ptr<AssetSectionHandler> handler = ManagerFor(section, file.GetPath());
    if (handler == nullptr)
        return;

    if (entries.kind == SectionEntries::Everything)
    {
        handler->LoadAll(section.category);
    }
    else if (entries.kind == SectionEntries::Named)
    {
        for (const std::string& name : entries.names)
            handler->Load(name, section.category);
    }
    handler->DefineEditorEnum(section.name, section.category);
    if (entries.kind != SectionEntries::Nothing)
        LogSectionLoaded(file.GetName(), section, *handler);
}
} // namespace System
} // namespace Core
