// The copy, About, home-page and skin commands through the fake seam.
#include <gtest/gtest.h>

#include "app/build_config.h"
#include "app/commands.h"
#include "unit/fake_seam.h"

namespace kelo {
namespace {

using testing::FakeSeam;
using testing::SeamCall;
using Kind = SeamCall::Kind;

const ControlDesign& mainControl(ControlId id) { return *findControl(mainWindowDesign(), id); }

TEST(CopyAddressCommand, EachButtonCopiesTheBytesOfItsOwnBox) {
  struct Case {
    ControlId button, box;
  };
  for (Case c : {Case{ControlId::Main_Button2, ControlId::Main_EditBox2},
                 Case{ControlId::Main_Button3, ControlId::Main_EditBox3},
                 Case{ControlId::Main_Button4, ControlId::Main_EditBox4}}) {
    FakeSeam seam;
    seam.controls[ControlId::Main_EditBox2] = "http://cu/\xd6\xd0";
    seam.controls[ControlId::Main_EditBox3] = "http://ct/\x81\x30\x87\x32";
    seam.controls[ControlId::Main_EditBox4] = "http://bak/\x80\xff";  // not GB18030: copied as is
    runControlCommand(seam, mainControl(c.button));
    EXPECT_EQ(seam.clipboard, seam.text(c.box));
    // Nothing is written anywhere: the command shows nothing.
    EXPECT_TRUE(seam.writes().empty());
  }
}

TEST(CopyAddressCommand, AnEmptyBoxPutsTheEmptyTextOnTheClipboard) {
  FakeSeam seam;
  seam.clipboard = "held before";
  CopyAddressCommand(seam, ControlId::Main_EditBox3);
  EXPECT_EQ(seam.clipboard, std::string());
}

TEST(CopyAddressCommand, AClipboardThatCannotBeOpenedShowsNothing) {
  FakeSeam seam;
  seam.clipboardWorks = false;
  seam.controls[ControlId::Main_EditBox2] = "http://cu/a.zip";
  CopyAddressCommand(seam, ControlId::Main_EditBox2);
  EXPECT_EQ(seam.callsOf(Kind::SetClipboardText).size(), 1u);
  EXPECT_FALSE(seam.clipboard.has_value());
  EXPECT_TRUE(seam.writes().empty());
  EXPECT_TRUE(seam.callsOf(Kind::ShowModal).empty());
}

TEST(ShowAboutCommand, ShowsTheAboutWindowModally) {
  FakeSeam seam;
  runControlCommand(seam, mainControl(ControlId::Main_Button5));
  ASSERT_EQ(seam.callsOf(Kind::ShowModal).size(), 1u);
  EXPECT_EQ(seam.callsOf(Kind::ShowModal)[0].window, WindowId::About);
}

TEST(OpenHomePageCommand, OpensTheHomePageWhateverThePressCarries) {
  for (int keys : {0, int{kCtrl}, int{kShift}, int{kAlt}, kCtrl | kShift | kAlt}) {
    FakeSeam seam;
    runControlCommand(seam, mainControl(ControlId::Main_Label7), -3, 500, keys);
    ASSERT_EQ(seam.callsOf(Kind::ShellOpen).size(), 1u) << keys;
    EXPECT_EQ(seam.callsOf(Kind::ShellOpen)[0].text, config::kHomePage);
  }
}

TEST(ApplySkin, SwitchesTheBlueScheme) {
  FakeSeam seam;
  ApplySkin(seam);
  EXPECT_EQ(seam.skinScheme, 1);
}

TEST(Bindings, OnlyTheBoundControlsRunACommand) {
  for (const ControlDesign& c : mainWindowDesign().controls) {
    FakeSeam seam;
    runControlCommand(seam, c);
    const bool bound = c.id == ControlId::Main_Button1 || c.id == ControlId::Main_Button2 ||
                       c.id == ControlId::Main_Button3 || c.id == ControlId::Main_Button4 ||
                       c.id == ControlId::Main_Button5 || c.id == ControlId::Main_Label7;
    EXPECT_EQ(!seam.calls.empty(), bound) << static_cast<int>(c.id);
  }
  for (const ControlDesign& c : aboutWindowDesign().controls) {
    FakeSeam seam;
    runControlCommand(seam, c);
    EXPECT_TRUE(seam.calls.empty());
  }
}

}  // namespace
}  // namespace kelo
