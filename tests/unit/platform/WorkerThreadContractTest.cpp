// The thread contract of the control interface: the methods platform/Controls.h
// marks [any thread] are the ones the simulated dialogs let a worker call,
// and a worker's call of any other method is refused.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "sim/SimDialogs.h"
#include "sim/SimMachine.h"

namespace kv::sim {
namespace {

constexpr int kDialog = 300;
constexpr int kStatus = 301;
constexpr int kButton = 302;

// The Controls methods whose comment ends in the mark, read from the header.
std::set<std::string> MarkedInTheInterface() {
  std::ifstream file(std::string(KV_SOURCE_DIR) + "/src/platform/Controls.h");
  std::stringstream text;
  text << file.rdbuf();
  std::string all = text.str();
  const size_t begin = all.find("class Controls {");
  const size_t end = all.find("class DialogPage {");
  EXPECT_NE(begin, std::string::npos);
  EXPECT_NE(end, std::string::npos);
  const std::string body = all.substr(begin, end - begin);
  std::set<std::string> marked;
  const std::regex method(R"(\[any thread\]\n\s*virtual [^(]*\b(\w+)\()");
  for (std::sregex_iterator it(body.begin(), body.end(), method), none; it != none; ++it) {
    marked.insert((*it)[1]);
  }
  return marked;
}

TEST(WorkerThreadContractTest, TheSimulatedDialogsLetWorkersCallWhatTheInterfaceMarks) {
  const std::set<std::string> simulated(std::begin(kWorkerSafeControls),
                                        std::end(kWorkerSafeControls));
  EXPECT_EQ(MarkedInTheInterface(), simulated);
}

class StatusPage : public DialogPage {};

TEST(WorkerThreadContractTest, AWorkerIsRefusedWhatIsNotMarkedAndGetsWhatIs) {
  SimMachine sim;
  sim.dialogs().AddLayout({kDialog,
                           "Status",
                           {ControlTemplate(kStatus, ControlKind::ListBox),
                            ControlTemplate(kButton, ControlKind::PushButton, "Go")}});
  StatusPage page;
  auto dialog = sim.dialogs().OpenModeless(kDialog, page, 0);
  ASSERT_NE(dialog, nullptr);

  ThreadHandle worker = 0;
  ASSERT_EQ(sim.threads().Start(
                [&] {
                  Controls& controls = *dialog;
                  controls.Select(kStatus, controls.AddItem(kStatus, "line one"));
                  controls.Enable(kButton, false);
                  controls.SetFocus(kButton);
                  controls.SetTimer(1, 100);
                  EXPECT_EQ(controls.CreatePage(kDialog, page, kButton), nullptr);
                },
                &worker),
            0u);
  EXPECT_EQ(sim.threads().Join(worker), 0u);

  EXPECT_EQ(sim.dialogs().refusedWorkerCalls(),
            (std::vector<std::string>{"SetFocus", "SetTimer", "CreatePage"}));
  EXPECT_EQ(dialog->ItemText(kStatus, 0), "line one");
  EXPECT_EQ(dialog->Selection(kStatus), 0);
  EXPECT_FALSE(dialog->Enabled(kButton));
  EXPECT_NE(dialog->Focus(), kButton) << "a refused call does nothing";
  EXPECT_TRUE(dialog->timers().empty());

  // The dialog's own thread may make every call.
  dialog->SetFocus(kStatus);
  EXPECT_EQ(dialog->Focus(), kStatus);
  EXPECT_EQ(sim.dialogs().refusedWorkerCalls().size(), 3u);
}

TEST(WorkerThreadContractTest, ADialogAWorkerOpensIsThatWorkersOwn) {
  SimMachine sim;
  sim.dialogs().AddLayout(
      {kDialog, "Question", {ControlTemplate(kButton, ControlKind::PushButton)}});
  int result = 0;
  sim.dialogs().WhenOpen(kDialog, [](SimDialog& question) {
    question.SetFocus(kButton);
    question.EndDialog(kIdOk);
  });
  ThreadHandle worker = 0;
  StatusPage page;
  ASSERT_EQ(
      sim.threads().Start([&] { result = sim.dialogs().RunModal(kDialog, page, 0); }, &worker), 0u);
  EXPECT_EQ(sim.threads().Join(worker), 0u);
  EXPECT_EQ(result, kIdOk);
  EXPECT_TRUE(sim.dialogs().refusedWorkerCalls().empty());
}

}  // namespace
}  // namespace kv::sim
