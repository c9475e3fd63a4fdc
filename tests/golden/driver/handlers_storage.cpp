#include "golden_driver.h"

namespace golden {

void RegisterStorageRequests(Registry& registry) {
    (void)registry;
}

}  // namespace golden
