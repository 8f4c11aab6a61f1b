#include "manager/skin_list_controller.h"

#include <algorithm>

#include "framework/application.h"
#include "manager/skin_broadcast.h"
#include "manager/ts_skin_manager.h"

namespace ac {

TacSkinListController::TacSkinListController(TsSkinManager& manager) : SkinManager(manager) {}

TacSkinListController::~TacSkinListController() {
  StopThread();
  // Nothing of this controller runs any more: the threads stopped from a
  // step of theirs are waited for here.
  for (auto& thread : FStopping) thread->WaitFor();
  FStopping.clear();
}

void TacSkinListController::AddControl(TControl& control) {
  if (std::find(FControls.begin(), FControls.end(), &control) == FControls.end())
    FControls.push_back(&control);
  SendSkinCommandTo(control, SKC_LISTCHANGED, reinterpret_cast<LPARAM>(&SkinManager));
}

void TacSkinListController::DelControl(const TControl& control) {
  std::erase(FControls, &control);
}

TacSkinListBuilder::TSources TacSkinListController::CurrentSources() const {
  return {&SkinManager.InternalSkins, SkinManager.GetFullSkinDirectory(), SkinManager.SkinsFilter};
}

bool TacSkinListController::SourcesChanged() const {
  const TacSkinListBuilder::TSources now = CurrentSources();
  return now.Filter != FFilter || !SameSkinDirectory(now.Directory, FBuilder.sPath());
}

void TacSkinListController::Reset() {
  StopThread();
  FList.Clear();
  FBuilding = false;
  UpdateNeeded = true;
}

void TacSkinListController::CheckThread() {
  StopThread();
}

void TacSkinListController::UpdateIfNeeded(bool forceUpdating) {
  if (!UpdateNeeded && SourcesChanged()) Reset();
  if (!UpdateNeeded) return;
  if (CopyDefaultList()) return;
  if (forceUpdating) {
    const bool threadWasRunning = FThread != nullptr;
    StopThread();
    if (!FBuilding) Begin();
    while (Step()) {
    }
    // A reader that had to wait for the background building finished it.
    if (threadWasRunning) Broadcast(SKC_DELAYEDLOAD, 0);
    return;
  }
  if (FThread) return;
  if (SkinManager.HasState(csDesigning) || (Application && Application->Terminated())) return;
  if (!FBuilding) Begin();
  StartThread();
}

const TacSkinList& TacSkinListController::List() {
  UpdateIfNeeded(true);
  return FList;
}

void TacSkinListController::Begin() {
  FList.Clear();
  TacSkinListBuilder::TSources sources = CurrentSources();
  FFilter = sources.Filter;
  FBuilder.Start(std::move(sources));
  FBuilding = true;
}

bool TacSkinListController::Step() {
  if (!FBuilding) return false;
  if (FBuilder.Step(FList)) return true;
  Complete();
  return false;
}

void TacSkinListController::Complete() {
  FBuilding = false;
  UpdateNeeded = false;
  SendListChanged();
}

bool TacSkinListController::CopyDefaultList() {
  TsSkinManager* def = TsSkinManager::DefaultManager();
  if (!def || def == &SkinManager || !def->SkinListController) return false;
  const TacSkinListController& other = *def->SkinListController;
  if (other.UpdateNeeded || other.FBuilding) return false;
  const std::string directory = SkinManager.GetFullSkinDirectory();
  if (!SameSkinDirectory(directory, other.sPath())) return false;
  StopThread();
  FList = other.FList;
  FFilter = other.FFilter;
  // The builder remembers the directory the copy stands for.
  FBuilder.Start({nullptr, directory, 0});
  FBuilding = false;
  UpdateNeeded = false;
  SendListChanged();
  return true;
}

void TacSkinListController::StartThread() {
  FThread = std::make_unique<TacAddThread>([this] { return Step(); }, [this] { ThreadFinished(); });
  if (FThread->Terminated()) {
    // The system gave no thread: the list is built here and now instead.
    FThread.reset();
    while (Step()) {
    }
    return;
  }
  Broadcast(SKC_DELAYEDLOAD, 1);
}

void TacSkinListController::StopThread() {
  if (!FThread) return;
  FThread->Terminate();
  // A thread stopped from its own step is still waiting for that step to
  // return: it is freed once it has ended.
  if (!FThread->WaitFor()) FStopping.push_back(std::move(FThread));
  FThread.reset();
}

void TacSkinListController::ThreadFinished() {
  // Frees every thread that has ended, the one that told us included; this
  // may destroy the window whose message brought us here, which is allowed.
  std::erase_if(FStopping, [](const auto& t) { return t->Finished(); });
  if (FThread && FThread->Finished()) FThread.reset();
}

void TacSkinListController::SendListChanged() {
  const auto manager = reinterpret_cast<LPARAM>(&SkinManager);
  // A control may unregister itself (or another) while it is told.
  const std::vector<TControl*> controls = FControls;
  for (TControl* control : controls)
    if (std::find(FControls.begin(), FControls.end(), control) != FControls.end())
      SendSkinCommandTo(*control, SKC_LISTCHANGED, manager);
  if (SkinManager.OnSkinListChanged) SkinManager.OnSkinListChanged(&SkinManager);
}

void TacSkinListController::SendSkinChanged() {
  for (TControl* control : FControls) {
    auto* windowed = dynamic_cast<TWinControl*>(control);
    if (windowed && windowed->HandleAllocated())
      PostMessageW(windowed->Handle(), WM_SKINCMD, SkinCommandWParam(SKC_LISTSKINCHANGED),
                   reinterpret_cast<LPARAM>(&SkinManager));
  }
}

void TacSkinListController::Broadcast(TacSkinCommand code, LPARAM lparam) {
  BroadcastToForms(SkinCommandMessage(code, lparam));
}

}  // namespace ac
