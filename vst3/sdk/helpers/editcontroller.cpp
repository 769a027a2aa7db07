#include "vst3/sdk/helpers/editcontroller.h"

namespace Steinberg {
namespace Vst {

EditController::~EditController() { dropComponentHandlers(); }

void EditController::dropComponentHandlers() {
  if (componentHandler2 != nullptr) {
    componentHandler2->release();
    componentHandler2 = nullptr;
  }
  if (componentHandler != nullptr) {
    componentHandler->release();
    componentHandler = nullptr;
  }
}

tresult PLUGIN_API EditController::initialize(FUnknown* context) { return ComponentBase::initialize(context); }

tresult PLUGIN_API EditController::terminate() {
  parameters.removeAll();
  dropComponentHandlers();
  return ComponentBase::terminate();
}

tresult PLUGIN_API EditController::setComponentState(IBStream*) { return kNotImplemented; }
tresult EditController::setEditorState(IBStream*) { return kNotImplemented; }
tresult EditController::getEditorState(IBStream*) { return kNotImplemented; }

int32 PLUGIN_API EditController::getParameterCount() { return parameters.getParameterCount(); }

tresult PLUGIN_API EditController::getParameterInfo(int32 paramIndex, ParameterInfo& info) {
  Parameter* p = parameters.getParameterByIndex(paramIndex);
  if (p == nullptr || isNullAddress(&info)) return kResultFalse;
  info = p->getInfo();
  return kResultTrue;
}

tresult PLUGIN_API EditController::getParamStringByValue(ParamID id, ParamValue valueNormalized, String128 string) {
  Parameter* p = parameters.getParameter(id);
  if (p == nullptr || string == nullptr) return kResultFalse;
  p->toString(valueNormalized, string);
  return kResultTrue;
}

tresult PLUGIN_API EditController::getParamValueByString(ParamID id, TChar* string, ParamValue& valueNormalized) {
  Parameter* p = parameters.getParameter(id);
  if (p == nullptr || string == nullptr || isNullAddress(&valueNormalized)) return kResultFalse;
  return p->fromString(string, valueNormalized) ? kResultTrue : kResultFalse;
}

ParamValue PLUGIN_API EditController::normalizedParamToPlain(ParamID id, ParamValue valueNormalized) {
  Parameter* p = parameters.getParameter(id);
  return p != nullptr ? p->toPlain(valueNormalized) : valueNormalized;
}

ParamValue PLUGIN_API EditController::plainParamToNormalized(ParamID id, ParamValue plainValue) {
  Parameter* p = parameters.getParameter(id);
  return p != nullptr ? p->toNormalized(plainValue) : plainValue;
}

ParamValue PLUGIN_API EditController::getParamNormalized(ParamID id) {
  Parameter* p = parameters.getParameter(id);
  return p != nullptr ? p->getNormalized() : 0.;
}

tresult PLUGIN_API EditController::setParamNormalized(ParamID id, ParamValue value) {
  Parameter* p = parameters.getParameter(id);
  if (p == nullptr) return kResultFalse;
  p->setNormalized(value);
  return kResultTrue;
}

tresult PLUGIN_API EditController::setComponentHandler(IComponentHandler* handler) {
  if (handler == componentHandler) return kResultTrue;
  if (handler != nullptr) handler->addRef();
  dropComponentHandlers();
  componentHandler = handler;
  componentHandler2 = queryInterfaceOf<IComponentHandler2>(handler);
  return kResultTrue;
}

IPluginView* PLUGIN_API EditController::createView(FIDString) { return nullptr; }

tresult PLUGIN_API EditController::setKnobMode(KnobMode mode) {
  knobMode = mode;
  return kResultTrue;
}
tresult PLUGIN_API EditController::openHelp(TBool) { return kResultFalse; }
tresult PLUGIN_API EditController::openAboutBox(TBool) { return kResultFalse; }

tresult EditController::beginEdit(ParamID id) {
  return componentHandler != nullptr ? componentHandler->beginEdit(id) : kResultFalse;
}
tresult EditController::performEdit(ParamID id, ParamValue valueNormalized) {
  return componentHandler != nullptr ? componentHandler->performEdit(id, valueNormalized) : kResultFalse;
}
tresult EditController::endEdit(ParamID id) {
  return componentHandler != nullptr ? componentHandler->endEdit(id) : kResultFalse;
}
tresult EditController::startGroupEdit() {
  return componentHandler2 != nullptr ? componentHandler2->startGroupEdit() : kNotImplemented;
}
tresult EditController::finishGroupEdit() {
  return componentHandler2 != nullptr ? componentHandler2->finishGroupEdit() : kNotImplemented;
}
tresult EditController::setDirty(TBool state) {
  return componentHandler2 != nullptr ? componentHandler2->setDirty(state) : kNotImplemented;
}
tresult EditController::requestOpenEditor(FIDString name) {
  return componentHandler2 != nullptr ? componentHandler2->requestOpenEditor(name) : kNotImplemented;
}

tresult PLUGIN_API EditController::queryInterface(const TUID queryIid, void** obj) {
  if (obj == nullptr) return kInvalidArgument;
  if (queryIid != nullptr && (answer(queryIid, IEditController::iid, static_cast<IEditController*>(this), obj) ||
                              answer(queryIid, IEditController2::iid, static_cast<IEditController2*>(this), obj)))
    return kResultOk;
  return ComponentBase::queryInterface(queryIid, obj);
}

}  // namespace Vst
}  // namespace Steinberg
