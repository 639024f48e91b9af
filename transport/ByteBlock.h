#pragma once
// A parameter block as the device sends it: a fixed-size byte array with named accessors.
// Keeping the bytes (instead of decoded fields) makes read-modify-write exact by construction:
// bytes nobody interprets go back as they came, and "changed" is one byte comparison.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "transport/ByteOrder.h"

namespace varlo {

using Ipv4Bytes = std::array<uint8_t, 4>;
using MacBytes = std::array<uint8_t, 6>;

template <std::size_t N>
class ByteBlock {
public:
    static constexpr std::size_t kSize = N;

    ByteBlock() { m_bytes.fill(0); }

    uint8_t* data() { return m_bytes.data(); }
    const uint8_t* data() const { return m_bytes.data(); }
    static constexpr std::size_t size() { return N; }
    const std::array<uint8_t, N>& bytes() const { return m_bytes; }

    void Assign(const uint8_t* src) { std::copy_n(src, N, m_bytes.begin()); }

    uint8_t GetU8(std::size_t off) const { return At(off, 1)[0]; }
    void SetU8(std::size_t off, uint8_t v) { At(off, 1)[0] = v; }
    uint16_t GetU16BE(std::size_t off) const { return LoadBE16(At(off, 2)); }
    void SetU16BE(std::size_t off, uint16_t v) { StoreBE16(At(off, 2), v); }
    uint32_t GetU32BE(std::size_t off) const { return LoadBE32(At(off, 4)); }
    void SetU32BE(std::size_t off, uint32_t v) { StoreBE32(At(off, 4), v); }

    Ipv4Bytes GetIp(std::size_t off) const { return Get<4>(off); }
    void SetIp(std::size_t off, const Ipv4Bytes& ip) { Set(off, ip); }
    MacBytes GetMac(std::size_t off) const { return Get<6>(off); }

    // A text field ends at its first zero byte, or at the field's end when it holds none.
    std::string GetText(std::size_t off, std::size_t width) const {
        const uint8_t* p = At(off, width);
        const uint8_t* end = std::find(p, p + width, uint8_t{0});
        return std::string(reinterpret_cast<const char*>(p), static_cast<std::size_t>(end - p));
    }

    // Serial-server rule: at most width - 1 characters and one zero byte; the bytes after the
    // terminator are left as they were.
    void SetTextTerminated(std::size_t off, std::size_t width, std::string_view text) {
        uint8_t* p = At(off, width);
        const std::size_t n = std::min(text.size(), width - 1);
        std::copy_n(reinterpret_cast<const uint8_t*>(text.data()), n, p);
        p[n] = 0;
    }

    // Art-Net rule: at most width - 1 characters, the rest of the field zero.
    void SetTextPadded(std::size_t off, std::size_t width, std::string_view text) {
        uint8_t* p = At(off, width);
        std::fill_n(p, width, uint8_t{0});
        SetTextTerminated(off, width, text);
    }

    bool operator==(const ByteBlock&) const = default;

protected:
    template <std::size_t W>
    std::array<uint8_t, W> Get(std::size_t off) const {
        std::array<uint8_t, W> out{};
        std::copy_n(At(off, W), W, out.begin());
        return out;
    }
    template <std::size_t W>
    void Set(std::size_t off, const std::array<uint8_t, W>& v) {
        std::copy_n(v.begin(), W, At(off, W));
    }

    // Offsets are compile-time layout constants; a field past the end is a programming error,
    // so it stops the program instead of touching memory it does not own.
    uint8_t* At(std::size_t off, std::size_t width) {
        Check(off, width);
        return m_bytes.data() + off;
    }
    const uint8_t* At(std::size_t off, std::size_t width) const {
        Check(off, width);
        return m_bytes.data() + off;
    }
    static void Check(std::size_t off, std::size_t width) {
        if (width == 0 || off + width > N) {
            std::abort();
        }
    }

    std::array<uint8_t, N> m_bytes;
};

}  // namespace varlo
