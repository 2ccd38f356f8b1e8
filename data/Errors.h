#pragma once
// The errors the data layer raises. Messages are Windows-1250 text; ReportText makes the shown
// form. The core reports failure by throwing Error; an ordinary "no value" is a std::optional.

#include <exception>
#include <string>
#include <string_view>

namespace vemo {

class Error : public std::exception {
public:
    explicit Error(std::string message) : message_(std::move(message)) {}
    const char* what() const noexcept override { return message_.c_str(); }
    const std::string& Message() const noexcept { return message_; }

private:
    std::string message_;
};

// "Nelze vytvořit soubor <name>": a file that cannot be opened for reading or created for writing.
Error FileError(std::string_view fileName);
// "Stream write error": writing failed after the file was created.
Error WriteError();

// The text the window's error report and vemo-data show for message: "." is appended unless
// message is empty or its last byte's code is at most that of ".".
std::string ReportText(std::string_view message);

} // namespace vemo
