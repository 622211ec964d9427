#include "tools/icon_image.h"

#include <array>
#include <cmath>
#include <cstdint>

namespace {

// What each pixel shows; the value is also the pixel's index in the 256-colour palette.
enum role : unsigned char {
  transparent,
  outline,
  board,
  board_light,
  board_shade,
  metal,
  metal_light,
  metal_shade,
  paper,
  paper_shade,
  text_line,
  role_count
};

struct rgb {
  unsigned char r, g, b;
};

constexpr std::array<rgb, role_count> true_colours = {{
    {0, 0, 0},
    {48, 30, 14},
    {166, 110, 56},
    {204, 150, 92},
    {120, 76, 34},
    {196, 200, 208},
    {246, 248, 250},
    {128, 134, 144},
    {255, 255, 255},
    {206, 212, 222},
    {36, 72, 140},
}};

// The classic 16-colour palette, so the 4-bit image looks the same on any display.
constexpr std::array<rgb, 16> standard_16 = {{
    {0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
    {0, 0, 128},     {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
    {128, 128, 128}, {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
    {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255},
}};

// Index into standard_16 for each role.
constexpr std::array<unsigned char, role_count> role_in_16 = {
    0,   // transparent
    0,   // outline: black
    3,   // board: dark yellow
    3,   // board_light: dark yellow, a bright one would glare
    8,   // board_shade: grey
    7,   // metal: silver
    15,  // metal_light: white
    8,   // metal_shade: grey
    15,  // paper: white
    7,   // paper_shade: silver
    4,   // text_line: navy
};

class canvas {
 public:
  explicit canvas(int size) : size_(size), pixels_(static_cast<size_t>(size * size), transparent) {}

  int size() const { return size_; }
  role at(int x, int y) const { return static_cast<role>(pixels_[static_cast<size_t>(y * size_ + x)]); }

  // Fills the pixels whose centres lie in the rectangle [x0, x1) x [y0, y1) with its corners
  // rounded to radius r; all in pixels.
  void fill(double x0, double y0, double x1, double y1, double r, role colour) {
    for (int y = 0; y < size_; ++y) {
      for (int x = 0; x < size_; ++x) {
        const double px = x + 0.5;
        const double py = y + 0.5;
        if (px < x0 || px >= x1 || py < y0 || py >= y1) continue;
        const double cx = std::fmin(std::fmax(px, x0 + r), x1 - r);
        const double cy = std::fmin(std::fmax(py, y0 + r), y1 - r);
        if ((px - cx) * (px - cx) + (py - cy) * (py - cy) > r * r) continue;
        pixels_[static_cast<size_t>(y * size_ + x)] = colour;
      }
    }
  }

 private:
  int size_;
  std::vector<unsigned char> pixels_;
};

// The picture is laid out on a 32-unit grid and scaled; edges land on whole pixels so the
// 32-pixel image halves cleanly into a 16-pixel tray icon.
canvas draw_clipboard(int size) {
  canvas c(size);
  const double s = size / 32.0;
  const double t = size >= 48 ? 2 : 1;  // line width in pixels
  auto g = [s](double v) { return std::round(v * s); };

  // Board with a bevel: light along the top and left, dark along the bottom and right.
  c.fill(g(3), g(3), g(29), g(31), g(3), outline);
  c.fill(g(3) + t, g(3) + t, g(29) - t, g(31) - t, g(3) - t, board_shade);
  c.fill(g(3) + t, g(3) + t, g(29) - 2 * t, g(31) - 2 * t, g(3) - t, board_light);
  c.fill(g(3) + 2 * t, g(3) + 2 * t, g(29) - 2 * t, g(31) - 2 * t, g(3) - 2 * t, board);

  // Sheet with its shadow on the board.
  c.fill(g(7) + t, g(8) + t, g(25) + t, g(28) + t, 0, board_shade);
  c.fill(g(7), g(8), g(25), g(28), 0, paper_shade);
  c.fill(g(7) + t, g(8), g(25) - t, g(28) - t, 0, paper);

  // Text lines, two grid units thick with paper between them.
  const double line_ends[] = {22, 19, 22, 16};
  for (int i = 0; i < 4; ++i) {
    const double top = 12 + 4 * i;
    c.fill(g(10), g(top), g(line_ends[i]), g(top + 2), 0, text_line);
  }

  // Clip: a tab with a hole above a wider jaw that holds the sheet.
  c.fill(g(12), g(1), g(20), g(7), g(1), outline);
  c.fill(g(12) + t, g(1) + t, g(20) - t, g(7), 0, metal);
  c.fill(g(14), g(3), g(18), g(5), 0, outline);
  c.fill(g(9), g(5), g(23), g(11), g(1), outline);
  c.fill(g(9) + t, g(5) + t, g(23) - t, g(11) - t, 0, metal_shade);
  c.fill(g(9) + t, g(5) + t, g(23) - t, g(11) - 2 * t, 0, metal);
  c.fill(g(9) + t, g(5) + t, g(23) - t, g(5) + 2 * t, 0, metal_light);
  return c;
}

void put_u16(std::vector<unsigned char>& out, unsigned v) {
  out.push_back(static_cast<unsigned char>(v & 0xff));
  out.push_back(static_cast<unsigned char>((v >> 8) & 0xff));
}

void put_u32(std::vector<unsigned char>& out, std::uint32_t v) {
  put_u16(out, v & 0xffff);
  put_u16(out, v >> 16);
}

// Rows of bitmaps are padded to 4 bytes.
int row_bytes(int width, int bits) { return (width * bits + 31) / 32 * 4; }

// One image as the icon file stores it: header, palette, colour rows and mask rows, both
// bottom-up. Transparent pixels have mask 1 and colour 0, so the screen shows through.
std::vector<unsigned char> encode_image(const canvas& c, int bits) {
  const int n = c.size();
  const int xor_stride = row_bytes(n, bits);
  const int and_stride = row_bytes(n, 1);
  std::vector<unsigned char> out;
  put_u32(out, 40);
  put_u32(out, static_cast<std::uint32_t>(n));
  put_u32(out, static_cast<std::uint32_t>(2 * n));
  put_u16(out, 1);
  put_u16(out, static_cast<unsigned>(bits));
  put_u32(out, 0);
  put_u32(out, static_cast<std::uint32_t>((xor_stride + and_stride) * n));
  for (int i = 0; i < 4; ++i) put_u32(out, 0);

  for (int i = 0; i < (1 << bits); ++i) {
    rgb colour{0, 0, 0};
    if (bits == 4) colour = standard_16[static_cast<size_t>(i)];
    else if (i < role_count) colour = true_colours[static_cast<size_t>(i)];
    out.insert(out.end(), {colour.b, colour.g, colour.r, 0});
  }

  for (int y = n - 1; y >= 0; --y) {
    std::vector<unsigned char> row(static_cast<size_t>(xor_stride), 0);
    for (int x = 0; x < n; ++x) {
      const role r = c.at(x, y);
      const unsigned char index = bits == 4 ? role_in_16[r] : static_cast<unsigned char>(r);
      if (bits == 4) row[static_cast<size_t>(x / 2)] |= static_cast<unsigned char>(x % 2 ? index : index << 4);
      else row[static_cast<size_t>(x)] = index;
    }
    out.insert(out.end(), row.begin(), row.end());
  }
  for (int y = n - 1; y >= 0; --y) {
    std::vector<unsigned char> row(static_cast<size_t>(and_stride), 0);
    for (int x = 0; x < n; ++x) {
      if (c.at(x, y) == transparent) row[static_cast<size_t>(x / 8)] |= static_cast<unsigned char>(0x80 >> (x % 8));
    }
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

}  // namespace

std::vector<unsigned char> make_icon_file() {
  struct image_kind {
    int size, bits;
  };
  const image_kind kinds[] = {{32, 4}, {32, 8}, {48, 8}};
  constexpr int header_bytes = 6;
  constexpr int entry_bytes = 16;
  const int count = sizeof kinds / sizeof kinds[0];

  std::vector<std::vector<unsigned char>> images;
  for (const image_kind& k : kinds) images.push_back(encode_image(draw_clipboard(k.size), k.bits));

  std::vector<unsigned char> out;
  put_u16(out, 0);
  put_u16(out, 1);
  put_u16(out, count);
  std::uint32_t offset = header_bytes + entry_bytes * count;
  for (int i = 0; i < count; ++i) {
    out.push_back(static_cast<unsigned char>(kinds[i].size));
    out.push_back(static_cast<unsigned char>(kinds[i].size));
    out.push_back(kinds[i].bits == 4 ? 16 : 0);
    out.push_back(0);
    put_u16(out, 1);
    put_u16(out, static_cast<unsigned>(kinds[i].bits));
    put_u32(out, static_cast<std::uint32_t>(images[static_cast<size_t>(i)].size()));
    put_u32(out, offset);
    offset += static_cast<std::uint32_t>(images[static_cast<size_t>(i)].size());
  }
  for (const auto& image : images) out.insert(out.end(), image.begin(), image.end());
  return out;
}
