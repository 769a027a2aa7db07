// The edit controller: parameter descriptions and values, the host's component handler, and
// the editor view.
#pragma once

#include <cstddef>

#include "vst3/sdk/interfaces/ibstream.h"
#include "vst3/sdk/interfaces/ipluginbase.h"
#include "vst3/sdk/interfaces/ipluginview.h"
#include "vst3/sdk/interfaces/ivstcontextmenu.h"
#include "vst3/sdk/interfaces/vsttypes.h"

namespace Steinberg {
namespace Vst {

struct ParameterInfo {
  enum ParameterFlags : int32 {
    kNoFlags = 0,
    kCanAutomate = 1 << 0,
    kIsReadOnly = 1 << 1,
    kIsWrapAround = 1 << 2,
    kIsList = 1 << 3,
    kIsHidden = 1 << 4,
    kIsProgramChange = 1 << 15,
    kIsBypass = 1 << 16,
  };
  ParamID id;
  String128 title;
  String128 shortTitle;
  String128 units;
  int32 stepCount;
  ParamValue defaultNormalizedValue;
  UnitID unitId;
  int32 flags;
};

// Host side; called on the user-interface thread only.
class IComponentHandler : public FUnknown {
public:
  virtual tresult PLUGIN_API beginEdit(ParamID id) = 0;
  virtual tresult PLUGIN_API performEdit(ParamID id, ParamValue valueNormalized) = 0;
  virtual tresult PLUGIN_API endEdit(ParamID id) = 0;
  virtual tresult PLUGIN_API restartComponent(int32 flags) = 0;
  QV_DECLARE_IID(0x93A0BEA3, 0x0BD045DB, 0x8E890B0C, 0xC1E46AC6);
};

class IComponentHandler2 : public FUnknown {
public:
  virtual tresult PLUGIN_API setDirty(TBool state) = 0;
  virtual tresult PLUGIN_API requestOpenEditor(FIDString name) = 0;
  virtual tresult PLUGIN_API startGroupEdit() = 0;
  virtual tresult PLUGIN_API finishGroupEdit() = 0;
  QV_DECLARE_IID(0xF040B4B3, 0xA36045EC, 0xABCDC045, 0xB4D5A2CC);
};

class IComponentHandler3 : public FUnknown {
public:
  // The caller releases the menu; a null paramID asks for a generic menu.
  virtual IContextMenu* PLUGIN_API createContextMenu(IPluginView* plugView, const ParamID* paramID) = 0;
  QV_DECLARE_IID(0x69F11617, 0xD26B400D, 0xA4B6B964, 0x7B6EBBAB);
};

class IEditController : public IPluginBase {
public:
  virtual tresult PLUGIN_API setComponentState(IBStream* state) = 0;
  virtual tresult PLUGIN_API setState(IBStream* state) = 0;
  virtual tresult PLUGIN_API getState(IBStream* state) = 0;
  virtual int32 PLUGIN_API getParameterCount() = 0;
  virtual tresult PLUGIN_API getParameterInfo(int32 paramIndex, ParameterInfo& info) = 0;
  virtual tresult PLUGIN_API getParamStringByValue(ParamID id, ParamValue valueNormalized, String128 string) = 0;
  virtual tresult PLUGIN_API getParamValueByString(ParamID id, TChar* string, ParamValue& valueNormalized) = 0;
  virtual ParamValue PLUGIN_API normalizedParamToPlain(ParamID id, ParamValue valueNormalized) = 0;
  virtual ParamValue PLUGIN_API plainParamToNormalized(ParamID id, ParamValue plainValue) = 0;
  virtual ParamValue PLUGIN_API getParamNormalized(ParamID id) = 0;
  virtual tresult PLUGIN_API setParamNormalized(ParamID id, ParamValue value) = 0;
  virtual tresult PLUGIN_API setComponentHandler(IComponentHandler* handler) = 0;
  // The caller owns the returned view.
  virtual IPluginView* PLUGIN_API createView(FIDString name) = 0;
  QV_DECLARE_IID(0xDCD7BBE3, 0x7742448D, 0xA874AACC, 0x979C759E);
};

class IEditController2 : public FUnknown {
public:
  virtual tresult PLUGIN_API setKnobMode(KnobMode mode) = 0;
  virtual tresult PLUGIN_API openHelp(TBool onlyCheck) = 0;
  virtual tresult PLUGIN_API openAboutBox(TBool onlyCheck) = 0;
  QV_DECLARE_IID(0x7F4EFE59, 0xF3204967, 0xAC27A3AE, 0xAFB63038);
};

static_assert(sizeof(ParameterInfo) == 792 && alignof(ParameterInfo) == 8 && offsetof(ParameterInfo, title) == 4 &&
              offsetof(ParameterInfo, shortTitle) == 260 && offsetof(ParameterInfo, units) == 516 &&
              offsetof(ParameterInfo, stepCount) == 772 && offsetof(ParameterInfo, defaultNormalizedValue) == 776 &&
              offsetof(ParameterInfo, unitId) == 784 && offsetof(ParameterInfo, flags) == 788);

}  // namespace Vst
}  // namespace Steinberg
