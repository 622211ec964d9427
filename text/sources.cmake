# Sources of text/.
list(APPEND PORTABLE_SOURCES text/encodings.cpp text/mail_decode.cpp text/stamps.cpp text/sjis.cpp
     text/menu_label.cpp text/unicode_text.cpp text/mail_utf8.cpp text/search_fold.cpp text/cp932_variants.cpp
     text/file_faults.cpp text/sha256.cpp text/wide_text.cpp)
list(APPEND WIN32_SOURCES text/file_replace.cpp)
# Code page 932 itself: the system's tables in the program, the C library's natively.
list(APPEND WIN32_SOURCES text/cp932_win32.cpp)
list(APPEND NATIVE_SOURCES text/cp932_iconv.cpp)
# Files by Shift_JIS names: the wide functions in the program, POSIX natively.
list(APPEND WIN32_SOURCES text/file_names_win32.cpp)
list(APPEND NATIVE_SOURCES text/file_names_posix.cpp)
# Replacing a file: the native build renames as POSIX does.
list(APPEND NATIVE_SOURCES text/file_replace_posix.cpp)
