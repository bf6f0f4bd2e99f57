// The settings dialog: the interval clamp on OK and cancel keeping the caller's values.
#include "ui/form3.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/fakes/fake_views.h"

namespace tabvane {
namespace {

using fakes::FakeSettingsDialogView;

TEST(SettingsDialog, OkClampsTheTypedInterval) {
  const struct {
    std::string typed;
    int32_t interval;
  } cases[] = {
      {"", 100},      {"abc", 100},     {"99", 100},       {"100", 100},  {"99999", 99999},
      {"123456", 99999}, {"-5", 100},   {"2500", 2500},
  };
  for (const auto& c : cases) {
    FakeSettingsDialogView view;
    TForm3 form(view);
    form.FormShow();
    view.edit1 = c.typed;
    form.Button2Click();
    EXPECT_TRUE(form.FAccepted) << c.typed;
    EXPECT_EQ(form.FInterval, c.interval) << c.typed;
    EXPECT_EQ(view.closed, 1) << c.typed;
  }
}

TEST(SettingsDialog, ShowsFieldsAndOkTakesTheCheckBoxes) {
  FakeSettingsDialogView view;
  TForm3 form(view);
  form.FInterval = 123456;  // longer than the field accepts by typing: shown in full
  form.FMaximizeHost = true;
  form.FMinimizeAfterRun = false;
  form.FEditMode = true;
  form.FAccepted = true;  // left over from an earlier showing
  form.FormShow();
  EXPECT_FALSE(form.FAccepted);
  EXPECT_EQ(view.edit1, "123456");
  EXPECT_TRUE(view.check1);
  EXPECT_FALSE(view.check2);
  EXPECT_TRUE(view.check3);
  EXPECT_EQ(view.focused, 1);

  view.check1 = false;
  view.check2 = true;
  view.check3 = false;
  form.Button2Click();
  EXPECT_EQ(form.FInterval, 99999);
  EXPECT_FALSE(form.FMaximizeHost);
  EXPECT_TRUE(form.FMinimizeAfterRun);
  EXPECT_FALSE(form.FEditMode);
}

TEST(SettingsDialog, CancelKeepsEveryValue) {
  FakeSettingsDialogView view;
  TForm3 form(view);
  form.FInterval = 50;
  form.FEditMode = false;
  form.FormShow();
  EXPECT_EQ(view.edit1, "50");
  view.edit1 = "7000";
  view.check3 = true;
  form.Button3Click();
  EXPECT_FALSE(form.FAccepted);
  EXPECT_EQ(form.FInterval, 50);
  EXPECT_FALSE(form.FEditMode);
  EXPECT_EQ(view.closed, 1);
}

}  // namespace
}  // namespace tabvane
