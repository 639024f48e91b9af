#pragma once
// "Why isn't my device found?": what the workstation can tell about a search that heard
// nothing, in plain words, for the window's Help menu and `varlo-cli doctor` alike.
#include <string>
#include <vector>

#include "discovery/SearchSession.h"

namespace varlo {

struct DoctorFinding {
    std::string title;               // "Search port 8004"
    std::vector<std::string> lines;  // what was found, then what to do
};

// The search port, the adapters (and where the last search's requests went, when given), the
// receive errors the system counted, the firewall, and what to try next.
std::vector<DoctorFinding> DiagnoseSearch(const SearchSession* lastSearch = nullptr);

// The findings as text: a title line each, its lines indented under it.
std::string FormatFindings(const std::vector<DoctorFinding>& findings);

// One adapter as the chooser and `varlo-cli interfaces` show it: "eth0  192.168.1.20/24".
std::string DescribeAdapter(const NetAdapter& adapter);

}  // namespace varlo
