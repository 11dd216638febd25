// Files, folders and projects dropped on the window, posted as the desktop delivers them:
// drag events carrying text/uri-list data.
#include "project/TProject.h"
#include "support/ScriptedDialogs.h"
#include "ui/ClickableWidgets.h"
#include "ui/MainForm.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <memory>

using namespace fotoplex;
using fotoplex::testing::ScriptedDialogs;

class FileDropsTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir config_;
    QTemporaryDir dir_;
    QString savedFolder_;
    ScriptedDialogs dialogs_;
    std::unique_ptr<TMainForm> form_;

    template <typename T> T* child(const char* name) { return form_->findChild<T*>(name); }
    ClickableListBox* list() { return child<ClickableListBox>("FilesListBox"); }
    const std::vector<std::string>& files() { return form_->project().Files; }

    QString picture(const QString& relative) {
        const QString path = dir_.filePath(relative);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QImage image(8, 6, QImage::Format_RGB32);
        image.fill(Qt::blue);
        image.save(path, "PNG");
        return path;
    }
    QString plainFile(const QString& relative) {
        const QString path = dir_.filePath(relative);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write("no picture");
        return path;
    }
    QString projectFile(const QString& name, const std::string& docTitle) {
        TProject project;
        project.DocTitle = docTitle;
        project.Files = {"/photos/one.jpg"};
        const QString path = dir_.filePath(name);
        project.SaveAs(path.toStdString());
        return path;
    }

    static std::unique_ptr<QMimeData> uriList(const QStringList& paths) {
        auto data = std::make_unique<QMimeData>();
        QList<QUrl> urls;
        for (const QString& path : paths) {
            urls << QUrl::fromLocalFile(path);
        }
        data->setUrls(urls);
        return data;
    }

    // A drag entering a widget; true when the widget (or the window for it) takes it.
    static bool enter(QWidget* target, const QMimeData* data) {
        QDragEnterEvent event(QPoint(5, 5), Qt::CopyAction | Qt::MoveAction, data, Qt::LeftButton,
                              Qt::NoModifier);
        event.ignore();
        QApplication::sendEvent(target, &event);
        return event.isAccepted();
    }
    static void leave(QWidget* target) {
        QDragLeaveEvent event;
        QApplication::sendEvent(target, &event);
    }
    // The whole drag: entering, then the drop; the window acts once the drop is over.
    static bool dropOn(QWidget* target, const QMimeData* data) {
        enter(target, data);
        QDropEvent event(QPointF(5, 5), Qt::CopyAction | Qt::MoveAction, data, Qt::LeftButton,
                         Qt::NoModifier);
        event.ignore();
        QApplication::sendEvent(target, &event);
        QCoreApplication::processEvents();
        return event.isAccepted();
    }
    static std::string lower(const QString& path) { return path.toLower().toStdString(); }

