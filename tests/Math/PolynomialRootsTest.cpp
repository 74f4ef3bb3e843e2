#include "Math/PolynomialRoots.h"
#include "Math/Polynomial.h"
#include "Math/ScratchAllocator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

using namespace Math;

namespace
{
// (x - 1)(x - 2)(x - 3)(x - 4)
Polynomial FourRoots()
{
    Polynomial p(4);
    p[0] = 24;
    p[1] = -50;
    p[2] = 35;
    p[3] = -10;
    p[4] = 1;
    return p;
}

// Counts what goes through the scratch allocator hooks.
struct CountingAllocator
{
    static int allocations;
    static int releases;
    static std::size_t outstanding;
    static bool fail;

    static void* Allocate(std::size_t bytes)
    {
        if (fail)
        {
            return nullptr;
        }
        ++allocations;
        outstanding += bytes;
        return std::malloc(bytes);
    }
    static void Release(void* memory, std::size_t bytes)
    {
        ++releases;
        outstanding -= bytes;
        std::free(memory);
    }
};
int CountingAllocator::allocations = 0;
int CountingAllocator::releases = 0;
std::size_t CountingAllocator::outstanding = 0;
bool CountingAllocator::fail = false;

class CountingAllocatorScope
{
public:
    CountingAllocatorScope()
    {
        CountingAllocator::allocations = CountingAllocator::releases = 0;
        CountingAllocator::outstanding = 0;
        CountingAllocator::fail = false;
        ScratchAllocator hooks;
        hooks.allocate = &CountingAllocator::Allocate;
        hooks.release = &CountingAllocator::Release;
        SetScratchAllocator(hooks);
    }
    ~CountingAllocatorScope() { ResetScratchAllocator(); }
};
} // namespace

TEST(Polynomial, EvaluateDeriveAndCompress)
{
    Polynomial p = FourRoots();
    EXPECT_EQ(p.Evaluate(0), 24.0f);
    EXPECT_EQ(p.Evaluate(2), 0.0f);
    const Polynomial d = p.GetDerivative();
    EXPECT_EQ(d.GetDegree(), 3);
    EXPECT_EQ(d[0], -50.0f);
    EXPECT_EQ(d[3], 4.0f);
    EXPECT_EQ(Polynomial(0).GetDerivative().GetDegree(), 0);
    EXPECT_EQ(Polynomial(-1).Evaluate(3), 0.0f);

    Polynomial small(3);
    small[0] = 2;
    small[1] = 4;
    small[2] = 0.000001f;
    small[3] = -0.000002f;
    small.Compress(0.00001f);
    EXPECT_EQ(small.GetDegree(), 1);
    EXPECT_EQ(small[1], 1.0f);
    EXPECT_EQ(small[0], 0.5f);
}

TEST(PolynomialRoots, BoundIgnoresVanishingLeadingCoefficients)
{
    EXPECT_EQ(PolynomialRoots::GetBound(FourRoots()), 51.0f);
    Polynomial p(4);
    p[0] = -6;
    p[1] = 2;
    p[3] = 0.000001f;
    p[4] = -0.000003f;
    EXPECT_EQ(PolynomialRoots::GetBound(p), 4.0f) << "treated as 2x - 6";
    Polynomial constant(2);
    constant[0] = 3;
    EXPECT_EQ(PolynomialRoots::GetBound(constant), -1.0f);
}

TEST(PolynomialRoots, FindsTheFourRootsInOrder)
{
    PolynomialRoots roots;
    ASSERT_TRUE(roots.FindBisection(FourRoots(), 6));
    ASSERT_EQ(roots.GetCount(), 4);
    for (int i = 0; i < 4; ++i)
    {
        EXPECT_NEAR(roots.GetRoot(i), static_cast<f32>(i + 1), 0.00001f);
    }
}

TEST(PolynomialRoots, DoubleRootsAndNoRoots)
{
    // (x - 2)^2 (x + 1) = x^3 - 3x^2 + 4: the double root sits on a critical point.
    Polynomial p(3);
    p[0] = 4;
    p[1] = 0;
    p[2] = -3;
    p[3] = 1;
    PolynomialRoots roots;
    ASSERT_TRUE(roots.FindBisection(p, 6));
    ASSERT_EQ(roots.GetCount(), 2);
    EXPECT_NEAR(roots.GetRoot(0), -1.0f, 1e-4f);
    EXPECT_NEAR(roots.GetRoot(1), 2.0f, 1e-4f);

    Polynomial positive(2);
    positive[0] = 1;
    positive[2] = 1;
    EXPECT_FALSE(roots.FindBisection(positive, 6));
    EXPECT_EQ(roots.GetCount(), 0);
}

TEST(PolynomialRoots, GrowsForHigherDegrees)
{
    // (x - 1)(x - 2)(x - 3)(x - 4)(x - 5) with room for only 4 roots at first.
    Polynomial p(5);
    p[0] = -120;
    p[1] = 274;
    p[2] = -225;
    p[3] = 85;
    p[4] = -15;
    p[5] = 1;
    PolynomialRoots roots;
    ASSERT_TRUE(roots.FindBisection(p, 0.5f, 5.5f, 6));
    ASSERT_EQ(roots.GetCount(), 5);
    EXPECT_NEAR(roots.GetRoot(4), 5.0f, 1e-3f);
}

TEST(PolynomialRoots, BisectionOfAShortIntervalReportsItsMiddle)
{
    Polynomial line(1);
    line[0] = -1;
    line[1] = 1;
    const PolynomialRoots roots;
    f32 root = 0;
    EXPECT_TRUE(roots.Bisection(line, 0.99f, 1.000001f, 0, root));
    EXPECT_NEAR(root, 1.0f, 0.01f);
    EXPECT_FALSE(roots.Bisection(line, 2, 3, 6, root));
}

TEST(PolynomialRoots, BisectionEndsWhenTheIntervalCannotShrink)
{
    // An interval wider than the float range, or an absurd digit count, asks for billions of
    // halvings; the search still ends once the interval is down to neighbouring floats.
    Polynomial cubic(3);
    cubic[0] = -2;
    cubic[3] = 1;
    const PolynomialRoots roots;
    f32 root = 0;
    EXPECT_TRUE(roots.Bisection(cubic, -2e38f, 2e38f, 6, root));
    EXPECT_NEAR(root, std::cbrt(2.0f), 1e-6f);
    EXPECT_TRUE(roots.Bisection(cubic, 0, 2, 1000000000, root));
    EXPECT_NEAR(root, std::cbrt(2.0f), 1e-6f);
}

TEST(PolynomialRoots, ScratchMemoryGoesThroughTheHook)
{
    CountingAllocatorScope scope;
    {
        PolynomialRoots roots;
        ASSERT_TRUE(roots.FindBisection(FourRoots(), 6));
        EXPECT_GT(CountingAllocator::allocations, 1);
    }
    EXPECT_EQ(CountingAllocator::allocations, CountingAllocator::releases);
    EXPECT_EQ(CountingAllocator::outstanding, 0u);
}

TEST(PolynomialRoots, FailedAllocationReportsNoRoots)
{
    CountingAllocatorScope scope;
    CountingAllocator::fail = true;
    PolynomialRoots roots;
    EXPECT_FALSE(roots.FindBisection(FourRoots(), 6));
    EXPECT_EQ(roots.GetCount(), 0);
}
