#include "configfiles/BlockDiff.h"

#include "configfiles/HexText.h"

namespace varlo {

std::vector<FieldChange> DiffFields(const BlockFields& block, const Bytes& first,
                                    const Bytes& second) {
    std::vector<FieldChange> lines;
    if (first == second) {
        return lines;
    }
    const std::size_t size = std::min(first.size(), second.size());
    std::vector<bool> explained(size, false);
    const auto explain = [&](const FieldSpec& f) {
        for (std::size_t i = f.offset; i < f.offset + f.width && i < size; ++i) {
            explained[i] = true;
        }
    };
    const FieldSpec* checksum = nullptr;
    for (const FieldSpec& f : block.fields) {
        if (f.kind == FieldKind::Checksum) {
            checksum = &f;
            continue;
        }
        const std::string a = ShowValue(f, first);
        const std::string b = ShowValue(f, second);
        if (a != b) {
            lines.push_back({block.label + "." + f.path, a, b});
            explain(f);
        }
    }
    // A checksum that follows the other changes says nothing new; one that does not match its
    // bytes, or changed alone, is worth a line.
    if (checksum) {
        const bool valid = ChecksumValid(block, first) && ChecksumValid(block, second);
        const std::string a = ShowValue(*checksum, first);
        const std::string b = ShowValue(*checksum, second);
        if (a != b && (!valid || lines.empty())) {
            lines.push_back({block.label + "." + checksum->path, a, b});
        }
        explain(*checksum);
    }
    for (std::size_t i = 0; i < size;) {
        if (explained[i] || first[i] == second[i]) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < size && !explained[end] && first[end] != second[end]) {
            ++end;
        }
        const std::string range =
            end - i == 1 ? std::to_string(i) : std::to_string(i) + "-" + std::to_string(end - 1);
        lines.push_back({block.label + ".bytes." + range, HexOf(first.data() + i, end - i),
                         HexOf(second.data() + i, end - i)});
        i = end;
    }
    return lines;
}

std::vector<std::string> DiffBlock(const BlockFields& block, const Bytes& first,
                                   const Bytes& second) {
    std::vector<std::string> lines;
    for (const FieldChange& c : DiffFields(block, first, second)) {
        lines.push_back(c.Line());
    }
    return lines;
}

}  // namespace varlo
