// Collision detection and the physics step against a plain baseline in the same run.
// - Detection of 1,000 and 10,000 colliders (spheres and turned boxes at constant density, few
//   contacts): the physics system's detection against the same work done by plain means. The
//   system takes each collider's bounds through its virtual GetBounds, sorts and sweeps them,
//   sorts the candidate pairs into walk order, checks each pair's groups and body kinds, finds
//   its test in the collision table and reports a contact by posting a CollideMessage to each
//   side (new or continuing, from a look-up in the previous pass's pairs). The baseline holds
//   the same shapes in a std::vector of plain structs (centre, radius or world matrix and half
//   extents, ids, groups) and per pass computes the same padded bounds, sorts and sweeps them
//   on x, sorts the pairs, checks the groups, runs the same sphere-sphere, box-sphere and
//   box-box tests chosen by the two shapes, and records each contact for both sides
//   (normal, ids, new or continuing by a binary search in the previous pass's pairs) in a plain
//   std::vector, as the engine's messages are. Both count their contacts, and before timing
//   the baseline checks that its contacts hold what the messages carry, in the same order.
//   Every shape here has bounds, so the baseline leaves out the engine's handling of planes and
//   half-spaces (which pair with everything) and of body kinds (no collider has a body). Target:
//   at most 2x the baseline at both sizes.
// - The walk over every pair at 1,000 colliders, for comparison.
// - A game-sized step: 200 colliders, 100 of them on rigid bodies pulled by joints into a
//   cluster, so that contacts are reported every step.
// - Heap allocations per steady step with contacts (AllocationCounter.h). Target: 0.
#include "Core/CoreRegistration.h"
#include "Core/Engine.h"
#include "Core/Messages/Message.h"
#include "Core/Messages/Physics/CollideMessage.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Core/System/MessageSystem.h"
#include "Math/MathUtils.h"
#include "Physics/AABoxColliderComponent.h"
#include "Physics/ColliderComponent.h"
#include "Physics/PhysicsRegistration.h"
#include "Physics/PhysicsSystem.h"
#include "Physics/SphereColliderComponent.h"
#include "bench/RatioReporter.h"
#include "tests/Platform/Support/AllocationCounter.h"
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <tinyxml2.h>
#include <vector>

using Physics::System::PhysicsSystem;

namespace
{
// Room per collider: one collider of radius 0.5 per 4 x 4 x 4 cube keeps contacts rare.
constexpr f32 VolumePerCollider = 64.0f;
constexpr f32 DetectionTargetRatio = 2.0f;
constexpr double AllocationTarget = 0.0;
constexpr u32 GameColliders = 200;
constexpr u32 GameBodies = 100;
constexpr int WarmUpSteps = 120;

// An engine with the core, physics, the message system and the physics system.
class Stage
{
public:
    Stage()
    {
        m_engine = std::make_unique<Engine>();
        Core::RegisterCore(*m_engine);
        Physics::RegisterPhysics(*m_engine);
        m_engine->AddSystem("MessagingSystem");
        physics = static_cast<PhysicsSystem*>(m_engine->AddSystem("PhysicsSystem"));
        messages = Core::System::MessageSystem::Instance();
        Math::SeedRand(1);
    }
    ~Stage()
    {
        m_engine.reset();
        g_Engine = nullptr;
    }

    void Make(const std::string& components)
    {
        tinyxml2::XMLDocument document;
        document.Parse(("<Thing>" + components + "</Thing>").c_str());
        GameObject* object = m_engine->GetFactory()->CreateObject("Thing", Engine::GenerateId());
        object->Deserialize(document.RootElement()->FirstChildElement());
    }
    // Delivers nothing: the messages a step posted are destroyed unread.
    void Drain()
    {
        while (Message* message = messages->PopFront())
            DestroyMessage(message);
    }

