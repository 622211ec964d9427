# Sources of text/.
list(APPEND PORTABLE_SOURCES text/encodings.cpp text/mail_decode.cpp text/stamps.cpp text/sjis.cpp
     text/menu_label.cpp)
list(APPEND WIN32_SOURCES text/file_replace.cpp)
