#pragma once
// The program's arguments as Windows hands them over: one command line, program name first.

#include <QStringList>
#include <QStringView>

// Splits Line into arguments: blanks (any character coded 1 to 32) separate them; a stretch in
// double quotes may hold blanks, and the quotes do not belong to the argument. A NUL ends the
// line. The program name is the first argument.
QStringList SplitCommandLine(QStringView line);
