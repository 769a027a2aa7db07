#include "plug/TextSlots.h"

#include <cstring>

namespace quivorant {

void TextSlots::Setup(int count, int commonMaxLength, const int* perSlotMaxLengths) {
  const int n = count > 0 ? count : 0;
  texts_.assign(static_cast<std::size_t>(n), std::string());
  commonMaxLength_ = commonMaxLength > 0 ? commonMaxLength : 0;
  maxLengths_.assign(static_cast<std::size_t>(n), 0);
  if (commonMaxLength_ == 0 && perSlotMaxLengths) {
    for (int i = 0; i < n; ++i)
      maxLengths_[static_cast<std::size_t>(i)] = perSlotMaxLengths[i] > 0 ? perSlotMaxLengths[i] : 0;
  }
}

const char* TextSlots::Text(int slot) const {
  if (slot < 0 || slot >= Count()) return "";
  return texts_[static_cast<std::size_t>(slot)].c_str();
}

int TextSlots::MaxLength(int slot) const {
  if (slot < 0 || slot >= Count()) return 0;
  return commonMaxLength_ != 0 ? commonMaxLength_ : maxLengths_[static_cast<std::size_t>(slot)];
}

bool TextSlots::SetText(int slot, const char* text) {
  if (slot < 0 || slot >= Count()) return false;
  const char* src = text ? text : "";
  std::size_t len = std::strlen(src);
  const int limit = MaxLength(slot);
  if (limit > 0 && len > static_cast<std::size_t>(limit)) len = static_cast<std::size_t>(limit);
  try {
    texts_[static_cast<std::size_t>(slot)].assign(src, len);
  } catch (...) {
    return false;
  }
  return true;
}

}  // namespace quivorant
