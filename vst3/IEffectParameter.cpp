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
  // Hosts draw a menu of the texts for a list, not a slider over its steps.
  if (record.IsList()) info.flags |= ParameterInfo::kIsList;
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
  if (string == nullptr) return false;
  // A host's text may lack its terminator within the interface's 128 units.
  char16 bounded[kTextUnitsMax + 1] = {};
  strncpy16(bounded, string, strlen16(string, kTextUnitsMax) + 1);
  char text[kTextUnitsMax * 4];
  str16ToStr8(text, bounded, sizeof text);
  double plain = 0.;
  if (!record_.ReadTypedValue(text, &plain)) return false;
  normalized = record_.ToNormalized(plain);
  return true;
}

ParamValue IEffectParameter::toPlain(ParamValue normalized) const { return record_.FromNormalized(normalized); }

ParamValue IEffectParameter::toNormalized(ParamValue plain) const { return record_.ToNormalized(plain); }

}  // namespace quivorant
