// Pictures from other GIF writers (ImageMagick, giflib) decode to the pixels those tools read back.
//
// Only the layout the decoder's fixed offsets read is made: GIF89a, a global
// colour table, one Graphic Control Extension, one non-interlaced 270 x 400
// image. Left out because those offsets cannot read them: what gif2rgb
// writes as it is (GIF87a, no extension: 0 bytes instead of 18 before the
// image), ImageMagick's grey pictures (an extra "ImageMagick gamma"
// application extension), interlaced pictures and local colour tables.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "ImageTestSupport.h"

static const int W = 270, H = 400;

static bool HasTool(const char* name) {
  return std::system(("command -v " + std::string(name) + " >/dev/null 2>&1").c_str()) == 0;
}

// Runs a shell command; its own redirections still apply, the rest is silenced.
static bool RunQuietly(const std::string& command) {
  return std::system(("{ " + command + "; } >/dev/null 2>&1").c_str()) == 0;
}

static std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Why the decoder's fixed offsets cannot read the file, or "" when they can.
static std::string LayoutProblem(const std::string& f) {
  if (f.size() < 13 || f.compare(0, 6, "GIF89a") != 0) return "not GIF89a";
  auto byte = [&](size_t i) { return i < f.size() ? uint8_t(f[i]) : 0; };
  if (!(byte(10) & 0x80)) return "no global colour table";
  size_t at = 13 + 3 * (size_t(2) << (byte(10) & 7));
  if (byte(at) != 0x21 || byte(at + 1) != 0xF9 || byte(at + 2) != 4)
    return "no Graphic Control Extension first";
  size_t d = at + 8;
  if (byte(d) != 0x2C) return "more than one extension before the image";
  if (byte(d + 5) + 256 * byte(d + 6) != W || byte(d + 7) + 256 * byte(d + 8) != H)
    return "not 270 x 400";
  if (byte(d + 9) & 0xC0) return "local colour table or interlaced";
  return "";
}

static std::vector<uint32_t> RgbToPixels(const std::string& rgb) {
  std::vector<uint32_t> out;
  for (size_t i = 0; i + 2 < rgb.size(); i += 3)
    out.push_back(uint32_t(uint8_t(rgb[i])) << 16 | uint32_t(uint8_t(rgb[i + 1])) << 8 |
                  uint8_t(rgb[i + 2]));
  return out;
}

static size_t FirstDifference(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b) {
  size_t n = 0;
  while (n < a.size() && n < b.size() && a[n] == b[n]) ++n;
  return n;
}

class GifToolsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/ploxen-gif-tools-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { RunQuietly("rm -rf '" + dir_ + "'"); }
  std::string Path(const char* name) const { return dir_ + "/" + name; }

  // Our decoder against ImageMagick's and giflib's readings of the same file.
  void CompareReadings(const std::string& gif) {
    std::string file = ReadAll(gif);
    std::string problem = LayoutProblem(file);
    if (!problem.empty())
      GTEST_SKIP() << "the tool wrote a layout the decoder cannot read: " << problem;
    std::vector<uint32_t> ours(size_t(W) * H);
    ASSERT_TRUE(LoadGifImage(gif.c_str(), ours.data(), W, H));
    ASSERT_TRUE(RunQuietly("convert '" + gif + "' -depth 8 rgb:'" + Path("im.rgb") + "'"));
    ASSERT_TRUE(RunQuietly("gif2rgb -1 -o '" + Path("giflib.rgb") + "' '" + gif + "'"));
    for (const char* reader : {"im.rgb", "giflib.rgb"}) {
      SCOPED_TRACE(reader);
      std::vector<uint32_t> theirs = RgbToPixels(ReadAll(Path(reader)));
      ASSERT_EQ(theirs.size(), ours.size());
      size_t at = FirstDifference(ours, theirs);
      EXPECT_EQ(at, ours.size()) << "first different pixel x " << at % W << " y " << at / W;
    }
  }

  void RequireTools() {
    for (const char* tool : {"convert", "gif2rgb", "gifbuild"})
      if (!HasTool(tool))
        GTEST_SKIP() << tool << " is not installed (scripts/setup.sh installs it)";
  }

  std::string dir_;
};

struct MagickCase {
  const char* name;
  const char* source;  // convert arguments that make the picture
};

static const MagickCase MagickCases[] = {
    {"plasma, 256 colours", "-seed 7 -size 270x400 plasma:fractal -colors 256"},
    {"colour noise, 256 colours", "-seed 3 -size 270x400 xc:white +noise Random -colors 256"},
    {"gradient, 16 colours", "-size 270x400 gradient:navy-gold -colors 16"},
    {"plasma, 5 colours", "-seed 5 -size 270x400 plasma: -colors 5"},
    {"two colours", "-size 270x400 xc:red -fill blue -draw 'circle 135,200 135,100' -colors 2"},
};

