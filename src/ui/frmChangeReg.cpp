#include "frmChangeReg.h"

#include "ui/layout/Layouts.h"

namespace ui {

frmChangeReg::frmChangeReg(platform::Platform& platform, platform::window::WindowSystem& windows)
    : platform_(platform), windows_(windows), form_(ChangeRegLayout()),
      ComCancel(form_.control(L"ComCancel"))
{
    ComCancel.onClick = [this] { ComCancel_Click(); };
}

void frmChangeReg::ShowModal(platform::window::FormModel& owner)
{
    windows_.ShowModal(form_, owner);
}

void frmChangeReg::ComCancel_Click()
{
    windows_.Unload(form_);
}

} // namespace ui
