#pragma once

#include "platform/window/FormModel.h"
#include "platform/window/Layout.h"

#include <cstdint>

namespace ui {

// The main window's controls, in the order of its layout table (front to back).
enum class MainWindowControl : std::uint8_t {
    HoverTimer,
    RefillTimer,
    ReadingTimer,
    SourceCheckTimer,
    LocationFrame,
    ProgramPathField,
    SignatureLabel,
    RegistryFrame,
    ScopeLabel,
    NameLabel,
    ValueLabel,
    NameField,
    ValueField,
    DescriptionFrame,
    DescriptionRule,
    MakerLabel,
    DescriptionLabel,
    ProductLabel,
    EditButton,
    CloseButton,
    NewButton,
    DeleteButton,
    SwitchButton,
    EntryList,
    EnglishFlagLit,
    HungarianFlagLit,
    VersionLabel,
    BannerRule,
    LargePicture,
    TitleLabel,
    CopyrightLabel,
    SmallPicture,
    HomePageLink,
    EnglishFlag,
    HungarianFlag,
    ReadingLabel,
    Banner,
};

[[nodiscard]] const platform::window::WindowLayout& MainWindowLayout();

// The main window's controls that its behaviour reads and writes.
struct MainWindowControls {
    explicit MainWindowControls(const platform::window::FormModel& form);

    platform::window::Control& entryList;
    platform::window::Control& newButton;
    platform::window::Control& editButton;
    platform::window::Control& deleteButton;
    // Switches the selected entry off or on.
    platform::window::Control& switchButton;
    platform::window::Control& closeButton;
    // The details of the selected entry: its program's texts...
    platform::window::Control& descriptionFrame;
    platform::window::Control& productLabel;
    platform::window::Control& descriptionLabel;
    platform::window::Control& makerLabel;
    // ... the program's path ...
    platform::window::Control& locationFrame;
    platform::window::Control& programPathField;
    // ... who signed it, as Windows checked it ...
    platform::window::Control& signatureLabel;
    // ... and the registry value.
    platform::window::Control& registryFrame;
    platform::window::Control& scopeLabel;
    platform::window::Control& nameLabel;
    platform::window::Control& valueLabel;
    platform::window::Control& nameField;
    platform::window::Control& valueField;
    // The banner: title, version, language flags (each with its lit form laid over it on
    // hover) and the home-page link, with the timer that notices the mouse leaving them.
    platform::window::Control& titleLabel;
    platform::window::Control& versionLabel;
    platform::window::Control& englishFlag;
    platform::window::Control& hungarianFlag;
    platform::window::Control& englishFlagLit;
    platform::window::Control& hungarianFlagLit;
    platform::window::Control& homePageLink;
    platform::window::Control& hoverTimer;
    // Runs while the watched keys have changed and have not been quiet for long enough yet.
    platform::window::Control& refillTimer;
    // While the list is being read: how far the reading has got, and the timer that watches it.
    platform::window::Control& readingLabel;
    platform::window::Control& readingTimer;
    // Runs while the change watch cannot follow every source: the window looks for changes itself.
    platform::window::Control& sourceCheckTimer;
};

} // namespace ui
