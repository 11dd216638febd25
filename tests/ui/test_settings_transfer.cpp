// The traffic between the settings controls and the project: stores, staleness, enabling,
// showing a project, the target-folder button and check.
#include "base/Error.h"
#include "project/TProject.h"
#include "support/ScriptedDialogs.h"
#include "ui/ClickableWidgets.h"
#include "ui/MainForm.h"
#include "ui/webcolor/TWebColorDialog.h"
#include "ui/webcolor/TWebColorForm.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <memory>

using namespace fotoplex;
using fotoplex::testing::ScriptedDialogs;

namespace {

// Keeps the process's current folder across a test that moves it.
struct CurrentFolderGuard {
    QString saved = QDir::currentPath();
    ~CurrentFolderGuard() { QDir::setCurrent(saved); }
};

} // namespace

class SettingsTransferTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    ScriptedDialogs dialogs_;
    std::unique_ptr<TMainForm> form_;

    template <typename T> T* child(const char* name) {
        T* found = form_->findChild<T*>(name);
        if (!found) {
            qWarning("missing control %s", name);
        }
        return found;
    }

    TProject& project() { return form_->project(); }
    ProgramState& state() { return form_->programState(); }

    // Both flags set and the project clean, as after a completed build and a save.
    void built() {
        state().imagesBuilt = true;
        state().thumbsBuilt = true;
        project().Modified = false;
        form_->ShowTitle();
    }

    void typeInto(QLineEdit* edit, const QString& text) {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }

    void typeInto(QSpinBox* spin, const QString& text) {
        spin->setFocus();
        spin->selectAll();
        QTest::keyClicks(spin, text);
    }

