#include "shared/ui_text.h"

#include "numbers/typed_text.h"

#include <QStringDecoder>

namespace halden {

QString ToQString(std::string_view text) {
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
    return decoder(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
}

std::string ToStdString(const QString& text) { return text.toStdString(); }

// Text the rules leave alone is handed back as it came: the trip through UTF-8 would turn a lone
// surrogate into another character.
QString AsciiInputText(const QString& text) {
    const std::string utf8 = ToStdString(text);
    const std::string ascii = AsciiTypedText(utf8);
    return ascii == utf8 ? text : ToQString(ascii);
}

QString PastedInputText(const QString& text) {
    const std::string utf8 = ToStdString(text);
    const std::string line = AsciiTypedText(PastedLine(utf8));
    return line == utf8 ? text : ToQString(line);
}

QString MenuLiteral(QString text) { return text.replace(QLatin1Char('&'), QStringLiteral("&&")); }

}  // namespace halden
