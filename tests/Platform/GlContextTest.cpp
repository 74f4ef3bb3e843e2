// Covers: WindowLayer.
#include "tests/Platform/Support/GlContextFixture.h"

TEST_F(GlContextFixture, ClearedBackBufferReadsBackAsTheClearColour)
{
    glClearColor(1.0f, 0.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glFinish();
    const std::array<unsigned char, 4> expected = {255, 0, 255, 255};
    EXPECT_EQ(ReadPixel(0, 0), expected);
    EXPECT_EQ(ReadPixel(Width - 1, Height - 1), expected);
}

TEST_F(GlContextFixture, ReopeningGivesAFreshContextWithoutTheOldObjects)
{
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    ASSERT_EQ(glIsTexture(texture), GL_TRUE);
    ASSERT_TRUE(Platform::GetWindowLayer().Open(Width, Height, false));
    EXPECT_EQ(glIsTexture(texture), GL_FALSE) << "the new context shares nothing with the old";
    // Mesa's default context without version hints: 4.5 compatibility.
    EXPECT_GE(minor, 5);
}
