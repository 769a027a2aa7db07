// Texts a VST2 host asks the plug-in to read: effString2Parameter stores a typed value, the
// vendor-specific parsing call (effVendorSpecific, sub-command 27) turns a text into a
// normalised value written back over it. For every parameter index, valid or not: nothing is
// read beyond the text, a stored value is finite, inside its range and what the text stands for
// (a display text its entry, a decimal text its number, clamped), no other parameter moves, a
// refusal changes nothing, and the parsing call writes a normalised number and stores nothing.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "tests/fuzz/common/FuzzChecks.h"
#include "tests/fuzz/common/Vst2Instance.h"
#include "vst2/abi/VstOpcodes.h"

namespace {

using namespace quivorant::test;

constexpr VstInt32 kVendorParseToNormalized = 27;
constexpr VstIntPtr kVendorHandled = 0xBEEF;

void StoreText(Vst2Instance& instance, VstInt32 index, const std::string& text) {
  quivorant::IEffectVST& effect = instance.Effect();
  const std::vector<double> before = ParamValues(effect);
  std::vector<char> host(text.c_str(), text.c_str() + text.size() + 1);  // exactly the text
  const VstIntPtr answer = instance.Dispatch(effString2Parameter, index, 0, host.data());
  const bool valid = index >= 0 && index < effect.ParamCount();
  Require(answer == 0 || (valid && answer == 1), "effString2Parameter answers 1 or 0, and 0 for a bad index");
  RequireParamsInRange(effect);
  std::vector<double> expected = before;
  if (answer == 1) {
    const std::size_t i = static_cast<std::size_t>(index);
    expected[i] = effect.GetParam(index)->value;
    RequireStoredAsTyped(*effect.GetParam(index), text, 0.0);
  }
  RequireValues(effect, expected, "effString2Parameter moves only its own parameter");
}

void ParseText(Vst2Instance& instance, VstInt32 index, const std::string& text) {
  quivorant::IEffectVST& effect = instance.Effect();
  const std::vector<double> before = ParamValues(effect);
  // The host's buffer holds the text and has room for the parameter text written back.
  std::vector<char> host(std::max(text.size() + 1, quivorant::kParamTextCapacity), '\x7f');
  std::memcpy(host.data(), text.c_str(), text.size() + 1);
  const std::vector<char> sent = host;
  const VstIntPtr answer = instance.Dispatch(effVendorSpecific, kVendorParseToNormalized, index, host.data());
  RequireValues(effect, before, "the parsing call stores nothing");
  const bool valid = index >= 0 && index < effect.ParamCount();
  if (!valid) {
    Require(answer == 0 && host == sent, "a bad index is refused and the text left alone");
    return;
  }
  Require(answer == kVendorHandled, "the parsing call answers handled");
  if (text.empty()) {
    Require(host == sent, "an empty text is left alone");
    return;
  }
  Require(std::memchr(host.data(), '\0', quivorant::kParamTextCapacity) != nullptr,
          "the written number is terminated within a parameter text");
  char* end = nullptr;
  const double normalized = std::strtod(host.data(), &end);
  Require(end != host.data() && *end == '\0', "the written text is one number");
  Require(normalized >= 0.0 && normalized <= 1.0, "the written number is normalised");
  const quivorant::IParamRecord& param = *effect.GetParam(index);
  int entry = 0;
  if (DisplayTextValue(param, text.c_str(), entry))
    Require(std::fabs(normalized - param.ToNormalized(entry)) < 1e-15, "a display text parses to its entry");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Vst2Instance* instance = new Vst2Instance;
  if (size > 4096) return 0;
  // A host hands over C texts: the input up to its first NUL.
  const auto* chars = reinterpret_cast<const char*>(data);
  const std::string text(chars, std::find(chars, chars + size, '\0'));
  const int count = instance->Effect().ParamCount();
  for (VstInt32 index = -1; index <= count; ++index) {
    ParseText(*instance, index, text);
    StoreText(*instance, index, text);
  }
  instance->RequireProcesses();
  instance->Host().Clear();
  return 0;
}
