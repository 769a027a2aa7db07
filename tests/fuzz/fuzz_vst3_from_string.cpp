// Texts a VST3 host asks the plug-in to read as parameter values (a value typed into the host's
// own parameter list or automation lane): each parameter object's fromString and the
// controller's getParamValueByString, with the input's bytes as UTF-16 code units, whole, cut in
// half, and filling a whole String128 without a terminator. Whatever the text: reading stays
// inside it, a core parameter's answer is a normalised value in 0..1 that both entries agree on
// and that a plain decimal text reads as its number, unknown IDs are refused, and nothing the
// instance stores changes.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "tests/fuzz/common/FuzzChecks.h"
#include "tests/fuzz/common/Vst3Instance.h"

namespace {

using namespace quivorant::test;
using namespace Steinberg;
using namespace Steinberg::Vst;

constexpr int kString128 = 128;

// The text narrowed to 8 bits, when it is ASCII up to its terminator or its end.
bool NarrowAscii(const char16* text, int units, std::string& narrow) {
  for (int i = 0; i < units && text[i] != 0; ++i) {
    if (text[i] >= 0x80) return false;
    narrow += static_cast<char>(text[i]);
  }
  return true;
}

void ReadEverywhere(Vst3Instance& instance, const char16* text, int units) {
  quivorant::IEffectVST3& effect = instance.Effect();
  IEditController& controller = instance.Controller();
  const int count = controller.getParameterCount();
  for (int index = 0; index < count; ++index) {
    ParameterInfo info{};
    Require(controller.getParameterInfo(index, info) == kResultTrue, "parameter info by index");
    Parameter* object = effect.getParameterObject(info.id);
    Require(object != nullptr, "every listed parameter has its object");

    ParamValue fromObject = -1.0;
    const bool read = object->fromString(text, fromObject);
    ParamValue fromController = -2.0;
    const tresult answer = controller.getParamValueByString(info.id, const_cast<char16*>(text), fromController);
    Require((answer == kResultTrue) == read, "both entries accept the same texts");
    if (read) {
      Require(std::isfinite(fromObject) && fromObject >= 0.0 && fromObject <= 1.0, "a read value is normalised");
      Require(fromObject == fromController, "both entries read the same value");
    } else {
      Require(fromController == -2.0, "a refused text leaves the output alone");
    }

    if (info.id < static_cast<ParamID>(effect.ParamCount())) {
      double plain = 0.0;
      std::string narrow;
      if (NarrowAscii(text, units, narrow) && WholeDecimal(narrow, plain)) {
        Require(read, "a core parameter reads a decimal text");
        Require(fromObject == effect.GetParam(static_cast<int>(info.id))->ToNormalized(plain),
                "a decimal text reads as its number");
      }
    }
  }
  for (ParamID unknown : {static_cast<ParamID>(effect.ParamCount()), quivorant::kBypassParamId, ParamID(0xFFFFFFFFu)}) {
    ParamValue untouched = -3.0;
    Require(controller.getParamValueByString(unknown, const_cast<char16*>(text), untouched) == kResultFalse,
            "an unknown ID is refused");
    Require(untouched == -3.0, "a refused ID leaves the output alone");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Vst3Instance* instance = new Vst3Instance(u"Fuzz Host");
  if (size > 4096) return 0;
  const int units = static_cast<int>(size / 2);
  quivorant::IEffectVST3& effect = instance->Effect();
  const std::vector<double> before = ParamValues(effect);
  std::vector<ParamValue> normalizedBefore;
  for (int i = 0; i < effect.ParamCount(); ++i) normalizedBefore.push_back(effect.getParamNormalized(ParamID(i)));

  // Each form in a buffer of exactly its size, so that a read beyond it is caught.
  {
    std::unique_ptr<char16[]> whole(new char16[static_cast<std::size_t>(units) + 1]);
    std::memcpy(whole.get(), data, static_cast<std::size_t>(units) * sizeof(char16));
    whole[static_cast<std::size_t>(units)] = 0;
    ReadEverywhere(*instance, whole.get(), units);
    whole[static_cast<std::size_t>(units / 2)] = 0;
    ReadEverywhere(*instance, whole.get(), units / 2);
  }
  if (units > 0) {
    std::unique_ptr<char16[]> full(new char16[kString128]);
    for (int i = 0; i < kString128; ++i) std::memcpy(&full[i], data + 2 * (i % units), sizeof(char16));
    bool terminated = false;
    for (int i = 0; i < kString128; ++i) terminated = terminated || full[i] == 0;
    // A String128 with no terminator: the reader must stop at its end.
    if (!terminated) ReadEverywhere(*instance, full.get(), kString128);
  }

  RequireValues(effect, before, "reading texts");
  for (int i = 0; i < effect.ParamCount(); ++i)
    Require(effect.getParamNormalized(ParamID(i)) == normalizedBefore[static_cast<std::size_t>(i)],
            "reading texts leaves the normalised values alone");
  return 0;
}
