#pragma once
// The performance sections: response-time list texts and values.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace kav {

inline constexpr int kResponseRows = 10;
inline constexpr std::array<std::u16string_view, kResponseRows> kResponseTexts = {
    u"2ms", u"4ms", u"6ms", u"8ms", u"10ms", u"12ms", u"14ms", u"16ms", u"18ms", u"20ms"};

// The box text: "%d ms" from 2 x value.
std::u16string ResponseBoxText(std::uint8_t responseTime);
// Value of list row r (0-9).
inline std::uint8_t ResponseValueOfRow(int row) { return static_cast<std::uint8_t>(row + 1); }

inline constexpr int kListRowHeight = 20;
inline constexpr int kListWidth = 220;

}  // namespace kav
