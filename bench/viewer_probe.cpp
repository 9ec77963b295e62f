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
#include "Probe.h"

#include "data/MonsterInfo.h"
#include "platform/FileAccess.h"
#include "platform/NoWindow.h"
#include "tests/support/ProgramState.h"
#include "viewer/qt/Unit1.h"

#include <QApplication>
#include <QPushButton>
#include <QTimer>

#include <cstdio>
#include <memory>

using namespace zuninfo;

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    auto form = std::make_unique<TForm1>();

    std::int64_t painted = 0;
    long startupPeak = 0;
    auto measure = [&] {
        auto* load = form->findChild<QPushButton*>(QStringLiteral("Button1"));
        const std::int64_t pressed = MonotonicNs();
        load->click();
        // Let the window paint what changed, as the event loop would.
        QApplication::processEvents();
        const std::int64_t loaded = MonotonicNs();
        const long loadPeak = PeakResidentKiB();

        ResetProgramState();
        NoWindow noWindow;
        const std::int64_t parseStart = MonotonicNs();
        LoadMonsterInfo(noWindow, SystemFiles());
        const std::int64_t parsed = MonotonicNs();

        const std::int64_t asked = MonotonicNs();
        QTimer::singleShot(0, [&, pressed, loaded, loadPeak, parseStart, parsed, asked] {
            std::printf("{\"painted_ns\": %lld, \"startup_peak_kib\": %ld, \"load_ns\": %lld, "
                        "\"parse_ns\": %lld, \"load_peak_kib\": %ld, \"answer_ns\": %lld}\n",
                        static_cast<long long>(painted), startupPeak, static_cast<long long>(loaded - pressed),
                        static_cast<long long>(parsed - parseStart), loadPeak,
                        static_cast<long long>(MonotonicNs() - asked));
            std::fflush(stdout);
            QApplication::exit(0);
        });
    };
    FirstPaint firstPaint(form.get(), [&] {
        painted = MonotonicNs();
        startupPeak = PeakResidentKiB();
        QTimer::singleShot(500, measure);
    });
    form->show();
    return QApplication::exec();
}
