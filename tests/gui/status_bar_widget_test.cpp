// The status bar's panels in the window's own font.

#include "gui/status_bar_widget.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QStatusBar>

namespace habitopia::gui::test {
namespace {

TEST(StatusBarWidget, APanelWidensForItsTextAndKeepsThatWidth) {
  QStatusBar bar;
  StatusBarWidget widget(bar);
  QLabel* group = widget.Panel(kPointGroupPanel);
  const int classic = group->width();
  FormState state;
  state.statusPanels[kPointGroupPanel].text = "point group = 6/mmm";
  widget.Show(state, FormChanges{kStatusPart, {}});
  const int text = group->fontMetrics().horizontalAdvance(group->text());
  EXPECT_GT(group->minimumWidth(), text) << "the whole text shows";
  EXPECT_GE(group->minimumWidth(), classic);
  const int widened = group->minimumWidth();
  state.statusPanels[kPointGroupPanel].text = "point group = 1";
  widget.Show(state, FormChanges{kStatusPart, {}});
  EXPECT_EQ(group->minimumWidth(), widened) << "no jumping back and forth";

  QLabel* message = widget.Panel(kMessagePanel);
  const int messageWidth = message->minimumWidth();
  state.statusPanels[kMessagePanel].text = std::string(400, 'x');
  widget.Show(state, FormChanges{kStatusPart, {}});
  EXPECT_EQ(message->minimumWidth(), messageWidth) << "a long message does not widen the window";
  EXPECT_EQ(message->toolTip(), QString(400, QLatin1Char('x')));
}

}  // namespace
}  // namespace habitopia::gui::test
