#include "app/paint_probe.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace rvm46::app {

namespace {

class PaintProbe : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !fired_) {
            fired_ = true;
            // After this paint has gone to the screen.
            QWidget* window = qobject_cast<QWidget*>(watched);
            const int width = window ? window->width() : 0, height = window ? window->height() : 0;
            QTimer::singleShot(0, [width, height] {
                const auto now = std::chrono::system_clock::now().time_since_epoch();
                std::printf("shown %lld %dx%d\n",
                            static_cast<long long>(
                                std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()),
                            width, height);
                std::fflush(stdout);
                std::_Exit(0);
            });
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    bool fired_ = false;
};

}  // namespace

void ExitWhenPainted(QWidget* window) {
    window->installEventFilter(new PaintProbe(window));
}

}  // namespace rvm46::app
