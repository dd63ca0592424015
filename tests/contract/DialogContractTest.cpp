#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "contract/Target.h"
#include "contract/fixtures/DialogFixture.h"
#include "support/BitmapBytes.h"

namespace kv::contract {
namespace {

// A page that records what reaches it and can run a test's own steps.
class RecordingPage : public DialogPage {
 public:
  std::vector<std::pair<int, int>> commands;  // id, code
  std::vector<int> ticks;
  std::vector<std::pair<int, bool>> itemChecks;  // item, checked
  std::vector<int> sysCommands;
  int helps = 0;
  bool handlesCommands = true;  // false: the dialog's default handling
  bool handlesHelp = false;
  std::function<void(Controls&)> init;
  std::function<void(Controls&, int)> onTick;

  void OnInit(Controls& controls) override {
    if (init) init(controls);
  }
  bool OnCommand(Controls&, int id, int code) override {
    commands.emplace_back(id, code);
    return handlesCommands;
  }
  void OnTimer(Controls& controls, int timerId) override {
    ticks.push_back(timerId);
    if (onTick) onTick(controls, timerId);
  }
  void OnItemChecked(Controls&, int id, int index, bool checked) override {
    if (id == IDC_FIX_LISTVIEW) itemChecks.emplace_back(index, checked);
  }
  bool OnHelp(Controls&) override {
    ++helps;
    return handlesHelp;
  }
  bool OnSysCommand(Controls&, int commandId) override {
    sysCommands.push_back(commandId);
    return true;
  }
};

using Commands = std::vector<std::pair<int, int>>;
// The dialog gives the focus to its first control with a tab stop, the edit,
// which tells the page; a click moves the focus to the button clicked.
const std::pair<int, int> kEditFocused{IDC_FIX_EDIT, kEnSetFocus};
const std::pair<int, int> kEditUnfocused{IDC_FIX_EDIT, kEnKillFocus};

class DialogContract : public ::testing::Test {
 protected:
  RecordingPage page;
  std::unique_ptr<FixtureDialog> dialog;
  Controls* controls = nullptr;
  ControlsProbe* probe = nullptr;

  void SetUp() override {
    dialog = OpenFixtureDialog(page);
    ASSERT_NE(dialog, nullptr);
    controls = &dialog->controls();
    probe = &dialog->probe();
  }

