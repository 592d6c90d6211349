#include "app/bindings.h"

namespace vesko {

std::vector<Binding> filesBindings() {
  return {
  };
}

}  // namespace vesko
