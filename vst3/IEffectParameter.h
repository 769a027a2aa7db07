// IEffectParameter: one core parameter (IParamRecord) as the host sees it through the
// controller's parameter container. The record belongs to the core; this object only
// presents it, so texts and conversions always follow the record's own rules.
#pragma once

#include "plug/IParamRecord.h"
#include "vst3/sdk/helpers/vstparameters.h"

namespace quivorant {

class IEffectParameter : public Steinberg::Vst::Parameter {
public:
  IEffectParameter(const IParamRecord& record, Steinberg::Vst::ParamID id, Steinberg::Vst::UnitID unitId);

  // The record's display text of a normalised value.
  void toString(Steinberg::Vst::ParamValue normalized, Steinberg::Vst::String128 string) const override;
  // Reads a display text or a number with or without the unit label, as the editor's typed
  // entry does; false (the value stays) for a text that is neither.
  bool fromString(const Steinberg::Vst::TChar* string, Steinberg::Vst::ParamValue& normalized) const override;
  Steinberg::Vst::ParamValue toPlain(Steinberg::Vst::ParamValue normalized) const override;
  Steinberg::Vst::ParamValue toNormalized(Steinberg::Vst::ParamValue plain) const override;

  OBJ_METHODS(IEffectParameter, Parameter)

private:
  const IParamRecord& record_;
};

}  // namespace quivorant
