// An effect core with no plug-in format and no sound of its own, for the core's and the editor's
// tests: answers the host-facing slots from fields the test sets, and logs every call the core
// or an editor makes toward the host (gestures, wheel, hover, resize), in order.
#pragma once

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "plug/IEffectBase.h"

namespace quivorant::test {

// Identity of a small effect: `params` parameters, the given channel configuration and
// `presets` preset slots.
EffectIdentity MakeIdentity(int params, const char* channels = "1-1 2-2", int presets = 1);

// A list parameter with its display texts, in order.
void SetupList(IParamRecord* param, const char* name, int defaultValue, std::initializer_list<const char*> texts);

struct CoreCall {
  std::string kind;  // "begin", "edit", "end", "wheel", "hover", "resize"
  int param;         // the parameter; for "resize" width * 10000 + height
  double value;      // the normalised value of an edit, else 0
};

class FakeCore : public IEffectBase {
public:
  static constexpr int kAnyParam = -1;
  static constexpr int kIdentifiedHost = -2;  // hostCode: answer what host identification found
  explicit FakeCore(const EffectIdentity& id) : IEffectBase(id) {}

  void BeginParamEdit(int idx) override { Log("begin", idx); }
  void WheelEditHook(int idx) override { Log("wheel", idx); }
  void ParamEditToHost(int idx, double v) override { Log("edit", idx, v); }
  void EndParamEdit(int idx) override { Log("end", idx); }
  void ParamHoverHook(int idx) override { Log("hover", idx); }
  void ResizeEditor(int width, int height) override { Log("resize", width * 10000 + height); }
  void ProgramChangeToHost() override {}
  int SamplePosition() override { return 0; }
  double Tempo() override { return tempo; }
  void TimeSignature(int& n, int& d) override { n = 4, d = 4; }
  int HostCode() override { return hostCode != kIdentifiedHost ? hostCode : IEffectBase::HostCode(); }
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

  // The calls as "kind param" ("begin 1", "end 1", ...), in order.
  std::vector<std::string> Log() const;
  int Count(const std::string& kind, int param = kAnyParam) const;
  // The kinds of the gesture calls (hover left out) for one parameter, in order, with repeated
  // edits folded into one: "begin edit end" (a double begin or end stays visible).
  std::string Sequence(int param) const;
  // (parameter, normalised value) of every edit sent to the host.
  std::vector<std::pair<int, double>> Edits() const;
  double Plain(int param) { return GetParam(param)->value; }
  void Clear() { calls.clear(); }

  double tempo = 120.0;
  int hostCode = kIdentifiedHost;
  int refuseParam = -1;
  int refusePreset = -1;
  std::vector<CoreCall> calls;
  std::vector<int> changed;
  std::vector<int> changedSlots;
  std::vector<int> sentMidi;

private:
  void Log(const char* kind, int param, double value = 0.0) { calls.push_back({kind, param, value}); }
};

// Stands in for the editor: records what the core pushes into it.
class FakeEditor : public IEditorConnection {
public:
  struct Push {
    int index;
    double value;
    bool normalized;
  };
  explicit FakeEditor(int frameRate = 24, bool* destroyed = nullptr) : frameRate_(frameRate), destroyed_(destroyed) {}
  ~FakeEditor() override {
    if (destroyed_) *destroyed_ = true;
  }
  void SetControlsFromParam(int index, double value, bool normalized) override {
    pushes.push_back({index, value, normalized});
  }
  void PrepareDraw() override {
    ++prepareCount;
    prepared = pushes.size();
  }
  int FrameRate() const override { return frameRate_; }
  void SetWheelGestureTicks(int ticks) override { wheelTicks.push_back(ticks); }
  void ClearWheelGestureTicks() override { ++clears; }
  int Width() const override { return width; }
  int Height() const override { return height; }
  // No window: opening one fails, as where an editor renders off-screen only.
  void* OpenWindow(void*) override { return nullptr; }
  void CloseWindow() override {}
  void* GetWindow() override { return nullptr; }
  bool HostMouseWheel(float) override { return false; }
  const char* WindowType() const override { return windowType; }

  std::vector<Push> pushes;
  int prepareCount = 0;
  std::size_t prepared = static_cast<std::size_t>(-1);  // pushes seen when PrepareDraw last ran
  std::vector<int> wheelTicks;
  int clears = 0;
  int width = 395;
  int height = 248;
  const char* windowType = nullptr;  // "HWND" stands for a window editor

private:
  int frameRate_;
  bool* destroyed_;
};

}  // namespace quivorant::test
