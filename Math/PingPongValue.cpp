#include "Math/PingPongValue.h"

#include <cmath>

namespace Math
{
namespace
{
// Bounces done one by one before the rest of an overshoot is folded arithmetically. Every
// combination of stop flags that can stop the value does so within two bounces, so only an
// unstoppable value ever reaches the fold.
constexpr int LITERAL_BOUNCES = 4;
} // namespace

PingPongValue::PingPongValue(f32 min_, f32 max_, f32 value_, f32 rate_, bool stopAtMin_,
                             bool stopAtMax_)
    : PingPongValue()
{
    Set(min_, max_, value_, rate_, stopAtMin_, stopAtMax_);
}

void PingPongValue::Set(f32 min_, f32 max_, f32 value_, f32 rate_, bool stopAtMin_, bool stopAtMax_)
{
    min = min_;
    max = max_;
    value = value_;
    rate = rate_;
    stopAtMin = stopAtMin_;
    stopAtMax = stopAtMax_;
    finished = false;
    if (min > max)
    {
        const f32 swap = min;
        min = max;
        max = swap;
    }
    if (value < min)
    {
        value = min;
    }
    else if (value > max)
    {
        value = max;
    }
    if (min >= max - BOUND_TOLERANCE)
    {
        finished = true;
    }
}

void PingPongValue::Reset()
{
    *this = PingPongValue();
}

void PingPongValue::Update(f32 dt)
{
    if (finished)
    {
        return;
    }
    // The fields are public: bounds made equal after Set leave no room to move in.
    if (max + BOUND_TOLERANCE >= min && min >= max - BOUND_TOLERANCE)
    {
        return;
    }
    value = rate * dt + value;
    for (int bounce = 0; bounce < LITERAL_BOUNCES; ++bounce)
    {
        if (value > max)
        {
            rate = -rate;
            if (stopAtMax)
            {
                finished = true;
                return;
            }
            value = max - (value - max);
        }
        else if (value < min)
        {
            rate = -rate;
            if (stopAtMin)
            {
                finished = true;
                return;
            }
            value = min - value + min;
        }
        else
        {
            return;
        }
    }
    FoldIntoRange();
}

void PingPongValue::FoldIntoRange()
{
    if (value >= min && value <= max)
    {
        return;
    }
    if (!std::isfinite(value))
    {
        // An infinite step has no meaningful bounce count: rest on the bound it crossed.
        if (!std::isnan(value))
        {
            value = value > max ? max : min;
            rate = -rate;
        }
        return;
    }

    // The bouncing value is a triangle wave over the unfolded distance u from min: period
    // 2 span, one bounce at every multiple of span that u passes.
    const f64 span = static_cast<f64>(max) - static_cast<f64>(min);
    const f64 u = static_cast<f64>(value) - static_cast<f64>(min);
    const f64 bounces = u > span ? std::ceil(u / span) - 1.0 : std::ceil(-u / span);
    f64 phase = std::fmod(u, 2.0 * span);
    if (phase < 0.0)
    {
        phase += 2.0 * span;
    }
    const f64 folded = phase <= span ? phase : 2.0 * span - phase;
    value = static_cast<f32>(static_cast<f64>(min) + folded);
    if (value > max)
    {
        value = max;
    }
    if (std::fmod(bounces, 2.0) != 0.0)
    {
        rate = -rate;
    }
}

} // namespace Math
