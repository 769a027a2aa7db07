// Parameter texts, typed values and the vendor-specific formatting and parsing calls.

#include <cmath>
#include <cstdio>
#include <cstring>

#include "vst2/IEffectVST.h"
#include "vst2/VstHostText.h"
#include "vst2/abi/VstOpcodes.h"

namespace quivorant {
namespace {

// Answer of the vendor-specific calls that a host recognises as "handled".
constexpr VstIntPtr kVendorHandled = 0xBEEF;

enum VendorCommand : VstInt32 {
  kVendorFormatNormalized = 7,
  kVendorDisplayTextCount = 8,
  kVendorParseToNormalized = 27,
  kVendorTextSlot = 56,
  kVendorStateVersion = 58,
};
constexpr VstInt32 kVendorWheelIndex = CCONST('s', 't', 'C', 'A');
constexpr VstIntPtr kVendorWheelValue = CCONST('W', 'h', 'e', 'e');

// "%.17f", with a '.' whatever decimal separator the host process's locale would print.
void FormatSeventeenDecimals(double x, char* out, std::size_t capacity) {
  std::snprintf(out, capacity, "%.17f", x);
  for (char* c = out; *c != '\0'; ++c) {
    if (*c == ',') *c = '.';
  }
}

}  // namespace

VstIntPtr IEffectVST::DispatchParamText(VstInt32 opcode, VstInt32 index, void* ptr) {
  const IParamRecord* param = GetParam(index);
  // Hosts always pass a buffer; a null one is ignored rather than written.
  if (param == nullptr || ptr == nullptr) return 0;
  char* out = static_cast<char*>(ptr);
  switch (opcode) {
    case effGetParamLabel:
      CopyHostText(out, param->Label(), kParamTextCapacity);
      break;
    case effGetParamName:
      CopyHostText(out, param->Name(), kParamTextCapacity);
      break;
    default:  // effGetParamDisplay: the current plain value
      param->FormatValue(param->value, false, out, kParamTextCapacity);
      break;
  }
  return 0;
}

VstIntPtr IEffectVST::String2Parameter(VstInt32 index, const char* text) {
  IParamRecord* param = GetParam(index);
  if (param == nullptr) return 0;
  if (text == nullptr) return 1;  // "can you parse texts?"
  // "nan" reads as a number but stands for no value: refused instead of stored.
  return SetPlainParamFromHost(index, param->ParseValueText(text), HostWrite::kUserThread) ? 1 : 0;
}

VstIntPtr IEffectVST::VendorSpecific(VstInt32 index, VstIntPtr value, void* ptr, float opt) {
  const bool validParam = value >= 0 && value < ParamCount();
  IParamRecord* param = validParam ? GetParam(static_cast<int>(value)) : nullptr;
  switch (index) {
    case kVendorFormatNormalized:
      if (ptr == nullptr) return 0;
      if (param != nullptr)
        param->FormatValue(static_cast<double>(opt), true, static_cast<char*>(ptr), kParamTextCapacity);
      return kVendorHandled;

    case kVendorDisplayTextCount: {
      if (param == nullptr || param->kind == kParamDouble || param->kind == kParamInt) return 0;
      if (ptr != nullptr) {
        const std::int32_t count = param->DisplayTextCount();
        std::memcpy(ptr, &count, sizeof count);
      }
      return kVendorHandled;
    }

    case kVendorParseToNormalized: {
      if (ptr == nullptr || param == nullptr) return 0;
      char* text = static_cast<char*>(ptr);
      if (text[0] == '\0') return kVendorHandled;
      const double normalized = param->ToNormalized(param->ParseValueText(text));
      char formatted[kParamTextCapacity];
      FormatSeventeenDecimals(normalized, formatted, sizeof formatted);
      // At most "0.xxxxxxxxxxxxxxxxx" (20 bytes): within any parameter text buffer.
      CopyHostText(text, formatted, kParamTextCapacity);
      return kVendorHandled;
    }

    case kVendorTextSlot: {
      if (value < 0 || ptr == nullptr || value >= TextSlotCount()) return 0;
      const int slot = static_cast<int>(value);
      char* text = static_cast<char*>(ptr);
      if (text[0] != '\0') {
        // The slot keeps at most its maximum length and stays terminated.
        SetTextSlotText(slot, text);
        TextSlotChanged(slot);
      } else {
        // A slot without a length limit is handed out like a preset name.
        const int limit = TextSlotMaxLength(slot);
        const std::size_t capacity = limit > 0 ? static_cast<std::size_t>(limit) + 1 : kPresetNameCapacity;
        CopyHostText(text, TextSlotText(slot), capacity);
      }
      return kVendorHandled;
    }

    case kVendorStateVersion:
      StateVersionIn(static_cast<int>(value));
      return 0;

    case kVendorWheelIndex:
      if (value != kVendorWheelValue) return 0;
      return EditorHostMouseWheel(opt) ? 1 : 0;

    default:
      return 0;
  }
}

}  // namespace quivorant
