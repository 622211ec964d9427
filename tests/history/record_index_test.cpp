// The offset index against the plain reader: seeking to record n must read exactly what
// reading from the top reads there, and every move must end where rereading ends.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <chrono>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "history/clip_finder.h"
#include "history/history_streams.h"
#include "history/moves.h"
#include "history/record_index.h"
#include "tests/history/random_records.h"
#include "tests/history/record_file_fixture.h"

namespace {

// Another program's edit comes seconds after our last write; writes within one tick of
// the file system's clock keep the time.
void later_by_seconds(const char* name) {
  std::filesystem::last_write_time(name, std::filesystem::last_write_time(name) + std::chrono::seconds(3));
}

struct read_step {
  read_result result;
  std::string text;
  bool ended;
  std::uint64_t offset;
};

read_step next(record_stream& reader) {
  int counter = 0;
  read_step step;
  step.result = read_record(reader, counter);
  step.text.assign(clip_text, std::strlen(clip_text));
  step.ended = reader.at_end();
  step.offset = reader.tell();
  return step;
}

bool same(const read_step& a, const read_step& b) {
  return a.result == b.result && a.text == b.text && a.ended == b.ended && a.offset == b.offset;
}

using record_index_test = record_file_fixture;

TEST_F(record_index_test, seeking_to_any_record_reads_what_reading_from_the_top_reads) {
  std::mt19937 random(7);
  for (int round = 0; round < 120; ++round) {
    const std::string separator = round % 3 == 0 ? "\n" : "\a\n";
    use_separator(separator);
    write_file("f.txt", random_record_file(random, separator, round % 4 == 0));
    std::vector<read_step> from_top;
    record_stream reader;
    reader.open("f.txt", open_mode::read);
    do {
      from_top.push_back(next(reader));
    } while (from_top.back().result == read_result::record);
    from_top.push_back(next(reader));

    record_index index;
    index.build("f.txt");
    const int records = static_cast<int>(from_top.size()) - 2;
    ASSERT_EQ(index.count(), records) << round;
    EXPECT_EQ(index.has_end_position(), from_top[records].result == read_result::end_reached) << round;
    record_stream seeker;
    seeker.open("f.txt", open_mode::read);
    for (int n = records - 1; n >= 0; --n) {
      ASSERT_TRUE(index.seek_after(seeker, n));
      // The record there and the one after it: seeking leaves no trace on later reads.
      for (int k = n; k < n + 2; ++k) ASSERT_TRUE(same(next(seeker), from_top[k])) << round << " " << n << " " << k;
    }
    EXPECT_FALSE(index.seek_after(seeker, records)) << "past the last record";
  }
  // Records of 241 bytes put a separator's LF at offset 4096 and a stop byte and CR at
  // 4094 and 4095 bytes past every record start: a reader set at a record fills 4096
  // bytes first and must not take what an earlier fill left after them for that LF.
  std::string disk;
  for (int k = 0; k < 40; ++k) disk += std::string(238, 'x') + "\a\r\n";
  write_file("f.txt", disk);
  record_stream reader;
  reader.open("f.txt", open_mode::read);
  int count = 0;
  while (read_record(reader, count) == read_result::record) {
  }
  record_index index;
  index.build("f.txt");
  ASSERT_TRUE(index.seek_after(reader, 3));
  for (count = 3; read_record(reader, count) == read_result::record;) EXPECT_EQ(clip_text, std::string(238, 'x'));
  EXPECT_EQ(count, 40);
}

TEST_F(record_index_test, refreshing_after_growth_or_shrinking_matches_a_new_pass) {
  std::mt19937 random(11);
  for (int round = 0; round < 60; ++round) {
    std::string bytes = random_record_file(random, "\a\n", false);
    write_file("f.txt", bytes);
    record_index kept;
    kept.build("f.txt");
    bytes = random() % 3 == 0 ? bytes.substr(0, bytes.size() / 2) : bytes + random_record_file(random, "\a\n", false);
    write_file("f.txt", bytes);
    kept.refresh("f.txt");
    record_index fresh;
    fresh.build("f.txt");
    ASSERT_EQ(kept.count(), fresh.count()) << round;
    EXPECT_EQ(kept.has_end_position(), fresh.has_end_position());
    EXPECT_EQ(kept.end(), fresh.end());
    for (int n = 1; n <= fresh.count(); ++n) ASSERT_EQ(kept.start(n), fresh.start(n)) << round << " " << n;
  }
}

// Offsets taken from a copy renamed into place hold only for that copy as it was read:
// whatever else the name comes to stand for is read in a new pass.
TEST_F(record_index_test, offsets_taken_from_a_renamed_copy_match_a_new_pass) {
  enum class after_rename { nothing, appended, rewritten_same_size, other_file };
  struct copy_case {
    const char* name;
    after_rename change;
    bool read_again;
  };
  const copy_case cases[] = {
      {"the copy in its place", after_rename::nothing, false},
      {"a record appended since", after_rename::appended, true},
      {"rewritten at the same size", after_rename::rewritten_same_size, true},
      {"another file under the name", after_rename::other_file, true},
  };
  std::mt19937 random(13);
  for (const copy_case& c : cases) {
    SCOPED_TRACE(c.name);
    write_file("f.txt", random_record_file(random, "\a\n", false));
    const std::string copied = random_record_file(random, "\a\n", false) + "last\a\n";
    write_file("f.txt.tmp", copied);
    record_index copy;
    copy.build("f.txt.tmp");
    copy.let_go();
    std::filesystem::rename("f.txt.tmp", "f.txt");
    record_index kept;
    kept.build("f.txt");
    switch (c.change) {
      case after_rename::nothing: break;
      case after_rename::appended: write_file("f.txt", copied + "more\a\n"); break;
      case after_rename::rewritten_same_size:
        write_file("f.txt", "LAST" + copied.substr(4));
        later_by_seconds("f.txt");
        break;
      case after_rename::other_file:
        std::filesystem::remove("f.txt");
        write_file("f.txt", copied);
        break;
    }
    const int generation = kept.generation();
    kept.take_copy(copy, "f.txt");
    EXPECT_EQ(kept.generation() - generation, c.read_again ? 2 : 1);
    record_index fresh;
    fresh.build("f.txt");
    ASSERT_EQ(kept.count(), fresh.count());
    EXPECT_EQ(kept.has_end_position(), fresh.has_end_position());
    EXPECT_EQ(kept.end(), fresh.end());
    for (int n = 1; n <= fresh.count(); ++n) ASSERT_EQ(kept.start(n), fresh.start(n)) << n;
    EXPECT_TRUE(kept.is_current("f.txt"));
  }
}

// The moves as they were before the index: every restart reopens the file and every
// record on the way is read. A model of its own state, apart from the real globals.
struct rereading_model {
  record_stream reader;
  std::string text;
  int current = 1, count = 0, target = 1, mode = move_by_steps;

