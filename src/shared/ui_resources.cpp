#include "shared/ui_resources.h"

#include "shared/ui_fonts.h"

#include <QDir>
#include <QGuiApplication>
#include <QIcon>
#include <QSize>
#include <QString>

// Resource registration has to name the resource outside any namespace.
static void RegisterResources() {
    Q_INIT_RESOURCE(app);
    Q_INIT_RESOURCE(calc);
    Q_INIT_RESOURCE(reference);
    Q_INIT_RESOURCE(help);
}

namespace halden {

void InitResources() {
    static const bool registered = [] {
        RegisterResources();
        InstallFontSubstitutions();
        return true;
    }();
    (void)registered;
}

QString ApplicationId() { return QStringLiteral(HALDEN_APP_ID); }

QIcon ApplicationIcon() {
    // Reading the set decodes every picture in it, so it is read once and kept as the
    // application's window icon, which the application releases when it ends; every window after
    // the first gets that shared copy.
    static qint64 keptKey = 0;
    if (QIcon kept = QGuiApplication::windowIcon(); keptKey != 0 && kept.cacheKey() == keptKey) {
        return kept;
    }
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
    if (QGuiApplication::instance() != nullptr) {
        QGuiApplication::setWindowIcon(icon);
        keptKey = QGuiApplication::windowIcon().cacheKey();
    }
    return icon;
}

}  // namespace halden