TEST_F(GifToolsTest, ImageMagickPictures) {
  RequireTools();
  if (IsSkipped()) return;
  for (const MagickCase& c : MagickCases) {
    SCOPED_TRACE(c.name);
    std::string gif = Path("magick.gif");
    ASSERT_TRUE(RunQuietly("convert " + std::string(c.source) + " -strip '" + gif + "'"));
    CompareReadings(gif);
  }
}

// RGB input for giflib: colour noise, or smooth bands that make long runs.
static void WriteRgb(const std::string& path, bool noise) {
  std::string rgb;
  uint32_t h = 12345;
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) {
      h = h * 1103515245u + 12345u;
      uint32_t v =
          noise ? h >> 8
                : uint32_t((x / 9) * 40) << 16 | uint32_t((y / 13) * 9) << 8 | uint32_t(x + y);
      rgb += char(v >> 16);
      rgb += char(v >> 8);
      rgb += char(v);
    }
  std::ofstream(path, std::ios::binary) << rgb;
}

// gif2rgb writes GIF87a without extensions; its textual dump, given a
// Graphic Control Extension, is written back by giflib's encoder as GIF89a.
// Returns the step that failed, or "".
static std::string GiflibPicture(const std::string& rgb, int bitsPerPixel, const std::string& gif,
                                 const std::string& work) {
  std::string raw = work + "/raw.gif", text = work + "/raw.txt";
  if (!RunQuietly("gif2rgb -c " + std::to_string(bitsPerPixel) + " -s 270 400 < '" + rgb + "' > '" +
                  raw + "'"))
    return "gif2rgb";
  if (!RunQuietly("gifbuild -d '" + raw + "' > '" + text + "'")) return "gifbuild -d";
  std::string dump = ReadAll(text);
  size_t image = dump.find("\nimage # 1\n");
  if (image == std::string::npos) return "no image in the dump";
  dump.insert(image + 1,
              "graphics control\n"
              "\tdisposal mode 0\n\tuser input flag off\n\tdelay 0\n\ttransparent index -1\n"
              "end\n\n");
  std::ofstream(text, std::ios::binary) << dump;
  if (!RunQuietly("gifbuild '" + text + "' > '" + gif + "'")) return "gifbuild";
  return "";
}

TEST_F(GifToolsTest, GiflibPictures) {
  RequireTools();
  if (IsSkipped()) return;
  for (int bits : {8, 4, 1}) {
    for (bool noise : {true, false}) {
      SCOPED_TRACE(std::to_string(bits) + (noise ? " bits, noise" : " bits, bands"));
      WriteRgb(Path("in.rgb"), noise);
      std::string gif = Path("giflib.gif");
      ASSERT_EQ(GiflibPicture(Path("in.rgb"), bits, gif, dir_), "");
      CompareReadings(gif);
    }
  }
}

// The other way round: files from our encoder, read by ImageMagick and
// giflib, give the pixels we meant, the picture the game ships among them.
TEST_F(GifToolsTest, OurFilesReadTheSameElsewhere) {
  RequireTools();
  if (IsSkipped()) return;
  GifLzwOptions lateClear, clears, shortBlocks;
  lateClear.clearWhenFull = false;
  lateClear.codesAfterFull = 2000;
  clears.clearRun = 3;
  shortBlocks.subBlockSize = 7;
  struct Case {
    const char* name;
    GifPicture picture;
    GifLzwOptions options;
  } cases[] = {
      {"noise, full table kept then cleared",
       MakePicture(W, H, 256, [](int x, int y) { return (x * 7919 ^ y * 104729) >> 3; }),
       lateClear},
      {"bands, three clears in a row",
       MakePicture(W, H, 256, [](int x, int y) { return x / 5 + y / 3; }), clears},
      {"five colours, 7-byte sub-blocks",
       MakePicture(W, H, 5, [](int x, int y) { return x * y / 50; }), shortBlocks},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string gif = Path("ours.gif");
    ASSERT_TRUE(WriteBytes(gif, EncodeGif(c.picture, c.options)));
    ASSERT_TRUE(RunQuietly("convert '" + gif + "' -depth 8 rgb:'" + Path("im.rgb") + "'"));
    ASSERT_TRUE(RunQuietly("gif2rgb -1 -o '" + Path("giflib.rgb") + "' '" + gif + "'"));
    std::vector<uint32_t> want = ExpectedPixels(c.picture);
    EXPECT_EQ(FirstDifference(RgbToPixels(ReadAll(Path("im.rgb"))), want), want.size());
    EXPECT_EQ(FirstDifference(RgbToPixels(ReadAll(Path("giflib.rgb"))), want), want.size());
  }
  CompareReadings(PLOXEN_PICTURE);
}
