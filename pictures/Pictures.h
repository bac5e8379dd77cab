#pragma once
// The picture registry: every picture the windows show, looked up by the name the windows know it
// by ("GoodGuy(3)", "FCdown", "BullsEye", "North", ...). The pictures are rendered from their
// drawings (PictureDefs.h) when the program is built and embedded as plain pixels; a picture is
// unpacked the first time it is asked for and kept.

#include <QImage>
#include <QString>
#include <QStringList>
#include <memory>

namespace velmora {

class Pictures {
public:
    Pictures();
    ~Pictures();
    Pictures(const Pictures&) = delete;
    Pictures& operator=(const Pictures&) = delete;

    // The program's one registry.
    static const Pictures& instance();

    // The picture of that name at the exact pixel size the windows place it at; an unknown name
    // gives a null QImage. Pictures with a ground are opaque (Format_RGB32); the two window icons
    // have transparent corners (Format_ARGB32_Premultiplied). The reference stays valid for the
    // registry's life.
    const QImage& get(const QString& name) const;

    // Every picture's name, in the registry's stable order.
    QStringList Names() const;

private:
    class Store;
    std::unique_ptr<Store> store_;
};

}  // namespace velmora
