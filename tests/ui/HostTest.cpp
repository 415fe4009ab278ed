#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "common/ui/HeadlessHost.h"
#include "common/ui/MButton.h"
#include "common/ui/MDialog.h"
#include "common/ui/MText.h"
#include "common/ui/Manager.h"
#include "common/ui/Messages.h"

namespace corvatt::dui {
namespace {

struct Msg {
  unsigned msg;
  uintptr_t wparam;
  intptr_t lparam;
  friend bool operator==(const Msg&, const Msg&) = default;
};

class LogDialog : public MDialog {
public:
  intptr_t OnWindowMessage(unsigned msg, uintptr_t wparam, intptr_t lparam,
                           bool& handled) override {
    if (msg == WM_CLOSE) return 0;  // default handling
    messages.push_back({msg, wparam, lparam});
    handled = true;
    return static_cast<intptr_t>(wparam) * 2;
  }
  void OnTimer(unsigned id) override {
    ticks.push_back({id, host_now ? host_now() : 0});
    if (id == 1 && kill_2_on_1) KillTimer(2);
    MDialog::OnTimer(id);
  }
  void OnMTimer() override { ++mtimer_ticks; }
  int OnMessage(int id, int event, intptr_t) override { return id == 33 && event == 2 ? (DoOK(), 1) : 0; }

