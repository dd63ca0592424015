#include "wizard/LicensePage.h"

#include "common/SetupStrings.h"
#include "wizard/SetupResourceIds.h"
#include "wizard/WizardTexts.h"

namespace kv {

LicensePage::LicensePage(Machine& machine, ControlClasses& controlClasses,
                         std::string applicationName)
    : machine_(machine),
      controlClasses_(controlClasses),
      applicationName_(std::move(applicationName)) {}

namespace {

std::string InDirectory(std::string directory, std::string_view name) {
  if (directory.empty() || directory.back() != '\\') directory += '\\';
  return directory.append(name);
}

}  // namespace

std::string LicenseText(std::string fileBytes) {
  const size_t zero = fileBytes.find('\0');
  if (zero != std::string::npos) fileBytes.resize(zero);
  return fileBytes;
}

void LicensePage::OnInit(Controls& controls) {
  controlClasses_.BindEdit(controls, IDC_LICENSE_TEXT);
  controls.CheckRadio(IDC_ACCEPT, IDC_REJECT, IDC_REJECT);

  // The file is found through the current directory, as a relative name is.
  std::string directory;
  std::string bytes;
  const bool read = machine_.files.GetCurrentDirectory(&directory) == 0 &&
                    machine_.files.ReadWholeFile(InDirectory(directory, kLicenseFile), &bytes) == 0;
  textLoaded_ = read;
  if (!read) {
    machine_.desktop.MessageBox(controls.Handle(), SetupString(setup_text::kCannotLoadLicense),
                                applicationName_, kMbOk);
    if (Controls* wizard = controls.Parent()) wizard->EndDialog(kIdCancel);
    return;
  }
  controls.SetText(IDC_LICENSE_TEXT, LicenseText(std::move(bytes)));
}

bool LicensePage::OnPageCommand(Controls& controls, int id, int code) {
  if (code != kBnClicked || (id != IDC_ACCEPT && id != IDC_REJECT)) return false;
  if (Controls* wizard = controls.Parent()) wizard->Enable(IDC_NEXT, id == IDC_ACCEPT);
  return true;
}

}  // namespace kv
