#pragma once
// Text for the terminal of a command-line program. A Windows console shows the bytes a program
// writes in its own code page (852 in a Czech cmd), so UTF-8 there turns "ü" into "├╝"; text
// for a console therefore goes as UTF-16 through WriteConsoleW, which every code page shows
// right. A file or a pipe, and every stream on other systems, get the bytes unchanged.

#include <cstdio>
#include <string_view>

namespace vemo {

// Writes utf8 to stream (stdout or stderr): as UTF-16 through the console where stream is a
// Windows console, else as bytes through stdio. A bad UTF-8 sequence shows as U+FFFD there.
void WriteText(std::FILE* stream, std::string_view utf8);

// Whether a write through the console failed; the bytes written through stdio report their
// failure through ferror and fflush as usual.
bool ConsoleWriteFailed();

} // namespace vemo
