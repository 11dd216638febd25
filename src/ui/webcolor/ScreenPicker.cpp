#include "ui/webcolor/ScreenPicker.h"

#include <QCursor>
#include <QGuiApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QWidget>

namespace fotoplex {

namespace {

constexpr int kSampleIntervalMs = 10;

// Wayland gives programs no access to other windows' pixels; the offscreen and minimal
// platforms have no real screen to read.
bool platformForbidsScreenReading() {
    const QString platform = QGuiApplication::platformName();
    return platform.startsWith(QLatin1String("wayland")) ||
           platform == QLatin1String("offscreen") || platform == QLatin1String("minimal");
}

QCursor pipetteCursor() {
    QPixmap pixmap(24, 24);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::white, 4, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(2, 21, 15, 8);
    painter.setPen(QPen(Qt::black, 2, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(2, 21, 15, 8);
    painter.setBrush(Qt::black);
    painter.drawEllipse(QPoint(18, 5), 4, 4);
    painter.end();
    return QCursor(pixmap, 1, 22);
}

QString refusalMessage() {
    return QStringLiteral("Colours cannot be read from the screen on this display (%1). "
                          "Pick a cell or use Custom instead.")
        .arg(QGuiApplication::platformName());
}

} // namespace

std::optional<WebRgb> sampleScreenPixel(QPoint globalPosition) {
    if (platformForbidsScreenReading()) {
        return std::nullopt;
    }
    QScreen* screen = QGuiApplication::screenAt(globalPosition);
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    if (screen == nullptr) {
        return std::nullopt;
    }
    const QPoint local = globalPosition - screen->geometry().topLeft();
    const QImage pixel = screen->grabWindow(0, local.x(), local.y(), 1, 1).toImage();
    if (pixel.isNull()) {
        return std::nullopt;
    }
    return static_cast<WebRgb>(pixel.pixel(0, 0) & 0xFFFFFF);
}

ScreenPicker::ScreenPicker(QWidget* captureWidget)
    : QObject(captureWidget), capture_(captureWidget) {
    timer_.setInterval(kSampleIntervalMs);
    connect(&timer_, &QTimer::timeout, this, [this] {
        if (!sampleAt(QCursor::pos())) {
            stop();
            emit failed(refusalMessage());
        }
    });
}

void ScreenPicker::start() {
    if (isPicking()) {
        return;
    }
    if (!sampleAt(QCursor::pos())) {
        emit failed(refusalMessage());
        return;
    }
    capture_->installEventFilter(this);
    capture_->grabMouse(pipetteCursor());
    timer_.start();
}

void ScreenPicker::stop() {
    if (!isPicking()) {
        return;
    }
    timer_.stop();
    capture_->releaseMouse();
    capture_->removeEventFilter(this);
}

bool ScreenPicker::sampleAt(QPoint globalPosition) {
    const std::optional<WebRgb> color = sampler_(globalPosition);
    if (!color) {
        return false;
    }
    emit colorPicked(*color);
    return true;
}

// The click that ends picking is swallowed, so it presses nothing under the pointer.
bool ScreenPicker::eventFilter(QObject* watched, QEvent* event) {
    if (watched != capture_ || !isPicking()) {
        return false;
    }
    if (event->type() == QEvent::MouseButtonPress) {
        const auto* press = static_cast<QMouseEvent*>(event);
        const QPoint where = press->globalPosition().toPoint();
        stop();
        sampleAt(where);
        emit finished();
        return true;
    }
    return event->type() == QEvent::MouseButtonRelease ||
           event->type() == QEvent::MouseButtonDblClick;
}

} // namespace fotoplex
