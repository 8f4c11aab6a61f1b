// Loads whole skins from mutated archives, as an internal skin of a manager
// that uses 96 and 144 pixels per inch (so images are rescaled too). Broken
// skins must end in an error on the sink, never in a crash, a hang or
// unbounded memory.

#include <cstddef>
#include <cstdint>

#include "core/message_sink.h"
#include "skin/skin_data.h"
#include "skin/skin_manager_core.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ac::TRecordingSink sink;
  ac::TacSkinManagerCore m(sink);
  // No folder or archive file is found: the internal skin is used.
  m.SkinDirectory = "/nonexistent-skin-load-fuzz";
  m.Scale.ScreenPPI = 144;
  m.HueOffset = (size > 0 && (data[0] & 1)) ? 90 : 0;
  ac::TsStoredSkin& skin = m.InternalSkins.Add();
  skin.Name = "Fuzz";
  skin.PackedData.assign(data, data + size);
  m.ChangeSkin("Fuzz");
  if (m.IsActive()) {
    ac::TsMaskData md;
    m.GetScaledMaskData("BUTTON", "BORDERSMASK", md, 120);
    m.CommonSkinData(192);
  }
  return 0;
}
