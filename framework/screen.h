#pragma once
// TScreen: the forms of the program (CustomForms, in creation order) and the
// screen's resolution, read once when the screen object is created (after the
// process declared itself resolution-aware).

#include <vector>

#include "framework/component.h"

namespace ac {

class TCustomForm;

class TScreen : public TComponent {
 public:
  explicit TScreen(TComponent* owner);
  std::string_view ClassName() const override { return "TScreen"; }

  int PixelsPerInch() const { return FPixelsPerInch; }
  const std::vector<TCustomForm*>& CustomForms() const { return FForms; }
  int CustomFormCount() const { return static_cast<int>(FForms.size()); }
  int Width() const;
  int Height() const;

  void AddForm(TCustomForm* form);
  void RemoveForm(TCustomForm* form);

 private:
  int FPixelsPerInch = 96;
  std::vector<TCustomForm*> FForms;
};

extern TScreen* Screen;

}  // namespace ac
