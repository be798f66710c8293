#include "ui/core/ExtPaintManager.h"

#include <gtest/gtest.h>

TEST(ColorRoutinesTest, Placeholder) { EXPECT_EQ(RGB(255, 255, 255), CExtPaintManager::InvertColor(RGB(0, 0, 0))); }
