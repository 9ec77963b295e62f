#include "data/MonsterInfo.h"
#include "tests/support/ModalBoxWatcher.h"
#include "tests/support/ViewerSandbox.h"
#include "tests/support/WindowCases.h"
#include "viewer/FormLayout.h"
#include "viewer/qt/Unit1.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>

using namespace zuninfo;

namespace {

// A record with negative numbers and names for its ids in the sandbox lists.
const std::string kNegativeRecord =
    "-1 3 -2 -3 -4 -5 -6 -7 8 9 10 11 -12 -13 -14 -15 -16 -17 -18 -19 -20 -21 -22\tOrc Chief\r\n";

std::string Record(int index)
{
    std::string line = std::to_string(index);
    for (int field = 1; field < kMonsterFieldCount; ++field)
        line += " " + std::to_string(field);
    return line + "\r\n";
}

class WindowTest : public ::testing::Test {
protected:
    // Builds and shows the window on the sandbox's files.
    void Open()
    {
        form = std::make_unique<TForm1>();
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }

    template <typename Widget = QWidget>
    Widget* Find(const char* name) const
    {
        auto* widget = form->findChild<Widget*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    QString Text(const char* name) const
    {
        QWidget* widget = Find(name);
        if (auto* edit = qobject_cast<QLineEdit*>(widget))
            return edit->text();
        if (auto* combo = qobject_cast<QComboBox*>(widget))
            return combo->currentText();
        if (auto* label = qobject_cast<QLabel*>(widget))
            return label->text();
        if (auto* bar = qobject_cast<QStatusBar*>(widget))
            return bar->findChild<QLabel*>()->text();
        return {};
    }

    void Focus(const char* name)
    {
        QWidget* widget = Find(name);
        widget->setFocus(Qt::OtherFocusReason);
        QApplication::processEvents();
    }

    void Click(const char* name) { QTest::mouseClick(Find(name), Qt::LeftButton); }

    QStringList Items(const char* name) const
    {
        QStringList items;
        auto* combo = Find<QComboBox>(name);
        for (int i = 0; i < combo->count(); ++i)
            items.append(combo->itemText(i));
        return items;
    }

    ViewerSandbox sandbox;
    ModalBoxWatcher boxes;
    std::unique_ptr<TForm1> form;
};

class WindowLayoutTest : public WindowTest {
protected:
    void SetUp() override
    {
        sandbox.WriteSampleLists();
        Open();
    }
};

TEST_F(WindowLayoutTest, WindowFrameCaptionAndFont)
{
    EXPECT_EQ(form->windowTitle(), "ZunInfo.qdf");
    EXPECT_EQ(form->size(), QSize(523, 476));
    EXPECT_EQ(form->font().pointSize(), 8);
    EXPECT_EQ(Form1, form.get());
}

TEST_F(WindowLayoutTest, EveryControlHasItsKindPlaceAndCaption)
{
    for (const ControlLayout& layout : kFormLayout) {
        SCOPED_TRACE(layout.name);
        QWidget* widget = Find(layout.name);
        ASSERT_NE(widget, nullptr);
        const QRect designed(layout.left, layout.top, layout.width, layout.height);
        const QString caption = QString::fromLatin1(layout.caption != nullptr ? layout.caption : "");
        switch (layout.kind) {
        case ControlKind::Button:
            ASSERT_NE(qobject_cast<QPushButton*>(widget), nullptr);
            EXPECT_EQ(widget->geometry(), designed);
            EXPECT_EQ(qobject_cast<QPushButton*>(widget)->text(), caption);
            break;
        case ControlKind::Label:
        case ControlKind::BoldLabel: {
            auto* label = qobject_cast<QLabel*>(widget);
            ASSERT_NE(label, nullptr);
            // Labels keep their place and size themselves to their caption.
            EXPECT_EQ(label->pos(), designed.topLeft());
            EXPECT_EQ(label->text(), caption);
            EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(caption));
            EXPECT_EQ(label->font().bold(), layout.kind == ControlKind::BoldLabel);
            break;
        }
        case ControlKind::Edit:
            ASSERT_NE(qobject_cast<QLineEdit*>(widget), nullptr);
            EXPECT_EQ(widget->geometry(), designed);
            EXPECT_TRUE(Text(layout.name).isEmpty());
            break;
        case ControlKind::ComboBox: {
            auto* combo = qobject_cast<QComboBox*>(widget);
            ASSERT_NE(combo, nullptr);
            EXPECT_TRUE(combo->isEditable());
            EXPECT_EQ(widget->geometry(), designed);
            EXPECT_TRUE(combo->currentText().isEmpty());
            EXPECT_EQ(combo->currentIndex(), -1);
            break;
        }
        case ControlKind::StatusBar:
            ASSERT_NE(qobject_cast<QStatusBar*>(widget), nullptr);
            EXPECT_EQ(widget->geometry(), designed);
            break;
        }
    }
}

TEST_F(WindowLayoutTest, SpotChecksOfTheDesign)
{
    const struct {
        const char* name;
        QRect geometry;
    } cases[] = {
        {"Button1", {8, 8, 75, 25}},       {"Edit1", {56, 40, 145, 21}},  {"ComboBox1", {56, 72, 145, 21}},
        {"Edit14", {88, 168, 113, 21}},    {"Edit8", {88, 200, 113, 21}}, {"ComboBox4", {368, 168, 145, 21}},
        {"ComboBox2", {368, 232, 145, 21}}, {"Edit13", {368, 328, 145, 21}}, {"StatusBar1", {0, 457, 523, 19}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Find(c.name)->geometry(), c.geometry) << c.name;
    EXPECT_EQ(Find("Label24")->pos(), QPoint(296, 8));
    EXPECT_EQ(Text("Label24"), "Total Items:");
    EXPECT_EQ(Find<QPushButton>("Button1")->text(), "&Load");
}

TEST_F(WindowLayoutTest, CaptionsStayClearOfTheirFields)
{
    // Every label, and the caption drawn in it, ends before the input on its
    // row starts, and is tall enough for the caption.
    for (const ControlLayout& layout : kFormLayout) {
        if (layout.kind != ControlKind::Label)
            continue;
        SCOPED_TRACE(layout.name);
        const int fieldLeft = Find(layout.buddy)->x();
        auto* label = Find<QLabel>(layout.name);
        const QFontMetrics metrics = label->fontMetrics();
        EXPECT_LE(label->geometry().right(), fieldLeft - 1);
        EXPECT_LE(label->x() + label->contentsRect().left() + metrics.horizontalAdvance(label->text()), fieldLeft - 1);
        EXPECT_GE(label->contentsRect().height(), metrics.height());
    }
    EXPECT_LE(Find("Label24")->geometry().right(), 522);
}

TEST_F(WindowLayoutTest, NoTwoControlsOverlap)
{
    for (std::size_t i = 0; i < kFormLayout.size(); ++i) {
        for (std::size_t j = i + 1; j < kFormLayout.size(); ++j) {
            const QRect a = Find(kFormLayout[i].name)->geometry(), b = Find(kFormLayout[j].name)->geometry();
            EXPECT_FALSE(a.intersects(b)) << kFormLayout[i].name << " " << a.x() << "," << a.y() << " " << a.width()
                                          << "x" << a.height() << " overlaps " << kFormLayout[j].name << " " << b.x()
                                          << "," << b.y() << " " << b.width() << "x" << b.height();
        }
    }
}

// What a screen reader says for each input: its caption as the name (through
// the label, which the input is labelled by) and its hint as the description.
TEST_F(WindowLayoutTest, ScreenReadersNameEachFieldByItsCaption)
{
    const char* const indexHint = "The number to identify the monster by. Used in the Zun00XXX.qdf files";
    const struct {
        const char* input;
        const char* name;
        const char* description;
    } fields[] = {
        {"Edit1", "Index", indexHint},
        {"ComboBox1", "Skin", "What the monster looks like"},
        {"Edit2", "Line of Sight", "How far away a monster sees you."},
        {"Edit3", "Walk Speed", "How fast the monster walks. The higher the number the slower it goes. 0 = stationary."},
        {"Edit14", "Str", ""},
        {"Edit8", "Spr", ""},
        {"Edit9", "Dex", ""},
        {"Edit10", "Pow", ""},
        {"Edit11", "Experience", ""},
        {"Edit15", "Direction1", ""},
        {"Edit16", "Direction2", ""},
        {"Edit17", "Honor", ""},
        {"Edit18", "Fly", ""},
        {"Edit4", "1st Attack Range", "The range of the first Melee attack."},
        {"Edit5", "2nd Attack Range", "The range of the Second Melee attack."},
        {"Edit6", "1st Attack wait time",
         "How long to wait after this attack is used before another attack or skill can be made."},
        {"Edit7", "2nd Attack wait time", "The same as Att1Int except for the second attack"},
        {"ComboBox4", "1st Attack Animation", ""},
        {"ComboBox5", "2nd Attack Animation", ""},
        {"ComboBox2", "Skill 1", ""},
        {"ComboBox3", "Skill 2", ""},
        {"Edit12", "1st Skill wait time", ""},
        {"Edit13", "2nd Skill wait time", ""},
    };
    std::set<QString> named;
    for (const auto& field : fields) {
        SCOPED_TRACE(field.input);
        QWidget* input = Find(field.input);
        ASSERT_NE(input, nullptr);
        named.insert(input->objectName());
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(input);
        ASSERT_NE(accessible, nullptr);
        EXPECT_EQ(accessible->text(QAccessible::Description), field.description);
        const auto labels = accessible->relations(QAccessible::Label);
        ASSERT_EQ(labels.size(), 1);
        EXPECT_EQ(labels.front().first->text(QAccessible::Name), field.name);

        // The widget that takes the keyboard focus: an editable combo box
        // hands it to its line edit. (The combo box itself is named by the
        // label relation above: on Linux Qt gives it its text as its name.)
        QWidget* focused = input;
        if (auto* comboBox = qobject_cast<QComboBox*>(input))
            focused = comboBox->lineEdit();
        QAccessibleInterface* focusedAccessible = QAccessible::queryAccessibleInterface(focused);
        ASSERT_NE(focusedAccessible, nullptr);
        EXPECT_EQ(focusedAccessible->text(QAccessible::Name), field.name);
        EXPECT_EQ(focusedAccessible->text(QAccessible::Description), field.description);
    }
    // Every input of the window is in the table above.
    for (const ControlLayout& layout : kFormLayout) {
        if (layout.kind == ControlKind::Edit || layout.kind == ControlKind::ComboBox) {
            EXPECT_TRUE(named.contains(QString::fromLatin1(layout.name))) << layout.name;
        }
    }

    const struct {
        const char* button;
        const char* name;
    } buttons[] = {{"Button1", "Load"}, {"Button2", "Prev"}, {"Button3", "Next"}};
    for (const auto& button : buttons)
        EXPECT_EQ(QAccessible::queryAccessibleInterface(Find(button.button))->text(QAccessible::Name), button.name);
}

TEST_F(WindowLayoutTest, CaptionsBringNoKeyboardAccelerators)
{
    // Alt+L is Load's; no other Alt+letter moves the focus or presses a button.
    Focus("Edit9");
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        if (letter == 'L')
            continue;
        QTest::keyClick(form->windowHandle(), static_cast<Qt::Key>(Qt::Key_A + (letter - 'A')), Qt::AltModifier);
        EXPECT_EQ(QApplication::focusWidget(), Find("Edit9")) << "Alt+" << letter;
    }
    EXPECT_TRUE(Find("Button1")->isEnabled());
}

TEST_F(WindowLayoutTest, StatusBarFollowsTheWidth)
{
    form->resize(700, 600);
    QApplication::processEvents();
    const QRect bar = Find("StatusBar1")->geometry();
    EXPECT_EQ(bar.left(), 0);
    EXPECT_EQ(bar.width(), 700);
    EXPECT_EQ(bar.bottom(), 599);
    EXPECT_EQ(Find("Edit13")->geometry(), QRect(368, 328, 145, 21));
}

TEST_F(WindowLayoutTest, TabOrderRunsDownTheLeftColumnThenTheRight)
{
    const char* expected[] = {"Button1", "Button2", "Button3", "Edit1", "ComboBox1", "Edit2", "Edit3",
                              "Edit14", "Edit8", "Edit9", "Edit10", "Edit11", "Edit15", "Edit16", "Edit17",
                              "Edit18", "Edit4", "Edit5", "Edit6", "Edit7", "ComboBox4", "ComboBox5",
                              "ComboBox2", "ComboBox3", "Edit12", "Edit13", "Button1"};
    Focus("Button1");
    for (std::size_t i = 1; i < std::size(expected); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* focused = QApplication::focusWidget();
        // An editable combo box's line edit stands for the combo box.
        if (focused != nullptr && qobject_cast<QComboBox*>(focused->parentWidget()) != nullptr)
            focused = focused->parentWidget();
        ASSERT_NE(focused, nullptr);
        EXPECT_EQ(focused->objectName(), expected[i]) << "after " << expected[i - 1];
    }
}

TEST_F(WindowLayoutTest, HintsAreTooltipsOfExactlyTheHintedControls)
{
    const std::map<QString, QString> hints = {
        {"Label1", "The number to identify the monster by. Used in the Zun00XXX.qdf files"},
        {"Edit1", "The number to identify the monster by. Used in the Zun00XXX.qdf files"},
        {"Label2", "What the monster looks like"},
        {"ComboBox1", "What the monster looks like"},
        {"Label3", "How far away a monster sees you."},
        {"Edit2", "How far away a monster sees you."},
        {"Edit3", "How fast the monster walks. The higher the number the slower it goes. 0 = stationary."},
        {"Edit4", "The range of the first Melee attack."},
        {"Edit5", "The range of the Second Melee attack."},
        {"Edit6", "How long to wait after this attack is used before another attack or skill can be made."},
        {"Edit7", "The same as Att1Int except for the second attack"},
    };
    for (const ControlLayout& layout : kFormLayout) {
        const auto hint = hints.find(QString::fromLatin1(layout.name));
        EXPECT_EQ(Find(layout.name)->toolTip(), hint == hints.end() ? QString() : hint->second) << layout.name;
    }
}

TEST_F(WindowLayoutTest, StatusBarShowsTheHintOfTheFocusedField)
{
    EXPECT_EQ(Text("StatusBar1"), "");
    for (const FocusStep& step : FocusSteps()) {
        Focus(step.focus);
        EXPECT_EQ(Text("StatusBar1"), step.status) << "focus on " << step.focus;
    }

    // Clicking a button, hovering fields and a passing status tip leave it.
    Click("Button3");
    QTest::mouseMove(Find("Edit4"));
    QTest::mouseMove(Find("Label1"));
    QStatusTipEvent tip(QStringLiteral("passing by"));
    QApplication::sendEvent(form.get(), &tip);
    QApplication::processEvents();
    EXPECT_EQ(Text("StatusBar1"), "The same as Att1Int except for the second attack");
}

TEST_F(WindowLayoutTest, ComboBoxListsAreSortedAndTypingAddsNoItem)
{
    EXPECT_EQ(Items("ComboBox1"), (QStringList{"Blob", "Goblin", "Goblin", "Orc Chief"}));
    EXPECT_EQ(Items("ComboBox2"), (QStringList{"Fire Bolt", "Heal", "Rest"}));
    EXPECT_EQ(Items("ComboBox3"), Items("ComboBox2"));
    EXPECT_EQ(Items("ComboBox4"), (QStringList{"Bite", "Club Swing", "Tap"}));
    EXPECT_EQ(Items("ComboBox5"), Items("ComboBox4"));

    Focus("ComboBox2");
    QTest::keyClicks(QApplication::focusWidget(), "Dragon Breath");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(Items("ComboBox2"), (QStringList{"Fire Bolt", "Heal", "Rest"}));
}

class LoadedWindowTest : public WindowTest {
protected:
    void SetUp() override { sandbox.WriteSampleLists(); }
};

TEST_F(LoadedWindowTest, LoadShowsEveryFieldOfARecordWithNegativeValues)
{
    sandbox.WriteMonsterInfo(kNegativeRecord + Record(1));
    Open();
    Click("Button1");

    const std::map<std::string, QString> expected = {
        {"Edit1", "-1"},        {"ComboBox1", "Orc Chief"}, {"Edit2", "-2"},          {"Edit3", "-3"},
        {"Edit4", "-4"},        {"Edit5", "-5"},            {"Edit6", "-6"},          {"Edit7", "-7"},
        {"ComboBox4", "Club Swing"}, {"ComboBox5", "Bite"}, {"ComboBox2", "Fire Bolt"}, {"ComboBox3", "Heal"},
        {"Edit12", "-12"},      {"Edit13", "-13"},          {"Edit14", "-14"},        {"Edit8", "-15"},
        {"Edit9", "-16"},       {"Edit10", "-17"},          {"Edit11", "-18"},        {"Edit15", "-19"},
        {"Edit16", "-20"},      {"Edit17", "-21"},          {"Edit18", "-22"},        {"Label24", "Item 0 of 1"},
    };
    for (const auto& [name, text] : expected)
        EXPECT_EQ(Text(name.c_str()), text) << name;
    // Showing a name sets the edit text only: the lists stay as loaded.
    EXPECT_EQ(Items("ComboBox1"), (QStringList{"Blob", "Goblin", "Goblin", "Orc Chief"}));
    EXPECT_EQ(Find<QComboBox>("ComboBox1")->currentIndex(), -1);
    EXPECT_TRUE(boxes.texts.isEmpty());
}

TEST_F(LoadedWindowTest, LoadDisablesItselfAndHandsTheFocusToPrev)
{
    sandbox.WriteMonsterInfo(Record(0) + Record(1));
    Open();
    Focus("Edit3");
    const QString status = Text("StatusBar1");
    Focus("Button1");
    EXPECT_EQ(Text("StatusBar1"), status);

    QTest::keyClick(Find("Button1"), Qt::Key_Space);
    EXPECT_FALSE(Find("Button1")->isEnabled());
    EXPECT_EQ(QApplication::focusWidget(), Find("Button2"));
    EXPECT_EQ(Text("StatusBar1"), status);
    EXPECT_EQ(Text("Label24"), "Item 0 of 1");

    // From the last field, Tab now skips the disabled Load.
    Focus("Edit13");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), Find("Button2"));
}

