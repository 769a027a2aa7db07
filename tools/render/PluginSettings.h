// Turns what a person types ("Filter Freq=2000", "LFO Rate=1/8T", a preset name) into the
// plug-in's own values, through the texts and conversions the plug-in itself reports.
#pragma once

#include <string>

#include "tools/render/HostedPlugin.h"

namespace quivorant::render {

// Index of the parameter with that name (exact, else ignoring case), or -1.
int FindParam(HostedPlugin& plugin, const std::string& name);

// Sets the parameter from a display text or a plain value; false with *error naming the problem.
bool ApplySetting(HostedPlugin& plugin, const std::string& name, const std::string& valueText, std::string* error);

// Index of the preset given by index or name (exact, else ignoring case), or -1 with *error set.
int FindPreset(HostedPlugin& plugin, const std::string& nameOrIndex, std::string* error);

// Factory presets: the filled slots after the default slot (unfilled ones are named "- N -").
bool IsFactoryPreset(const std::string& name, int index);

// "01-High-Phaser" from index 1 and "High Phaser": safe as a file name everywhere.
std::string PresetFileStem(int index, const std::string& name);

}  // namespace quivorant::render
