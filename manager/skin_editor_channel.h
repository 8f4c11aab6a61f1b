#pragma once
// The editor preview channel: a skin editor (or the skinsend helper) points a
// running program at a skin without restarting it. The program's default
// skin manager owns a named file mapping that holds one TacSkinEditorData;
// the sender opens it by the program's process id, fills it and sends
// WM_SKINCMD with SKC_EDITORPREVIEW to the application window. The manager
// then loads the skin from the buffer (TsSkinManager::ApplyEditorPreview).
//
// A preview whose skin name is empty switches the skin off; the next named
// one switches it on again. The answer of SKC_EDITORPREVIEW is a
// TacEditorPreviewResult.

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "win32/scoped_kernel_handle.h"

namespace ac {

inline constexpr int32_t kSkinEditorMagic = 0xA400;

#pragma pack(push, 1)
// All text is 8-bit and ends with a zero inside its field.
struct TacSkinEditorData {
  int32_t Magic;
  char Name1[128];    // the skin's name
  char Name2[128];    // one section to refresh, or empty for the whole skin
  char Data1[512];    // the skin directory
  char Data2[40001];  // the options text
};
#pragma pack(pop)

enum TacEditorPreviewResult : LRESULT {
  eprNoData = 0,      // the buffer does not carry kSkinEditorMagic
  eprApplied = 1,     // the skin is loaded and announced
  eprLoadFailed = 2,  // loading failed and was reported; the previous skin is back
};

// The mapping's name for the program with that process id.
std::wstring SkinEditorMappingName(DWORD processId);

// The text of a field up to its first zero (the whole field without one).
template <std::size_t N>
std::string FieldText(const char (&field)[N]) {
  std::size_t n = 0;
  while (n < N && field[n] != 0) ++n;
  return std::string(field, n);
}

// Fills Data for a preview; the empty string on success, otherwise the name of
// the field that does not fit (Data is left unchanged then).
std::string FillSkinEditorData(TacSkinEditorData& data, std::string_view skinName,
                               std::string_view sectionName, std::string_view directory,
                               std::string_view options);

// One mapped view of the preview buffer, created by the program or opened by
// a sender. Move-only; unmaps and closes on destruction.
class TSkinEditorBuffer {
 public:
  // Creates the program's buffer (zero-filled). Data() is null on failure.
  static TSkinEditorBuffer Create(DWORD processId);
  // Opens the buffer of a running program. Data() is null when it has none.
  static TSkinEditorBuffer Open(DWORD processId);

  TSkinEditorBuffer() = default;
  TSkinEditorBuffer(TSkinEditorBuffer&& o) noexcept;
  TSkinEditorBuffer& operator=(TSkinEditorBuffer&& o) noexcept;
  TSkinEditorBuffer(const TSkinEditorBuffer&) = delete;
  TSkinEditorBuffer& operator=(const TSkinEditorBuffer&) = delete;
  ~TSkinEditorBuffer() { Reset(); }

  TacSkinEditorData* Data() const { return FData; }

 private:
  void Reset();
  // Maps the whole buffer of FMapping into FData (nothing without a mapping).
  void MapView();
  platform::ScopedKernelHandle FMapping;
  TacSkinEditorData* FData = nullptr;
};

}  // namespace ac
