#include "wizard/Help.h"

#include "wizard/WizardTexts.h"

namespace kv {

void OpenHelp(Desktop& desktop) {
  if (desktop.ActivateTopLevelWindow(kHelpViewerCaption)) return;
  desktop.ShellExecute("open", kHelpFile, "", "", kSwShow);
}

}  // namespace kv
