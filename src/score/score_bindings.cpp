#include "app/bindings.h"

namespace vesko {

std::vector<Binding> scoreBindings() {
  return {
  };
}

}  // namespace vesko
