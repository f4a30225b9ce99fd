// Drawn stand-ins for toolbar icons, and the program icon.
#include "app/icons.h"

#include <QFontDatabase>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace rvm46::app {

namespace {

constexpr int kSize = 24;

void Arrow(QPainter& p, bool down, const QColor& color) {
    QPainterPath path;
    const double x = 12, top = down ? 4 : 20, bottom = down ? 20 : 4, dir = down ? -1 : 1;
    path.moveTo(x - 3, top);
    path.lineTo(x + 3, top);
    path.lineTo(x + 3, bottom + dir * 7);
    path.lineTo(x + 7, bottom + dir * 7);
    path.lineTo(x, bottom);
    path.lineTo(x - 7, bottom + dir * 7);
    path.lineTo(x - 3, bottom + dir * 7);
    path.closeSubpath();
    p.fillPath(path, color);
}

void Page(QPainter& p) {
    p.setPen(QPen(QColor(80, 80, 80), 1));
    p.setBrush(Qt::white);
    p.drawRect(5, 2, 14, 19);
}

QPixmap Draw(const std::string& name) {
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    if (name == "document-new") {
        Page(p);
        p.setPen(QPen(QColor(0, 140, 0), 2));
        p.drawLine(12, 8, 12, 16);
        p.drawLine(8, 12, 16, 12);
    } else if (name == "document-open") {
        p.setPen(QPen(QColor(150, 110, 20), 1));
        p.setBrush(QColor(240, 200, 90));
        p.drawRect(2, 6, 20, 14);
        p.drawRect(2, 4, 8, 3);
    } else if (name == "document-save") {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(40, 80, 160));
        p.drawRoundedRect(3, 3, 18, 18, 2, 2);
        p.setBrush(Qt::white);
        p.drawRect(7, 4, 10, 7);
        p.setBrush(QColor(200, 200, 200));
        p.drawRect(8, 14, 8, 6);
    } else if (name == "radio-read") {
        Arrow(p, true, QColor(0, 120, 200));
    } else if (name == "radio-write") {
        Arrow(p, false, QColor(200, 80, 0));
    } else if (name == "serial-port") {
        p.setPen(QPen(QColor(60, 60, 60), 1.5));
        p.setBrush(QColor(190, 190, 200));
        QPolygonF shell;
        shell << QPointF(2, 7) << QPointF(22, 7) << QPointF(19, 17) << QPointF(5, 17);
        p.drawPolygon(shell);
        p.setBrush(QColor(60, 60, 60));
        for (int i = 0; i < 5; ++i) p.drawEllipse(QPointF(6 + i * 3, 10), 0.8, 0.8);
        for (int i = 0; i < 4; ++i) p.drawEllipse(QPointF(7.5 + i * 3, 14), 0.8, 0.8);
    } else if (name == "help-contents") {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(30, 110, 200));
        p.drawEllipse(2, 2, 20, 20);
        p.setPen(Qt::white);
        // The desktop's own font, whatever font the interface texts use.
        QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
        font.setBold(true);
        font.setPixelSize(15);
        p.setFont(font);
        p.drawText(QRect(2, 2, 20, 20), Qt::AlignCenter, "?");
    } else if (name == "application-exit") {
        p.setPen(QPen(QColor(190, 30, 30), 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(6, 6, 18, 18);
        p.drawLine(18, 6, 6, 18);
    } else {
        p.setPen(QPen(QColor(90, 90, 90), 1));
        p.setBrush(QColor(220, 220, 220));
        p.drawRoundedRect(3, 3, 18, 18, 3, 3);
    }
    return pixmap;
}

}  // namespace

QIcon ToolbarIcon(const std::string& name) {
    QIcon fallback(Draw(name));
    // Without a desktop's icon theme Qt falls back to "hicolor", which holds the icons of
    // applications only: reading its index (a few milliseconds) would find none of these.
    if (name.empty() || QIcon::themeName() == QLatin1String("hicolor")) return fallback;
    return QIcon::fromTheme(QString::fromStdString(name), fallback);
}

QIcon ApplicationIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(size / 64.0, size / 64.0);
        // Antenna, body, display and keypad of a hand-held radio.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(40, 40, 40));
        p.drawRoundedRect(38, 2, 6, 20, 3, 3);
        p.setBrush(QColor(30, 70, 120));
        p.drawRoundedRect(16, 16, 32, 46, 6, 6);
        p.setBrush(QColor(150, 220, 160));
        p.drawRect(21, 22, 22, 12);
        p.setBrush(QColor(220, 220, 220));
        for (int row = 0; row < 3; ++row) {
            for (int col = 0; col < 3; ++col) p.drawRect(21 + col * 8, 39 + row * 7, 6, 5);
        }
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

QIcon PictureIcon(const std::string& name) {
    if (name.empty()) return {};
    if (name == "rvm46-programmer") return ApplicationIcon();
    return QIcon::fromTheme(QString::fromStdString(name));
}

}  // namespace rvm46::app
