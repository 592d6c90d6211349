#include "app/bindings.h"
#include "files/open_save.h"

namespace vesko {

std::vector<Binding> filesBindings() {
  return {
      {kMainWindow, "打开", EventKind::Clicked, openClicked},
      {kMainWindow, "保存", EventKind::Clicked, saveClicked},
  };
}

}  // namespace vesko