TEST_F(LoadedWindowTest, AltLPressesLoad)
{
    sandbox.WriteMonsterInfo(Record(5));
    Open();
    Focus("Edit2");
    // Through the window, as the keyboard delivers it.
    QTest::keyClick(form->windowHandle(), Qt::Key_L, Qt::AltModifier);
    // A mnemonic clicks the button the way the mouse would, after showing it pressed.
    EXPECT_TRUE(QTest::qWaitFor([&] { return !Find("Button1")->isEnabled(); }));
    EXPECT_EQ(Text("Edit1"), "5");
}

TEST_F(LoadedWindowTest, AFailedLoadLeavesEverythingAsItWas)
{
    Open();
    Focus("Edit1");
    Click("Button1");
    EXPECT_EQ(boxes.texts, QStringList{"File not found"});
    EXPECT_TRUE(Find("Button1")->isEnabled());
    EXPECT_EQ(Text("Label24"), "Total Items:");
    EXPECT_EQ(Text("Edit1"), "");
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

    // The file turns up: the next Load tries once more and succeeds.
    sandbox.WriteMonsterInfo(Record(9));
    Click("Button1");
    EXPECT_EQ(boxes.texts.size(), 1);
    EXPECT_EQ(Text("Edit1"), "9");
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(LoadedWindowTest, TypedTextIsReplacedOnlyByAMove)
{
    sandbox.WriteMonsterInfo(Record(0) + Record(1));
    Open();
    Click("Button1");

    Focus("Edit4");
    QTest::keyClicks(Find("Edit4"), "typed");
    Focus("ComboBox2");
    QTest::keyClicks(QApplication::focusWidget(), "also typed");
    const QString typed4 = Text("Edit4"), typedSkill = Text("ComboBox2");

    Click("Button2"); // Prev at the first record: nothing moves
    EXPECT_EQ(Text("Edit4"), typed4);
    EXPECT_EQ(Text("ComboBox2"), typedSkill);

    Click("Button3"); // Next moves
    EXPECT_EQ(Text("Edit4"), "4");
    EXPECT_EQ(Text("ComboBox2"), "Fire Bolt");
    EXPECT_EQ(Text("Label24"), "Item 1 of 1");
}

TEST_F(LoadedWindowTest, AFileWithOnlyCommentsShowsTheEmptyFirstSlot)
{
    sandbox.WriteMonsterInfo(";nothing\r\n\r\n");
    Open();
    Click("Button1");
    EXPECT_EQ(Text("Label24"), "Item 0 of -1");
    EXPECT_EQ(Text("Edit1"), "0");
    EXPECT_EQ(Text("ComboBox1"), "Blob");
    Click("Button3");
    EXPECT_EQ(Text("Label24"), "Item 0 of -1");
}

TEST_F(LoadedWindowTest, NamesAreShownWholeHoweverLong)
{
    std::string name;
    while (name.size() < 40000)
        name += "Goblin " + std::to_string(name.size()) + " ";
    name.resize(40000);
    sandbox.WriteList("mons.txt", "1 " + name + "\r\n");
    sandbox.WriteMonsterInfo(Record(0));
    Open();
    Click("Button1");
    EXPECT_EQ(Text("ComboBox1"), QString::fromStdString(name));
    EXPECT_EQ(Items("ComboBox1"), QStringList{QString::fromStdString(name)});
}

} // namespace
