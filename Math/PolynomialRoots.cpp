#include "Math/PolynomialRoots.h"

#include "Math/MathUtils.h"
#include "Math/ScratchAllocator.h"

#include <cmath>
#include <iostream>

namespace Math
{
namespace
{
// Coefficients below this count as zero when bounding the roots.
constexpr f32 BOUND_EPSILON = 0.00001f;

f32* AllocateFloats(s32 count)
{
    const std::size_t bytes = static_cast<std::size_t>(count) * sizeof(f32);
    f32* memory = static_cast<f32*>(AllocateScratch(bytes));
    if (!memory && bytes > 0)
    {
        std::cerr << "Error [PolynomialRoots]: scratch allocation of " << bytes
                  << " bytes failed; no roots reported\n";
    }
    return memory;
}

void ReleaseFloats(f32* memory, s32 count)
{
    ReleaseScratch(memory, static_cast<std::size_t>(count) * sizeof(f32));
}

// A scratch array of floats that goes back to the allocator at the end of the scope.
class ScratchFloats
{
public:
    explicit ScratchFloats(s32 count) : m_count(count), m_data(AllocateFloats(count)) {}
    ~ScratchFloats() { ReleaseFloats(m_data, m_count); }
    ScratchFloats(const ScratchFloats&) = delete;
    ScratchFloats& operator=(const ScratchFloats&) = delete;

    f32* Data() const { return m_data; }

private:
    s32 m_count;
    f32* m_data;
};
} // namespace

PolynomialRoots::PolynomialRoots(f32 epsilon, s32 capacity)
    : m_epsilon(epsilon), m_count(0), m_capacity(0), m_roots(nullptr)
{
    Reserve(capacity);
}

PolynomialRoots::~PolynomialRoots()
{
    ReleaseFloats(m_roots, m_capacity);
}

bool PolynomialRoots::Reserve(s32 capacity)
{
    ReleaseFloats(m_roots, m_capacity);
    m_capacity = 0;
    m_count = 0;
    m_roots = capacity > 0 ? AllocateFloats(capacity) : nullptr;
    if (m_roots)
    {
        m_capacity = capacity;
    }
    return m_roots != nullptr;
}

f32 PolynomialRoots::GetBound(const Polynomial& polynomial)
{
    Polynomial compressed = polynomial;
    compressed.Compress(BOUND_EPSILON);
    const s32 degree = compressed.GetDegree();
    if (degree < 1)
    {
        return -1.0f;
    }
    // After compressing the highest coefficient is 1, so the lower ones are already scaled.
    f32 largest = 0.0f;
    for (s32 i = 0; i < degree; ++i)
    {
        largest = std::fmax(largest, std::fabs(compressed[i]));
    }
    return 1.0f + largest;
}

bool PolynomialRoots::FindBisection(const Polynomial& polynomial, s32 digits)
{
    const f32 bound = GetBound(polynomial);
    if (bound < 0.0f)
    {
        m_count = 0;
        return false;
    }
    return FindBisection(polynomial, -bound, bound, digits);
}

bool PolynomialRoots::FindBisection(const Polynomial& polynomial, f32 x0, f32 x1, s32 digits)
{
    m_count = 0;
    const s32 degree = polynomial.GetDegree();
    if (degree < 1)
    {
        // A constant has no isolated roots.
        return false;
    }
    if (degree > m_capacity && !Reserve(degree))
    {
        return false;
    }

    f32 root = 0.0f;
    if (degree == 1)
    {
        if (Bisection(polynomial, x0, x1, digits, root))
        {
            m_roots[0] = root;
            m_count = 1;
        }
        return m_count > 0;
    }

    // Between neighbouring critical points the polynomial is monotonic: one bisection each.
    FindBisection(polynomial.GetDerivative(), x0, x1, digits);
    const s32 criticalCount = m_count;
    m_count = 0;
    ScratchFloats found(criticalCount + 1);
    if (!found.Data())
    {
        return false;
    }
    s32 foundCount = 0;
    if (criticalCount == 0)
    {
        if (Bisection(polynomial, x0, x1, digits, root))
        {
            found.Data()[foundCount++] = root;
        }
    }
    else
    {
        if (Bisection(polynomial, x0, m_roots[0], digits, root))
        {
            found.Data()[foundCount++] = root;
        }
        for (s32 i = 0; i + 1 < criticalCount; ++i)
        {
            if (Bisection(polynomial, m_roots[i], m_roots[i + 1], digits, root))
            {
                found.Data()[foundCount++] = root;
            }
        }
        if (Bisection(polynomial, m_roots[criticalCount - 1], x1, digits, root))
        {
            found.Data()[foundCount++] = root;
        }
    }

    // A root at a critical point is found from both sides: keep it once.
    for (s32 i = 0; i < foundCount; ++i)
    {
        if (i == 0 || std::fabs(found.Data()[i] - found.Data()[i - 1]) > m_epsilon)
        {
            m_roots[m_count++] = found.Data()[i];
        }
    }
    return m_count > 0;
}

bool PolynomialRoots::Bisection(const Polynomial& polynomial, f32 x0, f32 x1, s32 digits,
                                f32& root) const
{
    f32 p0 = polynomial.Evaluate(x0);
    if (std::fabs(p0) < m_epsilon)
    {
        root = x0;
        return true;
    }
    const f32 p1 = polynomial.Evaluate(x1);
    if (std::fabs(p1) < m_epsilon)
    {
        root = x1;
        return true;
    }
    // No sign change (or no number to compare): no root here.
    if (!(p0 * p1 <= 0.0f))
    {
        return false;
    }

    // Halvings that shrink the interval to 10^-digits.
    const s32 steps = RoundToInt((std::log(x1 - x0) + static_cast<f32>(digits) * LN10) * INV_LN2);
    root = (x0 + x1) * 0.5f;
    for (s32 i = 0; i < steps; ++i)
    {
        const f32 middle = (x0 + x1) * 0.5f;
        root = middle;
        // The interval is down to two neighbouring floats: further halvings would only repeat
        // this root. Stopping here also bounds the loop when the step count is huge (an
        // interval wider than the float range, or an absurd number of digits).
        if (middle == x0 || middle == x1)
        {
            break;
        }
        const f32 value = polynomial.Evaluate(middle);
        const f32 product = value * p0;
        if (product < 0.0f)
        {
            x1 = middle;
        }
        else if (product > 0.0f)
        {
            x0 = middle;
            p0 = value;
        }
        else
        {
            break;
        }
    }
    return true;
}

} // namespace Math
