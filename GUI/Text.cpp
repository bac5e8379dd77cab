#include "Text.h"

#include <QStringDecoder>

namespace velmora {

QString ToQ(std::string_view bytes) {
    const QByteArrayView view(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(view);
    if (!utf8.hasError()) {
        return text;
    }
    return QString::fromLatin1(view);
}

std::string FromQ(const QString& text) {
    return text.toUtf8().toStdString();
}

}  // namespace velmora
