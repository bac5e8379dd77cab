#include "pictures/Pictures.h"

#include <QResource>

#include <cstring>
#include <map>
#include <optional>
#include <vector>

#include "pictures/PictureDefs.h"

// A resource file compiled into a static library is only linked when something names it.
static void InitRenderedPictures() {
    Q_INIT_RESOURCE(rendered_pictures);
}

namespace velmora {
namespace {

// The pixels as rendered when the program was built: rows of 32-bit pixels in QImage's own
// layout, without padding. Data of another size gives a null image.
QImage Unpack(const PictureDef& def) {
    const QResource pixels(QStringLiteral(":/velmora/pictures/") + RenderedFileName(def.Name));
    const QByteArray data = pixels.uncompressedData();
    const QImage::Format format =
        def.Opaque() ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied;
    const qsizetype row = qsizetype{4} * def.Size.width();
    if (def.Size.isEmpty() || data.size() != row * def.Size.height()) {
        return {};
    }
    const auto* bytes = reinterpret_cast<const uchar*>(data.constData());
    // Embedded pixels are used where they lie, read only, when their rows are aligned for
    // 32-bit pixels; the program's data stays for its whole run.
    if (pixels.compressionAlgorithm() == QResource::NoCompression &&
        reinterpret_cast<quintptr>(bytes) % alignof(quint32) == 0) {
        return QImage(bytes, def.Size.width(), def.Size.height(), row, format);
    }
    QImage image(def.Size, format);
    for (int y = 0; y < def.Size.height(); ++y) {
        std::memcpy(image.scanLine(y), bytes + row * y, static_cast<std::size_t>(row));
    }
    return image;
}

}  // namespace

// The definitions in registry order, each with its picture once unpacked. The vector never
// grows after construction, so a reference to a picture stays valid.
class Pictures::Store {
public:
    Store() : defs_(PictureDefs()), images_(defs_.size()) {
        InitRenderedPictures();
        for (std::size_t i = 0; i < defs_.size(); ++i) {
            index_.emplace(defs_[i].Name, i);
        }
    }

    const QImage& Get(const QString& name) {
        static const QImage none;
        const auto it = index_.find(name);
        if (it == index_.end()) {
            return none;
        }
        std::optional<QImage>& image = images_[it->second];
        if (!image) {
            image = Unpack(defs_[it->second]);
        }
        return *image;
    }

    QStringList Names() const {
        QStringList list;
        list.reserve(static_cast<qsizetype>(defs_.size()));
        for (const PictureDef& def : defs_) {
            list.append(def.Name);
        }
        return list;
    }

private:
    std::vector<PictureDef> defs_;
    std::vector<std::optional<QImage>> images_;
    std::map<QString, std::size_t> index_;
};

Pictures::Pictures() : store_(std::make_unique<Store>()) {}

Pictures::~Pictures() = default;

const Pictures& Pictures::instance() {
    static const Pictures pictures;
    return pictures;
}

const QImage& Pictures::get(const QString& name) const {
    return store_->Get(name);
}

QStringList Pictures::Names() const {
    return store_->Names();
}

}  // namespace velmora
