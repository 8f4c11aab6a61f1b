#pragma once
// TApplication: the program's application object. It owns the forms created
// with CreateForm (the first becomes MainForm), keeps a hidden application
// window, runs the message loop until Terminate, tracks which control the
// mouse is over (CM_MOUSEENTER / CM_MOUSELEAVE) and shows exceptions that
// reach a window procedure.
//
// One exists per program: constructing it sets the global Application and
// creates Screen; destroying it destroys its forms and clears both.

#include <exception>
#include <string>

#include "framework/component.h"
#include "framework/component_reader.h"
#include "win32/message_box_sink.h"
#include "win32/scoped_window.h"

namespace ac {

class TControl;
class TCustomForm;
class TWinControl;
class TScreen;

class TApplication : public TComponent {
 public:
  TApplication();
  ~TApplication() override;
  std::string_view ClassName() const override { return "TApplication"; }

  void Initialize();
  // Creates a form of class T owned by the application and stores it in
  // Reference. An error while building it (a broken description) is shown and
  // ends the program with exit code 1 instead of running it.
  template <typename T>
  void CreateForm(T*& reference);
  void Run();
  void Terminate();
  bool Terminated() const { return FTerminated; }
  // Handles the messages waiting now and returns.
  void ProcessMessages();
  int ExitCode() const { return FExitCode; }

  TCustomForm* MainForm = nullptr;
  std::string Title;
  HWND Handle() const { return FHandle.Get(); }

  // The classes form descriptions may name: the framework's from the start;
  // the layers above register theirs before the first form is created.
  TClassRegistry& Classes() { return FClasses; }

  // Shows E's message with the error icon through Messages.
  void ShowException(const std::exception& e);
  // Where exceptions are shown: a system message box unless pointed
  // elsewhere (tests); must outlive the application.
  TMessageSink* Messages = &FMessageBox;

  // Mouse tracking, called by windowed controls.
  void SetMouseControl(TControl* control);
  void MouseLeftWindow(TWinControl* window);
  TControl* MouseControl() const { return FMouseControl; }
  void ControlDestroying(TControl* control);

 private:
  bool ProcessMessage(MSG& msg);
  void FormCreated(TCustomForm* form);

  platform::TMessageBoxSink FMessageBox;
  platform::ScopedWindow FHandle;
  TClassRegistry FClasses;
  TScreen* FScreen = nullptr;
  TControl* FMouseControl = nullptr;
  bool FTerminated = false;
  int FExitCode = 0;
};

extern TApplication* Application;

template <typename T>
void TApplication::CreateForm(T*& reference) {
  reference = nullptr;
  if (FTerminated) return;
  try {
    reference = new T(this);
    FormCreated(reference);
  } catch (const std::exception& e) {
    ShowException(e);
    FExitCode = 1;
    FTerminated = true;
  }
}

}  // namespace ac
