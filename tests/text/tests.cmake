# Tests of text/.
list(APPEND NATIVE_TEST_SOURCES
  tests/text/encodings_test.cpp
  tests/text/iconv_compare_test.cpp
  tests/text/stamps_test.cpp
  tests/text/sjis_search_test.cpp
  tests/text/search_fold_test.cpp
  tests/text/mail_decode_test.cpp)
list(APPEND WIN32_TEST_SOURCES tests/text/text_commands_test.cpp)
