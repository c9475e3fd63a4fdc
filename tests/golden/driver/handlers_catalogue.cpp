#include "golden_driver.h"

namespace golden {

void RegisterCatalogueRequests(Registry& registry) {
    (void)registry;
}

}  // namespace golden

#include "shared/settings.h"

namespace golden {

void ResetForRequest() { halden::ResetProcessState(); }

}  // namespace golden
