// Skin commands sent from another process: the probe program (tools/e2e_probe)
// delivers them with the engine's own SendSkinCommand and IsWindowSkinned
// while this process answers. The property "ACSDATA" of our windows names an
// object of this process, so in the probe it must not be taken for a direct
// handler; the command has to travel as a message and come back whole.

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include "framework/application_test_support.h"
#include "framework/form.h"
#include "manager/helper_process_test_support.h"
#include "manager/skin_command_delivery.h"
#include "manager/skin_command_test_support.h"

#ifndef AC_E2E_PROBE
#error "AC_E2E_PROBE must name the probe program relative to this test's folder"
#endif

namespace ac {
namespace {

// Runs the probe and pumps this thread's messages until it exits.
test::THelperRun RunProbe(const std::wstring& arguments) {
  return test::RunHelperProgram(AC_E2E_PROBE, arguments);
}

std::wstring Hex(HWND window) {
  wchar_t text[32];
  std::swprintf(text, 32, L"%llx",
                static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(window)));
  return text;
}

TEST(SkinCommandFromAnotherProcess, GetsTheAnswerOfTheWindowProcedure) {
  test::TTestApplication app;
  test::TCommandForm form(nullptr);
  form.HandleNeeded();
  // As a frame adapter does it: one handler is both the form's WindowProc
  // and its skin data's direct handler. It answers with a 64-bit pointer.
  const LRESULT provider = static_cast<LRESULT>(0x0000'7FF1'2345'6789);
  int procedureCalls = 0;
  TWndMethod previous = form.WindowProc;
  const TWndMethod handler = [&](TMessage& m) {
    if (IsSkinCommand(m, SKC_GETPROVIDER)) {
      ++procedureCalls;
      m.Result = provider;
      return;
    }
    previous(m);
  };
  form.WindowProc = handler;
  TacCommonDataBase data;
  data.WndProc = handler;
  const auto prop = AttachCommonData(form.Handle(), data);

  const test::THelperRun run = RunProbe(L"skincmd " + Hex(form.Handle()) + L" 4");
  ASSERT_TRUE(run.Finished) << "the probe hung";
  EXPECT_EQ(run.ExitCode, 0u) << run.Output;
  EXPECT_EQ(run.Output, "result=" + std::to_string(provider) + "\nskinned=1\n");
  EXPECT_EQ(procedureCalls, 1);
}

TEST(SkinCommandFromAnotherProcess, TellsSkinnedFromPlainWindowsByAnswerAlone) {
  test::TTestApplication app;
  test::TCommandLog log;
  test::TLoggingWindow answering(log, "answering", nullptr, 1);
  test::TLoggingWindow plain(log, "plain", nullptr, 0);
  struct TCase {
    HWND Window;
    const char* Expected;
  };
  for (const TCase& c : {TCase{answering.Handle(), "result=1\nskinned=1\n"},
                         TCase{plain.Handle(), "result=0\nskinned=0\n"}}) {
    const test::THelperRun run = RunProbe(L"skincmd " + Hex(c.Window) + L" 7");
    ASSERT_TRUE(run.Finished) << "the probe hung";
    EXPECT_EQ(run.Output, c.Expected);
  }
  // Each window was asked twice: the command itself, then by IsWindowSkinned.
  EXPECT_EQ(log, (test::TCommandLog{"answering?", "answering?", "plain?", "plain?"}));
}

}  // namespace
}  // namespace ac
