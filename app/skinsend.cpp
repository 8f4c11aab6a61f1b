// skinsend: points a running Velmora program at a skin folder without
// restarting it. It writes the folder's options text, its directory and its
// name into the program's preview buffer and sends the preview command to the
// program's application window, as a skin editor does.
//
//   skinsend FOLDER [--section NAME] [--window HEX]
//
// FOLDER is a skin folder (it holds Options.dat). The program is found as the
// owner of its "TForm1" window unless --window names the application window.
// With --section only that section is refreshed (when no colour offsets are
// set). Exit codes: 0 applied; 1 bad arguments or unreadable folder; 2 no
// running program or no preview buffer; 3 the program reported a load error
// and kept its previous skin.

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "manager/skin_commands.h"
#include "manager/skin_editor_channel.h"

namespace {

int Fail(int code, const std::string& text) {
  std::fprintf(stderr, "skinsend: %s\n", text.c_str());
  return code;
}

}  // namespace

int main(int argc, char** argv) {
  std::string folder, section;
  HWND target = nullptr;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--section" && i + 1 < argc) {
      section = argv[++i];
    } else if (arg == "--window" && i + 1 < argc) {
      target = reinterpret_cast<HWND>(std::strtoull(argv[++i], nullptr, 16));
    } else if (folder.empty() && !arg.starts_with("--")) {
      folder = arg;
    } else {
      return Fail(1, "usage: skinsend FOLDER [--section NAME] [--window HEX]");
    }
  }
  if (folder.empty()) return Fail(1, "usage: skinsend FOLDER [--section NAME] [--window HEX]");
  while (folder.size() > 1 && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
  const std::size_t cut = folder.find_last_of("\\/");
  const std::string name = cut == std::string::npos ? folder : folder.substr(cut + 1);
  const std::string directory = cut == std::string::npos ? "." : folder.substr(0, cut + 1);

  std::ifstream file(folder + "\\Options.dat", std::ios::binary);
  if (!file) return Fail(1, "no Options.dat in " + folder);
  const std::string options((std::istreambuf_iterator<char>(file)),
                            std::istreambuf_iterator<char>());

  if (!target) {
    const HWND form = FindWindowW(L"TForm1", nullptr);
    target = form ? GetWindow(form, GW_OWNER) : nullptr;
  }
  if (!target || !IsWindow(target)) return Fail(2, "no running program found");
  DWORD processId = 0;
  GetWindowThreadProcessId(target, &processId);
  ac::TSkinEditorBuffer buffer = ac::TSkinEditorBuffer::Open(processId);
  if (!buffer.Data()) return Fail(2, "the program has no skin preview buffer");
  const std::string tooLong =
      ac::FillSkinEditorData(*buffer.Data(), name, section, directory, options);
  if (!tooLong.empty()) return Fail(1, "the " + tooLong + " does not fit the preview buffer");

  DWORD_PTR answer = 0;
  if (!SendMessageTimeoutW(target, ac::WM_SKINCMD, ac::SkinCommandWParam(ac::SKC_EDITORPREVIEW), 0,
                           SMTO_ABORTIFHUNG, 60000, &answer))
    return Fail(2, "the program did not answer");
  switch (static_cast<LRESULT>(answer)) {
    case ac::eprApplied:
      std::printf("applied %s\n", name.c_str());
      return 0;
    case ac::eprLoadFailed:
      return Fail(3, "the program could not load " + name + " and kept its skin");
    default:
      return Fail(2, "the program ignored the preview");
  }
}
