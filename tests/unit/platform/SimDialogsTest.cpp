#include "sim/SimDialogs.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "sim/SimMachine.h"
#include "support/BitmapBytes.h"

namespace kv::sim {
namespace {

constexpr int kWindow = 102;
constexpr int kPage = 133;
constexpr int kNext = 1;
constexpr int kBack = 1002;
constexpr int kFrame = 1001;
constexpr int kAccept = 1057;

// A page whose handlers a test fills in; it records what reached it.
class ScriptedPage : public DialogPage {
 public:
  std::function<void(Controls&)> init;
  std::function<bool(Controls&, int, int)> command;
  std::function<void(Controls&, int)> tick;
  std::function<bool(Controls&)> help;
  std::vector<std::string>* log = nullptr;
  std::string name;

  void OnInit(Controls& controls) override {
    if (init) init(controls);
  }
  bool OnCommand(Controls& controls, int id, int code) override {
    commands.push_back(id);
    return command ? command(controls, id, code) : false;
  }
  void OnTimer(Controls& controls, int timerId) override {
    if (tick) tick(controls, timerId);
  }
  bool OnHelp(Controls& controls) override {
    if (log != nullptr) log->push_back("help " + name);
    return help ? help(controls) : false;
  }
  bool OnSysCommand(Controls&, int commandId) override {
    sysCommands.push_back(commandId);
    return true;
  }
  void OnPaint(Controls&, Canvas& canvas) override {
    Rect client = canvas.ClientRect();
    canvas.DrawText("Installing", {0, 0, client.right, client.bottom * 2 / 3}, {"System", 20, 700},
                    Rgb(0, 51, 153), kDtCenter | kDtVCenter | kDtSingleLine);
  }
  void OnDestroy(Controls&) override {
    if (log != nullptr) log->push_back("destroy " + name);
  }

  std::vector<int> commands;
  std::vector<int> sysCommands;
};

class SimDialogsTest : public ::testing::Test {
 protected:
  SimDialogsTest() {
    dialogs().AddLayout({kWindow,
                         "Printer Driver Setup",
                         {ControlTemplate(kBack, ControlKind::PushButton, "Back").Disabled(),
                          ControlTemplate(kNext, ControlKind::PushButton, "Next").Default(),
                          {2, ControlKind::PushButton, "Cancel"},
                          ControlTemplate(kFrame, ControlKind::Picture).Hidden(),
                          {1087, ControlKind::Picture}}});
    dialogs().AddLayout({kPage,
                         "",
                         {ControlTemplate(kAccept, ControlKind::RadioButton, "I &Accept").Group(),
                          {1058, ControlKind::RadioButton, "I &Reject"}}});
  }
  SimDialogs& dialogs() { return sim.dialogs(); }

