// Taking items into a board from folders, board files, texts, data bases and pictures.

#include "CVornItem.h"
#include "CVornViewLink.h"
#include "TVornModel.h"
#include "VornImportReaders.h"
#include "XGFile.h"
#include "XGFolder.h"
#include "XGDraw.h"
#include "XGHandle.h"
#include "XGPicture.h"

#include <memory>
#include <string>
#include <vector>

using namespace yaaf;

namespace {

// i_importingB for the length of one import, and one drawing object that every new item is
// measured with, where the board has none, instead of one made and thrown away per item.
class ScImporting {
public:
    explicit ScImporting(TVornModel* vornP) : i_vornP(vornP) {
        i_vornP->i_importingB = true;
        if (!i_vornP->i_drawP && i_scratch.Allocate(1, 1)) {
            i_measureP.reset(i_scratch.NewDraw());
            i_vornP->i_drawP = i_measureP.get();
        }
    }
    ~ScImporting() {
        if (i_measureP && i_vornP->i_drawP == i_measureP.get()) i_vornP->i_drawP = nullptr;
        i_vornP->i_importingB = false;
    }
    ScImporting(const ScImporting&) = delete;
    ScImporting& operator=(const ScImporting&) = delete;

private:
    TVornModel* i_vornP;
    XGPicture i_scratch;
    std::unique_ptr<XGDraw> i_measureP;
};

bool ReadWholeFile(const XGFileSpecifier& spec, std::string& bytes) {
    if (spec.IsFolder()) return false;
    XGFile file(spec);
    if (file.Open(XGFile::kRead) != 0) return false;
    XGHandle h;
    if (file.ReadAll(h) != 0) return false;
    bytes.assign(h.GetData(), size_t(h.GetSize()));
    return true;
}

void AddImported(TVornModel* vornP, const std::vector<CImportedItem>& items) {
    for (const CImportedItem& it : items) {
        CVornItem* itemP = vornP->AddWord(it.title.c_str());
        if (!itemP) continue;
        if (it.contentType == LinkType_URL) {
            itemP->SetLinkToURL(it.content.c_str());
        } else if (it.contentType == LinkType_TEXT) {
            Vorn_LinkContent& d = itemP->i_resource.dest.content;
            CVornItem::DisposeVornLink(itemP->i_resource.dest);
            d.type = LinkType_TEXT;
            d.u.textP = new std::string(it.content);
        }
        itemP->i_b.set_selectedB(it.selectedB);
    }
}

bool ImportFolder(TVornModel* vornP, const XGFileSpecifier& folder) {
    std::vector<XGFileSpecifier> entries;
    if (!folder.IsFolder() || XGListFolder(folder, entries) != 0) return false;
    for (const XGFileSpecifier& entry : entries) {
        CVornItem* itemP = vornP->AddFileItem(&entry);
        if (!itemP) continue;
        const XGDateTime date = XGGetModificationDate(entry);
        if (date.IsValid()) {
            itemP->i_resource.source.date = date;
            itemP->i_resource.dest.date = date;
        }
        itemP->i_b.set_selectedB(true);
        vornP->AddWord(kImportReturnWord);
    }
    return true;
}

bool ImportBoard(TVornModel* vornP, const XGFileSpecifier& spec) {
    if (spec.IsFolder()) return false;
    XGFile file(spec);
    if (file.Open(XGFile::kRead) != 0) return false;
    return vornP->DoReadDocument(file);
}

bool ImportPicture(TVornModel* vornP, const XGFileSpecifier& spec) {
    if (!spec.Exists() || spec.IsFolder()) return false;
    CVornItem* itemP = vornP->AddWord("");
    if (!itemP) return false;
    Vorn_LinkContent& s = itemP->i_resource.source.content;
    CVornItem::DisposeVornLink(itemP->i_resource.source);
    s.type = LinkType_PICT_FILE;
    s.u.fileP = new XGFileSpecifier(spec);
    itemP->ImportPict();
    itemP->i_b.set_selectedB(true);
    return true;
}

} // namespace

bool TVornModel::Import(Vorn_ImportType importType, const XGFileSpecifier* cfileSpecP) {
    if (!cfileSpecP || cfileSpecP->IsEmpty()) return false;
    ScImporting importing(this);
    if (CVornViewLink* viewP = GetView()) viewP->SetSelChanged(true);

    using Reader = bool (*)(const std::string&, std::vector<CImportedItem>&);
    Reader reader = nullptr;
    switch (importType) {
    case Vorn_Import_FILE_SYSTEM:
        return ImportFolder(this, *cfileSpecP);
    case Vorn_Import_VORN:
        return ImportBoard(this, *cfileSpecP);
    case Vorn_Import_PICT:
        return ImportPicture(this, *cfileSpecP);
    case Vorn_Import_CR:
        reader = &ReadPhraseText;
        break;
    case Vorn_Import_TEXT:
        reader = &ReadWordText;
        break;
    case Vorn_Import_FLOWERS:
        reader = &ReadFlowerText;
        break;
    case Vorn_Import_HTS:
        reader = &ReadHTSDataBase;
        break;
    default:
        return false;
    }
    std::string bytes;
    if (!ReadWholeFile(*cfileSpecP, bytes)) return false;
    std::vector<CImportedItem> items;
    const bool ok = reader(bytes, items);
    AddImported(this, items);
    return ok;
}
