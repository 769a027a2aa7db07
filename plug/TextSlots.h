// Host-settable text slots: texts an effect lets the host write (through a VST2 vendor call)
// and that travel in the parameter state after the parameter values. Each slot's maximum
// length is either one common length or, when that is 0, the slot's own length.
// Texts are always kept terminated.
#pragma once

#include <string>
#include <vector>

namespace quivorant {

class TextSlots {
public:
  // perSlotMaxLengths is read only when commonMaxLength is 0 (and may then be null: no limit).
  void Setup(int count, int commonMaxLength, const int* perSlotMaxLengths);

  int Count() const { return static_cast<int>(texts_.size()); }
  // "" for an index outside the list.
  const char* Text(int slot) const;
  // Longest text the slot keeps; 0 means no limit.
  int MaxLength(int slot) const;
  // Copies at most MaxLength(slot) characters; false for an index outside the list.
  bool SetText(int slot, const char* text);

private:
  std::vector<std::string> texts_;
  int commonMaxLength_ = 0;
  std::vector<int> maxLengths_;
};

}  // namespace quivorant
