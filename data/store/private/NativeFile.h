#pragma once
// Internal to the whole-file read and the safe save: what they ask of the platform's file calls
// (SaveSystemPosix.cpp or SaveSystemWindows.cpp, chosen in CMakeLists.txt).

#include <cstddef>
#include <cstdint>
#include <string>

namespace vemo {

// Causes of our own, in Czech like the messages they follow.
inline constexpr const char* kNotRegular = "není to obyčejný soubor";
inline constexpr const char* kHardLinks =
    "soubor má více pevných odkazů a nový obsah by dostal jen jeden z nich";
inline constexpr const char* kFolderNotWritable = "do složky nelze zapisovat";

// A regular file open for the read; others may read it meanwhile (and on Windows not write it).
class InputFile {
public:
    // Opens fileName without ever waiting for a FIFO's writer (but for the holder of a lease,
    // as a plain open would). FileError naming fileName when it cannot be opened or is a folder,
    // FIFO, socket or device.
    explicit InputFile(const std::string& fileName);
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    // The size the file had when opened.
    std::uint64_t Size() const { return size_; }
    // Reads at most size bytes into data: the count read, 0 at the file's end. FileError when
    // the read fails.
    std::size_t Read(char* data, std::size_t size);

private:
    const std::string& fileName_; // named by the errors; outlives the file
    std::intptr_t handle_;        // a descriptor or a Windows handle
    std::uint64_t size_ = 0;
};

// The file that a save of fileName replaces: the target of a link rather than the link itself,
// also when the target does not exist yet. Empty with the reason in problem when the links loop.
std::string ReplacedFile(const std::string& fileName, std::string& problem);

// Why the target cannot be replaced, or empty when it can: it exists and is no regular file, is
// not writable or has more than one hard link. A missing folder is left to the temporary file.
std::string TargetProblem(const std::string& fileName);

// The folder part of name with its last separator ("" for a bare name).
std::string FolderOf(const std::string& name);

// A name of a few bytes in the folder of target, so that the temporary file fits wherever the
// target does and the rename stays within one file system; each call gives another.
std::string TempName(const std::string& target, unsigned processId);

// Each temporary name is tried once per process; the suffix only has to differ from names
// another save or another process is using at the same moment.
inline constexpr int kTempAttempts = 100;

} // namespace vemo
