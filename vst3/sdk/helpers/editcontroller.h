// Base of an edit controller: the parameter container, the host's component handler and
// the edit helpers that report user gestures to it.
//
// IEditController's setState/getState have the same signatures as IComponent's; a class that
// is both would serve both slots with one function. EditControllerStateSlots routes the
// controller's pair to setEditorState/getEditorState so that each slot keeps its own meaning.
#pragma once

#include "vst3/sdk/helpers/componentbase.h"
#include "vst3/sdk/helpers/vstparameters.h"
#include "vst3/sdk/interfaces/ivsteditcontroller.h"

namespace Steinberg {
namespace Vst {

class EditControllerStateSlots : public IEditController {
public:
  tresult PLUGIN_API setState(IBStream* state) final { return setEditorState(state); }
  tresult PLUGIN_API getState(IBStream* state) final { return getEditorState(state); }
  virtual tresult setEditorState(IBStream* state) = 0;
  virtual tresult getEditorState(IBStream* state) = 0;
};

class EditController : public ComponentBase, public EditControllerStateSlots, public IEditController2 {
public:
  EditController() = default;
  ~EditController() override;

  tresult PLUGIN_API initialize(FUnknown* context) override;
  tresult PLUGIN_API terminate() override;

  tresult PLUGIN_API setComponentState(IBStream* state) override;
  tresult setEditorState(IBStream* state) override;
  tresult getEditorState(IBStream* state) override;
  int32 PLUGIN_API getParameterCount() override;
  tresult PLUGIN_API getParameterInfo(int32 paramIndex, ParameterInfo& info) override;
  tresult PLUGIN_API getParamStringByValue(ParamID id, ParamValue valueNormalized, String128 string) override;
  tresult PLUGIN_API getParamValueByString(ParamID id, TChar* string, ParamValue& valueNormalized) override;
  ParamValue PLUGIN_API normalizedParamToPlain(ParamID id, ParamValue valueNormalized) override;
  ParamValue PLUGIN_API plainParamToNormalized(ParamID id, ParamValue plainValue) override;
  ParamValue PLUGIN_API getParamNormalized(ParamID id) override;
  tresult PLUGIN_API setParamNormalized(ParamID id, ParamValue value) override;
  tresult PLUGIN_API setComponentHandler(IComponentHandler* handler) override;
  IPluginView* PLUGIN_API createView(FIDString name) override;

  tresult PLUGIN_API setKnobMode(KnobMode mode) override;
  tresult PLUGIN_API openHelp(TBool onlyCheck) override;
  tresult PLUGIN_API openAboutBox(TBool onlyCheck) override;

  // Gesture reports to the host; kResultFalse without a component handler.
  tresult beginEdit(ParamID id);
  tresult performEdit(ParamID id, ParamValue valueNormalized);
  tresult endEdit(ParamID id);
  tresult startGroupEdit();
  tresult finishGroupEdit();
  tresult setDirty(TBool state);
  tresult requestOpenEditor(FIDString name = ViewType::kEditor);

  IComponentHandler* getComponentHandler() const { return componentHandler; }
  Parameter* getParameterObject(ParamID id) const { return parameters.getParameter(id); }
  KnobMode getKnobMode() const { return knobMode; }

  OBJ_METHODS(EditController, ComponentBase)
  REFCOUNT_METHODS(ComponentBase)
  tresult PLUGIN_API queryInterface(const TUID queryIid, void** obj) override;

protected:
  void dropComponentHandlers();

  ParameterContainer parameters;
  IComponentHandler* componentHandler = nullptr;
  IComponentHandler2* componentHandler2 = nullptr;
  KnobMode knobMode = kCircularMode;
};

}  // namespace Vst
}  // namespace Steinberg
