#include "shared/ui_fonts.h"

#include <QFont>
#include <QStringList>

namespace halden {

QFont ArialFont(double points, bool bold) {
    QFont font;
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

QFont MinchoFont(double points) {
    QFont font;
    font.setFamilies({QStringLiteral("ＭＳ Ｐ明朝"), QStringLiteral("IPAPMincho"), QStringLiteral("IPAMincho")});
    font.setPointSizeF(points);
    return font;
}

void InstallFontSubstitutions() {
    QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐ明朝"),
                               {QStringLiteral("IPAPMincho"), QStringLiteral("IPAMincho")});
    QFont::insertSubstitutions(QStringLiteral("Arial"), {QStringLiteral("Liberation Sans")});
}

}  // namespace halden
