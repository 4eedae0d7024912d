#define VORN_UNIT "TVornModelFile.cpp"
// Reading and writing the board file (see VornFileFormat.h for the records).
#include "CItemArray.h"
#include "CVornItem.h"
#include "CVornViewLink.h"
#include "TVornModel.h"
#include "VornErrors.h"
#include "VornFileFormat.h"
#include "XGFile.h"
#include "XGFileSpecifier.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

using namespace yaaf;

namespace {
constexpr const char* kOldVersionTitle = "Old File Version";
constexpr const char* kOldVersionText =
    "This file must be converted from an older version.  It will open as 'Untitled' and you will "
    "need to re-save.";
} // namespace

void TVornModel::AppendExtension(XGFileSpecifier* specP) {
    if (specP && specP->GetExtension() != kVornFileExtension) specP->SetExtension(kVornFileExtension);
}

bool TVornModel::DoReadDocument(XGFile& f) {
    return ReadModel(f);
}

bool TVornModel::DoWriteDocument(XGFile& f) {
    return WriteModel(f);
}

bool TVornModel::ReadDocument() {
    if (!HasFile()) return false;
    const std::string name = fFile.GetName();
    XGFile file(fFile);
    if (fFile.IsFolder() || file.Open(XGFile::kRead) != 0) {
        Error(kErr_OpenFile, name.c_str());
        return false;
    }
    if (!DoReadDocument(file)) {
        Error(kErr_ReadFile, name.c_str());
        return false;
    }
    return true;
}

// The new contents go to a file beside the old one, which replaces it only once all of it is
// on the disk: a save that fails half way leaves the saved board as it was.
bool TVornModel::WriteDocument() {
    if (!HasFile()) return false;
    XGAtomicFile file(fFile);
    bool ok = file.Open() == 0;
    if (ok) ok = DoWriteDocument(file);
    if (ok) ok = file.Commit() == 0;
    if (!ok) {
        file.Abort();
        Error(kErr_WriteFile, fFile.GetName().c_str());
        return false;
    }
    // The file exists now: keep its full form.
    fFile = XGFileSpecifier(fFile.GetFullPath());
    return true;
}

bool TVornModel::DoOpenDocument(const XGFileSpecifier& spec) {
    // Folders open through the import of their files, which is not the board file's business.
    if (spec.IsFolder()) return false;
    SetFile(spec);
    if (!ReadDocument()) {
        ClearFile();
        return false;
    }
    if (i_old_versB) {
        // An old file is never written over in the new format without being asked for a name.
        ClearFile();
        SetDirty(true);
    } else {
        SetDirty(false);
    }
    return true;
}

bool TVornModel::WriteModel(XGFileStream& f) {
    if (CVornViewLink* viewP = GetView()) {
        viewP->EndInPlaceEdit();
        viewP->StoreWindowModel();
    }
    if (f.SetEOF(0) != 0) return false;
    if (f.SetFilePos(0) != 0) return false;

    CVornFileWriter w(f);
    bool ok = w.Put(&kVornFileVersion, 1);

    // In Go Mode the board's own items are saved, not the picture that stands for them. A board
    // that only carries the Go Mode setting (read from a file, not yet shown) has no picture
    // and no hidden items: its items are saved as they are.
    CVornItem* goPictP = nullptr;
    bool unhiddenB = false;
    if (GetMode() == Vorn_Mode_GO && i_hiddenA) {
        goPictP = GetFirstPict();
        if (goPictP) goPictP->DeleteFromList(false);
        bool hideB = false;
        i_hiddenA->Iterate(ItemA_Iterate_SET_HIDDEN, &hideB);
        unhiddenB = true;
    }

    const int32 count = i_list->Count();
    // The count is a 16-bit field: a larger board could not be read back.
    if (count > INT16_MAX) ok = false;
    if (ok) {
        Vorn_PrefsRec prefs = i_prefs;
        prefs.array_sizeS = int16(count);
        ok = write_prefs2(w, prefs);
    }
    CVornItem* const* itemsP = i_list->Items();
    for (int16 i = 0; ok && i < count; ++i)
        ok = write_item2(w, itemsP[i]);
    if (ok) ok = w.Flush();

    if (unhiddenB) {
        bool hideB = true;
        i_hiddenA->Iterate(ItemA_Iterate_SET_HIDDEN, &hideB);
    }
    if (goPictP) goPictP->InsertToList(this);
    return ok;
}

