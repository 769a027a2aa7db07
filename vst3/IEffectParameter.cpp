#include "vst3/IEffectParameter.h"

#include <cmath>

#include "vst3/sdk/helpers/ustring.h"

namespace quivorant {

using namespace Steinberg;
using namespace Steinberg::Vst;

IEffectParameter::IEffectParameter(const IParamRecord& record, ParamID id, UnitID unitId) : record_(record) {
  info.id = id;
  str8ToStr16(info.title, record.Name());
  info.shortTitle[0] = 0;
  str8ToStr16(info.units, record.Label());
  info.stepCount = record.kind == kParamDouble ? 0 : static_cast<int32>(record.max - record.min);
  info.defaultNormalizedValue =
      std::pow((record.defaultValue - record.min) / (record.max - record.min), 1.0 / record.exponent);
  info.unitId = unitId;
  info.flags = record.canAutomate ? ParameterInfo::kCanAutomate : 0;
  setPrecision(record.displayPrecision);
  valueNormalized = info.defaultNormalizedValue;
}

void IEffectParameter::toString(ParamValue normalized, String128 string) const {
  if (string == nullptr) return;
  char text[kParamTextCapacity];
  record_.FormatValue(normalized, true, text, sizeof text);
  str8ToStr16(string, text, 128);
}

bool IEffectParameter::fromString(const TChar* string, ParamValue& normalized) const {
  double plain = 0.;
  if (!parseDouble16(string, plain)) plain = 0.;
  normalized = record_.ToNormalized(plain);
  return true;
}

ParamValue IEffectParameter::toPlain(ParamValue normalized) const { return record_.FromNormalized(normalized); }

ParamValue IEffectParameter::toNormalized(ParamValue plain) const { return record_.ToNormalized(plain); }

}  // namespace quivorant
