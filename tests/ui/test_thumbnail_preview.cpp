// The Thumbnails page's preview of the embedded sample photograph: what redraws it, what
// does not, and that every redraw starts from the unscaled sample.
#include "project/TProject.h"
#include "support/ScriptedDialogs.h"
#include "ui/MainForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using namespace fotoplex;
using fotoplex::testing::ScriptedDialogs;

class ThumbnailPreviewTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    ScriptedDialogs dialogs_;
    std::unique_ptr<TMainForm> form_;

    template <typename T> T* child(const char* name) { return form_->findChild<T*>(name); }
    QLabel* image() { return child<QLabel>("ThumbPreviewImage"); }
    QImage shown() { return image()->pixmap().toImage(); }
    QSpinBox* widthEdit() { return child<QSpinBox>("ThumbWidthSpinEdit"); }
    QSpinBox* heightEdit() { return child<QSpinBox>("ThumbHeightSpinEdit"); }
    void setWidth(int width) { widthEdit()->setValue(width); }
    void tick() { child<QCheckBox>("tnPreview")->setChecked(true); }

private slots:
    void init() {
        dialogs_.reset();
        MainFormOptions options;
        options.dialogs = &dialogs_;
        options.lastProjectPath = dir_.filePath("last.hgp").toStdString();
        form_ = std::make_unique<TMainForm>(options);
    }

    void cleanup() { form_.reset(); }

    void startsHiddenWithTheSampleAtTheStartSettings() {
        QVERIFY(image()->isHidden());
        QVERIFY(!child<QCheckBox>("tnPreview")->isChecked());
        QCOMPARE(shown().size(), QSize(120, 90));
        QCOMPARE(child<QWidget>("ThumbPreviewBox")->size(), QSize(300, 300));
        QCOMPARE(child<QLabel>("ThumbSourceLabel")->text(),
                 QString("Source Image: 640x480 pixels"));
        QCOMPARE(dialogs_.asked.size(), std::size_t(0));
    }

    void tickingShowsWithoutRedrawingAndUntickingHides() {
        const QImage before = shown();
        tick();
        QVERIFY(!image()->isHidden());
        QCOMPARE(shown(), before);
        child<QCheckBox>("tnPreview")->setChecked(false);
        QVERIFY(image()->isHidden());
    }

    void nearestFilterShowsOnlyAtTheNextRedraw() {
        tick();
        setWidth(200);
        const QImage smooth = shown();
        QCOMPARE(smooth.size(), QSize(200, 150));
        form_->programState().thumbsBuilt = true;
        child<QComboBox>("ThumbResizeMethod")->setCurrentText("Nearest");
        QCOMPARE(form_->project().ThumbResizeMethod, 7);
        QVERIFY(!form_->programState().thumbsBuilt);
        QCOMPARE(shown(), smooth);
        // The next change of the size draws with the new filter.
        setWidth(205);
        setWidth(200);
        QCOMPARE(shown().size(), QSize(200, 150));
        QVERIFY(shown() != smooth);
    }

    void everyRedrawStartsFromTheUnscaledSample() {
        tick();
        setWidth(300);
        const QImage first = shown();
        QCOMPARE(first.size(), QSize(300, 225));
        setWidth(20);
        QCOMPARE(shown().size(), QSize(20, 15));
        setWidth(300);
        QCOMPARE(shown(), first);
    }

    void aspectBoxRedrawsAndTheLandscapeWidthGoverns() {
        tick();
        setWidth(200);
        child<QCheckBox>("KeepThumbAspectChk")->setChecked(false);
        QCOMPARE(shown().size(), QSize(200, 120));
        heightEdit()->setValue(200);
        QCOMPARE(shown().size(), QSize(200, 200));
        child<QCheckBox>("KeepThumbAspectChk")->setChecked(true);
        QCOMPARE(shown().size(), QSize(200, 150));
        QCOMPARE(image()->geometry(), QRect(50, 75, 200, 150));
    }

    void emptiedWidthCountsAsTwenty() {
        tick();
        widthEdit()->findChild<QLineEdit*>()->clear();
        QCOMPARE(shown().size(), QSize(20, 15));
        QCOMPARE(dialogs_.asked.size(), std::size_t(0));
    }

    void sizeChangesWhileUntickedAppearOnlyAfterTheNextRedraw() {
        setWidth(200);
        tick();
        QCOMPARE(shown().size(), QSize(120, 90));
        heightEdit()->setValue(125);
        QCOMPARE(shown().size(), QSize(200, 150));
    }
};

QTEST_MAIN(ThumbnailPreviewTest)
#include "test_thumbnail_preview.moc"
