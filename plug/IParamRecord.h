// One automatable parameter: its plain value, range, step, normalisation exponent, default,
// display precision, texts and optional per-value display texts.
//
// Hosts speak normalised numbers n in 0..1; everything inside the plug-in speaks plain values p:
//   p = min + (max - min) * n^exponent
// The record has no lock of its own: the owning IEffectBase's instance lock guards it.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace quivorant {

enum ParamKind : std::int32_t {
  kParamNone = 0,
  kParamBool = 1,
  kParamInt = 2,
  kParamEnum = 3,
  kParamDouble = 4,
};

// Capacity of every parameter text, terminator included.
inline constexpr std::size_t kParamTextCapacity = 32;
inline constexpr int kMaxDisplayPrecision = 6;

struct DisplayTextEntry {
  std::int32_t value = 0;
  char text[kParamTextCapacity] = {};
};

class IParamRecord {
public:
  IParamRecord() = default;

  // Initialisers, called once per parameter by the effect's constructor. Texts longer than 31
  // characters are cut at 31.
  void SetupDouble(const char* name, double defaultVal, double minVal, double maxVal, double stepVal,
                   const char* labelText = "");
  void SetupInt(const char* name, int defaultVal, int minVal, int maxVal, const char* labelText = "");
  void SetupEnum(const char* name, int defaultVal, int count, const char* labelText = "");
  // Ignores 0 and NaN: the exponent stays.
  void SetExponent(double e);
  void AddDisplayText(int val, const char* text);
  // Units in the VST3 wrapper are made from non-empty groups.
  void SetGroup(const char* groupText);

  // Conversions between normalised and plain values. FromNormalized neither rounds nor clamps;
  // ToNormalized clamps its argument to the range first.
  double FromNormalized(double normalized) const;
  double ToNormalized(double plain) const;
  double NormalizedValue() const { return ToNormalized(value); }
  // Integer kinds round to a multiple of the step; the result never leaves [min, max].
  void SetFromNormalized(double normalized);
  // A plain value, limited to [min, max]; NaN is no value and changes nothing (false).
  bool SetPlain(double plain);

  // `value` for a reader that does not hold the instance lock (the editor drawing while the
  // VST3 audio thread applies a host change), and the store of writers that may run on the
  // audio thread. Both are relaxed atomic accesses: a reader sees the old or the new value,
  // never a torn one, and nothing else is ordered by them (the lock orders everything else).
  double CurrentValue() const { return value.load(std::memory_order_relaxed); }
  void StoreValue(double v) { value.store(v, std::memory_order_relaxed); }

  // True for Bool, Int and Enum (and an uninitialised record, which behaves like one).
  bool IsIntegerKind() const { return kind != kParamDouble; }
  // A list: an integer kind whose values have display texts (hosts offer a menu of them).
  bool IsList() const { return IsIntegerKind() && !displayTexts.empty(); }

  int DisplayTextCount() const { return static_cast<int>(displayTexts.size()); }
  // Text of the first entry for `val`, or "" when there is none.
  const char* DisplayTextFor(int val) const;
  // First entry whose text equals `text` byte for byte; false when none does.
  bool ValueForDisplayText(const char* text, int* outValue) const;
  // The text hosts and the editor show for x (a plain value, or normalised when isNormalized).
  // `out` receives at most capacity - 1 characters and is always terminated.
  void FormatValue(double x, bool isNormalized, char* out, std::size_t capacity = kParamTextCapacity) const;
  // Plain value a typed or host-supplied text stands for; not clamped, not rounded.
  double ParseValueText(const char* text) const;
  // The strict reading of a text a user typed: a display text (any letter case), or a number
  // (not NaN) followed by nothing but the unit label (any case) and blanks. False, with *plain
  // untouched, for anything else. The result is neither clamped nor rounded.
  bool ReadTypedValue(const char* text, double* plain) const;

  const char* Name() const { return name; }
  const char* Label() const { return label; }
  const char* Group() const { return group; }

  // Directly readable (and, for the core, writable) state. Wrappers change `value` only
  // through SetFromNormalized; readers outside the lock use CurrentValue.
  ParamKind kind = kParamNone;
  std::atomic<double> value{0.0};
  double min = 0.0;
  double max = 1.0;
  double step = 1.0;
  double exponent = 1.0;
  double defaultValue = 0.0;
  int displayPrecision = 0;
  bool negateDisplay = false;
  bool canAutomate = true;

private:
  char name[kParamTextCapacity] = {};
  char label[kParamTextCapacity] = {};
  char group[kParamTextCapacity] = {};
  std::vector<DisplayTextEntry> displayTexts;
};

}  // namespace quivorant
