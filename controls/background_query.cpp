#include "controls/background_query.h"

#include "framework/font.h"
#include "framework/win_control.h"
#include "manager/skin_broadcast.h"

namespace ac {

TColor ParentBackColor(TControl& control) {
  TWinControl* parent = control.Parent();
  if (!parent) return clFuchsia;
  if (parent->HandleAllocated() && IsWindowSkinned(parent->Handle()))
    return static_cast<TColor>(SendSkinCommandTo(*parent, SKC_GETBGCOLOR, 0));
  return static_cast<TColor>(ColorToRGB(parent->Color()));
}

TacBgQuery QueryParentBackground(TControl& child) {
  TacBgQuery query;
  TWinControl* parent = child.Parent();
  if (!parent) {
    query.Kind = bqColor;
    query.Color = clFuchsia;
    return query;
  }
  SendSkinCommandTo(*parent, SKC_GETBACKGROUND, reinterpret_cast<LPARAM>(&query));
  if (query.Kind == bqNone) {
    // Nobody skinned answered: the parent is a plain colour.
    query.Kind = bqColor;
    query.Image = nullptr;
    query.Color = ParentBackColor(child);
  }
  return query;
}

TCacheInfo CacheInfoFromQuery(const TacBgQuery& query) {
  if (query.Kind == bqImage && query.Image && !query.Image->Empty())
    return MakeCacheInfo(query.Image->View(), query.Origin.X, query.Origin.Y);
  TCacheInfo ci;
  if (query.Image && !query.Image->Empty()) ci.Bmp = query.Image->View();
  ci.X = query.Origin.X;
  ci.Y = query.Origin.Y;
  ci.Ready = false;
  ci.FillColor = TsColor(static_cast<uint32_t>(ColorToRGB(query.Color)));
  ci.FillRect = query.FillArea;
  return ci;
}

}  // namespace ac
