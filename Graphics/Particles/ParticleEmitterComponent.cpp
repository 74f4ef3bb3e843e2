#include "Graphics/Particles/ParticleEmitterComponent.h"
#include "Core/Assets/ObjectDefinitionManager.h"
#include "Core/Components/TransformComponent.h"
#include "Core/Engine.h"
#include "Core/Log.h"
#include "Core/Messages/Graphics/SetParticlePlayMessage.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Core/Reflection/HashTypeName.h"
#include "Core/Reflection/MemberTable.h"
#include "Core/Reflection/TypeRegistry.h"
#include "Graphics/Particles/ParticleDefinitionFile.h"
#include "Graphics/Particles/ParticleEffectSystem.h"
#include "Graphics/Particles/ParticleSystemComponent.h"
#include "Graphics/Particles/ParticleUpdate.h"
#include "Math/MathUtils.h"
#include "Math/RandStream.h"
#include <cmath>
#include <limits>
#if defined(__SSE2__)
#include <emmintrin.h>
#include <xmmintrin.h>
#endif

QUILL_DEFINE_TYPE_RECORD(Graphics::ParticleEmitterComponent, &TypeRecordOf<GameObjectComponent>(),
                         false)

namespace Graphics
{
namespace
{
const char* const LogName = "ParticleEmitterComponent";
const Math::Vector4 Forward(0.0f, 0.0f, 1.0f, 0.0f);
// A default burst repeats once a second.
constexpr f32 DefaultBurstDelay = 1.0f;

// How many particles a float count allows, decided as a float before it becomes an integer, so
// that negative, huge and non-finite counts are safe (NaN allows none).
u32 CountWithin(f32 whole, u32 limit)
{
    if (!(whole > 0.0f))
        return 0;
    if (whole >= static_cast<f32>(limit))
        return limit;
    return static_cast<u32>(whole);
}

// The accumulator after its whole part is spent; a non-finite one starts again from nothing.
f32 KeepFraction(f32 accumulator)
{
    const f32 rest = accumulator - std::trunc(accumulator);
    return std::isfinite(rest) ? rest : 0.0f;
}

// The shortest turn from +Z to the direction; a zero (or unusable) direction gives no turn.
Math::Quaternion TurnTowards(const Math::Vector4& direction)
{
    const Math::Quaternion turn = Math::Quaternion::RotationBetween(Forward, direction);
    const f32 lengthSquared = turn.w * turn.w + turn.x * turn.x + turn.y * turn.y + turn.z * turn.z;
    return lengthSquared > 0.5f ? turn : Math::Quaternion();
}

std::string OwnerName(u32 ownerId)
{
    GameFactory* factory = Engine::Factory();
    const GameObject* owner = factory != nullptr ? factory->FindObject(ownerId) : nullptr;
    return owner != nullptr ? owner->GetName() : std::string("(no object)");
}
} // namespace

ParticleEmitterComponent::ParticleEmitterComponent(ShapeKind kind)
    : GameObjectComponent(true), worldPosition(0.0f, 0.0f, 0.0f, 1.0f), worldDirection(),
      particles_(), orientation_(), worldUp_(), worldRight_(), modelMatrix_(),
      particleDataId_(HashTypeName(DisabledDataName)), particleDataName_(), isPlaying_(true),
      localToEmitter_(false), normalFacing_(false), shapeKind_(kind), particleSystem_(nullptr),
      particleCount_(0.0f, 0.0f), particleEmitRate_(0.0f, 0.0f),
      emitterOffset_(0.0f, 0.0f, 0.0f, 1.0f), emitterDirection_(Forward), speedStart_(0.0f, 0.0f),
      speedEnd_(0.0f, 0.0f), globalVelocity_(), globalVelocitySpeed_(0.0f), accumulator_(0.0f),
      renderCount_(0), burst_(false), burstSingleFrame_(false), burstRepeat_(false),
      burstDone_(false), burstCount_(0), burstEmitted_(0), burstDelay_(DefaultBurstDelay),
      burstTimer_(0.0f), filedDataId_(0)
{
}

ParticleEmitterComponent::ParticleEmitterComponent(const ParticleEmitterComponent& other) = default;

ParticleEmitterComponent::~ParticleEmitterComponent()
{
    if (System::ParticleEffectSystem* system = System::ParticleEffectSystem::Instance())
        system->ForgetEmitter(this);
}

const MemberTable<ParticleEmitterComponent>& ParticleEmitterComponent::Members()
{
    using namespace MemberFlag;
    using E = ParticleEmitterComponent;
    // Read by tag: a key left out keeps its default. The data name and the capacity come first
    // because reading them files the emitter and sizes its pool.
    static constexpr void (*FileEmitter)(E&) = [](E& emitter)
    {
        // The system links the emitter to its object's data.
        emitter.particleDataId_ =
            HashTypeName(emitter.particleDataName_.empty() ? DisabledDataName
                                                           : emitter.particleDataName_.c_str());
        if (System::ParticleEffectSystem* system = System::ParticleEffectSystem::Instance())
            system->RegisterEmitter(&emitter);
    };
    static constexpr void (*SizePool)(E&) = [](E& emitter) { emitter.ResizeForCount(); };
    QUILL_MEMBER_TABLE(
        table, E, ReadRule::ByTag,
        QUILL_MEMBER(E, particleDataName_, Written).Tag("ParticleData").Then(FileEmitter),
        QUILL_MEMBER(E, particleCount_, Written).Tag("ParticleCount").Then(SizePool),
        QUILL_MEMBER(E, particleEmitRate_, Written).Tag("EmissionRate"),
        QUILL_MEMBER(E, emitterOffset_, Written).Tag("EmissionOffset"),
        QUILL_MEMBER(E, emitterDirection_, Written).Tag("EmissionDirection"),
        QUILL_MEMBER(E, globalVelocity_, Written).Tag("GlobalDirection"),
        QUILL_MEMBER(E, globalVelocitySpeed_, Written).Tag("GlobalSpeed"),
        QUILL_MEMBER(E, speedStart_, Written).Tag("SpeedStart"),
        QUILL_MEMBER(E, speedEnd_, Written).Tag("SpeedEnd"),
        QUILL_MEMBER(E, localToEmitter_, Written).Tag("LocalToEmitter"),
        QUILL_MEMBER(E, burst_, Written).Tag("Burst"),
        QUILL_MEMBER(E, burstSingleFrame_, Written).Tag("BurstSingleFrame"),
        QUILL_MEMBER(E, burstRepeat_, Written).Tag("BurstRepeat"),
        QUILL_MEMBER(E, burstCount_, Written).Tag("BurstCount"),
        QUILL_MEMBER(E, burstDelay_, Written).Tag("BurstDelay"),
        QUILL_MEMBER(E, normalFacing_, Written).Tag("NormalFacing"));
    return table;
}

void ParticleEmitterComponent::RegisterMembers()
{
    using namespace MemberFlag;
    using E = ParticleEmitterComponent;
    // The reflected order differs from the written one, so it has a table of its own.
    QUILL_MEMBER_TABLE(
        reflected, E, ReadRule::ByTag, QUILL_MEMBER(E, worldPosition, Reflected),
        QUILL_MEMBER(E, worldDirection, Reflected), QUILL_MEMBER(E, worldUp_, Reflected),
        QUILL_MEMBER(E, worldRight_, Reflected), QUILL_MEMBER(E, particleCount_, Reflected),
        QUILL_MEMBER(E, particleEmitRate_, Reflected), QUILL_MEMBER(E, emitterOffset_, Reflected),
        QUILL_MEMBER(E, emitterDirection_, Reflected), QUILL_MEMBER(E, speedStart_, Reflected),
        QUILL_MEMBER(E, speedEnd_, Reflected), QUILL_MEMBER(E, globalVelocity_, Reflected),
        QUILL_MEMBER(E, globalVelocitySpeed_, Reflected), QUILL_MEMBER(E, accumulator_, Reflected),
        QUILL_MEMBER(E, renderCount_, Reflected));
    RegisterTableMembers(reflected);
}

const TransformComponent* ParticleEmitterComponent::FindTransform() const
{
    GameFactory* factory = Engine::Factory();
    const GameObject* owner = factory != nullptr ? factory->FindObject(m_owner) : nullptr;
    return owner != nullptr ? owner->GetComponent<TransformComponent>() : nullptr;
}

void ParticleEmitterComponent::Shutdown()
{
    if (System::ParticleEffectSystem* system = System::ParticleEffectSystem::Instance())
        system->UnregisterEmitter(this);
}

void ParticleEmitterComponent::Deserialize(Serializer::XmlReader& reader)
{
    ReadMembers(reader, *this, Members());
}

void ParticleEmitterComponent::ResizeForCount()
{
    const f32 wanted = particleCount_.y;
    u32 capacity = 0;
    if (wanted >= static_cast<f32>(ParticlePool::MaxCapacity))
        capacity = ParticlePool::MaxCapacity;
    else if (wanted > 0.0f)
        capacity = static_cast<u32>(wanted);
    if (!(wanted >= 0.0f) || wanted > static_cast<f32>(ParticlePool::MaxCapacity))
    {
        Core::Log() << "Error [" << LogName << "]: particle count " << wanted << " of object "
                    << m_owner << " (" << OwnerName(m_owner) << ") clamped to " << capacity << '\n';
    }
    particles_.Resize(capacity);
}

void ParticleEmitterComponent::Serialize(Serializer::XmlWriter& writer)
{
    WriteMembers(writer, *this, Members());
}

void ParticleEmitterComponent::HandleMessage(Message* message)
{
    if (message == nullptr || message->type != SetParticlePlayMessage::Type)
        return;
    isPlaying_ = static_cast<SetParticlePlayMessage*>(message)->enable;
}

void ParticleEmitterComponent::UpdateBasis(f32) {}

void ParticleEmitterComponent::DrawDebugShape(ParticleDebugShapes&) const {}

bool ParticleEmitterComponent::UpdateFrame()
{
    Math::Matrix4 frame;
    frame.Compose(emitterOffset_, TurnTowards(emitterDirection_), Math::Vector3(1.0f, 1.0f, 1.0f));
    if (!localToEmitter_)
    {
        const TransformComponent* transform = FindTransform();
        if (transform == nullptr)
            return false;
        frame = transform->GetTransformMatrix() * frame;
    }
    orientation_ = frame.GetRotation();
    worldPosition = frame.GetTranslation();
    worldDirection = orientation_.Rotate(Forward);
    return true;
}

void ParticleEmitterComponent::SpawnParticle(f32 preAge)
{
    BirthPlan plan;
    PlanBirths(plan);
    Spawn(preAge, plan);
}

void ParticleEmitterComponent::PlanBirths(BirthPlan& plan) const
{
    plan.speedStartLow = speedStart_.x;
    plan.speedStartWidth = speedStart_.y - speedStart_.x;
    plan.speedEndLow = speedEnd_.x;
    plan.speedEndWidth = speedEnd_.y - speedEnd_.x;
    plan.hasData = particleSystem_ != nullptr;
    if (plan.hasData)
        particleSystem_->GetBirthRanges(plan.data);
}

// A birth gives the particle the values of the record form (a zeroed Particle, the shape's
// EmitParticle, the speed draws, ParticleSystemComponent::InitParticle, Particle::Update by the
// pre-age and ParticlePool::Set), bit for bit and from the same draws in the same order, but
// writes them straight into the slot: each range is low + width x draw with the width worked
// out once a step (the same float RandRange gives), the colours are made and clamped four
// channels at a time, and the pre-age moves, turns and animates the values before they are
// stored.
void ParticleEmitterComponent::Spawn(f32 preAge, const BirthPlan& plan)
{
    const u32 slot = particles_.Take();
    if (slot == ParticlePool::NoSlot)
        return;
    // The shape sets position and direction only.
    Particle start = Particle::Zeroed();
    EmitParticle(start);

    f32 speedStart;
    f32 speedEnd;
    f32 lifetime = 0.0f;
    f32 spinStart = 0.0f;
    f32 spinEnd = 0.0f;
    f32 scaleStart = 0.0f;
    f32 scaleEnd = 0.0f;
    f32 animation = 0.0f;
    f32 frame = 0.0f;
    alignas(16) f32 colourStart[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    alignas(16) f32 colourEnd[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    {
        Math::RandStream draw;
        speedStart = plan.speedStartLow + plan.speedStartWidth * draw.Unit();
        speedEnd = plan.speedEndLow + plan.speedEndWidth * draw.Unit();
        if (plan.hasData)
        {
            const ParticleBirthRanges& data = plan.data;
            lifetime = data.lifeLow + data.lifeWidth * draw.Unit();
            // A lifetime that is no number would never end.
            if (!std::isfinite(lifetime))
                lifetime = 0.0f;
            spinStart = data.spinStartLow + data.spinStartWidth * draw.Unit();
            spinEnd = data.spinEndLow + data.spinEndWidth * draw.Unit();
            scaleStart = data.scaleStartLow + data.scaleStartWidth * draw.Unit();
            scaleEnd = data.scaleEndLow + data.scaleEndWidth * draw.Unit();
            // Each colour draws alpha first, then blue, green and red; a channel is its base
            // plus the drawn deviation, kept within 0 to 1 (NaN gives 0).
            const auto colour =
                [&draw](const f32(&base)[4], const f32(&low)[4], const f32(&width)[4], f32(&out)[4])
            {
                const f32 alpha = draw.Unit();
                const f32 blue = draw.Unit();
                const f32 green = draw.Unit();
                const f32 red = draw.Unit();
#if defined(__SSE2__)
                // max(v, 0) answers 0 for NaN and for v <= 0, min(v, 1) answers 1 from 1 up:
                // the clamp of every channel in two instructions.
                const __m128 units = _mm_setr_ps(red, green, blue, alpha);
                const __m128 value = _mm_add_ps(
                    _mm_loadu_ps(base),
                    _mm_add_ps(_mm_loadu_ps(low), _mm_mul_ps(_mm_loadu_ps(width), units)));
                _mm_store_ps(out,
                             _mm_min_ps(_mm_max_ps(value, _mm_setzero_ps()), _mm_set1_ps(1.0f)));
#else
                const f32 units[4] = {red, green, blue, alpha};
                for (int channel = 0; channel < 4; ++channel)
                {
                    const f32 value =
                        base[channel] + (low[channel] + width[channel] * units[channel]);
                    out[channel] = !(value > 0.0f) ? 0.0f : (value > 1.0f ? 1.0f : value);
                }
#endif
            };
            colour(data.colourStart, data.colourStartLow, data.colourStartWidth, colourStart);
            colour(data.colourEnd, data.colourEndLow, data.colourEndWidth, colourEnd);
            animation = data.animationLow + data.animationWidth * draw.Unit();
            frame = data.frame;
        }
    }

    // The pre-age, as Particle::Update applies it to a newborn: its current speed and spin
    // rate are their starts until they follow their pairs, its rotation starts at 0.
    Math::Point4 position = start.position;
    const Math::Vector4& direction = start.direction;
    f32 age = 0.0f;
    f32 rotation = 0.0f;
    age += preAge;
    if (!(age > lifetime))
    {
        using ParticleLayout::Follow;
        const f32 t = ParticleLayout::LifeFraction(age, lifetime);
        const f32 speed = Follow(speedStart, speedEnd, t);
        if (std::fabs(speed) > Particle::StillThreshold)
        {
            const f32 step = speed * preAge;
            position.x += direction.x * step;
            position.y += direction.y * step;
            position.z += direction.z * step;
        }
        const f32 spin = Follow(spinStart, spinEnd, t);
        if (std::fabs(spin) > Particle::StillThreshold)
            rotation += spin * preAge;
        if (std::fabs(animation) > Particle::StillThreshold)
            frame += animation * preAge;
    }

    using Field = ParticlePool::Field;
    constexpr u32 Lanes = ParticlePool::Lanes;
    f32* const fields = particles_.GetBlock(slot - slot % Lanes) + slot % Lanes;
    const auto put = [fields](Field field, f32 value) { fields[field * Lanes] = value; };
    put(ParticlePool::PositionX, position.x);
    put(ParticlePool::PositionY, position.y);
    put(ParticlePool::PositionZ, position.z);
    put(ParticlePool::DirectionX, direction.x);
    put(ParticlePool::DirectionY, direction.y);
    put(ParticlePool::DirectionZ, direction.z);
    put(ParticlePool::Rotation, rotation);
    put(ParticlePool::Age, age);
    put(ParticlePool::Frame, frame);
    put(ParticlePool::Lifetime, lifetime);
    put(ParticlePool::AnimationSpeed, animation);
    put(ParticlePool::ColorStartR, colourStart[0]);
    put(ParticlePool::ColorStartG, colourStart[1]);
    put(ParticlePool::ColorStartB, colourStart[2]);
    put(ParticlePool::ColorStartA, colourStart[3]);
    put(ParticlePool::ColorEndR, colourEnd[0]);
    put(ParticlePool::ColorEndG, colourEnd[1]);
    put(ParticlePool::ColorEndB, colourEnd[2]);
    put(ParticlePool::ColorEndA, colourEnd[3]);
    put(ParticlePool::SpeedStart, speedStart);
    put(ParticlePool::SpeedEnd, speedEnd);
    put(ParticlePool::RotationSpeedStart, spinStart);
    put(ParticlePool::RotationSpeedEnd, spinEnd);
    put(ParticlePool::ScaleStart, scaleStart);
    put(ParticlePool::ScaleEnd, scaleEnd);
    // The two fields kept out of the blocks.
    particles_.At(ParticlePool::PositionW, slot) = position.w;
    particles_.At(ParticlePool::DirectionW, slot) = direction.w;
}

void ParticleEmitterComponent::SpawnParticles(u32 count, f32 dt)
{
    BirthPlan plan;
    PlanBirths(plan);
    SpawnGroups(count, dt, plan);
}

void ParticleEmitterComponent::DrawEmission(BirthGroup& group, u32 lane)
{
    group.records[lane] = Particle::Zeroed();
    EmitParticle(group.records[lane]);
}

void ParticleEmitterComponent::FinishEmissions(BirthGroup&) {}

void ParticleEmitterComponent::SpawnGroups(u32 count, f32 dt, const BirthPlan& plan)
{
#if !defined(__SSE2__)
    for (u32 i = 0; i < count; ++i)
        Spawn(DrawPreAge(dt), plan);
    return;
#endif
    // Lanes past a group's count are worked on too (their results are dropped): they start
    // out as zeros rather than as whatever the stack held.
    BirthGroup group = {};
    u32 left = count;
    while (left > 0)
    {
        const u32 births = left < BirthGroup::Size ? left : BirthGroup::Size;
        left -= births;
        group.count = 0;
        for (u32 birth = 0; birth < births; ++birth)
        {
            // As Spawn(DrawPreAge(dt)): the pre-age is drawn even when no slot is free.
            const f32 preAge = DrawPreAge(dt);
            const u32 slot = particles_.Take();
            if (slot == ParticlePool::NoSlot)
                continue;
            const u32 lane = group.count++;
            group.slots[lane] = slot;
            group.preAges[lane] = preAge;
            DrawEmission(group, lane);
            Math::RandStream draw;
            if (plan.hasData)
            {
#pragma GCC unroll 16
                for (u32 k = 0; k < BirthGroup::DrawCount; ++k)
                    group.draws[k][lane] = draw.Next();
            }
            else
            {
                group.draws[0][lane] = draw.Next();
                group.draws[1][lane] = draw.Next();
            }
        }
        if (group.count == 0)
            continue;
        FinishEmissions(group);
        StoreGroup(group, plan);
    }
}

// The values Spawn gives each birth of the group, four births at a time: every lane goes
// through Spawn's operations in Spawn's order, so the bits are the same. A draw's unit is the
// float quotient of RandUnit.
void ParticleEmitterComponent::StoreGroup(const BirthGroup& group, const BirthPlan& plan)
{
#if defined(__SSE2__)
    using P = ParticlePool;
    static_assert(BirthGroup::Size == 4, "one lane per birth of a group");
    alignas(16) f32 out[P::FieldCount][BirthGroup::Size];
    const __m128 zero = _mm_setzero_ps();
    const __m128 one = _mm_set1_ps(1.0f);
    const __m128 limit = _mm_set1_ps(static_cast<f32>(Math::RAND_LIMIT));
    const __m128 still = _mm_set1_ps(Particle::StillThreshold);
    const __m128 sign = _mm_set1_ps(-0.0f);
    const auto unit = [&group, limit](u32 k)
    {
        return _mm_div_ps(
            _mm_cvtepi32_ps(_mm_load_si128(reinterpret_cast<const __m128i*>(group.draws[k]))),
            limit);
    };
    // low + width x unit, as Spawn writes it.
    const auto range = [&unit](f32 low, f32 width, u32 k)
    { return _mm_add_ps(_mm_set1_ps(low), _mm_mul_ps(_mm_set1_ps(width), unit(k))); };
    const auto select = [](__m128 mask, __m128 whenSet, __m128 otherwise)
    { return _mm_or_ps(_mm_and_ps(mask, whenSet), _mm_andnot_ps(mask, otherwise)); };
    const auto above = [sign, still](__m128 value)
    { return _mm_cmpgt_ps(_mm_andnot_ps(sign, value), still); };
    const auto follow = [&select](__m128 start, __m128 end, __m128 t)
    {
        return select(_mm_cmpneq_ps(start, end),
                      _mm_add_ps(start, _mm_mul_ps(_mm_sub_ps(end, start), t)), start);
    };

    const __m128 speedStart = range(plan.speedStartLow, plan.speedStartWidth, 0);
    const __m128 speedEnd = range(plan.speedEndLow, plan.speedEndWidth, 1);
    __m128 lifetime = zero;
    __m128 spinStart = zero;
    __m128 spinEnd = zero;
    __m128 scaleStart = zero;
    __m128 scaleEnd = zero;
    __m128 animation = zero;
    __m128 frame = zero;
    __m128 colourStart[4] = {zero, zero, zero, zero};
    __m128 colourEnd[4] = {zero, zero, zero, zero};
    if (plan.hasData)
    {
        const ParticleBirthRanges& data = plan.data;
        lifetime = range(data.lifeLow, data.lifeWidth, 2);
        // A lifetime that is no number would never end.
        lifetime = _mm_and_ps(_mm_cmplt_ps(_mm_andnot_ps(sign, lifetime),
                                           _mm_set1_ps(std::numeric_limits<f32>::infinity())),
                              lifetime);
        spinStart = range(data.spinStartLow, data.spinStartWidth, 3);
        spinEnd = range(data.spinEndLow, data.spinEndWidth, 4);
        scaleStart = range(data.scaleStartLow, data.scaleStartWidth, 5);
        scaleEnd = range(data.scaleEndLow, data.scaleEndWidth, 6);
        // Each colour draws alpha, blue, green, red; a channel is its base plus the drawn
        // deviation, kept within 0 to 1 (NaN gives 0).
        const auto colour = [&](const f32(&base)[4], const f32(&low)[4], const f32(&width)[4],
                                u32 first, __m128(&channels)[4])
        {
            for (u32 c = 0; c < 4; ++c)
            {
                const __m128 value =
                    _mm_add_ps(_mm_set1_ps(base[c]),
                               _mm_add_ps(_mm_set1_ps(low[c]),
                                          _mm_mul_ps(_mm_set1_ps(width[c]), unit(first + 3 - c))));
                channels[c] = _mm_min_ps(_mm_max_ps(value, zero), one);
            }
        };
        colour(data.colourStart, data.colourStartLow, data.colourStartWidth, 7, colourStart);
        colour(data.colourEnd, data.colourEndLow, data.colourEndWidth, 11, colourEnd);
        animation = range(data.animationLow, data.animationWidth, 15);
        frame = _mm_set1_ps(data.frame);
    }

    // The shape's positions and directions, lane by lane.
    __m128 position[4];
    __m128 direction[4];
    for (u32 lane = 0; lane < 4; ++lane)
    {
        position[lane] = _mm_loadu_ps(&group.records[lane].position.x);
        direction[lane] = _mm_loadu_ps(&group.records[lane].direction.x);
    }
    _MM_TRANSPOSE4_PS(position[0], position[1], position[2], position[3]);
    _MM_TRANSPOSE4_PS(direction[0], direction[1], direction[2], direction[3]);

    // The pre-age, as Spawn applies it.
    const __m128 preAge = _mm_load_ps(group.preAges);
    const __m128 age = _mm_add_ps(zero, preAge);
    const __m128 lives = _mm_cmpngt_ps(age, lifetime);
    __m128 t = select(_mm_cmpgt_ps(lifetime, zero), _mm_div_ps(age, lifetime), one);
    t = _mm_and_ps(_mm_cmpgt_ps(t, zero), select(_mm_cmplt_ps(t, one), t, one));
    const __m128 speed = follow(speedStart, speedEnd, t);
    const __m128 moves = _mm_and_ps(lives, above(speed));
    const __m128 step = _mm_mul_ps(speed, preAge);
    for (u32 axis = 0; axis < 3; ++axis)
        position[axis] = select(
            moves, _mm_add_ps(position[axis], _mm_mul_ps(direction[axis], step)), position[axis]);
    const __m128 spin = follow(spinStart, spinEnd, t);
    const __m128 rotation =
        _mm_and_ps(_mm_and_ps(lives, above(spin)), _mm_add_ps(zero, _mm_mul_ps(spin, preAge)));
    frame = select(_mm_and_ps(lives, above(animation)),
                   _mm_add_ps(frame, _mm_mul_ps(animation, preAge)), frame);

    _mm_store_ps(out[P::PositionX], position[0]);
    _mm_store_ps(out[P::PositionY], position[1]);
    _mm_store_ps(out[P::PositionZ], position[2]);
    _mm_store_ps(out[P::PositionW], position[3]);
    _mm_store_ps(out[P::DirectionX], direction[0]);
    _mm_store_ps(out[P::DirectionY], direction[1]);
    _mm_store_ps(out[P::DirectionZ], direction[2]);
    _mm_store_ps(out[P::DirectionW], direction[3]);
    _mm_store_ps(out[P::Rotation], rotation);
    _mm_store_ps(out[P::Age], age);
    _mm_store_ps(out[P::Frame], frame);
    _mm_store_ps(out[P::Lifetime], lifetime);
    _mm_store_ps(out[P::AnimationSpeed], animation);
    for (u32 c = 0; c < 4; ++c)
    {
        _mm_store_ps(out[P::ColorStartR + c], colourStart[c]);
        _mm_store_ps(out[P::ColorEndR + c], colourEnd[c]);
    }
    _mm_store_ps(out[P::SpeedStart], speedStart);
    _mm_store_ps(out[P::SpeedEnd], speedEnd);
    _mm_store_ps(out[P::RotationSpeedStart], spinStart);
    _mm_store_ps(out[P::RotationSpeedEnd], spinEnd);
    _mm_store_ps(out[P::ScaleStart], scaleStart);
    _mm_store_ps(out[P::ScaleEnd], scaleEnd);

    constexpr u32 Lanes = P::Lanes;
    const u32 first = group.slots[0];
    if (group.count == BirthGroup::Size && first % Lanes <= Lanes - BirthGroup::Size &&
        group.slots[1] == first + 1 && group.slots[2] == first + 2 && group.slots[3] == first + 3)
    {
        // Four neighbouring slots of one block (births often follow the deaths in slot order):
        // each field of the four in one store.
        f32* const fields = particles_.GetBlock(first - first % Lanes) + first % Lanes;
#pragma GCC unroll 32
        for (u32 field = 0; field < P::BlockFieldCount; ++field)
            _mm_storeu_ps(fields + field * Lanes, _mm_load_ps(out[field]));
        _mm_storeu_ps(&particles_.At(P::PositionW, first), _mm_load_ps(out[P::PositionW]));
        _mm_storeu_ps(&particles_.At(P::DirectionW, first), _mm_load_ps(out[P::DirectionW]));
        return;
    }
    for (u32 lane = 0; lane < group.count; ++lane)
    {
        const u32 slot = group.slots[lane];
        f32* const fields = particles_.GetBlock(slot - slot % Lanes) + slot % Lanes;
#pragma GCC unroll 32
        for (u32 field = 0; field < P::BlockFieldCount; ++field)
            fields[field * Lanes] = out[field][lane];
        // The two fields kept out of the blocks.
        particles_.At(P::PositionW, slot) = out[P::PositionW][lane];
        particles_.At(P::DirectionW, slot) = out[P::DirectionW][lane];
    }
#else
    static_cast<void>(group);
    static_cast<void>(plan);
#endif
}

f32 ParticleEmitterComponent::DrawPreAge(f32 dt)
{
    Math::RandStream draw;
    return dt * draw.Unit();
}

void ParticleEmitterComponent::Step(f32 dt)
{
    if (isPlaying_ && !particles_.IsFull() && UpdateFrame())
    {
        UpdateBasis(dt);
        BirthPlan plan;
        PlanBirths(plan);
        if (burst_)
            EmitBurst(dt, plan);
        else
        {
            accumulator_ += Math::RandRange(particleEmitRate_.x, particleEmitRate_.y) * dt;
            const u32 count = CountWithin(std::trunc(accumulator_), particles_.GetFreeCount());
            SpawnGroups(count, dt, plan);
            accumulator_ = KeepFraction(accumulator_);
            // The minimum population, with each pre-age drawn before the particle's other draws.
            while (static_cast<f32>(particles_.GetLiveCount()) < particleCount_.x &&
                   !particles_.IsFull())
                Spawn(DrawPreAge(dt), plan);
        }
    }
    UpdatePass(dt);
}

void ParticleEmitterComponent::EmitBurst(f32 dt, const BirthPlan& plan)
{
    if (burstRepeat_ && burstDone_)
    {
        burstTimer_ += dt;
        if (burstTimer_ >= burstDelay_)
        {
            burstEmitted_ = 0;
            burstDone_ = false;
            burstTimer_ -= burstDelay_;
        }
    }
    if (burstDone_)
        return;
    // Counted signed: a count lowered below what was emitted ends the burst.
    const s64 owed = static_cast<s64>(burstCount_) - static_cast<s64>(burstEmitted_);
    if (burstSingleFrame_)
    {
        if (particles_.GetFreeCount() < burstCount_)
            return;
        SpawnGroups(owed > 0 ? static_cast<u32>(owed) : 0u, dt, plan);
        burstDone_ = true;
        return;
    }
    accumulator_ += Math::RandRange(particleEmitRate_.x, particleEmitRate_.y) * dt;
    u32 limit = particles_.GetFreeCount();
    if (owed < static_cast<s64>(limit))
        limit = owed > 0 ? static_cast<u32>(owed) : 0u;
    const u32 count = CountWithin(std::trunc(accumulator_), limit);
    SpawnGroups(count, dt, plan);
    burstEmitted_ += count;
    accumulator_ = KeepFraction(accumulator_);
    if (burstEmitted_ >= burstCount_)
        burstDone_ = true;
}

void ParticleEmitterComponent::UpdatePass(f32 dt)
{
    renderCount_ = 0;
    if (particles_.GetCapacity() == 0)
        return;
    ParticleUpdate::Settings settings;
    settings.dt = dt;
    settings.totalFrames =
        static_cast<f32>(particleSystem_ != nullptr ? particleSystem_->GetTotalFrames() : 1u);
    settings.loop = particleSystem_ == nullptr || particleSystem_->IsLooping();
    const f32 pullScale = globalVelocitySpeed_ * dt;
    settings.pullX = globalVelocity_.x * pullScale;
    settings.pullY = globalVelocity_.y * pullScale;
    settings.pullZ = globalVelocity_.z * pullScale;
    renderCount_ = ParticleUpdate::Run(particles_, settings);
}

std::string ParticleEmitterComponent::SaveEmitter(const std::string& name)
{
    return SaveParticleDefinition(*this, name, GetTypeName(),
                                  Serializer::ObjectDefinitionManager::EmitterCategory);
}
} // namespace Graphics
