#pragma once
// Answers the save dialog with a path (none: Cancel) for the life of the object, and keeps what
// it was asked.

#include "XGStdDialogs.h"

#include <QString>

namespace vorntest {

struct SaveAnswer {
    explicit SaveAnswer(QString answerPath) : path(std::move(answerPath)) {
        previous = yaaf::XGSetSaveRequestResponder(
            [this](const yaaf::XGSaveDialogSpec& spec, const std::string&, std::string& out) {
                asked = spec;
                ++count;
                out = path.toStdString();
                return !path.isEmpty();
            });
    }
    ~SaveAnswer() { yaaf::XGSetSaveRequestResponder(previous); }
    SaveAnswer(const SaveAnswer&) = delete;
    SaveAnswer& operator=(const SaveAnswer&) = delete;

    QString path;
    yaaf::XGSaveDialogSpec asked;
    int count = 0;
    yaaf::XGSaveRequestResponder previous;
};

} // namespace vorntest
