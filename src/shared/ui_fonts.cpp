#include "shared/ui_fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>

namespace halden {
namespace {

// The families this system has, from the first that is installed on. For a family it lacks the
// toolkit first asks the font configuration for every font in order of likeness (a few
// milliseconds each time, several times while the first window is made) before it tries the next
// name, which this system has; when none is installed, the names stay as they are.
QStringList InstalledFrom(const QStringList& families) {
    static const QStringList installed = QFontDatabase::families();
    for (qsizetype i = 0; i < families.size(); ++i) {
        if (installed.contains(families[i], Qt::CaseInsensitive)) {
            return families.mid(i);
        }
    }
    return families;
}

}  // namespace

QFont ArialFont(double points, bool bold) {
    QFont font;
    font.setFamilies(InstalledFrom({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")}));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

QFont MinchoFont(double points) {
    QFont font;
    font.setFamilies(
        InstalledFrom({QStringLiteral("ＭＳ Ｐ明朝"), QStringLiteral("IPAPMincho"), QStringLiteral("IPAMincho")}));
    font.setPointSizeF(points);
    return font;
}

void InstallFontSubstitutions() {
    QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐ明朝"),
                               {QStringLiteral("IPAPMincho"), QStringLiteral("IPAMincho")});
    QFont::insertSubstitutions(QStringLiteral("Arial"), {QStringLiteral("Liberation Sans")});
}

}  // namespace halden
