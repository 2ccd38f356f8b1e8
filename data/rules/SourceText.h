#pragma once
// The maintainer's source files as spreadsheets save them: Windows-1250, or UTF-8 as most save
// CSV today. The data files hold Windows-1250 only.

#include "data/store/LineTable.h"

#include <string_view>

namespace vemo {

// Turns the lines of a UTF-8 source into Windows-1250 and leaves any other source as it is. A
// source is UTF-8 when its first line starts with the byte-order mark (which is dropped), or
// when every line is well-formed UTF-8 and some byte is not ASCII. A character that Windows-1250
// lacks, or a line of a marked source that is not well-formed UTF-8, throws an Error naming
// fileName and the line; lines then stays as it was.
void SourceToCp1250(LineTable& lines, std::string_view fileName);

} // namespace vemo
