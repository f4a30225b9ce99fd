// FormView bindings of the controls that hold text: text boxes and combo lists.
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QProxyStyle>
#include <QSignalBlocker>
#include <QStringList>
#include <QWheelEvent>

#include "app/form_view.h"
#include "app/form_view_support.h"

namespace rvm46::app {

using namespace forms;
using detail::MouseFilter;
using detail::Q;

namespace {

int ButtonOf(Qt::MouseButton button) {
    switch (button) {
        case Qt::RightButton:
            return kRightButton;
        case Qt::MiddleButton:
            return kMiddleButton;
        default:
            return kLeftButton;
    }
}

int ShiftOf(Qt::KeyboardModifiers modifiers) {
    return (modifiers & Qt::ShiftModifier ? kShiftMask : 0) |
           (modifiers & Qt::ControlModifier ? kCtrlMask : 0) |
           (modifiers & Qt::AltModifier ? kAltMask : 0);
}

// Drops a list below its box, about maxVisibleItems() at a time, in every style (some styles
// lay a long list over the whole screen instead).
class DropDownStyle : public QProxyStyle {
  public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returned) const override {
        if (hint == SH_ComboBox_Popup) return 0;
        return QProxyStyle::styleHint(hint, option, widget, returned);
    }
};

// A combo list that the mouse wheel changes only while it has the focus: a wheel turned over
// it on the way elsewhere scrolls the window instead.
class ListWidget : public QComboBox {
  public:
    using QComboBox::QComboBox;

    void showPopup() override {
        // Only the list's own window needs the style: set when first dropped, not when built.
        if (dynamic_cast<DropDownStyle*>(style()) == nullptr) {
            auto* dropDown = new DropDownStyle;
            dropDown->setParent(this);
            setStyle(dropDown);
        }
        QComboBox::showPopup();
    }

  protected:
    void wheelEvent(QWheelEvent* event) override {
        if (hasFocus()) {
            QComboBox::wheelEvent(event);
        } else {
            event->ignore();
        }
    }
};

}  // namespace

QWidget* FormView::CreateTextWidget(Control& control, QWidget* parent) {
    if (auto* box = dynamic_cast<TextBox*>(&control)) {
        auto* edit = new QLineEdit(parent);
        QObject::connect(edit, &QLineEdit::textEdited, edit,
                         [this, box, edit](const QString& text) {
                             if (detached_) return;
                             if (!box->UserReplace(text.toStdString()) || detached_) {
                                 if (!detached_ && Q(box->Text()) != edit->text()) {
                                     QSignalBlocker block(edit);
                                     edit->setText(Q(box->Text()));
                                 }
                             }
                         });
        if (box->MouseDown) edit->setContextMenuPolicy(Qt::NoContextMenu);
        edit->installEventFilter(
            new MouseFilter(edit, [this, box](QMouseEvent* event, bool pressed) {
                if (detached_) return;
                if (pressed) {
                    const QPointF at = event->position();
                    box->UserMouseDown(ButtonOf(event->button()), ShiftOf(event->modifiers()),
                                       static_cast<float>(at.x() * 15),
                                       static_cast<float>(at.y() * 15));
                } else if (event->button() == Qt::LeftButton) {
                    box->UserClick();
                }
            }));
        return edit;
    }
    if (auto* list = dynamic_cast<ComboBox*>(&control)) {
        auto* combo = new ListWidget(parent);
        combo->setMaxVisibleItems(20);  // about 20 at a time (see DropDownStyle)
        combo->setFocusPolicy(Qt::StrongFocus);
        // The box in the desktop's colours, not in those of the panel it stands on.
        QPalette desktop = QApplication::palette(combo);
        for (int group = 0; group < QPalette::NColorGroups; ++group) {
            for (int role = 0; role < QPalette::NColorRoles; ++role) {
                const auto g = static_cast<QPalette::ColorGroup>(group);
                const auto r = static_cast<QPalette::ColorRole>(role);
                desktop.setBrush(g, r, desktop.brush(g, r));
            }
        }
        combo->setPalette(desktop);
        QObject::connect(combo, qOverload<int>(&QComboBox::activated), combo,
                         [this, list](int index) {
                             UserAction(*list, [list, index] { list->UserSelect(index); });
                         });
        return combo;
    }
    return nullptr;
}

bool FormView::SyncTextWidget(Control& control, QWidget* widget, Property property) {
    if (auto* box = dynamic_cast<TextBox*>(&control)) {
        auto* edit = static_cast<QLineEdit*>(widget);
        if (edit->text() != Q(box->Text())) edit->setText(Q(box->Text()));
        return true;
    }
    if (auto* list = dynamic_cast<ComboBox*>(&control)) {
        auto* combo = static_cast<QComboBox*>(widget);
        if (property == Property::All || property == Property::ListItems) {
            QStringList items;
            for (int i = 0; i < list->ListCount(); ++i) items << Q(list->List(i));
            bool same = combo->count() == items.size();
            for (int i = 0; same && i < items.size(); ++i) same = combo->itemText(i) == items[i];
            if (!same) {
                combo->clear();
                combo->addItems(items);
            }
        }
        combo->setCurrentIndex(list->ListIndex());
        return true;
    }
    return false;
}

}  // namespace rvm46::app
