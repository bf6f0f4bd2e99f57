// The settings dialog: the interval shown in full, clamped on OK, kept on cancel.
#include "ui/form3.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/fakes/fake_views.h"

namespace tabvane {
namespace {

TEST(SettingsDialog, IntervalClampedOnOkAndKeptOnCancel) {
  const struct {
    std::string typed;
    bool ok;
    int32_t interval;
  } cases[] = {
      {"", true, 100},       {"abc", true, 100},      {"99", true, 100},
      {"100", true, 100},    {"99999", true, 99999},  {"123456", true, 99999},
      {"-5", true, 100},     {"2500", true, 2500},    {"2500", false, 123456},
  };
  for (const auto& c : cases) {
    fakes::FakeSettingsDialogView view;
    TForm3 form(view);
    form.FInterval = 123456;  // from a hand-edited settings file
    form.FEditMode = true;
    form.FAccepted = true;    // left over from an earlier showing
    form.FormShow();
    EXPECT_FALSE(form.FAccepted);
    EXPECT_EQ(view.edit1, "123456");  // in full: the five-character limit is for typing only
    EXPECT_TRUE(view.check3);
    view.edit1 = c.typed;
    view.check3 = false;
    c.ok ? form.Button2Click() : form.Button3Click();
    EXPECT_EQ(form.FAccepted, c.ok) << c.typed;
    EXPECT_EQ(form.FInterval, c.interval) << c.typed;
    EXPECT_EQ(form.FEditMode, !c.ok) << c.typed;
    EXPECT_EQ(view.closed, 1) << c.typed;
  }
}

}  // namespace
}  // namespace tabvane
