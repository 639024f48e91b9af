#pragma once
// A text field of a page as 8-bit bytes, the way the device sends and takes them. The flag says
// whether the operator typed into it since it was filled: an unedited field gives back exactly
// the bytes it was filled from, even where the window's encoding could not show them.
#include <string>
#include <string_view>

namespace varlo::serialserver {

struct TextField {
    std::string bytes;
    bool edited = false;

    void Fill(std::string_view text) {
        bytes.assign(text);
        edited = false;
    }
    void Edit(std::string_view text) {
        bytes.assign(text);
        edited = true;
    }
    // What the page takes from the field: its first `maxChars` bytes, as a field that holds at
    // most that many characters hands them over.
    std::string_view Taken(std::size_t maxChars) const {
        return std::string_view(bytes).substr(0, maxChars);
    }
};

// A drop-down list's selection; kNoSelection is a state of its own, written through the list's
// usual mapping.
inline constexpr int kNoSelection = -1;

}  // namespace varlo::serialserver
