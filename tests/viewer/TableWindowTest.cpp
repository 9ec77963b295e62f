// The table of all monsters on the Qt front end, and a file dropped on the
// main window: the viewer started from another folder than the sample
// data's, on the sample monster file, as a double-click would start it.
#include "tests/support/FileSandbox.h"
#include "tests/support/ModalBoxWatcher.h"
#include "tests/support/ViewerSandbox.h"
#include "viewer/CommandLine.h"
#include "viewer/TableEditor.h"
#include "viewer/qt/TableWindow.h"
#include "viewer/qt/Unit1.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QCompleter>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QMimeData>
#include <QTableView>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>

namespace fs = std::filesystem;

using namespace zuninfo;

namespace {

constexpr int kSkin = 1, kStr = 14;

class TableWindowTest : public ::testing::Test {
protected:
    // The sample data in game/, the program started in elsewhere/ on
    // ../game/zuninfo.qdf.
    void SetUp() override
    {
        fs::create_directories(sandbox.Folder() / "game");
        for (const char* file : {"mons.txt", "skills.txt", "attacks.txt", "zuninfo.qdf"})
            fs::copy_file(fs::path(ZUNINFO_SOURCE_DIR) / "examples" / file, sandbox.Folder() / "game" / file);
        fs::create_directories(sandbox.Folder() / "elsewhere");
        fs::current_path(sandbox.Folder() / "elsewhere");
        const CommandLine commandLine = ParseCommandLine({"../game/zuninfo.qdf"});
        ASSERT_EQ(commandLine.action, CommandLine::Action::Run);
        form = std::make_unique<TForm1>(commandLine.options);
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }

    QString Text(const char* name) const
    {
        QWidget* widget = form->findChild<QWidget*>(QString::fromLatin1(name));
        if (auto* edit = qobject_cast<QLineEdit*>(widget))
            return edit->text();
        if (auto* combo = qobject_cast<QComboBox*>(widget))
            return combo->currentText();
        return qobject_cast<QLabel*>(widget)->text();
    }

    // Load, then the table with Ctrl+T and the focus in its rows.
    TableWindow* OpenTable()
    {
        QTest::mouseClick(form->findChild<QWidget*>(QStringLiteral("Button1")), Qt::LeftButton);
        QTest::keyClick(form->windowHandle(), Qt::Key_T, Qt::ControlModifier);
        TableWindow* table = form->Table();
        if (table == nullptr || !QTest::qWaitForWindowActive(table))
            return nullptr;
        table->View()->setFocus();
        return table;
    }

    // Every cell's text, row by row.
    static QStringList Cells(const QAbstractItemModel* rows)
    {
        QStringList cells;
        for (int row = 0; row < rows->rowCount(); ++row) {
            for (int column = 0; column < rows->columnCount(); ++column)
                cells.append(rows->index(row, column).data().toString());
        }
        return cells;
    }

    // The line of the cell's editor open, if one is (a combo box's while
    // its completion list is up).
    static QLineEdit* EditorLine(QTableView* view)
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (auto* combo = view->viewport()->findChild<QComboBox*>())
            return combo->lineEdit();
        return view->viewport()->findChild<QLineEdit*>();
    }
    static bool Editing(QTableView* view) { return EditorLine(view) != nullptr; }
    // Where the keyboard's keys go while a cell is edited.
    static QWidget* Keys() { return QApplication::focusWidget(); }

    // Answers the next box with `button`.
    void Answer(QMessageBox::StandardButton button)
    {
        boxes.onBox = [button] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                box->button(button)->click();
        };
    }

    ViewerSandbox sandbox;
    ModalBoxWatcher boxes;
    std::unique_ptr<TForm1> form;
};

