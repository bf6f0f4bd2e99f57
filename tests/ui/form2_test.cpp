// The slot editor: the batch title rule on real files, the chooser's starting folder, the
// browse-and-ask sequence and what OK hands back.
#include "ui/form2.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>

#include "tests/fakes/fake_desktop.h"
#include "tests/fakes/fake_views.h"
#include "tests/fakes/platform_files.h"

namespace tabvane {
namespace {

using fakes::FakeSlotEditorView;
using fakes::MemoryFiles;

TEST(ReadBatchTitle, FirstLineOfRealFiles) {
  const struct {
    std::string bytes;
    std::string title;
  } cases[] = {
      {"REM name\r\n@echo off\r\n", "name"},
      {"@REM   Name  \r\n", "Name"},
      {"@rem lower\n", "lower"},
      {"rem abc", "abc"},
      {"@REM\r\n", ""},
      {"@echo off\r\n", "ho off"},  // three bytes dropped, as for "REM"
      {"", ""},
      {"\r\nREM second line\r\n", ""},
      {" \t \r\nREM x\r\n", ""},
      {"\x1AREM hidden\r\n", ""},
      {"REM cut\x1A here\r\n", "cut"},
      {"REM a\rb\r\n", "ab"},  // a lone CR is no line end and is dropped
      {"\x8A\x4F\x95\x94 x\r\n", "\x94 x"},  // three bytes go even inside a character
      {"REM \x95\x5C\x8E\xA6\r\n", "\x95\x5C\x8E\xA6"},
  };
  fakes::ScratchDir dir;
  Files& files = fakes::PlatformFiles();
  int n = 0;
  for (const auto& c : cases) {
    const std::string path = dir / (std::to_string(n++) + ".bat");
    fakes::WriteBytes(path, c.bytes);
    EXPECT_EQ(ReadBatchTitle(files, path), c.title) << c.bytes;
  }
  EXPECT_EQ(ReadBatchTitle(files, dir / "missing.bat"), "");
  EXPECT_EQ(ReadBatchTitle(files, dir.path()), "");  // a folder is no file
}

struct SlotEditorTest : ::testing::Test {
  FakeSlotEditorView view;
  MemoryFiles files;
  TForm2 form{view, files};

  void SetUp() override {
    files.folders = {"C:\\Last\\", "C:\\Bat\\", "C:\\\x95\x5C\\"};
    form.FLastDir = "C:\\Last\\";
  }
};

TEST_F(SlotEditorTest, ChooserStartsInTheFieldsFolderOrTheLastOne) {
  const struct {
    std::string edit2;
    std::string folder;
    std::string fileName;
  } cases[] = {
      {"", "C:\\Last\\", ""},
      {"C:\\Bat\\a.bat", "C:\\Bat\\", "a.bat"},
      {"a.bat", "C:\\Last\\", ""},
      {"C:\\Gone\\a.bat", "C:\\Last\\", ""},
      // 0x5C as the second byte of a character is no separator, in folder or file name.
      {"C:\\\x95\x5C\\x.bat", "C:\\\x95\x5C\\", "x.bat"},
      {"C:\\Bat\\\x95\x5C.bat", "C:\\Bat\\", "\x95\x5C.bat"},
  };
  for (const auto& c : cases) {
    view.edit2 = c.edit2;
    view.chooserOpenedWith.clear();
    form.Button1Click();  // cancelled: chosenFile is nullopt
    ASSERT_EQ(view.chooserOpenedWith.size(), 1u) << c.edit2;
    EXPECT_EQ(view.chooserOpenedWith[0], std::make_pair(c.folder, c.fileName)) << c.edit2;
    EXPECT_EQ(view.edit2, c.edit2);
    EXPECT_EQ(form.FLastDir, "C:\\Last\\");
    EXPECT_EQ(view.asked, 0);
  }
}

TEST_F(SlotEditorTest, ChosenFileSetsPathFolderAndOnYesTheTitle) {
  files.files["C:\\Bat\\new.bat"] = "@REM  New name \r\n";
  for (const bool yes : {true, false}) {
    view.edit1 = "old";
    view.edit2 = "";
    form.FLastDir = "C:\\Last\\";
    view.chosenFile = "C:\\Bat\\new.bat";
    view.answerYes = yes;
    form.Button1Click();
    EXPECT_EQ(view.edit2, "C:\\Bat\\new.bat");
    EXPECT_EQ(form.FLastDir, "C:\\Bat\\");
    EXPECT_EQ(view.edit1, yes ? "New name" : "old");
  }
}

TEST_F(SlotEditorTest, OkTakesFieldsAsTheyStandExceptLineBreaksAndTabs) {
  const struct {
    std::string edit1, edit2, name, batch;
  } cases[] = {
      {"", "", "", ""},
      {"  padded  ", "C:\\No\\such.bat", "  padded  ", "C:\\No\\such.bat"},
      {"a\tb", "C:\\x\r\ny.bat", "a b", "C:\\x  y.bat"},
      {"line\n", "\x95\x5C\t", "line ", "\x95\x5C "},
      {"\x1A" "a", "C:\\x\x1A.bat", " a", "C:\\x .bat"},  // 0x1A would end the line on reading
  };
  for (const auto& c : cases) {
    form.FormShow();
    view.edit1 = c.edit1;
    view.edit2 = c.edit2;
    form.Button2Click();
    EXPECT_TRUE(form.FAccepted);
    EXPECT_EQ(form.FName, c.name);
    EXPECT_EQ(form.FBatchFile, c.batch);
  }
}

}  // namespace
}  // namespace tabvane
