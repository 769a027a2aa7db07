// A minimal format wrapper over IEffectBase for the core's tests: answers the host-facing
// slots from fields the test sets, and records every call the core makes toward the host or
// the effect.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "plug/IEffectBase.h"

namespace quivorant::test {

// Identity of a small effect: `params` parameters, the given channel configuration and
// `presets` preset slots.
inline EffectIdentity MakeIdentity(int params, const char* channels, int presets) {
  EffectIdentity id;
  id.paramCount = params;
  id.channelConfig = channels;
  id.presetCount = presets;
  id.effectName = "testfx";
  id.makerName = "Maker";
  id.vendorVersion = 0x00011E00;
  id.uniqueId = 0x62316751;
  return id;
}

class TestEffect : public IEffectBase {
public:
  explicit TestEffect(const EffectIdentity& id) : IEffectBase(id) {}

  void BeginParamEdit(int idx) override { calls.push_back("begin " + std::to_string(idx)); }
  void ParamEditToHost(int idx, double v) override {
    calls.push_back("edit " + std::to_string(idx));
    edits.emplace_back(idx, v);
  }
  void EndParamEdit(int idx) override { calls.push_back("end " + std::to_string(idx)); }
  void ProgramChangeToHost() override {}
  int SamplePosition() override { return 0; }
  double Tempo() override { return tempo; }
  void TimeSignature(int& n, int& d) override { n = 4, d = 4; }
  void ResizeEditor(int, int) override {}
  bool SendMidiMessage(const MidiMessage& m) override {
    sentMidi.push_back(m.status);
    return m.status != 0xFF;  // 0xFF stands for a message the host refuses
  }
  bool SendSysExMessage(const SysExMessage&) override { return false; }

  void HandleParamChange(int idx) override { changed.push_back(idx); }
  bool AcceptsRestoredParam(int idx, int preset) override {
    return !(idx == refuseParam && (refusePreset < 0 || preset == refusePreset));
  }

  // Lets tests declare text slots the way an effect would.
  void UseTextSlots(int count, int common, const int* perSlot) { SetupTextSlots(count, common, perSlot); }
  void TextSlotChanged(int slot) override { changedSlots.push_back(slot); }

  double tempo = 120.0;
  int refuseParam = -1;
  int refusePreset = -1;
  std::vector<std::string> calls;
  std::vector<std::pair<int, double>> edits;
  std::vector<int> changed;
  std::vector<int> changedSlots;
  std::vector<int> sentMidi;
};

// Stands in for the editor: records what the core pushes into it.
class RecordingEditor : public IEditorConnection {
public:
  struct Push {
    int index;
    double value;
    bool normalized;
  };
  explicit RecordingEditor(int frameRate, bool* destroyed = nullptr) : frameRate_(frameRate), destroyed_(destroyed) {}
  ~RecordingEditor() override {
    if (destroyed_) *destroyed_ = true;
  }
  void SetControlsFromParam(int index, double value, bool normalized) override {
    pushes.push_back({index, value, normalized});
  }
  void PrepareDraw() override { prepared = pushes.size(); }
  int FrameRate() const override { return frameRate_; }
  void SetWheelGestureTicks(int ticks) override { wheelTicks.push_back(ticks); }
  void ClearWheelGestureTicks() override { ++clears; }
  int Width() const override { return 395; }
  int Height() const override { return 248; }
  // No window: opening one fails, as where an editor renders off-screen only.
  void* OpenWindow(void*) override { return nullptr; }
  void CloseWindow() override {}
  void* GetWindow() override { return nullptr; }
  bool HostMouseWheel(float) override { return false; }

  std::vector<Push> pushes;
  std::size_t prepared = static_cast<std::size_t>(-1);  // pushes seen when PrepareDraw ran
  std::vector<int> wheelTicks;
  int clears = 0;

private:
  int frameRate_;
  bool* destroyed_;
};

}  // namespace quivorant::test