TEST_F(TableWindowTest, CtrlTOpensTheTableWhichFillsOnLoadSortsFiltersChoosesAndCopies)
{
    // Before Load: open, empty, and saying so.
    QTest::keyClick(form->windowHandle(), Qt::Key_T, Qt::ControlModifier);
    TableWindow* table = form->Table();
    ASSERT_NE(table, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(table));
    QTableView* view = table->View();
    QAbstractItemModel* rows = view->model();
    auto* status = table->findChild<QLabel*>(QStringLiteral("Status"));
    EXPECT_EQ(table->windowTitle(), "All monsters[*]");
    EXPECT_FALSE(table->isWindowModified());
    EXPECT_EQ(rows->rowCount(), 0);
    EXPECT_TRUE(status->text().startsWith("Nothing has been loaded yet")) << status->text().toStdString();

    // Load reads the file named, with the lists beside it.
    QTest::mouseClick(form->findChild<QWidget*>(QStringLiteral("Button1")), Qt::LeftButton);
    EXPECT_TRUE(boxes.texts.isEmpty()) << boxes.texts.join(", ").toStdString();
    EXPECT_EQ(Text("Label24"), "Item 0 of 35");
    EXPECT_EQ(Text("ComboBox1"), "Training Dummy");
    ASSERT_EQ(rows->rowCount(), 36);
    EXPECT_EQ(rows->columnCount(), 23);
    EXPECT_EQ(status->text(), "36 monsters");
    EXPECT_EQ(rows->headerData(kStr, Qt::Horizontal).toString(), "Str");
    EXPECT_EQ(rows->index(2, 1).data().toString(), QString::fromUtf8("Goblin \xC3\x89" "claireur (1)"));
    EXPECT_EQ(rows->index(0, kStr).data(Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignHorizontal_Mask,
              Qt::AlignRight);

    // A screen reader sees a table of 36 rows under 23 headed columns.
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(view);
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(accessible->role(), QAccessible::Table);
    ASSERT_NE(accessible->tableInterface(), nullptr);
    EXPECT_EQ(accessible->tableInterface()->rowCount(), 36);
    EXPECT_EQ(accessible->tableInterface()->columnCount(), 23);
    EXPECT_EQ(accessible->tableInterface()->columnDescription(kStr), "Str");

    // Clicks on Str's header: ascending (equal values in store order), then
    // reversed.
    QHeaderView* header = view->horizontalHeader();
    view->scrollTo(rows->index(0, kStr));
    const auto clickStr = [&] {
        const QPoint middle(header->sectionViewportPosition(kStr) + header->sectionSize(kStr) / 2, header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, middle);
    };
    clickStr();
    EXPECT_EQ(rows->index(0, kStr).data().toString(), "1");
    EXPECT_EQ(rows->index(1, 0).data().toString(), "7");
    EXPECT_EQ(rows->index(2, 0).data().toString(), "35");
    EXPECT_EQ(rows->index(2, kStr).data().toString(), "4");
    clickStr();
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::DescendingOrder);
    EXPECT_EQ(rows->index(0, kStr).data().toString(), "250");

    // Enter on the first row shows its record in the main window.
    view->setFocus();
    view->setCurrentIndex(rows->index(0, 0));
    QTest::keyClick(view, Qt::Key_Return);
    EXPECT_EQ(Text("Label24"), "Item 34 of 35");
    EXPECT_EQ(Text("Edit14"), "250");
    EXPECT_EQ(Text("ComboBox1"), "Black Dragon");

    // Ctrl+C copies the selected rows under the captions.
    view->selectionModel()->select(QItemSelection(rows->index(0, 0), rows->index(1, 22)),
                                   QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
    const QStringList lines = QApplication::clipboard()->text().split('\n');
    ASSERT_EQ(lines.size(), 4);
    EXPECT_TRUE(lines[0].startsWith("Index\tSkin\tLine of Sight\t"));
    EXPECT_TRUE(lines[1].startsWith("34\tBlack Dragon (100)\t"));
    EXPECT_EQ(lines[2].split('\t').value(kStr), "220");
    // The same rows selected the other way round are copied in the order shown.
    view->selectionModel()->select(QItemSelection(rows->index(1, 0), rows->index(1, 22)),
                                   QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    view->selectionModel()->select(QItemSelection(rows->index(0, 0), rows->index(0, 22)),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(), lines.join('\n').toStdString());

    // The filter keeps the rows holding the text, case ignored, in the
    // order chosen.
    QTest::keyClicks(table->findChild<QLineEdit*>(QStringLiteral("Filter")), "GOBLIN");
    ASSERT_EQ(rows->rowCount(), 2);
    EXPECT_EQ(status->text(), "2 of 36 monsters shown");
    EXPECT_EQ(rows->index(1, 1).data().toString(), "Goblin Archer (2)");
    // Rows let in again take their places in the order.
    table->findChild<QLineEdit*>(QStringLiteral("Filter"))->clear();
    ASSERT_EQ(rows->rowCount(), 36);
    EXPECT_EQ(rows->index(0, kStr).data().toString(), "250");
    EXPECT_EQ(rows->index(35, kStr).data().toString(), "1");
}

TEST_F(TableWindowTest, ACellEditedWithTheKeyboardChangesThatCellAloneAndUndoes)
{
    TableWindow* table = OpenTable();
    ASSERT_NE(table, nullptr);
    QTableView* view = table->View();
    QAbstractItemModel* rows = view->model();
    const QStringList before = Cells(rows);

    QTest::keyClick(view, Qt::Key_Home, Qt::ControlModifier);
    for (int column = 0; column < kStr; ++column)
        QTest::keyClick(view, Qt::Key_Right);
    ASSERT_EQ(view->currentIndex(), rows->index(0, kStr));
    QTest::keyClick(view, Qt::Key_F2);
    ASSERT_TRUE(Editing(view));
    QLineEdit* line = EditorLine(view);
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(Keys(), line);
    EXPECT_EQ(line->selectedText(), line->text());
    QTest::keyClicks(Keys(), "777");
    QTest::keyClick(Keys(), Qt::Key_Return);
    EXPECT_FALSE(Editing(view));

    QStringList after = before;
    after[kStr] = "777";
    EXPECT_EQ(Cells(rows), after);
    EXPECT_TRUE(table->isWindowModified());
    // Marked, for the eye and for a screen reader.
    EXPECT_EQ(rows->index(0, kStr).data(Qt::ToolTipRole).toString(), "changed from 1");
    EXPECT_EQ(rows->index(0, kStr).data(Qt::AccessibleTextRole).toString(), "777, changed from 1");
    EXPECT_FALSE(rows->index(0, kStr + 1).data(Qt::ToolTipRole).isValid());
    // The main window shows the record as edited.
    QTest::mouseClick(form->findChild<QWidget*>(QStringLiteral("Button3")), Qt::LeftButton);
    QTest::mouseClick(form->findChild<QWidget*>(QStringLiteral("Button2")), Qt::LeftButton);
    EXPECT_EQ(Text("Label24"), "Item 0 of 35");
    EXPECT_EQ(Text("Edit14"), "777");

    QTest::keyClick(table->windowHandle(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Cells(rows), before);
    EXPECT_FALSE(table->isWindowModified());
    QTest::keyClick(table->windowHandle(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Cells(rows), after);
    QTest::keyClick(table->windowHandle(), Qt::Key_Z, Qt::ControlModifier);

    // Tab commits too, and moves right; Escape cancels.
    QTest::keyClick(view, Qt::Key_5);
    QTest::keyClick(Keys(), Qt::Key_Tab);
    EXPECT_EQ(rows->index(0, kStr).data().toString(), "5");
    EXPECT_EQ(view->currentIndex(), rows->index(0, kStr + 1));
    QTest::keyClick(view, Qt::Key_9);
    QTest::keyClick(Keys(), Qt::Key_Escape);
    EXPECT_EQ(rows->index(0, kStr + 1).data().toString(), before[kStr + 1]);
    QTest::keyClick(table->windowHandle(), Qt::Key_Y, Qt::ControlModifier);
    QTest::keyClick(table->windowHandle(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Cells(rows), before);
    // Enter outside an edit still shows the row's record.
    QTest::keyClick(view, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(view, Qt::Key_Return);
    EXPECT_EQ(Text("Label24"), "Item 35 of 35");
    EXPECT_TRUE(boxes.texts.isEmpty()) << boxes.texts.join(", ").toStdString();
}

// Ctrl+S writes the one token changed and nothing else, the file as loaded
// kept as its backup; an edit undone before it is not written.
TEST_F(TableWindowTest, CtrlSWritesTheCellChangedAloneAndKeepsTheFileAsLoaded)
{
    TableWindow* table = OpenTable();
    ASSERT_NE(table, nullptr);
    QTableView* view = table->View();
    const fs::path qdf = sandbox.Folder() / "game" / "zuninfo.qdf";
    const std::string loaded = FileSandbox::Read(qdf);

    QTest::keyClick(view, Qt::Key_Home, Qt::ControlModifier);
    for (int column = 0; column < kStr; ++column)
        QTest::keyClick(view, Qt::Key_Right);
    for (const char* typed : {"42", "777"}) {
        QTest::keyClick(view, Qt::Key_F2);
        QTest::keyClicks(Keys(), typed);
        QTest::keyClick(Keys(), Qt::Key_Return);
        if (std::string(typed) == "42")
            QTest::keyClick(table->windowHandle(), Qt::Key_Z, Qt::ControlModifier);
    }
    QTest::keyClick(table->windowHandle(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(table->isWindowModified());
    EXPECT_TRUE(boxes.texts.isEmpty()) << boxes.texts.join(", ").toStdString();

    // Where the two files differ: the old Str, 1, and the new, 777.
    const std::string saved = FileSandbox::Read(qdf);
    std::size_t front = 0, back = 0;
    while (front < loaded.size() && front < saved.size() && loaded[front] == saved[front])
        ++front;
    while (back + front < loaded.size() && back + front < saved.size()
           && loaded[loaded.size() - 1 - back] == saved[saved.size() - 1 - back])
        ++back;
    EXPECT_EQ(loaded.substr(front, loaded.size() - front - back), "1");
    EXPECT_EQ(saved.substr(front, saved.size() - front - back), "777");
    EXPECT_EQ(FileSandbox::Read(sandbox.Folder() / "game" / "zuninfo.qdf.bak"), loaded);
}

TEST_F(TableWindowTest, ANameTypedIntoSkinTakesItsIdAndANumberNotReadIsRefusedInPlace)
{
    TableWindow* table = OpenTable();
    ASSERT_NE(table, nullptr);
    QTableView* view = table->View();
    QAbstractItemModel* rows = view->model();

    view->setCurrentIndex(rows->index(0, kSkin));
    QTest::keyClick(view, 'O');
    QLineEdit* line = EditorLine(view);
    ASSERT_NE(line, nullptr);
    ASSERT_NE(qobject_cast<QComboBox*>(line->parentWidget()), nullptr);
    EXPECT_EQ(line->text(), "O");
    ASSERT_NE(Keys(), nullptr);
    QTest::keyClicks(Keys(), "rc Chief");
    EXPECT_EQ(line->text(), "Orc Chief");
    // The completions are up and take the Enter, which commits all the same.
    QAbstractItemView* completions = line->completer()->popup();
    ASSERT_TRUE(completions->isVisible());
    QTest::keyClick(completions, Qt::Key_Return);
    EXPECT_EQ(rows->index(0, kSkin).data().toString(), "Orc Chief (4)");
    EXPECT_EQ(Monsters[0].Fields[kSkin], 4);
    // (Offscreen, the completion list leaves no window active when it goes.)
    table->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(table));
    view->setFocus();

    // A name the list does not have is refused in place too.
    QTest::keyClick(view, Qt::Key_F2);
    QTest::keyClicks(Keys(), "Dragon");
    QTest::keyClick(Keys(), Qt::Key_Return);
    EXPECT_TRUE(Editing(view));
    EXPECT_EQ(table->StatusText().toStdString(),
              "Skin: 'Dragon' is no name in mons.txt: choose one from the list, or type its id");
    QTest::keyClick(Keys(), Qt::Key_Escape);
    EXPECT_EQ(Monsters[0].Fields[kSkin], 4);
    EXPECT_EQ(Keys(), view);

    const QString status = table->StatusText();
    const QString str = rows->index(1, kStr).data().toString();
    view->setCurrentIndex(rows->index(1, kStr));
    QTest::keyClick(view, Qt::Key_F2);
    line = EditorLine(view);
    ASSERT_NE(line, nullptr);
    QTest::keyClicks(Keys(), "12x");
    QTest::keyClick(Keys(), Qt::Key_Return);
    EXPECT_TRUE(Editing(view));
    EXPECT_EQ(line->text(), "12x");
    EXPECT_EQ(table->StatusText(), "Str: '12x' is not a valid integer value");
    QTest::keyClick(Keys(), Qt::Key_Escape);
    EXPECT_EQ(rows->index(1, kStr).data().toString(), str);
    EXPECT_EQ(table->StatusText(), status);

    // A record added, a copy of the current one; and deleted again by undo.
    EXPECT_EQ(Keys(), view);
    // (Offscreen, the completion list's window keeps the platform's focus.)
    table->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(table));
    QTest::keyClick(table->windowHandle(), Qt::Key_N, Qt::ControlModifier);
    ASSERT_EQ(rows->rowCount(), 37) << table->StatusText().toStdString();
    EXPECT_EQ(rows->index(36, 0).data().toString(), "36");
    EXPECT_EQ(view->currentIndex().row(), 36);
    QTest::keyClick(table->windowHandle(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(rows->rowCount(), 36);
}

TEST_F(TableWindowTest, ClosingWithAnEditAsksToSaveDiscardOrCancel)
{
    TableWindow* table = OpenTable();
    ASSERT_NE(table, nullptr);
    ASSERT_TRUE(table->Commit(0, kStr, "777"));

    Answer(QMessageBox::Cancel);
    EXPECT_FALSE(table->close());
    ASSERT_EQ(boxes.texts.size(), 1);
    EXPECT_TRUE(boxes.texts[0].startsWith("The monster table has changes that are not saved.")) << boxes.texts[0].toStdString();
    EXPECT_TRUE(table->isVisible());
    // Closing the main window asks too, and Cancel keeps both open.
    EXPECT_FALSE(form->close());
    EXPECT_EQ(boxes.texts.size(), 2);
    EXPECT_TRUE(form->isVisible());

    Answer(QMessageBox::Discard);
    EXPECT_TRUE(table->close());
    EXPECT_EQ(Monsters[0].Fields[kStr], 1);
    EXPECT_EQ(Text("Edit14"), "1");
    EXPECT_FALSE(table->isWindowModified());
    // Nothing left to save: nothing asks.
    boxes.onBox = nullptr;
    form->ShowTable();
    EXPECT_TRUE(form->close());
    EXPECT_EQ(boxes.texts.size(), 3);
}

TEST_F(TableWindowTest, AFileDroppedOnAFieldBeforeLoadIsLoaded)
{
    QWidget* field = form->findChild<QWidget*>(QStringLiteral("Edit3"));
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString((sandbox.Folder() / "game/zuninfo.qdf").string()))});
    data.setText(QStringLiteral("not for the field"));
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(field, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(field, &drop);

    EXPECT_TRUE(QTest::qWaitFor([&] { return Text("Label24") == "Item 0 of 35"; }));
    EXPECT_EQ(Text("Edit3"), "0");
    EXPECT_FALSE(form->findChild<QWidget*>(QStringLiteral("Button1"))->isEnabled());
    EXPECT_TRUE(boxes.texts.isEmpty());
}

} // namespace

namespace {

// The letter after a text's "&", lowered; none without one.
QChar Mnemonic(const QString& text)
{
    const qsizetype at = text.indexOf(QLatin1Char('&'));
    return at >= 0 && at + 1 < text.size() ? text[at + 1].toLower() : QChar();
}

} // namespace

TEST_F(TableWindowTest, NoMenuTakesTheFiltersAltFAndEachMenusLettersDiffer)
{
    TableWindow* table = OpenTable();
    ASSERT_NE(table, nullptr);
    auto* bar = table->findChild<QMenuBar*>();
    ASSERT_NE(bar, nullptr);
    QSet<QChar> menus;
    for (QAction* menu : bar->actions()) {
        const QChar letter = Mnemonic(menu->text());
        EXPECT_NE(letter, QLatin1Char('f')) << menu->text().toStdString();
        EXPECT_FALSE(menus.contains(letter)) << menu->text().toStdString();
        menus.insert(letter);
        QSet<QChar> commands;
        for (QAction* command : menu->menu()->actions()) {
            if (command->isSeparator())
                continue;
            const QChar mine = Mnemonic(command->text());
            EXPECT_FALSE(mine.isNull() || commands.contains(mine)) << command->text().toStdString();
            commands.insert(mine);
            // Undo and Redo wait for a step; every other command works once loaded.
            if (Mnemonic(menu->text()) != QLatin1Char('e')) {
                EXPECT_TRUE(command->isEnabled()) << command->text().toStdString() << " after Load";
            }
        }
    }
    EXPECT_EQ(menus.size(), 3);
}
