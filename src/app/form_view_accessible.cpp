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

// The label that names a widget: the nearest in front of it on its row; for a check box or an
// option button, whose words stand after the box, the nearest after it; else the nearest above.
QString LabelFor(const QWidget* widget, const std::vector<Caption>& labels, bool wordsAfter) {
    const QRect w = widget->geometry();
    std::optional<QString> before, after, above;
    int beforeGap = kBesideGap, afterGap = kBesideGap, aboveGap = kAboveGap;
    for (const Caption& label : labels) {
        if (label.widget == widget || label.widget->parentWidget() != widget->parentWidget()) {
            continue;
        }
        const QRect l = label.widget->geometry();
        const bool sameRow = l.top() < w.bottom() && l.bottom() > w.top();
        const bool sameColumn = l.left() < w.right() && l.right() > w.left();
        if (sameRow && l.right() <= w.left() + 4 && w.left() - l.right() < beforeGap) {
            beforeGap = w.left() - l.right();
            before = label.text;
        } else if (sameRow && l.left() >= w.right() - 4 && l.left() - w.right() < afterGap) {
            afterGap = l.left() - w.right();
            after = label.text;
        } else if (sameColumn && l.bottom() <= w.top() + 4 && w.top() - l.bottom() < aboveGap) {
            aboveGap = w.top() - l.bottom();
            above = label.text;
        }
    }
    if (wordsAfter && after) return *after;
    return before.value_or(above.value_or(QString()));
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
        // Labels, and pictures that show words (they carry them as their caption).
        const bool reads = dynamic_cast<const Label*>(control) != nullptr ||
                           dynamic_cast<const Picture*>(control) != nullptr;
        const auto* captioned = dynamic_cast<const CaptionedControl*>(control);
        if (reads && !captioned->Caption().empty() && !widget->isHidden()) {
            labels.push_back({widget, PlainCaption(captioned->Caption())});
        }
    }
    for (const auto& [control, widget] : widgets_) {
        const QString tip = Q(control->ToolTipText());
        QString name;
        if (const auto* captioned = dynamic_cast<const CaptionedControl*>(control)) {
            name = PlainCaption(captioned->Caption()).trimmed();
        }
        if (name.isEmpty()) {
            const bool wordsAfter = dynamic_cast<const CheckBox*>(control) != nullptr ||
                                    dynamic_cast<const OptionButton*>(control) != nullptr;
            name = LabelFor(widget, labels, wordsAfter);
        }
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
