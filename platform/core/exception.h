#pragma once

#include <exception>
#include <string>

// The general error of the platform layer: a message text and nothing else. Components raise
// it (or one of the kinds below) where their callers expect the platform's errors; callers
// that do not care about the kind catch Exception and show Message().
class Exception : public std::exception {
public:
    explicit Exception(std::string message) : message_(std::move(message)) {}

    [[nodiscard]] const std::string& Message() const noexcept { return message_; }
    [[nodiscard]] const char* what() const noexcept override { return message_.c_str(); }

private:
    std::string message_;
};

// A text that is not a number of the wanted form ("'%s' is not a valid integer value").
class EConvertError : public Exception {
    using Exception::Exception;
};

// A position outside a text list ("List index out of bounds (%d)").
class EStringListError : public Exception {
    using Exception::Exception;
};

// Replaces the first "%s" of pattern with argument; the platform's messages carry one
// argument each, so this is all the formatting they need.
[[nodiscard]] std::string FormatMessage(const std::string& pattern, const std::string& argument);
