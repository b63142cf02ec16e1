#pragma once

#include <memory>

#include "core/exception.h"

// Input that the system delivers to other applications exactly as if the user had pressed a
// key or a button: the key goes to the window with the keyboard focus, the click to the window
// under the pointer. Used on the user-interface thread.
class InputInjector {
public:
    virtual ~InputInjector() = default;

    // One press and release of the Enter (Return) key.
    virtual void PressEnter() = 0;
    // One press and release of the primary mouse button where the pointer is; the pointer is
    // never moved.
    virtual void ClickLeft() = 0;
};

// Raised when input cannot be injected, for instance without an X display or without the
// XTEST extension; the message says why.
class EInputInjectionError : public Exception {
    using Exception::Exception;
};

// The injector of this system. It connects to the display on first use (so creating it never
// fails) and keeps the connection until it is destroyed; every call then raises
// EInputInjectionError as long as no display can be reached.
[[nodiscard]] std::unique_ptr<InputInjector> CreateSystemInputInjector();

// True if the X display named by $DISPLAY accepts a connection.
[[nodiscard]] bool X11DisplayReachable();
