#include "FormModel.h"

namespace platform::window {

FormModel::FormModel(const WindowLayout& layout) : layout_(layout), caption_(layout.caption)
{
    controls_.reserve(layout.controls.size());
    for (const ControlLayout& controlLayout : layout.controls) {
        controls_.push_back(std::make_unique<Control>(*this, controlLayout));
    }
}

void FormModel::SetCaption(std::wstring_view caption)
{
    caption_ = std::wstring(caption);
    if (observer_ != nullptr) {
        observer_->CaptionChanged(*this);
    }
}

void FormModel::RaiseLoad()
{
    loaded_ = true;
    if (onLoad) {
        onLoad();
    }
}

void FormModel::RaiseUnload()
{
    if (onUnload) {
        onUnload();
    }
    loaded_ = false;
}

void FormModel::RaiseMouseMove()
{
    if (onMouseMove) {
        onMouseMove();
    }
}

void FormModel::RaiseRefillKey()
{
    if (onRefillKey) {
        onRefillKey();
    }
}

void FormModel::RaiseSaveKey()
{
    if (onSaveKey) {
        onSaveKey();
    }
}

void FormModel::ResetToLayout()
{
    caption_ = std::wstring(layout_.caption);
    for (const auto& owned : controls_) {
        owned->Reset();
    }
}

} // namespace platform::window
