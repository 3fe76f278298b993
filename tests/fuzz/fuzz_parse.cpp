// libFuzzer target: every byte sequence must give a record or an error value,
// and an error's debug text must never carry a raw control character.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "volarion/parse.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto bytes = std::as_bytes(std::span(data, size));
    const volarion::ParseResult result = volarion::parse_ogn_aprs_aircraft_beacon(bytes);
    if (result) {
        return 0;
    }
    const std::string text = volarion::debug_text(result.error());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            __builtin_trap();
        }
    }
    return 0;
}
