// One instance of the effect through its VST3 front end, set up the way a host does before it
// restores a project: initialised with a host context, buses active, processing set up.
#pragma once

#include <string>

#include "tests/support/Vst3Host.h"
#include "vst3/IEffectVST3.h"

namespace quivorant::test {

class Vst3Instance {
public:
  // `hostName` is what the host application answers; it decides the host code.
  explicit Vst3Instance(std::u16string hostName);
  ~Vst3Instance();
  Vst3Instance(const Vst3Instance&) = delete;
  Vst3Instance& operator=(const Vst3Instance&) = delete;

  quivorant::IEffectVST3& Effect() { return *effect_; }
  // The instance as a host holds it: through the interfaces it asked for.
  Steinberg::Vst::IComponent& Component() { return *component_; }
  Steinberg::Vst::IEditController& Controller() { return *controller_; }

  // One block of a test tone through process: answered ok, every output sample finite.
  void RequireProcesses();

private:
  quivorant::test::HostApplication host_;
  quivorant::IEffectVST3* effect_;
  Steinberg::Vst::IComponent* component_ = nullptr;
  Steinberg::Vst::IEditController* controller_ = nullptr;
};

}  // namespace quivorant::test
