#pragma once
// For tests that talk to this process from another one: runs a helper
// program built beside the tests and pumps this thread's messages until it
// exits, so that its SendMessage calls are answered here while we wait.

#include <windows.h>

#include <algorithm>
#include <memory>
#include <string>

namespace ac::test {

struct THelperRun {
  bool Finished = false;
  DWORD ExitCode = 0;
  std::string Output;  // standard output and error together, without CR
};

struct THandleCloser {
  void operator()(HANDLE h) const { CloseHandle(h); }
};
using TOwnedHandle = std::unique_ptr<void, THandleCloser>;

// RelativePath is relative to the folder of this test program ('/' allowed).
inline std::wstring HelperPath(const char* relativePath) {
  wchar_t self[MAX_PATH];
  const DWORD n = GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring path(self, n);
  path.resize(path.find_last_of(L"\\/") + 1);
  for (const char* p = relativePath; *p; ++p)
    path += *p == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(*p));
  return path;
}

// Runs the helper with Arguments; a helper still running after 60 seconds is
// ended and reported unfinished.
inline THelperRun RunHelperProgram(const char* relativePath, const std::wstring& arguments) {
  THelperRun run;
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return run;
  TOwnedHandle reader(readEnd), writer(writeEnd);
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);

  STARTUPINFOW si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdOutput = writeEnd;
  si.hStdError = writeEnd;
  PROCESS_INFORMATION pi{};
  std::wstring command = L"\"" + HelperPath(relativePath) + L"\" " + arguments;
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                      nullptr, &si, &pi)) {
    run.Output = std::string("the helper did not start (build it): ") + relativePath;
    return run;
  }
  TOwnedHandle process(pi.hProcess), thread(pi.hThread);
  writer.reset();  // the helper holds the only write end now

  const ULONGLONG deadline = GetTickCount64() + 60000;
  for (;;) {
    const ULONGLONG now = GetTickCount64();
    if (now >= deadline) break;
    const DWORD wait = MsgWaitForMultipleObjects(1, &pi.hProcess, FALSE,
                                                 static_cast<DWORD>(deadline - now), QS_ALLINPUT);
    if (wait == WAIT_OBJECT_0) {
      run.Finished = true;
      break;
    }
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  }
  if (!run.Finished) {
    TerminateProcess(pi.hProcess, 1);
    return run;
  }
  GetExitCodeProcess(pi.hProcess, &run.ExitCode);
  char buffer[512];
  DWORD got = 0;
  while (ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got > 0)
    run.Output.append(buffer, got);
  std::erase(run.Output, '\r');
  return run;
}

}  // namespace ac::test
