// Hosts a quivorant VST 2.4 plug-in: VSTPluginMain with our host callback, then the dispatcher,
// the parameter callbacks and the two replacing audio callbacks, the way a DAW drives them.
#include <cstdio>
#include <cstring>
#include <utility>
#include <vector>

#include "platform/SharedLibrary.h"
#include "tools/render/HostedPlugin.h"
#include "vst2/abi/VstEffect.h"
#include "vst2/abi/VstOpcodes.h"
#include "vst2/abi/VstRecords.h"
#include "vst2/abi/VstTime.h"

namespace quivorant::render {

namespace {

constexpr VstInt32 kQuivorantUniqueId = CCONST('b', '1', 'g', 'Q');
// The plug-in's vendor-specific calls: format a normalised value, count display texts, parse a text.
constexpr VstInt32 kVendorFormatNormalized = 7;
constexpr VstInt32 kVendorDisplayTextCount = 8;
constexpr VstInt32 kVendorParseToNormalized = 27;
constexpr VstIntPtr kVendorAnswered = 0xBEEF;

class Vst2Plugin;
// The plug-in may call back while VSTPluginMain runs, before the host has its effect record.
thread_local Vst2Plugin* tCreating = nullptr;

class Vst2Plugin final : public HostedPlugin {
public:
  bool Load(const std::string& path, std::string* error);
  ~Vst2Plugin() override;

  int ParamCount() override { return effect_->numParams; }
  HostedParamInfo ParamInfo(int index) override;
  std::string FormatNormalized(int index, double normalized) override;
  double PlainToNormalized(int index, double plain) override;
  double GetNormalized(int index) override { return effect_->getParameter(effect_, index); }
  void SetNormalized(int index, double normalized) override {
    pendingParams_.emplace_back(index, static_cast<float>(normalized));
  }
  std::vector<std::string> PresetNames() override;
  bool SelectPreset(int index) override;
  bool Start(double sampleRateHz, int maxBlockFrames, bool doublePrecision) override;
  void Process(const TransportInfo& transport, float* const* in, float* const* out, int frames) override;
  void Process(const TransportInfo& transport, double* const* in, double* const* out, int frames) override;
  void Stop() override;
  bool SaveState(std::vector<unsigned char>* state) override;

  VstIntPtr HostCall(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt);

private:
  VstIntPtr Dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr, float opt = 0.0f) {
    return effect_->dispatcher(effect_, opcode, index, value, ptr, opt);
  }
  std::string TextOf(VstInt32 opcode, VstInt32 index);
  void UpdateTime(const TransportInfo& transport);
  void ApplyPending();

  SharedLibrary library_;
  AEffect* effect_ = nullptr;
  bool running_ = false;
  VstTimeInfo time_{};
  double sampleRateHz_ = 44100.0;
  // Changes wait for the next block, as they do through the VST3 process call, so that both
  // interfaces see the same sequence: start (reset), then preset and settings, then audio.
  int pendingPreset_ = -1;
  std::vector<std::pair<int, float>> pendingParams_;
};

VstIntPtr VSTCALLBACK HostCallback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                   float opt) {
  Vst2Plugin* host = effect && effect->resvd1 ? reinterpret_cast<Vst2Plugin*>(effect->resvd1) : tCreating;
  if (opcode == audioMasterVersion) return kVstVersion;
  return host ? host->HostCall(opcode, index, value, ptr, opt) : 0;
}

VstIntPtr Vst2Plugin::HostCall(VstInt32 opcode, VstInt32, VstIntPtr, void* ptr, float) {
  switch (opcode) {
    case audioMasterGetTime:
      return reinterpret_cast<VstIntPtr>(&time_);
    case audioMasterGetSampleRate:
      return static_cast<VstIntPtr>(sampleRateHz_);
    case audioMasterGetProductString:
      if (ptr) std::snprintf(static_cast<char*>(ptr), kVstMaxProductStrLen, "quivorant-render");
      return 1;
    case audioMasterGetVendorString:
      if (ptr) std::snprintf(static_cast<char*>(ptr), kVstMaxVendorStrLen, "Tolvane");
      return 1;
    case audioMasterGetVendorVersion:
      return 10000;
    default:
      return 0;  // automation and gestures: an offline render records nothing
  }
}

bool Vst2Plugin::Load(const std::string& path, std::string* error) {
  if (!OpenPluginLibrary(library_, path, error)) return false;
  using Entry = AEffect* (*)(audioMasterCallback);
  Entry entry = reinterpret_cast<Entry>(library_.Symbol("VSTPluginMain"));
  if (!entry) entry = reinterpret_cast<Entry>(library_.Symbol("main"));
  if (!entry) {
    *error = "\"" + path + "\" is not a VST 2.4 plug-in (no VSTPluginMain)";
    return false;
  }
  tCreating = this;
  effect_ = entry(HostCallback);
  tCreating = nullptr;
  if (!effect_ || effect_->magic != kEffectMagic) {
    effect_ = nullptr;
    *error = "\"" + path + "\" did not create a VST 2.4 effect";
    return false;
  }
  effect_->resvd1 = reinterpret_cast<VstIntPtr>(this);
  char name[256] = {};
  Dispatch(effGetEffectName, 0, 0, name);
  if (effect_->uniqueID != kQuivorantUniqueId || std::strcmp(name, "quivorant") != 0) {
    *error = "\"" + path + "\" is not a quivorant plug-in (it is \"" + name + "\")";
    return false;
  }
  Dispatch(effOpen);
  return true;
}

Vst2Plugin::~Vst2Plugin() {
  if (!effect_) return;
  Stop();
  Dispatch(effClose);
}

