#include "MainWindow.h"

namespace ui {

void MainWindow::ShowMainWindow()
{
    if (!form_) {
        form_ = std::make_unique<frmTolvan>(platform_, windows_);
    }
    form_->Show();
}

} // namespace ui
