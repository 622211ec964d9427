# Tests of history/.
list(APPEND NATIVE_TEST_SOURCES tests/history/record_file_test.cpp tests/history/clipboard_block_test.cpp)
list(APPEND WIN32_TEST_SOURCES tests/history/capture_test.cpp tests/history/clipboard_text_test.cpp)
list(APPEND WIN32_TEST_SOURCES tests/history/ring_test.cpp)
list(APPEND WIN32_TEST_SOURCES tests/history/link_tag_test.cpp)
list(APPEND WIN32_TEST_SOURCES tests/history/private_clip_test.cpp)
list(APPEND WIN32_TEST_SOURCES tests/history/navigation_test.cpp tests/history/maintenance_test.cpp
     tests/history/nothing_lost_test.cpp tests/history/failing_write_test.cpp
     tests/history/forget_history_test.cpp)
list(APPEND NATIVE_TEST_SOURCES tests/history/record_index_test.cpp tests/history/byte_copy_test.cpp
     tests/history/record_append_test.cpp tests/history/reuse_index_test.cpp tests/history/clip_finder_test.cpp
     tests/history/clip_side_file_test.cpp tests/history/forget_test.cpp
     tests/history/time_label_test.cpp)
# The finder's reading on two cores, on both platforms' threads.
list(APPEND NATIVE_TEST_SOURCES tests/history/finder_split_test.cpp)
list(APPEND WIN32_TEST_SOURCES tests/history/finder_split_test.cpp)
