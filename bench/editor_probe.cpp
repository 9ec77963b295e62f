// The table window as an editor, on the file HOME holds, with the name lists
// in the current folder. Loads, opens the table, then prints one JSON line:
//   edit_ns        a cell's new value committed until the rows are painted
//   undo_ns        Undo of it until painted
//   redo_ns        Redo of it until painted
//   save_ns        Save of one record in ten with Str 45 for 40 (as the
//                  benchmark's edited table has it), read back and renamed
//   before_kib     peak resident memory with the table open, before the edits
//   edits_kib      the same after 1,000 edits more, all pending
#include "Probe.h"

#include "data/MonsterInfo.h"
#include "viewer/TableEditor.h"
#include "viewer/qt/TableWindow.h"
#include "viewer/qt/Unit1.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTableView>
#include <QTimer>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>

using namespace zuninfo;

namespace {

constexpr int kStr = 14;

// How long from before `action` until `widget` has been painted after it.
std::int64_t UntilPainted(QWidget* widget, const std::function<void()>& action)
{
    bool painted = false;
    std::int64_t end = 0;
    FirstPaint watcher(widget, [&] {
        end = MonotonicNs();
        painted = true;
    });
    const std::int64_t start = MonotonicNs();
    action();
    QElapsedTimer waited;
    waited.start();
    while (!painted && waited.elapsed() < 5000)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    return painted ? end - start : -1;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    TForm1 form;
    form.show();
    QTimer::singleShot(200, [&] {
        form.findChild<QPushButton*>(QStringLiteral("Button1"))->click();
        TableWindow* table = form.ShowTable();
        QWidget* rows = table->View()->viewport();
        UntilPainted(table, [] {});
        // The cell in view and current, as one being edited is.
        QTableView* view = table->View();
        const QModelIndex cell = view->model()->index(0, kStr);
        UntilPainted(rows, [&] {
            view->setCurrentIndex(cell);
            view->scrollTo(cell);
        });
        // Settled: what a first paint costs once is not counted.
        QApplication::processEvents();

        const std::int64_t edit = UntilPainted(rows, [&] { table->Commit(0, kStr, "777"); });
        const std::int64_t undo = UntilPainted(rows, [&] { table->Undo(); });
        const std::int64_t redo = UntilPainted(rows, [&] { table->Redo(); });
        table->Undo();

        for (int slot = 0; slot <= LastIndex; slot += 10)
            table->Commit(slot, kStr, "45");
        const std::int64_t saving = MonotonicNs();
        const bool saved = table->Save();
        const std::int64_t save = MonotonicNs() - saving;

        QApplication::processEvents();
        const long before = PeakResidentKiB();
        for (int edit = 0; edit < 1000; ++edit)
            table->Commit(edit % (LastIndex + 1), 2 + edit % 5, std::to_string(1000 + edit));
        QApplication::processEvents();
        const long after = PeakResidentKiB();

        std::printf("{\"edit_ns\": %lld, \"undo_ns\": %lld, \"redo_ns\": %lld, \"save_ns\": %lld, \"saved\": %s, "
                    "\"before_kib\": %ld, \"edits_kib\": %ld, \"pending\": %d}\n",
                    static_cast<long long>(edit), static_cast<long long>(undo), static_cast<long long>(redo),
                    static_cast<long long>(save), saved ? "true" : "false", before, after,
                    static_cast<int>(table->Editor().History().CanUndo()));
        std::fflush(stdout);
        // The edits are left unsaved: nothing asks at the end.
        std::_Exit(0);
    });
    return QApplication::exec();
}
