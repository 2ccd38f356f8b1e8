#include "data/rules/NumberCheck.h"

#include "text/BaseXCodec.h"

namespace vemo {

namespace {

std::vector<NumberProblem> NumberProblems(const LineTable& table, const LocaleSettings& locale,
                                          int firstField, int lastField) {
    std::vector<NumberProblem> problems;
    for (int i = 1; i < table.Count(); ++i) {
        const std::string row = Base64Decode(table.Get(i));
        for (int field = firstField; field <= lastField; ++field) {
            const std::string_view text = Trim(GetFieldView(row, ";", field));
            if (!ReadNumber(text, locale))
                problems.push_back({i, field, std::string(text)});
        }
    }
    return problems;
}

} // namespace

std::vector<NumberProblem> GermanNumberProblems(const LineTable& table,
                                                const LocaleSettings& locale) {
    return NumberProblems(table, locale, 8, 8);
}

std::vector<NumberProblem> AustrianNumberProblems(const LineTable& table,
                                                  const LocaleSettings& locale) {
    return NumberProblems(table, locale, 5, 7);
}

} // namespace vemo
