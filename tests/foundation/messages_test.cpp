#include <geoproj/foundation/messages.h>

#include <gtest/gtest.h>

#include <vector>

namespace geoproj {
namespace {

struct Shown {
  std::string text;
  unsigned flags;
  std::string caption;
};

class MessagesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = SetMessageHandler([this](const std::string& text, unsigned flags, const std::string& caption) {
      shown_.push_back({text, flags, caption});
      return kIdNo;
    });
  }
  void TearDown() override {
    SetMessageHandler(previous_);
    SetStatusHandler(nullptr);
  }
  std::vector<Shown> shown_;
  MessageHandler previous_;
};

TEST_F(MessagesTest, HandlerGetsTextFlagsAndCaption) {
  EXPECT_EQ(ShowMessage("Fr\xE5ga?", kMbYesNo | kMbIconQuestion, 0, "Titel"), kIdNo);
  EXPECT_EQ(ShowMessage(std::string("Text"), kMbOk, kMbSetForeground), kIdNo);
  ShowMessageF(kMbOk | kMbIconExclamation, "Borrh\xE5l", "Kan inte %s (%d)", "spara", 3);
  ASSERT_EQ(shown_.size(), 3u);
  EXPECT_EQ(shown_[0].text, "Fr\xE5ga?");
  EXPECT_EQ(shown_[0].flags, kMbYesNo | kMbIconQuestion);
  EXPECT_EQ(shown_[0].caption, "Titel");
  EXPECT_EQ(shown_[1].caption, ApplicationTitle());  // no caption: the application's title
  EXPECT_EQ(shown_[1].flags, kMbOk | kMbSetForeground);
  EXPECT_EQ(shown_[2].text, "Kan inte spara (3)");
  EXPECT_EQ(shown_[2].caption, "Borrh\xE5l");
}

TEST_F(MessagesTest, WithoutAHandlerTheFirstButtonAnswers) {
  SetMessageHandler(nullptr);
  testing::internal::CaptureStderr();
  EXPECT_EQ(ShowMessage("q", kMbYesNo), kIdYes);
  EXPECT_EQ(ShowMessage("q", kMbOkCancel), kIdOk);
  EXPECT_EQ(ShowMessage("\xE5", kMbOk, 0, "T"), kIdOk);
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("T: \xC3\xA5\n"), std::string::npos);  // UTF-8 on the terminal
}

TEST_F(MessagesTest, StatusTextsGoToTheirHandlerOrNowhere) {
  ShowStatus("dropped");
  std::vector<std::string> status;
  SetStatusHandler([&](const std::string& t) { status.push_back(t); });
  ShowStatusF("Originalnamnet saknas (id=%s)!", "BH1");
  EXPECT_EQ(status, std::vector<std::string>{"Originalnamnet saknas (id=BH1)!"});
  EXPECT_TRUE(shown_.empty());
}

}  // namespace
}  // namespace geoproj
