#include "reference/ui_resources.h"

#include <QIcon>
#include <QString>

// Resource registration has to name the resource outside any namespace.
static void RegisterReferenceResources() {
    Q_INIT_RESOURCE(reference);
    Q_INIT_RESOURCE(help);
}

namespace halden {

void InitReferenceResources() {
    static const bool registered = [] {
        RegisterReferenceResources();
        return true;
    }();
    (void)registered;
}

QIcon ApplicationIcon() {
    InitReferenceResources();
    return QIcon(QStringLiteral(":/icons/halden.xpm"));
}

}  // namespace halden
