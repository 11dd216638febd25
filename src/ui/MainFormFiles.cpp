#include "ui/MainForm.h"

namespace fotoplex {

// The file list commands of the Files page. The list operations live in the file list
// layer and are wired in here when it lands; until then the buttons are connected and do
// nothing.
void TMainForm::SelectFilesBtnClick() {}
void TMainForm::AddFilesBtnClick() {}
void TMainForm::RemoveBtnClick() {}
void TMainForm::MoveUpBtnClick() {}
void TMainForm::MoveDownBtnClick() {}
void TMainForm::SortedChkClick() {}
void TMainForm::ClearListBtnClick() {}
void TMainForm::FilesListBoxClick() {}
void TMainForm::BackSpeedButtonClick() {}

// The nine colour samples of the Gallery page open the web colour dialog through the
// handler given here.
void TMainForm::ColorSampleClick(ColorSample sample) {
    if (colorSampleHandler_) {
        colorSampleHandler_(sample);
    }
}

} // namespace fotoplex
