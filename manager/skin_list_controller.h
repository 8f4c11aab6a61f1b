#pragma once
// TacSkinListController: a skin manager's list of the skins a program can
// switch to, with their previews, for skin pickers (the listing rules are in
// skin/skin_list.h).
//
// The list is built when it is needed:
//   - read directly (List, the manager's GetSkinNames...): at once, on the
//     calling thread. A background building in progress is stopped and its
//     remaining steps are done here; the forms then hear SKC_DELAYEDLOAD with
//     LParam 0.
//   - otherwise (UpdateIfNeeded(false), at the manager's construction and
//     load completion): by a TacAddThread that hands one step every 12 ms to
//     the user-interface thread. The forms hear SKC_DELAYEDLOAD with LParam 1
//     when it starts.
// When a building completes, every registered control receives
// SKC_LISTCHANGED (LParam: the manager) and the manager's OnSkinListChanged
// runs.
//
// The list is reset (emptied, to be built again, a running thread stopped)
// when the skin directory changes (compared without letter case), when the
// manager's SkinsFilter changes, and when an internal skin item is created.
// A manager that is not the default one, and whose skin directory is the
// default manager's, copies the default manager's complete list instead of
// building its own.
//
// Everything here runs on the user-interface thread.

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/control.h"
#include "manager/skin_commands.h"
#include "manager/skin_list_thread.h"
#include "skin/skin_list.h"

namespace ac {

class TsSkinManager;

class TacSkinListController {
 public:
  // Manager owns the controller and outlives it.
  explicit TacSkinListController(TsSkinManager& manager);
  // Stops the thread and waits for it.
  ~TacSkinListController();
  TacSkinListController(const TacSkinListController&) = delete;
  TacSkinListController& operator=(const TacSkinListController&) = delete;

  // Registers Control to be told of list changes and sends it
  // SKC_LISTCHANGED at once. A control must be unregistered (DelControl)
  // before it is destroyed; the manager does it for controls of its own
  // owner.
  void AddControl(TControl& control);
  void DelControl(const TControl& control);
  const std::vector<TControl*>& Controls() const { return FControls; }

  // Builds the list when it needs an update (or its skin directory or filter
  // changed since it was built): at once with ForceUpdating, otherwise in the
  // background thread (nothing new when one is already running). Outside a
  // running program (designing, the application terminating) the background
  // thread is not started.
  void UpdateIfNeeded(bool forceUpdating);
  // Empties the list and marks it for an update; stops a running thread.
  void Reset();
  // Stops a running background thread (its building stays unfinished).
  void CheckThread();
  // Every registered control receives SKC_LISTCHANGED; OnSkinListChanged runs.
  void SendListChanged();
  // SKC_LISTSKINCHANGED is posted to every registered control with a window.
  void SendSkinChanged();

  // The list, completed first when it needs an update (a direct read).
  const TacSkinList& List();
  // The list as it stands, complete or not, without building anything.
  const TacSkinList& CurrentList() const { return FList; }

  bool UpdateNeeded = true;
  // The background thread while one runs.
  TacAddThread* Thread() const { return FThread.get(); }
  // The resolved skin directory of the list being built or last built.
  const std::string& sPath() const { return FBuilder.sPath(); }

 private:
  // The settings of the list differ from the manager's now.
  bool SourcesChanged() const;
  TacSkinListBuilder::TSources CurrentSources() const;
  // Starts a new building: resets the list and the builder.
  void Begin();
  // One step of the building; false once it is complete (and announced).
  bool Step();
  void Complete();
  // Copies the default manager's list when this manager may; true if it did.
  bool CopyDefaultList();
  void StartThread();
  void StopThread();
  void ThreadFinished();
  void Broadcast(TacSkinCommand code, LPARAM lparam);

  TsSkinManager& SkinManager;
  TacSkinList FList;
  TacSkinListBuilder FBuilder;
  bool FBuilding = false;  // a building is under way (in steps)
  uint32_t FFilter = 0;    // of the list being built or last built
  std::vector<TControl*> FControls;
  std::unique_ptr<TacAddThread> FThread;
  // Threads stopped from inside their own step: they end soon after and are
  // freed when they have.
  std::vector<std::unique_ptr<TacAddThread>> FStopping;
};

}  // namespace ac