  void restart() {
    reader.open("_clip.txt", open_mode::read);
    current = 0;
  }
  bool should_stop() {
    if (mode == move_to_position) return current == target;
    return --target == 0;
  }
  void move() {
    read_result result = read_record(reader, current);
    while (result == read_result::record) {
      if (should_stop()) return;
      if (count < current) count = current;
      result = read_record(reader, current);
    }
    if (result != read_result::end_reached) return;
    ++current;
    if (mode == move_by_steps) --target;
  }
  void back(bool jump) {
    mode = move_to_position;
    target = current - (jump ? 100 : 1);
    if (target < 1) target = count;
    restart();
    move();
  }
  void follow() {
    if (!reader.at_end()) current = reader.records_read();
  }
  void forward(bool jump) {
    mode = move_by_steps;
    target = jump ? 100 : 1;
    follow();
    move();
    if (reader.at_end()) {
      restart();
      move();
    }
  }
};

// The search reads on from wherever the reader stands, on both sides alike.
void search(record_stream& reader, int& current, int& count, const std::string& wanted) {
  read_result result = read_record(reader, current);
  while (result == read_result::record && std::strstr(clip_text, wanted.c_str()) == nullptr) {
    if (count < current) count = current;
    result = read_record(reader, current);
  }
  if (result == read_result::end_reached) ++current;
}

class moves_test : public record_file_fixture {
 protected:
  void TearDown() override {
    close_history_streams();
    history_index.clear();
    record_file_fixture::TearDown();
  }

