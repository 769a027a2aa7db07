// What a person types into the editor's in-place entry: IGraphics::ApplyTextEntry with the input
// on every control of the effect's editor, with that control's parameter (the entry a click
// opens) or, for a control without one, with the first parameter. Whatever the text: the stored
// value is finite, inside its range and what the text stands for (a display text its entry, a
// decimal text its number to within half a step); only the entry's parameter moves, inside one
// begin/end gesture reported to the host; a control without a parameter moves nothing; and the
// editor still paints.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "graphics/IGraphics.h"
#include "graphics/IGraphicsOffscreen.h"
#include "graphics/controls/IControl.h"
#include "tests/fuzz/common/FuzzChecks.h"
#include "tests/fuzz/common/Vst2Instance.h"
#include "vst2/abi/VstOpcodes.h"

namespace {

using namespace quivorant::test;

void EnterText(Vst2Instance& instance, quivorant::IGraphics& editor, quivorant::IControl& control,
               const std::string& text) {
  quivorant::IEffectVST& effect = instance.Effect();
  const bool hasParam = control.HasParam();
  const int paramIdx = hasParam ? control.ParamIdx() : 0;
  quivorant::IParamRecord* param = effect.GetParam(paramIdx);
  const std::vector<double> before = ParamValues(effect);
  instance.Host().Clear();

  editor.ApplyTextEntry(&control, param, text.c_str());

  RequireParamsInRange(effect);
  Require(control.Value() >= 0.0 && control.Value() <= 1.0, "the control holds a normalised value");
  std::vector<double> expected = before;
  if (hasParam) {
    const auto begins = instance.Host().CallsOf(audioMasterBeginEdit);
    const auto ends = instance.Host().CallsOf(audioMasterEndEdit);
    Require(begins.size() == ends.size() && begins.size() <= 1, "at most one gesture per entry");
    if (begins.empty()) {
      // Refused: the value stays, and only texts that are neither a name nor a number are.
      int entry = 0;
      double number = 0.0;
      Require(!DisplayTextValue(*param, text.c_str(), entry) && !WholeDecimal(text, number),
              "a display text or a whole number is accepted");
    } else {
      expected[static_cast<std::size_t>(paramIdx)] = param->value;
      // The entry travels as a normalised value and is rounded to the step on its way in.
      const double slack =
          (param->kind == quivorant::kParamDouble ? 0.0 : param->step / 2) + 1e-9 * (param->max - param->min);
      RequireStoredAsTyped(*param, text, slack);
      Require(begins[0].index == paramIdx && ends[0].index == paramIdx, "the gesture is the entry's parameter's");
    }
  } else {
    Require(instance.Host().calls.empty(), "a control without a parameter tells the host nothing");
  }
  RequireValues(effect, expected, "an entry moves only its own parameter");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Vst2Instance* instance = new Vst2Instance;
  if (size > 4096) return 0;
  // The entry window hands over at most 999 characters, up to the first NUL.
  const auto* chars = reinterpret_cast<const char*>(data);
  const std::string text(chars, std::find(chars, chars + std::min<std::size_t>(size, 999), '\0'));

  auto* editor = dynamic_cast<quivorant::IGraphics*>(instance->Effect().Editor());
  Require(editor != nullptr && editor->NControls() > 0, "the effect has its editor");
  for (int i = 0; i < editor->NControls(); ++i) EnterText(*instance, *editor, *editor->GetControl(i), text);

  quivorant::PixelRect dirty;
  if (editor->CollectDirtyRect(&dirty)) {
    // The controls draw into the editor's bitmap either way; a window editor that is not open
    // has nowhere to present it and says so.
    const bool presented = editor->Paint(dirty);
    if (dynamic_cast<quivorant::IGraphicsOffscreen*>(editor) != nullptr)
      Require(presented, "the off-screen editor paints after the entries");
  }
  instance->RequireProcesses();
  instance->Host().Clear();
  return 0;
}
