// The text of a VST3 bundle's Contents/Resources/moduleinfo.json: what a host would learn by
// loading the module and asking its factory, so that it can index the bundle without loading it.
#pragma once

#include <string>
#include <vector>

#include "vst3/sdk/interfaces/ipluginbase.h"

namespace quivorant::moduleinfo {

// `moduleName` is the bundle's name without ".vst3"; the module's version is its first class's.
// A class without a vendor of its own carries the factory's.
std::string ModuleInfoJson(const std::string& moduleName, const Steinberg::PFactoryInfo& factory,
                           const std::vector<Steinberg::PClassInfo2>& classes);

}  // namespace quivorant::moduleinfo