    PhysicsSystem* physics = nullptr;
    Core::System::MessageSystem* messages = nullptr;

private:
    std::unique_ptr<Engine> m_engine;
};

std::string Transform(f32 x, f32 y, f32 z, bool turned)
{
    std::ostringstream xml;
    xml << "<TransformComponent><position X=\"" << x << "\" Y=\"" << y << "\" Z=\"" << z << "\"/>";
    if (turned)
        xml << "<orientation X=\"" << Math::Rand() % 90 << "\" Y=\"" << Math::Rand() % 90
            << "\" Z=\"0\"/>";
    xml << "</TransformComponent>";
    return xml.str();
}

const char* const SphereXml = "<SphereColliderComponent><e>1</e><c>1</c><m>0</m><r>0.5</r>"
                              "</SphereColliderComponent>";
const char* const BoxXml = "<AABoxColliderComponent><e>1</e><c>1</c><m>0</m>"
                           "<size X=\"1\" Y=\"1\" Z=\"1\"/></AABoxColliderComponent>";

// count colliders spread through a cube at constant density, one in five a turned box.
void Scatter(Stage& stage, u32 count)
{
    const f32 side = std::cbrt(VolumePerCollider * static_cast<f32>(count));
    for (u32 i = 0; i < count; ++i)
    {
        const bool box = i % 5 == 0;
        stage.Make(Transform(Math::RandRange(0.0f, side), Math::RandRange(0.0f, side),
                             Math::RandRange(0.0f, side), box) +
                   (box ? BoxXml : SphereXml));
    }
    // One step puts every shape where its object is.
    stage.physics->Step(PhysicsSystem::FixedStep);
    stage.Drain();
}

void Detection(benchmark::State& state, PhysicsSystem::Detection detection)
{
    Stage stage;
    Scatter(stage, static_cast<u32>(state.range(0)));
    stage.physics->SetDetection(detection);
    u64 contacts = 0;
    for (auto _ : state)
    {
        stage.physics->DetectCollisions();
        contacts += stage.messages->GetQueueSize();
        stage.Drain();
    }
    state.counters["contacts/pass"] =
        static_cast<double>(contacts) / static_cast<double>(state.iterations());
}

// A collider as plain values: a sphere, or a box with its world matrix and half extents.
struct PlainShape
{
    bool box = false;
    u32 id = 0;
    u32 owner = 0;
    u32 category = 0;
    u32 mask = 0;
    Math::Point4 centre; // the sphere's centre, or the box's own centre
    f32 radius = 0.0f;
    Math::Matrix4 world;
    Math::Vector4 half;
};

struct PlainEntry
{
    f32 minX, maxX, minY, maxY, minZ, maxZ;
    u32 index;
};

// A contact as one side is told of it.
struct PlainContact
{
    Math::Vector4 normal;
    u32 other;
    u32 self;
    bool isNew;
};

constexpr f32 PlainMargin = 1e-4f;
constexpr f32 PlainSqrt3 = 1.7320508f;

PlainEntry PaddedEntry(const Math::Point4& c, f32 ex, f32 ey, f32 ez, u32 index)
{
    const f32 reach =
        std::max({std::fabs(c.x), std::fabs(c.y), std::fabs(c.z)}) + std::max({ex, ey, ez});
    const f32 pad = PlainMargin * reach;
    return PlainEntry{c.x - ex - pad, c.x + ex + pad, c.y - ey - pad, c.y + ey + pad,
                      c.z - ez - pad, c.z + ez + pad, index};
}

// The same box as the engine's bounds: for a box, half the turned box plus sqrt(3) |h|,
// covering both of its centres.
PlainEntry Bound(const PlainShape& s, u32 index)
{
    if (!s.box)
    {
        const f32 r = std::fabs(s.radius);
        return PaddedEntry(s.centre, r, r, r, index);
    }
    const f32* m = s.world.m;
    const f32 hx = std::fabs(s.half.x), hy = std::fabs(s.half.y), hz = std::fabs(s.half.z);
    const f32 diagonal = PlainSqrt3 * std::sqrt(hx * hx + hy * hy + hz * hz);
    f32 extent[3];
    for (int row = 0; row < 3; ++row)
        extent[row] = 0.5f * (std::fabs(m[4 * row]) * hx + std::fabs(m[4 * row + 1]) * hy +
                              std::fabs(m[4 * row + 2]) * hz + diagonal);
    const Math::Point4 middle((s.centre.x + m[3]) * 0.5f, (s.centre.y + m[7]) * 0.5f,
                              (s.centre.z + m[11]) * 0.5f, 1.0f);
    return PaddedEntry(middle, extent[0] + std::fabs(s.centre.x - m[3]) * 0.5f,
                       extent[1] + std::fabs(s.centre.y - m[7]) * 0.5f,
                       extent[2] + std::fabs(s.centre.z - m[11]) * 0.5f, index);
}

Math::Vector4 Unit(Math::Vector4 v)
{
    v.Normalize();
    return v;
}

Math::Vector4 Column(const Math::Matrix4& world, u32 i)
{
    return Math::Vector4(world.m[i], world.m[4 + i], world.m[8 + i], world.m[12 + i]);
}

f32 Radius(const PlainShape& box, const Math::Vector4& d)
{
    return box.half.x * std::fabs(d.Dot(Column(box.world, 0))) +
           box.half.y * std::fabs(d.Dot(Column(box.world, 1))) +
           box.half.z * std::fabs(d.Dot(Column(box.world, 2)));
}

// The engine's pair tests on plain shapes; the normal points from b toward a.
bool SpheresMeet(const PlainShape& a, const PlainShape& b, Math::Vector4& normal)
{
    const Math::Vector4 diff = b.centre - a.centre;
    const f32 reach = a.radius + b.radius;
    if (!(diff.Dot(diff) <= reach * reach))
        return false;
    normal = Unit(a.centre - b.centre);
    return true;
}

bool BoxMeetsSphere(const PlainShape& box, const PlainShape& sphere, Math::Vector4& normal)
{
    const Math::Vector4& h = box.half;
    const f32 r = sphere.radius;
    const Math::Point4 p = box.world.InverseTransformPoint(sphere.centre);
    if (std::fabs(p.x) - r > h.x || std::fabs(p.y) - r > h.y || std::fabs(p.z) - r > h.z)
        return false;
    const Math::Point4 q(std::fmin(std::fmax(p.x, -h.x), h.x), std::fmin(std::fmax(p.y, -h.y), h.y),
                         std::fmin(std::fmax(p.z, -h.z), h.z), 1.0f);
    if ((q - p).Length() > r)
        return false;
    normal = Unit(box.world * q - sphere.centre);
    return true;
}

bool BoxesMeet(const PlainShape& a, const PlainShape& b, Math::Vector4& normal)
{
    const Math::Vector4 t = b.centre - a.centre;
    Math::Vector4 axesA[3];
    Math::Vector4 axesB[3];
    for (u32 i = 0; i < 3; ++i)
    {
        axesA[i] = Column(a.world, i);
        axesB[i] = Column(b.world, i);
    }
    f32 smallest = FLT_MAX;
    u32 best = 0;
    for (u32 index = 0; index < 15; ++index)
    {
        Math::Vector4 axis = index < 3   ? axesA[index]
                             : index < 6 ? axesB[index - 3]
                                         : axesA[(index - 6) / 3].Cross(axesB[(index - 6) % 3]);
        if (axis.LengthSquared() < 0.001f)
            continue;
        axis.Normalize();
        const f32 overlap = Radius(a, axis) + Radius(b, axis) - std::fabs(t.Dot(axis));
        if (overlap < 0.0f)
            return false;
        if (overlap < smallest)
        {
            smallest = overlap;
            best = index;
        }
    }
    normal = best < 3   ? axesA[best]
             : best < 6 ? axesB[best - 3]
                        : Unit(axesA[(best - 6) / 3].Cross(axesB[(best - 6) % 3]));
    if (normal.Dot(t) > 0.0f)
        normal = normal * -1.0f;
    return true;
}

class PlainDetection
{
public:
    explicit PlainDetection(const std::vector<Physics::ColliderComponent*>& colliders)
    {
        for (const Physics::ColliderComponent* collider : colliders)
        {
            PlainShape shape;
            shape.id = collider->GetId();
            shape.owner = collider->GetOwner();
            shape.category = collider->Category;
            shape.mask = collider->Mask;
            shape.world = collider->GetWorldTransform();
            if (const auto* box = dynamic_cast<const Physics::AABoxColliderComponent*>(collider))
            {
                shape.box = true;
                shape.centre = box->GetCenter();
                shape.half = box->GetHalfExtents();
            }
            else
            {
                const auto& sphere =
                    static_cast<const Physics::SphereColliderComponent*>(collider)->GetSphere();
                shape.centre = sphere.centre;
                shape.radius = sphere.radius;
            }
            m_shapes.push_back(shape);
        }
    }