std::string Vst2Plugin::TextOf(VstInt32 opcode, VstInt32 index) {
  char text[256] = {};
  Dispatch(opcode, index, 0, text);
  return text;
}

std::string Vst2Plugin::FormatNormalized(int index, double normalized) {
  char text[256] = {};
  Dispatch(effVendorSpecific, kVendorFormatNormalized, index, text, static_cast<float>(normalized));
  return text;
}

double Vst2Plugin::PlainToNormalized(int index, double plain) {
  char text[256];
  std::snprintf(text, sizeof text, "%.17g", plain);
  if (Dispatch(effVendorSpecific, kVendorParseToNormalized, index, text) != kVendorAnswered) return 0.0;
  double normalized = 0.0;
  ParseNumber(text, &normalized);
  return normalized;
}

HostedParamInfo Vst2Plugin::ParamInfo(int index) {
  HostedParamInfo info;
  info.name = TextOf(effGetParamName, index);
  info.unit = TextOf(effGetParamLabel, index);
  info.defaultNormalized = GetNormalized(index);  // a fresh instance holds its defaults
  VstInt32 textCount = 0;
  if (Dispatch(effVendorSpecific, kVendorDisplayTextCount, index, &textCount) == kVendorAnswered && textCount > 0) {
    info.minPlain = 0.0;
    info.maxPlain = textCount - 1;
    info.stepCount = textCount - 1;
    for (int k = 0; k < textCount; ++k) {
      info.valueTexts.push_back(
          FormatNormalized(index, textCount > 1 ? static_cast<double>(k) / (textCount - 1) : 0.0));
    }
    return info;
  }
  ParseNumber(FormatNormalized(index, 0.0), &info.minPlain);
  ParseNumber(FormatNormalized(index, 1.0), &info.maxPlain);
  info.stepCount = static_cast<int>(info.maxPlain - info.minPlain);
  return info;
}

std::vector<std::string> Vst2Plugin::PresetNames() {
  std::vector<std::string> names;
  for (int i = 0; i < effect_->numPrograms; ++i) names.push_back(TextOf(effGetProgramNameIndexed, i));
  return names;
}

bool Vst2Plugin::SelectPreset(int index) {
  if (index < 0 || index >= effect_->numPrograms) return false;
  pendingPreset_ = index;
  pendingParams_.clear();  // a preset replaces every earlier setting
  return true;
}

void Vst2Plugin::ApplyPending() {
  if (pendingPreset_ >= 0) {
    Dispatch(effBeginSetProgram);
    Dispatch(effSetProgram, 0, pendingPreset_);
    Dispatch(effEndSetProgram);
    pendingPreset_ = -1;
  }
  for (const auto& [index, value] : pendingParams_) effect_->setParameter(effect_, index, value);
  pendingParams_.clear();
}

bool Vst2Plugin::Start(double sampleRateHz, int maxBlockFrames, bool doublePrecision) {
  if (doublePrecision && !(effect_->flags & effFlagsCanDoubleReplacing)) return false;
  sampleRateHz_ = sampleRateHz;
  Dispatch(effSetSampleRate, 0, 0, nullptr, static_cast<float>(sampleRateHz));
  Dispatch(effSetBlockSize, 0, maxBlockFrames);
  Dispatch(effMainsChanged, 0, 1);
  Dispatch(effStartProcess);
  running_ = true;
  return true;
}

void Vst2Plugin::Stop() {
  if (!running_) return;
  Dispatch(effStopProcess);
  Dispatch(effMainsChanged, 0, 0);
  running_ = false;
}

bool Vst2Plugin::SaveState(std::vector<unsigned char>* state) {
  // A program chunk: the plug-in's 32-bit version, then its parameter state.
  constexpr VstIntPtr kVersionBytes = 4;
  void* data = nullptr;
  const VstIntPtr size = Dispatch(effGetChunk, 1, 0, &data);
  if (data == nullptr || size < kVersionBytes) return false;
  const auto* bytes = static_cast<const unsigned char*>(data);
  state->assign(bytes + kVersionBytes, bytes + size);
  return true;
}

void Vst2Plugin::UpdateTime(const TransportInfo& transport) {
  time_ = VstTimeInfo{};
  time_.samplePos = transport.samplePosition;
  time_.sampleRate = sampleRateHz_;
  time_.timeSigNumerator = 4;
  time_.timeSigDenominator = 4;
  time_.flags = kVstTimeSigValid;
  if (transport.playing) time_.flags |= kVstTransportPlaying;
  if (transport.tempoBpm > 0.0) {
    time_.tempo = transport.tempoBpm;
    time_.ppqPos = transport.samplePosition / sampleRateHz_ * transport.tempoBpm / 60.0;
    time_.flags |= kVstTempoValid | kVstPpqPosValid;
  }
}

void Vst2Plugin::Process(const TransportInfo& transport, float* const* in, float* const* out, int frames) {
  ApplyPending();
  UpdateTime(transport);
  effect_->processReplacing(effect_, const_cast<float**>(in), const_cast<float**>(out), frames);
}

void Vst2Plugin::Process(const TransportInfo& transport, double* const* in, double* const* out, int frames) {
  ApplyPending();
  UpdateTime(transport);
  effect_->processDoubleReplacing(effect_, const_cast<double**>(in), const_cast<double**>(out), frames);
}

}  // namespace

std::unique_ptr<HostedPlugin> LoadVst2Plugin(const std::string& path, std::string* error) {
  auto plugin = std::make_unique<Vst2Plugin>();
  if (!plugin->Load(path, error)) return nullptr;
  return plugin;
}

}  // namespace quivorant::render
