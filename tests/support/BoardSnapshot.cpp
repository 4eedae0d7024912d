#include "BoardSnapshot.h"

#include "CItemArray.h"
#include "CVornItem.h"
#include "TVornModel.h"

#include <sstream>

namespace vorntest {

namespace {
std::ostream& operator<<(std::ostream& out, const yaaf::tagRECT& r) {
    return out << r.left << ',' << r.top << ',' << r.right << ',' << r.bottom;
}
} // namespace

std::string BoardSnapshot(TVornModel& board) {
    std::ostringstream out;
    const Vorn_PrefsRec& p = board.i_prefs;
    out << "board mode " << int(p.mode) << " view " << int(p.view_as) << " sort " << int(p.sort_by)
        << " columns " << p.num_columnsS << " flags " << std::hex << p.b.flags << std::dec << " font "
        << p.font.name << '/' << p.font.size << '/' << p.font.GetStyleWord() << " items " << p.array_sizeS
        << '\n';
    for (int32_t i = 0; i < board.i_list->Count(); ++i) {
        CVornItem* item = board.i_list->GetIndItem(i);
        out << i << " \"" << item->GetName(Vorn_Ref_SRC, true) << "\" "
            << int(item->i_resource.source.content.type) << " -> " << int(item->i_resource.dest.content.type)
            << " \"" << item->GetName(Vorn_Ref_DEST, true) << "\" flags " << std::hex << item->i_b.GetWord()
            << std::dec << " at " << item->i_boundsR << " auto " << item->i_auto_boundsR << " font "
            << item->i_font.GetName() << '/' << item->i_font.GetSize() << '/' << item->i_font.GetStyle();
        if (item->i_b.rgnB() && item->i_rgnP)
            for (const auto& pt : item->i_rgnP->pts)
                out << ' ' << pt.v << ':' << pt.h;
        out << '\n';
    }
    return out.str();
}

} // namespace vorntest
