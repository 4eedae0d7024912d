#pragma once
// A text window opened as the shell opens one (new, or on a file), shown and focused, and closed
// without questions at the end.

#include "TEditDoc.h"
#include "TEditForm.h"
#include "TEditView.h"
#include "TextWindow.h"
#include "XGKeyboard.h"
#include "XGWindow.h"

#include <QCoreApplication>

#include <string>

namespace vorntest {

struct TextFixture {
    explicit TextFixture(const yaaf::XGFileSpecifier* file = nullptr) {
        yaaf::XGDocForm* outForm = nullptr;
        window = OpenTextWindow(file ? Vorn_WindowInit_OPEN_FILE : Vorn_WindowInit_NEW_TEXT, file, &outForm);
        form = dynamic_cast<TEditForm*>(outForm);
        if (!window) return;
        window->Show();
        window->SetBounds(yaaf::tagRECT{0, 0, 500, 400});
        QCoreApplication::processEvents();
        View()->SetFocus();
    }
    ~TextFixture() { Close(); }
    TextFixture(const TextFixture&) = delete;
    TextFixture& operator=(const TextFixture&) = delete;

    void Close() {
        if (!window) return;
        Doc()->SetDirty(false);
        window->Close();
        window = nullptr;
    }
    TEditView* View() const { return form->GetView(); }
    TEditDoc* Doc() const { return form->GetModel(); }
    yaaf::XGEditCore* Core() const { return View()->GetEditCore(); }
    std::string Text() const { return Doc()->fText.ToString(); }
    void SetText(const std::string& text) {
        Doc()->fText.SetText(text.data(), yaaf::int32(text.size()));
        View()->InitEdit(&Doc()->fText);
    }
    // Backspace, 0x8D and forward Delete go in as the key handler hands them on.
    void Type(const std::string& text) {
        for (char c : text) {
            const yaaf::uint8 key = yaaf::uint8(c);
            if (key == yaaf::kXGChar_Backspace || key == 0x8D || key == yaaf::kXGKey_Delete)
                View()->AddCharCmd(key);
            else
                View()->DoKey(key);
        }
    }
    // The units on the window's own undo stack.
    yaaf::int32 UndoUnits() const { return CDo::CountTasks(View()->i_do_stacks.stack[CDo_Type_UNDO]); }

    yaaf::XGWindow* window = nullptr;
    TEditForm* form = nullptr;
};

} // namespace vorntest
