#pragma once
// Helpers shared by the sources of FormView; not part of the renderer's interface.

#include <QEvent>
#include <QMouseEvent>
#include <QObject>
#include <QString>
#include <functional>
#include <string>
#include <utility>

namespace rvm46::app::detail {

inline QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

// Forwards mouse presses and releases on a widget.
class MouseFilter : public QObject {
  public:
    MouseFilter(QObject* parent, std::function<void(QMouseEvent*, bool pressed)> on_mouse)
        : QObject(parent), on_mouse_(std::move(on_mouse)) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonPress ||
            event->type() == QEvent::MouseButtonRelease) {
            on_mouse_(static_cast<QMouseEvent*>(event), event->type() == QEvent::MouseButtonPress);
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    std::function<void(QMouseEvent*, bool)> on_mouse_;
};

// Tells of every resize of a widget.
class ResizeFilter : public QObject {
  public:
    ResizeFilter(QObject* parent, std::function<void()> on_resize)
        : QObject(parent), on_resize_(std::move(on_resize)) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Resize) on_resize_();
        return QObject::eventFilter(watched, event);
    }

  private:
    std::function<void()> on_resize_;
};

}  // namespace rvm46::app::detail
