#include "history/clip_finder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "tests/history/record_file_fixture.h"

namespace {

// Characters that fold into one another, share bytes, or join a voiced mark.
const char* const alphabet[] = {"a", "A", "ａ", "Ａ", "ｶ", "カ", "か", "ガ", "ｶﾞ", "ﾞ", "ﾊ", "バ", "パ",
                                "結", "東", "京", "\\", " ", "\t", "x", "\x8c"};
constexpr int alphabet_size = sizeof alphabet / sizeof alphabet[0];

std::string random_characters(std::mt19937& random, int most) {
  std::string text;
  for (int n = static_cast<int>(random() % static_cast<unsigned>(most + 1)); n > 0; --n)
    text += alphabet[random() % alphabet_size];
  return text;
}

// Records in stored form, now and then a bare CR, a line break, no final separator or a
// trailing Ctrl+Z, as files left by older versions and other tools hold them.
std::string random_history(std::mt19937& random, int records) {
  std::string stored;
  for (int r = 0; r < records; ++r) {
    stored += random_characters(random, 12);
    if (random() % 20 == 0) stored += random() % 2 ? "\r" : "\r\n";
    stored += "\a\r\n";
  }
  if (random() % 4 == 0) stored += random_characters(random, 6);
  if (random() % 4 == 0) stored += '\x1a';
  return stored;
}

// The folded text cut into characters: a pair, a half-width kana with its mark, or a byte.
std::vector<std::string> folded_characters(const std::string& text) {
  std::string folded(text.size(), '\0');
  folded.resize(fold_for_search(text.data(), text.size(), &folded[0]));
  std::vector<std::string> out;
  for (std::size_t i = 0; i < folded.size();) {
    const auto c = static_cast<unsigned char>(folded[i]);
    const auto next = i + 1 < folded.size() ? static_cast<unsigned char>(folded[i + 1]) : 0;
    const bool pair = ((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC)) && next >= 0x40 && next != 0x7F && next <= 0xFC;
    const bool voiced = c >= 0xA6 && c <= 0xDD && (next == 0xDE || next == 0xDF);
    const std::size_t n = pair || voiced ? 2 : 1;
    out.push_back(folded.substr(i, n));
    i += n;
  }
  return out;
}

bool reference_match(const std::string& record, const std::vector<std::string>& terms) {
  const std::vector<std::string> text = folded_characters(record);
  for (const std::string& term : terms) {
    const std::vector<std::string> wanted = folded_characters(term);
    bool found = false;
    for (std::size_t at = 0; !found && at + wanted.size() <= text.size(); ++at)
      found = std::equal(wanted.begin(), wanted.end(), text.begin() + static_cast<std::ptrdiff_t>(at));
    if (!found) return false;
  }
  return true;
}

// Every text once, at its newest record, newest first, with how many records hold it.
void expect_same_answer(clip_finder& finder, std::mt19937& random, const std::vector<std::string>& records) {
  ASSERT_EQ(finder.count(), static_cast<int>(records.size()));
  for (int q = 0; q < 8; ++q) {
    std::vector<std::string> terms;
    std::string query;
    for (int t = static_cast<int>(random() % 3); t >= 0; --t) {
      std::string term = random_characters(random, 2);
      if (term.find_first_of(" \t") != std::string::npos || term.empty()) continue;
      terms.push_back(term);
      // A lone lead byte would pair up with what follows it, and so would the trail byte
      // it takes from there: after one, only an ASCII space ends the term.
      query += term + (random() % 2 || term.find('\x8c') != std::string::npos ? " " : "　");
    }
    std::vector<int> expected;
    std::vector<int> times;
    for (int n = static_cast<int>(records.size()); n >= 1; --n) {
      const std::string& text = records[static_cast<std::size_t>(n - 1)];
      if (std::find(records.begin() + n, records.end(), text) != records.end() || !reference_match(text, terms))
        continue;
      expected.push_back(n);
      times.push_back(static_cast<int>(std::count(records.begin(), records.end(), text)));
    }
    finder.start_query(query.c_str());
    while (!finder.query_slice(1 + random() % 3000)) {
    }
    ASSERT_EQ(finder.match_count(), static_cast<int>(expected.size())) << query;
    if (expected.size() > clip_finder::most_kept) expected.resize(clip_finder::most_kept);
    ASSERT_EQ(finder.newest_matches(), expected) << query;
    for (std::size_t i = 0; i < expected.size(); ++i) ASSERT_EQ(finder.times(expected[i]), times[i]) << expected[i];
  }
}

void build(clip_finder& finder, std::mt19937& random) {
  while (!finder.build_slice(1 + random() % 5000)) {
  }
}

class clip_finder_test : public record_file_fixture {};

// The older files' records first, oldest file first, then the history's.
std::vector<std::string> all_records(const std::vector<std::string>& older) {
  std::vector<std::string> all;
  for (const std::string& name : older) {
    const std::vector<std::string> records = records_of(name.c_str());
    all.insert(all.end(), records.begin(), records.end());
  }
  const std::vector<std::string> history = records_of("_clip.txt");
  all.insert(all.end(), history.begin(), history.end());
  return all;
}

// Reads a record by the finder's number from the file that holds it.
bool read_found(const clip_finder& finder, int number, char* out) {
  std::string name = "_clip.txt";
  int there = number - finder.first_of_history() + 1;
  finder.older_place(number, name, there);
  record_index index;
  index.build(name.c_str());
  return index.read(there, out);
}

TEST_F(clip_finder_test, finds_what_folding_every_record_finds_through_appends_and_rewrites) {
  std::mt19937 random(24);
  for (int round = 0; round < 25; ++round) {
    write_file("_clip.txt", random_history(random, static_cast<int>(random() % (round % 5 == 0 ? 2500 : 60))));
    // Older files, some of them empty or gone, their texts often met again in the history.
    std::vector<std::string> older;
    for (int k = 1; k <= round % 4; ++k) {
      older.push_back(std::to_string(k) + "_old.txt");
      if (k != 2 || round % 8 != 3) write_file(older.back().c_str(), random_history(random, static_cast<int>(random() % 40)));
    }
    clip_finder finder;
    // Every other round the history is read in two parts at once.
    if (round % 2 == 1) finder.set_split_least(1);
    finder.set_record_reader([&finder](int number, char* out) { return read_found(finder, number, out); });
    if (!older.empty())
      finder.set_older_lister([&older] {
        std::vector<listed_file> listed;
        for (const std::string& name : older) {
          file_stamp stamp;
          if (stamp_of_path(name.c_str(), stamp)) listed.push_back({name, stamp.size, stamp.written});
        }
        return listed;
      });
    finder.start_build("_clip.txt");
    build(finder, random);
    expect_same_answer(finder, random, all_records(older));

    // Added records are told from older ones that fold alike, or found again, one by one.
    const std::vector<std::string> before = all_records(older);
    std::string added = random_history(random, 1 + static_cast<int>(random() % 5));
    for (int again = static_cast<int>(random() % 3); again > 0 && !before.empty(); --again) {
      std::string text = before[again == 1 ? 0 : random() % before.size()];
      added += text + "\a\r\n" + text + "\a\r\n";
      // The same text with another case folds alike but is another text.
      for (char& c : text) c = c == 'a' ? 'A' : c == 'A' ? 'a' : c;
      added += text + "x\a\r\n" + text + "\a\r\n";
    }
    const std::string old_file = read_file("_clip.txt");
    write_file("_clip.txt", old_file + added);
    const clip_finder::change change = finder.refresh("_clip.txt");
    // A last record that ran into the end of the file and was held before is read anew.
    if (old_file.size() < 3 || old_file.compare(old_file.size() - 3, 3, "\a\r\n") == 0) {
      EXPECT_EQ(change, clip_finder::change::appended);
    }
    if (change == clip_finder::change::rebuilt) build(finder, random);
    expect_same_answer(finder, random, all_records(older));

    write_file("_clip.txt", random_history(random, static_cast<int>(random() % 40)));
    EXPECT_EQ(finder.refresh("_clip.txt"), clip_finder::change::rebuilt);
    build(finder, random);
    EXPECT_EQ(finder.refresh("_clip.txt"), clip_finder::change::none);
    // An older file rewritten, or one more listed, is read again.
    if (!older.empty()) {
      const bool rewrite = round % 2 == 0;
      if (rewrite) write_file(older[0].c_str(), random_history(random, 3) + "r\a\r\n");
      if (!rewrite) {
        older.push_back("9_old.txt");
        write_file("9_old.txt", random_history(random, 5));
      }
      EXPECT_EQ(finder.refresh("_clip.txt"), clip_finder::change::rebuilt) << (rewrite ? "rewritten" : "listed");
      build(finder, random);
    }
    const std::vector<std::string> records = all_records(older);
    expect_same_answer(finder, random, records);

    // Newest first, as the list reads them, each from the file that holds it.
    std::vector<char> text(clip_size);
    for (std::size_t n = records.size(); n >= 1; --n) {
      ASSERT_TRUE(read_found(finder, static_cast<int>(n), text.data())) << n;
      EXPECT_EQ(std::string(text.data()), records[n - 1]);
    }
    finder.release();
    EXPECT_EQ(finder.memory_bytes(), 0u);
  }
}

// Records added to a copy already made, newest first as listed, with their counts.
TEST_F(clip_finder_test, lists_a_text_once_after_records_are_added_to_a_copy_already_made) {
  std::string twenty;
  for (int n = 0; n < 20; ++n) twenty += "n" + std::to_string(n) + "\a\r\n";
  const struct {
    const char* name;
    std::string before, added;
    std::vector<int> newest, times;
  } cases[] = {
      {"a last record read again was found again", "a\a\r\nb\a\r\na", "x\a\r\n", {3, 2, 1}, {1, 1, 1}},
      {"a last record read again is found again", "a\a\r\nb\a\r\nx", "\a\r\na\a\r\n", {4, 3, 2}, {2, 1, 1}},
      {"more added than are looked for one by one", "a\a\r\nb\a\r\n", twenty + "b\a\r\n",
       {23, 22, 21, 20, 19, 18, 17, 16, 15, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 1}, {2}},
  };
  for (const auto& c : cases) {
    write_file("_clip.txt", c.before);
    clip_finder finder;
    record_index stored;
    finder.set_record_reader([&stored](int number, char* out) {
      stored.refresh("_clip.txt");
      return stored.read(number, out);
    });
    finder.start_build("_clip.txt");
    while (!finder.build_slice(7)) {
    }
    write_file("_clip.txt", c.before + c.added);
    if (finder.refresh("_clip.txt") == clip_finder::change::rebuilt)
      while (!finder.build_slice(7)) {
      }
    finder.start_query("");
    finder.query_slice(1 << 20);
    EXPECT_EQ(finder.newest_matches(), c.newest) << c.name;
    EXPECT_EQ(finder.match_count(), static_cast<int>(c.newest.size())) << c.name;
    for (std::size_t i = 0; i < c.times.size(); ++i) EXPECT_EQ(finder.times(c.newest[i]), c.times[i]) << c.name;
  }
}

}  // namespace
