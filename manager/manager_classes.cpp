#include "manager/manager_classes.h"

#include "manager/ts_skin_manager.h"

namespace ac {

void RegisterManagerClasses(TClassRegistry& classes) {
  classes.Register<TsSkinManager>("TsSkinManager");
}

}  // namespace ac