bool TVornModel::ReadModel(XGFileStream& f) {
    if (CVornViewLink* viewP = GetView()) viewP->EndInPlaceEdit();
    const bool importingB = i_importingB;

    CVornFileBytes bytes;
    if (!VornFile_LoadStream(f, bytes)) return false;
    CVornFileReader r(bytes.dataP.get(), bytes.size);

    uint8 vers = 0;
    if (!r.Read(&vers, 1)) return false;

    // The file's settings. An import keeps the board's own and uses the file's only to convert
    // its items.
    Vorn_PrefsRec prefs = i_prefs;
    int16 countS = 0;
    if (vers <= kVornFileVersion_LastOld) {
        Vorn_PrefsRec_DISK_1 rec;
        if (!r.Read(&rec, sizeof rec)) return false;
        swap_prefs1(&rec);
        Xfer_disk2mem_Prefs1(&rec, &prefs);
        countS = prefs.array_sizeS;
        if (!importingB) {
            Warning(kOldVersionTitle, kOldVersionText);
            i_old_versB = true;
        }
    } else if (vers <= kVornFileVersion) {
        Vorn_PrefsRec_DISK_2 rec;
        if (!r.Read(&rec, sizeof rec)) return false;
        swap_prefs2(&rec);
        Xfer_disk2mem_Prefs2(vers, &rec, &prefs);
        countS = prefs.array_sizeS;
    }
    // Any later version: a board without items from the file.
    if (!importingB && vers <= kVornFileVersion) {
        prefs.array_sizeS = int16(i_list->Count());
        i_prefs = prefs;
    }

    // A board opened from a file gets its item list with room for all of the file's items at
    // once, though never for more records than the rest of the file can hold.
    if (i_list->Count() == 0 && countS > kItemArray_Grow) {
        const size_t recSize =
            vers <= kVornFileVersion_LastOld ? sizeof(Vorn_Item_DISK_1) : sizeof(Vorn_Item_DISK_2);
        const size_t room = std::min(size_t(countS), r.Remaining() / recSize);
        if (room > size_t(kItemArray_Grow)) {
            auto* listP = new CItemArray(int32(room));
            if (listP->IsValid()) {
                delete i_list;
                i_list = listP;
                i_list->KeepHotData(this);
            } else {
                delete listP;
            }
        }
    }

    const int32 firstNewL = i_list->Count();
    bool ok = true;
    for (int16 i = 0; i < countS; ++i) {
        // Made outside the board so that it does not take the board's font first: the record
        // gives it its own.
        auto itemP = std::make_unique<CVornItem>(nullptr, kNoIndex);
        itemP->i_vornP = this;
        if (vers <= kVornFileVersion_LastOld) {
            Vorn_Item_DISK_1 rec;
            ok = r.Read(&rec, sizeof rec);
            if (ok) {
                swap_item1(&rec);
                ok = Xfer_disk2mem_Item1(prefs.font, itemP.get(), &rec);
            }
        } else {
            Vorn_Item_DISK_2 rec;
            ok = r.Read(&rec, sizeof rec);
            if (ok) {
                swap_item2(&rec);
                ok = Xfer_disk2mem_Item2(r, vers, i, itemP.get(), &rec);
            }
        }
        if (!ok) break; // the half-read item goes; those before stay
        if (importingB) itemP->i_b.set_selectedB(true);
        InsertItem(itemP.release(), -1);
    }
    i_prefs.array_sizeS = int16(i_list->Count());
    if (!ok) return false;

    // Only the items just read start loading: an import leaves the board's own pictures alone.
    if (VornFile_GetLoadPicturesOnRead()) {
        CVornItem* const* itemsP = i_list->Items();
        bool forcedB = true;
        for (int32 i = firstNewL; i < i_list->Count(); ++i) {
            const uint16 status = itemsP[i]->CB_Iterate(i_list, i, ItemA_Iterate_CACHE, &forcedB);
            if (status != 0 && status != kWalkStop) return false;
        }
    }
    return true;
}
