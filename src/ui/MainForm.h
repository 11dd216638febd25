#pragma once

#include "base/ProgramState.h"
#include "ports/Dialogs.h"
#include "ui/webcolor/ColorSettings.h"

#include <QMainWindow>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QStackedWidget;
class QStatusBar;
class QTabWidget;
class QToolButton;

namespace fotoplex {

class ClickableLabel;
class FileDrops;
class RecentProjects;
enum class Reordering;
class TWebColorDialog;
class FileList;
class FileListView;
class PictureChooser;
class RasterImage;
class QtJobWindow;
class QtMainThread;
struct JobContext;
class ClickablePanel;
class HelpViewer;
class KeyHook;
class QtDialogs;
class SideBar;
class TProject;

// What the window needs from its surroundings; the program passes none of it, tests pass a
// scripted Dialogs and a last.hgp of their own.
struct MainFormOptions {
    Dialogs* dialogs = nullptr;         // null: the window's own Qt dialogs
    PictureChooser* pictures = nullptr; // null: the window's own picture dialogs
    std::string lastProjectPath;        // empty: beside the program, else the user's data folder
};

// The program's one window: the settings pages behind the side bar, the main menu, the status
// bar, and the current project with its lifecycle.
class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TMainForm(MainFormOptions options = {}, QWidget* parent = nullptr);
    ~TMainForm() override;

    TMainForm(const TMainForm&) = delete;
    TMainForm& operator=(const TMainForm&) = delete;

    TProject& project() { return *project_; }
    ProgramState& programState() { return state_; }
    Dialogs& dialogs() { return *dialogs_; }
    const std::string& appTitle() const { return appTitle_; }
    const std::string& lastProjectFile() const { return lastProjectPath_; }

    // Project lifecycle.
    void MarkModified();
    void MarkImagesStale();
    void MarkThumbsStale();
    void ShowTitle();
    void ShowProject();
    bool CloseProject();
    Answer AskYesNoCancel(const std::string& caption, const std::string& text);
    void NewProject1Click();
    void OpenProject1Click();
    void openProjectFile(const std::string& path);
    void SaveProject1Click();
    void SaveProjectAs1Click();

    // File > Open Recent: opens a remembered project; one that is gone leaves the list.
    void openRecentProject(const QString& path);
    QMenu* recentMenu() { return recentMenu_; }

    // The file list's context menu: Sort by Name, Sort by Date Taken, Reverse Order.
    void reorderFileList(Reordering how);
    // Files and folders dropped on the Files page, added as Add adds them.
    void addDroppedPaths(const std::vector<std::string>& paths);

    // The target-folder check every build step starts with.
    bool CheckTargetDir();

    // Job-time locking.
    void LockWindow();
    void UnlockWindow();
    bool isLocked() const { return locked_; }

    // Runs one command: an error that escapes it is shown in the error box and the program
    // goes on.
    void runCommand(const std::function<void()>& command);
    void showErrorBox(const std::string& message);

    // Build commands: the core's jobs and Build Gallery sequence through this window's ports.
    void BuildImagesBtnClick();
    void BuildThumbsBtnClick();
    void BuildAllBtnClick();

    // Colour samples: a click opens the web colour dialog for that sample.
    void ColorSampleClick(ColorSample sample);
    TWebColorDialog& colorDialog() { return *colorDialog_; }

    // Navigation.
    void SideBarChange(int group, int item);
    void showDesignPage(int item);
    void showGalleryTab(int tab);
    void GalleryTabSheetShow();

    // What a running job shows: the status panels, the progress bar, the file list box and
    // the document opener.
    void setStatusText(int panel, const std::string& text);
    void setProgressMaximum(int maximum);
    void setProgress(int position);
    void removeFileRow(int index);
    void openDocument(const std::string& path);

    // Help.
    void showHelpContents();
    void openHomePage();
    void showAboutBox();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // Construction, one part of the window each.
    void buildMenu();
    void buildSideBar();
    void buildPages();
    QWidget* buildFilesPage();
    QWidget* buildImagesPage();
    QWidget* buildThumbsPage();
    QWidget* buildGalleryPage();
    QWidget* buildGalleryGeneralTab();
    QWidget* buildGalleryTitlesTab();
    QWidget* buildAdvancedPage();
    QGroupBox* buildPictureMetadataGroup(QWidget* page);
    QGroupBox* buildPageStyleGroup(QWidget* page);
    QWidget* buildBuildPage();
    void buildStatusBar();
    void connectSettings();
    void connectFilesPage();
    void connectColorSamples();
    void buildRecentMenu();
    void refreshRecentMenu();
    void rememberProject();
    void buildListContextMenu();
    void updateListMenu();
    void acceptDrops();

    // Start-up and shut-down.
    void FormCreate();
    bool FormCloseQuery();
    void restoreLastProject();
    void setTitle(bool modified);