    const std::vector<PlainContact>& GetContacts() const { return m_contacts; }

    // One pass; answers the contacts recorded.
    std::size_t Detect()
    {
        m_previous.swap(m_current);
        m_current.clear();
        m_contacts.clear();
        m_entries.clear();
        m_pairs.clear();
        const u32 count = static_cast<u32>(m_shapes.size());
        for (u32 i = 0; i < count; ++i)
            m_entries.push_back(Bound(m_shapes[i], i));
        std::sort(m_entries.begin(), m_entries.end(),
                  [](const PlainEntry& a, const PlainEntry& b) { return a.minX < b.minX; });
        const PlainEntry* entries = m_entries.data();
        for (u32 i = 0; i < count; ++i)
        {
            const PlainEntry& a = entries[i];
            for (u32 j = i + 1; j < count && entries[j].minX <= a.maxX; ++j)
            {
                const PlainEntry& b = entries[j];
                if (a.minY <= b.maxY && b.minY <= a.maxY && a.minZ <= b.maxZ && b.minZ <= a.maxZ)
                    m_pairs.push_back(a.index < b.index
                                          ? (static_cast<u64>(a.index) << 32) | b.index
                                          : (static_cast<u64>(b.index) << 32) | a.index);
            }
        }
        std::sort(m_pairs.begin(), m_pairs.end());
        for (u64 pair : m_pairs)
        {
            const PlainShape& a = m_shapes[pair >> 32];
            const PlainShape& b = m_shapes[pair & 0xFFFFFFFFu];
            if ((b.category & a.mask) != 0 && (a.category & b.mask) != 0)
                continue;
            Math::Vector4 normal;
            if (a.box && b.box)
            {
                if (BoxesMeet(a, b, normal))
                    Record(a, b, normal);
            }
            else if (a.box)
            {
                if (BoxMeetsSphere(a, b, normal))
                    Record(a, b, normal);
            }
            else if (b.box)
            {
                if (BoxMeetsSphere(b, a, normal))
                    Record(b, a, normal);
            }
            else if (SpheresMeet(a, b, normal))
                Record(a, b, normal);
        }
        std::sort(m_current.begin(), m_current.end());
        return m_contacts.size();
    }

private:
    void Record(const PlainShape& a, const PlainShape& b, const Math::Vector4& normal)
    {
        const u64 key = (static_cast<u64>(a.id) << 32) | b.id;
        const bool isNew = !std::binary_search(m_previous.begin(), m_previous.end(), key);
        if ((b.category & a.mask) == 0)
            m_contacts.push_back(PlainContact{-normal, b.owner, a.owner, isNew});
        if ((a.category & b.mask) == 0)
            m_contacts.push_back(PlainContact{normal, a.owner, b.owner, isNew});
        m_current.push_back(key);
    }

