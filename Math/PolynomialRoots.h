#pragma once
// Real roots of a polynomial by bisection between the roots of its derivative. The roots are
// kept in an array taken from the scratch allocator (ScratchAllocator.h) and returned to it on
// destruction; each search also takes and returns a scratch array per derivative level.
#include "Math/Polynomial.h"

#include <cassert>

namespace Math
{

class PolynomialRoots
{
public:
    static constexpr f32 DEFAULT_EPSILON = 0.00001f;
    static constexpr s32 DEFAULT_CAPACITY = 4;

    explicit PolynomialRoots(f32 epsilon = DEFAULT_EPSILON, s32 capacity = DEFAULT_CAPACITY);
    ~PolynomialRoots();
    PolynomialRoots(const PolynomialRoots&) = delete;
    PolynomialRoots& operator=(const PolynomialRoots&) = delete;

    // Finds the real roots within the root bound, to the given number of decimal digits.
    // Answers whether any was found; the roots are then sorted in increasing order.
    bool FindBisection(const Polynomial& polynomial, s32 digits);
    // The same on [x0, x1].
    bool FindBisection(const Polynomial& polynomial, f32 x0, f32 x1, s32 digits);
    // One root of a polynomial that changes sign on [x0, x1] (or vanishes at an end).
    bool Bisection(const Polynomial& polynomial, f32 x0, f32 x1, s32 digits, f32& root) const;

    // 1 + the largest magnitude of the lower coefficients after compressing: every real root
    // lies within +-bound. -1 for a polynomial that compresses below degree 1.
    static f32 GetBound(const Polynomial& polynomial);

    s32 GetCount() const { return m_count; }
    const f32* GetRoots() const { return m_roots; }
    f32 GetRoot(s32 i) const
    {
        assert(i >= 0 && i < m_count && "PolynomialRoots root index out of range");
        return m_roots[i];
    }

private:
    // Makes room for capacity roots; false (and no roots) when the allocator fails.
    bool Reserve(s32 capacity);

    f32 m_epsilon;
    s32 m_count;
    s32 m_capacity;
    f32* m_roots;
};

} // namespace Math
