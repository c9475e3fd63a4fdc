#include "shared/ui_text.h"

#include <QStringDecoder>

namespace halden {

QString ToQString(std::string_view text) {
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
    return decoder(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
}

std::string ToStdString(const QString& text) { return text.toStdString(); }

}  // namespace halden
