#pragma once
// A value that moves at a rate and bounces between two bounds, negating the rate at every
// bounce; a bound whose stop flag is set ends the movement instead (the value is then left
// beyond that bound). Used for glowing, pulsing and fading. Invariant after construction or
// Set: min <= max and min <= value <= max. A plain value: trivially copyable.
#include "Math/Types.h"

namespace Math
{

class PingPongValue
{
public:
    // Bounds closer than this count as equal: such a value never moves.
    static constexpr f32 BOUND_TOLERANCE = 0.00001f;

    // All fields zero (the state Reset leaves).
    constexpr PingPongValue()
        : min(0.0f), max(0.0f), value(0.0f), rate(0.0f), stopAtMin(false), stopAtMax(false),
          finished(false)
    {
    }
    PingPongValue(f32 min_, f32 max_, f32 value_, f32 rate_, bool stopAtMin_, bool stopAtMax_);

    // Swaps reversed bounds, clamps the value into them and starts moving again; bounds within
    // BOUND_TOLERANCE of each other leave the record finished at once.
    void Set(f32 min_, f32 max_, f32 value_, f32 rate_, bool stopAtMin_, bool stopAtMax_);
    // All four floats and all three flags zero.
    void Reset();
    f32 GetValue() const { return value; }
    // The value held within the bounds: a movement that stopped at a bound (and so overshot
    // it) reads as that bound.
    f32 GetClampedValue() const { return value < min ? min : (value > max ? max : value); }
    // Moves the value by rate * dt and bounces it off the bounds as often as needed.
    void Update(f32 dt);

    f32 min;
    f32 max;
    f32 value;
    f32 rate;
    bool stopAtMin;
    bool stopAtMax;
    bool finished;

private:
    // Folds a value that is still outside the bounds after a few literal bounces back in one
    // step, negating the rate once per bounce it stands for.
    void FoldIntoRange();
};

} // namespace Math
