#include "Math/Polynomial.h"

#include <cmath>

namespace Math
{

f32 Polynomial::Evaluate(f32 x) const
{
    if (m_degree < 0)
    {
        return 0.0f;
    }
    f32 result = m_coefficients[m_degree];
    for (s32 i = m_degree - 1; i >= 0; --i)
    {
        result = result * x + m_coefficients[i];
    }
    return result;
}

Polynomial Polynomial::GetDerivative() const
{
    if (m_degree <= 0)
    {
        return Polynomial(0);
    }
    Polynomial derivative(m_degree - 1);
    for (s32 i = 0; i < m_degree; ++i)
    {
        derivative.m_coefficients[i] = static_cast<f32>(i + 1) * m_coefficients[i + 1];
    }
    return derivative;
}

void Polynomial::Compress(f32 epsilon)
{
    while (m_degree >= 0 && std::fabs(m_coefficients[m_degree]) < epsilon)
    {
        --m_degree;
    }
    m_coefficients.resize(m_degree >= 0 ? m_degree + 1 : 0);
    if (m_degree >= 0)
    {
        const f32 inverse = 1.0f / m_coefficients[m_degree];
        for (s32 i = 0; i < m_degree; ++i)
        {
            m_coefficients[i] *= inverse;
        }
        m_coefficients[m_degree] = 1.0f;
    }
}

} // namespace Math