  SimMachine sim;
  ScriptedPage window;
};

TEST_F(SimDialogsTest, AModalRunReturnsWhatTheUserEndedItWithAndDestroysPagesFirst) {
  std::vector<std::string> log;
  ScriptedPage page;
  page.log = window.log = &log;
  page.name = "page";
  window.name = "window";
  window.init = [&](Controls& controls) { controls.CreatePage(kPage, page, kFrame); };
  dialogs().WhenOpen(kWindow, [](SimDialog& dialog) {
    EXPECT_FALSE(dialog.pages().front()->WindowVisible());
    EXPECT_EQ(dialog.pages().front()->frameOf(), kFrame);
    dialog.PressEscape();  // IDCANCEL, not handled by the page: the dialog ends
  });

  EXPECT_EQ(dialogs().RunModal(kWindow, window, 0x1234), 2);
  EXPECT_EQ(dialogs().modalRuns(), (std::vector<std::pair<int, WindowHandle>>{{kWindow, 0x1234}}));
  EXPECT_EQ(log, (std::vector<std::string>{"destroy page", "destroy window"}));
}

TEST_F(SimDialogsTest, EndingDuringInitialisationSkipsTheUserAndAnUnendedRunIsAnError) {
  bool userActed = false;
  dialogs().WhenOpen(kWindow, [&](SimDialog&) { userActed = true; });
  window.init = [](Controls& controls) { controls.EndDialog(2); };
  EXPECT_EQ(dialogs().RunModal(kWindow, window, 0), 2);
  EXPECT_FALSE(userActed);

  ScriptedPage stubborn;
  EXPECT_THROW(dialogs().RunModal(kWindow, stubborn, 0), std::logic_error);
  EXPECT_EQ(dialogs().RunModal(4711, stubborn, 0), -1);
}

TEST_F(SimDialogsTest, EnterPressesTheEnabledDefaultButtonAndOtherwiseSendsOk) {
  window.command = [](Controls&, int, int) { return true; };
  auto dialog = dialogs().Open(kWindow, window);
  dialog->SetDefaultButton(kBack);
  dialog->PressEnter();  // Back is disabled: IDOK all the same
  dialog->Enable(kBack, true);
  dialog->PressEnter();
  EXPECT_EQ(window.commands, (std::vector<int>{kNext, kBack}));
  EXPECT_FALSE(dialog->Ended());  // the page kept OK for itself
}

TEST_F(SimDialogsTest, HiddenPagesIgnoreTheUserAndHelpGoesUpWhenAPageDeclines) {
  std::vector<std::string> log;
  ScriptedPage page;
  page.log = window.log = &log;
  page.name = "page";
  window.name = "window";
  auto dialog = dialogs().Open(kWindow, window);
  auto* child = static_cast<SimDialog*>(dialog->CreatePage(kPage, page, kFrame));
  ASSERT_NE(child, nullptr);

  EXPECT_FALSE(child->Click(kAccept));
  child->ShowWindow(true);
  EXPECT_TRUE(child->Click(kAccept));
  EXPECT_TRUE(child->Checked(kAccept));

  child->PressF1();
  page.help = [](Controls&) { return true; };
  child->PressF1();
  EXPECT_EQ(log, (std::vector<std::string>{"help page", "help window", "help page"}));

  // Escape typed on a page reaches the top-level dialog's loop.
  child->PressEscape();
  EXPECT_EQ(page.commands, std::vector<int>{kAccept});
  EXPECT_TRUE(dialog->Ended());
  EXPECT_EQ(dialog->result(), 2);
}

TEST_F(SimDialogsTest, ATickThatSleepsIsNotRepeatedAndTheDialogEndsOnTheVirtualClock) {
  // As a progress window polls: its first tick loops, sleeping, until done.
  int status = 0;
  int ticks = 0;
  window.init = [](Controls& controls) { controls.SetTimer(1, 100); };
  window.tick = [&](Controls& controls, int) {
    ++ticks;
    for (int n = 0; status == 0; ++n) {
      sim.clock().Sleep(80);
      if (n == 10) status = 2;
    }
    controls.EndDialog(1);
  };
  auto dialog = dialogs().Open(kWindow, window);
  EXPECT_TRUE(dialog->RunUntilEnded(10'000));
  EXPECT_EQ(ticks, 1);
  EXPECT_EQ(dialog->result(), 1);
  EXPECT_EQ(sim.clock().NowMs(), 100u + 11 * 80);
  EXPECT_EQ(sim.clock().sleeps(), std::vector<uint32_t>(11, 80));  // waiting for a tick is no sleep

  ScriptedPage idle;
  auto other = dialogs().Open(kWindow, idle);
  EXPECT_FALSE(other->RunUntilEnded(500));
}

TEST_F(SimDialogsTest, WindowLevelRequestsAreRecorded) {
  auto dialog = dialogs().Open(kWindow, window);
  dialog->AddSystemMenuItem(16, "&About Printer Driver Setup...");
  EXPECT_TRUE(dialog->ChooseSystemMenu(16));
  EXPECT_FALSE(dialog->ChooseSystemMenu(32));
  EXPECT_EQ(window.sysCommands, std::vector<int>{16});

  dialog->SetIcon(128);
  dialog->Minimize();
  dialog->SetTopmost(true);
  EXPECT_EQ(dialog->icon(), 128);
  EXPECT_TRUE(dialog->Minimized());
  EXPECT_TRUE(dialog->topmost());
  EXPECT_EQ(dialog->Caption(), "Printer Driver Setup");

  const auto& drawn = dialog->Paint();
  ASSERT_EQ(drawn.size(), 1u);
  EXPECT_EQ(drawn[0].text, "Installing");
  EXPECT_EQ(drawn[0].rect, (Rect{0, 0, 300, 133}));
  EXPECT_EQ(drawn[0].font, (Font{"System", 20, 700}));
}

TEST_F(SimDialogsTest, BitmapsLoadFromBitmapFilesRelativeToTheCurrentDirectory) {
  sim.files().AddDirectory("C:\\medium\\DRVCONFIG");
  sim.files().SetCurrentDirectory("C:\\medium");
  sim.files().AddFile("C:\\medium\\DRVCONFIG\\Left.bmp", test::BitmapBytes(4, 6));
  sim.files().AddFile("C:\\medium\\DRVCONFIG\\Text.bmp", "not a bitmap");
  auto dialog = dialogs().Open(kWindow, window);

  EXPECT_TRUE(dialog->ShowBitmapFile(1087, "DRVCONFIG\\Left.bmp"));
  EXPECT_EQ(dialog->bitmapPath(1087), "C:\\medium\\DRVCONFIG\\Left.bmp");
  EXPECT_FALSE(dialog->ShowBitmapFile(1087, "DRVCONFIG\\Text.bmp"));
  EXPECT_FALSE(dialog->ShowBitmapFile(1087, "DRVCONFIG\\Missing.bmp"));
  EXPECT_EQ(dialog->bitmapPath(1087), "C:\\medium\\DRVCONFIG\\Left.bmp");
}

}  // namespace
}  // namespace kv::sim
