#pragma once
// The errors the data layer raises. Messages are Windows-1250 text, shown as they stand.

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

} // namespace vemo
