// Inflating stops at its limit and tells a scene too large from damaged data.

#include <gtest/gtest.h>

#include <string>

#include "scene/scene_files.h"

namespace habitopia {
namespace {

TEST(GzipLimit, InflatingStopsPastTheLimit) {
  const std::string text(300000, 'x');
  const std::string packed = GzipCompress(text).value();

  bool tooLarge = true;
  EXPECT_EQ(GzipDecompress(packed, text.size(), &tooLarge).value_or(""), text);
  EXPECT_FALSE(tooLarge);

  EXPECT_FALSE(GzipDecompress(packed, text.size() - 1, &tooLarge));
  EXPECT_TRUE(tooLarge);

  std::string damaged = packed;
  damaged.resize(damaged.size() / 2);
  EXPECT_FALSE(GzipDecompress(damaged, text.size(), &tooLarge));
  EXPECT_FALSE(tooLarge);
  EXPECT_EQ(kInflateLimit, 64u * 1024 * 1024);
}

}  // namespace
}  // namespace habitopia
