// quivorant-moduleinfo MODULE OUTPUT NAME: loads a built VST3 module the way a host does, asks
// its factory, and writes the moduleinfo.json of the bundle NAME.vst3. The build runs it on every
// module it links (the Windows one under Wine), so the file always says what the module says.
#include <cstdio>
#include <string>
#include <vector>

#include "platform/SharedLibrary.h"
#include "tools/moduleinfo/ModuleInfoJson.h"

namespace {

using namespace Steinberg;

int Fail(const std::string& why) {
  std::fprintf(stderr, "quivorant-moduleinfo: %s\n", why.c_str());
  return 1;
}

// The module's own entry and exit around the factory's answers, as a host calls them.
bool Enter(const quivorant::SharedLibrary& module) {
#if defined(_WIN32)
  auto init = reinterpret_cast<bool (*)()>(module.Symbol("InitDll"));
  return init == nullptr || init();
#else
  auto entry = reinterpret_cast<bool (*)(void*)>(module.Symbol("ModuleEntry"));
  return entry != nullptr && entry(module.Handle());
#endif
}

void Leave(const quivorant::SharedLibrary& module) {
#if defined(_WIN32)
  auto exit = reinterpret_cast<bool (*)()>(module.Symbol("ExitDll"));
#else
  auto exit = reinterpret_cast<bool (*)()>(module.Symbol("ModuleExit"));
#endif
  if (exit != nullptr) exit();
}

bool AskFactory(IPluginFactory& factory, PFactoryInfo* info, std::vector<PClassInfo2>* classes) {
  if (factory.getFactoryInfo(info) != kResultOk) return false;
  void* second = nullptr;
  if (factory.queryInterface(IPluginFactory2::iid, &second) != kResultOk || second == nullptr) return false;
  auto* factory2 = static_cast<IPluginFactory2*>(second);
  bool ok = true;
  for (int32 i = 0; ok && i < factory2->countClasses(); ++i) {
    PClassInfo2 classInfo{};
    ok = factory2->getClassInfo2(i, &classInfo) == kResultOk;
    classes->push_back(classInfo);
  }
  factory2->release();
  return ok && !classes->empty();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) return Fail("usage: quivorant-moduleinfo MODULE OUTPUT NAME");
  quivorant::SharedLibrary module;
  std::string reason;
  if (!module.Open(argv[1], &reason)) return Fail(std::string("cannot load ") + argv[1] + ": " + reason);
  if (!Enter(module)) return Fail("the module refused its entry call");
  auto getFactory = reinterpret_cast<IPluginFactory* (*)()>(module.Symbol("GetPluginFactory"));
  IPluginFactory* factory = getFactory != nullptr ? getFactory() : nullptr;
  PFactoryInfo info{};
  std::vector<PClassInfo2> classes;
  const bool answered = factory != nullptr && AskFactory(*factory, &info, &classes);
  if (factory != nullptr) factory->release();
  Leave(module);
  if (!answered) return Fail("the module's factory did not describe its classes");

  const std::string json = quivorant::moduleinfo::ModuleInfoJson(argv[3], info, classes);
  std::FILE* out = std::fopen(argv[2], "wb");
  if (out == nullptr) return Fail(std::string("cannot write ") + argv[2]);
  const bool written = std::fwrite(json.data(), 1, json.size(), out) == json.size();
  if (std::fclose(out) != 0 || !written) {
    std::remove(argv[2]);
    return Fail(std::string("cannot write ") + argv[2]);
  }
  return 0;
}
