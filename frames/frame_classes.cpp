#include "frames/frame_classes.h"

#include <memory>

#include "frames/ac_provider.h"
#include "frames/ctrl_adapter.h"
#include "frames/ts_skin_provider.h"
#include "manager/ts_skin_manager.h"

namespace ac {

void RegisterFrameClasses(TClassRegistry& classes) {
  classes.Register<TsSkinProvider>("TsSkinProvider");
  // A framed system dialog's buttons, edits and texts are dressed by the
  // standard-control adapters.
  SetDialogChildrenAdapter([](HWND dialog) -> std::shared_ptr<void> {
    auto adapter = std::make_shared<TacCtrlAdapter>();
    adapter->AdaptChildren(dialog);
    return adapter;
  });
  SetActivationHookInstaller([](TsSkinManager& manager, bool install) {
    if (install) {
      InstallActivationHook(manager);
    } else {
      UninstallActivationHook();
    }
  });
}

}  // namespace ac