private slots:
    void initTestCase() {
        // Opening a project puts it on the recent list in the configuration folder.
        qputenv("XDG_CONFIG_HOME", config_.path().toLocal8Bit());
        savedFolder_ = QDir::currentPath();
    }
    void cleanupTestCase() { QDir::setCurrent(savedFolder_); }

    void init() {
        dialogs_.reset();
        MainFormOptions options;
        options.dialogs = &dialogs_;
        options.pictures = nullptr;
        options.lastProjectPath = dir_.filePath("last.hgp").toStdString();
        form_ = std::make_unique<TMainForm>(options);
    }
    void cleanup() { form_.reset(); }

    void filesAndFoldersAreAddedAsAddAddsThem() {
        const QString first = picture("drop/Photo 2.PNG");
        const QString second = picture("drop/photo1.jpg.png");
        const QString folder = dir_.filePath("drop/Album");
        const QString b = picture("drop/Album/b.png");
        const QString a = picture("drop/Album/A.png");
        picture("drop/Album/Sub/inner.png"); // subfolders are not walked
        plainFile("drop/Album/.hidden.png"); // neither are hidden files
        const QString notes = plainFile("drop/Album/notes.txt");
        const QString readme = plainFile("drop/readme.txt");
        form_->programState().imagesBuilt = true;
        form_->programState().thumbsBuilt = true;
        auto data = uriList({first, readme, folder, second, readme});

        QVERIFY(dropOn(list()->viewport(), data.get()));

        // In the order of the drop, lower-cased as ConvertLow (on by default) asks.
        QCOMPARE(files(),
                 (std::vector<std::string>{lower(first), lower(a), lower(b), lower(second)}));
        QCOMPARE(list()->count(), 4);
        QCOMPARE(list()->item(1)->text(), QString("a.png"));
        QCOMPARE(list()->currentRow(), 3);
        QCOMPARE(form_->project().SourceDir.str(), dir_.filePath("drop").toStdString());
        QCOMPARE(child<QLabel>("StatusPanel0")->text(), QString("Files Count: 4"));
        QVERIFY(form_->project().Modified);
        QVERIFY(form_->windowTitle().endsWith(" *"));
        QVERIFY(!form_->programState().imagesBuilt && !form_->programState().thumbsBuilt);
        // The files no reader knows, named once in one message.
        QCOMPARE(dialogs_.asked.size(), std::size_t(1));
        const QString text = QString::fromStdString(dialogs_.asked[0].text);
        QCOMPARE(text.count("readme.txt"), 1);
        QCOMPARE(text.count("notes.txt"), 1);
        QVERIFY(!text.contains("inner.png") && !text.contains("hidden"));
    }

    void onlyUnknownFilesAddNothing() {
        auto data = uriList({plainFile("x.doc")});
        dropOn(list()->viewport(), data.get());
        QVERIFY(files().empty());
        QVERIFY(!form_->project().Modified);
        QCOMPARE(dialogs_.asked.size(), std::size_t(1));
        QVERIFY(dialogs_.asked[0].text.find("x.doc") != std::string::npos);
    }

    void anywhereOnTheFilesPageAndWithoutLowerCasing() {
        child<QCheckBox>("ConvertLow")->setChecked(false);
        const QString photo = picture("Page/IMG.PNG");
        auto data = uriList({photo});
        // An edit would take the path as text; on the Files page the file is added instead.
        QVERIFY(dropOn(child<QLineEdit>("TargetDirEdit"), data.get()));
        QVERIFY(dropOn(child<QWidget>("FilesTabSheet"), data.get()));
        QCOMPARE(files(), (std::vector<std::string>{photo.toStdString(), photo.toStdString()}));
        QVERIFY(child<QLineEdit>("TargetDirEdit")->text() != photo);
    }

    void otherPagesTakeNoPictures() {
        auto data = uriList({picture("p.png")});
        const QString before = child<QLineEdit>("ImageFolder")->text();
        QVERIFY(!enter(child<QWidget>("ImagesTabSheet"), data.get()));
        dropOn(child<QWidget>("ImagesTabSheet"), data.get());
        dropOn(form_.get(), data.get());
        QVERIFY(files().empty());
        QVERIFY(!form_->project().Modified);
        QCOMPARE(child<QLineEdit>("ImageFolder")->text(), before);
    }

    void theIndicatorShowsWhileFilesAreOverThePage() {
        auto data = uriList({picture("p.png")});
        QVERIFY(!list()->dropIndicatorShown());
        QVERIFY(enter(list()->viewport(), data.get()));
        QVERIFY(list()->dropIndicatorShown());
        leave(list()->viewport());
        QVERIFY(!list()->dropIndicatorShown());
        QVERIFY(enter(child<QWidget>("FilesTabSheet"), data.get()));
        QVERIFY(list()->dropIndicatorShown());
        dropOn(list()->viewport(), data.get());
        QVERIFY(!list()->dropIndicatorShown());
        // Text without files is no drop for the list.
        QMimeData text;
        text.setText("hello");
        QVERIFY(!enter(list()->viewport(), &text));
        QVERIFY(!list()->dropIndicatorShown());
        // Nor anything while a job runs.
        form_->LockWindow();
        QVERIFY(!enter(list()->viewport(), data.get()));
        dropOn(list()->viewport(), data.get());
        form_->UnlockWindow();
        QCOMPARE(files().size(), std::size_t(1));
    }

    void rowsDraggedFromTheListChangeNothingWhenDroppedBack() {
        const QString b = picture("Rows/B.png");
        auto data = uriList({picture("Rows/A.png"), b});
        dropOn(list()->viewport(), data.get());
        form_->ShowTitle();
        form_->project().Modified = false;
        const std::vector<std::string> before = files();

        // What the list gives when its rows are dragged: the files (as they are named, not as
        // lower-cased entries), and its own mark.
        QAbstractItemModel* model = list()->model();
        std::unique_ptr<QMimeData> rows(model->mimeData({model->index(1, 0)}));
        QVERIFY(rows);
        QCOMPARE(rows->urls(), QList<QUrl>{QUrl::fromLocalFile(b)});
        QVERIFY(!enter(list()->viewport(), rows.get()));
        QVERIFY(!list()->dropIndicatorShown());
        QVERIFY(!dropOn(list()->viewport(), rows.get()));
        QCOMPARE(files(), before);
        QVERIFY(!form_->project().Modified);

        // The same rows from another running Fotoplex are files like any others.
        rows->setData(ClickableListBox::kOwnRowsFormat, QByteArray("1"));
        QVERIFY(dropOn(list()->viewport(), rows.get()));
        QCOMPARE(files().size(), before.size() + 1);
    }

    void aProjectDroppedAnywhereOpensIt() {
        const QString project = projectFile("Trip.HGP", "Trip");
        auto data = uriList({picture("p.png"), project});
        QVERIFY(dropOn(child<QSpinBox>("TableCols"), data.get()));
        QCOMPARE(form_->project().FileName.str(), project.toStdString());
        QCOMPARE(form_->project().DocTitle, Text("Trip"));
        QVERIFY(!form_->project().Modified);
        QVERIFY(dialogs_.asked.empty());
        // The pictures of that drop are not added to the opened project.
        QCOMPARE(files(), (std::vector<std::string>{"/photos/one.jpg"}));
    }

    void aProjectDropAsksAboutUnsavedChanges() {
        const QString project = projectFile("other.hgp", "Other");
        child<QLineEdit>("DocTitle")->setText("Mine");
        auto data = uriList({project});
        dialogs_.answers.push_back(Answer::Cancel);
        dropOn(list()->viewport(), data.get());
        QCOMPARE(dialogs_.asked.size(), std::size_t(1));
        QCOMPARE(dialogs_.asked[0].text,
                 std::string("Current project is modified. Do you want to save it?"));
        QCOMPARE(form_->project().DocTitle, Text("Mine"));

        dialogs_.answers.push_back(Answer::No);
        dropOn(form_.get(), data.get());
        QCOMPARE(form_->project().DocTitle, Text("Other"));
    }
};

QTEST_MAIN(FileDropsTest)
#include "test_file_drops.moc"
