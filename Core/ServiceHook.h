#pragma once
// One service hook: a function a higher layer lends to a lower one, so that the lower layer can
// act at once on something it cannot include (the game-state system's pause flag, the physics
// colliders). The owning subsystem installs its function when it starts and removes it when it
// stops; until then, and after, a call does nothing and answers the return type's default
// (0, false, an empty name). Hooks are grouped per layer in one table, <Layer>Services.h.
//
// Main thread only: install and remove outside of any call through the hook.
#include <utility>

template <typename Signature> class ServiceHook;

template <typename Result, typename... Args> class ServiceHook<Result(Args...)>
{
public:
    using Function = Result (*)(Args...);

    // Replaces whatever function was installed; a null function empties the hook.
    void Install(Function function) { m_function = function; }
    // Removes the function only if it is still the one installed, so that an owner that stops
    // late cannot remove its successor's function.
    void Remove(Function function)
    {
        if (m_function == function)
            m_function = nullptr;
    }
    bool IsInstalled() const { return m_function != nullptr; }

    // The installed function's answer, or the default answer when none is installed.
    Result operator()(Args... args) const
    {
        if (m_function == nullptr)
            return Result();
        return m_function(std::forward<Args>(args)...);
    }

private:
    Function m_function = nullptr;
};
