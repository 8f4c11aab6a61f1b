#include "app/unit1.h"

#include "framework/property_value.h"
#include "system/win/com_apartment.h"
#include "system/win/late_library.h"

namespace ac {

const wchar_t kLinkTarget[] = L"https://ru.wikipedia.org/wiki/Буфер_обмена";

TForm1::TForm1(TComponent* owner) : TForm(owner) {
  ReadDescription();
}

void TForm1::FormShow(TComponent*) {
  // Neither the field nor the button looks focused at first.
  sPanel1->SetFocus();
}

void TForm1::sButton1Click(TComponent*) {
  // The field's own window copies, so the clipboard gets exactly what it shows.
  SendMessageW(sEdit1->Handle(), EM_SETSEL, 0, -1);
  SendMessageW(sEdit1->Handle(), WM_COPY, 0, 0);
  sButton1->SetCaption("Скопировано");
  sButton1->SetEnabled(false);
}

void TForm1::Label1Click(TComponent*) {
  // The shell is loaded on the first click: most starts never open the page,
  // and the window should not wait for a library only the link uses.
  static platform::TLateLibrary shell(L"shell32.dll");
  using TShellExecute = HINSTANCE(WINAPI*)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);
  // The shell may hand the page to a COM server.
  const platform::ScopedComApartment apartment;
  // A page that cannot be opened is not the user's problem to hear about.
  if (const auto shellExecute = shell.Find<TShellExecute>("ShellExecuteW"))
    shellExecute(Handle(), L"open", kLinkTarget, nullptr, nullptr, SW_SHOW);
}

TNotifyEvent TForm1::FindMethod(std::string_view name) {
  if (name == "FormShow") return [this](TComponent* s) { FormShow(s); };
  if (name == "sButton1Click") return [this](TComponent* s) { sButton1Click(s); };
  if (name == "Label1Click") return [this](TComponent* s) { Label1Click(s); };
  return {};
}

namespace {

template <typename T>
void Bind(std::string_view name, TComponent* c, std::string_view field, T*& target) {
  if (name != field) return;
  target = dynamic_cast<T*>(c);
  if (!target) throw EPropertyError("field " + std::string(field) + " has another class");
}

}  // namespace

void TForm1::BindField(std::string_view name, TComponent* c) {
  Bind(name, c, "sSkinManager1", sSkinManager1);
  Bind(name, c, "sPanel1", sPanel1);
  Bind(name, c, "sLabel2", sLabel2);
  Bind(name, c, "sLabel3", sLabel3);
  Bind(name, c, "sEdit1", sEdit1);
  Bind(name, c, "sButton1", sButton1);
  Bind(name, c, "Label1", Label1);
}

}  // namespace ac