    // Change handlers of the settings controls.
    void TargetDirEditChange();
    void ChooseTargetDirBtnClick();
    void ConvertLowClick();
    void ImageFolderChange();
    void ResizeImgChkClick();
    void ImgWidthSpinEditChange();
    void ImgHeightSpinEditChange();
    void KeepImgAspectChkClick();
    void JPEGQualitySpinEditChange();
    void ImgResizeMethodChange();
    void ProgressiveImgClick();
    void ThumbFolderChange();
    void ThumbPrefixChange();
    void ThumbSuffixChange();
    void ThumbQualitySpinEditChange();
    void ThumbResizeMethodChange();
    void ProgressiveThumbClick();
    void ThumbWidthSpinEditChange();
    void TableAutoWidthClick();
    void TableWidthRadioClick();
    void TableWidthPxChange();
    void TableWidthPerChange();
    void TableColsRowsChange();
    void TableBorderChange();
    void CellSpacingChange();
    void CellPaddingChange();
    void NavFontSizeChange();
    void JumpMenuClick();
    void MarginLeftChange();
    void MarginRightChange();
    void MarginTopChange();
    void MarginBottomChange();
    void AlignmentClick();
    void DocTitleChange();
    void TopTitleChange();
    void BottomTitleChange();
    void TopTitleSizeChange();
    void BottomTitleSizeChange();
    void NavigationWordChange();
    void EncodingListChange();
    void FontFamilyListChange();
    void LinksTargetChange();
    void ImageMetadataListChange();
    void ThumbMetadataListChange();
    void PageStyleListChange();
    void PageLanguageChange();
    void SiteAddressChange();
    void OverwriteImgRadioClick();
    void ShowWhenReadyClick();
    void tnPreviewClick();

    // Dependent state that both the handlers and ShowProject bring up to date.
    void updateResizeEnabling();
    void updateTableWidthEnabling();
    void redrawThumbPreview();
    void loadThumbSample();
    void resampleThumbSample(bool keepAspect);
    void showThumbPreviewPicture();
    void showColors();
    void buildFileList();
    void showPreviewPicture();

    // File list commands (the list operations are plugged in by the file list).
    void SelectFilesBtnClick();
    void AddFilesBtnClick();
    void RemoveBtnClick();
    void MoveUpBtnClick();
    void MoveDownBtnClick();
    void SortedChkClick();
    void ClearListBtnClick();
    void FilesListBoxClick();
    void BackSpeedButtonClick();

    void useImageJobs();
    JobContext jobContext();

    // Connects a control's change signal to a handler that runs as a command and stays
    // silent while a project is being shown.
    template <typename Sender, typename Signal>
    void onChange(Sender* sender, Signal signal, void (TMainForm::*handler)());
    void onSpinEditChange(QSpinBox* spinEdit, void (TMainForm::*handler)());

    MainFormOptions options_;
    std::unique_ptr<QtDialogs> ownDialogs_;
    Dialogs* dialogs_ = nullptr;
    std::unique_ptr<PictureChooser> ownPictures_;
    PictureChooser* pictures_ = nullptr;
    std::unique_ptr<TProject> project_;
    std::unique_ptr<FileListView> listView_;
    std::unique_ptr<FileList> fileList_;
    std::unique_ptr<RasterImage> sourcePreview_; // the Files page's preview picture
    std::unique_ptr<RasterImage> thumbPreview_;
    std::unique_ptr<RasterImage> sizeReader_; // the jobs read back each output's size with it
    std::unique_ptr<QtJobWindow> jobWindow_;
    std::unique_ptr<QtMainThread> mainThread_; // the sample photograph as a thumbnail
    ProgramState state_;
    std::string appTitle_;
    std::string lastProjectPath_;
    bool showingProject_ = false;
    bool locked_ = false;
    bool closeFailedOnce_ = false;

    TWebColorDialog* colorDialog_ = nullptr;
    ColorSettings* colorSettings_ = nullptr;

    KeyHook* keyHook_ = nullptr;
    HelpViewer* help_ = nullptr;

    // Menus.
    QMenu* fileMenu_ = nullptr;
    QMenu* designMenu_ = nullptr;
    QMenu* buildMenu_ = nullptr;
    QMenu* helpMenu_ = nullptr;
    QMenu* recentMenu_ = nullptr;
    QMenu* listMenu_ = nullptr; // the file list's context menu
    std::unique_ptr<RecentProjects> recent_;
    FileDrops* drops_ = nullptr;

    // Window structure.
    SideBar* sideBar_ = nullptr;
    QStackedWidget* pageControl_ = nullptr;
    QStatusBar* statusBar_ = nullptr;
    QLabel* statusPanel0_ = nullptr;
    QLabel* statusPanel1_ = nullptr;

    // Files page.
    QListWidget* filesListBox_ = nullptr; // a ClickableListBox
    QCheckBox* sortedChk_ = nullptr;
    QLineEdit* targetDirEdit_ = nullptr;
    QToolButton* chooseTargetDirBtn_ = nullptr;
    QLineEdit* backgroundImage_ = nullptr;
    QCheckBox* convertLow_ = nullptr;
    QCheckBox* previewImgChk_ = nullptr;
    QLabel* previewImage_ = nullptr;
    QLabel* infoLabel_ = nullptr;

