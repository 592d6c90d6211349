#include "app/bindings.h"

namespace vesko {

std::vector<Binding> playingBindings() {
  return {
  };
}

}  // namespace vesko
