#pragma once
// The tariff file "sazby.sdf": German tariffs that the maintainer keeps current, made from the
// source "sazby.csv" one Base64 line per source line, like the section tables but without a
// header line. The source holds blocks of ";"-separated lines, empty lines ignored:
//
//   Sazebník;<valid from, d.m.yyyy>;<title>
//   Nápravy;<n1>;<n2>;...                      axle counts from which each rate column applies
//   Hmotnost;<label 1>;<label 2>;...           optional: the weight class of each column
//   <category>;<description>;<rate 1>;...      one line per category, euros per kilometre
//
// Columns under equal labels side by side form one weight class, within which the axle counts
// rise; without a Hmotnost line all columns are one class. Rates take a decimal comma or point
// whatever the user's locale, with at most kMostRateDecimals decimals. Every failure is a
// vemo::Error whose Czech message names the file, the line and what is wrong.

#include "data/rules/Tariff.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vemo {

inline constexpr const char* kTariffFile = "sazby.sdf";
inline constexpr const char* kTariffSourceFile = "sazby.csv";

// The tariffs of decoded lines (line 1 first), in file order; fileName only names the file in
// messages.
std::vector<GermanTariff> ParseTariffs(const std::vector<std::string>& lines,
                                       std::string_view fileName);

// The tariff with the latest "valid from" not after today; nothing when every one starts later.
const GermanTariff* FindTariffInForce(const std::vector<GermanTariff>& tariffs, CalendarDate today);
// The same, throwing an error that names fileName when there is none.
const GermanTariff& TariffInForce(const std::vector<GermanTariff>& tariffs, CalendarDate today,
                                  std::string_view fileName);

// The tariffs of a tariff file; nothing when the file does not exist. Throws the file error when
// it exists but cannot be read, and the parse's error for a bad one.
std::optional<std::vector<GermanTariff>> ReadTariffFile(const std::string& fileName);

// The tariffs the calculator chooses from: those of fileName, the built-in one when there is no
// such file.
std::vector<GermanTariff> ReadTariffsOrBuiltIn(const std::string& fileName);

// Checks the source as the calculator would on today and, only when it is sound, writes it
// encoded to target; a bad source writes nothing.
void ConvertTariff(const std::string& source, const std::string& target, CalendarDate today);

} // namespace vemo
