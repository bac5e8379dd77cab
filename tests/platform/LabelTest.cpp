// Labels never cut their text off unseen: a caption too long for its room ends in an ellipsis
// within it, and the whole caption stays the label's.

#include <gtest/gtest.h>

#include <QLabel>

#include "TestSupport.h"
#include "platform/ScriptedServices.h"

namespace velmora::test {
namespace {

const QChar kEllipsis(0x2026);

class Labels : public Form {
public:
    using Form::Form;
    Label lblGrowing, lblBox, lblWrapped;

protected:
    void Design() override {
        SetBorderStyle(BorderStyle::FixedSingle);
        SetInnerSize(4500, 3000);
        Add(lblGrowing, 120, 120, 0, 0);
        lblGrowing.SetAutoSize(true);
        lblGrowing.SetMaxWidth(3000);
        Add(lblBox, 120, 600, 3000, 255);
        Add(lblWrapped, 120, 1080, 3000, 495);  // room for two lines
        lblWrapped.SetWordWrap(true);
    }
};

TEST(Label, ATextTooLongForItsRoomEndsInAnEllipsisWithinIt) {
    ScriptedServices services;
    Labels form(services);
    form.Show();
    const QString longText = QStringLiteral("Lancers of the Blue ").repeated(20);
    const struct {
        const char* name;
        Label Labels::*label;
        QString caption;
        bool cut;
    } rows[] = {
        {"growing, short", &Labels::lblGrowing, QStringLiteral("Squadron: Vipers"), false},
        {"growing, beyond its widest", &Labels::lblGrowing, longText, true},
        {"fixed box, short", &Labels::lblBox, QStringLiteral("To:"), false},
        {"fixed box, long", &Labels::lblBox, longText, true},
        {"wrapped, two lines", &Labels::lblWrapped, QStringLiteral("Enter in Target Name:"), false},
        {"wrapped, beyond two lines", &Labels::lblWrapped, longText, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Label& label = form.*row.label;
        label.SetCaption(row.caption);
        const auto* widget = qobject_cast<QLabel*>(label.Widget());
        EXPECT_EQ(label.Caption(), row.caption);
        EXPECT_EQ(widget->text(), label.ShownCaption()) << widget->text().toStdString();
        EXPECT_EQ(label.ShownCaption().endsWith(kEllipsis), row.cut);
        if (row.cut) {
            EXPECT_TRUE(row.caption.startsWith(label.ShownCaption().chopped(1)));
        } else {
            EXPECT_EQ(label.ShownCaption().toStdString(), row.caption.toStdString());
        }
        // What it shows needs no more room than it has, and the growing one stays in its limit.
        if (label.WordWrap()) {
            EXPECT_LE(widget->heightForWidth(widget->width()), widget->height());
        } else {
            EXPECT_LE(widget->sizeHint().width(), widget->width());
        }
        EXPECT_LE(label.Width(), 3000);
    }
    form.Unload();
    settle();
}

}  // namespace
}  // namespace velmora::test
