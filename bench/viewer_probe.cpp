// The viewer as its users start it (the same window, started the same way),
// with measurements around it. Run in a folder holding the name lists, with
// HOME holding the monster info file. Prints one JSON line:
//   painted_ns       the clock at the end of the window's first paint
//   startup_peak_kib peak resident memory then
//   load_ns          pressing Load (half a second after the window appeared,
//                    as soon as a hand could) until the first record has been
//                    painted
//   parse_ns         the same file parsed again with no window attached
//   load_peak_kib    peak resident memory after the load
//   answer_ns        how soon the window handles a new event after the load
//   window_ns        making the window until its first paint (the same span
//                    as table_ns, for the main window)
//   table_ns         Ctrl+T after the load until the table of all monsters
//                    has been painted for the first time
//   sort_name_ns     a click on Skin's header until the table is painted
//   sort_number_ns   then a click on Str's header, the same
//   filter_ns        then one key typed into the filter box, the same
//   table_peak_kib   peak resident memory after all that
// With --startup, it ends at the first paint, printing painted_ns and
// startup_peak_kib alone: the start-up, to profile on its own.
#include "Probe.h"

#include "data/MonsterInfo.h"
#include "platform/FileAccess.h"
#include "platform/NoWindow.h"
#include "tests/support/ProgramState.h"
#include "viewer/qt/TableWindow.h"
#include "viewer/qt/Unit1.h"

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTimer>

#include <cstdio>
#include <functional>
#include <memory>
#include <string_view>

using namespace zuninfo;

namespace {

// Runs `action`, then `then` with the time from before it until `widget`
// has been painted next.
void TimeUntilPainted(QWidget* widget, const std::function<void()>& action, std::function<void(std::int64_t)> then)
{
    const std::int64_t start = MonotonicNs();
    auto watcher = std::make_shared<std::unique_ptr<FirstPaint>>();
    *watcher = std::make_unique<FirstPaint>(widget, [watcher, start, then] {
        const std::int64_t took = MonotonicNs() - start;
        // The watcher goes once this call has returned.
        QTimer::singleShot(0, [watcher] { watcher->reset(); });
        then(took);
    });
    action();
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    const std::int64_t making = MonotonicNs();
    auto form = std::make_unique<TForm1>();

    std::int64_t painted = 0;
    long startupPeak = 0;
    std::int64_t tableAsked = 0, tablePainted = 0, sortName = 0, sortNumber = 0, filter = 0;
    std::unique_ptr<FirstPaint> tablePaint;
    // After the table's first paint: sorting and filtering it, each until
    // the table has been painted again.
    auto measureTable = [&](std::int64_t pressed, std::int64_t loaded, long loadPeak) {
        const long tablePeak = PeakResidentKiB();

        ResetProgramState();
        NoWindow noWindow;
        const std::int64_t parseStart = MonotonicNs();
        LoadMonsterInfo(noWindow, SystemFiles());
        const std::int64_t parsed = MonotonicNs();

        const std::int64_t asked = MonotonicNs();
        QTimer::singleShot(0, [&, pressed, loaded, loadPeak, parseStart, parsed, asked, sortName, sortNumber, filter, tablePeak] {
            std::printf("{\"painted_ns\": %lld, \"startup_peak_kib\": %ld, \"load_ns\": %lld, "
                        "\"parse_ns\": %lld, \"load_peak_kib\": %ld, \"answer_ns\": %lld, \"window_ns\": %lld, "
                        "\"table_ns\": %lld, \"sort_name_ns\": %lld, \"sort_number_ns\": %lld, "
                        "\"filter_ns\": %lld, \"table_peak_kib\": %ld}\n",
                        static_cast<long long>(painted), startupPeak, static_cast<long long>(loaded - pressed),
                        static_cast<long long>(parsed - parseStart), loadPeak,
                        static_cast<long long>(MonotonicNs() - asked), static_cast<long long>(painted - making),
                        static_cast<long long>(tablePainted - tableAsked), static_cast<long long>(sortName),
                        static_cast<long long>(sortNumber), static_cast<long long>(filter), tablePeak);
            std::fflush(stdout);
            QApplication::exit(0);
        });
    };
    auto measure = [&] {
        auto* load = form->findChild<QPushButton*>(QStringLiteral("Button1"));
        const std::int64_t pressed = MonotonicNs();
        load->click();
        // Let the window paint what changed, as the event loop would.
        QApplication::processEvents();
        const std::int64_t loaded = MonotonicNs();
        const long loadPeak = PeakResidentKiB();

        tableAsked = MonotonicNs();
        TableWindow* table = form->ShowTable();
        tablePaint = std::make_unique<FirstPaint>(table, [&, table, pressed, loaded, loadPeak] {
            tablePainted = MonotonicNs();
            QWidget* rows = table->View()->viewport();
            QHeaderView* header = table->View()->horizontalHeader();
            TimeUntilPainted(rows, [header] { header->sectionClicked(1); }, [&, table, rows, header, pressed, loaded, loadPeak](std::int64_t took) {
                sortName = took;
                TimeUntilPainted(rows, [header] { header->sectionClicked(14); }, [&, table, rows, pressed, loaded, loadPeak](std::int64_t took) {
                    sortNumber = took;
                    auto* typing = table->findChild<QLineEdit*>(QStringLiteral("Filter"));
                    TimeUntilPainted(rows, [typing] { typing->insert(QStringLiteral("g")); }, [&, pressed, loaded, loadPeak](std::int64_t took) {
                        filter = took;
                        measureTable(pressed, loaded, loadPeak);
                    });
                });
            });
        });
    };
    const bool startupOnly = argc > 1 && std::string_view(argv[1]) == "--startup";
    FirstPaint firstPaint(form.get(), [&] {
        painted = MonotonicNs();
        startupPeak = PeakResidentKiB();
        if (startupOnly) {
            PrintPaintedAndExit("startup_peak_kib");
            return;
        }
        QTimer::singleShot(500, measure);
    });
    form->show();
    return QApplication::exec();
}
