// The controller side: initialisation (host, buses, parameters) and the IEditController
// answers. The controller's queries read single values; setParamNormalized writes one.
#include <algorithm>
#include <cstring>

#include "plug/EditorSizeRecord.h"
#include "vst3/IEffectParameter.h"
#include "vst3/IEffectVST3.h"
#include "vst3/StateStream.h"
#include "vst3/sdk/helpers/ustring.h"
#include "vst3/sdk/interfaces/ivsthostapplication.h"

namespace quivorant {

using namespace Steinberg;
using namespace Steinberg::Vst;

void IEffectVST3::IdentifyHost(FUnknown* context) {
  IHostApplication* host = queryInterfaceOf<IHostApplication>(context);
  if (host == nullptr) return;
  String128 name16{};
  if (host->getName(name16) == kResultOk) {
    name16[127] = 0;  // a host that fills all 128 units leaves no terminator
    char name8[512];
    str16ToStr8(name8, name16, sizeof name8);
    SetHost(name8, 0);
  }
  host->release();
}

void IEffectVST3::CreateParameters() {
  if (PresetCount() > 0) {
    auto* presets = new StringListParameter(u"Presets", kPresetParamId, nullptr,
                                            ParameterInfo::kIsList | ParameterInfo::kIsProgramChange, kRootUnitId);
    for (int i = 0; i < PresetCount(); ++i) presets->appendString(u"");
    parameters.addParameter(presets);
  }
  for (int i = 0; i < ParamCount(); ++i) {
    const IParamRecord& record = *GetParam(i);
    const int group = FindOrAddGroupName(record.Group());
    const UnitID unit = group < 0 ? kRootUnitId : group + 1;
    parameters.addParameter(new IEffectParameter(record, static_cast<ParamID>(i), unit));
    HandleParamChange(i);
  }
}

// ---- host entry points: check and forward ---------------------------------------------------

tresult PLUGIN_API IEffectVST3::initialize(FUnknown* context) noexcept {
  const tresult result = SingleComponentEffect::initialize(context);
  IdentifyHost(context);
  if (result == kResultOk) {
    CreateBuses();
    CreateParameters();
  }
  InitializeDone();
  return result;
}

tresult PLUGIN_API IEffectVST3::terminate() noexcept {
  views_.clear();
  return SingleComponentEffect::terminate();
}

tresult PLUGIN_API IEffectVST3::setComponentState(IBStream*) noexcept { return kNotImplemented; }

// The controller's state holds only what the editor keeps: the size the user chose.
tresult IEffectVST3::setEditorState(IBStream* stream) noexcept {
  InstanceLock::Scope hold(GetLock());
  StateChunk chunk;
  if (stream != nullptr) ReadWholeStream(*stream, chunk, false);
  RestoreEditorSize(*this, chunk, 0);
  return kResultOk;
}

tresult IEffectVST3::getEditorState(IBStream* stream) noexcept {
  InstanceLock::Scope hold(GetLock());
  StateChunk chunk;
  PutEditorSize(*this, chunk);
  if (chunk.Empty()) return kResultOk;
  return stream != nullptr && WriteChunk(*stream, chunk) ? kResultOk : kResultFalse;
}

tresult PLUGIN_API IEffectVST3::getParamStringByValue(ParamID id, ParamValue normalized, String128 string) noexcept {
  if (string == nullptr || !IsCoreParam(id)) return kResultFalse;
  char text[kParamTextCapacity];
  GetParam(static_cast<int>(id))->FormatValue(normalized, true, text, sizeof text);
  str8ToStr16(string, text, 128);
  return kResultOk;
}

ParamValue PLUGIN_API IEffectVST3::plainParamToNormalized(ParamID id, ParamValue plain) noexcept {
  if (id == kPresetParamId) return NormalizedFromPresetIndex(plain);
  if (IsCoreParam(id)) return GetParam(static_cast<int>(id))->ToNormalized(plain);
  return plain;
}

// The audio thread changes parameter values under the instance lock; holding it for the one
// read or write here keeps that a well-defined exchange between the two threads. Both run on the
// user-interface thread, where the editor's controls catch up with what the audio thread changed
// (and the host hears of a preset the audio thread restored) before the lock is taken.
ParamValue PLUGIN_API IEffectVST3::getParamNormalized(ParamID id) noexcept {
  SyncEditorControls();
  InstanceLock::Scope hold(GetLock());
  if (id == kBypassParamId) return IsBypassed() ? 1. : 0.;
  if (id == kPresetParamId) return NormalizedFromPresetIndex(CurrentPresetIndex());
  if (IsCoreParam(id)) return GetParam(static_cast<int>(id))->NormalizedValue();
  return 0.;
}

tresult PLUGIN_API IEffectVST3::setParamNormalized(ParamID id, ParamValue value) noexcept {
  if (value != value) return kInvalidArgument;  // NaN
  SyncEditorControls();
  if (id == kPresetParamId) return SelectPresetFromController(value);
  InstanceLock::Scope hold(GetLock());
  if (id == kBypassParamId) {
    SetBypassed(value != 0.);
    return kResultOk;
  }
  return SetParamFromHost(static_cast<int>(id), value, HostWrite::kMirror) ? kResultOk : kResultFalse;
}

tresult IEffectVST3::SelectPresetFromController(ParamValue value) {
  if (PresetCount() == 0) return kResultFalse;
  // Hosts send a program change both here and through process; the controller's values must
  // follow at once, and the same preset arriving again through process changes nothing more.
  {
    InstanceLock::Scope hold(GetLock());
    RestorePreset(PresetIndexFromNormalized(value), ControlPush::kNow);
  }
  ProgramChangeToHost();
  return kResultOk;
}

IPluginView* PLUGIN_API IEffectVST3::createView(FIDString name) noexcept {
  if (name == nullptr || std::strcmp(name, ViewType::kEditor) != 0) return nullptr;
  // An editor that cannot open inside a host's window offers no view: the host then shows its
  // own controls instead of an empty frame.
  if (Editor() == nullptr || Editor()->WindowType() == nullptr) return nullptr;
  auto* view = new IEffectVST3View(this);
  views_.push_back(view);
  return view;
}

tresult PLUGIN_API IEffectVST3::setKnobMode(KnobMode mode) noexcept { return EditController::setKnobMode(mode); }

}  // namespace quivorant
