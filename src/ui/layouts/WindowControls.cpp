// Each window's controls struct, built from the window's enumeration of its controls.
#include "EntryEditorLayout.h"
#include "MainWindowLayout.h"

namespace ui {
namespace {

using platform::window::Control;
using platform::window::FormModel;

template <typename ControlEnumeration>
Control& At(const FormModel& form, ControlEnumeration control)
{
    return form.ControlAt(static_cast<std::size_t>(control));
}

} // namespace

MainWindowControls::MainWindowControls(const FormModel& form)
    : entryList(At(form, MainWindowControl::EntryList)),
      newButton(At(form, MainWindowControl::NewButton)),
      editButton(At(form, MainWindowControl::EditButton)),
      deleteButton(At(form, MainWindowControl::DeleteButton)),
      switchButton(At(form, MainWindowControl::SwitchButton)),
      closeButton(At(form, MainWindowControl::CloseButton)),
      descriptionFrame(At(form, MainWindowControl::DescriptionFrame)),
      productLabel(At(form, MainWindowControl::ProductLabel)),
      descriptionLabel(At(form, MainWindowControl::DescriptionLabel)),
      makerLabel(At(form, MainWindowControl::MakerLabel)),
      locationFrame(At(form, MainWindowControl::LocationFrame)),
      programPathField(At(form, MainWindowControl::ProgramPathField)),
      signatureLabel(At(form, MainWindowControl::SignatureLabel)),
      registryFrame(At(form, MainWindowControl::RegistryFrame)),
      scopeLabel(At(form, MainWindowControl::ScopeLabel)),
      nameLabel(At(form, MainWindowControl::NameLabel)),
      valueLabel(At(form, MainWindowControl::ValueLabel)),
      nameField(At(form, MainWindowControl::NameField)),
      valueField(At(form, MainWindowControl::ValueField)),
      titleLabel(At(form, MainWindowControl::TitleLabel)),
      versionLabel(At(form, MainWindowControl::VersionLabel)),
      englishFlag(At(form, MainWindowControl::EnglishFlag)),
      hungarianFlag(At(form, MainWindowControl::HungarianFlag)),
      englishFlagLit(At(form, MainWindowControl::EnglishFlagLit)),
      hungarianFlagLit(At(form, MainWindowControl::HungarianFlagLit)),
      homePageLink(At(form, MainWindowControl::HomePageLink)),
      hoverTimer(At(form, MainWindowControl::HoverTimer)),
      refillTimer(At(form, MainWindowControl::RefillTimer)),
      readingLabel(At(form, MainWindowControl::ReadingLabel)),
      readingTimer(At(form, MainWindowControl::ReadingTimer)),
      sourceCheckTimer(At(form, MainWindowControl::SourceCheckTimer))
{
}

EntryEditorControls::EntryEditorControls(const FormModel& form)
    : scopeLabel(At(form, EntryEditorControl::ScopeLabel)),
      allUsersOption(At(form, EntryEditorControl::AllUsersOption)),
      currentUserOption(At(form, EntryEditorControl::CurrentUserOption)),
      nameLabel(At(form, EntryEditorControl::NameLabel)),
      nameBox(At(form, EntryEditorControl::NameBox)),
      nameHintLabel(At(form, EntryEditorControl::NameHintLabel)),
      valueLabel(At(form, EntryEditorControl::ValueLabel)),
      valueBox(At(form, EntryEditorControl::ValueBox)),
      addPathButton(At(form, EntryEditorControl::AddPathButton)),
      saveButton(At(form, EntryEditorControl::SaveButton)),
      cancelButton(At(form, EntryEditorControl::CancelButton))
{
}

} // namespace ui
