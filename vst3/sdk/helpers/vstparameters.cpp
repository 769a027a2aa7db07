#include "vst3/sdk/helpers/vstparameters.h"

#include <cmath>
#include <string_view>

#include "vst3/sdk/helpers/ustring.h"

namespace Steinberg {
namespace Vst {

Parameter::Parameter() { info.flags = ParameterInfo::kCanAutomate; }

Parameter::Parameter(const ParameterInfo& paramInfo)
    : info(paramInfo), valueNormalized(paramInfo.defaultNormalizedValue) {}

Parameter::Parameter(const TChar* title, ParamID tag, const TChar* units, ParamValue defaultValueNormalized,
                     int32 stepCount, int32 flags, UnitID unitID, const TChar* shortTitle) {
  info.id = tag;
  strncpy16(info.title, title, 128);
  strncpy16(info.units, units, 128);
  strncpy16(info.shortTitle, shortTitle, 128);
  info.stepCount = stepCount;
  info.defaultNormalizedValue = defaultValueNormalized;
  info.unitId = unitID;
  info.flags = flags;
  valueNormalized = defaultValueNormalized;
}

bool Parameter::setNormalized(ParamValue v) {
  if (!(v >= 0.)) v = 0.;  // also turns NaN into 0
  if (v > 1.) v = 1.;
  if (v == valueNormalized) return false;
  valueNormalized = v;
  return true;
}

void Parameter::toString(ParamValue normalized, String128 string) const {
  if (string == nullptr) return;
  if (info.stepCount == 1) {
    str8ToStr16(string, normalized > 0.5 ? "On" : "Off", 128);
    return;
  }
  printDouble16(string, 128, normalized, precision);
}

bool Parameter::fromString(const TChar* string, ParamValue& normalized) const {
  return parseDouble16(string, normalized);
}

ParamValue Parameter::toPlain(ParamValue normalized) const { return normalized; }
ParamValue Parameter::toNormalized(ParamValue plain) const { return plain; }

StringListParameter::StringListParameter(const TChar* title, ParamID tag, const TChar* units, int32 flags,
                                         UnitID unitID, const TChar* shortTitle)
    : Parameter(title, tag, units, 0., -1, flags, unitID, shortTitle) {}

void StringListParameter::appendString(const TChar* string) {
  strings.emplace_back(string != nullptr ? string : u"");
  info.stepCount++;
}

bool StringListParameter::replaceString(int32 index, const TChar* string) {
  if (index < 0 || index >= static_cast<int32>(strings.size())) return false;
  strings[static_cast<std::size_t>(index)] = string != nullptr ? string : u"";
  return true;
}

ParamValue StringListParameter::toPlain(ParamValue normalized) const {
  if (info.stepCount <= 0) return 0;
  const double scaled = std::floor(normalized * (info.stepCount + 1));
  if (!(scaled >= 0.)) return 0;
  return scaled < info.stepCount ? scaled : info.stepCount;
}

ParamValue StringListParameter::toNormalized(ParamValue plain) const {
  if (info.stepCount <= 0) return 0;
  return plain / static_cast<double>(info.stepCount);
}

void StringListParameter::toString(ParamValue normalized, String128 string) const {
  if (string == nullptr) return;
  const auto index = static_cast<std::size_t>(toPlain(normalized));
  // An empty list, or a step count changed behind our back, shows empty text instead of
  // reading past the entries.
  strncpy16(string, index < strings.size() ? strings[index].c_str() : u"", 128);
}

bool StringListParameter::fromString(const TChar* string, ParamValue& normalized) const {
  if (string == nullptr) return false;
  const std::u16string_view text(string, static_cast<std::size_t>(strlen16(string, kTextUnitsMax)));
  for (std::size_t i = 0; i < strings.size(); ++i) {
    if (strings[i] == text) {
      normalized = toNormalized(static_cast<ParamValue>(i));
      return true;
    }
  }
  return false;
}

ParameterContainer::~ParameterContainer() { removeAll(); }

Parameter* ParameterContainer::addParameter(Parameter* p) {
  if (p == nullptr) return nullptr;
  params.push_back(p);
  idToIndex[p->getInfo().id] = params.size() - 1;
  return p;
}

Parameter* ParameterContainer::addParameter(const ParameterInfo& info) { return addParameter(new Parameter(info)); }

Parameter* ParameterContainer::addParameter(const TChar* title, const TChar* units, int32 stepCount,
                                            ParamValue defaultValueNormalized, int32 flags, int32 tag, UnitID unitID,
                                            const TChar* shortTitle) {
  if (title == nullptr) return nullptr;
  const ParamID id = tag >= 0 ? static_cast<ParamID>(tag) : static_cast<ParamID>(params.size());
  return addParameter(new Parameter(title, id, units, defaultValueNormalized, stepCount, flags, unitID, shortTitle));
}

Parameter* ParameterContainer::getParameter(ParamID tag) const {
  const auto it = idToIndex.find(tag);
  return it == idToIndex.end() ? nullptr : params[it->second];
}

Parameter* ParameterContainer::getParameterByIndex(int32 index) const {
  if (index < 0 || index >= getParameterCount()) return nullptr;
  return params[static_cast<std::size_t>(index)];
}

void ParameterContainer::removeAll() {
  idToIndex.clear();
  while (!params.empty()) {
    Parameter* p = params.back();
    params.pop_back();
    p->release();
  }
}

}  // namespace Vst
}  // namespace Steinberg
