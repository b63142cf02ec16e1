#pragma once

#include <string>

// The two settings the window keeps per user.
struct TapwerkValues {
    std::string interval = "2000";  // the interval field's text, stored unchanged
    std::string enter = "0";        // "1" when the Enter option is ticked, "0" otherwise
};

// Where the window keeps its settings. Every call is one complete access: nothing is cached.
class TapwerkSettings {
public:
    virtual ~TapwerkSettings() = default;

    // Both values; a value that is not stored keeps its default. Raises Exception (the
    // registry's "Invalid data type for '%s'") for a value stored with another type than text;
    // nothing is read after that value.
    [[nodiscard]] virtual TapwerkValues Read() = 0;
    // Store one value; raise Exception ("Failed to set data for '%s'") when refused.
    virtual void WriteInterval(const std::string& interval) = 0;
    virtual void WriteEnter(const std::string& enter) = 0;
};

// The settings as the text values "Interval" and "Enter" of the key
// "Software\Brindlex\Tapwerk" in the current user's registry hive. The key is created when it
// is missing; when it cannot be opened, reads find nothing and writes fail.
class RegistryTapwerkSettings final : public TapwerkSettings {
public:
    [[nodiscard]] TapwerkValues Read() override;
    void WriteInterval(const std::string& interval) override;
    void WriteEnter(const std::string& enter) override;
};
