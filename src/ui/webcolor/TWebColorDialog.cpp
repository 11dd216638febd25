#include "ui/webcolor/TWebColorDialog.h"

#include "ui/webcolor/TWebColorForm.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace fotoplex {

TWebColorDialog::TWebColorDialog(QWidget* owner) : QObject(owner), owner_(owner) {}

TWebColorDialog::~TWebColorDialog() {
    // The window belongs to the owner widget; a dialog that goes first takes it along.
    delete form_.data();
}

void TWebColorDialog::setCaption(const QString& caption) {
    caption_ = caption;
    if (form_) {
        form_->setWindowTitle(caption);
    }
}

void TWebColorDialog::setColorScheme(ColorScheme scheme) {
    scheme_ = scheme;
    if (form_) {
        form_->setScheme(scheme);
    }
}

void TWebColorDialog::setCustomColorPicker(CustomColorPicker picker) {
    customPicker_ = std::move(picker);
    if (form_) {
        form_->setCustomColorPicker(customPicker_);
    }
}

void TWebColorDialog::setScreenSampler(ScreenSampler sampler) {
    sampler_ = std::move(sampler);
    if (form_) {
        form_->screenPicker().setSampler(sampler_);
    }
}

TWebColorForm* TWebColorDialog::form() const {
    return form_.data();
}

bool TWebColorDialog::isOpen() const {
    return form_ && form_->isVisible();
}

TWebColorForm& TWebColorDialog::ensureForm() {
    if (form_) {
        return *form_;
    }
    form_ = new TWebColorForm(owner_);
    form_->setCustomColorPicker(customPicker_);
    form_->screenPicker().setSampler(sampler_);
    connect(form_, &TWebColorForm::applied, this, [this](WebRgb color) {
        color_ = color;
        if (OnApply) {
            OnApply();
        }
    });
    connect(form_, &TWebColorForm::schemeChosen, this,
            [this](ColorScheme scheme) { scheme_ = scheme; });
    connect(form_, &QDialog::finished, this, [this](int result) {
        const bool accepted = result == QDialog::Accepted;
        if (accepted) {
            color_ = form_->newColor();
        }
        // Taken out first: the callback may open the dialog again.
        std::function<void(bool)> finished = std::move(finished_);
        finished_ = nullptr;
        if (finished) {
            finished(accepted);
        }
    });
    return *form_;
}

// Before the first showing the window's frame is unknown; it is taken to be as wide as the
// owner's.
void TWebColorDialog::placeOnOwner() {
    QRect area;
    QSize frameSize = form_->size();
    if (owner_) {
        QWidget* window = owner_->window();
        area = window->frameGeometry();
        if (form_->frameGeometry().size() == form_->size()) {
            frameSize += window->frameGeometry().size() - window->geometry().size();
        } else {
            frameSize = form_->frameGeometry().size();
        }
    } else if (QScreen* screen = QGuiApplication::primaryScreen()) {
        area = screen->availableGeometry();
    }
    if (area.isValid()) {
        QRect frame(QPoint(), frameSize);
        frame.moveCenter(area.center());
        form_->move(frame.topLeft());
    }
}

void TWebColorDialog::Open(std::function<void(bool accepted)> finished) {
    if (isOpen()) {
        return;
    }
    TWebColorForm& form = ensureForm();
    finished_ = std::move(finished);
    form.setWindowTitle(caption_);
    form.prepare(color_, scheme_);
    placeOnOwner();
    form.open();
}

bool TWebColorDialog::Execute() {
    if (isOpen()) {
        return false;
    }
    QEventLoop loop;
    bool accepted = false;
    Open([&](bool result) {
        accepted = result;
        loop.quit();
    });
    // An owner destroyed meanwhile takes the window along without a result.
    connect(form_, &QObject::destroyed, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::DialogExec);
    return accepted;
}

} // namespace fotoplex
