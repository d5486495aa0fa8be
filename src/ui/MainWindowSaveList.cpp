// Save list: the entries the list shows, in its order, written to a file the user chooses, as CSV
// or as a plain-text report.
#include "ErrorBox.h"
#include "ListExport.h"
#include "MainWindow.h"

#include <span>

namespace ui {
namespace {

// The computer's name for the file's name, as Windows keeps it in the environment.
std::wstring ComputerName(const platform::Environment& environment)
{
    const std::wstring name = environment.Expand(L"%COMPUTERNAME%");
    return name.empty() || name.front() == L'%' ? L"computer" : name;
}

} // namespace

void MainWindow::SaveList()
{
    if (modalDepth_ > 0) {
        return;
    }
    const std::uint64_t now = platform_.clock.Now();
    const std::wstring computer = ComputerName(platform_.environment);
    const platform::WindowId owner = windows_.Handle(form_);
    platform::SaveFileRequest request;
    request.owner = owner;
    request.title = language_.Text(UiText::SaveListTitle);
    request.filters = {{language_.Text(UiText::CsvFileType), L"*.csv"},
                       {language_.Text(UiText::ReportFileType), L"*.txt"}};
    request.proposedName =
        L"tolvan-" + computer + L"-" + platform_.clock.LocalIsoDate(now) + L".csv";
    request.defaultExtension = L"csv";
    std::optional<platform::SaveFileChoice> choice;
    Modally([&] { choice = platform_.fileDialogs.ChooseFileToSave(request); });
    if (!choice) {
        return;
    }
    const ExportTexts texts{language_, platform_.messageBox, platform_.clock};
    const std::span<const entries::StartupEntry> entries(listed_->entries);
    const std::string bytes = choice->filter == 1 ? ListAsReport(entries, texts, computer, now)
                                                  : ListAsCsv(entries, texts);
    const platform::ErrorCode error = platform_.files.WriteWholeFile(
        choice->path, std::as_bytes(std::span(bytes.data(), bytes.size())));
    if (error != 0) {
        const std::wstring text =
            language_.Text(UiText::CannotSaveList, {platform_.messageBox.ErrorText(error)});
        Modally([&] {
            (void)platform_.messageBox.Show(owner, text, language_.Text(UiText::ErrorTitle),
                                            platform::MessageButtons::Ok,
                                            platform::MessageIcon::Error);
        });
    }
}

} // namespace ui
