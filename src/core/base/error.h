#pragma once

#include <exception>
#include <string>

namespace tarvenne {

// A failure whose message is exactly the text the player reads in the error box.
// Failures are raised with one message and never caught by the launcher's own code;
// only the toolkit boundary turns them into the error box.
class Error : public std::exception {
public:
    explicit Error(std::u16string message);

    const std::u16string& message() const noexcept { return message_; }
    // The message in UTF-8, for logs of tools and test output.
    const char* what() const noexcept override { return utf8_.c_str(); }

private:
    std::u16string message_;
    std::string utf8_;
};

// A failure raised only to unwind; it is never shown to anyone.
class Abort : public std::exception {
public:
    const char* what() const noexcept override { return "Abort"; }
};

} // namespace tarvenne
