#include "tests/fuzz/common/Vst3Instance.h"

#include <cmath>

#include "tests/fuzz/common/FuzzChecks.h"
#include "tests/support/Vst3Session.h"

namespace quivorant::test {

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {
constexpr int kBlockFrames = 64;
}

Vst3Instance::Vst3Instance(std::u16string hostName)
    : host_(std::move(hostName)), effect_(quivorant::CreateEffectInstance({})) {
  Require(effect_ != nullptr, "the effect is created");
  void* obj = nullptr;
  Require(effect_->queryInterface(IComponent::iid, &obj) == kResultOk, "the instance is a component");
  component_ = static_cast<IComponent*>(obj);
  Require(effect_->queryInterface(IEditController::iid, &obj) == kResultOk, "the instance is a controller");
  controller_ = static_cast<IEditController*>(obj);
  Require(effect_->initialize(&host_) == kResultOk, "initialize answers ok");
  effect_->activateBus(kAudio, kInput, 0, true);
  effect_->activateBus(kAudio, kOutput, 0, true);
  ProcessSetup setup{kRealtime, kSample32, 512, 44100.0};
  Require(effect_->setupProcessing(setup) == kResultOk, "setupProcessing answers ok");
  effect_->setActive(true);
}

Vst3Instance::~Vst3Instance() {
  effect_->setActive(false);
  effect_->terminate();
  controller_->release();
  component_->release();
  effect_->release();
}

void Vst3Instance::RequireProcesses() {
  quivorant::test::StereoBlock<float> block(kBlockFrames);
  for (int i = 0; i < kBlockFrames; ++i) {
    block.in[0][i] = static_cast<float>(0.5 * std::sin(0.3 * i));
    block.in[1][i] = -block.in[0][i];
  }
  Require(block.Process(effect_) == kResultOk, "process answers ok");
  for (const auto& channel : block.out)
    for (float x : channel) Require(std::isfinite(x), "processed samples are finite");
}

}  // namespace quivorant::test
