#pragma once
// The outline window: a browser window view whose content is made by its form in hierarchic
// columns, with the board menu bar, at the preferred browser size.

class COutlineController;

namespace yaaf {
class XGFileSpecifier;
class XGWindow;
} // namespace yaaf

// Makes the window for the form (the window takes it, and with it its document); not shown.
// None on failure, the form and document then deleted.
yaaf::XGWindow* MakeOutlineWindow(COutlineController* formP);

// A browser window at the folder, shown and in front (Vorn_WindowInit_NEW_BROWSER with the
// folder in place of the machine). None when the folder cannot be browsed; the reason is told.
yaaf::XGWindow* OpenBrowserAt(const yaaf::XGFileSpecifier& folder);

// Hands the application shell the outline windows (kinds 2 and 3, New Browser, vorn --browse),
// the generator target list gRtlP and the boards' outline commands. app/main.cpp calls it.
void RegisterOutlineDocuments();
