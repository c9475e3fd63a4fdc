#include "shared/ui_fonts.h"

#include <QFont>
#include <QStringList>

namespace halden {

void InstallFontSubstitutions() {
    QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐ明朝"),
                               {QStringLiteral("IPAPMincho"), QStringLiteral("IPAMincho")});
    QFont::insertSubstitutions(QStringLiteral("Arial"), {QStringLiteral("Liberation Sans")});
}

}  // namespace halden
