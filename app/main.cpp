// Velmora: one window that copies a text and links to a page, painted by the
// skin engine from the skin stored in the window's description.

#include <windows.h>

#include "app/unit1.h"
#include "controls/control_classes.h"
#include "frames/frame_classes.h"
#include "framework/application.h"
#include "framework/dpi_awareness.h"
#include "manager/manager_classes.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  // Before any window: the screen's real resolution, not a scaled bitmap.
  ac::MakeProcessDpiAware();
  ac::TApplication application;
  ac::RegisterManagerClasses(ac::Application->Classes());
  ac::RegisterControlClasses(ac::Application->Classes());
  ac::RegisterFrameClasses(ac::Application->Classes());
  ac::Application->Initialize();
  ac::TForm1* form1 = nullptr;
  ac::Application->CreateForm(form1);
  ac::Application->Run();
  return ac::Application->ExitCode();
}
