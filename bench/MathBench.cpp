// The hot math operations against the same arithmetic written on plain float arrays, in the
// same run: Matrix4 products, Quaternion rotations of vectors and ray-sphere tests, each over a
// batch of inputs drawn once from the engine's generator. After the table each engine time is
// printed as a ratio to its plain baseline; the target is at most 1.5.
#include "Math/Intersection.h"
#include "Math/MathUtils.h"
#include "Math/Matrix4.h"
#include "Math/Quaternion.h"
#include "bench/RatioReporter.h"
#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace
{
constexpr int BatchSize = 1024;
constexpr double TargetRatio = 1.5;
constexpr float InputRange = 10.0f;

float Draw()
{
    return Math::RandRange(-InputRange, InputRange);
}

// The same inputs in the engine's types and as plain float arrays.
struct Inputs
{
    std::vector<Math::Matrix4> matricesA, matricesB;
    std::vector<float> plainA, plainB; // 16 floats per matrix, row by row

    std::vector<Math::Quaternion> quaternions;
    std::vector<Math::Vector4> vectors;
    std::vector<float> plainQuaternions, plainVectors; // w x y z / x y z w

    std::vector<Math::Ray3> rays;
    std::vector<Math::Sphere3> spheres;
    std::vector<float> plainRays, plainSpheres; // origin, direction / centre, radius

    Inputs()
    {
        Math::SeedRand(1);
        for (int i = 0; i < BatchSize; ++i)
        {
            Math::Matrix4 a(true), b(true);
            for (int e = 0; e < 16; ++e)
            {
                a.m[e] = Draw();
                b.m[e] = Draw();
                plainA.push_back(a.m[e]);
                plainB.push_back(b.m[e]);
            }
            matricesA.push_back(a);
            matricesB.push_back(b);

            Math::Quaternion q(Draw(), Draw(), Draw(), Draw());
            q.Normalize();
            quaternions.push_back(q);
            plainQuaternions.insert(plainQuaternions.end(), {q.w, q.x, q.y, q.z});
            const Math::Vector4 v(Draw(), Draw(), Draw(), 0.0f);
            vectors.push_back(v);
            plainVectors.insert(plainVectors.end(), {v.x, v.y, v.z, v.w});

            const Math::Point4 origin(Draw(), Draw(), Draw(), 1.0f);
            const Math::Vector4 direction(Draw(), Draw(), Draw(), 0.0f);
            rays.emplace_back(origin, direction);
            plainRays.insert(plainRays.end(), {origin.x, origin.y, origin.z, origin.w, direction.x,
                                               direction.y, direction.z, direction.w});
            const Math::Point4 centre(Draw(), Draw(), Draw(), 1.0f);
            const float radius = std::fabs(Draw());
            spheres.emplace_back(centre, radius);
            plainSpheres.insert(plainSpheres.end(),
                                {centre.x, centre.y, centre.z, centre.w, radius});
        }
    }
};

const Inputs& GetInputs()
{
    static const Inputs inputs;
    return inputs;
}

void Matrix4MultiplyEngine(benchmark::State& state)
{
    const Inputs& in = GetInputs();
    std::vector<Math::Matrix4> out(BatchSize);
    for (auto _ : state)
    {
        for (int i = 0; i < BatchSize; ++i)
        {
            out[i] = in.matricesA[i] * in.matricesB[i];
        }
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * BatchSize);
}

void Matrix4MultiplyPlain(benchmark::State& state)
{
    const Inputs& in = GetInputs();
    std::vector<float> out(16 * BatchSize);
    for (auto _ : state)
    {
        for (int i = 0; i < BatchSize; ++i)
        {
            const float* a = &in.plainA[16 * i];
            const float* b = &in.plainB[16 * i];
            // Into a local first, as the engine's product builds its result: stores into the
            // output array could otherwise change the inputs for all the compiler knows.
            float product[16];
            for (int r = 0; r < 4; ++r)
            {
                for (int c = 0; c < 4; ++c)
                {
                    product[4 * r + c] = a[4 * r] * b[c] + a[4 * r + 1] * b[4 + c] +
                                         a[4 * r + 2] * b[8 + c] + a[4 * r + 3] * b[12 + c];
                }
            }
            std::memcpy(&out[16 * i], product, sizeof product);
        }
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * BatchSize);
}

void QuaternionRotateEngine(benchmark::State& state)
{
    const Inputs& in = GetInputs();
    std::vector<Math::Vector4> out(BatchSize);
    for (auto _ : state)
    {
        for (int i = 0; i < BatchSize; ++i)
        {
            out[i] = in.quaternions[i].Rotate(in.vectors[i]);
        }
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * BatchSize);
}

void QuaternionRotatePlain(benchmark::State& state)
{
    const Inputs& in = GetInputs();
    std::vector<float> out(4 * BatchSize);
    for (auto _ : state)
    {
        for (int i = 0; i < BatchSize; ++i)
        {
            const float* q = &in.plainQuaternions[4 * i];
            const float* v = &in.plainVectors[4 * i];
            float* o = &out[4 * i];
            const float w = q[0], x = q[1], y = q[2], z = q[3];
            const float vx = v[0], vy = v[1], vz = v[2], vw = v[3];
            const float xx = x * x, yy = y * y, zz = z * z;
            const float xy = x * y, xz = x * z, yz = y * z;
            const float wx = w * x, wy = w * y, wz = w * z;
            o[0] = (1.0f - 2.0f * (yy + zz)) * vx + 2.0f * (xy - wz) * vy + 2.0f * (xz + wy) * vz;
            o[1] = 2.0f * (xy + wz) * vx + (1.0f - 2.0f * (xx + zz)) * vy + 2.0f * (yz - wx) * vz;
            o[2] = 2.0f * (xz - wy) * vx + 2.0f * (yz + wx) * vy + (1.0f - 2.0f * (xx + yy)) * vz;
            o[3] = vw;
        }
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * BatchSize);
}

void RaySphereEngine(benchmark::State& state)
{
    const Inputs& in = GetInputs();
    for (auto _ : state)
    {
        int hits = 0;
        for (int i = 0; i < BatchSize; ++i)
        {
            Math::IntersectRay3Sphere3 query(in.rays[i], in.spheres[i]);
            hits += query.Test() ? 1 : 0;
        }
        benchmark::DoNotOptimize(hits);
    }
    state.SetItemsProcessed(state.iterations() * BatchSize);
}

void RaySpherePlain(benchmark::State& state)
{
    const Inputs& in = GetInputs();
    const float minimumLengthSquared = Math::EPSILON * Math::EPSILON;
    for (auto _ : state)
    {
        int hits = 0;
        for (int i = 0; i < BatchSize; ++i)
        {
            const float* ray = &in.plainRays[8 * i];
            const float* sphere = &in.plainSpheres[5 * i];
            const float* d = ray + 4;
            const float a = d[0] * d[0] + d[1] * d[1] + d[2] * d[2] + d[3] * d[3];
            if (a < minimumLengthSquared)
            {
                continue;
            }
            float diff[4];
            for (int k = 0; k < 4; ++k)
            {
                diff[k] = ray[k] - sphere[k];
            }
            const float b =
                2.0f * (d[0] * diff[0] + d[1] * diff[1] + d[2] * diff[2] + d[3] * diff[3]);
            const float c = diff[0] * diff[0] + diff[1] * diff[1] + diff[2] * diff[2] +
                            diff[3] * diff[3] - sphere[4] * sphere[4];
            hits += (b * b - 4.0f * a * c >= 0.0f) ? 1 : 0;
        }
        benchmark::DoNotOptimize(hits);
    }
    state.SetItemsProcessed(state.iterations() * BatchSize);
}

// Registered explicitly, in table order, from main.
void RegisterBenchmarks()
{
    benchmark::RegisterBenchmark("Matrix4Multiply/Engine", &Matrix4MultiplyEngine);
    benchmark::RegisterBenchmark("Matrix4Multiply/Plain", &Matrix4MultiplyPlain);
    benchmark::RegisterBenchmark("QuaternionRotate/Engine", &QuaternionRotateEngine);
    benchmark::RegisterBenchmark("QuaternionRotate/Plain", &QuaternionRotatePlain);
    benchmark::RegisterBenchmark("RaySphereTest/Engine", &RaySphereEngine);
    benchmark::RegisterBenchmark("RaySphereTest/Plain", &RaySpherePlain);
}

// Benchmark name -> (operation, contender).
const std::map<std::string, std::pair<std::string, std::string>> g_contenders = {
    {"Matrix4Multiply/Engine", {"Matrix4 multiply", "Engine"}},
    {"Matrix4Multiply/Plain", {"Matrix4 multiply", "Plain"}},
    {"QuaternionRotate/Engine", {"Quaternion rotate", "Engine"}},
    {"QuaternionRotate/Plain", {"Quaternion rotate", "Plain"}},
    {"RaySphereTest/Engine", {"Ray-sphere test", "Engine"}},
    {"RaySphereTest/Plain", {"Ray-sphere test", "Plain"}},
};

// Keeps each run's time per item so that the ratios can be printed after the table.
class MathRatios : public RatioReporter
{
public:
    MathRatios() : RatioReporter(ColoursOnlyOnTerminal()) {}

    void PrintRatios() const override
    {
        std::printf("\nRatios (engine time / plain float-array time; lower is better)\n");
        for (const auto& [operation, times] : m_times)
        {
            if (times.count("Engine") == 0 || times.count("Plain") == 0)
                continue;
            const double ratio = times.at("Engine") / times.at("Plain");
            std::printf("%-20s engine/plain %6.3f  target (<= %.1f) %s\n", operation.c_str(), ratio,
                        TargetRatio, Verdict(ratio <= TargetRatio));
        }
    }

private:
    void Record(const Run& run) override
    {
        const auto contender = g_contenders.find(run.run_name.function_name);
        if (contender != g_contenders.end())
            m_times[contender->second.first][contender->second.second] = run.GetAdjustedRealTime();
    }

    std::map<std::string, std::map<std::string, double>> m_times;
};
} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    RegisterBenchmarks();
    MathRatios reporter;
    return RunAndPrintRatios(reporter);
}
