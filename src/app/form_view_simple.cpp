// FormView bindings of the simple controls: check boxes, option and command buttons, labels,
// frames, pictures, the scroll bar spinner and progress bars.
#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/form_view.h"
#include "app/form_view_support.h"
#include "app/icons.h"
#include "app/layouts.h"

namespace rvm46::app {

using namespace forms;
using detail::MouseFilter;
using detail::Q;

namespace {

// The small up/down spinner drawn for a vertical scroll bar.
QWidget* MakeSpinner(QWidget* parent, QToolButton*& up, QToolButton*& down) {
    auto* widget = new QWidget(parent);
    auto* layout = new QVBoxLayout(widget);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    up = new QToolButton(widget);
    down = new QToolButton(widget);
    up->setArrowType(Qt::UpArrow);
    down->setArrowType(Qt::DownArrow);
    for (QToolButton* button : {up, down}) {
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoRepeat(true);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        layout->addWidget(button);
    }
    widget->setFocusPolicy(Qt::ClickFocus);
    return widget;
}

}  // namespace

QWidget* FormView::CreateSimpleWidget(Control& control, QWidget* parent) {
    if (auto* check = dynamic_cast<CheckBox*>(&control)) {
        auto* box = new QCheckBox(parent);
        box->setTristate(true);
        QObject::connect(box, &QCheckBox::clicked, box,
                         [this, check] { UserAction(*check, [check] { check->UserClick(); }); });
        return box;
    }
    if (auto* option = dynamic_cast<OptionButton*>(&control)) {
        auto* radio = new QRadioButton(parent);
        radio->setAutoExclusive(false);  // the control layer groups them
        QObject::connect(radio, &QRadioButton::clicked, radio, [this, option] {
            UserAction(*option, [option] { option->UserClick(); });
        });
        return radio;
    }
    if (auto* button = dynamic_cast<CommandButton*>(&control)) {
        auto* push = new QPushButton(parent);
        QObject::connect(push, &QPushButton::clicked, push, [this, button] {
            UserAction(*button, [button] { button->UserClick(); });
        });
        return push;
    }
    if (auto* label = dynamic_cast<Label*>(&control)) {
        auto* widget = new QLabel(parent);
        widget->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        widget->installEventFilter(
            new MouseFilter(widget, [this, label](QMouseEvent* event, bool pressed) {
                if (!pressed && event->button() == Qt::LeftButton) {
                    UserAction(*label, [label] { label->UserClick(); });
                }
            }));
        return widget;
    }
    if (dynamic_cast<Frame*>(&control) != nullptr) {
        auto* group = new QGroupBox(parent);
        if (LayoutFor(form_.Name()) == nullptr) new QVBoxLayout(group);
        return group;
    }
    if (auto* picture = dynamic_cast<Picture*>(&control)) {
        auto* widget = new QLabel(parent);
        widget->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        widget->setWordWrap(true);
        if (LayoutFor(form_.Name()) == nullptr && !control.Container().empty()) {
            // Stacked pictures that hold controls get a layout of their own.
            bool holds = false;
            for (Control* other : form_.Controls())
                holds = holds || other->Container() == control.Name();
            if (holds) new QVBoxLayout(widget);
        }
        widget->installEventFilter(
            new MouseFilter(widget, [this, picture](QMouseEvent* event, bool pressed) {
                if (!pressed && event->button() == Qt::LeftButton) {
                    UserAction(*picture, [picture] { picture->UserClick(); });
                }
            }));
        return widget;
    }
    if (auto* bar = dynamic_cast<ScrollBar*>(&control)) {
        QToolButton* up = nullptr;
        QToolButton* down = nullptr;
        QWidget* spinner = MakeSpinner(parent, up, down);
        QObject::connect(up, &QToolButton::clicked, up,
                         [this, bar] { UserAction(*bar, [bar] { bar->UserArrowUp(); }); });
        QObject::connect(down, &QToolButton::clicked, down,
                         [this, bar] { UserAction(*bar, [bar] { bar->UserArrowDown(); }); });
        return spinner;
    }
    if (dynamic_cast<ListView*>(&control) != nullptr) {
        auto* list = new QTreeWidget(parent);
        list->setRootIsDecorated(false);
        list->setSelectionMode(QAbstractItemView::NoSelection);
        list->setWordWrap(true);
        list->header()->setStretchLastSection(true);
        return list;
    }
    if (dynamic_cast<ProgressBar*>(&control) != nullptr) {
        auto* progress = new QProgressBar(parent);
        progress->setTextVisible(false);
        return progress;
    }
    return nullptr;
}

void FormView::SyncSimpleWidget(Control& control, QWidget* widget) {
    if (auto* check = dynamic_cast<CheckBox*>(&control)) {
        auto* box = static_cast<QCheckBox*>(widget);
        box->setText(Q(check->Caption()));
        box->setCheckState(check->Value() == kChecked  ? Qt::Checked
                           : check->Value() == kGrayed ? Qt::PartiallyChecked
                                                       : Qt::Unchecked);
    } else if (auto* option = dynamic_cast<OptionButton*>(&control)) {
        auto* radio = static_cast<QRadioButton*>(widget);
        radio->setText(Q(option->Caption()));
        radio->setChecked(option->Value());
    } else if (auto* button = dynamic_cast<CommandButton*>(&control)) {
        static_cast<QPushButton*>(widget)->setText(Q(button->Caption()));
    } else if (auto* label = dynamic_cast<Label*>(&control)) {
        static_cast<QLabel*>(widget)->setText(PlainCaption(label->Caption()));
    } else if (auto* frame = dynamic_cast<Frame*>(&control)) {
        static_cast<QGroupBox*>(widget)->setTitle(Q(frame->Caption()));
    } else if (auto* picture = dynamic_cast<Picture*>(&control)) {
        // The named image where there is one; otherwise the picture's words.
        auto* label = static_cast<QLabel*>(widget);
        const QIcon icon = PictureIcon(picture->PictureName());
        if (!icon.isNull()) {
            label->setPixmap(icon.pixmap(label->size()));
        } else {
            label->setText(Q(picture->Caption()));
        }
    } else if (auto* view = dynamic_cast<ListView*>(&control)) {
        auto* list = static_cast<QTreeWidget*>(widget);
        QStringList headings;
        for (const std::string& column : view->Columns()) headings << Q(column);
        list->setColumnCount(static_cast<int>(headings.size()));
        list->setHeaderLabels(headings);
        list->clear();
        for (const auto& row : view->Rows()) {
            QStringList texts;
            for (std::size_t c = 0; c < row.size() && c < view->Columns().size(); ++c) {
                texts << Q(row[c]);
            }
            list->addTopLevelItem(new QTreeWidgetItem(texts));
        }
        for (int c = 0; c + 1 < list->columnCount(); ++c) list->resizeColumnToContents(c);
    } else if (auto* progress = dynamic_cast<ProgressBar*>(&control)) {
        auto* bar = static_cast<QProgressBar*>(widget);
        bar->setRange(progress->Min(), progress->Max());
        bar->setValue(progress->Value());
    }
}

}  // namespace rvm46::app
