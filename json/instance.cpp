// Creating and releasing JSON instances.
#include "json/json.h"

#include "json/document.h"

namespace kelo {

JSON jsonCreate() noexcept { return JSON{}; }

void jsonDestroy(JSON& instance) noexcept {
  instance.doc_.reset();
  instance.failed_ = false;
}

}  // namespace kelo
