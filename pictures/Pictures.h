#pragma once
// The picture registry: every picture the windows show, drawn for this project as SVG (svg/),
// rendered once at the exact pixel size the windows place it at and looked up by the name the
// windows know it by ("GoodGuy(3)", "FCdown", "BullsEye", "North", ...).

#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

#include <QHash>

namespace velmora {

struct NamedPicture {
    QString name;
    QImage image;
};

// Renders every picture from its SVG source, in the registry's stable order. Needs a
// QGuiApplication (the words are set in fonts). Pictures with a ground are opaque
// (Format_RGB32); the two window icons have transparent corners (Format_ARGB32_Premultiplied).
QList<NamedPicture> renderAllPictures();

class Pictures {
public:
    // Renders everything on the first call; needs a QGuiApplication.
    static const Pictures& instance();

    // The picture of that name; an unknown name gives a null QImage.
    const QImage& get(const QString& name) const;

    // Every picture's name, in the registry's stable order.
    QStringList names() const;

private:
    Pictures();

    QList<NamedPicture> pictures_;
    QHash<QString, qsizetype> index_;
};

}  // namespace velmora
