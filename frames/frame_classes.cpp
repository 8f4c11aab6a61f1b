#include "frames/frame_classes.h"

#include "frames/ac_provider.h"
#include "frames/ts_skin_provider.h"
#include "manager/ts_skin_manager.h"

namespace ac {

void RegisterFrameClasses(TClassRegistry& classes) {
  classes.Register<TsSkinProvider>("TsSkinProvider");
  SetActivationHookInstaller([](TsSkinManager& manager, bool install) {
    if (install) {
      InstallActivationHook(manager);
    } else {
      UninstallActivationHook();
    }
  });
}

}  // namespace ac
