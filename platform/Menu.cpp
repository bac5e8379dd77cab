#include <QAction>
#include <QMenu>

#include "platform/Form.h"

namespace velmora {

MenuItem::~MenuItem() {
    Detach();
}

void MenuItem::Attach(Form& form, QAction* action, QMenu* menu) {
    if (form_ != nullptr && form_ != &form) {
        form_->Forget(*this);
    }
    if (action_ != nullptr) {
        QObject::disconnect(action_, nullptr, action_, nullptr);
    }
    form.Register(*this);
    action_ = action;
    menu_ = menu;
    QObject::connect(action, &QAction::triggered, action, [this, action] {
        if (action_ != action) {
            return;
        }
        // Qt toggles a checkable action by itself; the mark changes only when set.
        ApplyCheck();
        if (Click) {
            Click();
        }
    });
    SetCaption(caption_);
    action->setEnabled(enabled_);
    action->setVisible(visible_);
    ApplyCheck();
}

void MenuItem::Detach() {
    if (action_ != nullptr) {
        QObject::disconnect(action_, nullptr, action_, nullptr);
    }
    action_ = nullptr;
    menu_ = nullptr;
    caption_.clear();
    checked_ = false;
    enabled_ = true;
    visible_ = true;
}

void MenuItem::Add(MenuItem& item, const QString& caption) {
    if (form_ == nullptr || menu_ == nullptr || &item == this) {
        return;
    }
    item.caption_ = caption;
    item.Attach(*form_, menu_->addAction(caption), nullptr);
}

void MenuItem::SetCaption(const QString& caption) {
    caption_ = caption;
    if (action_ == nullptr) {
        return;
    }
    const bool separator = caption == QLatin1String("-") && menu_ == nullptr;
    action_->setSeparator(separator);
    action_->setText(separator ? QString() : caption);
}

void MenuItem::SetChecked(bool checked) {
    checked_ = checked;
    ApplyCheck();
}

void MenuItem::ApplyCheck() {
    if (action_ != nullptr) {
        // Only a checked item is checkable, so unchecked items show no empty box.
        action_->setCheckable(checked_);
        action_->setChecked(checked_);
    }
}

void MenuItem::SetEnabled(bool enabled) {
    enabled_ = enabled;
    if (action_ != nullptr) {
        action_->setEnabled(enabled);
    }
}

void MenuItem::SetVisible(bool visible) {
    visible_ = visible;
    if (action_ != nullptr) {
        action_->setVisible(visible);
        if (menu_ != nullptr && form_ != nullptr) {
            form_->UpdateMenuBar();
        }
    }
}

}  // namespace velmora
