#include "app/commands.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace habitopia {
namespace {

TEST(CommandTable, EveryRowIsReachableAndShowable) {
  std::set<std::string_view> names;
  for (const Command& command : Commands()) {
    EXPECT_TRUE(names.insert(command.name).second) << "duplicate name " << command.name;
    EXPECT_EQ(CommandByName(command.name), command.id);
    if (command.menu == Menu::None)
      EXPECT_FALSE(command.hint.empty()) << command.name << " is on no menu and has no button";
    else
      EXPECT_FALSE(command.caption.empty()) << command.name;
  }
  EXPECT_FALSE(CommandByName("NoSuchCommand"));
}

TEST(CommandTable, ToolbarHoldsEveryHintedCommandOnce) {
  std::set<CommandId> onToolbar;
  for (const auto& entry : ToolbarOrder()) {
    if (!entry) continue;
    EXPECT_TRUE(onToolbar.insert(*entry).second);
    EXPECT_FALSE(CommandFor(*entry).hint.empty());
  }
  for (const Command& command : Commands())
    EXPECT_EQ(onToolbar.count(command.id), command.hint.empty() ? 0u : 1u) << command.name;
}

TEST(CommandTable, SubMenusHangInTheirMenus) {
  EXPECT_EQ(MenuCaption(Menu::FileExport), "E&xport ");
  EXPECT_EQ(ParentMenu(Menu::FileExport), Menu::File);
  EXPECT_EQ(ParentMenu(Menu::SettingsStyles), Menu::Settings);
  EXPECT_EQ(ParentMenu(Menu::ToolsRandomize), Menu::Tools);
  EXPECT_EQ(ParentMenu(Menu::Help), Menu::None);
}

}  // namespace
}  // namespace habitopia