  std::vector<Msg> messages;
  std::vector<std::pair<unsigned, uint64_t>> ticks;
  std::function<uint64_t()> host_now;
  bool kill_2_on_1 = false;
  int mtimer_ticks = 0;
};

class HostTest : public ::testing::Test {
protected:
  void SetUp() override {
    dlg.Create(nullptr, "MWindow", 0, {0, 0, 300, 200}, "Host");
    dlg.host_now = [this] { return host.Now(); };
  }
  HeadlessHost host;
  LogDialog dlg;
};

TEST_F(HostTest, PostedMessagesArriveInOrderOnlyWhenPumped) {
  EXPECT_TRUE(dlg.PostMessage(WM_USER + 1, 1, 2));
  EXPECT_TRUE(dlg.PostMessage(WM_DEVICECHANGE, 0x8000, 5));
  EXPECT_TRUE(dlg.messages.empty());
  EXPECT_EQ(host.PumpMessages(), 2u);
  EXPECT_EQ(dlg.messages, (std::vector<Msg>{{WM_USER + 1, 1, 2}, {WM_DEVICECHANGE, 0x8000, 5}}));
  EXPECT_EQ(dlg.SendMessage(WM_USER, 21, 0), 42);
}

TEST_F(HostTest, MessagesToADestroyedWindowAreDropped) {
  LogDialog other;
  other.Create(nullptr, "MWindow", 0, {}, "Other");
  other.PostMessage(WM_USER, 0, 0);
  other.DestroyWindow();
  EXPECT_FALSE(other.PostMessage(WM_USER, 0, 0));
  EXPECT_EQ(host.PumpMessages(), 0u);
  EXPECT_TRUE(other.messages.empty());
}

TEST_F(HostTest, MessagesPostedFromAnotherThreadAreDeliveredOnThePump) {
  constexpr int kCount = 200;
  std::thread worker([this] {
    for (int i = 0; i < kCount; ++i) dlg.PostMessage(1694, static_cast<uintptr_t>(i), 0);
  });
  worker.join();
  host.PumpMessages();
  ASSERT_EQ(dlg.messages.size(), static_cast<size_t>(kCount));
  for (int i = 0; i < kCount; ++i) EXPECT_EQ(dlg.messages[i].wparam, static_cast<uintptr_t>(i));
}

TEST_F(HostTest, SendMessageFromAnotherThreadWaitsForTheUiThread) {
  std::atomic<intptr_t> result{-1};
  std::thread worker([&] { result = dlg.SendMessage(1692, 5, 0); });
  while (Manager::Instance().PendingMessageCount() == 0) std::this_thread::yield();
  EXPECT_EQ(result.load(), -1);
  host.PumpMessages();
  worker.join();
  EXPECT_EQ(result.load(), 10);
}

TEST_F(HostTest, TimersFireInTimeOrderFromTheVirtualClock) {
  dlg.SetTimer(1, 100);
  dlg.SetTimer(2, 40);
  host.AdvanceClock(39);
  EXPECT_TRUE(dlg.ticks.empty());
  host.AdvanceClock(81);  // to 120
  using Tick = std::pair<unsigned, uint64_t>;
  EXPECT_EQ(dlg.ticks, (std::vector<Tick>{{2, 40}, {2, 80}, {1, 100}, {2, 120}}));
  dlg.KillTimer(2);
  EXPECT_FALSE(host.IsTimerRunning(dlg, 2));
  dlg.ticks.clear();
  host.AdvanceClock(100);
  EXPECT_EQ(dlg.ticks, (std::vector<Tick>{{1, 200}}));
}

TEST_F(HostTest, ATimerKilledByAnEarlierHandlerDoesNotFire) {
  dlg.SetTimer(1, 50);
  dlg.SetTimer(2, 50);
  dlg.kill_2_on_1 = true;
  host.AdvanceClock(50);
  ASSERT_EQ(dlg.ticks.size(), 1u);
  EXPECT_EQ(dlg.ticks[0].first, 1u);
}

TEST_F(HostTest, RestartingATimerRestartsItsPeriod) {
  dlg.SetTimer(100, 2000);
  host.AdvanceClock(1500);
  dlg.SetTimer(100, 2000);
  host.AdvanceClock(1999);
  EXPECT_TRUE(dlg.ticks.empty());
  host.AdvanceClock(1);
  EXPECT_EQ(dlg.ticks.size(), 1u);
}

TEST_F(HostTest, DialogTimerAndDestroyStopTimers) {
  dlg.SetMTimer(10);
  host.AdvanceClock(35);
  EXPECT_EQ(dlg.mtimer_ticks, 3);
  dlg.SetTimer(7, 5);
  dlg.DestroyWindow();
  EXPECT_EQ(host.TimerCount(), 0u);
  host.AdvanceClock(50);
  EXPECT_EQ(dlg.mtimer_ticks, 3);
}

TEST_F(HostTest, ModalRunsAreAnsweredFromTheScript) {
  LogDialog box;
  box.Create(&dlg, "MWindow", 0, {0, 0, 430, 230}, "MessageBox");
  auto* ok = box.Create<MButton>(33, {}, "OK");

  host.ScriptModal([&](MWindow& w) {
    EXPECT_EQ(&w, &box);
    EXPECT_TRUE(box.IsVisible());
    ok->Click();
    return 7;  // ignored: the dialog ended itself
  });
  EXPECT_EQ(box.ShowModal(), 1);
  EXPECT_FALSE(box.IsVisible());

  host.ScriptModal([&](MWindow&) {
    box.PostMessage(WM_CLOSE, 2, 0);
    host.PumpMessages();
    return 0;
  });
  EXPECT_EQ(box.ShowModal(), 2);

  host.ScriptModal([&](MWindow&) { box.DoCancel(); return 9; });
  EXPECT_EQ(box.ShowModal(), 0);

  host.ScriptModalResult(4);
  EXPECT_EQ(box.ShowModal(), 4);
  host.SetDefaultModalResult(-5);
  EXPECT_EQ(box.ShowModal(), -5);
  EXPECT_EQ(host.ModalTitles().size(), 5u);
  EXPECT_FALSE(box.IsModal());
}

TEST_F(HostTest, NestedModalsEndTheirOwnRun) {
  LogDialog inner;
  inner.Create(&dlg, "MWindow", 0, {}, "Inner");
  host.ScriptModal([&](MWindow&) {
    host.ScriptModal([&](MWindow&) {
      EXPECT_EQ(host.ModalDepth(), 2);
      dlg.DoOK();  // the outer one
      inner.EndDialog(3);
      return 0;
    });
    EXPECT_EQ(inner.ShowModal(), 3);
    return 0;
  });
  EXPECT_EQ(dlg.ShowModal(), 1);
  EXPECT_EQ(inner.ShowModal(false), 0);  // no script left, default answer
}

TEST_F(HostTest, WmCloseOutsideAModalRunHides) {
  dlg.ShowWindow(SW_SHOW);
  dlg.PostMessage(WM_CLOSE, 0, 0);
  host.PumpMessages();
  EXPECT_FALSE(dlg.IsVisible());
  EXPECT_TRUE(dlg.IsCreated());
}

TEST_F(HostTest, TrayClicksAndMenuPostToTheWindow) {
  Host* h = Manager::Instance().GetHost();
  ASSERT_EQ(h, &host);
  ASSERT_TRUE(h->AddTrayIcon(dlg, 109, "Corvatt", "Corvatt.ico", 1690));
  ASSERT_TRUE(host.ClickTray(WM_RBUTTONUP));
  h->ShowTrayMenu(dlg, {{100, "Exit"}});
  EXPECT_FALSE(host.ChooseMenuItem(101));
  EXPECT_TRUE(host.ChooseMenuItem(100));
  host.PumpMessages();
  EXPECT_EQ(dlg.messages, (std::vector<Msg>{{1690, 109, WM_RBUTTONUP}, {WM_COMMAND, 100, 0}}));
  h->RemoveTrayIcon(dlg, 109);
  EXPECT_FALSE(host.GetTray().has_value());
  EXPECT_FALSE(host.ClickTray(WM_LBUTTONDOWN));
  h->Quit(0);
  h->Quit(3);
  EXPECT_EQ(host.QuitCode(), 0);
}

TEST_F(HostTest, WorkerWritesWhileTheUiThreadReads) {
  auto* text = dlg.Create<MText>(35, {});
  auto* button = dlg.Create<MButton>(46, {});
  std::atomic<bool> stop{false};
  std::thread worker([&] {
    for (int i = 0; i < 2000; ++i) {
      text->SetTitle(std::to_string(i));
      button->SetVisible(i % 2 == 0);
      dlg.PostMessage(WM_USER, static_cast<uintptr_t>(i), 0);
    }
    stop = true;
  });
  size_t reads = 0;
  while (!stop) {
    std::lock_guard lock(Manager::Instance().UiLock());
    reads += text->GetTitle().size() + (button->IsShown() ? 1 : 0);
    text->TakeDirty();
  }
  worker.join();
  host.PumpMessages();
  EXPECT_EQ(text->GetTitle(), "1999");
  EXPECT_FALSE(button->IsVisible());
  EXPECT_EQ(dlg.messages.size(), 2000u);
  (void)reads;
}

}  // namespace
}  // namespace corvatt::dui
