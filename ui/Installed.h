// The one object of a kind that the running program uses (its material
// database, view options, pictures, ...): the program's context installs its
// own for its life, a test installs fresh ones, and code reaches the one
// installed. Before any is installed a default one serves.
#pragma once

namespace ui {

template <typename State>
State*& installedSlot()
{
    static State* slot = nullptr;
    return slot;
}

// The installed object, or the default one.
template <typename State>
State& installed()
{
    if (State* state = installedSlot<State>()) {
        return *state;
    }
    static State fallback;
    return fallback;
}

// Installs an object for the life of the guard; the one before comes back after.
template <typename State>
class Install {
public:
    explicit Install(State& state) : previous_(installedSlot<State>()) { installedSlot<State>() = &state; }
    ~Install() { installedSlot<State>() = previous_; }
    Install(const Install&) = delete;
    Install& operator=(const Install&) = delete;

private:
    State* previous_;
};

}  // namespace ui
