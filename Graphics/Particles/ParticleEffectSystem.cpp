#include "Graphics/Particles/ParticleEffectSystem.h"
#include "Core/Reflection/HashTypeName.h"
#include "Graphics/Particles/CircleEmitterComponent.h"
#include "Graphics/Particles/CubeEmitterComponent.h"
#include "Graphics/Particles/CylinderEmitterComponent.h"
#include "Graphics/Particles/LineEmitterComponent.h"
#include "Graphics/Particles/MeshEmitterComponent.h"
#include "Graphics/Particles/ParticleSystemComponent.h"
#include "Graphics/Particles/PointEmitterComponent.h"
#include "Graphics/Particles/SphereEmitterComponent.h"
#include "Graphics/Particles/SquareEmitterComponent.h"
#include <algorithm>

namespace Graphics
{
namespace System
{
ParticleEffectSystem* ParticleEffectSystem::s_instance = nullptr;

namespace
{
// The "Type" field's replacement for the name that means no data.
const char* const DefaultDataName = "Default";

template <typename Shape> ParticleEmitterComponent* CopyAs(const ParticleEmitterComponent& emitter)
{
    const auto* shape = dynamic_cast<const Shape*>(&emitter);
    return shape != nullptr ? new Shape(*shape) : nullptr;
}

// Index = shape kind.
using Copier = ParticleEmitterComponent* (*)(const ParticleEmitterComponent&);
const Copier Copiers[ParticleEmitterComponent::ShapeKindCount] = {
    &CopyAs<PointEmitterComponent>,  &CopyAs<CircleEmitterComponent>,
    &CopyAs<LineEmitterComponent>,   &CopyAs<SquareEmitterComponent>,
    &CopyAs<SphereEmitterComponent>, &CopyAs<CylinderEmitterComponent>,
    &CopyAs<CubeEmitterComponent>,   &CopyAs<MeshEmitterComponent>,
};

ParticleEffectSystem::Entry* FindEntry(ParticleEffectSystem::EntryMap& map, u32 objectId,
                                       u32 dataId)
{
    auto object = map.find(objectId);
    if (object == map.end())
        return nullptr;
    auto entry = object->second.find(dataId);
    return entry != object->second.end() ? &entry->second : nullptr;
}

// Erases the entry, and its object's map when that is left empty.
void EraseEntry(ParticleEffectSystem::EntryMap& map, u32 objectId, u32 dataId)
{
    auto object = map.find(objectId);
    if (object == map.end())
        return;
    object->second.erase(dataId);
    if (object->second.empty())
        map.erase(object);
}

void DestroyEntry(ParticleEffectSystem::Entry& entry)
{
    for (ParticleEmitterComponent* copy : entry.emitters)
        delete copy;
    entry.emitters.clear();
    delete entry.data;
    entry.data = nullptr;
}
} // namespace

ParticleEffectSystem::ParticleEffectSystem()
    : m_disabledId(HashTypeName(ParticleEmitterComponent::DisabledDataName)), m_view(),
      m_projection()
{
    m_name = SystemName;
    // The clone table is plain data; filling it here lets a system that was never initialised
    // (a tool, a test) make finishing copies too.
    m_cloneTable = {
        HashTypeName(PointEmitterComponent::GetTypeName().c_str()),
        HashTypeName(CircleEmitterComponent::GetTypeName().c_str()),
        HashTypeName(LineEmitterComponent::GetTypeName().c_str()),
        HashTypeName(SquareEmitterComponent::GetTypeName().c_str()),
        HashTypeName(SphereEmitterComponent::GetTypeName().c_str()),
        HashTypeName(CylinderEmitterComponent::GetTypeName().c_str()),
        HashTypeName(CubeEmitterComponent::GetTypeName().c_str()),
        HashTypeName(MeshEmitterComponent::GetTypeName().c_str()),
    };
    s_instance = this;
}

ParticleEffectSystem::~ParticleEffectSystem()
{
    DestroyParticleEffects();
    ReleaseDrawObjects();
    // The registered components stay with their objects; they must not call back into a system
    // that is gone.
    for (auto& object : registered_)
    {
        for (auto& entry : object.second)
        {
            if (entry.second.data != nullptr)
                entry.second.data->filedNameId_ = 0;
            for (ParticleEmitterComponent* emitter : entry.second.emitters)
            {
                emitter->filedDataId_ = 0;
                emitter->particleSystem_ = nullptr;
            }
        }
    }
    registered_.clear();
    if (s_instance == this)
        s_instance = nullptr;
}

void ParticleEffectSystem::Initialize(u32) {}

void ParticleEffectSystem::Update(f32 seconds)
{
    for (auto object = registered_.begin(); object != registered_.end();)
    {
        ObjectEntries& entries = object->second;
        for (auto it = entries.begin(); it != entries.end();)
        {
            Entry& entry = it->second;
            if (entry.data == nullptr)
            {
                // Emitters wait for their data; an entry nobody waits in goes.
                it = entry.emitters.empty() ? entries.erase(it) : std::next(it);
                continue;
            }
            // Data without its texture leaves its emitters idle.
            if (entry.data->GetTexture() != nullptr)
            {
                for (ParticleEmitterComponent* emitter : entry.emitters)
                    emitter->Step(seconds);
            }
            ++it;
        }
        object = entries.empty() ? registered_.erase(object) : std::next(object);
    }

    for (auto object = effects_.begin(); object != effects_.end();)
    {
        ObjectEntries& entries = object->second;
        for (auto it = entries.begin(); it != entries.end();)
        {
            Entry& entry = it->second;
            // Copies of data without a texture never had particles to finish.
            if (entry.data != nullptr && entry.data->GetTexture() != nullptr)
            {
                std::size_t kept = 0;
                for (ParticleEmitterComponent* copy : entry.emitters)
                {
                    copy->Step(seconds);
                    if (copy->GetPool().GetLiveCount() == 0)
                        delete copy;
                    else
                        entry.emitters[kept++] = copy;
                }
                entry.emitters.resize(kept);
            }
            else
                DestroyEntry(entry);
            if (entry.emitters.empty())
            {
                DestroyEntry(entry);
                it = entries.erase(it);
            }
            else
                ++it;
        }
        object = entries.empty() ? effects_.erase(object) : std::next(object);
    }
}

void ParticleEffectSystem::SetParticleSystem(Entry& entry, ParticleSystemComponent* data)
{
    entry.data = data;
    for (ParticleEmitterComponent* emitter : entry.emitters)
    {
        emitter->particleSystem_ = data;
        emitter->particleDataId_ = data->nameId;
        emitter->particleDataName_ = data->name;
        emitter->filedDataId_ = data->nameId;
    }
}

void ParticleEffectSystem::AddEmitter(Entry& entry, ParticleEmitterComponent* emitter)
{
    entry.emitters.push_back(emitter);
    emitter->particleSystem_ = entry.data;
    if (entry.data == nullptr)
        emitter->particleDataId_ = m_disabledId;
}

void ParticleEffectSystem::RemoveEmitter(Entry& entry, ParticleEmitterComponent* emitter)
{
    emitter->particleSystem_ = nullptr;
    auto it = std::find(entry.emitters.begin(), entry.emitters.end(), emitter);
    if (it != entry.emitters.end())
        entry.emitters.erase(it);
}

void ParticleEffectSystem::RegisterParticleSystem(ParticleSystemComponent* data)
{
    if (data == nullptr)
        return;
    const u32 objectId = data->GetOwner();
    ObjectEntries& entries = registered_[objectId];
    // An entry is free for this data when it does not exist, has no data or has this data.
    auto isFree = [&](u32 id)
    {
        auto it = entries.find(id);
        return it == entries.end() || it->second.data == nullptr || it->second.data == data;
    };
    const std::string readName = data->name;
    std::string chosen = readName;
    for (u32 counter = 0; !isFree(HashTypeName(chosen.c_str())); ++counter)
        chosen = readName + std::to_string(counter);
    const u32 chosenId = HashTypeName(chosen.c_str());

    // Read again under another name: its old entry goes back to waiting.
    if (data->filedNameId_ != 0 && data->filedNameId_ != chosenId)
    {
        if (Entry* old = FindEntry(registered_, objectId, data->filedNameId_))
        {
            if (old->data == data)
            {
                old->data = nullptr;
                for (ParticleEmitterComponent* emitter : old->emitters)
                {
                    emitter->particleSystem_ = nullptr;
                    emitter->particleDataId_ = m_disabledId;
                }
                if (old->emitters.empty())
                    entries.erase(data->filedNameId_);
            }
        }
    }
    data->SetDataName(chosen);
    data->filedNameId_ = chosenId;
    SetParticleSystem(entries[chosenId], data);
}

void ParticleEffectSystem::UnregisterParticleSystem(ParticleSystemComponent* data)
{
    if (data == nullptr || data->filedNameId_ == 0)
        return;
    const u32 objectId = data->GetOwner();
    const u32 dataId = data->filedNameId_;
    data->filedNameId_ = 0;
    Entry* entry = FindEntry(registered_, objectId, dataId);
    if (entry == nullptr || entry->data != data)
        return;
    // Each emitter leaves a finishing copy and is left without data.
    while (!entry->emitters.empty())
    {
        ParticleEmitterComponent* emitter = entry->emitters.front();
        UnregisterEmitter(emitter);
        if (!entry->emitters.empty() && entry->emitters.front() == emitter)
            RemoveEmitter(*entry, emitter);
        emitter->particleDataId_ = m_disabledId;
        emitter->particleDataName_ = ParticleEmitterComponent::DisabledDataName;
    }
    entry->data = nullptr;
    EraseEntry(registered_, objectId, dataId);
}

void ParticleEffectSystem::RegisterEmitter(ParticleEmitterComponent* emitter)
{
    if (emitter == nullptr)
        return;
    const u32 wanted = emitter->particleDataId_;
    if (emitter->filedDataId_ != 0)
    {
        if (emitter->filedDataId_ == wanted)
        {
            // Read again under the same name: it keeps its place.
            if (Entry* entry = FindEntry(registered_, emitter->GetOwner(), wanted))
            {
                emitter->particleSystem_ = entry->data;
                if (entry->data == nullptr)
                    emitter->particleDataId_ = m_disabledId;
                return;
            }
        }
        // Its data name changed: it leaves its old entry without a finishing copy.
        Unfile(emitter);
    }
    if (wanted == m_disabledId)
        return;
    emitter->filedDataId_ = wanted;
    AddEmitter(registered_[emitter->GetOwner()][wanted], emitter);
}

void ParticleEffectSystem::Unfile(ParticleEmitterComponent* emitter)
{
    const u32 objectId = emitter->GetOwner();
    const u32 dataId = emitter->filedDataId_;
    emitter->filedDataId_ = 0;
    emitter->particleSystem_ = nullptr;
    Entry* entry = FindEntry(registered_, objectId, dataId);
    if (entry == nullptr)
        return;
    RemoveEmitter(*entry, emitter);
    if (entry->data == nullptr && entry->emitters.empty())
        EraseEntry(registered_, objectId, dataId);
}

void ParticleEffectSystem::UnregisterEmitter(ParticleEmitterComponent* emitter)
{
    if (emitter == nullptr || emitter->filedDataId_ == 0)
        return;
    const u32 objectId = emitter->GetOwner();
    const u32 dataId = emitter->filedDataId_;
    emitter->filedDataId_ = 0;
    Entry* entry = FindEntry(registered_, objectId, dataId);
    if (entry == nullptr)
        return;
    RemoveEmitter(*entry, emitter);
    if (entry->data == nullptr)
    {
        if (entry->emitters.empty())
            EraseEntry(registered_, objectId, dataId);
        return;
    }
    LeaveFinishingCopy(objectId, dataId, *entry, *emitter);
}

void ParticleEffectSystem::LeaveFinishingCopy(u32 objectId, u32 dataId, const Entry& entry,
                                              const ParticleEmitterComponent& emitter)
{
    // The copy's data is the finishing entry's, or a copy of the emitter's. Without its texture
    // the emitter was never stepped: it has no particles to finish, and its copy would be
    // destroyed at the next step unseen, so none is made.
    const Entry* finishingAlready = FindEntry(effects_, objectId, dataId);
    const ParticleSystemComponent* copiedData =
        finishingAlready != nullptr && finishingAlready->data != nullptr ? finishingAlready->data
                                                                         : entry.data;
    if (copiedData != nullptr && copiedData->GetTexture() == nullptr)
        return;
    ParticleEmitterComponent* copy = CloneEmitter(emitter.GetType(), emitter);
    if (copy == nullptr)
        return;
    Entry& finishing = effects_[objectId][dataId];
    if (finishing.data == nullptr)
        finishing.data = new ParticleSystemComponent(*entry.data);
    copy->isPlaying_ = false;
    copy->filedDataId_ = 0;
    AddEmitter(finishing, copy);
}

void ParticleEffectSystem::ForgetEmitter(ParticleEmitterComponent* emitter)
{
    if (emitter != nullptr && emitter->filedDataId_ != 0)
        Unfile(emitter);
}

void ParticleEffectSystem::ForgetParticleSystem(ParticleSystemComponent* data)
{
    if (data == nullptr || data->filedNameId_ == 0)
        return;
    const u32 objectId = data->GetOwner();
    const u32 dataId = data->filedNameId_;
    data->filedNameId_ = 0;
    Entry* entry = FindEntry(registered_, objectId, dataId);
    if (entry == nullptr || entry->data != data)
        return;
    entry->data = nullptr;
    for (ParticleEmitterComponent* emitter : entry->emitters)
    {
        emitter->particleSystem_ = nullptr;
        emitter->particleDataId_ = m_disabledId;
    }
    if (entry->emitters.empty())
        EraseEntry(registered_, objectId, dataId);
}

void ParticleEffectSystem::ChangeEmitterData(ParticleEmitterComponent* emitter,
                                             const std::string& name)
{
    if (emitter == nullptr)
        return;
    if (emitter->particleDataName_ != ParticleEmitterComponent::DisabledDataName)
        UnregisterEmitter(emitter);
    const u32 newId = HashTypeName(name.c_str());
    emitter->particleDataName_ = name;
    emitter->particleDataId_ = newId;
    if (newId == m_disabledId)
    {
        emitter->isPlaying_ = false;
        return;
    }
    emitter->isPlaying_ = true;
    emitter->filedDataId_ = newId;
    AddEmitter(registered_[emitter->GetOwner()][newId], emitter);
    emitter->particles_.Clear();
}

std::string ParticleEffectSystem::MakeUniqueDataName(const ParticleSystemComponent* data,
                                                     const std::string& name)
{
    const std::string base =
        name == ParticleEmitterComponent::DisabledDataName ? DefaultDataName : name;
    const u32 objectId = data != nullptr ? data->GetOwner() : 0;
    const u32 id = HashTypeName(base.c_str());
    const Entry* registered = FindEntry(registered_, objectId, id);
    const Entry* finishing = FindEntry(effects_, objectId, id);
    // A finishing entry under the name would be overwritten by a rename, so it counts as taken.
    if (finishing == nullptr &&
        (registered == nullptr || registered->data == nullptr || registered->data == data))
        return base;
    for (u32 counter = 0;; ++counter)
    {
        const std::string candidate = base + std::to_string(counter);
        const u32 candidateId = HashTypeName(candidate.c_str());
        if (FindEntry(registered_, objectId, candidateId) == nullptr &&
            FindEntry(effects_, objectId, candidateId) == nullptr)
            return candidate;
    }
}

void ParticleEffectSystem::RenameParticleData(ParticleSystemComponent* data,
                                              const std::string& name)
{
    if (data == nullptr)
        return;
    const u32 objectId = data->GetOwner();
    const u32 oldId = data->filedNameId_ != 0 ? data->filedNameId_ : data->nameId;
    data->SetDataName(name);
    const u32 newId = data->nameId;
    if (oldId == newId)
        return;
    if (Entry* old = FindEntry(registered_, objectId, oldId))
    {
        std::vector<ParticleEmitterComponent*> moving;
        moving.swap(old->emitters);
        old->data = nullptr;
        EraseEntry(registered_, objectId, oldId);
        Entry& target = registered_[objectId][newId];
        for (ParticleEmitterComponent* emitter : moving)
            target.emitters.push_back(emitter);
        SetParticleSystem(target, data);
        data->filedNameId_ = newId;
    }
    Entry* finishing = FindEntry(effects_, objectId, oldId);
    if (finishing != nullptr && FindEntry(effects_, objectId, newId) == nullptr)
    {
        Entry moved;
        moved.data = finishing->data;
        moved.emitters.swap(finishing->emitters);
        finishing->data = nullptr;
        EraseEntry(effects_, objectId, oldId);
        effects_[objectId][newId] = std::move(moved);
    }
}

ParticleEmitterComponent*
ParticleEffectSystem::CloneEmitter(u32 typeId, const ParticleEmitterComponent& emitter)
{
    for (std::size_t kind = 0; kind < m_cloneTable.size(); ++kind)
    {
        if (m_cloneTable[kind] == typeId)
            return Copiers[kind](emitter);
    }
    return nullptr;
}

void ParticleEffectSystem::DestroyParticleEffects()
{
    for (auto& object : effects_)
    {
        for (auto& entry : object.second)
            DestroyEntry(entry.second);
    }
    effects_.clear();
}

void ParticleEffectSystem::QueueDebugShapes(ParticleDebugShapes& shapes) const
{
    for (const auto& object : registered_)
    {
        for (const auto& entry : object.second)
        {
            for (const ParticleEmitterComponent* emitter : entry.second.emitters)
                emitter->DrawDebugShape(shapes);
        }
    }
}

const ParticleEffectSystem::Entry*
ParticleEffectSystem::FindRegistered(u32 objectId, const std::string& dataName) const
{
    return FindEntry(const_cast<EntryMap&>(registered_), objectId, HashTypeName(dataName.c_str()));
}

const ParticleEffectSystem::Entry*
ParticleEffectSystem::FindEffect(u32 objectId, const std::string& dataName) const
{
    return FindEntry(const_cast<EntryMap&>(effects_), objectId, HashTypeName(dataName.c_str()));
}
} // namespace System
} // namespace Graphics
