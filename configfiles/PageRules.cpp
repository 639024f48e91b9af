#include "configfiles/PageRules.h"

#include <algorithm>

#include "artnet/ArtNetBasicPage.h"
#include "artnet/ArtNetBasicParam.h"
#include "artnet/ArtNetDmxParam.h"
#include "artnet/ArtNetItems.h"
#include "artnet/DmxPortPage.h"
#include "configfiles/FieldValues.h"

namespace varlo {

namespace {
// The operator's edit, taken from the bytes StoreValue made of it, through the page's handler
// for the control it names.
void Edit(artnet::DmxPortPage& page, const FieldSpec& f, const Bytes& typed) {
    using P = _DMXPORTPARAM;
    using namespace artnet;
    for (std::size_t k = 0; k < page.PortCount(); ++k) {
        const std::size_t record = _ARTNETDMXPARAM::RecordAt(page.Model().records[k]);
        if (f.offset < record || f.offset >= record + P::kSize) {
            continue;
        }
        const uint8_t* p = typed.data() + f.offset;
        switch (f.offset - record) {
            case P::kPortMode:
                page.SelectMode(k, kPortModeItems.IndexOf(p[0]));
                break;
            case P::kUniverse:
                page.SetUniverseText(k, std::to_string(p[0]));
                break;
            case P::kFrameRate:
                page.SetFrameRateText(k, std::to_string(p[0]));
                break;
            case P::kMergeMode:
                page.SelectMerge(k, kMergeModeItems.IndexOf(p[0]));
                break;
            case P::kUnicast:
                page.SetUnicast(k, p[0] != 0);
                break;
            case P::kUnicastAddress:
                page.SetUnicastAddress(k, {p[0], p[1], p[2], p[3]});
                break;
            default:
                break;
        }
        return;
    }
}
// The operator's edit of the network block through the basic page's handler.
void Edit(artnet::ArtNetBasicPage& page, const FieldSpec& f, const Bytes& typed) {
    using B = _ARTNETBASICPARAM;
    using P = artnet::ArtNetBasicPage;
    using namespace artnet;
    const uint8_t* p = typed.data() + f.offset;
    switch (f.offset) {
        case B::kDeviceName:
            page.SetDeviceName(std::string(reinterpret_cast<const char*>(p),
                                           std::find(p, p + f.width, uint8_t{0}) - p));
            return;
        case B::kDmxHoldTime:
            page.SelectDmxHoldTime(kDmxHoldTimeItems.IndexOf(p[0]));
            return;
        case B::kDisplayHoldTime:
            page.SelectDisplayHoldTime(kDisplayHoldTimeItems.IndexOf(p[0]));
            return;
        case B::kIpType:
            page.SelectIpType(kIpTypeItems.IndexOf(p[0]));
            return;
        default:
            break;
    }
    for (const auto& [set, first] :
         {std::pair{B::kNodeAStatic, P::kNodeAIp}, std::pair{B::kNodeBStatic, P::kNodeBIp}}) {
        if (f.offset >= set && f.offset < set + 12) {
            page.SetAddress(static_cast<P::AddressField>(first + (f.offset - set) / 4),
                            {p[0], p[1], p[2], p[3]});
        }
    }
}

// The page's block with the operator's values over it where they differ (noted), every other
// field the page's rules changed noted, and the fixed bytes.
void Settle(const BlockFields& fields, const std::vector<NamedValue>& edits, const Bytes& saved,
            const Bytes& typed, Bytes out, Bytes* block, std::vector<std::string>* notes) {
    for (const NamedValue& e : edits) {
        if (!SameField(*e.field, out, typed)) {
            notes->push_back(fields.label + "." + e.field->path + ": the page's rules give " +
                             ShowValue(*e.field, out) + "; your " + ShowValue(*e.field, typed) +
                             " is kept");
            CopyField(*e.field, typed, &out);
        }
    }
    for (const FieldSpec& f : fields.fields) {
        const bool named = std::any_of(edits.begin(), edits.end(),
                                       [&](const NamedValue& e) { return e.field == &f; });
        if (!named && f.kind != FieldKind::Checksum && !SameField(f, out, saved)) {
            notes->push_back(fields.label + "." + f.path + ": " + ShowValue(f, saved) + " -> " +
                             ShowValue(f, out) + ", as the dialog's page changes it");
        }
    }
    FinishBuiltBlock(fields, &out);
    *block = std::move(out);
}

// The page filled with the saved block, the operator's edits through its handlers in the order
// given, the page's block, then settled. The values are stored first, so a value that does not
// fit its field is refused before the page sees it.
template <typename Page, typename Block, typename Model>
bool ThroughPage(const Model& model, const BlockFields& fields,
                 const std::vector<NamedValue>& edits, Bytes* block,
                 std::vector<std::string>* notes, std::string* error) {
    const Bytes saved = *block;
    Bytes typed = saved;  // the operator's values alone
    for (const NamedValue& e : edits) {
        if (!StoreValue(*e.field, e.value, &typed, error)) {
            *error = e.field->path + "=" + e.value + ": expected " + *error;
            return false;
        }
    }
    Block savedBlock;
    savedBlock.Assign(saved.data());
    Page page(model);
    page.Fill(savedBlock);
    for (const NamedValue& e : edits) {
        Edit(page, *e.field, typed);
    }
    const Block built = page.Build(savedBlock);
    Settle(fields, edits, saved, typed, Bytes(built.data(), built.data() + built.size()), block,
           notes);
    return true;
}
}  // namespace

bool ApplyNodeBasicPage(const artnet::BasicPageModel& model, const BlockFields& fields,
                        const std::vector<NamedValue>& edits, Bytes* block,
                        std::vector<std::string>* notes, std::string* error) {
    return ThroughPage<artnet::ArtNetBasicPage, _ARTNETBASICPARAM>(model, fields, edits, block,
                                                                   notes, error);
}

bool ApplyPortPage(const artnet::PortPageModel& model, const BlockFields& fields,
                   const std::vector<NamedValue>& edits, Bytes* block,
                   std::vector<std::string>* notes, std::string* error) {
    return ThroughPage<artnet::DmxPortPage, _ARTNETDMXPARAM>(model, fields, edits, block, notes,
                                                             error);
}

}  // namespace varlo