private slots:
    void init() {
        dialogs_.reset();
        MainFormOptions options;
        options.dialogs = &dialogs_;
        options.lastProjectPath = dir_.filePath("last.hgp").toStdString();
        form_ = std::make_unique<TMainForm>(options);
    }

    void cleanup() { form_.reset(); }

    void controlsShowTheProjectDefaults() {
        QCOMPARE(child<QSpinBox>("TableCols")->value(), 4);
        QCOMPARE(child<QSpinBox>("TableWidthPx")->value(), 500);
        QCOMPARE(child<QLineEdit>("JumpToEdit")->text(), QString("Jump"));
        QCOMPARE(child<QLineEdit>("TargetDirEdit")->text(),
                 QString::fromStdString(project().TargetDir.str()));
        QCOMPARE(panelColor(child<QWidget>("TableHeaderPanel")), QColor("#CCCCCC"));
        QCOMPARE(fontColor(child<QWidget>("LinkLabel")), QColor("#3333FF"));
        QCOMPARE(fontColor(child<QWidget>("ActiveLinkLabel")), QColor("#003399"));
        QCOMPARE(child<QComboBox>("EncodingList")->currentText(), QString("Western (Latin)"));
        QCOMPARE(child<QComboBox>("ImgResizeMethod")->currentText(), QString("Lanczos3"));
        QCOMPARE(child<QComboBox>("LinksTarget")->currentText(), QString("_self"));
        QCOMPARE(child<QComboBox>("TopTitleSize")->currentText(), QString("Heading 2"));
        QCOMPARE(child<QComboBox>("BottomTitleSize")->currentText(), QString("Heading 6"));
        QVERIFY(!project().Modified);
        QVERIFY(dialogs_.asked.empty());
    }

    void rangesStepsAndLengths_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("minimum");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<int>("step");
        const std::tuple<const char*, int, int, int> rows[] = {{"ImgWidthSpinEdit", 20, 4000, 10},
                                                               {"ImgHeightSpinEdit", 20, 4000, 10},
                                                               {"JPEGQualitySpinEdit", 10, 100, 1},
                                                               {"ThumbWidthSpinEdit", 20, 300, 5},
                                                               {"ThumbHeightSpinEdit", 20, 300, 5},
                                                               {"ThumbQualitySpinEdit", 10, 100, 1},
                                                               {"TableWidthPx", 100, 2600, 10},
                                                               {"TableWidthPer", 10, 100, 5},
                                                               {"TableBorder", 0, 99, 1},
                                                               {"TableCols", 1, 99, 1},
                                                               {"TableRows", 1, 99, 1},
                                                               {"CellSpacing", 0, 99, 1},
                                                               {"CellPadding", 0, 99, 1},
                                                               {"NavFontSize", 6, 72, 1},
                                                               {"MarginLeft", 0, 99, 1},
                                                               {"MarginRight", 0, 99, 1},
                                                               {"MarginTop", 0, 99, 1},
                                                               {"MarginBottom", 0, 99, 1}};
        for (const auto& [name, minimum, maximum, step] : rows) {
            QTest::newRow(name) << name << minimum << maximum << step;
        }
    }

    void rangesStepsAndLengths() {
        QFETCH(QString, name);
        QFETCH(int, minimum);
        QFETCH(int, maximum);
        QFETCH(int, step);
        auto* spin = form_->findChild<QSpinBox*>(name);
        QVERIFY(spin);
        QCOMPARE(spin->minimum(), minimum);
        QCOMPARE(spin->maximum(), maximum);
        QCOMPARE(spin->singleStep(), step);
    }

    void editLengths() {
        QCOMPARE(child<QLineEdit>("ThumbPrefix")->maxLength(), 10);
        QCOMPARE(child<QLineEdit>("ThumbSuffix")->maxLength(), 10);
        QCOMPARE(child<QLineEdit>("DocTitle")->maxLength(), 255);
        for (const char* word :
             {"PageEdit", "GalleryEdit", "PreviousEdit", "NextEdit", "OfEdit", "JumpToEdit"}) {
            QCOMPARE(child<QLineEdit>(word)->maxLength(), 40);
        }
        QVERIFY(child<QLineEdit>("BackgroundImage")->isReadOnly());
        QCOMPARE(child<QComboBox>("EncodingList")->maxVisibleItems(), 14);
        QCOMPARE(child<QComboBox>("EncodingList")->count(), 20);
        QCOMPARE(child<QComboBox>("FontFamilyList")->count(), 6);
    }

    void imageSettingsClearBothFlags_data() {
        QTest::addColumn<QString>("control");
        for (const char* name :
             {"ImageFolder", "ImgWidthSpinEdit", "ImgHeightSpinEdit", "KeepImgAspectChk",
              "JPEGQualitySpinEdit", "ImgResizeMethod", "ProgressiveImg"}) {
            QTest::newRow(name) << name;
        }
    }

    void imageSettingsClearBothFlags() {
        QFETCH(QString, control);
        child<QCheckBox>("ResizeImgChk")->setChecked(true);
        built();
        QObject* widget = form_->findChild<QObject*>(control);
        if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
            edit->setText("pictures/");
        } else if (auto* spin = qobject_cast<QSpinBox*>(widget)) {
            spin->setValue(spin->value() + spin->singleStep());
        } else if (auto* box = qobject_cast<QCheckBox*>(widget)) {
            box->toggle();
        } else if (auto* list = qobject_cast<QComboBox*>(widget)) {
            list->setCurrentIndex(7);
        }
        QVERIFY(!state().imagesBuilt);
        QVERIFY(!state().thumbsBuilt);
        QVERIFY(project().Modified);
    }

    void thumbnailSettingsClearOnlyThumbsBuilt_data() {
        QTest::addColumn<QString>("control");
        for (const char* name : {"ThumbFolder", "ThumbPrefix", "ThumbSuffix", "ThumbWidthSpinEdit",
                                 "ThumbHeightSpinEdit", "KeepThumbAspectChk",
                                 "ThumbQualitySpinEdit", "ThumbResizeMethod", "ProgressiveThumb"}) {
            QTest::newRow(name) << name;
        }
    }

    void thumbnailSettingsClearOnlyThumbsBuilt() {
        QFETCH(QString, control);
        built();
        QObject* widget = form_->findChild<QObject*>(control);
        if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
            edit->setText("sm_");
        } else if (auto* spin = qobject_cast<QSpinBox*>(widget)) {
            spin->setValue(spin->value() + spin->singleStep());
        } else if (auto* box = qobject_cast<QCheckBox*>(widget)) {
            box->toggle();
        } else if (auto* list = qobject_cast<QComboBox*>(widget)) {
            list->setCurrentIndex(7);
        }
        QVERIFY(state().imagesBuilt);
        QVERIFY(!state().thumbsBuilt);
        QVERIFY(project().Modified);
    }

    void otherSettingsClearNeither() {
        built();
        child<QCheckBox>("ConvertLow")->toggle();
        QCOMPARE(project().ConvertLow, false);
        child<QLineEdit>("TargetDirEdit")->setText("/srv/gallery");
        child<QSpinBox>("TableBorder")->setValue(3);
        child<QCheckBox>("JumpMenu")->toggle();
        child<QComboBox>("EncodingList")->setCurrentIndex(19);
        child<QRadioButton>("OverwriteImgSkip")->setChecked(true);
        child<QCheckBox>("ShowWhenReady")->toggle();
        QVERIFY(state().imagesBuilt);
        QVERIFY(state().thumbsBuilt);
        QVERIFY(project().Modified);
        QCOMPARE(project().TargetDir, Text("/srv/gallery"));
        QCOMPARE(project().TableBorder, 3);
        QCOMPARE(project().JumpMenu, true);
        QCOMPARE(project().Encoding, 19);
        QCOMPARE(project().OverwriteMode, 2);
        QCOMPARE(project().ShowWhenReady, true);
    }

    void resizeBoxClearsImagesBuiltOnlyAndEnablesTheSize() {
        auto* resize = child<QCheckBox>("ResizeImgChk");
        auto* width = child<QSpinBox>("ImgWidthSpinEdit");
        auto* height = child<QSpinBox>("ImgHeightSpinEdit");
        auto* keep = child<QCheckBox>("KeepImgAspectChk");
        QVERIFY(!width->isEnabled() && !height->isEnabled() && !keep->isEnabled());
        built();
        resize->setChecked(true);
        QVERIFY(!state().imagesBuilt);
        QVERIFY(state().thumbsBuilt);
        QVERIFY(project().Modified);
        QVERIFY(project().ResizeImages);
        QVERIFY(width->isEnabled() && height->isEnabled() && keep->isEnabled());
        resize->setChecked(false);
        QVERIFY(!width->isEnabled());
    }

    void typingZeroColumnsStoresNothing() {
        built();
        auto* cols = child<QSpinBox>("TableCols");
        typeInto(cols, "0");
        QCOMPARE(cols->cleanText(), QString("0"));
        QCOMPARE(project().TableCols, 4);
        QCOMPARE(project().TableRows, 3);
        QVERIFY(!project().Modified);
        QCOMPARE(child<QLabel>("PageCountPanel")->text(),
                 QString("Error: All values MUST be positive"));
        typeInto(cols, "6");
        QCOMPARE(project().TableCols, 6);
        QCOMPARE(project().TableRows, 3);
        QVERIFY(project().Modified);
    }

    void pageCountFollowsColumnsAndRows() {
        project().Files = {"/a/1.jpg", "/a/2.jpg", "/a/3.jpg", "/a/4.jpg", "/a/5.jpg"};
        child<QSpinBox>("TableCols")->setValue(2);
        child<QSpinBox>("TableRows")->setValue(1);
        QCOMPARE(child<QLabel>("PageCountPanel")->text(), QString("Items: 5   Pages: 3"));
        QCOMPARE(state().pageCount, 3);
    }

    void unchangedValueStoresNothing() {
        built();
        auto* prefix = child<QLineEdit>("ThumbPrefix");
        prefix->setText("tn_");
        child<QSpinBox>("ImgWidthSpinEdit")->setValue(640);
        child<QComboBox>("ThumbResizeMethod")->setCurrentIndex(5);
        QVERIFY(!project().Modified);
        QVERIFY(state().imagesBuilt && state().thumbsBuilt);
        // A spin edit's text that reads as the same number is the same value.
        typeInto(child<QSpinBox>("MarginTop"), "0");
        QVERIFY(!project().Modified);
    }

    void textFieldsFollowEachKeystroke() {
        auto* next = child<QLineEdit>("NextEdit");
        typeInto(next, "Weiter");
        QCOMPARE(project().NextText, Text("Weiter"));
        QVERIFY(project().Modified);
        typeInto(child<QLineEdit>("DocTitle"), "Holiday");
        QCOMPARE(project().DocTitle, Text("Holiday"));
        child<QLineEdit>("OfEdit")->setText("von");
        QCOMPARE(project().OfText, Text("von"));
        QCOMPARE(project().NextText, Text("Weiter"));
    }

    void longTextsAreCutTo255() {
        const QString long300(300, QChar('x'));
        child<QLineEdit>("TopTitle")->setText(long300);
        QCOMPARE(project().TopTitle.size(), std::size_t(255));
    }

    void tableWidthChoiceStoresBothFlags() {
        child<QCheckBox>("TableAutoWidth")->setChecked(false);
        child<QRadioButton>("PercentsRadio")->setChecked(true);
        QCOMPARE(project().TableWidthInPixels, false);
        QCOMPARE(project().TableWidthInPercents, true);
        child<QRadioButton>("PixelsRadio")->setChecked(true);
        QCOMPARE(project().TableWidthInPixels, true);
        QCOMPARE(project().TableWidthInPercents, false);
    }

    void autoWidthEnablesTheFixedWidthControls() {
        auto* autoWidth = child<QCheckBox>("TableAutoWidth");
        const char* dependent[] = {"PixelsRadio", "PercentsRadio", "TableWidthPx", "TableWidthPer"};
        for (const char* name : dependent) {
            QVERIFY(!child<QWidget>(name)->isEnabled());
        }
        autoWidth->setChecked(false);
        QCOMPARE(project().TableAutoWidth, false);
        for (const char* name : dependent) {
            QVERIFY(child<QWidget>(name)->isEnabled());
        }
    }

    void showProjectWithFixedWidthEnablesTheWidthControls() {
        TProject& p = project();
        p.TableAutoWidth = false;
        p.ResizeImages = true;
        form_->ShowProject();
        for (const char* name : {"PixelsRadio", "PercentsRadio", "TableWidthPx", "TableWidthPer",
                                 "ImgWidthSpinEdit", "ImgHeightSpinEdit", "KeepImgAspectChk"}) {
            QVERIFY2(child<QWidget>(name)->isEnabled(), name);
        }
        QVERIFY(!p.Modified);
    }

    void pictureMetadataListsStoreAtOnceAndMarkTheirPicturesStale() {
        auto* images = child<QComboBox>("ImageMetadataList");
        auto* thumbs = child<QComboBox>("ThumbMetadataList");
        QCOMPARE(images->currentText(), QString("Keep everything"));
        QCOMPARE(thumbs->count(), 3);
        QCOMPARE(child<QGroupBox>("PictureMetadataGroup")->title(), QString("Picture metadata"));

        built();
        thumbs->setCurrentIndex(2);
        QCOMPARE(project().ThumbMetadata, MetadataChoice::Profile);
        QVERIFY(state().imagesBuilt);
        QVERIFY(!state().thumbsBuilt);
        QVERIFY(project().Modified);

        built();
        images->setCurrentIndex(1);
        QCOMPARE(project().ImageMetadata, MetadataChoice::NoLocation);
        QVERIFY(!state().imagesBuilt);
        QVERIFY(!state().thumbsBuilt);
        QVERIFY(project().Modified);

        // Shown from a project: nothing stored, nothing marked.
        built();
        project().ImageMetadata = MetadataChoice::Profile;
        project().ThumbMetadata = MetadataChoice::All;
        form_->ShowProject();
        QCOMPARE(images->currentIndex(), 2);
        QCOMPARE(thumbs->currentIndex(), 0);
        QVERIFY(!project().Modified);
        QVERIFY(state().imagesBuilt && state().thumbsBuilt);
    }

    void pageStyleStoresAtOnceAndMarksThePicturesStale() {
        auto* style = child<QComboBox>("PageStyleList");
        QCOMPARE(style->currentIndex(), 0);
        QCOMPARE(style->count(), 2);
        QCOMPARE(child<QLineEdit>("PageLanguageEdit")->text(), QString("en"));

        built();
        style->setCurrentIndex(1);
        QCOMPARE(project().PageStyle, Text("modern"));
        QVERIFY(!state().imagesBuilt);
        QVERIFY(!state().thumbsBuilt);
        QVERIFY(project().Modified);

        built();
        typeInto(child<QLineEdit>("PageLanguageEdit"), "de-CH");
        typeInto(child<QLineEdit>("SiteAddressEdit"), "https://example.org/");
        QCOMPARE(project().PageLanguage, Text("de-CH"));
        QCOMPARE(project().SiteAddress, Text("https://example.org/"));
        QVERIFY2(state().imagesBuilt && state().thumbsBuilt, "the pages' words shape no picture");
        QVERIFY(project().Modified);

        // Shown from a project: nothing stored, nothing marked; a style this version does not
        // know shows as classic and stays as written.
        built();
        project().PageStyle = "cinema";
        project().PageLanguage = "fr";
        form_->ShowProject();
        QCOMPARE(style->currentIndex(), 0);
        QCOMPARE(child<QLineEdit>("PageLanguageEdit")->text(), QString("fr"));
        QCOMPARE(project().PageStyle, Text("cinema"));
        QVERIFY(!project().Modified);
        QVERIFY(state().imagesBuilt && state().thumbsBuilt);
    }

    void showProjectStoresAndMarksNothing() {
        built();
        TProject& p = project();
        p.ImgWidth = 5000; // beyond the control's range
        p.ThumbWidth = 5;  // below it
        p.TableCols = 7;
        p.Alignment = 9; // no such item
        p.Encoding = 3;
        p.LinkColor = "#ff0000";
        p.NextText = "Vor";
        p.GalleryText = "\xDC" "bersicht \x80"; // Windows-1252, from a Windows project
        p.PageText = "Seite \xC3\xA4";          // UTF-8
        p.Files = {"/photos/Beach.JPG", "/photos/b/dune.png"};
        form_->ShowProject();
        QCOMPARE(child<QSpinBox>("ImgWidthSpinEdit")->value(), 4000);
        QCOMPARE(child<QSpinBox>("ThumbWidthSpinEdit")->value(), 20);
        QCOMPARE(child<QSpinBox>("TableCols")->value(), 7);
        QCOMPARE(child<QComboBox>("EncodingList")->currentIndex(), 3);
        QCOMPARE(child<QButtonGroup>("AlignmentButtons")->checkedId(), -1);
        QCOMPARE(fontColor(child<QWidget>("LinkLabel")), QColor(255, 0, 0));
        QCOMPARE(child<QLineEdit>("NextEdit")->text(), QString("Vor"));
        QCOMPARE(child<QLineEdit>("GalleryEdit")->text(), QString::fromUtf8("\u00DCbersicht \u20AC"));
        QCOMPARE(child<QLineEdit>("PageEdit")->text(), QString::fromUtf8("Seite \u00E4"));
        QCOMPARE(p.GalleryText, Text("\xDC" "bersicht \x80")); // showing stores nothing
        auto* list = child<QListWidget>("FilesListBox");
        QCOMPARE(list->count(), 2);
        QCOMPARE(list->item(0)->text(), QString("Beach.JPG"));
        QCOMPARE(list->item(1)->text(), QString("dune.png"));
        QCOMPARE(p.ImgWidth, 5000);
        QCOMPARE(p.ThumbWidth, 5);
        QCOMPARE(p.Alignment, 9);
        QVERIFY(!p.Modified);
        QVERIFY(state().imagesBuilt && state().thumbsBuilt);
        QVERIFY(!form_->windowTitle().endsWith(" *"));
        // Changing the control afterwards stores what it shows.
        child<QSpinBox>("ImgWidthSpinEdit")->setValue(3990);
        QCOMPARE(p.ImgWidth, 3990);
    }

    void damagedColourRaisesTheConversionErrorAfterTheOtherFields() {
        project().BorderColor = "#GG0000";
        project().NextText = "Vor";
        std::string message;
        try {
            form_->ShowProject();
        } catch (const fotoplex::Error& error) {
            message = error.what();
        }
        QCOMPARE(message, std::string("'$GG' is not a valid integer value"));
        QCOMPARE(child<QLineEdit>("NextEdit")->text(), QString("Vor"));
        // The handlers are live again afterwards.
        child<QLineEdit>("NextEdit")->setText("Weiter");
        QCOMPARE(project().NextText, Text("Weiter"));
    }

    void colourSamplesOpenTheDialogWithTheirCaption() {
        const std::pair<const char*, const char*> samples[] = {
            {"BorderColorPanel", "Border Color"},
            {"TableHeaderPanel", "Table Header Back Color"},
            {"TableHeaderText", "Table Header Text Color"},
            {"BackLabel", "Background Color"},
            {"BackPanel", "Background Color"},
            {"VisitedLinkLabel", "Visited Link Color"},
            {"TextLabel", "Text Color"}};
        TWebColorDialog& dialog = form_->colorDialog();
        for (const auto& [name, caption] : samples) {
            QTest::mouseClick(child<QWidget>(name), Qt::LeftButton, {}, QPoint(3, 3));
            QVERIFY2(dialog.isOpen(), name);
            QCOMPARE(dialog.Caption(), QString(caption));
            dialog.form()->reject();
            QVERIFY(!dialog.isOpen());
        }
        QCOMPARE(child<QWidget>("HoverLabel")->cursor().shape(), Qt::PointingHandCursor);
        QVERIFY(!project().Modified);
    }

    void thumbnailPreviewFollowsTheSizeWhileTicked() {
        auto* image = child<QLabel>("ThumbPreviewImage");
        auto* preview = child<QCheckBox>("tnPreview");
        QVERIFY(image->isHidden());
        QCOMPARE(image->pixmap().size(), QSize(120, 90)); // the start-up settings
        // Changes while unticked are not drawn; ticking shows the last drawing.
        child<QSpinBox>("ThumbWidthSpinEdit")->setValue(200);
        preview->setChecked(true);
        QVERIFY(!image->isHidden());
        QCOMPARE(image->pixmap().size(), QSize(120, 90));
        child<QSpinBox>("ThumbWidthSpinEdit")->setValue(205);
        child<QSpinBox>("ThumbWidthSpinEdit")->setValue(200);
        QCOMPARE(image->pixmap().size(), QSize(200, 150));
        QCOMPARE(image->geometry(), QRect(50, 75, 200, 150)); // centred in its 300 x 300 box
        child<QCheckBox>("KeepThumbAspectChk")->setChecked(false);
        QCOMPARE(image->pixmap().size(), QSize(200, 120));
        // The landscape sample keeps its width governing, whatever the height asks.
        child<QCheckBox>("KeepThumbAspectChk")->setChecked(true);
        child<QSpinBox>("ThumbWidthSpinEdit")->setValue(100);
        child<QSpinBox>("ThumbHeightSpinEdit")->setValue(200);
        QCOMPARE(image->pixmap().size(), QSize(100, 75));
        preview->setChecked(false);
        QVERIFY(image->isHidden());
    }

    void chooseTargetFolderTakesThePickedFolder() {
        auto* edit = child<QLineEdit>("TargetDirEdit");
        edit->setText("/start/here");
        built();
        dialogs_.folders.push_back(std::string("/picked/folder"));
        child<QToolButton>("ChooseTargetDirBtn")->click();
        QCOMPARE(dialogs_.folderTitles.size(), std::size_t(1));
        QCOMPARE(dialogs_.folderTitles[0], std::string("Select destination folder: "));
        QCOMPARE(dialogs_.folderStarts[0], std::string("/start/here"));
        QCOMPARE(edit->text(), QString("/picked/folder"));
        QCOMPARE(project().TargetDir, Text("/picked/folder"));
        QVERIFY(project().Modified);
    }

    void choosingTheFolderAlreadyThereStillMarksTheProject() {
        auto* edit = child<QLineEdit>("TargetDirEdit");
        edit->setText("/start/here");
        built();
        dialogs_.folders.push_back(std::string("/start/here"));
        child<QToolButton>("ChooseTargetDirBtn")->click();
        QCOMPARE(project().TargetDir, Text("/start/here"));
        QVERIFY(project().Modified);
        QVERIFY(form_->windowTitle().endsWith(" *"));
        QVERIFY(state().imagesBuilt); // the folder is no image setting
    }

    void cancelledFolderChooserChangesNothing() {
        auto* edit = child<QLineEdit>("TargetDirEdit");
        edit->setText("/start/here");
        built();
        dialogs_.folders.push_back(std::nullopt);
        child<QToolButton>("ChooseTargetDirBtn")->click();
        QCOMPARE(edit->text(), QString("/start/here"));
        QVERIFY(!project().Modified);
    }

    void targetCheckTrimsAndAddsTheDelimiter() {
        CurrentFolderGuard guard;
        const QString folder = dir_.path();
        child<QLineEdit>("TargetDirEdit")->setText("  " + folder + "  ");
        built();
        QVERIFY(form_->CheckTargetDir());
        QCOMPARE(child<QLineEdit>("TargetDirEdit")->text(), folder + "/");
        QCOMPARE(project().TargetDir, Text((folder + "/").toStdString()));
        QVERIFY(project().Modified);
        QVERIFY(form_->windowTitle().endsWith(" *"));
        QCOMPARE(QDir::currentPath(), QDir(folder).canonicalPath());
        QVERIFY(dialogs_.asked.empty());
    }

    void blankTargetIsRefused() {
        CurrentFolderGuard guard;
        const QString before = QDir::currentPath();
        child<QLineEdit>("TargetDirEdit")->setText("   ");
        QVERIFY(!form_->CheckTargetDir());
        QCOMPARE(dialogs_.lastText(), std::string("Please choose target directory first."));
        QCOMPARE(dialogs_.asked.back().icon, MessageIcon::Error);
        QCOMPARE(QDir::currentPath(), before);
        QCOMPARE(child<QLineEdit>("TargetDirEdit")->text(), QString("   "));
    }
};

QTEST_MAIN(SettingsTransferTest)
#include "test_settings_transfer.moc"
