#pragma once
// The errors the data layer raises. Messages are Windows-1250 text; ReportText makes the shown
// form. The core reports failure by throwing Error; an ordinary "no value" is a std::optional.

#include <exception>
#include <string>
#include <string_view>

namespace vemo {

class Error : public std::exception {
public:
    explicit Error(std::string message, std::string reason = {})
        : message_(std::move(message)), reason_(std::move(reason)) {}
    const char* what() const noexcept override { return message_.c_str(); }
    const std::string& Message() const noexcept { return message_; }
    // The system's own words for the cause ("No space left on device"), or empty. Kept apart
    // from the message, which the window shows unchanged.
    const std::string& Reason() const noexcept { return reason_; }

private:
    std::string message_;
    std::string reason_;
};

// "Nelze vytvořit soubor <name>": a file that cannot be opened for reading or created for writing.
Error FileError(std::string_view fileName, std::string reason = {});
// "Stream write error": writing failed after the file was created.
Error WriteError(std::string reason = {});

// The text the window's error report and vemo-data show for message: "." is appended unless
// message is empty or its last byte's code is at most that of ".".
std::string ReportText(std::string_view message);

} // namespace vemo
