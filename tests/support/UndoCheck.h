#pragma once
// The one pass every undoable change gets: take a snapshot of the document, do the change,
// check the new state, undo and compare with the snapshot from before, redo and compare with the
// state after the change, then check again. The snapshot is anything comparable with ==
// (the text of a document, BoardSnapshot of a board, ...); the check is either the expected
// snapshot or a function that checks a snapshot with QCOMPARE and QVERIFY.
//
//     VORN_CHECK_UNDOABLE([&] { return doc.Text(); }, [&] { view.Type("x"); }, std::string("xabc"));
//
// The macro ends the test function when a step fails. Undo and redo go through the undo
// engine's active pair unless an UndoRedo is given as the last argument.

#include "CDo.h"

#include <QtTest>

#include <functional>
#include <string>
#include <type_traits>

namespace vorntest {

struct UndoRedo {
    std::function<void()> undo = [] { gDo->Do(CDo_Type_UNDO); };
    std::function<void()> redo = [] { gDo->Do(CDo_Type_REDO); };
};

namespace detail {
inline QByteArray Comparable(const std::string& s) {
    return QByteArray::fromStdString(s);
}
template <typename T> const T& Comparable(const T& value) {
    return value;
}
template <typename T>
bool Same(const T& actual, const T& expected, const char* actualText, const char* expectedText,
          const char* file, int line) {
    return QTest::qCompare(Comparable(actual), Comparable(expected), actualText, expectedText, file, line);
}
template <typename Snapshot, typename Check>
bool Checked(const Snapshot& state, const Check& check, const char* what, const char* file, int line) {
    if constexpr (std::is_invocable_v<const Check&, const Snapshot&>) {
        check(state);
        return !QTest::currentTestFailed();
    } else {
        return Same<Snapshot>(state, Snapshot(check), what, "expected", file, line);
    }
}
} // namespace detail

template <typename SnapshotFn, typename DoFn, typename Check>
bool CheckUndoable(const char* file, int line, SnapshotFn&& snapshot, DoFn&& change, const Check& check,
                   const UndoRedo& undoRedo = {}) {
    using Snapshot = std::decay_t<decltype(snapshot())>;
    const Snapshot before = snapshot();
    change();
    if (QTest::currentTestFailed()) return false;
    const Snapshot after = snapshot();
    if (!detail::Checked(after, check, "after the change", file, line)) return false;
    undoRedo.undo();
    if (!detail::Same<Snapshot>(snapshot(), before, "after undo", "before the change", file, line))
        return false;
    undoRedo.redo();
    const Snapshot redone = snapshot();
    if (!detail::Same<Snapshot>(redone, after, "after redo", "after the change", file, line)) return false;
    return detail::Checked(redone, check, "after redo", file, line);
}

} // namespace vorntest

#define VORN_CHECK_UNDOABLE(...)                                                                             \
    do {                                                                                                     \
        if (!::vorntest::CheckUndoable(__FILE__, __LINE__, __VA_ARGS__)) return;                             \
    } while (false)
