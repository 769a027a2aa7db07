#include "tests/reliability/HostedEffect.h"

namespace quivorant::test {

std::unique_ptr<HostedEffect> MakeVst3Effect();
std::unique_ptr<HostedEffect> MakeVst2Effect();

const char* FormatName(Format format) { return format == Format::kVst3 ? "VST3" : "VST2"; }

std::unique_ptr<HostedEffect> MakeHostedEffect(Format format) {
  return format == Format::kVst3 ? MakeVst3Effect() : MakeVst2Effect();
}

}  // namespace quivorant::test
