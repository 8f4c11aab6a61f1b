#include "skin/skin_model.h"

#include "skin/option_values.h"
#include "skin/skin_data_reader.h"
#include "skin/skin_sections.h"

namespace ac {

std::vector<const TOptionKey*> MaskKeysOf(const TOptionSection& section) {
  std::vector<const TOptionKey*> keys;
  for (const TOptionKey& k : section.Keys()) {
    if (section.Name() == kGlobalInfo && k.Name == "MASTERBITMAP") continue;
    if (k.Name.find('*') != std::string::npos) continue;
    if (IsMaskValue(UpperCaseAscii(k.Value))) keys.push_back(&k);
  }
  return keys;
}

TSkinModel ReadSkinModel(const TOptionsFile& file) {
  TSkinModel m;
  m.Common = ReadSkinCommonInfo(file);
  TacSkinData& sd = m.Data;
  sd.LoadParams();

  const auto& sections = file.Sections();
  for (std::size_t i = 0; i < sections.size(); ++i) {
    for (const TOptionKey* key : MaskKeysOf(sections[i])) {
      auto variant = FindImageVariant(sections[i], key->Name, sd.PPI, sd.ScaleValue);
      if (!variant) continue;
      TSkinModelMask mask;
      mask.Section = sections[i].Name();
      mask.Key = key->Name;
      mask.Value = UpperCaseAscii(variant->Value);
      mask.Canonical = ToCanonicalMask(mask.Value);
      mask.SkinIndex = static_cast<int32_t>(i);
      mask.DivPPI = kStepPPI[static_cast<std::size_t>(variant->Step)];
      mask.Ref = ParseCanonicalMask(mask.Canonical, mask.Section, mask.Key, mask.Value);

      TsMaskData md;
      md.ClassName = mask.Section;
      md.PropertyName = mask.Key;
      md.SkinIndex = mask.SkinIndex;
      md.R = mask.Ref.R;
      md.ImageCount = mask.Ref.ImageCount;
      md.MaskType = mask.Ref.MaskType;
      md.ImgType = mask.Ref.ImgType;
      md.DrawMode = mask.Ref.DrawMode;
      md.WL = mask.Ref.WL;
      md.WT = mask.Ref.WT;
      md.WR = mask.Ref.WR;
      md.WB = mask.Ref.WB;
      md.MulPPi = sd.PPI;
      md.DivPPI = mask.DivPPI;
      md.Width = md.ImageCount > 0 ? md.R.Width() / md.ImageCount : 0;
      md.Height = md.R.Height() / (md.MaskType + 1);
      sd.ma.push_back(std::move(md));
      m.Masks.push_back(std::move(mask));
    }
  }

  TacSectionScale scale;
  scale.PPI = sd.PPI;
  scale.SkinHasMasks = !sd.ma.empty();
  for (const auto& s : sections)
    sd.gd.push_back(ReadGeneralData(file, s.Name(), scale, m.Common.DefLightColor));
  for (std::size_t t = 0; t < kSectionCount; ++t)
    m.Common.Sections[t] = file.IndexOf(SectionName(static_cast<TacSection>(t)));

  ReadGlobalNumbers(file, sd, nullptr);
  m.Palette = ComputePalette(file, sd.gd);
  return m;
}

}  // namespace ac
