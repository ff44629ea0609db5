#include "app/status_bar.h"

#include <gtest/gtest.h>

namespace habitopia {
namespace {

TEST(StatusBar, StartsWithSixPanelsOfFixedWidth) {
  const StatusPanels panels = InitialStatusPanels();
  const StatusPanels expected{{{"Point Group =", 120},
                               {"Faces", 70},
                               {"Corners", 70},
                               {"Surface=", 110},
                               {"Volume= ", 110},
                               {"", 200}}};
  EXPECT_EQ(panels, expected);
}

TEST(StatusBar, CalculationFillsTheFirstFivePanels) {
  StatusPanels panels = InitialStatusPanels();
  panels[kMessagePanel].text = "? integer Millerindices";
  ShowCalculation(panels, {"-3m", 6, 8, 24, 8});
  EXPECT_EQ(panels[kPointGroupPanel].text, "point group = -3m");
  EXPECT_EQ(panels[kFacesPanel].text, "6 Faces");
  EXPECT_EQ(panels[kCornersPanel].text, "8 Corners");
  EXPECT_EQ(panels[kSurfacePanel].text, "Surface= 24");
  EXPECT_EQ(panels[kVolumePanel].text, "Volume= 8");
  // The message panel is not the calculation's.
  EXPECT_EQ(panels[kMessagePanel].text, "? integer Millerindices");
}

TEST(StatusBar, SurfaceAndVolumeShowThreeDecimalsAtMost) {
  EXPECT_EQ(SurfaceStatusText(29.68137L), "Surface= 29.681");
  EXPECT_EQ(SurfaceStatusText(0.5L), "Surface= 0.5");
  EXPECT_EQ(VolumeStatusText(12.0539L), "Volume= 12.054");
  EXPECT_EQ(VolumeStatusText(0.0004L), "Volume= 0");
  EXPECT_EQ(VolumeStatusText(123456.7891L), "Volume= 123456.789");
}

}  // namespace
}  // namespace habitopia