    std::vector<PlainShape> m_shapes;
    std::vector<PlainEntry> m_entries;
    std::vector<u64> m_pairs;
    std::vector<u64> m_previous;
    std::vector<u64> m_current;
    std::vector<PlainContact> m_contacts;
};

// The same detection by plain means over the same colliders.
void PlainSweep(benchmark::State& state)
{
    Stage stage;
    Scatter(stage, static_cast<u32>(state.range(0)));
    PlainDetection plain(stage.physics->GetColliders());
    // A second pass of each, where the first pass's contacts continue: the messages must carry
    // what the plain contacts hold, in the same order.
    stage.physics->DetectCollisions();
    stage.Drain();
    plain.Detect();
    stage.physics->DetectCollisions();
    plain.Detect();
    const std::vector<PlainContact>& expected = plain.GetContacts();
    std::size_t matching = 0;
    std::size_t told = 0;
    while (Message* message = stage.messages->PopFront())
    {
        if (message->type == CollideMessage::Type && told < expected.size())
        {
            const auto* collide = static_cast<const CollideMessage*>(message);
            const PlainContact& contact = expected[told];
            matching +=
                collide->targetObjectId == contact.self &&
                collide->otherObjectId == contact.other && collide->newContact == contact.isNew &&
                collide->normal.x == contact.normal.x && collide->normal.y == contact.normal.y &&
                collide->normal.z == contact.normal.z;
        }
        ++told;
        DestroyMessage(message);
    }
    state.counters["differs"] = told == expected.size() && matching == told ? 0.0 : 1.0;
    u64 contacts = 0;
    for (auto _ : state)
    {
        contacts += plain.Detect();
        benchmark::ClobberMemory();
    }
    state.counters["contacts/pass"] =
        static_cast<double>(contacts) / static_cast<double>(state.iterations());
}

// 100 bodies pulled by joints toward the anchor through 100 fixed boxes: a crowd in contact.
void GameStep(benchmark::State& state)
{
    Stage stage;
    for (u32 i = 0; i < GameColliders - GameBodies; ++i)
        stage.Make(Transform(Math::RandRange(4.0f, 16.0f), Math::RandRange(-3.0f, 3.0f),
                             Math::RandRange(-3.0f, 3.0f), true) +
                   BoxXml + "<RigidBodyComponent><mass>0</mass></RigidBodyComponent>");
    for (u32 i = 0; i < GameBodies; ++i)
        stage.Make(Transform(Math::RandRange(0.0f, 20.0f), Math::RandRange(-4.0f, 4.0f),
                             Math::RandRange(-4.0f, 4.0f), false) +
                   SphereXml +
                   "<RigidBodyComponent><mass>1</mass></RigidBodyComponent>"
                   "<FixedJointComponent><f32>3</f32><f32>2</f32></FixedJointComponent>");
    for (int step = 0; step < WarmUpSteps; ++step)
    {
        stage.physics->Step(PhysicsSystem::FixedStep);
        stage.Drain();
    }
    u64 contacts = 0;
    const u64 before = Bench::HeapAllocations();
    for (auto _ : state)
    {
        stage.physics->Step(PhysicsSystem::FixedStep);
        contacts += stage.messages->GetQueueSize();
        stage.Drain();
    }
    const double steps = static_cast<double>(state.iterations());
    const double allocations = static_cast<double>(Bench::HeapAllocations() - before) / steps;
    const double messagesPerStep = static_cast<double>(contacts) / steps;

    // What the message system alone allocates for as many collision messages, posted and taken
    // in the same way: the rest is what the physics step allocates itself.
    const u32 perRound = static_cast<u32>(messagesPerStep);
    const u64 postedBefore = Bench::HeapAllocations();
    for (int round = 0; round < WarmUpSteps; ++round)
    {
        for (u32 i = 0; i < perRound; ++i)
            g_Engine->SendMessage(new CollideMessage(0, Math::Vector4(), 0, true, 0), 0.0f);
        stage.Drain();
    }
    const double messageAllocations =
        perRound == 0 ? 0.0
                      : static_cast<double>(Bench::HeapAllocations() - postedBefore) /
                            (static_cast<double>(WarmUpSteps) * perRound);
    state.counters["allocs/step"] = allocations;
    state.counters["msgs/step"] = messagesPerStep;
    state.counters["physics allocs/step"] = allocations - messageAllocations * messagesPerStep;
}

class PhysicsRatios : public RatioReporter
{
public:
    PhysicsRatios() : RatioReporter(ColoursOnlyOnTerminal()) {}

