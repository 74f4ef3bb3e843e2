#include "TweakBar/TweakBar.h"
#include <gtest/gtest.h>

TEST(TweakBar, KeepsItsStateAsDataAndUsesNoEventYet)
{
    EXPECT_EQ(TwDraw(), 0) << "nothing is drawn before the layer starts";
    EXPECT_EQ(TwInit(TW_OPENGL, nullptr), 1);
    EXPECT_EQ(TwWindowSize(800, 600), 1);
    EXPECT_EQ(TwDraw(), 1);
    EXPECT_EQ(TweakBar::GetLayerState().windowWidth, 800);
    EXPECT_EQ(TweakBar::GetLayerState().drawCount, 1u);
    EXPECT_EQ(TwEventKeyGLFW(258, 1), 0);
    EXPECT_EQ(TwEventCharGLFW('a', 1), 0);
    EXPECT_EQ(TwEventMouseButtonGLFW(0, 1), 0);
    EXPECT_EQ(TwMouseMotion(10, 10), 0);
    EXPECT_EQ(TwMouseWheel(3), 0);
    EXPECT_EQ(TwTerminate(), 1);
    EXPECT_FALSE(TweakBar::GetLayerState().initialized);
    EXPECT_EQ(TwTerminate(), 0);
}
