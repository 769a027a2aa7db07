// A list of choices drawn by the editor itself (not an operating-system menu), opened by a
// right-click on a control whose parameter is a list. It shows the parameter's display texts in
// rows and columns, highlights the current choice, follows the mouse, scrolls with a thumb or
// the wheel when there are more entries than visible rows, and on a left click on an entry sets
// its owner's value and closes itself through the editor (which deletes it).
#pragma once

#include <array>
#include <vector>

#include "graphics/ArgbColor.h"
#include "graphics/TextStyle.h"
#include "graphics/controls/IControl.h"

namespace quivorant {

class PromptPopup : public IControl {
public:
  static constexpr int kEntryCapacity = 32;  // characters per entry

  // Style and colours default to the editor's pop-up look when null.
  PromptPopup(IEffectBase* plug, int x, int y, int width, int columns, const TextStyle* style = nullptr,
              const ArgbColor* background = nullptr, const ArgbColor* frame = nullptr);

  void OnMouseDown(int x, int y, const MouseModifiers& mods) override;
  void OnMouseUp(int x, int y, const MouseModifiers& mods) override;
  void OnMouseDrag(int x, int y, int dX, int dY, const MouseModifiers& mods) override;
  void OnMouseWheel(int x, int y, const MouseModifiers& mods, int steps) override;
  void OnMouseOver(int x, int y, const MouseModifiers& mods) override;
  void OnMouseOut() override;
  bool Draw(IGraphics* graphics) override;

  void AddEntry(const char* text);
  void SelectFromParameter(int paramIdx, IControl* owner);
  // Shows the list for owner with entry `selected` highlighted (-1: none).
  void ShowFor(IControl* owner, int selected);
  void ScrollBy(int pixels);
  void ScrollToSelection();

  int EntryCount() const { return entryCount_; }
  const char* Entry(int idx) const;
  int ColumnWidth() const { return columnWidth_; }
  int RowHeight() const { return rowHeight_; }
  int VisibleRows() const { return visibleRows_; }
  int ThumbHeight() const { return thumbHeight_; }
  int ThumbPosition() const { return thumbPos_; }
  int FirstVisible() const { return firstVisible_; }
  int HoveredRow() const { return hoveredRow_; }
  int Selected() const { return selected_; }
  bool HasScrollBar() const { return thumbHeight_ > 0; }
  PixelRect ThumbRect() const;

private:
  struct Bounds {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool Contains(int x, int y) const { return left <= x && x < right && top <= y && y < bottom; }
  };

  int TotalRows() const;
  int TrackSpan() const;  // pixels the thumb can travel
  int LimitThumb(int64_t position) const;
  void UpdateScrollBounds();
  int HoveredRowAt(int x, int y) const;
  PixelRect Cell(int k) const;
  bool IsVisibleCell(int k) const;
  void ChooseEntry(int entry);

  int originX_;
  int originY_;
  int columnWidth_;
  int margin_ = 4;
  int hoveredRow_ = -2;
  int capacity_ = 0;
  int firstVisible_ = 0;
  int thumbPos_ = 0;
  int thumbHeight_ = 0;
  int scrollBarWidth_ = 9;
  bool dragging_ = false;
  std::vector<std::array<char, kEntryCapacity + 1>> entries_;
  TextStyle normalStyle_;
  TextStyle highlightStyle_;
  ArgbColor background_;
  ArgbColor frame_;
  int selected_ = -1;
  int rowHeight_;
  int entryCount_ = 0;
  int visibleRows_ = 5;
  int columns_;
  bool growRows_ = true;
  Bounds scrollColumn_;
  Bounds thumb_;
};

}  // namespace quivorant
