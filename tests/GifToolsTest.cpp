// Pictures that other GIF writers made: our decoder reads every pixel as giflib's own gif2rgb does.
//
// Made in the layout the decoder's fixed offsets read: GIF89a, a global colour table, one Graphic
// Control Extension, one non-interlaced 270 x 400 image. Left out because those offsets cannot read
// them: gif2rgb's own output (GIF87a without the extension; gifbuild writes its dump back with one
// put in), ImageMagick's grey pictures (a further "gamma" application extension), interlaced
// pictures and local colour tables.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "display/GifDecoder.h"

static const int W = 270, H = 400;

TEST(GifTools, OtherWritersPicturesReadAsGiflibReadsThem) {
  const std::string noise = "convert -seed 3 -size 270x400 xc:white +noise Random ";
  const std::string bands = "convert -size 270x400 gradient:navy-gold -swirl 200 ";
  auto giflib = [](const std::string& source, int bits) {
    return source + "-depth 8 rgb:in.rgb && gif2rgb -c " + std::to_string(bits) +
           " -s 270 400 <in.rgb >raw.gif && gifbuild -d raw.gif"
           " | sed '/^image # 1$/i graphics control\\ndisposal mode 0\\nend' | gifbuild >t.gif";
  };
  const std::string makers[] = {
      noise + "-colors 256 -strip t.gif",
      "convert -seed 5 -size 270x400 plasma: -colors 5 -strip t.gif",
      bands + "-colors 2 -strip t.gif",
      giflib(noise, 8),
      giflib(bands, 4),
      giflib(bands, 1),
  };
  std::string dir = std::filesystem::current_path();  // the test main's, removed after the case
  auto run = [&](const std::string& command) {
    return std::system(
        ("cd " + dir + " && { " + command + "; } >/dev/null 2>&1").c_str());
  };
  for (const std::string& make : makers) {
    SCOPED_TRACE(make);
    ASSERT_EQ(run(make), 0) << "scripts/setup.sh installs ImageMagick and giflib-tools";
    ASSERT_EQ(run("gif2rgb -1 -o t.rgb t.gif"), 0);
    std::vector<uint32_t> ours(size_t(W) * H), theirs;
    ASSERT_TRUE(LoadGifImage((dir + std::string("/t.gif")).c_str(), ours.data(), W, H));
    std::ifstream rgb(dir + std::string("/t.rgb"), std::ios::binary);
    for (int r, g, b; (r = rgb.get()) >= 0 && (g = rgb.get()) >= 0 && (b = rgb.get()) >= 0;)
      theirs.push_back(uint32_t(r) << 16 | uint32_t(g) << 8 | uint32_t(b));
    ASSERT_EQ(theirs.size(), ours.size());
    size_t at = std::mismatch(ours.begin(), ours.end(), theirs.begin()).first - ours.begin();
    EXPECT_EQ(at, ours.size()) << "first different pixel: x " << at % W << ", y " << at / W;
  }
}
