#pragma once

#include "ui/webcolor/WebPalette.h"

#include <QObject>
#include <QPoint>
#include <QTimer>
#include <functional>
#include <optional>

class QWidget;

namespace fotoplex {

// Reads the colour of the screen pixel at a global position; empty when the screen cannot be
// read here.
using ScreenSampler = std::function<std::optional<WebRgb>(QPoint globalPosition)>;

// The platform's own screen reading: works where the windowing system lets a program read the
// desktop (X11, Windows); refuses on Wayland and on displays without a screen.
std::optional<WebRgb> sampleScreenPixel(QPoint globalPosition);

// The pipette: while picking, the pointer is a pipette and every 10 milliseconds the pixel under
// it becomes the picked colour, until the user clicks anywhere.
class ScreenPicker : public QObject {
    Q_OBJECT

public:
    // `captureWidget` holds the mouse while picking and must outlive the picker.
    explicit ScreenPicker(QWidget* captureWidget);

    void setSampler(ScreenSampler sampler) { sampler_ = std::move(sampler); }
    bool isPicking() const { return timer_.isActive(); }

    // Starts picking; emits failed() instead when the screen cannot be read.
    void start();
    void stop();

signals:
    void colorPicked(fotoplex::WebRgb color);
    void finished();
    void failed(const QString& message);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool sampleAt(QPoint globalPosition);

    QWidget* capture_;
    QTimer timer_;
    ScreenSampler sampler_ = sampleScreenPixel;
};

} // namespace fotoplex
