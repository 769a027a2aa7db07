// Reads a value the way a person types it after --set, forgivingly but never by guessing:
//   numbers           "2000", "2000 Hz", "2000hz", "2k", "2.5 kHz", "50%"  (the unit the plug-in
//                     reports, any case, with or without a space; "k" for thousands)
//   list parameters   a display text in any case ("bandpass"), its unambiguous start ("tri"), the
//                     start of a later word ("bandwidth"), a short form made of its letters in
//                     order from the first ("BP"), or the index of the value from 0 ("2")
// A parameter that steps in whole units refuses a fraction and names the nearest valid values,
// instead of rounding it silently.
#pragma once

#include <string>

#include "tools/render/HostedPlugin.h"

namespace quivorant::render {

// The plain value (a list parameter's index) that `text` stands for; false with *error naming
// the problem.
bool ParseSettingValue(const HostedParamInfo& info, const std::string& text, double* plain, std::string* error);

}  // namespace quivorant::render