    void PrintRatios() const override
    {
        std::printf("\nCollision detection against the same detection by plain means (time "
                    "ratio; lower is better)\n");
        for (const char* size : {"1000", "10000"})
        {
            const auto detection = m_runs.find("Detection/" + std::string(size));
            const auto baseline = m_runs.find("PlainSweep/" + std::string(size));
            if (detection == m_runs.end() || baseline == m_runs.end() ||
                detection->second.time <= 0.0 || baseline->second.time <= 0.0)
                continue;
            const double ratio = detection->second.time / baseline->second.time;
            std::printf("%6s colliders  detection/plain %6.3f  target (<= %.0fx) %s\n", size, ratio,
                        DetectionTargetRatio, Verdict(ratio <= DetectionTargetRatio));
            const double engineContacts = detection->second.contacts;
            const double plainContacts = baseline->second.contacts;
            std::printf("%6s colliders  contacts per pass %.1f, plain %.1f  same %s\n", size,
                        engineContacts, plainContacts, Verdict(engineContacts == plainContacts));
        }
        const double walk = Time("AllPairs/1000");
        const double swept = Time("Detection/1000");
        if (walk > 0.0 && swept > 0.0)
            std::printf("  1000 colliders  all-pairs walk/detection %6.1f (no target)\n",
                        walk / swept);
        const auto game = m_runs.find("GameStep");
        if (game != m_runs.end())
        {
            const Result& step = game->second;
            std::printf("Game-sized step (%u colliders, %u bodies): %.1f us, %.1f collision "
                        "messages per step\n",
                        GameColliders, GameBodies, step.time, step.messages);
            std::printf("  heap allocations per step: %.2f in all, %.2f by physics itself (the "
                        "rest is the message queue)  target (%.0f in all) %s\n",
                        step.allocations, step.physicsAllocations, AllocationTarget,
                        Verdict(step.allocations <= AllocationTarget));
        }
    }

private:
    struct Result
    {
        double time = 0.0; // microseconds
        double allocations = 0.0;
        double messages = 0.0;
        double physicsAllocations = 0.0;
        double contacts = 0.0; // contacts (messages) per detection pass
        double differs = 1.0;  // the plain contacts and the messages differ
    };

