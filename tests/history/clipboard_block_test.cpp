#include "history/clipboard_block.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

using namespace std::string_literals;

namespace {

struct block_case {
  const char* name;
  std::string block;  // every byte of the block; no terminator unless written
  size_t field_size;
  std::string text;   // the field's text afterwards
  size_t length;
  bool cut;
};

const block_case block_cases[] = {
    {"block without a terminator", "abc", 8, "abc", 3, false},
    {"block without a terminator filling the field", "abcdefg", 8, "abcdefg", 7, false},
    {"inner terminator ends the text", "ab\0cd"s, 8, "ab", 2, false},
    {"terminated block fitting the field exactly", "abcdefg\0"s, 8, "abcdefg", 7, false},
    {"terminated block one byte too long is cut", "abcdefgh\0"s, 8, "abcdefg", 7, true},
    {"block without a terminator longer than the field is cut", "abcdefghij", 8, "abcdefg", 7, true},
    {"field of one byte holds only the terminator", "a", 1, "", 0, true},
    {"empty block leaves the field as it was", "", 8, "kept", 0, false},
    {"block starting with its terminator leaves the field as it was", "\0abc"s, 8, "kept", 0, false},
    // A cut at each byte around a double-byte character (あ, 82 A0) keeps whole characters.
    {"cut before the character", "ab\x82\xA0" "cd", 3, "ab", 2, true},
    {"cut between lead and trail byte drops the lead byte", "ab\x82\xA0" "cd", 4, "ab", 2, true},
    {"cut after the character", "ab\x82\xA0" "cd", 5, "ab\x82\xA0", 4, true},
    {"cut one byte after the character", "ab\x82\xA0" "cd", 6, "ab\x82\xA0" "c", 5, true},
    {"character fitting the field's last two bytes", "ab\x82\xA0", 5, "ab\x82\xA0", 4, false},
    {"lone lead byte before a non-trail byte stays at a cut", "a\x82 b", 3, "a\x82", 2, true},
    {"field too small for the first character", "\x82\xA0", 2, "", 0, true},
};

// Block and field are heap blocks of their exact sizes, so a read past the block or a
// write past the field is a sanitizer error.
TEST(clipboard_block, copies_within_the_block_and_the_field) {
  for (const block_case& c : block_cases) {
    std::unique_ptr<char[]> block(new char[c.block.size()]);
    std::memcpy(block.get(), c.block.data(), c.block.size());
    std::unique_ptr<char[]> field(new char[c.field_size]);
    std::memset(field.get(), '#', c.field_size);
    std::snprintf(field.get(), c.field_size, "%s", "kept");
    const copied_text copied = copy_clipboard_block(block.get(), c.block.size(), field.get(), c.field_size);
    EXPECT_EQ(std::string(field.get()), c.text) << c.name;
    EXPECT_EQ(copied.length, c.length) << c.name;
    EXPECT_EQ(copied.cut, c.cut) << c.name;
  }
}

}  // namespace
