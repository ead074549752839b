#include "kavrelle/mainwindow/performance.h"

namespace kav {

std::u16string ResponseBoxText(std::uint8_t responseTime) {
  const std::string text = std::to_string(2 * static_cast<int>(responseTime)) + " ms";
  return std::u16string(text.begin(), text.end());
}

}  // namespace kav