    double Time(const std::string& name) const
    {
        const auto found = m_runs.find(name);
        return found != m_runs.end() ? found->second.time : 0.0;
    }

    void Record(const Run& run) override
    {
        Result& result = m_runs[run.run_name.function_name +
                                (run.run_name.args.empty() ? "" : "/" + run.run_name.args)];
        result.time = run.GetAdjustedRealTime();
        const auto allocations = run.counters.find("allocs/step");
        if (allocations != run.counters.end())
            result.allocations = allocations->second.value;
        const auto own = run.counters.find("physics allocs/step");
        if (own != run.counters.end())
            result.physicsAllocations = own->second.value;
        const auto contacts = run.counters.find("contacts/pass");
        if (contacts != run.counters.end())
            result.contacts = contacts->second.value;
        const auto differs = run.counters.find("differs");
        if (differs != run.counters.end())
            result.differs = differs->second.value;
        const auto messages = run.counters.find("msgs/step");
        if (messages != run.counters.end())
            result.messages = messages->second.value;
    }

    std::map<std::string, Result> m_runs;
};
} // namespace

BENCHMARK_CAPTURE(Detection, SortAndSweep, PhysicsSystem::Detection::SortAndSweep)
    ->Name("Detection")
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime();
BENCHMARK(PlainSweep)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK_CAPTURE(Detection, AllPairs, PhysicsSystem::Detection::AllPairs)
    ->Name("AllPairs")
    ->Arg(1000)
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime();
BENCHMARK(GameStep)->Unit(benchmark::kMicrosecond)->UseRealTime();

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    PhysicsRatios reporter;
    return RunAndPrintRatios(reporter);
}
