#pragma once

#include <cstdint>
#include <string_view>

namespace ui {

// Every text the windows show the user that exists in both languages, by what it is for. A "%1"
// or "%2" in a text stands for what the caller puts in its place.
enum class UiText : std::uint8_t {
    // Where an entry is kept (the scope line, the editor's options, the error box).
    CurrentUser,
    AllUsers,
    AllUsers32Bit,
    CurrentUserStartupFolder,
    AllUsersStartupFolder,
    CurrentUserPolicy,
    AllUsersPolicy,
    CurrentUserOnce,
    AllUsersOnce,
    AllUsersOnce32Bit,
    // The main window.
    MainTitle,
    DescriptionFrame,
    LocationFrame,
    RegistryFrame,
    NameLabel,
    ValueLabel,
    NewButton,
    EditButton,
    DeleteButton,
    CloseButton,
    DisableButton,
    EnableButton,
    DetailsBeingRead,
    NoInformation,
    FileMissing,
    ScopeLabel,
    DisabledSuffix,
    DisabledSinceSuffix,
    StateUnreadableSuffix,
    HiddenNameSuffix,
    Reading,
    ReadingCount,
    // The signature line of the details panel.
    SignatureBeingChecked,
    SignedVerified,
    SignedNotTrusted,
    SignatureChanged,
    NotSigned,
    SignatureUncheckable,
    // The context menu (Edit, Disable, Enable and Delete are the buttons' texts).
    OpenFileLocation,
    SignatureDetails,
    Properties,
    CopyCommand,
    SaveList,
    // The entry editor.
    EditorTitle,
    AddFilePath,
    RangeLabel,
    NameHint,
    SaveButton,
    CancelButton,
    AllFiles,
    SelectFile,
    ReplaceQuestion,
    ChangedMeanwhileQuestion,
    // Message boxes.
    ErrorTitle,
    ListIncomplete,
    EntriesStateSuffix,
    MoreEntries,
    CannotEdit,
    DeleteQuestion,
    CannotDelete,
    CannotModify,
    CannotChangeFile,
    CannotChangeSwitch,
    SwitchLeftBehind,
    AdministratorHint,
    CannotOpenLocation,
    CannotShowProperties,
    CannotCopyCommand,
    // The saved list.
    SaveListTitle,
    CsvFileType,
    ReportFileType,
    CannotSaveList,
    ReportTitle,
    ColumnScope,
    ColumnName,
    ColumnCommand,
    ColumnProgram,
    ColumnProduct,
    ColumnDescription,
    ColumnCompany,
    ColumnDisabled,
    ColumnDisabledSince,
    ColumnSignature,
    ColumnSigner,
    Yes,
    No,
    VerdictVerified,
    VerdictNotTrusted,
    VerdictChanged,
    VerdictNotSigned,
    VerdictUncheckable,
    // The signature details box.
    SignerLine,
    IssuerLine,
    SignedAtLine,
    ValidityLine,
    ThumbprintLine,
    CatalogLine,
    EmbeddedSignature,
    AdministratorNeeded,
};

struct TextPair {
    std::wstring_view hungarian;
    std::wstring_view english;
};

// The text in both languages.
[[nodiscard]] TextPair TextsOf(UiText text) noexcept;

} // namespace ui
