#pragma once
// TsCommonData: one skinned control's link to the skin. It knows the section
// that dresses the control (SkinSection, SkinIndex), the manager and the
// per-resolution skin data to use, and keeps the control's painted face in a
// 32-bit cache bitmap that is rebuilt only while BGChanged says it is stale.
//
// While the owner has a window, the window carries "ACSDATA" naming this
// object, so code that holds only the handle finds the data and hands skin
// commands straight to the owner's WindowProc.
//
// HandleCommonMessage is the handling every skinned control shares: a
// control's window procedure handles what is particular to its class first,
// then calls it, and passes the message on only when it was not consumed.

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "controls/background_query.h"
#include "framework/bitmap.h"
#include "framework/control.h"
#include "manager/skin_command_delivery.h"
#include "manager/ts_skin_manager.h"
#include "pixels/cache_info.h"
#include "skin/skin_data.h"
#include "win32/scoped_window_prop.h"

namespace ac {

// Control class codes of this program's skinned controls.
inline constexpr uint8_t kCocEdit = 3;
inline constexpr uint8_t kCocPanel = 51;
inline constexpr uint8_t kCocButton = 93;

// Where a control asks which section dresses it (SKC_SECTIONAT): the state
// it asks about, the answering section's index, and the control's bounds in
// the coordinates of the control being asked.
class TacThreadedTimer;

struct TacSectionAtQuery {
  int32_t State = 0;
  int32_t SkinIndex = -1;
  TRect Bounds;
};

class TsCommonData : public TacCommonDataBase {
 public:
  // Owner: the control whose skin data this is; it must outlive this object.
  // COC: its control class code. DefaultSection: the section that dresses
  // the owner while SkinSection is empty (upper case).
  TsCommonData(TControl& owner, uint8_t coc, std::string defaultSection);
  ~TsCommonData() override;

  const uint8_t COC;

  // Always stored upper-case; empty means the owner's default section.
  const std::string& SkinSection() const { return FSkinSection; }
  void SetSkinSection(const std::string& value);
  // The section dressing the owner when SkinSection is empty; a change (a
  // panel's bevel) takes effect at the next UpdateIndexes.
  void SetDefaultSection(std::string section) { FDefaultSection = std::move(section); }

  // The explicit manager, or null for the default manager.
  TsSkinManager* FSkinManager = nullptr;
  TsSkinManager* SkinManager() const;
  // The per-resolution skin data in use, or null without an active manager.
  const TacSkinData* CommonSkinData() const;
  // Pixels per inch the owner is painted for: the screen's at creation, then
  // what SKC_SETPPI says.
  int CurrentPPI = 96;

  // The owner is drawn by the skin: an active manager and a section found.
  bool Skinned() const;
  // Resolves SkinIndex again from the manager's active skin (-1 when the
  // manager is inactive or the section is missing) and marks the face stale.
  void UpdateIndexes();

  // Marks the face stale and repaints the owner's window (now with
  // UpdateNow, else on the next paint).
  enum class TRepaintTime { rtLater, rtNow };
  void Invalidate(TRepaintTime when = TRepaintTime::rtLater);

  void BeginUpdate() { ++FUpdateCount; }
  // Ends one BeginUpdate; the last one repaints with rpYes.
  enum class TRepaint { rpNo, rpYes };
  void EndUpdate(TRepaint repaint);
  // Painting is suspended: inside BeginUpdate, or waiting for a parent
  // whose background was not ready (FUpdating, cleared by
  // SKC_PARENTUPDATED).
  bool Updating() const { return FUpdateCount > 0 || FUpdating; }
  bool FUpdating = false;
  // The owner was last painted with part of it clipped away.
  bool HalfVisible = false;

  // The owner keeps its own background colour / font colour; the skin does
  // not write them.
  bool CustomColor = false;
  bool CustomFont = false;
  // Transient states; kStateWritingColors is set while the skin writes the
  // owner's colours, so the owner ignores the change notifications.
  static constexpr uint32_t kStateWritingColors = 0x2000;
  uint32_t CtrlSkinState = 0;

