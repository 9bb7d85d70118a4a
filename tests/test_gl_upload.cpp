#include <GL/gl.h>

#include <SDL.h>

#include <tuple>

#include "audio/sound_library.h"
#include "base/random.h"
#include "engine/startup.h"
#include "gfx/texture.h"
#include "gl_fixture.h"
#include "scenes/particles.h"

using namespace lumaro;

namespace {
// A 2 x 2 block whose first stored row (the bottom row) is distinct from the second.
std::vector<uint8_t> Block(int bits, int type, int descriptor) {
  const int bpp = bits / 8;
  std::vector<uint8_t> b(18 + 4 * bpp, 0);
  b[2] = static_cast<uint8_t>(type);
  b[12] = 2;
  b[14] = 2;
  b[16] = static_cast<uint8_t>(bits);
  b[17] = static_cast<uint8_t>(descriptor);
  for (int i = 0; i < 4 * bpp; ++i) b[18 + i] = static_cast<uint8_t>(10 + i * 10);
  return b;
}

std::vector<uint8_t> ReadBack(GLuint texture, GLenum format, int channels) {
  std::vector<uint8_t> out(4 * channels);
  glBindTexture(GL_TEXTURE_2D, texture);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glGetTexImage(GL_TEXTURE_2D, 0, format, GL_UNSIGNED_BYTE, out.data());
  return out;
}

class Upload : public GlTest {
 protected:
  GLuint texture = 0;
  void SetUp() override {
    GlTest::SetUp();
    glGenTextures(1, &texture);
  }
  void TearDown() override {
    glDeleteTextures(1, &texture);
    GlTest::TearDown();
  }
  void Load(const std::vector<uint8_t>& block, int internal, GLenum format, int wrap = GL_CLAMP) {
    EmbeddedImage image{block.data(), block.size(), "test"};
    UploadImage(image, texture, internal, format, GL_LINEAR_MIPMAP_LINEAR, GL_LINEAR, wrap, wrap);
  }
};
}  // namespace

TEST_F(Upload, BgraKeepsOrderRowsAndAlphaEvenWithDescriptorZero) {
  std::vector<uint8_t> block = Block(32, 2, 0);
  Load(block, GL_RGBA8, GL_BGRA_EXT);
  std::vector<uint8_t> texels = ReadBack(texture, GL_BGRA_EXT, 4);
  EXPECT_EQ(texels, std::vector<uint8_t>(block.begin() + 18, block.end()));  // row t = 0 is the first stored row
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  GLint mode = 0;
  glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &mode);
  EXPECT_EQ(mode, GL_MODULATE);
  GLint level1 = 0;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 1, GL_TEXTURE_WIDTH, &level1);
  EXPECT_EQ(level1, 1);  // mipmapped
}

// Three bytes a pixel into RGBA, or four into RGB: the colours kept, the alpha opaque.
TEST_F(Upload, WithoutAlphaOnEitherSideTheTexelsAreOpaque) {
  for (auto [bits, internal, format] : {std::tuple{24, GL_RGBA8, GL_BGR_EXT}, {32, GL_RGB8, GL_BGRA_EXT}}) {
    const std::vector<uint8_t> block = Block(bits, 2, bits == 32 ? 8 : 0);
    Load(block, internal, format);
    const std::vector<uint8_t> texels = ReadBack(texture, GL_BGRA_EXT, 4);
    for (int p = 0; p < 4; ++p) {
      for (int c = 0; c < 3; ++c) EXPECT_EQ(texels[p * 4 + c], block[18 + p * bits / 8 + c]) << bits << " bits";
      EXPECT_EQ(texels[p * 4 + 3], 255) << bits << " bits";
    }
  }
}

TEST_F(Upload, GreyscaleAsLuminanceWithRepeat) {
  std::vector<uint8_t> block = Block(8, 3, 0);
  Load(block, GL_LUMINANCE8, GL_LUMINANCE, GL_REPEAT);
  std::vector<uint8_t> texels = ReadBack(texture, GL_LUMINANCE, 1);
  EXPECT_EQ(texels, std::vector<uint8_t>(block.begin() + 18, block.end()));
  GLint wrap = 0;
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &wrap);
  EXPECT_EQ(wrap, GL_REPEAT);
}

TEST_F(Upload, BadBlocksAreRefusedWithoutTouchingTheTexture) {
  std::vector<uint8_t> truncated = Block(32, 2, 8);
  truncated.resize(truncated.size() - 3);
  std::vector<uint8_t> narrow = Block(24, 2, 0);  // 4 bytes a pixel asked of a 3-byte image
  for (const std::vector<uint8_t>* bad : {&truncated, &narrow}) {
    testing::internal::CaptureStderr();
    Load(*bad, GL_RGBA8, GL_BGRA_EXT);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("refused"), std::string::npos);
    GLint width = -1;
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    EXPECT_EQ(width, 0);
  }
}

TEST_F(Upload, StartupMadeEverySharedTextureWithoutError) {
  for (GLuint name : ShowTextures().TitleTextures) EXPECT_TRUE(glIsTexture(name));
  for (GLuint name : ShowTextures().SpriteTextures) EXPECT_TRUE(glIsTexture(name));
  EXPECT_TRUE(glIsTexture(ShowTextures().BackdropTexture));
  EXPECT_NE(ShowTextures().SpriteTextures[0], ShowTextures().SpriteTextures[4]);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  // The start-up GL state every scene begins from.
  EXPECT_TRUE(Enabled(GL_TEXTURE_2D));
  EXPECT_TRUE(Enabled(GL_DEPTH_TEST));
  EXPECT_TRUE(Enabled(GL_COLOR_MATERIAL));
  EXPECT_FALSE(Enabled(GL_CULL_FACE));
  EXPECT_EQ(Integer(GL_DEPTH_FUNC), GL_LEQUAL);
  EXPECT_EQ(Integer(GL_UNPACK_ALIGNMENT), 1);
}

TEST_F(Upload, StartupAndShutdownWithoutSoundMakeNoSoundCall) {
  RenderShutdown();
  RenderStartup(Settings());
  EXPECT_EQ(SoundCallCount(), 0);
  EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);
}

TEST_F(Upload, StartupSeedsThenFillsTheSparkDelaysFirst) {
  // The fixture started with "-seed=1": nothing else draws a random value before the pools.
  lumaro::srand(1);
  for (const SparkRecord& spark : Particles().SparkPool) {
    ASSERT_EQ(spark.respawnDelay, lumaro::rand() * 6.103701889514923e-05f);
    ASSERT_TRUE(!spark.alive && spark.lastUpdate == 0);
  }
  for (const RocketRecord& rocket : Particles().RocketPool) ASSERT_TRUE(!rocket.alive && rocket.trailSprite == 1);
}
