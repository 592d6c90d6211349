#include "app/bindings.h"

namespace vesko {

std::vector<Binding> displayBindings() {
  return {
  };
}

}  // namespace vesko