  std::vector<std::string> Items(int id) {
    std::vector<std::string> items;
    for (int i = 0; i < controls->ItemCount(id); ++i) items.push_back(controls->ItemText(id, i));
    return items;
  }
};

TEST_F(DialogContract, SortedListsOrderAsWindowsIgnoringCaseAndUnsortedKeepInsertion) {
  const std::vector<std::string> added = {"cherry", "Apple", "banana", "10",   "9",
                                          "_under", "b-c",   "bb",     "Zeta", "apple"};
  for (const auto& text : added) {
    EXPECT_GE(controls->AddItem(IDC_FIX_SORTED, text), 0) << text;
    controls->AddItem(IDC_FIX_UNSORTED, text);
  }
  // Symbols before digits before letters; case ignored; the hyphen passed
  // over ("b-c" after "bb"); an equal entry goes before the one it meets.
  EXPECT_EQ(Items(IDC_FIX_SORTED),
            (std::vector<std::string>{"_under", "10", "9", "apple", "Apple", "banana", "bb", "b-c",
                                      "cherry", "Zeta"}));
  EXPECT_EQ(Items(IDC_FIX_UNSORTED), added);

  // Inserting at an index ignores the sorted style; past the end is refused.
  EXPECT_EQ(controls->InsertItem(IDC_FIX_SORTED, 0, "zzz"), 0);
  EXPECT_EQ(controls->ItemText(IDC_FIX_SORTED, 0), "zzz");
  EXPECT_EQ(controls->InsertItem(IDC_FIX_SORTED, -1, "aaa"), 11);
  EXPECT_EQ(controls->InsertItem(IDC_FIX_UNSORTED, 99, "x"), -1);
}

TEST_F(DialogContract, PrefixSearchStartsAfterTheGivenEntryAndWrapsRound) {
  for (const char* text : {"Model", "Model X", "Other", "model y"}) {
    controls->AddItem(IDC_FIX_UNSORTED, text);
    controls->AddItem(IDC_FIX_LIST, text);
  }
  for (int id : {IDC_FIX_UNSORTED, IDC_FIX_LIST}) {
    SCOPED_TRACE(id);
    EXPECT_EQ(controls->FindPrefix(id, 0, "model"), 1);  // entry 0 comes last
    EXPECT_EQ(controls->FindPrefix(id, 1, "MODEL"), 3);
    EXPECT_EQ(controls->FindPrefix(id, 3, "model"), 0);    // wrapped
    EXPECT_EQ(controls->FindPrefix(id, 1, "Model X"), 1);  // ends with the start entry
    EXPECT_EQ(controls->FindPrefix(id, -1, "oth"), 2);
    EXPECT_EQ(controls->FindPrefix(id, 0, "zzz"), -1);
  }
  EXPECT_EQ(controls->FindPrefix(IDC_FIX_SORTED, -1, "a"), -1);  // empty list
}

TEST_F(DialogContract, SelectionFollowsInsertionsAndDeletionsAndShowsInTheDropDown) {
  for (const char* text : {"one", "two", "three"}) controls->AddItem(IDC_FIX_UNSORTED, text);
  EXPECT_EQ(controls->Selection(IDC_FIX_UNSORTED), -1);
  controls->Select(IDC_FIX_UNSORTED, 1);
  EXPECT_EQ(probe->Text(IDC_FIX_UNSORTED), "two");
  controls->InsertItem(IDC_FIX_UNSORTED, 0, "zero");
  EXPECT_EQ(controls->Selection(IDC_FIX_UNSORTED), 2);
  controls->DeleteItem(IDC_FIX_UNSORTED, 0);
  EXPECT_EQ(controls->Selection(IDC_FIX_UNSORTED), 1);
  controls->DeleteItem(IDC_FIX_UNSORTED, 1);
  EXPECT_EQ(controls->Selection(IDC_FIX_UNSORTED), -1);
  controls->Select(IDC_FIX_UNSORTED, 0);
  controls->Select(IDC_FIX_UNSORTED, 7);  // out of range: the selection is cleared
  EXPECT_EQ(controls->Selection(IDC_FIX_UNSORTED), -1);

  // A user's pick notifies the dialog; selecting from code does not.
  dialog->Choose(IDC_FIX_UNSORTED, 1);
  EXPECT_EQ(controls->Selection(IDC_FIX_UNSORTED), 1);
  EXPECT_EQ(page.commands, (Commands{kEditFocused, {IDC_FIX_UNSORTED, kCbnSelChange}}));

  controls->AddItem(IDC_FIX_LIST, "line");
  controls->Select(IDC_FIX_LIST, controls->AddItem(IDC_FIX_LIST, "last"));
  EXPECT_EQ(controls->Selection(IDC_FIX_LIST), 1);
  controls->ClearItems(IDC_FIX_LIST);
  EXPECT_EQ(controls->ItemCount(IDC_FIX_LIST), 0);
  EXPECT_EQ(controls->Selection(IDC_FIX_LIST), -1);
}

TEST_F(DialogContract, RadioRangesClearEveryButtonInRangeAndClicksFollowGroups) {
  controls->Check(IDC_FIX_CHECK, true);
  controls->CheckRadio(IDC_FIX_CHECK, IDC_FIX_RADIO3, IDC_FIX_RADIO2);
  EXPECT_FALSE(controls->Checked(IDC_FIX_CHECK));  // a check box in the range too
  EXPECT_TRUE(controls->Checked(IDC_FIX_RADIO2));

  controls->Check(IDC_FIX_CHECK, true);
  dialog->Click(IDC_FIX_RADIO3);
  EXPECT_TRUE(controls->Checked(IDC_FIX_RADIO3));
  EXPECT_FALSE(controls->Checked(IDC_FIX_RADIO2));
  EXPECT_TRUE(controls->Checked(IDC_FIX_CHECK));  // not of the radio group
  dialog->Click(IDC_FIX_CHECK);
  EXPECT_FALSE(controls->Checked(IDC_FIX_CHECK));
  EXPECT_EQ(page.commands, (Commands{kEditFocused,
                                     kEditUnfocused,
                                     {IDC_FIX_RADIO3, kBnClicked},
                                     {IDC_FIX_CHECK, kBnClicked}}));
}

TEST_F(DialogContract, DisabledControlsIgnoreClicksAndStatesReadBack) {
  EXPECT_FALSE(probe->Enabled(IDC_FIX_DISABLED));
  dialog->Click(IDC_FIX_DISABLED);
  EXPECT_EQ(page.commands, Commands{kEditFocused});

  controls->Enable(IDC_FIX_PRESS, false);
  dialog->Click(IDC_FIX_PRESS);
  EXPECT_EQ(page.commands, Commands{kEditFocused});
  controls->Enable(IDC_FIX_PRESS, true);
  dialog->Click(IDC_FIX_PRESS);
  EXPECT_EQ(page.commands, (Commands{kEditFocused, kEditUnfocused, {IDC_FIX_PRESS, kBnClicked}}));

  EXPECT_FALSE(probe->Visible(IDC_FIX_HIDDEN));
  controls->Show(IDC_FIX_HIDDEN, true);
  EXPECT_TRUE(probe->Visible(IDC_FIX_HIDDEN));
  controls->SetText(IDC_FIX_PRESS, "Next (&N)>>");
  EXPECT_EQ(probe->Text(IDC_FIX_PRESS), "Next (&N)>>");

  EXPECT_EQ(probe->DefaultButton(), 1);
  probe->SetDefaultButton(IDC_FIX_PRESS);
  EXPECT_EQ(probe->DefaultButton(), IDC_FIX_PRESS);
  controls->SetFocus(IDC_FIX_EDIT);
  EXPECT_EQ(probe->Focus(), IDC_FIX_EDIT);

  controls->SetRange(IDC_FIX_PROGRESS, 0, 100);
  controls->SetPosition(IDC_FIX_PROGRESS, 42);
  EXPECT_EQ(probe->Position(IDC_FIX_PROGRESS), 42);
  controls->SetPosition(IDC_FIX_PROGRESS, 150);
  EXPECT_EQ(probe->Position(IDC_FIX_PROGRESS), 100);

  const Font arial{"Arial", -14, 700};
  controls->SetFont(IDC_FIX_LABEL, arial);
  EXPECT_EQ(probe->FontOf(IDC_FIX_LABEL), arial);
}

TEST_F(DialogContract, AMissingIdReadsEmptyAndIgnoresWrites) {
  constexpr int kMissing = 4242;
  controls->SetText(kMissing, "text");
  controls->Enable(kMissing, true);
  controls->Show(kMissing, true);
  controls->Check(kMissing, true);
  EXPECT_FALSE(probe->Exists(kMissing));
  EXPECT_EQ(probe->Text(kMissing), "");
  EXPECT_FALSE(probe->Enabled(kMissing));
  EXPECT_FALSE(probe->Visible(kMissing));
  EXPECT_FALSE(controls->Checked(kMissing));
  EXPECT_EQ(controls->AddItem(kMissing, "x"), -1);
  EXPECT_EQ(controls->ItemCount(kMissing), 0);
  EXPECT_EQ(controls->ItemText(kMissing, 0), "");
  EXPECT_EQ(controls->Selection(kMissing), -1);
  EXPECT_EQ(controls->FindPrefix(kMissing, -1, ""), -1);
  EXPECT_FALSE(controls->ItemChecked(kMissing, 0));
  EXPECT_EQ(probe->Position(kMissing), 0);
  // A control that is no list has no items either.
  EXPECT_EQ(controls->AddItem(IDC_FIX_LABEL, "x"), -1);
  EXPECT_EQ(controls->ItemCount(IDC_FIX_LABEL), 0);
}

TEST_F(DialogContract, ListViewCheckStatesNotifyOnChangeAndFollowTheirItems) {
  const uint32_t styles =
      kLvsExCheckBoxes | kLvsExGridLines | kLvsExTrackSelect | kLvsExFullRowSelect;
  controls->SetListViewStyles(IDC_FIX_LISTVIEW, styles);
  EXPECT_EQ(probe->ListViewStyles(IDC_FIX_LISTVIEW) & styles, styles);
  for (const char* name : {"Printer A", "Monitor B", "Processor C"}) {
    controls->AddItem(IDC_FIX_LISTVIEW, name);
  }
  EXPECT_EQ(Items(IDC_FIX_LISTVIEW),
            (std::vector<std::string>{"Printer A", "Monitor B", "Processor C"}));
  EXPECT_FALSE(controls->ItemChecked(IDC_FIX_LISTVIEW, 1));  // new items start cleared
  EXPECT_TRUE(page.itemChecks.empty());

  controls->CheckItem(IDC_FIX_LISTVIEW, 1, true);
  controls->CheckItem(IDC_FIX_LISTVIEW, 1, true);  // no change, no notification
  controls->CheckItem(IDC_FIX_LISTVIEW, 2, true);
  controls->CheckItem(IDC_FIX_LISTVIEW, 2, false);
  EXPECT_EQ(page.itemChecks, (std::vector<std::pair<int, bool>>{{1, true}, {2, true}, {2, false}}));

  controls->DeleteItem(IDC_FIX_LISTVIEW, 0);
  EXPECT_TRUE(controls->ItemChecked(IDC_FIX_LISTVIEW, 0));  // "Monitor B" moved up
  EXPECT_FALSE(controls->ItemChecked(IDC_FIX_LISTVIEW, 1));
  EXPECT_FALSE(controls->ItemChecked(IDC_FIX_LISTVIEW, 5));

  controls->Select(IDC_FIX_LISTVIEW, 1);
  EXPECT_EQ(controls->Selection(IDC_FIX_LISTVIEW), 1);
  controls->Select(IDC_FIX_LISTVIEW, -1);
  EXPECT_EQ(controls->Selection(IDC_FIX_LISTVIEW), -1);
  EXPECT_EQ(controls->FindPrefix(IDC_FIX_LISTVIEW, 0, "monitor"), 0);
}

TEST_F(DialogContract, TimersTickUntilKilledAndRestartWithANewPeriod) {
  controls->SetTimer(1, 50);
  dialog->LetTimePass(500);
  size_t ticked = page.ticks.size();
  // Exactly 10 on the virtual clock; a real timer may run late, never early.
  EXPECT_GE(ticked, 3u);
  EXPECT_LE(ticked, 10u);
  EXPECT_EQ(page.ticks.front(), 1);

  probe->KillTimer(1);
  dialog->LetTimePass(200);
  EXPECT_EQ(page.ticks.size(), ticked);

  // A tick that kills its own timer is the last.
  page.onTick = [](Controls& c, int id) { ProbeOf(c).KillTimer(id); };
  controls->SetTimer(7, 20);
  dialog->LetTimePass(300);
  EXPECT_EQ(page.ticks.size(), ticked + 1);
  EXPECT_EQ(page.ticks.back(), 7);
}

// LoadImage reads a bitmap file's headers before it draws: a file that only
// starts with "BM" is no bitmap.
TEST_F(DialogContract, BitmapFilesLoadOnlyWhenTheirHeadersDescribeABitmap) {
  const std::string dir = NewScratchDirectory();
  const std::string good = test::BitmapBytes(2, 2);
  std::string oddHeader = good;
  oddHeader[14] = 7;  // an info header of no known size
  std::string oddDepth = good;
  oddDepth[28] = 7;  // 7 bits a pixel
  struct Row {
    const char* name;
    std::string bytes;
    bool loads;
    bool loadsOnWine;
  };
  const Row rows[] = {
      {"good.bmp", good, true, true},
      {"top-down.bmp", test::BitmapBytes(3, -2), true, true},
      {"two-bytes.bmp", "BM", false, false},
      {"file-header-only.bmp", good.substr(0, 14), false, false},
      {"odd-info-header.bmp", oddHeader, false, false},
      // Windows draws 1, 4, 8, 16, 24 and 32 bits a pixel; Wine 8 loads the
      // file whatever its bit count.
      {"odd-depth.bmp", oddDepth, false, true},
      {"text.bmp", "This is a text file and no picture at all.\r\n", false, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const std::string path = dir + "\\" + row.name;
    ArrangeFile(path, row.bytes);
    EXPECT_EQ(controls->ShowBitmapFile(IDC_FIX_PICTURE, path),
              RunningOnWine() ? row.loadsOnWine : row.loads);
  }
  EXPECT_FALSE(controls->ShowBitmapFile(IDC_FIX_PICTURE, dir + "\\missing.bmp"));
  // A file that loads is loaded even when there is no control to paint it on.
  EXPECT_TRUE(controls->ShowBitmapFile(4242, dir + "\\good.bmp"));
}

// WM_CTLCOLORSTATIC gives the device context the colours set, system colours
// resolved; a control without colours of its own gets the system's defaults.
TEST_F(DialogContract, ControlsAreDrawnInTheirColoursWithSystemColoursResolved) {
  constexpr int kColorIndexWindow = 5, kColorIndexWindowText = 8, kColorIndexButtonFace = 15;
  EXPECT_EQ(probe->DrawnTextColor(IDC_FIX_LABEL), SystemColor(kColorIndexWindowText));
  EXPECT_EQ(probe->DrawnBackgroundColor(IDC_FIX_LABEL), SystemColor(kColorIndexButtonFace));

  controls->SetColors(IDC_FIX_LABEL, Rgb(0, 0, 255), Rgb(255, 202, 253));
  EXPECT_EQ(probe->DrawnTextColor(IDC_FIX_LABEL), Rgb(0, 0, 255));
  EXPECT_EQ(probe->DrawnBackgroundColor(IDC_FIX_LABEL), Rgb(255, 202, 253));
  controls->SetColors(IDC_FIX_LABEL, kColorWindowText, kColorWindow);
  EXPECT_EQ(probe->DrawnTextColor(IDC_FIX_LABEL), SystemColor(kColorIndexWindowText));
  EXPECT_EQ(probe->DrawnBackgroundColor(IDC_FIX_LABEL), SystemColor(kColorIndexWindow));

  controls->SetColors(4242, Rgb(1, 2, 3), Rgb(4, 5, 6));
  EXPECT_EQ(probe->DrawnTextColor(4242), 0u);
}

TEST_F(DialogContract, TooltipsShowTheLatestTextSetForTheirControl) {
  EXPECT_EQ(probe->Tooltip(IDC_FIX_PRESS), "");
  controls->SetTooltip(IDC_FIX_PRESS, "Goes on to the next step", 200);
  controls->SetTooltip(IDC_FIX_CHECK, "Tick to keep the files", 200);
  EXPECT_EQ(probe->Tooltip(IDC_FIX_PRESS), "Goes on to the next step");
  controls->SetTooltip(IDC_FIX_PRESS, "Again", 100);
  EXPECT_EQ(probe->Tooltip(IDC_FIX_PRESS), "Again");
  EXPECT_EQ(probe->Tooltip(IDC_FIX_CHECK), "Tick to keep the files");
  controls->SetTooltip(4242, "nowhere", 200);
  EXPECT_EQ(probe->Tooltip(4242), "");
}

TEST_F(DialogContract, TheWindowMinimisesStaysOnTopAndCarriesItsIconAndSystemMenuItem) {
  EXPECT_FALSE(probe->ShowsIcon(IDI_FIX_ICON));
  controls->SetIcon(IDI_FIX_ICON);
  EXPECT_TRUE(probe->ShowsIcon(IDI_FIX_ICON));

  EXPECT_FALSE(probe->Minimized());
  EXPECT_FALSE(probe->Topmost());
  controls->SetTopmost(true);
  EXPECT_TRUE(probe->Topmost());
  controls->Minimize();
  EXPECT_TRUE(probe->Minimized());
  probe->Restore();
  EXPECT_FALSE(probe->Minimized());
  controls->SetTopmost(false);
  EXPECT_FALSE(probe->Topmost());

  constexpr int kAbout = 0x0010;  // the low four bits of a system command are the system's
  controls->AddSystemMenuItem(kAbout, "&About Fixture...");
  EXPECT_EQ(probe->SystemMenuItem(kAbout), "&About Fixture...");
  EXPECT_EQ(probe->SystemMenuItem(0x0020), "");
  dialog->ChooseSystemMenu(kAbout);
  EXPECT_EQ(page.sysCommands, std::vector<int>{kAbout});
}

// DefDlgProc ends no dialog by itself; ending on an IDOK or IDCANCEL that the
// page leaves is the binding's, and only for a modal dialog (a modeless one is
// destroyed by whoever opened it).
TEST_F(DialogContract, AModelessDialogIsNotEndedByOkOrCancel) {
  page.handlesCommands = false;
  dialog->Click(kIdOk);
  dialog->PressEscape();
  EXPECT_FALSE(probe->Ended());
  EXPECT_TRUE(probe->WindowVisible());
  Commands endings;
  for (const auto& command : page.commands) {
    if (command.first == kIdOk || command.first == kIdCancel) endings.push_back(command);
  }
  EXPECT_EQ(endings, (Commands{{kIdOk, kBnClicked}, {kIdCancel, kBnClicked}}));
}

// F1 goes to the window with the focus; DefWindowProc passes what a page
// leaves to its dialog, and what a top-level dialog leaves to its owner.
TEST_F(DialogContract, HelpThatAPageLeavesGoesToItsDialogAndThenToTheOwner) {
  RecordingPage ownedPage, child;  // outlive the dialog that shows them
  auto owned = OpenFixtureDialog(ownedPage, controls->Handle());
  ASSERT_NE(owned, nullptr);
  Controls* created = owned->controls().CreatePage(IDD_FIXTURE_PAGE, child, IDC_FIX_FRAME);
  ASSERT_NE(created, nullptr);
  created->ShowWindow(true);
  created->SetFocus(IDC_PAGE_BUTTON);

  owned->PressF1();
  EXPECT_EQ(child.helps, 1);
  EXPECT_EQ(ownedPage.helps, 1);
  EXPECT_EQ(page.helps, 1);
  ownedPage.handlesHelp = true;
  owned->PressF1();
  EXPECT_EQ(child.helps, 2);
  EXPECT_EQ(ownedPage.helps, 2);
  EXPECT_EQ(page.helps, 1);
}

TEST_F(DialogContract, AMessageBoxOwnedByTheDialogIsAnswered) {
  AnswerNextMessageBox(kIdNo);
  int answer = ContractMachine().desktop.MessageBox(controls->Handle(), "Proceed?", "Fixture",
                                                    kMbYesNo | kMbIconExclamation);
  EXPECT_EQ(answer, kIdNo);
  AnsweredBox box = AnsweredMessageBox();
  EXPECT_EQ(box.text, "Proceed?");
  EXPECT_EQ(box.caption, "Fixture");
  EXPECT_EQ(box.owner, controls->Handle());
}

TEST_F(DialogContract, APageIsCreatedHiddenWithItsOwnControls) {
  RecordingPage child;
  Controls* created = controls->CreatePage(IDD_FIXTURE_PAGE, child, IDC_FIX_FRAME);
  ASSERT_NE(created, nullptr);
  EXPECT_EQ(created->Parent(), controls);
  EXPECT_FALSE(ProbeOf(*created).WindowVisible());
  EXPECT_EQ(ProbeOf(*created).Text(IDC_PAGE_LABEL), "Page");
  EXPECT_FALSE(probe->Exists(IDC_PAGE_LABEL));  // each dialog has its own ids
  created->ShowWindow(true);
  EXPECT_TRUE(ProbeOf(*created).WindowVisible());
  controls->DestroyPages();
  EXPECT_EQ(controls->CreatePage(4711, child, IDC_FIX_FRAME), nullptr);
  // A template number counts by its low word, as MAKEINTRESOURCE takes it.
  EXPECT_NE(controls->CreatePage(0x10000 | IDD_FIXTURE_PAGE, child, IDC_FIX_FRAME), nullptr);
  controls->DestroyPages();
}

// The thread contract (platform/Controls.h): a worker appends status lines
// and changes states through the calls marked for any thread while the
// dialog's own thread handles its messages (on the model the worker has run
// already when Start returns).
TEST_F(DialogContract, AWorkerAppendsStatusLinesWhileTheDialogsThreadHandlesMessages) {
  Threads& threads = ContractMachine().threads;
  std::atomic<bool> done{false};
  ThreadHandle worker = 0;
  ASSERT_EQ(threads.Start(
                [&] {
                  for (int line = 0; line < 20; ++line) {
                    const std::string text =
                        std::string(line < 10 ? "status 0" : "status ") + std::to_string(line);
                    controls->Select(IDC_FIX_LIST, controls->AddItem(IDC_FIX_LIST, text));
                  }
                  controls->Enable(IDC_FIX_PRESS, false);
                  controls->SetText(IDC_FIX_LABEL, "removed");
                  done = true;
                },
                &worker),
            0u);
  for (int waited = 0; waited < 10000 && !done; waited += 20) dialog->LetTimePass(20);
  EXPECT_EQ(threads.JoinDispatching(worker), 0u);
  ASSERT_TRUE(done);
  ASSERT_EQ(controls->ItemCount(IDC_FIX_LIST), 20);
  EXPECT_EQ(controls->ItemText(IDC_FIX_LIST, 0), "status 00");
  EXPECT_EQ(controls->ItemText(IDC_FIX_LIST, 19), "status 19");
  EXPECT_EQ(controls->Selection(IDC_FIX_LIST), 19);
  EXPECT_FALSE(probe->Enabled(IDC_FIX_PRESS));
  EXPECT_EQ(probe->Text(IDC_FIX_LABEL), "removed");
}

// As the uninstaller's restart question runs: a modal dialog run by a worker
// belongs to that worker, owned by a dialog of another thread that goes on
// handling its messages.
TEST_F(DialogContract, AWorkerRunsAModalDialogOwnedByADialogOfAnotherThread) {
  RecordingPage question;
  question.init = [](Controls& asked) {
    asked.SetText(IDC_FIX_LABEL, "Restart now?");
    asked.EndDialog(kIdOk);
  };
  Threads& threads = ContractMachine().threads;
  std::atomic<int> result{0};
  std::atomic<bool> done{false};
  ThreadHandle worker = 0;
  const WindowHandle owner = controls->Handle();
  ASSERT_EQ(threads.Start(
                [&] {
                  result = FixtureDialogs().RunModal(IDD_FIXTURE, question, owner);
                  done = true;
                },
                &worker),
            0u);
  for (int waited = 0; waited < 10000 && !done; waited += 20) dialog->LetTimePass(20);
  EXPECT_EQ(threads.JoinDispatching(worker), 0u);
  EXPECT_EQ(result, kIdOk);
  EXPECT_TRUE(probe->WindowVisible()) << "the owner stays open";
  controls->SetText(IDC_FIX_LABEL, "still answering");
  EXPECT_EQ(probe->Text(IDC_FIX_LABEL), "still answering");
}

// A modal run that ends during initialisation: initialisation goes on to its
// end (here: a message box), and the run returns the result without a loop.
TEST(DialogModalContract, EndingDuringInitialisationLetsItFinishAndReturnsTheResult) {
  RecordingPage page;
  int answer = 0;
  std::string textAfterEnd;
  page.init = [&](Controls& controls) {
    controls.EndDialog(kIdCancel);
    controls.SetText(IDC_FIX_LABEL, "after the end");
    textAfterEnd = ProbeOf(controls).Text(IDC_FIX_LABEL);
    EXPECT_TRUE(ProbeOf(controls).Ended());
    answer = ContractMachine().desktop.MessageBox(controls.Handle(), "Can't load file Left.bmp!",
                                                  "setup", kMbOk);
  };
  AnswerNextMessageBox(kIdOk);
  EXPECT_EQ(FixtureDialogs().RunModal(IDD_FIXTURE, page, 0), kIdCancel);
  EXPECT_EQ(answer, kIdOk);
  EXPECT_EQ(textAfterEnd, "after the end");
  EXPECT_EQ(AnsweredMessageBox().text, "Can't load file Left.bmp!");
  // The focus is given even so, and taken again as the dialog goes.
  EXPECT_EQ(page.commands, (Commands{kEditFocused, kEditUnfocused}));
}

TEST(DialogModalContract, OkAndCancelThatThePageLeavesEndAModalDialogWithTheirId) {
  const std::pair<Key, int> rows[] = {{Key::Escape, kIdCancel}, {Key::Enter, kIdOk}};
  for (const auto& [key, result] : rows) {
    SCOPED_TRACE(result);
    RecordingPage page;
    page.handlesCommands = false;
    PressInNextModalFixture({key});
    EXPECT_EQ(FixtureDialogs().RunModal(IDD_FIXTURE, page, 0), result);
    const auto ending = std::make_pair(result, kBnClicked);
    EXPECT_NE(std::find(page.commands.begin(), page.commands.end(), ending), page.commands.end());
  }
}

TEST(DialogModalContract, AnUnknownTemplateCannotRun) {
  RecordingPage page;
  EXPECT_EQ(FixtureDialogs().RunModal(4711, page, 0), -1);
}

}  // namespace
}  // namespace kv::contract
