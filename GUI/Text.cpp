#include "GUI/Text.h"

#include <QStringDecoder>
#include <algorithm>

#include "model/TextLines.h"

namespace velmora {

namespace {

constexpr char16_t kEllipsis = u'\u2026';

}  // namespace

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

QString FirstCharacters(std::string_view bytes, qsizetype limit, bool* cut) {
    limit = std::max<qsizetype>(limit, 1);
    // A character takes at most four bytes; the cut goes back to the start of a UTF-8 sequence,
    // so that a valid text stays valid.
    const std::size_t room = static_cast<std::size_t>(limit) * 4;
    bool shortened = false;
    if (bytes.size() > room) {
        bytes = bytes.substr(0, Utf8Boundary(bytes, room));
        shortened = true;
    }
    QString text = ToQ(bytes);
    if (text.size() > limit) {
        qsizetype end = limit;
        if (text[end - 1].isHighSurrogate()) {
            --end;  // keep a character whole
        }
        text.truncate(end);
        shortened = true;
    }
    if (cut != nullptr) {
        *cut = shortened;
    }
    return text;
}

QString ShownText(std::string_view bytes, qsizetype limit) {
    bool cut = false;
    QString text = FirstCharacters(bytes, limit, &cut);
    if (cut) {
        text += QChar(kEllipsis);
    }
    return text;
}

}  // namespace velmora
