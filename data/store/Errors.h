#pragma once
// The errors the data layer raises. Messages are Windows-1250 text; ReportText makes the shown
// form. The core reports failure by throwing Error; an ordinary "no value" is a std::optional.

#include <exception>
#include <string>
#include <string_view>

namespace vemo {

class Error : public std::exception {
public:
    // message is Windows-1250 text.
    explicit Error(std::string message, std::string reason = {});
    // A message that names a file: the Windows-1250 words before and after it, the name as the
    // user gave it.
    static Error Naming(std::string_view before, std::string fileName, std::string_view after = {},
                        std::string reason = {});
    const char* what() const noexcept override { return message_.c_str(); }
    // The Windows-1250 words with the file name's bytes as given among them: the raw form.
    const std::string& Message() const noexcept { return message_; }
    // The file the message names, as given (UTF-8 where the program makes the name); or empty.
    const std::string& FileName() const noexcept { return fileName_; }
    // The message for a display in UTF-8: the words converted, the file name left as it is, so
    // that a name the user typed reads as typed.
    std::string Utf8Message() const;
    // The system's own words for the cause, in the user's language where the system has it, or
    // a cause of our own in Czech; UTF-8, or empty. Kept apart from the message, which the
    // window shows unchanged.
    const std::string& Reason() const noexcept { return reason_; }

private:
    std::string message_;
    std::string reason_;
    std::string fileName_;
    std::size_t nameAt_ = 0; // where the file name stands in message_
};

// "Nelze vytvořit soubor <name>": a file that cannot be opened for reading or created for writing.
Error FileError(std::string fileName, std::string reason = {});
// "Stream write error": writing failed after the file was created.
Error WriteError(std::string reason = {});

// The system's words for an error code (errno on Linux, GetLastError() on Windows), in the
// language of the program's locale where the system has it, as UTF-8.
std::string SystemReason(int code);
// The system's words for a size beyond what a buffer or a table can hold, and for memory that
// could not be had.
std::string TooLargeReason();
std::string NoMemoryReason();

// The text the window's error report and vemo-data show for message: "." is appended unless
// message is empty or its last byte's code is at most that of ".".
std::string ReportText(std::string_view message);

} // namespace vemo