    // Images page.
    QLineEdit* imageFolder_ = nullptr;
    QCheckBox* resizeImgChk_ = nullptr;
    QSpinBox* imgWidthSpinEdit_ = nullptr;
    QSpinBox* imgHeightSpinEdit_ = nullptr;
    QCheckBox* keepImgAspectChk_ = nullptr;
    QSpinBox* jpegQualitySpinEdit_ = nullptr;
    QComboBox* imgResizeMethod_ = nullptr;
    QCheckBox* progressiveImg_ = nullptr;

    // Thumbnails page.
    QLineEdit* thumbFolder_ = nullptr;
    QLineEdit* thumbPrefix_ = nullptr;
    QLineEdit* thumbSuffix_ = nullptr;
    QSpinBox* thumbWidthSpinEdit_ = nullptr;
    QSpinBox* thumbHeightSpinEdit_ = nullptr;
    QCheckBox* keepThumbAspectChk_ = nullptr;
    QSpinBox* thumbQualitySpinEdit_ = nullptr;
    QComboBox* thumbResizeMethod_ = nullptr;
    QCheckBox* progressiveThumb_ = nullptr;
    QLabel* thumbPreviewImage_ = nullptr;
    QCheckBox* tnPreview_ = nullptr;

    // Gallery page.
    QTabWidget* galleryPageControl_ = nullptr;
    ClickablePanel* tableHeaderPanel_ = nullptr;
    ClickableLabel* tableHeaderText_ = nullptr;
    QCheckBox* tableAutoWidth_ = nullptr;
    QRadioButton* pixelsRadio_ = nullptr;
    QRadioButton* percentsRadio_ = nullptr;
    QSpinBox* tableWidthPx_ = nullptr;
    QSpinBox* tableWidthPer_ = nullptr;
    QSpinBox* tableBorder_ = nullptr;
    ClickablePanel* borderColorPanel_ = nullptr;
    QSpinBox* tableCols_ = nullptr;
    QSpinBox* tableRows_ = nullptr;
    QSpinBox* cellSpacing_ = nullptr;
    QSpinBox* cellPadding_ = nullptr;
    QSpinBox* navFontSize_ = nullptr;
    QCheckBox* jumpMenu_ = nullptr;
    QLabel* pageCountPanel_ = nullptr;
    ClickablePanel* backPanel_ = nullptr;
    ClickableLabel* backLabel_ = nullptr;
    ClickableLabel* textLabel_ = nullptr;
    ClickableLabel* hoverLabel_ = nullptr;
    ClickableLabel* linkLabel_ = nullptr;
    ClickableLabel* activeLinkLabel_ = nullptr;
    ClickableLabel* visitedLinkLabel_ = nullptr;
    QGroupBox* alignment_ = nullptr;
    QButtonGroup* alignmentButtons_ = nullptr;
    QSpinBox* marginLeft_ = nullptr;
    QSpinBox* marginRight_ = nullptr;
    QSpinBox* marginTop_ = nullptr;
    QSpinBox* marginBottom_ = nullptr;
    QLineEdit* docTitle_ = nullptr;
    QLineEdit* topTitle_ = nullptr;
    QLineEdit* bottomTitle_ = nullptr;
    QComboBox* topTitleSize_ = nullptr;
    QComboBox* bottomTitleSize_ = nullptr;
    QLineEdit* pageEdit_ = nullptr;
    QLineEdit* galleryEdit_ = nullptr;
    QLineEdit* previousEdit_ = nullptr;
    QLineEdit* nextEdit_ = nullptr;
    QLineEdit* ofEdit_ = nullptr;
    QLineEdit* jumpToEdit_ = nullptr;

    // Advanced page.
    QComboBox* encodingList_ = nullptr;
    QComboBox* fontFamilyList_ = nullptr;
    QComboBox* linksTarget_ = nullptr;
    QComboBox* imageMetadataList_ = nullptr;
    QComboBox* thumbMetadataList_ = nullptr;
    QComboBox* pageStyleList_ = nullptr;
    QLineEdit* pageLanguage_ = nullptr;
    QLineEdit* siteAddress_ = nullptr;

    // Build page.
    QGroupBox* overwriteImgRadio_ = nullptr;
    QButtonGroup* overwriteButtons_ = nullptr;
    QPushButton* buildImagesBtn_ = nullptr;
    QPushButton* buildThumbsBtn_ = nullptr;
    QPushButton* buildAllBtn_ = nullptr;
    QProgressBar* totalProgress_ = nullptr;
    QCheckBox* showWhenReady_ = nullptr;
};

// The name the desktop shows for the running program, and the error box's caption.
inline constexpr const char* kApplicationTitle = "Fotoplex";

// The fixed size of the window's client area (side bar, pages and status bar).
inline constexpr int kClientWidth = 676;
inline constexpr int kClientHeight = 430;

} // namespace fotoplex