  void expect_same(const rereading_model& model, int round, int step) {
    ASSERT_EQ(std::string(clip_text), model.text) << round << " step " << step;
    ASSERT_EQ(current_index, model.current) << round << " step " << step;
    ASSERT_EQ(history_count, model.count) << round << " step " << step;
    ASSERT_EQ(history_reader.at_end(), model.reader.at_end()) << round << " step " << step;
    if (!history_reader.at_end()) {
      ASSERT_EQ(history_reader.tell(), model.reader.tell()) << round << " step " << step;
    }
  }
};

TEST_F(moves_test, every_move_ends_where_rereading_from_the_top_ends) {
  std::mt19937 random(5);
  for (int round = 0; round < 80; ++round) {
    const std::string separator = round % 4 == 3 ? "\n" : "\a\n";
    use_separator(separator);
    write_file("_clip.txt", random_record_file(random, separator, round % 5 == 0));
    close_history_streams();
    history_index.clear();
    open_history_streams();
    rereading_model model;
    model.reader.open("_clip.txt", open_mode::read);
    history_count = model.count = count_records("_clip.txt");
    current_index = model.current = history_count + 1;
    std::string real_text, model_text;
    for (int step = 0; step < 60; ++step) {
      const int action = static_cast<int>(random() % 9);
      // A menu entry chosen while the count on show is smaller than its record number.
      const int smaller_count = static_cast<int>(random() % (history_count + 1));
      const bool jump = random() % 4 == 0;
      const int position = static_cast<int>(random() % (history_count + 3)) - 1;
      const std::string wanted(1, "ab\r\x82z"[random() % 5]);
      const std::string appended = random_text(random, false);
      const int records_before = action == 6 ? count_records("_clip.txt") : 0;

      std::memcpy(clip_text, real_text.c_str(), real_text.size() + 1);
      switch (action) {
        case 0: case 1: move_back(jump); break;
        case 2: case 3: move_forward(jump); break;
        case 4: follow_reader(); search(history_reader, current_index, history_count, wanted); break;
        case 5: current_index = position + 1; move_back(false); break;
        case 6: {
          // A capture, then a click: a reader that stood at the old end may or may not
          // have seen the new bytes, by the chance of its buffer, until it restarts.
          const append_result added = append_history_text(appended.c_str());
          ASSERT_TRUE(added.saved);
          history_count += added.records;
          current_index = history_count;
          move_back(false);
          break;
        }
        case 7: current_index = 1; history_count = 0; move_back(false); break;
        default: history_count = smaller_count; current_index = position + 1; move_back(false); break;
      }
      real_text = clip_text;

      std::memcpy(clip_text, model_text.c_str(), model_text.size() + 1);
      switch (action) {
        case 0: case 1: model.back(jump); break;
        case 2: case 3: model.forward(jump); break;
        case 4: model.follow(); search(model.reader, model.current, model.count, wanted); break;
        case 5: model.current = position + 1; model.back(false); break;
        case 6: {
          const int records_after = count_records("_clip.txt");
          std::memcpy(clip_text, model_text.c_str(), model_text.size() + 1);
          model.count += records_after - records_before;
          model.current = model.count;
          model.back(false);
          break;
        }
        case 7: model.current = 1; model.count = 0; model.back(false); break;
        default: model.count = smaller_count; model.current = position + 1; model.back(false); break;
      }
      model.text = model_text = clip_text;
      std::memcpy(clip_text, real_text.c_str(), real_text.size() + 1);
      expect_same(model, round, step);
    }
  }
}

}  // namespace

