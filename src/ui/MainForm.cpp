#include "ui/MainForm.h"

#include "base/Error.h"
#include "base/Version.h"
#include "engine/RasterImage.h"
#include "filelist/FileList.h"
#include "filelist/FileListView.h"
#include "filelist/PictureChooser.h"
#include "project/LastProjectLocation.h"
#include "project/TProject.h"
#include "ui/HelpViewer.h"
#include "ui/KeyHook.h"
#include "ui/QtDialogs.h"
#include "ui/QtJobWindow.h"
#include "ui/QtMainThread.h"
#include "ui/QtText.h"
#include "ui/RecentProjects.h"
#include "ui/SideBar.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QScreen>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabWidget>
#include <filesystem>

// The icons and the user guide are compiled into the window's library; a static library
// has to register them itself.
static void initResources() {
    Q_INIT_RESOURCE(fotoplex);
}

namespace fotoplex {

namespace {

constexpr int kSideBarWidth = 100;
constexpr int kStatusPanel0Width = 246;
constexpr int kStatusPanel1Width = 50;

struct DesignItem {
    const char* caption;
    const char* icon;
};

constexpr DesignItem kDesignItems[] = {
    {"Files", ":/icons/files.png"},           {"Images", ":/icons/images.png"},
    {"Thumbnails", ":/icons/thumbnails.png"}, {"Gallery", ":/icons/gallery.png"},
    {"Advanced", ":/icons/advanced.png"},     {"Build", ":/icons/build.png"}};

} // namespace

TMainForm::TMainForm(MainFormOptions options, QWidget* parent)
    : QMainWindow(parent), options_(std::move(options)) {
    initResources();
    setObjectName("MainForm");
    if (options_.dialogs) {
        dialogs_ = options_.dialogs;
    } else {
        ownDialogs_ = std::make_unique<QtDialogs>(this);
        dialogs_ = ownDialogs_.get();
    }
    buildMenu();
    auto* central = new QWidget(this);
    central->setObjectName("ClientArea");
    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    buildSideBar();
    buildPages();
    layout->addWidget(sideBar_);
    layout->addWidget(pageControl_, 1);
    setCentralWidget(central);
    buildStatusBar();
    buildFileList();
    connectSettings();
    connectFilesPage();
    connectColorSamples();
    buildListContextMenu();
    acceptDrops();
    useImageJobs();

    // The client area is fixed; the menu bar sits above it.
    setFixedSize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(0, 0), size());
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    FormCreate();
}

TMainForm::~TMainForm() = default;

// Start-up, in its fixed order: title, key hook and help, program state, a new project,
// the project of the last session, the title without the marker.
void TMainForm::FormCreate() {
    appTitle_ = std::string("Fotoplex ") + kVersionText;
    keyHook_ = new KeyHook(state_, this);
    help_ = new HelpViewer(this);
    state_.imagesBuilt = false;
    state_.thumbsBuilt = false;
    state_.jobCancelled = false;
    state_.imageSizes.clear();
    state_.thumbSizes.clear();
    state_.pageNames.clear();
    state_.indexLines.clear();
    lastProjectPath_ = options_.lastProjectPath.empty()
                           ? lastProjectPath(toText(QCoreApplication::applicationDirPath()))
                           : options_.lastProjectPath;
    runCommand([this] { NewProject1Click(); });
    project_->Modified = false;
    restoreLastProject();
    runCommand([this] { loadThumbSample(); });
    ShowTitle();
}

void TMainForm::restoreLastProject() {
    std::error_code ec;
    if (!std::filesystem::exists(lastProjectPath_, ec)) {
        return;
    }
    runCommand([this] {
        auto restored = std::make_unique<TProject>();
        restored->Load(lastProjectPath_);
        // The restored project is shown as untitled: last.hgp is not its file.
        restored->FileName = "untitled.hgp";
        restored->Modified = false;
        project_ = std::move(restored);
        ShowProject();
    });
}

