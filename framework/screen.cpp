#include "framework/screen.h"

#include <windows.h>

#include <algorithm>

#include "win32/scoped_gdi_object.h"

namespace ac {

TScreen* Screen = nullptr;

TScreen::TScreen(TComponent* owner) : TComponent(owner) {
  platform::ScopedGetDC dc(nullptr);
  FPixelsPerInch = GetDeviceCaps(dc.Get(), LOGPIXELSY);
  if (FPixelsPerInch <= 0) FPixelsPerInch = 96;
}

int TScreen::Width() const {
  return GetSystemMetrics(SM_CXSCREEN);
}
int TScreen::Height() const {
  return GetSystemMetrics(SM_CYSCREEN);
}

void TScreen::AddForm(TCustomForm* form) {
  FForms.push_back(form);
}

void TScreen::RemoveForm(TCustomForm* form) {
  FForms.erase(std::remove(FForms.begin(), FForms.end(), form), FForms.end());
}

}  // namespace ac