// Another program changes the history between two looks of ours, seconds after our last
// write. Whatever it did, the index then matches a new pass, a record chosen by number
// reads what rereading the file reads (through the index's own file too, as the find
// window reads its rows), reading on gives whole records of the file as it now is, an
// append starts a record of its own, and the find window's copy is made anew with the
// same records.
TEST_F(moves_test, changes_by_another_program_are_seen_before_any_read_by_offset) {
  using change = std::string (*)(std::mt19937&, const std::string&);
  static const change changes[] = {
      // rewritten in place, same size
      [](std::mt19937& r, const std::string& old) { return (random_record_file(r, "\a\n", false) + old).substr(0, old.size()); },
      // same size and the same last 32 bytes: one record more at the top, the rest moved
      [](std::mt19937&, const std::string& old) { return "Z\a\r\n" + old.substr(4); },
      // edited before the old end, then grown past it
      [](std::mt19937& r, const std::string& old) {
        return "edit" + old.substr(old.size() < 4 ? old.size() : 4) + random_record_file(r, "\a\n", false) + "x\a\r\n";
      },
      [](std::mt19937&, const std::string& old) { return old.substr(0, old.size() / 2); },             // cut
      [](std::mt19937& r, const std::string& old) { return old + random_record_file(r, "\a\n", false); },  // appended
      [](std::mt19937& r, const std::string&) { return "rename:" + random_record_file(r, "\a\n", false); },
      [](std::mt19937&, const std::string&) { return std::string("delete:"); },
  };
  std::mt19937 random(13);
  for (int round = 0; round < 120; ++round) {
    const std::string old =
        "first record\a\r\n" + random_record_file(random, "\a\n", false) + "one\a\r\ntwo\a\r\nthree\a\r\n";
    write_file("_clip.txt", old);
    close_history_streams();
    history_index.clear();
    open_history_streams();
    history_count = count_records("_clip.txt");
    current_index = history_count;
    move_back(false);
    clip_finder finder;
    finder.start_build("_clip.txt");
    while (!finder.build_slice(4096)) {
    }
    const std::string changed = changes[round % 7](random, old);
    if (changed.rfind("rename:", 0) == 0) {
      write_file("new.txt", changed.substr(7));
      ASSERT_EQ(std::rename("new.txt", "_clip.txt"), 0);
    } else if (changed == "delete:") {
      ASSERT_EQ(std::remove("_clip.txt"), 0);
    } else {
      write_file("_clip.txt", changed);
    }
    if (changed != "delete:") later_by_seconds("_clip.txt");
    const std::vector<std::string> now = records_of("_clip.txt");
    EXPECT_NE(finder.refresh("_clip.txt"), clip_finder::change::none) << round;
    while (!finder.build_slice(4096)) {
    }
    EXPECT_EQ(finder.count(), static_cast<int>(now.size())) << round;
    move_forward(false);
    EXPECT_TRUE(clip_text[0] == '\0' || std::find(now.begin(), now.end(), clip_text) != now.end()) << round;
    for (int n = 1; n <= static_cast<int>(now.size()); n += 1 + static_cast<int>(random() % 5)) {
      current_index = n + 1;
      move_back(false);
      ASSERT_EQ(std::string(clip_text), now[n - 1]) << round << " record " << n;
      std::vector<char> row(clip_size);
      ASSERT_TRUE(history_index.read(n, row.data())) << round << " record " << n;
      ASSERT_EQ(std::string(row.data()), now[n - 1]) << round << " record " << n;
    }
    history_index.refresh("_clip.txt");
    record_index fresh;
    fresh.build("_clip.txt");
    ASSERT_EQ(history_index.count(), fresh.count()) << round;
    for (int n = 1; n <= fresh.count(); ++n) ASSERT_EQ(history_index.start(n), fresh.start(n)) << round;
    // Our own append extends the index; it makes no new pass, unless it had to cut the
    // old end-of-data mark off first.
    const int generation = history_index.generation();
    const std::string before = read_file("_clip.txt");
    const append_result added = append_history_text("new clip");
    ASSERT_TRUE(added.saved) << round;
    if (before.empty() || before.back() != '\x1A') {
      EXPECT_EQ(history_index.generation(), generation) << round;
    }
    std::vector<std::string> expected = records_of("_clip.txt");
    EXPECT_EQ(expected.back(), "new clip") << round;
    expected.pop_back();
    EXPECT_EQ(expected, now) << round;
  }
}
