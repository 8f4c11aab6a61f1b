// skinsend: points a running Velmora program at a skin folder without
// restarting it. It writes the folder's options text, its directory and its
// name into the program's preview buffer and sends the preview command to the
// program's application window, as a skin editor does.
//
//   skinsend STEP... [--section NAME] [--repeat N] [--window HEX]
//
// Each STEP is a skin folder (it holds Options.dat) or --off, which shows the
// program without a skin; the next folder sent switches the skin on again.
// Several steps are sent one after the other, and --repeat sends the whole
// list N times (the last one stays). The program is the one that shows a "TForm1"
// window unless --window names its application window. With
// --section only that section is refreshed (when no colour offsets are set).
// Exit codes: 0 applied; 1 bad arguments or unreadable folder; 2 no running
// program or no preview buffer; 3 the program reported a load error and kept
// its previous skin.

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "framework/application.h"
#include "manager/skin_commands.h"
#include "manager/skin_editor_channel.h"

namespace {

constexpr const char* kUsage =
    "usage: skinsend FOLDER|--off... [--section NAME] [--repeat N] [--window HEX]";

int Fail(int code, const std::string& text) {
  std::fprintf(stderr, "skinsend: %s\n", text.c_str());
  return code;
}

// One preview: the skin's name, its directory and its options text; an empty
// name switches the skin off.
struct TPreview {
  std::string Name;
  std::string Directory;
  std::string Options;
};

// Reads FOLDER's Options.dat; false when there is none.
bool ReadFolder(std::string folder, TPreview& preview) {
  while (folder.size() > 1 && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
  const std::size_t cut = folder.find_last_of("\\/");
  preview.Name = cut == std::string::npos ? folder : folder.substr(cut + 1);
  preview.Directory = cut == std::string::npos ? "." : folder.substr(0, cut + 1);
  std::ifstream file(folder + "\\Options.dat", std::ios::binary);
  if (!file) return false;
  preview.Options.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  // The steps in order; an empty folder stands for --off.
  std::vector<std::string> folders;
  std::string section;
  HWND target = nullptr;
  long repeat = 1;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--section" && i + 1 < argc) {
      section = argv[++i];
    } else if (arg == "--window" && i + 1 < argc) {
      target = reinterpret_cast<HWND>(std::strtoull(argv[++i], nullptr, 16));
    } else if (arg == "--repeat" && i + 1 < argc) {
      repeat = std::strtol(argv[++i], nullptr, 10);
      if (repeat < 1) return Fail(1, kUsage);
    } else if (arg == "--off") {
      folders.emplace_back();
    } else if (!arg.starts_with("--")) {
      folders.push_back(arg);
    } else {
      return Fail(1, kUsage);
    }
  }
  if (folders.empty()) return Fail(1, kUsage);

  std::vector<TPreview> previews(folders.size());
  for (std::size_t i = 0; i < folders.size(); ++i)
    if (!folders[i].empty() && !ReadFolder(folders[i], previews[i]))
      return Fail(1, "no Options.dat in " + folders[i]);

  if (!target) {
    if (const HWND form = FindWindowW(L"TForm1", nullptr)) {
      DWORD processId = 0;
      GetWindowThreadProcessId(form, &processId);
      target = ac::FindApplicationWindow(processId);
    }
  }
  if (!target || !IsWindow(target)) return Fail(2, "no running program found");
  DWORD processId = 0;
  GetWindowThreadProcessId(target, &processId);
  ac::TSkinEditorBuffer buffer = ac::TSkinEditorBuffer::Open(processId);
  if (!buffer.Data()) return Fail(2, "the program has no skin preview buffer");

  for (long round = 0; round < repeat; ++round) {
    for (const TPreview& p : previews) {
      const std::string tooLong =
          ac::FillSkinEditorData(*buffer.Data(), p.Name, section, p.Directory, p.Options);
      if (!tooLong.empty()) return Fail(1, "the " + tooLong + " does not fit the preview buffer");
      DWORD_PTR answer = 0;
      if (!SendMessageTimeoutW(target, ac::WM_SKINCMD, ac::SkinCommandWParam(ac::SKC_EDITORPREVIEW),
                               0, SMTO_ABORTIFHUNG, 60000, &answer))
        return Fail(2, "the program did not answer");
      if (static_cast<LRESULT>(answer) == ac::eprLoadFailed)
        return Fail(3, "the program could not load " + p.Name + " and kept its skin");
      if (static_cast<LRESULT>(answer) != ac::eprApplied)
        return Fail(2, "the program ignored the preview");
    }
  }
  if (previews.back().Name.empty())
    std::puts("skin off");
  else
    std::printf("applied %s\n", previews.back().Name.c_str());
  return 0;
}
