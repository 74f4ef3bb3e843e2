#include "Graphics/Particles/PointEmitterComponent.h"
#include "Core/PropertyModel/PropertyCallbacks.h"
#include "Core/PropertyModel/PropertyGroup.h"
#include "Graphics/Particles/EmitterShapeMath.h"
#include "Graphics/Particles/ParticleDebugShapes.h"
#include "Math/ColorRGBA.h"
#include "Math/RandStream.h"
#include "Math/Shapes/Segment3.h"
#include "Math/Shapes/Sphere3.h"
#include "Xml/ValueXml.h"
#if defined(__SSE2__)
#include <xmmintrin.h>
#endif

QUILL_DEFINE_TYPE_RECORD(Graphics::PointEmitterComponent,
                         &TypeRecordOf<Graphics::ParticleEmitterComponent>(), false)

namespace Graphics
{
using namespace EmitterShapeMath;

namespace
{
constexpr f32 MarkerRadius = 0.1f;
constexpr f32 MarkerWidth = 3.0f;
constexpr f32 AxisWidth = 2.0f;
} // namespace

PointEmitterComponent::PointEmitterComponent()
    : ParticleEmitterComponent(PointShape), directionReflect_(0), directionVariance_(),
      varianceTurnZ_()
{
}

void PointEmitterComponent::Deserialize(Serializer::XmlReader& reader)
{
    ParticleEmitterComponent::Deserialize(reader);
    // The variance is held in radians and written in degrees, a form the member codecs lack.
    Serializer::ReadValue(reader, directionReflect_, "DirectionReflect");
    Math::Vector3 degrees = directionVariance_ * Math::RAD_TO_DEG;
    Serializer::ReadValue(reader, degrees, "DirectionVariance");
    directionVariance_ = degrees * Math::DEG_TO_RAD;
}

void PointEmitterComponent::Serialize(Serializer::XmlWriter& writer)
{
    ParticleEmitterComponent::Serialize(writer);
    Serializer::WriteValue(writer, directionReflect_, "DirectionReflect");
    Serializer::WriteValue(writer, directionVariance_ * Math::RAD_TO_DEG, "DirectionVariance");
}

void PointEmitterComponent::UpdateBasis(f32)
{
    PointBasis(worldDirection, worldUp_, worldRight_);
    varianceTurnZ_ = AxisAngle(worldDirection, directionVariance_.z * Math::DEG_TO_RAD);
}

void PointEmitterComponent::EmitParticle(Particle& particle)
{
    particle.position = worldPosition;
    const Math::Vector3& v = directionVariance_;
    f32 x;
    f32 y;
    {
        Math::RandStream draw;
        x = draw.Range(-v.x, v.x);
        y = draw.Range(-v.y, v.y);
    }
    const Math::Quaternion turn = varianceTurnZ_ * AxisAngle(worldUp_, y * Math::DEG_TO_RAD) *
                                  AxisAngle(worldRight_, x * Math::DEG_TO_RAD);
    particle.direction = turn.Rotate(worldDirection);
    if (directionReflect_ == 1 && Math::RandomInt(0, 1) == 1)
        particle.direction = -particle.direction;
}

void PointEmitterComponent::DrawEmission(BirthGroup& group, u32 lane)
{
    const Math::Vector3& v = directionVariance_;
    {
        Math::RandStream draw;
        group.shapeDraws[0][lane] = draw.Range(-v.x, v.x);
        group.shapeDraws[1][lane] = draw.Range(-v.y, v.y);
    }
    group.shapeDraws[2][lane] = directionReflect_ == 1 && Math::RandomInt(0, 1) == 1 ? 1.0f : 0.0f;
}

// EmitParticle for the four lanes at once: the two turns of each birth are made one by one
// (AxisAngle), their products and the rotation of the emission direction lane by lane with the
// operations of Quaternion::operator* and Quaternion::Rotate in their order.
void PointEmitterComponent::FinishEmissions(BirthGroup& group)
{
#if defined(__SSE2__)
    static_assert(BirthGroup::Size == 4, "one lane per birth of a group");
    __m128 up[4];
    __m128 right[4];
    for (u32 lane = 0; lane < 4; ++lane)
    {
        const Math::Quaternion aboutUp =
            AxisAngle(worldUp_, group.shapeDraws[1][lane] * Math::DEG_TO_RAD);
        const Math::Quaternion aboutRight =
            AxisAngle(worldRight_, group.shapeDraws[0][lane] * Math::DEG_TO_RAD);
        up[lane] = _mm_setr_ps(aboutUp.w, aboutUp.x, aboutUp.y, aboutUp.z);
        right[lane] = _mm_setr_ps(aboutRight.w, aboutRight.x, aboutRight.y, aboutRight.z);
    }
    // Now w, x, y, z of the four lanes each.
    _MM_TRANSPOSE4_PS(up[0], up[1], up[2], up[3]);
    _MM_TRANSPOSE4_PS(right[0], right[1], right[2], right[3]);
    const auto add = [](__m128 a, __m128 b) { return _mm_add_ps(a, b); };
    const auto sub = [](__m128 a, __m128 b) { return _mm_sub_ps(a, b); };
    const auto mul = [](__m128 a, __m128 b) { return _mm_mul_ps(a, b); };
    // Quaternion::operator*: q x r.
    const auto product = [&](const __m128(&q)[4], const __m128(&r)[4], __m128(&out)[4])
    {
        out[0] = sub(sub(sub(mul(q[0], r[0]), mul(q[1], r[1])), mul(q[2], r[2])), mul(q[3], r[3]));
        out[1] = sub(add(add(mul(q[0], r[1]), mul(q[1], r[0])), mul(q[2], r[3])), mul(q[3], r[2]));
        out[2] = add(add(sub(mul(q[0], r[2]), mul(q[1], r[3])), mul(q[2], r[0])), mul(q[3], r[1]));
        out[3] = add(sub(add(mul(q[0], r[3]), mul(q[1], r[2])), mul(q[2], r[1])), mul(q[3], r[0]));
    };
    const Math::Quaternion& z = varianceTurnZ_;
    const __m128 turnZ[4] = {_mm_set1_ps(z.w), _mm_set1_ps(z.x), _mm_set1_ps(z.y),
                             _mm_set1_ps(z.z)};
    __m128 half[4];
    product(turnZ, up, half);
    __m128 turn[4];
    product(half, right, turn);

    // Quaternion::Rotate of the emission direction.
    const __m128 w = turn[0];
    const __m128 x = turn[1];
    const __m128 y = turn[2];
    const __m128 zz = mul(turn[3], turn[3]);
    const __m128 xx = mul(x, x);
    const __m128 yy = mul(y, y);
    const __m128 xy = mul(x, y);
    const __m128 xz = mul(x, turn[3]);
    const __m128 yz = mul(y, turn[3]);
    const __m128 wx = mul(w, x);
    const __m128 wy = mul(w, y);
    const __m128 wz = mul(w, turn[3]);
    const __m128 one = _mm_set1_ps(1.0f);
    const __m128 two = _mm_set1_ps(2.0f);
    const __m128 vx = _mm_set1_ps(worldDirection.x);
    const __m128 vy = _mm_set1_ps(worldDirection.y);
    const __m128 vz = _mm_set1_ps(worldDirection.z);
    __m128 direction[4] = {
        add(add(mul(sub(one, mul(two, add(yy, zz))), vx), mul(mul(two, sub(xy, wz)), vy)),
            mul(mul(two, add(xz, wy)), vz)),
        add(add(mul(mul(two, add(xy, wz)), vx), mul(sub(one, mul(two, add(xx, zz))), vy)),
            mul(mul(two, sub(yz, wx)), vz)),
        add(add(mul(mul(two, sub(xz, wy)), vx), mul(mul(two, add(yz, wx)), vy)),
            mul(sub(one, mul(two, add(xx, yy))), vz)),
        _mm_set1_ps(worldDirection.w)};
    // A reflected birth flies the other way: every sign flipped.
    const __m128 flip = _mm_and_ps(
        _mm_cmpneq_ps(_mm_load_ps(group.shapeDraws[2]), _mm_setzero_ps()), _mm_set1_ps(-0.0f));
    for (__m128& component : direction)
        component = _mm_xor_ps(component, flip);
    _MM_TRANSPOSE4_PS(direction[0], direction[1], direction[2], direction[3]);
    for (u32 lane = 0; lane < group.count; ++lane)
    {
        Particle& particle = group.records[lane];
        particle.position = worldPosition;
        _mm_storeu_ps(&particle.direction.x, direction[lane]);
    }
#else
    // Without SSE2 births go one by one through EmitParticle.
    static_cast<void>(group);
#endif
}

void PointEmitterComponent::DrawDebugShape(ParticleDebugShapes& shapes) const
{
    const Math::Point4 p0(modelMatrix_ * worldPosition);
    shapes.Add(Math::Sphere3(p0, MarkerRadius), Math::ColorRGBA::Orange, MarkerWidth, true);
    shapes.Add(Math::Segment3(p0, Math::Point4(p0 + worldDirection)),
               Math::ColorRGBA(0.0f, 0.0f, 1.0f, 1.0f), AxisWidth, false);
    shapes.Add(Math::Segment3(p0, Math::Point4(p0 + worldRight_)),
               Math::ColorRGBA(1.0f, 0.0f, 0.0f, 1.0f), AxisWidth, false);
    shapes.Add(Math::Segment3(p0, Math::Point4(p0 + worldUp_)),
               Math::ColorRGBA(0.0f, 1.0f, 0.0f, 1.0f), AxisWidth, false);
}
namespace
{
// Editor limit of the variation angles, in degrees.
constexpr f32 EditorMaxVariation = 180.0f;
} // namespace

void PointEmitterComponent::BuildShapeEditor(Tools::PropertyGroup& group)
{
    using namespace Tools;
    group.AddDirection("Emit Direction", &emitterDirection_.x, nullptr, &SetFloat3Callback,
                       &GetFloat3Callback);
    const PropertyAttributes variation(0.0f, EditorMaxVariation, 1.0f);
    group.AddVector3("Emit Variation", &directionVariance_.x, variation, &SetScalarCallback,
                     &GetScalarCallback);
    group.AddEnum("Reflect", &directionReflect_, {{"True", 1}, {"False", 0}}, &SetScalarCallback,
                  &GetScalarCallback);
}

} // namespace Graphics
