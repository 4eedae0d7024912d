#pragma once
// The document kinds the application shell can make windows for. Boards and text documents live
// above the shell, so they hand the shell their makers at start-up (app/main.cpp calls their
// registration functions, RegisterTextDocuments and RegisterBoardDocuments, before the
// application runs). A kind whose makers are missing is simply not available: InitWindow_Vorn
// answers none for it. Neither part knows the other: what one needs of the other (a text window
// as the boards' generator target) goes through here too.

#include "XGTypes.h"

#include <functional>
#include <string>

namespace yaaf {
class XGDocForm;
class XGDocument;
class XGFileSpecifier;
class XGWindow;
} // namespace yaaf

struct CDocumentKind {
    // A new candidate document. It takes the next untitled number when made (the shell winds the
    // counter back so that one window consumes one number).
    std::function<yaaf::XGDocument*()> makeDocument;
    // Initialises the candidate as a new, empty document; false on failure.
    std::function<bool(yaaf::XGDocument* docP)> initNew;
    // Reads the file into the candidate; false on failure (the document reports its own errors).
    std::function<bool(yaaf::XGDocument* docP, const yaaf::XGFileSpecifier& fileSpec)> openFile;
    // The form (document controller) for the document; the form owns the document from then on.
    std::function<yaaf::XGDocForm*(yaaf::XGDocument* docP)> makeForm;
    // The window for the form, made from the kind's window layout (129 boards, 131 text); the
    // window owns the form. It is made invisible: the shell shows it when it should be shown.
    // None on failure (the form, and with it the document, is then deleted by the maker).
    std::function<yaaf::XGWindow*(yaaf::XGDocForm* formP)> makeWindow;
    // Filter text of the open dialog, e.g. "Vorn Files (*.2dv)".
    std::string fileFilter;
    // Prints an existing file of the kind through a temporary document, without a window;
    // false when it could not be read (the document reports why) or nothing was printed.
    // Empty while the kind cannot be printed.
    std::function<bool(const yaaf::XGFileSpecifier& fileSpec)> printFile;

    bool IsAvailable() const { return makeDocument && makeForm && makeWindow; }
};

// A global service above the shell, made and deleted by GGlobals in its fixed order and idled
// by the application's periodic work. Any of the three may be empty.
struct CGlobalService {
    std::function<void()> make;
    std::function<void()> idle;
    std::function<void()> destroy;
};

// The generator target kept by the open-board registry, offered to documents that can be a
// target without knowing boards (text windows). Any of the three may be empty.
struct CTargetService {
    std::function<void(yaaf::XGDocForm* formP)> set;      // make the form the target
    std::function<bool(yaaf::XGDocForm* formP)> isTarget; // whether it is the target
    std::function<void(yaaf::XGDocForm* formP)> remove;   // the form goes: forget it
    // The form's window was moved or sized: boards that open their target windows where the
    // target stands follow it.
    std::function<void(yaaf::XGDocForm* formP)> moved;
};

// Boards shown as outlines, which the outline browser offers to the board view. Either may be
// empty (the board view then greys its commands out).
struct CBoardOutlineService {
    // The board window of the form shows its board as an outline in the view mode (1 icons,
    // 2 list, 3 hierarchic columns, 6 zoom); false when it cannot.
    std::function<bool(yaaf::XGDocForm* formP, yaaf::int32 viewAs)> showAsOutline;
    // A new outline window holding the board's items.
    std::function<yaaf::XGWindow*(yaaf::XGDocForm* formP)> convertToOutline;
};

struct CDocumentKinds {
    CDocumentKind board;   // '2dv ' and 'fldr' files, Vorn_WindowInit_NEW_VORN
    CDocumentKind text;    // 'text', 'txt ' and 'TEXT' files, Vorn_WindowInit_NEW_TEXT
    CDocumentKind outline; // Vorn_WindowInit_NEW_NEW_VORN and NEW_BROWSER

    // The open board window of the file, or none (the open-board registry's lookup).
    std::function<yaaf::XGWindow*(const yaaf::XGFileSpecifier& fileSpec)> findOpenBoard;
    // For kind 3: adds the browser parts to a new outline window's form.
    std::function<void(yaaf::XGDocForm* formP)> addBrowserParts;
    // A browser window at a folder of the machine (vorn --browse); none when it cannot be made.
    std::function<yaaf::XGWindow*(const yaaf::XGFileSpecifier& folder)> browseFolder;
    CBoardOutlineService boardOutline;

    // The open-board registry's generator target (filled by the boards).
    CTargetService target;

    // Globals that live above the shell, in the order GGlobals makes them.
    CGlobalService vornList;   // gVornListP, after gCheckVersion
    CGlobalService targetList; // gRtlP, after gVornListP
    CGlobalService toolPalette;
};

// The one registry; registration functions of the upper layers fill it before the application
// is made.
CDocumentKinds& GetDocumentKinds();
