#include "app/bindings.h"

namespace vesko {

std::vector<Binding> soundBindings() {
  return {
  };
}

}  // namespace vesko
