#include "golden_driver.h"

namespace golden {

void RegisterCalculatorRequests(Registry& registry) {
    (void)registry;
}

}  // namespace golden
