#pragma once
// A polynomial with float coefficients; coefficient i belongs to x^i. A negative degree is the
// empty polynomial (no coefficients).
#include "Math/Types.h"

#include <cassert>
#include <vector>

namespace Math
{

class Polynomial
{
public:
    explicit Polynomial(s32 degree = -1)
        : m_degree(degree), m_coefficients(degree >= 0 ? degree + 1 : 0, 0.0f)
    {
    }

    s32 GetDegree() const { return m_degree; }
    f32& operator[](s32 i)
    {
        assert(i >= 0 && i <= m_degree && "Polynomial coefficient index out of range");
        return m_coefficients[i];
    }
    f32 operator[](s32 i) const
    {
        assert(i >= 0 && i <= m_degree && "Polynomial coefficient index out of range");
        return m_coefficients[i];
    }

    // Horner's rule from the highest coefficient; the empty polynomial evaluates to 0.
    f32 Evaluate(f32 x) const;
    // Coefficients (i + 1) c(i + 1); the derivative of a constant is the constant 0.
    Polynomial GetDerivative() const;
    // Drops leading coefficients of magnitude below epsilon, then scales so that the highest
    // remaining coefficient is exactly 1.
    void Compress(f32 epsilon);

private:
    s32 m_degree;
    std::vector<f32> m_coefficients;
};

} // namespace Math
