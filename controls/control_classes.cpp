#include "controls/control_classes.h"

#include "controls/ts_button.h"
#include "controls/ts_edit.h"
#include "controls/ts_label.h"
#include "controls/ts_panel.h"

namespace ac {

void RegisterControlClasses(TClassRegistry& classes) {
  classes.Register<TsPanel>("TsPanel");
  classes.Register<TsEdit>("TsEdit");
  classes.Register<TsButton>("TsButton");
  classes.Register<TsLabel>("TsLabel");
}

}  // namespace ac
