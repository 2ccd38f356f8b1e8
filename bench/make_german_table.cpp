// Writes the benchmarks' German table as a data file and, optionally, as the source CSV it comes
// from, and prints the motorway with the most rows and its row count.
// Usage: make_german_table DATA_FILE [SOURCE_FILE]
#include "bench/GermanTableGenerator.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fputs("Usage: make_german_table DATA_FILE [SOURCE_FILE]\n", stderr);
        return 2;
    }
    const benchdata::GermanTable table = benchdata::MakeGermanTable();
    if (!benchdata::WriteLines(table.rows, argv[1], true) ||
        (argc == 3 && !benchdata::WriteLines(table.rows, argv[2], false))) {
        std::fputs("make_german_table: cannot write the table\n", stderr);
        return 1;
    }
    std::printf("A%s %d\n", table.largestMotorway.c_str(), table.largestRows);
    return 0;
}
