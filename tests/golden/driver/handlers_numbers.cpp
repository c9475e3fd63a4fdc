#include "golden_driver.h"

namespace golden {

void RegisterNumberRequests(Registry& registry) {
    (void)registry;
}

}  // namespace golden
