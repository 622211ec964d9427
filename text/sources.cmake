# Sources of text/.
list(APPEND PORTABLE_SOURCES text/encodings.cpp text/mail_decode.cpp text/stamps.cpp text/sjis_search.cpp
     text/search_fold.cpp)
list(APPEND WIN32_SOURCES text/text_commands.cpp)
