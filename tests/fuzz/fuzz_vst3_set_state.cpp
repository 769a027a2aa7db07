// Component states from a host's project, restored through the VST3 front end. The stream is the
// host's: one that behaves, and one that reports an error on every read that delivers bytes (as
// some hosts' streams do), once for an ordinary host and once for the host whose streams are known
// to do so. Whatever the bytes: a whole state sets every parameter inside its range and a state
// cut short changes nothing; the instance still processes; an accepted state saves back as 72 bytes that
// restore to the same values; the controller's own state entry leaves everything alone.
#include <cstdint>
#include <cstring>
#include <vector>

#include "plug/HostIdentification.h"
#include "tests/fuzz/common/FuzzChecks.h"
#include "tests/fuzz/common/Vst3Instance.h"

namespace {

using namespace quivorant::test;
using namespace Steinberg;
using quivorant::test::MemoryStream;

constexpr std::size_t kStateBytes = 9 * 8;

std::vector<unsigned char> SavedState(Steinberg::Vst::IComponent& component) {
  MemoryStream out;
  Require(component.getState(&out) == kResultOk, "getState answers ok");
  return out.bytes;
}

void RestoreThroughStream(Vst3Instance& instance, const std::uint8_t* data, std::size_t size, bool streamReportsErrors,
                          bool hostToleratesErrors) {
  quivorant::IEffectVST3& effect = instance.Effect();
  const std::vector<double> before = ParamValues(effect);
  MemoryStream in(std::vector<unsigned char>(data, data + size));
  in.reportErrorOnRead = streamReportsErrors;
  const tresult result = instance.Component().setState(&in);

  // An erroring stream ends reading at its first piece unless the host is known for it: the
  // state then reads as empty.
  const bool readsAll = !streamReportsErrors || hostToleratesErrors;
  const std::size_t seen = readsAll ? size : 0;
  RequireValues(effect, ValuesAfterStateRead(effect, before, data, seen, 0), "setState");
  RequireParamsInRange(effect);
  // After a whole state, the trailing read only fails on a stream that errors and still has
  // bytes to give there.
  const bool whole = seen >= kStateBytes;
  const bool trailingFails = streamReportsErrors && size > kStateBytes;
  Require(result == (whole && !trailingFails ? kResultOk : kResultFalse),
          "setState refuses a state cut short, else answers as its trailing read went");
  instance.RequireProcesses();

  if (result == kResultOk) {
    const std::vector<unsigned char> saved = SavedState(instance.Component());
    Require(saved.size() == kStateBytes, "a saved state is 72 bytes");
    const std::vector<double> restored = ParamValues(effect);
    MemoryStream again(saved);
    Require(instance.Component().setState(&again) == kResultOk, "a saved state restores");
    RequireValues(effect, restored, "state round trip");
    Require(SavedState(instance.Component()) == saved, "a restored state saves the same bytes");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Vst3Instance* ordinary = new Vst3Instance(u"Fuzz Host");
  static Vst3Instance* tolerant = [] {
    auto* instance = new Vst3Instance(u"WaveLab 11");
    Require(instance->Effect().HostCode() == quivorant::kHostWavelab, "the tolerant host is identified");
    return instance;
  }();
  if (size > 1 << 16) return 0;  // far beyond any state; the stream reader's own cap has its test

  RestoreThroughStream(*ordinary, data, size, false, false);
  RestoreThroughStream(*ordinary, data, size, true, false);
  RestoreThroughStream(*tolerant, data, size, true, true);

  // The controller keeps no state of its own: its setComponentState is not implemented.
  quivorant::IEffectVST3& effect = ordinary->Effect();
  const std::vector<double> before = ParamValues(effect);
  MemoryStream in(std::vector<unsigned char>(data, data + size));
  Require(ordinary->Controller().setComponentState(&in) == kNotImplemented, "setComponentState is not implemented");
  RequireValues(effect, before, "setComponentState");
  return 0;
}
