#pragma once
// TForm1: the program's window. Everything in it comes from its description
// (app/unit1.txt, stored as the resource TFORM1); the class adds the fields
// the description fills and the three handlers it names.

#include "controls/ts_button.h"
#include "controls/ts_edit.h"
#include "controls/ts_label.h"
#include "controls/ts_panel.h"
#include "framework/form.h"
#include "framework/label.h"
#include "manager/ts_skin_manager.h"

namespace ac {

class TForm1 : public TForm {
 public:
  explicit TForm1(TComponent* owner);
  std::string_view ClassName() const override { return "TForm1"; }

  TsSkinManager* sSkinManager1 = nullptr;
  TsPanel* sPanel1 = nullptr;
  TsLabel* sLabel2 = nullptr;
  TsLabel* sLabel3 = nullptr;
  TsEdit* sEdit1 = nullptr;
  TsButton* sButton1 = nullptr;
  TLabel* Label1 = nullptr;

  void FormShow(TComponent* sender);
  void sButton1Click(TComponent* sender);
  void Label1Click(TComponent* sender);

  TNotifyEvent FindMethod(std::string_view name) override;
  void BindField(std::string_view name, TComponent* component) override;
};

// The page the link opens.
extern const wchar_t kLinkTarget[];

}  // namespace ac