  // The colour behind the owner's content in State: the section's colour,
  // mixed with the parent's by the state's transparency.
  TColor SectionBackColor(int state);
  // The colour the owner writes text in, in State.
  TColor SectionFontColor(int state);
  // The text colour of State (State <= 0: the current state); unless Plain,
  // mixed with the background so that it keeps 148 parts of 255.
  TColor GetTextColorMixed(int state, bool plain);
  // Gives the owner the section's state-0 colours where its class follows
  // the skin (edits); repaints with Repaint.
  void ApplySkinColors(bool repaint);
  // Gives the owner the current state's colours where its class follows
  // the skin; without Silent the owner's redraw is off meanwhile.
  void ApplyStateColors(bool silent);
  // Gives an owner whose class follows the skin the system's window colours
  // back (clWindow, clWindowText) where it does not keep its own: the skin
  // went, or the new one has no section for the owner.
  void ApplyPlainColors();
  // The state (0-2) whose properties apply: limited to the section's states.
  int LimitState(int state) const;

  // Answers a child's question about what lies behind it, for the owner in
  // State.
  void AnswerBackgroundQuery(TacBgQuery& query, int state);

  // Names this object in Window's "ACSDATA" until RemoveCommonProp or the
  // destruction of this object.
  void InitCommonProp(HWND window);
  void RemoveCommonProp() { FProp = {}; }
  bool HasCommonProp() const { return FProp.IsSet(); }

  // The control this data belongs to (FOwnerControl, never null here: it is
  // set at construction).
  TControl& Owner() const { return *FOwnerControl; }
  // The owner's window, or null while it has none.
  HWND OwnerHandle() const;

  // Tells the owner's children that its face is there now (SKC_PARENTUPDATED
  // to every visible windowed child and every windowless one): a child that
  // found it not ready paints then.
  void ResumeChildren();

  // The shared handling of standard messages and skin commands. Returns true
  // when M was consumed (its Result set); false lets the owner's inherited
  // handling run.
  bool HandleCommonMessage(TMessage& m);

  // The owner has the keyboard focus, as the skin sees it.
  bool FFocused = false;
  // The mouse is over the owner (never set for classes that show no hover).
  bool FMouseAbove = false;
  // The state the owner is shown in: 1 (active) while focused, or hovered
  // for classes that light up under the mouse; 0 otherwise and while the
  // owner is disabled. Pressed (2) is chosen by the button itself.
  int CurrentStateIndex() const;

  // Index of the section in the active skin; -1 when unskinned.
  int32_t SkinIndex = -1;
  // The cached face is stale and must be rebuilt before it is shown.
  bool BGChanged = true;
  // Which size changes alter the face: bit 0 width, bit 1 height. A section
  // without a border mask or gradient that depends on size has 0.
  uint16_t BGType = 0;
  // The painted face, 32 bits per pixel, the owner's size once painted.
  TBitmap FCacheBmp;
  // Times the face was rebuilt; lets callers see that a repaint reused it.
  uint32_t RebuildCount = 0;
  // The state fade of the owner (state_fade.h): made at the first fade,
  // freed with this object.
  std::unique_ptr<TacThreadedTimer> AnimTimer;

 private:
  bool ForThisManager(const TMessage& m) const;
  const TsGenState* StateProps(int state) const;
  TColor OwnColor() const;
  void AnswerWithImage(TacBgQuery& query);
  // SKC_GETBGCOLOR: the colour a child sees behind it in state 0.
  TColor BackgroundColor();
  // SKC_SECTIONAT: 1 with Query.SkinIndex set when this section dresses the
  // asker's text, else the parent's answer (0 when nobody answers).
  int AnswerSectionAt(TacSectionAtQuery& query);
  // SKC_PARENTUPDATED: paint what waited for the parent, then tell children.
  void ParentUpdated();
  bool PrepareOwnerCache();
  bool HandleSkinCommand(TMessage& m);

  std::string FSkinSection;
  std::string FDefaultSection;
  int FUpdateCount = 0;
  platform::ScopedWindowProp FProp;
};

// The font colour of State for Control, which is dressed by section
// SkinIndex (-1: none of its own): a section that is see-through for text
// lets the control ask its ancestors which section dresses it.
TColor SectionFontColor(TControl& control, int skinIndex, TsSkinManager* manager, int state,
                        bool customFont);

}  // namespace ac
