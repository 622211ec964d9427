# Tests of text/.
list(APPEND NATIVE_TEST_SOURCES
  tests/text/encodings_test.cpp
  tests/text/iconv_compare_test.cpp
  tests/text/stamps_test.cpp
  tests/text/sjis_test.cpp
  tests/text/menu_label_test.cpp
  tests/text/mail_decode_test.cpp
  tests/text/unicode_text_test.cpp
  tests/text/search_fold_test.cpp
  tests/text/sha256_test.cpp
  tests/text/wide_text_test.cpp)