void TMainForm::buildSideBar() {
    sideBar_ = new SideBar("Design", this);
    sideBar_->setObjectName("SideBar");
    sideBar_->setFixedWidth(kSideBarWidth);
    for (const DesignItem& item : kDesignItems) {
        sideBar_->addItem(QIcon(item.icon), item.caption, item.caption);
    }
}

void TMainForm::buildPages() {
    pageControl_ = new QStackedWidget(this);
    pageControl_->setObjectName("PageControl");
    pageControl_->addWidget(buildFilesPage());
    pageControl_->addWidget(buildImagesPage());
    pageControl_->addWidget(buildThumbsPage());
    pageControl_->addWidget(buildGalleryPage());
    pageControl_->addWidget(buildAdvancedPage());
    pageControl_->addWidget(buildBuildPage());
    connect(sideBar_, &SideBar::changed, this,
            [this](int group, int item) { runCommand([=, this] { SideBarChange(group, item); }); });
    sideBar_->selectItem(0);
    pageControl_->setCurrentIndex(0);
}

void TMainForm::buildStatusBar() {
    statusBar_ = new QStatusBar(this);
    statusBar_->setObjectName("StatusBar");
    statusBar_->setSizeGripEnabled(false);
    statusPanel0_ = new QLabel(statusBar_);
    statusPanel0_->setObjectName("StatusPanel0");
    statusPanel0_->setFixedWidth(kStatusPanel0Width);
    statusPanel1_ = new QLabel(statusBar_);
    statusPanel1_->setObjectName("StatusPanel1");
    statusPanel1_->setMinimumWidth(kStatusPanel1Width);
    statusBar_->addWidget(statusPanel0_);
    statusBar_->addWidget(statusPanel1_, 1);
    setStatusBar(statusBar_);
}

// ---- Navigation ----

void TMainForm::SideBarChange(int group, int item) {
    if (group != 0) {
        return;
    }
    if (item < 0) {
        sideBar_->selectItem(0);
        return; // selecting reports the change again, which shows the page
    }
    pageControl_->setCurrentIndex(item);
    if (item == 3) {
        GalleryTabSheetShow();
    }
}

void TMainForm::showDesignPage(int item) {
    if (sideBar_->selectedItem() != item) {
        sideBar_->selectItem(item);
    } else {
        pageControl_->setCurrentIndex(item);
    }
}

void TMainForm::showGalleryTab(int tab) {
    galleryPageControl_->setCurrentIndex(tab);
}

// ---- Locking ----

void TMainForm::LockWindow() {
    locked_ = true;
    for (QMenu* menu : {fileMenu_, designMenu_, buildMenu_, helpMenu_}) {
        menu->menuAction()->setEnabled(false);
        menu->setEnabled(false);
    }
    pageControl_->setEnabled(false);
    sideBar_->setEnabled(false);
    statusBar_->setEnabled(false);
}

void TMainForm::UnlockWindow() {
    for (QMenu* menu : {fileMenu_, designMenu_, buildMenu_, helpMenu_}) {
        menu->menuAction()->setEnabled(true);
        menu->setEnabled(true);
    }
    pageControl_->setEnabled(true);
    sideBar_->setEnabled(true);
    statusBar_->setEnabled(true);
    locked_ = false;
}

// ---- Errors ----

void TMainForm::runCommand(const std::function<void()>& command) {
    try {
        command();
    } catch (const std::exception& error) {
        showErrorBox(error.what());
    }
}

void TMainForm::showErrorBox(const std::string& message) {
    MessageRequest request;
    request.caption = kApplicationTitle;
    request.text = errorBoxText(message);
    request.icon = MessageIcon::Error;
    request.buttons = MessageButtons::Ok;
    dialogs_->ask(request);
}

// ---- Shut-down ----

void TMainForm::closeEvent(QCloseEvent* event) {
    if (FormCloseQuery()) {
        if (help_) {
            help_->close();
        }
        event->accept();
    } else {
        event->ignore();
    }
}

} // namespace fotoplex
