#pragma once
// A small timed animation of one game object: it moves, scales or fades the object, or turns or
// zooms its camera, towards a target value over a duration. Scripts and game code create an
// action with new, hand it to the object in an ActionMessage of kind 12 (add), and the object's
// ActionListComponent advances it once per frame until it is done.
//
// Ownership: the kind-12 message owns its action until a list takes it (Adopt); from then on
// the list owns it and deletes it when it is done or when the list shuts down. An action that
// was never adopted is deleted by its message and announces nothing.
//
// Announcements: an action posts an ActionMessage of kind 13 (start) on its first update and,
// once adopted, one of kind 14 (finish) when it is destroyed. Both go to every system (target
// object 0); their action address only tells actions apart and is never dereferenced.
//
// Lanes: the object actions (move, scale, fade) occupy lane 1, so only the first unfinished one
// of them runs in a frame; the camera actions occupy no lane and run beside them. A blocking
// action holds back every action behind it in its list until it is done.
//
// Main thread only.
#include "Math/Types.h"

class GameObject;

class Action
{
public:
    // Lane masks.
    static constexpr u16 NoLanes = 0;     // camera actions
    static constexpr u16 ObjectLanes = 1; // actions that change the object itself
    // States.
    static constexpr s16 NotStarted = -1;
    static constexpr s16 Running = 0;
    static constexpr s16 Finished = 1;

    Action(u16 lanes, bool blocking);
    // Posts kind 14 when a list has adopted the action.
    virtual ~Action();
    Action(const Action&) = delete;
    Action& operator=(const Action&) = delete;

    // One step of the action on its owner. The base action has nothing to do and is done at
    // once.
    virtual void Update(f32 seconds, GameObject& owner);

    u16 GetLanes() const { return m_lanes; }
    bool IsBlocking() const { return m_blocking; }
    s16 GetState() const { return m_state; }
    bool IsFinished() const { return m_state == Finished; }

    // Called by the list that takes the action over; only adopted actions announce their end.
    void Adopt() { m_adopted = true; }
    bool IsAdopted() const { return m_adopted; }

protected:
    // The first step of every update: a new action starts running and posts kind 13.
    void Start();
    void Finish() { m_state = Finished; }

    // The interpolation step shared by the kinds. f = seconds / remaining; while running and
    // f < 1 the remaining time shrinks and the fraction f (clamped to [0, 1]) is returned with
    // true. Otherwise (the last step, a zero duration) the action is finished and false says
    // "jump to the target". Multiply the distance to the target by the fraction.
    bool Advance(f32 seconds, f32& remaining, f32& fraction);

private:
    u16 m_lanes;
    bool m_blocking;
    bool m_adopted;
    s16 m_state;
};
