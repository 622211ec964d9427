# Sources of text/.
list(APPEND PORTABLE_SOURCES text/encodings.cpp text/stamps.cpp)
