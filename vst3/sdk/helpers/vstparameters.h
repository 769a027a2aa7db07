// Parameter objects of a controller and their container.
//
// A Parameter holds its description (ParameterInfo) and a normalised value; the conversions
// toString/fromString/toPlain/toNormalized are virtual so that a product's parameter class can
// present its own plain values. The container owns its parameters; position = host index.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "vst3/sdk/helpers/fobject.h"
#include "vst3/sdk/interfaces/ivsteditcontroller.h"

namespace Steinberg {
namespace Vst {

class Parameter : public FObject {
public:
  Parameter();
  explicit Parameter(const ParameterInfo& info);
  Parameter(const TChar* title, ParamID tag, const TChar* units = nullptr, ParamValue defaultValueNormalized = 0.,
            int32 stepCount = 0, int32 flags = ParameterInfo::kCanAutomate, UnitID unitID = kRootUnitId,
            const TChar* shortTitle = nullptr);

  virtual const ParameterInfo& getInfo() const { return info; }
  virtual ParameterInfo& getInfo() { return info; }
  virtual void setUnitID(UnitID id) { info.unitId = id; }
  virtual UnitID getUnitID() { return info.unitId; }

  virtual ParamValue getNormalized() const { return valueNormalized; }
  // Clamps to 0..1; answers whether the value changed.
  virtual bool setNormalized(ParamValue v);

  virtual void toString(ParamValue valueNormalized, String128 string) const;
  virtual bool fromString(const TChar* string, ParamValue& valueNormalized) const;
  virtual ParamValue toPlain(ParamValue valueNormalized) const;
  virtual ParamValue toNormalized(ParamValue plainValue) const;

  int32 getPrecision() const { return precision; }
  void setPrecision(int32 val) { precision = val; }

  OBJ_METHODS(Parameter, FObject)

protected:
  ParameterInfo info{};
  ParamValue valueNormalized = 0.;
  int32 precision = 4;
};

// A list of named choices: N entries give step count N - 1, and a normalised value selects
// entry index = min(stepCount, floor(v * (stepCount + 1))).
class StringListParameter : public Parameter {
public:
  StringListParameter(const TChar* title, ParamID tag, const TChar* units = nullptr,
                      int32 flags = ParameterInfo::kCanAutomate | ParameterInfo::kIsList, UnitID unitID = kRootUnitId,
                      const TChar* shortTitle = nullptr);

  virtual void appendString(const TChar* string);
  virtual bool replaceString(int32 index, const TChar* string);

  void toString(ParamValue valueNormalized, String128 string) const override;
  bool fromString(const TChar* string, ParamValue& valueNormalized) const override;
  ParamValue toPlain(ParamValue valueNormalized) const override;
  ParamValue toNormalized(ParamValue plainValue) const override;

  OBJ_METHODS(StringListParameter, Parameter)

protected:
  std::vector<std::u16string> strings;
};

class ParameterContainer {
public:
  ParameterContainer() = default;
  ~ParameterContainer();
  ParameterContainer(const ParameterContainer&) = delete;
  ParameterContainer& operator=(const ParameterContainer&) = delete;

  // Takes over the caller's reference; answers the parameter (null for null).
  Parameter* addParameter(Parameter* p);
  Parameter* addParameter(const ParameterInfo& info);
  Parameter* addParameter(const TChar* title, const TChar* units = nullptr, int32 stepCount = 0,
                          ParamValue defaultValueNormalized = 0., int32 flags = ParameterInfo::kCanAutomate,
                          int32 tag = -1, UnitID unitID = kRootUnitId, const TChar* shortTitle = nullptr);

  Parameter* getParameter(ParamID tag) const;
  Parameter* getParameterByIndex(int32 index) const;
  int32 getParameterCount() const { return static_cast<int32>(params.size()); }
  // Releases the parameters, last one first.
  void removeAll();

private:
  std::vector<Parameter*> params;
  std::map<ParamID, std::size_t> idToIndex;
};

}  // namespace Vst
}  // namespace Steinberg
