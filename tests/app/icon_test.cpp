// The icon file as a loader reads it: directory, bitmap headers, palettes, pixels, masks.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <vector>

#include "tools/icon_image.h"

namespace {

struct colour {
  int r, g, b;
  bool operator==(const colour& o) const { return r == o.r && g == o.g && b == o.b; }
};

struct decoded_image {
  int width = 0, height = 0, colour_count = 0, bits = 0;
  std::vector<colour> palette;
  std::vector<colour> pixels;      // row 0 at the top
  std::vector<bool> transparent;  // row 0 at the top
  colour at(int x, int y) const { return pixels[static_cast<size_t>(y * width + x)]; }
  bool clear(int x, int y) const { return transparent[static_cast<size_t>(y * width + x)]; }
};

unsigned u16(const std::vector<unsigned char>& b, size_t at) { return b.at(at) | b.at(at + 1) << 8; }
std::uint32_t u32(const std::vector<unsigned char>& b, size_t at) {
  return u16(b, at) | static_cast<std::uint32_t>(u16(b, at + 2)) << 16;
}
size_t row_bytes(int width, int bits) { return static_cast<size_t>((width * bits + 31) / 32 * 4); }

// Decodes every image, checking on the way that the directory and each header agree and
// that the images follow the directory back to back.
std::vector<decoded_image> decode(const std::vector<unsigned char>& file) {
  std::vector<decoded_image> images;
  EXPECT_EQ(u16(file, 0), 0u);
  EXPECT_EQ(u16(file, 2), 1u) << "type 1 is icon";
  const unsigned count = u16(file, 4);
  size_t expected_offset = 6 + 16 * count;
  for (unsigned i = 0; i < count; ++i) {
    const size_t entry = 6 + 16 * i;
    decoded_image image;
    image.width = file.at(entry);
    image.height = file.at(entry + 1);
    image.colour_count = file.at(entry + 2);
    EXPECT_EQ(file.at(entry + 3), 0);
    EXPECT_EQ(u16(file, entry + 4), 1u) << "planes";
    image.bits = static_cast<int>(u16(file, entry + 6));
    const size_t size = u32(file, entry + 8);
    const size_t offset = u32(file, entry + 12);
    EXPECT_EQ(offset, expected_offset) << "image " << i;
    expected_offset = offset + size;

    EXPECT_EQ(u32(file, offset), 40u) << "BITMAPINFOHEADER";
    EXPECT_EQ(u32(file, offset + 4), static_cast<std::uint32_t>(image.width));
    EXPECT_EQ(u32(file, offset + 8), static_cast<std::uint32_t>(2 * image.height)) << "colour and mask";
    EXPECT_EQ(u16(file, offset + 12), 1u);
    EXPECT_EQ(u16(file, offset + 14), static_cast<unsigned>(image.bits));
    EXPECT_EQ(u32(file, offset + 16), 0u) << "uncompressed";

    const size_t palette_at = offset + 40;
    const size_t colours_at = palette_at + 4 * (size_t{1} << image.bits);
    const size_t xor_stride = row_bytes(image.width, image.bits);
    const size_t and_stride = row_bytes(image.width, 1);
    const size_t mask_at = colours_at + xor_stride * static_cast<size_t>(image.height);
    EXPECT_EQ(size, mask_at + and_stride * static_cast<size_t>(image.height) - offset) << "image " << i;
    if (mask_at + and_stride * static_cast<size_t>(image.height) > file.size()) {
      ADD_FAILURE() << "image " << i << " runs past the end of the file";
      return images;
    }

    for (size_t p = 0; p < (size_t{1} << image.bits); ++p) {
      image.palette.push_back({file[palette_at + 4 * p + 2], file[palette_at + 4 * p + 1], file[palette_at + 4 * p]});
    }
    for (int y = 0; y < image.height; ++y) {
      const size_t row = static_cast<size_t>(image.height - 1 - y);
      for (int x = 0; x < image.width; ++x) {
        const unsigned char byte = file[colours_at + row * xor_stride + static_cast<size_t>(x * image.bits / 8)];
        const int index = image.bits == 8 ? byte : (x % 2 ? byte & 0x0f : byte >> 4);
        image.pixels.push_back(image.palette[static_cast<size_t>(index)]);
        image.transparent.push_back((file[mask_at + row * and_stride + static_cast<size_t>(x / 8)] >> (7 - x % 8)) & 1);
      }
    }
    images.push_back(image);
  }
  EXPECT_EQ(expected_offset, file.size()) << "nothing after the last image";
  return images;
}

int luminance(colour c) { return (c.r * 299 + c.g * 587 + c.b * 114) / 1000; }
bool is_ink(colour c) { return luminance(c) < 128; }

// Counts the runs of dark pixels down a column between two rows.
int dark_runs(const std::vector<colour>& column, int from, int to) {
  int runs = 0;
  for (int y = from; y < to; ++y) {
    if (is_ink(column[static_cast<size_t>(y)]) && (y == from || !is_ink(column[static_cast<size_t>(y - 1)]))) ++runs;
  }
  return runs;
}

class icon_file : public ::testing::Test {
 protected:
  const std::vector<unsigned char> bytes = make_icon_file();
  const std::vector<decoded_image> images = decode(bytes);
};

TEST_F(icon_file, holds_the_three_images_the_window_class_and_tray_ask_for) {
  struct row {
    int size, colour_count, bits;
  };
  const row expected[] = {{32, 16, 4}, {32, 0, 8}, {48, 0, 8}};
  ASSERT_EQ(images.size(), std::size(expected));
  for (size_t i = 0; i < images.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(images[i].width, expected[i].size);
    EXPECT_EQ(images[i].height, expected[i].size);
    EXPECT_EQ(images[i].colour_count, expected[i].colour_count);
    EXPECT_EQ(images[i].bits, expected[i].bits);
  }
}

TEST_F(icon_file, sixteen_colour_image_uses_the_standard_palette) {
  const std::array<colour, 16> standard = {{
      {0, 0, 0}, {128, 0, 0}, {0, 128, 0}, {128, 128, 0},
      {0, 0, 128}, {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
      {128, 128, 128}, {255, 0, 0}, {0, 255, 0}, {255, 255, 0},
      {0, 0, 255}, {255, 0, 255}, {0, 255, 255}, {255, 255, 255},
  }};
  ASSERT_FALSE(images.empty());
  for (size_t i = 0; i < standard.size(); ++i) EXPECT_EQ(images[0].palette[i], standard[i]) << "entry " << i;
}

TEST_F(icon_file, transparent_pixels_are_black_so_any_background_shows_through) {
  for (const decoded_image& image : images) {
    for (int y = 0; y < image.height; ++y) {
      for (int x = 0; x < image.width; ++x) {
        if (image.clear(x, y)) {
          EXPECT_EQ(image.at(x, y), (colour{0, 0, 0})) << x << "," << y;
        }
      }
    }
  }
}

TEST_F(icon_file, every_image_shows_a_board_with_clip_and_sheet) {
  for (const decoded_image& image : images) {
    SCOPED_TRACE(image.width * 100 + image.bits);
    const int n = image.width;
    // Rounded board: corners are clear.
    EXPECT_TRUE(image.clear(0, 0));
    EXPECT_TRUE(image.clear(n - 1, 0));
    EXPECT_TRUE(image.clear(0, n - 1));
    EXPECT_TRUE(image.clear(n - 1, n - 1));
    // The clip sticks out above the board in the middle only.
    EXPECT_FALSE(image.clear(n / 2, n / 16));
    EXPECT_TRUE(image.clear(n / 8, n / 16));
    // The sheet is white and carries four text lines.
    const colour white{255, 255, 255};
    EXPECT_EQ(image.at(n * 23 / 32, n * 22 / 32), white);
    std::vector<colour> column;
    for (int y = 0; y < n; ++y) column.push_back(image.at(n * 11 / 32, y));
    EXPECT_EQ(dark_runs(column, n * 23 / 64, n * 27 / 32), 4);
  }
}

TEST_F(icon_file, both_32_pixel_images_have_the_same_outline) {
  ASSERT_GE(images.size(), 2u);
  EXPECT_EQ(images[0].transparent, images[1].transparent);
}

TEST_F(icon_file, text_lines_stay_apart_when_the_tray_halves_the_32_pixel_image) {
  ASSERT_GE(images.size(), 2u);
  const decoded_image& image = images[1];
  std::vector<colour> column;
  for (int y = 0; y < 16; ++y) {
    colour sum{0, 0, 0};
    for (int dy = 0; dy < 2; ++dy) {
      for (int dx = 0; dx < 2; ++dx) {
        const colour c = image.at(10 + dx, 2 * y + dy);
        sum = {sum.r + c.r, sum.g + c.g, sum.b + c.b};
      }
    }
    column.push_back({sum.r / 4, sum.g / 4, sum.b / 4});
  }
  EXPECT_EQ(dark_runs(column, 6, 14), 4);
}

TEST(icon_in_repository, equals_what_the_generator_draws) {
  std::ifstream in(ICON_FILE, std::ios::binary);
  ASSERT_TRUE(in) << ICON_FILE;
  const std::vector<unsigned char> committed{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  EXPECT_TRUE(committed == make_icon_file()) << "rebuild it with tools/make_icon";
}

}  // namespace
