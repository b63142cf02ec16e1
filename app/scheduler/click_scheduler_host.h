#pragma once

#include <cstdint>
#include <string>

// What the click scheduler needs of the window it runs in. The main window implements it on
// its controls and on the system's input injection; tests implement it with plain fields and
// a record of the actions. Every call happens on the user-interface thread, inside a tick.
class ClickSchedulerHost {
public:
    virtual ~ClickSchedulerHost() = default;

    // Inputs, read at the moment they are needed and never cached.
    [[nodiscard]] virtual std::string IntervalText() const = 0;  // wait in milliseconds
    [[nodiscard]] virtual std::string UpperText() const = 0;     // random upper bound, ms
    [[nodiscard]] virtual bool RandomOn() const = 0;
    [[nodiscard]] virtual bool EnterOn() const = 0;
    [[nodiscard]] virtual bool Running() const = 0;

    // Switches the automation off (the start toggle).
    virtual void StopRunning() = 0;

    // The actions. Each may throw; the scheduler swallows the failure and skips the actions
    // after it in the same tick.
    virtual void PressEnter() = 0;  // one press and release of Enter, to the focused window
    virtual void ClickLeft() = 0;   // one primary-button click where the pointer is
    [[nodiscard]] virtual uint32_t LinkColour() const = 0;
    virtual void SetLinkColour(uint32_t colour) = 0;

    // Replaces the text of the countdown display.
    virtual void ShowCountdown(const std::string& text) = 0;
};
