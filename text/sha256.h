// SHA-256 of a byte string: a name for a text that stays the same wherever the text is
// stored and however often it is copied.
#pragma once
#include <array>
#include <cstddef>

using sha256_digest = std::array<unsigned char, 32>;

sha256_digest sha256(const void* bytes, std::size_t length);
