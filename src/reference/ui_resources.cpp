#include "reference/ui_resources.h"

#include <QDir>
#include <QIcon>
#include <QSize>
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

QString ApplicationId() { return QStringLiteral(HALDEN_APP_ID); }

QIcon ApplicationIcon() {
    // The build renders the icon set into ":/icons/app" as "<size>.png", one file per theme size.
    const QDir set(QStringLiteral(":/icons/app"));
    QIcon icon;
    for (const QString& name : set.entryList({QStringLiteral("*.png")}, QDir::Files)) {
        bool ok = false;
        const int size = name.chopped(4).toInt(&ok);
        if (ok && size > 0) {
            icon.addFile(set.filePath(name), QSize(size, size));
        }
    }
    return icon;
}

}  // namespace halden
