#pragma once
// An ordered list of byte strings with load from and save to a text file.

#include <string>
#include <string_view>
#include <vector>

namespace vemo {

// Splits file content into lines: the content ends at the first NUL; a line ends at CR, LF or
// CR LF (LF CR ends two lines); a line end at the very end adds no empty line.
std::vector<std::string> SplitLines(std::string_view content);

class LineTable {
public:
    // Replaces the contents by the lines of the file; throws FileError and keeps the contents
    // when the file cannot be opened.
    void LoadFromFile(const std::string& fileName);
    void LoadFromBytes(std::string_view content);
    // Writes every line followed by CR LF. The file is replaced only when every byte was written:
    // FileError when it cannot be created, WriteError when writing fails; the old file stays.
    void SaveToFile(const std::string& fileName) const;

    int Count() const { return static_cast<int>(lines_.size()); }
    const std::string& Get(int index) const { return lines_.at(index); }
    void Set(int index, std::string line) { lines_.at(index) = std::move(line); }
    void Append(std::string line) { lines_.push_back(std::move(line)); }
    void Clear() { lines_.clear(); }
    const std::vector<std::string>& Lines() const { return lines_; }

private:
    std::vector<std::string> lines_;
};

} // namespace vemo
