#include "tests/support/FakeCore.h"

namespace quivorant::test {

EffectIdentity MakeIdentity(int params, const char* channels, int presets) {
  EffectIdentity id;
  id.paramCount = params;
  id.channelConfig = channels;
  id.presetCount = presets;
  id.effectName = "testfx";
  id.makerName = "Maker";
  id.vendorVersion = 0x00011E00;
  id.uniqueId = 0x62316751;
  return id;
}

void SetupList(IParamRecord* param, const char* name, int defaultValue, std::initializer_list<const char*> texts) {
  param->SetupEnum(name, defaultValue, static_cast<int>(texts.size()));
  int i = 0;
  for (const char* text : texts) param->AddDisplayText(i++, text);
}

std::vector<std::string> FakeCore::Log() const {
  std::vector<std::string> out;
  for (const CoreCall& c : calls) out.push_back(c.kind + " " + std::to_string(c.param));
  return out;
}

int FakeCore::Count(const std::string& kind, int param) const {
  int n = 0;
  for (const CoreCall& c : calls) n += (c.kind == kind && (param == kAnyParam || c.param == param)) ? 1 : 0;
  return n;
}

std::string FakeCore::Sequence(int param) const {
  std::string out;
  std::string last;
  for (const CoreCall& c : calls) {
    if (c.param != param || c.kind == "hover" || (c.kind == "edit" && last == "edit")) continue;
    if (!out.empty()) out += ' ';
    out += c.kind;
    last = c.kind;
  }
  return out;
}

std::vector<std::pair<int, double>> FakeCore::Edits() const {
  std::vector<std::pair<int, double>> out;
  for (const CoreCall& c : calls)
    if (c.kind == "edit") out.emplace_back(c.param, c.value);
  return out;
}

}  // namespace quivorant::test
