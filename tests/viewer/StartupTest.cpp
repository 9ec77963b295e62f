#include "tests/support/ModalBoxWatcher.h"
#include "tests/support/ViewerSandbox.h"
#include "viewer/qt/Startup.h"
#include "viewer/qt/Unit1.h"

#include <QApplication>
#include <QComboBox>
#include <QTimer>

#include <gtest/gtest.h>

using namespace zuninfo;

namespace {

// Watches the whole run of the program's entry: whether the main window was
// ever shown, what its combo boxes held, and closes it once it is up.
class StartupRun : public QObject {
public:
    StartupRun() { qApp->installEventFilter(this); }
    ~StartupRun() override { qApp->removeEventFilter(this); }

    int Run()
    {
        closer_.setInterval(5);
        QObject::connect(&closer_, &QTimer::timeout, [this] {
            if (Form1 != nullptr && Form1->isVisible()) {
                for (const char* name : {"ComboBox1", "ComboBox2", "ComboBox3", "ComboBox4", "ComboBox5"})
                    itemCounts.append(Form1->findChild<QComboBox*>(name)->count());
                Form1->close();
            }
        });
        closer_.start();
        return RunViewer();
    }

    bool windowShown = false;
    QList<int> itemCounts;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && qobject_cast<TForm1*>(watched) != nullptr)
            windowShown = true;
        return false;
    }

private:
    QTimer closer_;
};

TEST(Startup, RunsTheWindowUntilItIsClosed)
{
    ViewerSandbox sandbox;
    sandbox.WriteSampleLists();
    ModalBoxWatcher boxes;
    StartupRun run;

    EXPECT_EQ(run.Run(), 0);
    EXPECT_TRUE(run.windowShown);
    EXPECT_EQ(run.itemCounts, (QList<int>{4, 3, 3, 3, 3}));
    EXPECT_TRUE(boxes.texts.isEmpty());
    EXPECT_EQ(Form1, nullptr);
}

TEST(Startup, AMissingListShowsOneBoxBeforeTheWindowThenEmptyLists)
{
    ViewerSandbox sandbox;
    sandbox.WriteSampleLists();
    std::filesystem::remove(sandbox.Folder() / "mons.txt");
    ModalBoxWatcher boxes;
    bool windowSetButHidden = false;
    boxes.onBox = [&] { windowSetButHidden = Form1 != nullptr && !Form1->isVisible(); };
    StartupRun run;

    EXPECT_EQ(run.Run(), 0);
    EXPECT_EQ(boxes.texts, QStringList{"File not found"});
    EXPECT_TRUE(windowSetButHidden);
    EXPECT_TRUE(run.windowShown);
    EXPECT_EQ(run.itemCounts, (QList<int>{0, 0, 0, 0, 0}));
}

TEST(Startup, AMalformedIdEndsTheProgramWithItsMessageAndNoWindow)
{
    const struct {
        const char* file;
        std::string bytes;
        QString message;
    } cases[] = {
        {"mons.txt", "1 Bat\r\nGoblin 2\r\n", "mons.txt, line 2: 'Goblin' is not a valid integer value"},
        {"skills.txt", "1 Heal\r\n\r\n", "skills.txt, line 2: '\\r\\n' is not a valid integer value"},
        {"attacks.txt", "7\r\n8 Bite\r\n", "attacks.txt, line 1: '7\\r\\n8' is not a valid integer value"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        ViewerSandbox sandbox;
        sandbox.WriteSampleLists();
        sandbox.WriteList(c.file, c.bytes);
        ModalBoxWatcher boxes;
        StartupRun run;

        EXPECT_EQ(run.Run(), 0);
        EXPECT_EQ(boxes.texts, QStringList{c.message});
        EXPECT_FALSE(run.windowShown);
        EXPECT_EQ(Form1, nullptr);
    }
}

} // namespace
