#include "golden_driver.h"

namespace golden {

void RegisterWindowRequests(Registry& registry) {
    (void)registry;
}

}  // namespace golden
