// UTF-8 validation and lossy decoding. Well-formed means the byte sequences
// of the Unicode standard's table of well-formed UTF-8: no overlong forms, no
// surrogates, nothing above U+10FFFF. Lossy decoding replaces each maximal
// invalid subsequence (the longest prefix of a well-formed sequence that
// cannot be completed, or else a single byte) with one U+FFFD.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "volarion/text.hpp"

namespace volarion {

namespace {

constexpr std::string_view replacement_character = "\xEF\xBF\xBD";

struct Sequence {
    std::size_t length;  // bytes of the sequence, or of the maximal invalid subsequence
    bool valid;
};

// The sequence starting at a non-ASCII byte p[0] (p < end). Only the second
// byte has a range narrower than 80..BF; that is what rules out overlongs,
// surrogates and code points above U+10FFFF.
Sequence next_sequence(const unsigned char* p, const unsigned char* end) noexcept {
    const unsigned char lead = p[0];
    std::size_t continuation;
    unsigned char lo = 0x80;
    unsigned char hi = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        continuation = 1;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        continuation = 2;
        if (lead == 0xE0) lo = 0xA0;
        if (lead == 0xED) hi = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        continuation = 3;
        if (lead == 0xF0) lo = 0x90;
        if (lead == 0xF4) hi = 0x8F;
    } else {
        return {1, false};  // a continuation byte, C0, C1 or F5..FF
    }
    for (std::size_t i = 1; i <= continuation; ++i) {
        if (p + i == end || p[i] < lo || p[i] > hi) return {i, false};
        lo = 0x80;
        hi = 0xBF;
    }
    return {continuation + 1, true};
}

// Bytes from p up to the first invalid sequence (or end). ASCII is skipped
// eight bytes at a time.
const unsigned char* valid_prefix_end(const unsigned char* p, const unsigned char* end) noexcept {
    while (p != end) {
        while (end - p >= 8) {
            std::uint64_t word;
            std::memcpy(&word, p, sizeof word);
            if (word & 0x8080808080808080u) break;
            p += 8;
        }
        if (p == end) break;
        if (*p < 0x80) {
            ++p;
            continue;
        }
        const Sequence s = next_sequence(p, end);
        if (!s.valid) break;
        p += s.length;
    }
    return p;
}

const unsigned char* bytes_of(std::string_view s) noexcept {
    return reinterpret_cast<const unsigned char*>(s.data());
}

}  // namespace

bool is_valid_utf8(std::string_view bytes) noexcept {
    const unsigned char* end = bytes_of(bytes) + bytes.size();
    return valid_prefix_end(bytes_of(bytes), end) == end;
}

void append_lossy_utf8(std::string& out, std::string_view bytes) {
    const unsigned char* const begin = bytes_of(bytes);
    const unsigned char* const end = begin + bytes.size();
    const unsigned char* p = begin;
    while (true) {
        const unsigned char* run_end = valid_prefix_end(p, end);
        out.append(bytes.data() + (p - begin), static_cast<std::size_t>(run_end - p));
        if (run_end == end) return;
        out += replacement_character;
        p = run_end + next_sequence(run_end, end).length;
    }
}

std::string lossy_utf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    append_lossy_utf8(out, bytes);
    return out;
}

}  // namespace volarion
