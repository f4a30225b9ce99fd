// Accessible names and descriptions of every control, for screen readers and other assistive
// tools: a control is named by what a sighted user reads for it, in the interface language: its
// own caption, else the label in front of it (or above it), else its tool tip; the tool tip
// describes it. Worked out per control kind and from the placement, so new windows get it too.
#include <QLabel>
#include <QTimer>
#include <QToolButton>
#include <limits>
#include <optional>

#include "app/form_view.h"
#include "app/form_view_support.h"

namespace rvm46::app {

using namespace forms;
using detail::Q;

namespace {

// How far a label may stand from what it names: beside on the same row, or just above.
constexpr int kBesideGap = 160;
constexpr int kAboveGap = 30;

struct Caption {
    const QWidget* widget;
    QString text;
};

// The label that names a widget: the nearest in front of it on its row, else the nearest above.
QString LabelFor(const QWidget* widget, const std::vector<Caption>& labels) {
    const QRect w = widget->geometry();
    std::optional<QString> beside, above;
    int besideGap = kBesideGap, aboveGap = kAboveGap;
    for (const Caption& label : labels) {
        if (label.widget == widget || label.widget->parentWidget() != widget->parentWidget()) {
            continue;
        }
        const QRect l = label.widget->geometry();
        const bool sameRow = l.top() < w.bottom() && l.bottom() > w.top();
        const bool sameColumn = l.left() < w.right() && l.right() > w.left();
        if (sameRow && l.right() <= w.left() + 4 && w.left() - l.right() < besideGap) {
            besideGap = w.left() - l.right();
            beside = label.text;
        } else if (sameColumn && l.bottom() <= w.top() + 4 && w.top() - l.bottom() < aboveGap) {
            aboveGap = w.top() - l.bottom();
            above = label.text;
        }
    }
    return beside.value_or(above.value_or(QString()));
}

}  // namespace

void FormView::ScheduleNaming() {
    if (naming_pending_ || !named_) return;
    naming_pending_ = true;
    // A language switch changes every caption; the names follow once, after the last of them.
    QTimer::singleShot(0, window_, [this] {
        naming_pending_ = false;
        if (!detached_) NameControls();
    });
}

void FormView::NameControls() {
    named_ = true;
    std::vector<Caption> labels;
    for (const auto& [control, widget] : widgets_) {
        const auto* label = dynamic_cast<const Label*>(control);
        if (label != nullptr && !label->Caption().empty() && !widget->isHidden()) {
            labels.push_back({widget, PlainCaption(label->Caption())});
        }
    }
    for (const auto& [control, widget] : widgets_) {
        const QString tip = Q(control->ToolTipText());
        QString name;
        if (const auto* captioned = dynamic_cast<const CaptionedControl*>(control)) {
            name = PlainCaption(captioned->Caption()).trimmed();
        }
        if (name.isEmpty()) name = LabelFor(widget, labels);
        if (name.isEmpty()) name = tip;
        if (name.isEmpty()) name = window_->windowTitle();  // a lone control stands for its window
        widget->setAccessibleName(name);
        widget->setAccessibleDescription(tip == name ? QString() : tip);
        // Parts drawn inside a control (the spinner's arrows) are named after it.
        for (auto* part :
             widget->findChildren<QToolButton*>(QString(), Qt::FindDirectChildrenOnly)) {
            const bool up = part->arrowType() == Qt::UpArrow;
            part->setAccessibleName(name + (up ? " +" : " −"));
        }
    }
}

}  // namespace rvm46::app
