#pragma once
// _ARTNETDMXPARAM, a node's DMX port block: 52 bytes, four _DMXPORTPARAM records, the checksum
// over them and two kept bytes. NodeA's block is read with 0x04 and written with 0x08, NodeB's
// (ports 5-8 of the LUMA-8) with 0x05 and 0x09.
#include <cstdlib>

#include "artnet/ChecksummedBlock.h"
#include "artnet/DmxPortParam.h"

namespace varlo {

class _ARTNETDMXPARAM : public ChecksummedBlock<52, 48> {
public:
    static constexpr std::size_t kPortCount = 4;
    static constexpr std::size_t kRecordSize = _DMXPORTPARAM::kSize;
    static constexpr std::size_t kTrailer = 50;  // 2 bytes, kept

    static constexpr std::size_t RecordAt(std::size_t k) { return k * kRecordSize; }

    _DMXPORTPARAM Port(std::size_t k) const {
        _DMXPORTPARAM r;
        r.Assign(At(RecordAt(Record(k)), kRecordSize));
        return r;
    }
    void SetPort(std::size_t k, const _DMXPORTPARAM& r) {
        std::copy_n(r.data(), kRecordSize, At(RecordAt(Record(k)), kRecordSize));
    }

private:
    // A fifth record would land on the checksum, not past the block's end.
    static std::size_t Record(std::size_t k) {
        if (k >= kPortCount) {
            std::abort();
        }
        return k;
    }
};
static_assert(sizeof(_ARTNETDMXPARAM) == 52);
static_assert(_ARTNETDMXPARAM::kPortCount * _ARTNETDMXPARAM::kRecordSize ==
              _ARTNETDMXPARAM::kChecksum);

}  // namespace varlo
