#pragma once
// What Qt made for a loaded window, and the surface it shows.

#include "platform/Form.h"
#include "platform/FormWidgets.h"

namespace velmora {

struct FormTestAccess {
    static QWidget* TopLevel(const Form& form) { return form.top_; }
    static QWidget* InnerArea(const Form& form) { return form.area_; }
    static const QImage& Surface(const Form& form) { return const_cast<Form&>(form).Canvas(); }
};

}  // namespace velmora
