// Units and the program list: the root unit, one unit per parameter group, and the presets
// as the one program list.
#include "vst3/IEffectVST3.h"
#include "vst3/sdk/helpers/ustring.h"

namespace quivorant {

using namespace Steinberg;
using namespace Steinberg::Vst;

int32 PLUGIN_API IEffectVST3::getUnitCount() noexcept { return 1 + GroupNameCount(); }

tresult PLUGIN_API IEffectVST3::getUnitInfo(int32 unitIndex, UnitInfo& info) noexcept {
  if (isNullAddress(&info)) return kInvalidArgument;
  if (unitIndex == 0) {
    info.id = kRootUnitId;
    info.parentUnitId = kNoParentUnitId;
    str8ToStr16(info.name, "Root Unit");
    info.programListId = PresetCount() > 0 ? static_cast<ProgramListID>(kPresetParamId) : kNoProgramListId;
    return kResultOk;
  }
  if (unitIndex >= 1 && unitIndex <= GroupNameCount()) {
    info.id = unitIndex;
    info.parentUnitId = kRootUnitId;
    str8ToStr16(info.name, GroupName(unitIndex - 1));
    info.programListId = kNoProgramListId;
    return kResultOk;
  }
  return kResultFalse;
}

int32 PLUGIN_API IEffectVST3::getProgramListCount() noexcept { return PresetCount() > 0 ? 1 : 0; }

tresult PLUGIN_API IEffectVST3::getProgramListInfo(int32 listIndex, ProgramListInfo& info) noexcept {
  if (isNullAddress(&info)) return kInvalidArgument;
  if (listIndex != 0 || PresetCount() == 0) return kResultFalse;
  info.id = static_cast<ProgramListID>(kPresetParamId);
  str8ToStr16(info.name, "Factory Presets");
  info.programCount = PresetCount();
  return kResultOk;
}

tresult PLUGIN_API IEffectVST3::getProgramName(ProgramListID listId, int32 programIndex, String128 name) noexcept {
  if (listId != static_cast<ProgramListID>(kPresetParamId) || name == nullptr) return kResultFalse;
  str8ToStr16(name, PresetName(programIndex), 128);
  return kResultOk;
}

tresult PLUGIN_API IEffectVST3::getProgramInfo(ProgramListID, int32, CString, String128) noexcept {
  return kNotImplemented;
}
tresult PLUGIN_API IEffectVST3::hasProgramPitchNames(ProgramListID, int32) noexcept { return kNotImplemented; }
tresult PLUGIN_API IEffectVST3::getProgramPitchName(ProgramListID, int32, int16, String128) noexcept {
  return kNotImplemented;
}
UnitID PLUGIN_API IEffectVST3::getSelectedUnit() noexcept { return kRootUnitId; }
tresult PLUGIN_API IEffectVST3::selectUnit(UnitID) noexcept { return kNotImplemented; }
tresult PLUGIN_API IEffectVST3::getUnitByBus(MediaType, BusDirection, int32, int32, UnitID&) noexcept {
  return kNotImplemented;
}
tresult PLUGIN_API IEffectVST3::setUnitProgramData(int32, int32, IBStream*) noexcept { return kNotImplemented; }

}  // namespace quivorant
